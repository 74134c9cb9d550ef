#pragma once
// Text tests shared by every reader of the checker. All of them work on the
// file's own Windows-1251 bytes, never on a decoded copy.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace files::checker {

// The encoding signature at the start of a file longer than 4 bytes: 1 UTF-8,
// 2 UTF-16 BE, 3 UTF-16 LE, 4 UTF-32 BE, 5 UTF-32 LE, 6 UTF-7, 7 UTF-1,
// 8 UTF-EBCDIC, 9 SCSU, 10 BOCU-1, 11 GB 18030; 0 when there is none.
int EncodingSignature(std::string_view text);

// True when the bytes are valid UTF-8 and hold at least one Cyrillic letter
// in two bytes (U+0400 to U+04FF): a file saved in UTF-8 without a
// signature. Windows-1251 text with Cyrillic letters practically never
// forms valid UTF-8, and text in ASCII alone is both, so neither counts.
bool IsUtf8CyrillicText(std::string_view text);
// The same, given where the first byte above 0x7F is (ScanText).
bool IsUtf8CyrillicText(std::string_view text, std::size_t firstNonAscii);

// What one pass over a text finds: whether it holds only permitted
// characters (HasOnlyPermittedCharacters), and where its first byte above
// 0x7F is (its size when there is none). One pass, because the files are
// large and reading them costs more than the tests.
struct TextScan {
    bool permitted = true;
    std::size_t firstNonAscii = 0;
};
TextScan ScanText(std::string_view text);

// True when the text holds only the printable characters of Windows-1251
// plus LF, CR, Ctrl-Z and DEL; an empty text passes. Every other control
// character and the one unassigned byte (0x98) fail.
bool HasOnlyPermittedCharacters(std::string_view text);

// The first `count` bytes from `start`, or fewer at the end of the text.
std::string_view WindowAt(std::string_view text, std::size_t start, std::size_t count);

// Line splitting of the checker: a line ends at CR or LF; after it one CR or
// LF is skipped, then one more CR or LF if present, then one Ctrl-Z if
// present. Empty lines are lines; nothing after the last line end is none.
class LineReader {
  public:
    explicit LineReader(std::string_view text) : text_(text) {}
    // The next line (without its end), or false at the end of the text.
    bool next(std::string_view& line);
    // Where the next line would start.
    std::size_t position() const { return pos_; }

  private:
    std::size_t lineEnd();

    std::string_view text_;
    std::size_t pos_ = 0;
    // The next CR and LF at or after pos_ (text size when none): each is
    // searched for again only once passed, so that a text without one of
    // them is not searched through for every line.
    std::size_t nextCr_ = 0, nextLf_ = 0;
    bool searched_ = false;
};

// Number of lines LineReader gives for the text.
std::size_t CountLines(std::string_view text);

// The text without trailing spaces. Inline: it runs for every field of
// every line.
inline std::string_view RightTrim(std::string_view text) {
    // Fields are padded with many spaces: eight at a time first.
    constexpr std::uint64_t kSpaces = 0x2020202020202020;
    while (text.size() >= 8) {
        std::uint64_t last8;
        std::memcpy(&last8, text.data() + text.size() - 8, 8);
        if (last8 != kSpaces) break;
        text.remove_suffix(8);
    }
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

// The text without leading spaces, eight at a time first: right-aligned
// fields are padded on the left.
inline std::string_view LeftTrim(std::string_view text) {
    constexpr std::uint64_t kSpaces = 0x2020202020202020;
    while (text.size() >= 8) {
        std::uint64_t first8;
        std::memcpy(&first8, text.data(), 8);
        if (first8 != kSpaces) break;
        text.remove_prefix(8);
    }
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    return text;
}

// Numeric text test: every character a digit or a space, at most one '-'
// standing before every digit, and (only when decimals are allowed) at most
// one decimal separator, '.' or ','. An empty text passes.
bool IsNumericText(std::string_view text, bool decimalsAllowed);

// The integer at the start of the text as the C library's atoi reads it:
// leading white space, an optional sign, digits up to the first other
// character; 0 when there is none. Saturates instead of overflowing.
std::int64_t LeadingInteger(std::string_view text);

}  // namespace files::checker
