#pragma once
// Text on the surface: word wrapping, wrapped blocks, and the money and
// period formats of the printouts.

#include <string>
#include <string_view>
#include <vector>

#include "platform/Money.h"
#include "print/Surface.h"

namespace print {

// Breaks text into the lines that fit the width, as the forms wrap: "\r\n"
// (or "\n") ends a line; a line breaks at the last space that lets it fit and
// loses the spaces at the break; a word wider than the width stands alone on
// its line and spills over. A tab counts as four spaces.
std::vector<std::string> WrapText(Surface& surface, std::string_view text, const Font& font,
                                  int width);

// The height of the wrapped text: its lines times the font's height.
int WrappedHeight(Surface& surface, std::string_view text, const Font& font, int width);

// Draws the wrapped text from box.top down, each line aligned between
// box.left and box.right; returns the height it took.
int DrawWrapped(Surface& surface, const Box& box, std::string_view text, const Font& font,
                Align align);

// Draws one line centred vertically in the box.
void DrawCentredLine(Surface& surface, const Box& box, std::string_view text, const Font& font,
                     Align align);

// Money on paper goes through the program's one money module, so that the
// paper, the screens and the files show the same stotinki.
using Stotinki = platform::money::Stotinki;

// A stored amount (leva as a double) in stotinki, as "%.2f" shows it.
Stotinki StoredStotinki(double leva);

// An amount as the printouts show it: "-12.34", "0.00".
std::string MoneyText(Stotinki amount);

// "YYYYMM" as "MM/YYYY"; any other text unchanged.
std::string MonthOfPeriod(std::string_view period);

}  // namespace print
