#pragma once
// Money arithmetic of the journals, the returns and the file checker.
//
// Amounts are stored in the database as doubles in leva, typed and read from
// files as text, and compared and summed as whole stotinki in 64-bit signed
// integers (Stotinki); the rules never compare doubles.
//
// Rounding policy. Every conversion names its rounding:
//
// * Text to stotinki, ToStotinki(text, rounding). The integer part times 100
//   plus the first two decimals, with the sign applied to the whole (so
//   "-0.5" is -50). A text normally has at most two decimals (the money
//   normaliser and the file layouts give two), and then both modes agree.
//   More than two decimals occur in typed amounts ("600.004" passes the
//   normaliser unchanged) and in hand-made files:
//     Rounding::HalfUp    rounds on the third decimal, ties away from zero:
//                         "1.235" -> 124, "-1.235" -> -124, "600.004" -> 60000.
//                         It gives the two-decimal amount that the screens
//                         and the files show for the typed value, so a rule
//                         judges what the accountant sees. (The stored double
//                         is shown by "%.2f", which sends the rare ties that
//                         are exact in binary, such as 1.125, to the even
//                         stotinka: 1.12. Such a tie may read one stotinka
//                         apart here, within every agreement tolerance.)
//                         Use it for every amount read.
//     Rounding::Truncate  drops the digits after the second decimal:
//                         "1.239" -> 123. For callers that must not round up.
//   Digits after the third never matter: "600.0049" is 60000 either way.
//   "600.004" and "600.01" therefore differ by one stotinka, and "600.004"
//   equals "600.00".
// * Stored leva to stotinki, LevaToStotinki(value): the stotinki of the value
//   printed "%.2f", i.e. exactly what a screen or a file shows for it.
// * Percentages, TruncatedPercent: truncating integer division, as the VAT
//   rules demand (20 % of 0.05 is 0.01; of -0.05 is -0.01).
// * The credited share of partial-credit VAT, CoefficientShare: a positive
//   share rounds half up on the third decimal, a negative one is truncated.
// * Agreement, AgreesWithRate: two amounts agree when they differ by at most
//   one stotinka.

#include <cstdint>
#include <optional>
#include <string_view>

namespace journals {

using Stotinki = std::int64_t;

enum class Rounding { Truncate, HalfUp };

// Reads a money text: optional spaces anywhere, at most one '-' before the
// first digit, at most one decimal separator ('.' or ','), digits. A text
// without digits (empty, "-", ".") is 0. Nullopt for any other text and for
// amounts beyond the 64-bit range.
std::optional<Stotinki> ParseStotinki(std::string_view text, Rounding rounding);

// ParseStotinki for texts already known to be numbers (normalised or tested);
// a text that is not a number reads as 0, like an empty cell.
Stotinki ToStotinki(std::string_view text, Rounding rounding);

// The stotinki of a stored amount, as "%.2f" shows it. A value that is not a
// finite amount within range (which no stored amount is) reads as 0.
Stotinki LevaToStotinki(double leva);

enum class VatRate { Rate20 = 20, Rate9 = 9, Rate7 = 7 };

// rate % of the base, truncated toward zero.
Stotinki TruncatedPercent(Stotinki base, VatRate rate);

// True when vat is within one stotinka of TruncatedPercent(base, rate).
bool AgreesWithRate(Stotinki vat, Stotinki base, VatRate rate);

// True when the amounts differ by at most one stotinka.
bool Agree(Stotinki a, Stotinki b);

// amount x coefficient / 100, the coefficient in hundredths (0.75 -> 75):
// the remainder rounds a positive share half up (10.01 x 0.50 -> 5.01) and is
// dropped from a negative one (-10.01 x 0.50 -> -5.00).
Stotinki CoefficientShare(Stotinki amount, Stotinki coefficientHundredths);

}  // namespace journals
