#include "persons/IdentifierChecks.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstddef>

#include "platform/CodePage.h"
#include "platform/Text.h"
#include "ui/Host.h"

namespace persons {
namespace {

int DigitAt(std::string_view text, std::size_t position) {
    return text[position] - '0';
}

// Refuses with a message when a host is given; always returns the refusal.
template <class Result>
Result Refuse(ui::Host* host, const char* message, Result refusal) {
    if (host != nullptr) host->error(message);
    return refusal;
}

// Sum of the digits of `text` from `first` (0-based) times the weights.
template <std::size_t N>
int WeightedSum(std::string_view text, std::size_t first, const std::array<int, N>& weights) {
    int sum = 0;
    for (std::size_t i = 0; i < N; ++i) sum += DigitAt(text, first + i) * weights[i];
    return sum;
}

// The EIK check digit: a remainder of 10 takes the second weights, and a
// second 10 counts as 0.
template <std::size_t N>
int EikCheckDigit(std::string_view digits, std::size_t first, const std::array<int, N>& pass1,
                  const std::array<int, N>& pass2) {
    int r = WeightedSum(digits, first, pass1) % 11;
    if (r == 10) r = WeightedSum(digits, first, pass2) % 11;
    return r == 10 ? 0 : r;
}

constexpr std::array<int, 8> kEik9Pass1{1, 2, 3, 4, 5, 6, 7, 8};
constexpr std::array<int, 8> kEik9Pass2{3, 4, 5, 6, 7, 8, 9, 10};
constexpr std::array<int, 4> kEik13Pass1{2, 7, 3, 5};
constexpr std::array<int, 4> kEik13Pass2{4, 9, 5, 7};
constexpr std::array<int, 9> kEgnWeights{2, 4, 8, 5, 10, 9, 7, 3, 6};
constexpr std::array<int, 9> kLnchWeights{21, 19, 17, 13, 11, 9, 7, 3, 1};
constexpr std::array<int, 9> kServiceWeights{4, 3, 2, 7, 6, 5, 4, 3, 2};

constexpr const char* kEikNonDigit = "Има нечислови символи в Полето за ЕИК";

// The birth date of an EGN: month 01-12 (1900s), 21-32 (1800s) or 41-52
// (2000s); the day within the month. Returns the refusal message or nullptr.
const char* EgnDateFault(std::string_view egn) {
    const int yy = DigitAt(egn, 0) * 10 + DigitAt(egn, 1);
    const int mm = DigitAt(egn, 2) * 10 + DigitAt(egn, 3);
    const int dd = DigitAt(egn, 4) * 10 + DigitAt(egn, 5);
    const bool inCentury =
        (mm >= 1 && mm <= 12) || (mm >= 21 && mm <= 32) || (mm >= 41 && mm <= 52);
    if (!inCentury) return "Неправилно изписан месец в ЕГН";
    if (dd == 0) return "Денят трябва да е по-голям от 0 в ЕГН";
    switch (mm % 20) {
        case 4:
        case 6:
        case 9:
        case 11:
            return dd > 30 ? "Денят трябва да е най-много 30 за този месец в ЕГН" : nullptr;
        case 2: {
            // Year 00 of the 1900s (1900) is not a leap year; every other
            // year divisible by 4 is.
            const bool leap = yy % 4 == 0 && !(yy == 0 && mm <= 12);
            if (leap)
                return dd > 29 ? "Денят трябва да е най-много 29 за този месец в ЕГН" : nullptr;
            return dd > 28 ? "Денят трябва да е най-много 28 за този месец в ЕГН" : nullptr;
        }
        default:
            return dd > 31 ? "Денят трябва да е най-много 31 за този месец в ЕГН" : nullptr;
    }
}

bool IsServiceNumber(std::string_view digits) {
    const int r = WeightedSum(digits, 0, kServiceWeights) % 11;
    if (r == 1) return false;  // no check digit exists for remainder 1
    const int check = r == 0 ? 0 : 11 - r;
    return check == DigitAt(digits, 9);
}

struct PrefixRow {
    std::string_view prefix;
    int from, toA, toB;
};

// Walked in order; the first row whose prefix matches decides.
constexpr std::array<PrefixRow, 27> kMemberStates{{
    {"CY", 200801, 203001, 203001}, {"DE", 200801, 203001, 203001}, {"EL", 200801, 203001, 203001},
    {"DK", 200801, 203001, 203001}, {"EE", 200801, 203001, 203001}, {"IE", 200801, 203001, 203001},
    {"ES", 200801, 203001, 203001}, {"IT", 200801, 203001, 203001}, {"LV", 200801, 203001, 203001},
    {"LU", 200801, 203001, 203001}, {"MT", 200801, 203001, 203001}, {"PL", 200801, 203001, 203001},
    {"PT", 200801, 203001, 203001}, {"SK", 200801, 203001, 203001}, {"SI", 200801, 203001, 203001},
    {"HU", 200801, 203001, 203001}, {"FI", 200801, 203001, 203001}, {"FR", 200801, 203001, 203001},
    {"SE", 200801, 203001, 203001}, {"AT", 200801, 203001, 203001}, {"BE", 200801, 203001, 203001},
    {"CZ", 200801, 203001, 203001}, {"GB", 200801, 202012, 202112}, {"LT", 200801, 203001, 203001},
    {"NL", 200801, 203001, 203001}, {"RO", 201301, 203001, 203001}, {"XI", 202101, 203001, 203001},
}};

// The integer a period text spells, read like atoi: leading digits, else 0.
int PeriodNumber(std::string_view period) {
    int value = 0;
    std::from_chars(period.data(), period.data() + period.size(), value);
    return value;
}

}  // namespace

bool IsValidEik(std::string_view text, ui::Host* host) {
    const std::string_view eik = platform::Trim(text);
    const std::size_t length = platform::Utf8Length(eik);
    if (length != 9 && length != 13) {
        return Refuse(host, "Некоректна дължина в Полето за Булстат", false);
    }
    if (!platform::AllDigits(eik.substr(0, 9))) return Refuse(host, kEikNonDigit, false);
    if (EikCheckDigit(eik, 0, kEik9Pass1, kEik9Pass2) != DigitAt(eik, 8)) return false;
    if (length == 9) return true;
    if (!platform::AllDigits(eik.substr(9))) return Refuse(host, kEikNonDigit, false);
    return EikCheckDigit(eik, 8, kEik13Pass1, kEik13Pass2) == DigitAt(eik, 12);
}

PersonalNumber CheckPersonalNumber(std::string_view text, ui::Host* host, bool allowServiceNumber) {
    if (platform::Utf8Length(text) != 10) {
        return Refuse(host, "Некоректна дължина в Полето за ЕГН", PersonalNumber::Invalid);
    }
    if (!platform::AllDigits(text)) {
        return Refuse(host, "Има нечислови символи в Полето за ЕГН", PersonalNumber::Invalid);
    }
    const int checkDigit = DigitAt(text, 9);
    int egnCheck = WeightedSum(text, 0, kEgnWeights) % 11;
    if (egnCheck == 10) egnCheck = 0;
    if (egnCheck == checkDigit) {
        // An EGN check digit decides: a wrong date refuses the number even
        // when it would also pass as an LNCh.
        if (const char* fault = EgnDateFault(text)) {
            return Refuse(host, fault, PersonalNumber::Invalid);
        }
        return PersonalNumber::Egn;
    }
    if (WeightedSum(text, 0, kLnchWeights) % 10 == checkDigit) return PersonalNumber::Lnch;
    if (allowServiceNumber && IsServiceNumber(text)) return PersonalNumber::ServiceNumber;
    return Refuse(host, "Неправилен ЕГН/ЛНЧ", PersonalNumber::Invalid);
}

bool IsEuVatPrefixValid(EuPrefixVariant variant, std::string_view vatNumber,
                        std::string_view period, bool acceptXi) {
    if (platform::Utf8Length(vatNumber) <= 2) return false;
    if (acceptXi && vatNumber.starts_with("XI")) return true;
    const std::string_view prefix = vatNumber.substr(0, 2);
    const int periodNumber = PeriodNumber(period);
    for (const PrefixRow& row : kMemberStates) {
        if (row.prefix != prefix) continue;
        const int to = variant == EuPrefixVariant::A ? row.toA : row.toB;
        return row.from <= periodNumber && periodNumber <= to;
    }
    // Croatia joined in July 2013; its period is compared as text.
    return period >= "201307" && vatNumber.starts_with("HR");
}

bool IsBulgarianVatNumberForm(std::string_view text) {
    if (!text.starts_with("BG")) return false;
    const std::size_t length = platform::Utf8Length(text);
    if (length == 12) return true;
    return length == 11 && IsValidEik(text.substr(2), nullptr);
}

bool IsKnownIdentifierForm(std::string_view text, EuPrefixVariant variant, std::string_view period,
                           bool acceptPlaceholder) {
    if (text.starts_with("BG")) return IsBulgarianVatNumberForm(text);
    if (acceptPlaceholder && text == kPlaceholderIdentifier) return true;
    return CheckPersonalNumber(text, nullptr, true) != PersonalNumber::Invalid ||
           IsValidEik(text, nullptr) || IsEuVatPrefixValid(variant, text, period);
}

}  // namespace persons
