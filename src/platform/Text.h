#pragma once
// Small text helpers shared by every layer. Text is UTF-8; the tests look
// at ASCII only, so multi-byte characters are never split or mistaken.

#include <algorithm>
#include <string_view>

namespace platform {

// The whitespace Trim removes: space, tab, line feed, carriage return,
// vertical tab and form feed.
inline constexpr std::string_view kWhitespace = " \t\n\r\v\f";

inline bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// True when every character is a decimal digit (also for "").
inline bool AllDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), IsDigit);
}

// The text without leading and trailing whitespace.
inline std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(kWhitespace);
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(kWhitespace);
    return text.substr(first, last - first + 1);
}

}  // namespace platform
