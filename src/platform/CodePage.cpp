#include "platform/CodePage.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <stdexcept>

namespace platform {
namespace {

// Unicode code points of the Windows-1251 bytes 0x80 to 0xBF; 0xC0 to 0xFF
// are U+0410 to U+044F in order.
constexpr std::array<char32_t, 64> kCp1251High = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
};

char32_t Cp1251ToUnicode(unsigned char byte) {
    if (byte < 0x80) return byte;
    if (byte >= 0xC0) return 0x0410 + (byte - 0xC0);
    return kCp1251High[byte - 0x80];
}

std::optional<unsigned char> UnicodeToCp1251(char32_t cp) {
    if (cp < 0x80) return static_cast<unsigned char>(cp);
    if (cp >= 0x0410 && cp <= 0x044F) return static_cast<unsigned char>(0xC0 + (cp - 0x0410));
    for (std::size_t i = 0; i < kCp1251High.size(); ++i)
        if (kCp1251High[i] == cp) return static_cast<unsigned char>(0x80 + i);
    return std::nullopt;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Reads one UTF-8 sequence at `pos`; returns its code point and advances
// `pos`, or nullopt (leaving `pos`) for an invalid sequence.
std::optional<char32_t> ReadUtf8(std::string_view s, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(s[pos]);
    std::size_t length = 0;
    char32_t cp = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, cp = lead & 0x07;
    } else {
        return std::nullopt;
    }
    if (pos + length > s.size()) return std::nullopt;
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(s[pos + i]);
        if ((next & 0xC0) != 0x80) return std::nullopt;
        cp = (cp << 6) | (next & 0x3F);
    }
    constexpr char32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMinimum[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return std::nullopt;
    pos += length;
    return cp;
}

// CP866 bytes 0x80 to 0xFF as Unicode; 0 marks a box-drawing or block
// character, resolved by boxDrawingFallback.
constexpr std::array<char32_t, 16> kCp866Tail = {
    0x0401, 0x0451, 0x0404, 0x0454, 0x0407, 0x0457, 0x040E, 0x045E,  // F0
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x2116, 0x00A4, 0x25A0, 0x00A0,  // F8
};

char BoxDrawingFallback(unsigned char byte) {
    // 0xB0-0xB2 shades, 0xDB-0xDF blocks: no sensible equivalent.
    if (byte <= 0xB2 || byte >= 0xDB) return '?';
    switch (byte) {
        case 0xB3:
        case 0xBA:
            return '|';
        case 0xC4:
        case 0xCD:
            return '-';
        default:
            return '+';
    }
}

}  // namespace

std::string DecodeCp1251(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char c : bytes) AppendUtf8(out, Cp1251ToUnicode(static_cast<unsigned char>(c)));
    return out;
}

namespace {

// The letters А (U+0410) to я (U+044F), most of what is not ASCII in the
// program's texts, are D0 90..D0 BF and D1 80..D1 8F in UTF-8 and 0xC0..0xFF
// in Windows-1251: one step, without decoding the code point.
std::optional<char> BasicCyrillicLetter(std::string_view utf8, std::size_t pos) {
    if (pos + 1 >= utf8.size()) return std::nullopt;
    const auto lead = static_cast<unsigned char>(utf8[pos]);
    const auto next = static_cast<unsigned char>(utf8[pos + 1]);
    if (lead == 0xD0 && next >= 0x90 && next <= 0xBF) return static_cast<char>(0xC0 + next - 0x90);
    if (lead == 0xD1 && next >= 0x80 && next <= 0x8F) return static_cast<char>(0xF0 + next - 0x80);
    return std::nullopt;
}

}  // namespace

bool AppendCp1251(std::string& out, std::string_view utf8) {
    const std::size_t start = out.size();
    for (std::size_t pos = 0; pos < utf8.size();) {
        // ASCII stays as it is; most of a line is.
        std::size_t ascii = pos;
        for (std::uint64_t word; ascii + 8 <= utf8.size(); ascii += 8) {
            std::memcpy(&word, utf8.data() + ascii, 8);
            if (word & 0x8080808080808080u) break;
        }
        while (ascii < utf8.size() && static_cast<unsigned char>(utf8[ascii]) < 0x80) ++ascii;
        out.append(utf8.data() + pos, ascii - pos);
        pos = ascii;
        if (pos == utf8.size()) break;
        if (const auto letter = BasicCyrillicLetter(utf8, pos)) {
            // A word's letters follow one another.
            out += *letter;
            for (pos += 2; const auto more = BasicCyrillicLetter(utf8, pos); pos += 2) out += *more;
            continue;
        }
        const auto cp = ReadUtf8(utf8, pos);
        const auto byte = cp ? UnicodeToCp1251(*cp) : std::nullopt;
        if (!byte) {
            out.resize(start);
            return false;
        }
        out += static_cast<char>(*byte);
    }
    return true;
}

std::optional<std::string> EncodeCp1251(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    if (!AppendCp1251(out, utf8)) return std::nullopt;
    return out;
}

std::string ToCp1251(std::string_view utf8) {
    if (auto bytes = EncodeCp1251(utf8)) return std::move(*bytes);
    throw std::invalid_argument("Windows-1251 cannot hold the character \"" +
                                FirstUnencodableCharacter(utf8).value_or("") + "\"");
}

std::optional<std::string> FirstUnencodableCharacter(std::string_view utf8) {
    for (std::size_t pos = 0; pos < utf8.size();) {
        const std::size_t start = pos;
        const auto cp = ReadUtf8(utf8, pos);
        if (!cp) return std::string(utf8.substr(start, 1));
        if (!UnicodeToCp1251(*cp)) return std::string(utf8.substr(start, pos - start));
    }
    return std::nullopt;
}

std::string Cp866ToCp1251(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        char32_t cp = 0;
        if (byte < 0x80) {
            cp = byte;
        } else if (byte < 0xB0) {
            cp = 0x0410 + (byte - 0x80);  // А..Я, а..п
        } else if (byte >= 0xE0 && byte < 0xF0) {
            cp = 0x0440 + (byte - 0xE0);  // р..я
        } else if (byte >= 0xF0) {
            cp = kCp866Tail[byte - 0xF0];
        } else {
            out += BoxDrawingFallback(byte);
            continue;
        }
        const auto converted = UnicodeToCp1251(cp);
        out += converted ? static_cast<char>(*converted) : '?';
    }
    return out;
}

std::size_t Utf8Length(std::string_view utf8) {
    std::size_t count = 0;
    for (char c : utf8)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
    return count;
}

std::string Utf8Prefix(std::string_view utf8, std::size_t count) {
    std::size_t pos = 0;
    for (std::size_t seen = 0; pos < utf8.size(); ++pos) {
        if ((static_cast<unsigned char>(utf8[pos]) & 0xC0) != 0x80 && seen++ == count) break;
    }
    return std::string(utf8.substr(0, pos));
}

}  // namespace platform
