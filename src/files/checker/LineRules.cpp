#include "files/checker/LineRules.h"

#include <algorithm>

#include "persons/IdentifierChecks.h"
#include "platform/Text.h"

namespace files::checker {

VatNumberVerdict TestVatNumber(std::string_view vin, bool thirteenDigitEik) {
    if (vin.empty()) return VatNumberVerdict::Empty;
    if (!vin.starts_with("BG")) return VatNumberVerdict::BadFormat;
    const std::string_view number = vin.substr(2);
    bool valid = false;
    if (vin.size() == 11)
        valid = persons::IsValidEik(number, nullptr);
    else if (vin.size() == 12)
        valid = std::all_of(number.begin(), number.end(), platform::IsDigit);
    else if (vin.size() == 15 && thirteenDigitEik)
        valid = persons::IsValidEik(number, nullptr);
    return valid ? VatNumberVerdict::Valid : VatNumberVerdict::BadFormat;
}

bool IsWellFormedDate(std::string_view date, std::string_view firstYear,
                      std::string_view lastYear) {
    if (date.size() < 10) return false;
    for (std::size_t i : {0, 1, 3, 4, 6, 7, 8, 9})
        if (!platform::IsDigit(date[i])) return false;
    const std::string_view year = date.substr(date.size() - 4);
    if (year < firstYear || year > lastYear) return false;
    // Two digits compare as their numbers do.
    const int day = (date[0] - '0') * 10 + (date[1] - '0');
    const int month = (date[3] - '0') * 10 + (date[4] - '0');
    return month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

}  // namespace files::checker
