#pragma once
// How the VAT return editor shows its cells and reads what the user types
// into them. Cells are edit boxes of text; amounts are shown with two
// decimals and compared in whole stotinki.

#include <string>
#include <string_view>

#include "journals/JournalRulesMoney.h"

namespace returns {

// A stored amount as the editor shows it: "%.2f" (the binary value rounded
// to the nearest stotinka).
std::string FormatLeva(double leva);

// Whole stotinki as "-12.34".
std::string FormatStotinki(journals::Stotinki amount);

// The typing rule of the cells the user fills: digits and at most one
// decimal separator, '.' or ','. No sign: none of these cells is negative.
bool TypedAmountIsValid(std::string_view text);

// A typed amount in stotinki, rounded half up on the third decimal; an
// empty text is 0. Text the typing rule refuses reads as 0.
journals::Stotinki TypedStotinki(std::string_view text);

// The decimal number at the start of the text, read up to the first
// character that cannot continue it ("12.5x" -> 12.5); a text that starts
// with no number, the empty text included, is 0. Never depends on the locale.
double LeadingNumber(std::string_view text);

}  // namespace returns
