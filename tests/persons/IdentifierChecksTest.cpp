#include "persons/IdentifierChecks.h"

#include <span>

#include <gtest/gtest.h>

#include "support/CaseTable.h"
#include "support/ScriptedHost.h"

using persons::EuPrefixVariant;
using persons::PersonalNumber;
using testing_support::CaseTable;
using testing_support::ScriptedHost;

namespace {

// The one error box a check showed; "" when it stayed silent.
std::string OnlyMessage(ScriptedHost& host) {
    const auto box = host.takeBox();
    host.expectNoMoreBoxes();
    if (!box) return "";
    EXPECT_EQ(box->icon, ui::Icon::Error);
    return box->text;
}

}  // namespace

// ---- EIK/Bulstat ----

struct EikCase {
    const char* text;
    bool valid;
    const char* message;  // "" when refused silently or accepted
};

TEST(IsValidEik, NineAndThirteenDigitsWithBothWeightPasses) {
    const EikCase cases[] = {
        {"100000001", true, ""},       // first pass remainder 1
        {"100000086", true, ""},       // first pass 10, second pass 6
        {"100000550", true, ""},       // both passes 10: check digit 0
        {"100000085", false, ""},      // wrong check digit: silent
        {"100000555", false, ""},      // both passes 10 but digit 5
        {"  100000001\t", true, ""},   // white space is stripped first
        {"1000000010002", true, ""},   // digits 9-12 first pass
        {"1000000010062", true, ""},   // digits 9-12 second pass
        {"1000000011090", true, ""},   // digits 9-12 both passes 10
        {"1000000010003", false, ""},  // wrong thirteenth digit
        {"100000002ABCD", false, ""},  // first nine fail: 10-13 never looked at
        {"100000001ABCD", false, "Има нечислови символи в Полето за ЕИК"},
        {"10000000X", false, "Има нечислови символи в Полето за ЕИК"},
        {"1000000001", false, "Некоректна дължина в Полето за Булстат"},  // 10 digits
        {"10000001", false, "Некоректна дължина в Полето за Булстат"},
        {"", false, "Некоректна дължина в Полето за Булстат"},
        {"10000000Я", false, "Има нечислови символи в Полето за ЕИК"},  // 9 characters
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        ScriptedHost host;
        EXPECT_EQ(persons::IsValidEik(c.text, &host), c.valid);
        EXPECT_EQ(OnlyMessage(host), c.message);
        EXPECT_EQ(persons::IsValidEik(c.text, nullptr), c.valid) << "silent mode, same verdict";
    }
}

// ---- EGN, LNCh, service numbers ----

struct PersonalCase {
    const char* text;
    bool allowService;
    PersonalNumber result;
    const char* message;
};

void ExpectPersonalNumbers(std::span<const PersonalCase> cases) {
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        ScriptedHost host;
        EXPECT_EQ(persons::CheckPersonalNumber(c.text, &host, c.allowService), c.result);
        EXPECT_EQ(OnlyMessage(host), c.message);
        EXPECT_EQ(persons::CheckPersonalNumber(c.text, nullptr, c.allowService), c.result)
            << "silent mode, same verdict";
    }
}

TEST(CheckPersonalNumber, EgnBirthDatesAcrossCenturiesAndLeapYears) {
    const PersonalCase cases[] = {
        {"7501011232", false, PersonalNumber::Egn, ""},
        {"7512311231", false, PersonalNumber::Egn, ""},
        {"0042291239", false, PersonalNumber::Egn, ""},  // 29.02.2000: leap
        {"0002291230", false, PersonalNumber::Invalid,
         "Денят трябва да е най-много 28 за този месец в ЕГН"},  // 29.02.1900: not leap
        {"0022291234", false, PersonalNumber::Egn, ""},          // month 22, year 00 of the 1800s
        {"0402291234", false, PersonalNumber::Egn, ""},          // 29.02.1904
        {"0302291230", false, PersonalNumber::Invalid,
         "Денят трябва да е най-много 28 за този месец в ЕГН"},
        {"0402301230", false, PersonalNumber::Invalid,
         "Денят трябва да е най-много 29 за този месец в ЕГН"},
        {"7504311233", false, PersonalNumber::Invalid,
         "Денят трябва да е най-много 30 за този месец в ЕГН"},
        {"7501321238", false, PersonalNumber::Invalid,
         "Денят трябва да е най-много 31 за този месец в ЕГН"},
        {"7501001234", false, PersonalNumber::Invalid, "Денят трябва да е по-голям от 0 в ЕГН"},
        {"7513011239", false, PersonalNumber::Invalid, "Неправилно изписан месец в ЕГН"},
        {"7520011232", false, PersonalNumber::Invalid, "Неправилно изписан месец в ЕГН"},
        {"7533011233", false, PersonalNumber::Invalid, "Неправилно изписан месец в ЕГН"},
        {"7540011237", false, PersonalNumber::Invalid, "Неправилно изписан месец в ЕГН"},
    };
    ExpectPersonalNumbers(cases);
}

