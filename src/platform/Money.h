#pragma once
// Money: the one place where amounts are read, converted and written.
//
// The database holds amounts as doubles in leva; typed texts and file fields
// hold them as decimal text. Every comparison, sum and derived amount is made
// in whole stotinki (hundredths), 64-bit signed: Stotinki. Screens, files,
// reports and printouts write stotinki, so they all show the same value.
//
// Rounding policy. A conversion that can lose digits says how, and every
// caller names the mode it wants:
//
// * Text to stotinki (typed texts and file fields, one reader for both).
//   The integer part times 100 plus the first two decimals, the sign applied
//   to the whole ("-0.5" is -50). ',' is a decimal point exactly like '.'.
//   Texts normally have at most two decimals, and then the modes agree. With
//   more (a typed "600.004", a hand-made file):
//     Rounding::HalfUp    rounds on the third decimal, ties away from zero:
//                         "1.235" -> 124, "-1.235" -> -124, "600.004" -> 60000.
//     Rounding::Truncate  drops the digits after the second: "1.239" -> 123.
//   Digits after the third never matter.
// * Stored leva to stotinki, FromStoredLeva: the stotinki that printf's
//   "%.2f" shows for the double, i.e. the nearest stotinka of its binary
//   value (a tie exact in binary, such as 1.125, goes to the even stotinka).
//   Stotinki to stored leva, ToStoredLeva, is exact: the nearest double of
//   the hundredths, which FromStoredLeva reads back unchanged.
// * Partial credit, CoefficientShare: amount x coefficient (in hundredths)
//   / 100, a positive share rounded half up, a negative one truncated toward
//   zero (the rule the return and its check share).
// * Writing never rounds: stotinki are written exactly, "-12.34", and zero
//   is always "0.00", never "-0.00".

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform::money {

using Stotinki = std::int64_t;

enum class Rounding { HalfUp, Truncate };

// ---- reading ----

// Reads a money text: spaces anywhere, at most one '-' before the first
// digit, at most one decimal separator ('.' or ','), digits. A text without
// digits ("", "-", ".") is 0. Nullopt for any other text and for amounts
// beyond 10^16 leva.
std::optional<Stotinki> FromText(std::string_view text, Rounding rounding);

// An amount the user typed; "" is 0, nullopt when it is no amount.
inline std::optional<Stotinki> FromTypedText(std::string_view text, Rounding rounding) {
    return FromText(text, rounding);
}

// An amount field cut from a file line: its stotinki, and whether the text
// is a number at all (the numeric-text test with decimals accepts exactly
// the texts FromText reads). A text that is no number reads as 0.
struct FileAmount {
    Stotinki value = 0;
    bool numeric = true;
};
FileAmount FromFileField(std::string_view text, Rounding rounding);

// The leva value of a money text with every decimal it has, as a double
// (read like FromText, ',' included); 0 for a text that is no amount. For
// storing a typed text as typed and for rules that judge leva, not stotinki.
double LevaFromText(std::string_view text);

// The stotinki of a stored amount, as "%.2f" shows it. A value that is not
// finite or beyond 10^16 leva (which no stored amount is) reads as 0.
Stotinki FromStoredLeva(double leva);

// The double to store for an amount in stotinki.
inline double ToStoredLeva(Stotinki amount) {
    return static_cast<double>(amount) / 100.0;
}

// ---- writing ----

// "1234.50", "-0.05", "0.00".
std::string ToScreenText(Stotinki amount);

// A field of a fixed-width file: the screen text right-aligned in `width`
// columns (a minimum: a longer value is written whole), like "%15.2f".
void AppendFileField(std::string& line, Stotinki amount, std::size_t width);
std::string ToFileField(Stotinki amount, std::size_t width);

// A column of the check report: exactly 15 characters. The amount is split
// into parts that fit 32-bit printf conversions: "% 7d%05d.%02d" with
// h = amount / 10^7, u = (amount / 100) mod 10^5 and the stotinki when h is
// not 0, else "% 12d.%02d", else (-0.99 to -0.01) "-0.%02d" right-aligned;
// what is longer than 15 characters is cut to its first 15.
std::string ToReportColumn(Stotinki amount);

// Rewrites a typed money text to at least two decimals: white space
// trimmed, ',' read as '.', "" -> "0.00", "7" -> "7.00", "12,5" -> "12.50";
// three or more decimals are left as typed ("1.234"). A leading '-' is
// allowed. On success the text is rewritten and true returned; otherwise the
// text is left untouched. maxLength bounds the result (the journals pass 15).
bool NormaliseMoneyText(std::string& text, int maxLength);

// ---- arithmetic ----

// amount x coefficientHundredths / 100 (0.75 -> 75): the remainder rounds a
// positive share half up (10.01 x 0.50 -> 5.01) and is dropped from a
// negative one (-10.01 x 0.50 -> -5.00). Taken in 128 bits; a share beyond
// the 64-bit range is held at its limit.
Stotinki CoefficientShare(Stotinki amount, Stotinki coefficientHundredths);

// Sums over files of any size wrap around on overflow (two's complement)
// instead of being undefined: millions of 15-digit amounts must not crash a
// check, whose cross-checks then simply fail.
inline Stotinki WrappingAdd(Stotinki a, Stotinki b) {
    return static_cast<Stotinki>(static_cast<std::uint64_t>(a) + static_cast<std::uint64_t>(b));
}
inline Stotinki WrappingSub(Stotinki a, Stotinki b) {
    return static_cast<Stotinki>(static_cast<std::uint64_t>(a) - static_cast<std::uint64_t>(b));
}
inline Stotinki WrappingNeg(Stotinki a) {
    return WrappingSub(0, a);
}

}  // namespace platform::money
