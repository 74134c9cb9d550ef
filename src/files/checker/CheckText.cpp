#include "files/checker/CheckText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <limits>
#include <string>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/CodePage.h"
#include "platform/Text.h"

namespace files::checker {
namespace {

constexpr char kCtrlZ = '\x1A';

bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}
// The characters the checker accepts, as Unicode code points.
bool IsPermittedCodePoint(char32_t cp) {
    if (cp == 0x0A || cp == 0x0D || cp == 0x1A) return true;
    if (cp >= 0x20 && cp <= 0x7F) return true;
    if ((cp >= 0x0401 && cp <= 0x040C) || (cp >= 0x040E && cp <= 0x044F) ||
        (cp >= 0x0451 && cp <= 0x045C) || cp == 0x045E || cp == 0x045F || cp == 0x0490 ||
        cp == 0x0491)
        return true;
    switch (cp) {
        case 0x00A0:
        case 0x00A4:
        case 0x00A6:
        case 0x00A7:
        case 0x00A9:
        case 0x00AB:
        case 0x00AC:
        case 0x00AD:
        case 0x00AE:
        case 0x00B0:
        case 0x00B1:
        case 0x00B5:
        case 0x00B6:
        case 0x00B7:
        case 0x00BB:
        case 0x2013:
        case 0x2014:
        case 0x2018:
        case 0x2019:
        case 0x201A:
        case 0x201C:
        case 0x201D:
        case 0x201E:
        case 0x2020:
        case 0x2021:
        case 0x2022:
        case 0x2026:
        case 0x2030:
        case 0x2039:
        case 0x203A:
        case 0x20AC:
        case 0x2116:
        case 0x2122:
            return true;
        default:
            return false;
    }
}

char32_t FirstCodePoint(const std::string& utf8) {
    const auto b = [&](std::size_t i) { return static_cast<unsigned char>(utf8[i]); };
    if (b(0) < 0x80) return b(0);
    if (b(0) < 0xE0) return (char32_t(b(0) & 0x1F) << 6) | (b(1) & 0x3F);
    return (char32_t(b(0) & 0x0F) << 12) | (char32_t(b(1) & 0x3F) << 6) | (b(2) & 0x3F);
}

// Which Windows-1251 bytes are permitted, derived from the code points above.
const std::array<bool, 256>& PermittedBytes() {
    static const std::array<bool, 256> table = [] {
        std::array<bool, 256> permitted{};
        for (int b = 0; b < 256; ++b) {
            const char byte = static_cast<char>(b);
            permitted[b] = IsPermittedCodePoint(
                FirstCodePoint(platform::DecodeCp1251(std::string_view(&byte, 1))));
        }
        return permitted;
    }();
    return table;
}

bool StartsWith(std::string_view text, std::initializer_list<unsigned char> bytes) {
    if (text.size() < bytes.size()) return false;
    std::size_t i = 0;
    for (unsigned char b : bytes)
        if (static_cast<unsigned char>(text[i++]) != b) return false;
    return true;
}

#if defined(__SSE2__)
// The bytes of a block of sixteen that are forbidden: a control byte other
// than LF, CR and Ctrl-Z, or 0x98. The tests of PermittedCharacters hold
// this to the table derived from the characters.
__m128i ForbiddenBytes(__m128i x) {
    const __m128i control = _mm_cmpeq_epi8(_mm_min_epu8(x, _mm_set1_epi8(0x1F)), x);
    const __m128i lineEnd = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(x, _mm_set1_epi8('\n')),
                                                      _mm_cmpeq_epi8(x, _mm_set1_epi8('\r'))),
                                         _mm_cmpeq_epi8(x, _mm_set1_epi8(0x1A)));
    return _mm_or_si128(_mm_andnot_si128(lineEnd, control),
                        _mm_cmpeq_epi8(x, _mm_set1_epi8(static_cast<char>(0x98))));
}

__m128i Load16(const unsigned char* at) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
}
#endif

// The length of the UTF-8 sequence that starts with `lead` (2 to 4), or 0
// when no valid sequence starts with it.
std::size_t Utf8SequenceLength(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

}  // namespace

bool IsUtf8CyrillicText(std::string_view text) {
    return IsUtf8CyrillicText(text, ScanText(text).firstNonAscii);
}

bool IsUtf8CyrillicText(std::string_view text, std::size_t firstNonAscii) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    bool cyrillic = false;
    for (std::size_t i = firstNonAscii; i < text.size();) {
        const unsigned char lead = bytes[i];
        if (lead < 0x80) {
            ++i;
            continue;
        }
        const std::size_t length = Utf8SequenceLength(lead);
        if (length == 0 || text.size() - i < length) return false;
        char32_t cp = lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            if ((bytes[i + k] & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (bytes[i + k] & 0x3F);
        }
        // Overlong forms, surrogates and code points past Unicode are not UTF-8.
        if (length == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) return false;
        if (length == 4 && (cp < 0x10000 || cp > 0x10FFFF)) return false;
        cyrillic = cyrillic || (cp >= 0x0400 && cp <= 0x04FF);
        i += length;
    }
    return cyrillic;
}

int EncodingSignature(std::string_view text) {
    if (text.size() <= 4) return 0;
    if (StartsWith(text, {0xEF, 0xBB})) return 1;
    if (StartsWith(text, {0xFE, 0xFF})) return 2;
    if (StartsWith(text, {0xFF, 0xFE, 0x00, 0x00})) return 5;
    if (StartsWith(text, {0xFF, 0xFE})) return 3;
    if (StartsWith(text, {0x00, 0x00, 0xFE, 0xFF})) return 4;
    if (StartsWith(text, {0x2B, 0x2F, 0x76})) {
        const char c = text[3];
        if (c == 0x38 || c == 0x39 || c == 0x2B || c == 0x2F) return 6;
    }
    if (StartsWith(text, {0xF7, 0x64, 0x4C})) return 7;
    if (StartsWith(text, {0xDD, 0x73, 0x66, 0x73})) return 8;
    if (StartsWith(text, {0x0E, 0xFE, 0xFF})) return 9;
    if (StartsWith(text, {0xFB, 0xEE, 0x28})) return 10;
    if (StartsWith(text, {0x84, 0x31, 0x95, 0x33})) return 11;
    return 0;
}

