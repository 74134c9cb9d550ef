#pragma once
// Field tests that the readers of the return, the journals and the VIES file
// share. Texts are the right-trimmed fields as cut from the file's lines.

#include <string_view>

namespace files::checker {

enum class VatNumberVerdict { Valid, Empty, BadFormat };

// The VAT number of a file line: "BG" with nine EIK digits or with ten
// digits, and (where `thirteenDigitEik`) "BG" with a 13-digit EIK.
VatNumberVerdict TestVatNumber(std::string_view vin, bool thirteenDigitEik);

// A document date DD/MM/YYYY whose year lies between the given years; all
// tests compare text, as the files hold text.
bool IsWellFormedDate(std::string_view date, std::string_view firstYear, std::string_view lastYear);

bool IsOneOf(std::string_view text, std::initializer_list<std::string_view> values);

}  // namespace files::checker
