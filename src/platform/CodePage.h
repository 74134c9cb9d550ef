#pragma once
// Conversions at the file boundary. In memory all text is UTF-8; every file the
// program reads or writes is Windows-1251 (the OEM code page is CP866).

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Decodes Windows-1251 bytes to UTF-8. Every byte has a meaning (the one
// unassigned byte 0x98 decodes to U+0098), so decoding never fails and
// encoding the result gives back the same bytes.
std::string DecodeCp1251(std::string_view bytes);

// Encodes UTF-8 text as Windows-1251; nullopt when the text holds a character
// that Windows-1251 cannot hold or is not valid UTF-8.
std::optional<std::string> EncodeCp1251(std::string_view utf8);

// Appends the Windows-1251 bytes of the UTF-8 text to `out`; false, with
// `out` as it was, when the text holds a character that Windows-1251 cannot
// hold or is not valid UTF-8.
bool AppendCp1251(std::string& out, std::string_view utf8);

// Encodes UTF-8 text that is known to be representable; throws
// std::invalid_argument naming the character otherwise.
std::string ToCp1251(std::string_view utf8);

// The first character of the UTF-8 text that Windows-1251 cannot hold, as
// UTF-8 (an invalid byte sequence is returned as its first byte); nullopt when
// the whole text can be encoded.
std::optional<std::string> FirstUnencodableCharacter(std::string_view utf8);

// Converts CP866 (OEM) bytes to Windows-1251 bytes. Box-drawing characters,
// which Windows-1251 lacks, become '+', '-' or '|' as on the original platform;
// other characters without an equivalent become '?'.
std::string Cp866ToCp1251(std::string_view bytes);

// Number of characters (code points) in UTF-8 text; widths and entry limits
// count characters, never bytes.
std::size_t Utf8Length(std::string_view utf8);

// The first `count` characters of UTF-8 text (all of it when shorter).
std::string Utf8Prefix(std::string_view utf8, std::size_t count);

}  // namespace platform
