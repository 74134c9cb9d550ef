#pragma once
// Small text helpers shared by every layer. Text is UTF-8; the tests look
// at ASCII only, so multi-byte characters are never split or mistaken.

#include <algorithm>
#include <string>
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

// The ASCII control characters: below 0x20, and 0x7F (DEL). No field of the
// program holds one; they would break the records of the files.
inline bool IsControlCharacter(char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
}

// The position of the first control character of the text, or npos.
inline std::size_t FindControlCharacter(std::string_view text) {
    const auto it = std::find_if(text.begin(), text.end(), IsControlCharacter);
    return it == text.end() ? std::string_view::npos : std::size_t(it - text.begin());
}

// How a message names a control character: „нов ред“, „табулация“, or its
// code.
inline std::string ControlCharacterName(char c) {
    switch (c) {
        case '\n':
            return "„нов ред“";
        case '\r':
            return "„връщане на каретката“";
        case '\t':
            return "„табулация“";
        case 0x1A:
            return "„край на файл“";
        default:
            return "с код " + std::to_string(static_cast<unsigned char>(c));
    }
}

// The text without leading and trailing whitespace.
inline std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(kWhitespace);
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(kWhitespace);
    return text.substr(first, last - first + 1);
}

// The longest value of the settings file a message shows whole: values kept
// in the system registry are at most 255 bytes.
inline constexpr std::size_t kShownValueLimit = 255;

// What a message shows of a value taken from outside (a settings line may be
// megabytes long): at most `limit` bytes, cut before a UTF-8 character that
// would not fit whole, then "…" and the length of the whole value.
inline std::string ShownValue(std::string_view value, std::size_t limit = kShownValueLimit) {
    if (value.size() <= limit) return std::string(value);
    std::size_t cut = limit;
    // Back over continuation bytes (10xxxxxx) to the start of a character.
    while (cut > 0 && (static_cast<unsigned char>(value[cut]) & 0xC0) == 0x80) --cut;
    return std::string(value.substr(0, cut)) + "… (" + std::to_string(value.size()) + " байта)";
}

}  // namespace platform