bool HasOnlyPermittedCharacters(std::string_view text) {
    const auto& permitted = PermittedBytes();
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    std::size_t i = 0;
#if defined(__SSE2__)
    for (; i + 64 <= text.size(); i += 64) {
        const __m128i any = _mm_or_si128(
            _mm_or_si128(ForbiddenBytes(Load16(bytes + i)), ForbiddenBytes(Load16(bytes + i + 16))),
            _mm_or_si128(ForbiddenBytes(Load16(bytes + i + 32)),
                         ForbiddenBytes(Load16(bytes + i + 48))));
        if (_mm_movemask_epi8(any) != 0) return false;
    }
#endif
    for (; i < text.size(); ++i)
        if (!permitted[bytes[i]]) return false;
    return true;
}

TextScan ScanText(std::string_view text) {
    const auto& permitted = PermittedBytes();
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    TextScan scan{true, text.size()};
    const auto done = [&] { return !scan.permitted && scan.firstNonAscii < text.size(); };
    std::size_t i = 0;
#if defined(__SSE2__)
    for (; i + 64 <= text.size() && !done(); i += 64) {
        const __m128i blocks[4] = {Load16(bytes + i), Load16(bytes + i + 16),
                                   Load16(bytes + i + 32), Load16(bytes + i + 48)};
        if (scan.permitted) {
            const __m128i any =
                _mm_or_si128(_mm_or_si128(ForbiddenBytes(blocks[0]), ForbiddenBytes(blocks[1])),
                             _mm_or_si128(ForbiddenBytes(blocks[2]), ForbiddenBytes(blocks[3])));
            scan.permitted = _mm_movemask_epi8(any) == 0;
        }
        if (scan.firstNonAscii < text.size()) continue;
        const __m128i all =
            _mm_or_si128(_mm_or_si128(blocks[0], blocks[1]), _mm_or_si128(blocks[2], blocks[3]));
        if (_mm_movemask_epi8(all) == 0) continue;
        for (int k = 0; k < 4; ++k) {
            if (const int high = _mm_movemask_epi8(blocks[k])) {
                scan.firstNonAscii = i + 16 * k + static_cast<std::size_t>(__builtin_ctz(high));
                break;
            }
        }
    }
#endif
    for (; i < text.size() && !done(); ++i) {
        scan.permitted = scan.permitted && permitted[bytes[i]];
        if (bytes[i] >= 0x80 && scan.firstNonAscii == text.size()) scan.firstNonAscii = i;
    }
    return scan;
}

std::string_view WindowAt(std::string_view text, std::size_t start, std::size_t count) {
    if (start >= text.size()) return {};
    return text.substr(start, count);
}

std::size_t LineReader::lineEnd() {
    const auto find = [this](char c) {
        const void* found = std::memchr(text_.data() + pos_, c, text_.size() - pos_);
        return found ? static_cast<std::size_t>(static_cast<const char*>(found) - text_.data())
                     : text_.size();
    };
    if (!searched_ || nextCr_ < pos_) nextCr_ = find('\r');
    if (!searched_ || nextLf_ < pos_) nextLf_ = find('\n');
    searched_ = true;
    return std::min(nextCr_, nextLf_);
}

bool LineReader::next(std::string_view& line) {
    if (pos_ >= text_.size()) return false;
    const std::size_t end = lineEnd();
    line = text_.substr(pos_, end - pos_);
    pos_ = end;
    if (pos_ < text_.size()) ++pos_;  // the CR or LF that ended the line
    if (pos_ < text_.size() && IsLineEnd(text_[pos_])) ++pos_;
    if (pos_ < text_.size() && text_[pos_] == kCtrlZ) ++pos_;
    return true;
}

std::size_t CountLines(std::string_view text) {
    LineReader reader(text);
    std::size_t count = 0;
    for (std::string_view line; reader.next(line);) ++count;
    return count;
}

bool IsNumericText(std::string_view text, bool decimalsAllowed) {
    bool seenDigit = false, seenMinus = false, seenSeparator = false;
    for (char c : text) {
        if (platform::IsDigit(c)) {
            seenDigit = true;
        } else if (c == ' ') {
            continue;
        } else if (c == '-') {
            if (seenMinus || seenDigit) return false;
            seenMinus = true;
        } else if (c == '.' || c == ',') {
            if (!decimalsAllowed || seenSeparator) return false;
            seenSeparator = true;
        } else {
            return false;
        }
    }
    return true;
}

std::int64_t LeadingInteger(std::string_view text) {
    // Numbers are right-aligned in their fields: skip the padding eight
    // spaces at a time first.
    constexpr std::uint64_t kSpaces = 0x2020202020202020;
    std::size_t i = 0;
    for (std::uint64_t next8; i + 8 <= text.size(); i += 8) {
        std::memcpy(&next8, text.data() + i, 8);
        if (next8 != kSpaces) break;
    }
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
    std::int64_t value = 0;
    for (; i < text.size() && platform::IsDigit(text[i]); ++i) {
        const int digit = text[i] - '0';
        // Only a value this large can overflow: the exact test divides.
        if (value >= kMax / 10 && value > (kMax - digit) / 10) return negative ? -kMax : kMax;
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

}  // namespace files::checker
