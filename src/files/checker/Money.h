#pragma once
// Amounts of the files as stotinki, and sums of them over files of any size.
// Sums wrap around on overflow (two's complement, as 64-bit registers do)
// instead of being undefined: a file of millions of 15-digit amounts must not
// crash the checker, and the cross-checks then simply fail.

#include <cstdint>
#include <string_view>

#include "journals/JournalRulesMoney.h"

namespace files::checker {

using journals::Stotinki;

// An amount text of a file in stotinki; a third decimal rounds half up, so
// that a rule judges the amount the screens show. A text that is no number
// reads as 0 (its own rule reports it).
inline Stotinki AmountOf(std::string_view text) {
    return journals::ToStotinki(text, journals::Rounding::HalfUp);
}

// An amount field of a file: its stotinki, and whether it is a number at
// all. The money parser accepts exactly the texts of the numeric-text test
// with decimals (digits, spaces, one '-' before the digits, one '.' or ','),
// so one pass gives both.
struct FieldAmount {
    Stotinki value = 0;
    bool numeric = true;
};
inline FieldAmount ReadAmount(std::string_view text) {
    // Most amount columns of a line are zero.
    if (text.ends_with(" 0.00") || text == "0.00") {
        bool blank = true;
        for (std::size_t i = 0; i + 4 < text.size(); ++i) blank = blank && text[i] == ' ';
        if (blank) return {0, true};
    }
    const auto parsed = journals::ParseStotinki(text, journals::Rounding::HalfUp);
    return {parsed.value_or(0), parsed.has_value()};
}

inline Stotinki wrappingAdd(Stotinki a, Stotinki b) {
    return static_cast<Stotinki>(static_cast<std::uint64_t>(a) + static_cast<std::uint64_t>(b));
}
inline Stotinki wrappingSub(Stotinki a, Stotinki b) {
    return static_cast<Stotinki>(static_cast<std::uint64_t>(a) - static_cast<std::uint64_t>(b));
}
inline Stotinki wrappingNeg(Stotinki a) {
    return wrappingSub(0, a);
}

}  // namespace files::checker