TEST(CheckPersonalNumber, LnchServiceNumbersAndRefusals) {
    const PersonalCase cases[] = {
        {"8000000008", false, PersonalNumber::Lnch, ""},
        // Both check digits fit, but the EGN date is wrong: the EGN decides.
        {"7513010063", false, PersonalNumber::Invalid, "Неправилно изписан месец в ЕГН"},
        {"0000237574", true, PersonalNumber::ServiceNumber, ""},
        {"0000158380", true, PersonalNumber::ServiceNumber, ""},  // remainder 0: digit 0
        {"0000237574", false, PersonalNumber::Invalid, "Неправилен ЕГН/ЛНЧ"},
        {"0000712711", true, PersonalNumber::Invalid, "Неправилен ЕГН/ЛНЧ"},  // remainder 1
        {"750101123", false, PersonalNumber::Invalid, "Некоректна дължина в Полето за ЕГН"},
        {"75010112321", false, PersonalNumber::Invalid, "Некоректна дължина в Полето за ЕГН"},
        {"75010112З2", false, PersonalNumber::Invalid, "Има нечислови символи в Полето за ЕГН"},
        {" 750101123", false, PersonalNumber::Invalid, "Има нечислови символи в Полето за ЕГН"},
    };
    ExpectPersonalNumbers(cases);
}

TEST(CheckPersonalNumber, ServiceNumberWithRemainderOneIsNeverValid) {
    // Whatever the tenth digit, a weighted sum with remainder 1 has no check digit.
    for (char last = '0'; last <= '9'; ++last) {
        std::string number = "000071271";
        number += last;
        SCOPED_TRACE(number);
        EXPECT_NE(persons::CheckPersonalNumber(number, nullptr, true),
                  PersonalNumber::ServiceNumber);
    }
}

// ---- member-state prefixes ----

struct PrefixCase {
    const char* vat;
    const char* period;
    bool acceptXi;
    bool variantA;
    bool variantB;
};

TEST(IsEuVatPrefixValid, PeriodsOfEachMemberStateUnderBothVariants) {
    const PrefixCase cases[] = {
        {"GB123456789", "202012", false, true, true},
        {"GB123456789", "202101", false, false, true},
        {"GB123456789", "202106", false, false, true},
        {"GB123456789", "202112", false, false, true},
        {"GB123456789", "202201", false, false, false},
        {"GB123456789", "200712", false, false, false},
        {"XI123456789", "202012", false, false, false},
        {"XI123456789", "202012", true, true, true},  // the XI shortcut ignores the period
        {"XI123456789", "202101", false, true, true},
        {"XI123456789", "203002", true, true, true},
        {"HR12345678901", "201306", false, false, false},
        {"HR12345678901", "201307", false, true, true},
        {"RO1234567", "201212", false, false, false},
        {"RO1234567", "201301", false, true, true},
        {"DE123456789", "200712", false, false, false},
        {"DE123456789", "200801", false, true, true},
        {"DE123456789", "203001", false, true, true},
        {"DE123456789", "203002", false, false, false},
        {"CZ12345678", "202305", false, true, true},
        {"NL123456789B01", "202305", false, true, true},
        {"DE", "202305", false, false, false},  // two characters or fewer
        {"de123456789", "202305", false, false, false},
        {"US123456789", "202305", false, false, false},
        {"BG123456789", "202305", false, false, false},
        {"DE123456789", "", false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.vat) + " in " + c.period);
        EXPECT_EQ(persons::IsEuVatPrefixValid(EuPrefixVariant::A, c.vat, c.period, c.acceptXi),
                  c.variantA);
        EXPECT_EQ(persons::IsEuVatPrefixValid(EuPrefixVariant::B, c.vat, c.period, c.acceptXi),
                  c.variantB);
    }
}

// ---- identifier forms shared by the counterpart tests ----

TEST(IsKnownIdentifierForm, BulgarianVatNumbersPersonalNumbersEikAndMemberStates) {
    const CaseTable<bool(const char* text, bool placeholder)> cases = {
        {"BG1234567890", false, true},  // BG + ten characters: no further test
        {"BG100000001", false, true},   // BG + a valid EIK
        {"BG100000002", false, false},  // BG + a wrong check digit
        {"BG12345", false, false},         {"7501011232", false, true},    // EGN
        {"8000000008", false, true},                                       // LNCh
        {"0000237574", false, true},                                       // service number
        {"100000001", false, true},                                        // EIK
        {"1000000010002", false, true},                                    // 13-digit EIK
        {"DE123456789", false, true},      {"GB123456789", false, false},  // variant B in 202201
        {"999999999999999", false, false}, {"999999999999999", true, true}, {"", false, false},
    };
    cases.expectEachCall([](const char* text, bool placeholder) {
        return persons::IsKnownIdentifierForm(text, EuPrefixVariant::B, "202201", placeholder);
    });
}
