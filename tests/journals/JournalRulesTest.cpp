#include "journals/JournalRules.h"

#include <functional>
#include <map>

#include <gtest/gtest.h>

#include "support/CaseTable.h"

using journals::DateRule;
using journals::Journal;
using journals::Stotinki;
using journals::Warning;
using testing_support::CaseTable;
using Warnings = std::vector<Warning>;

namespace {

// Amounts of a journal by column number (9..15 or 9..25); the others are 0.
std::vector<Stotinki> Amounts(Journal journal, std::map<int, Stotinki> columns) {
    std::vector<Stotinki> amounts(journal == Journal::Purchases ? 7 : 17, 0);
    for (const auto& [column, value] : columns) amounts.at(column - 9) = value;
    return amounts;
}

std::vector<Stotinki> Purchase(std::map<int, Stotinki> columns) {
    return Amounts(Journal::Purchases, std::move(columns));
}
std::vector<Stotinki> Sale(std::map<int, Stotinki> columns) {
    return Amounts(Journal::Sales, std::move(columns));
}

}  // namespace

// ---- dates ----

TEST(DocumentMonth, ReadsTheMonthOfADate) {
    EXPECT_EQ(journals::DocumentMonth("15/03/2022"), "202203");
    EXPECT_EQ(journals::DocumentMonth("15.03.2022"), "202203");
    EXPECT_EQ(journals::DocumentMonth("1/3/2022"), std::nullopt);
    EXPECT_EQ(journals::DocumentMonth("15/0a/2022"), std::nullopt);
    EXPECT_EQ(journals::DocumentMonth(""), std::nullopt);
}

TEST(MonthsBefore, CountsWholeMonthsBetweenPeriodAndDocument) {
    EXPECT_EQ(journals::MonthsBefore("202303", "15/03/2022"), 12);
    EXPECT_EQ(journals::MonthsBefore("202303", "28/02/2022"), 13);
    EXPECT_EQ(journals::MonthsBefore("202301", "31/12/2022"), 1);
    EXPECT_EQ(journals::MonthsBefore("202305", "01/06/2023"), -1);
    EXPECT_EQ(journals::MonthsBefore("2023", "01/06/2023"), std::nullopt);
    EXPECT_EQ(journals::MonthsBefore("202305", "1/6/2023"), std::nullopt);
}

// Whether a document of the journal and period, of the type and 8а code, and
// of the date breaks the rule.
bool Breaks(DateRule rule, Journal journal, const char* period, const char* type,
            const char* code8a, const char* date) {
    return journals::BreaksDateRule(rule, {journal, period, type, code8a, date});
}

TEST(BreaksDateRule, EachRuleAtItsBoundary) {
    using Cases = CaseTable<bool(DateRule, Journal, const char* period, const char* type,
                                 const char* code8a, const char* date)>;
    const Cases cases = {
        {DateRule::AfterPeriod, Journal::Purchases, "202305", "01", "", "01/06/2023", true},
        {DateRule::AfterPeriod, Journal::Sales, "202305", "01", "", "31/05/2023", false},
        {DateRule::ThirteenMonthsBefore, Journal::Purchases, "202303", "01", "", "15/03/2022",
         false},
        {DateRule::ThirteenMonthsBefore, Journal::Purchases, "202303", "01", "", "28/02/2022",
         true},
        {DateRule::ThirteenMonthsBefore, Journal::Sales, "202303", "01", "", "28/02/2022", false},
        {DateRule::Type23Before202306, Journal::Purchases, "202306", "23", "", "31/05/2023", true},
        {DateRule::Type23Before202306, Journal::Purchases, "202306", "23", "", "01/06/2023", false},
        {DateRule::Type23Before202306, Journal::Sales, "202306", "29", "", "31/05/2023", true},
        {DateRule::Type23Before202306, Journal::Purchases, "202306", "29", "", "31/05/2023", false},
        {DateRule::Type23Before202306, Journal::Sales, "202306", "01", "", "31/05/2023", false},
        {DateRule::Field8aBefore202207, Journal::Purchases, "202207", "01", "07", "30/06/2022",
         true},
        {DateRule::Field8aBefore202207, Journal::Sales, "202207", "01", "08", "01/07/2022", false},
        {DateRule::Field8aBefore202207, Journal::Sales, "202207", "01", "01", "30/06/2022", false},
        {DateRule::SalesTypeBefore202207, Journal::Sales, "202207", "84", "07", "30/06/2022", true},
        {DateRule::SalesTypeBefore202207, Journal::Sales, "202207", "85", "08", "01/07/2022",
         false},
        {DateRule::SalesTypeBefore202207, Journal::Purchases, "202207", "84", "", "30/06/2022",
         false},
        {DateRule::Type50Outside2022H2, Journal::Sales, "202212", "50", "", "30/06/2022", true},
        {DateRule::Type50Outside2022H2, Journal::Sales, "202212", "50", "", "01/07/2022", false},
        {DateRule::Type50Outside2022H2, Journal::Sales, "202212", "50", "", "31/12/2022", false},
        {DateRule::Type50Outside2022H2, Journal::Sales, "202301", "50", "", "01/01/2023", true},
        {DateRule::Type50Outside2022H2, Journal::Purchases, "202301", "50", "", "01/01/2023",
         false},
        {DateRule::CallOffStockBefore2020, Journal::Purchases, "202004", "05", "51", "31/12/2019",
         true},
        {DateRule::CallOffStockBefore2020, Journal::Purchases, "202004", "05", "51", "01/01/2020",
         false},
        {DateRule::CallOffStockBefore2020, Journal::Sales, "202004", "04", "41", "31/12/2019",
         true},
        {DateRule::CallOffStockBefore2020, Journal::Sales, "202004", "05", "", "31/12/2019", false},
        {DateRule::CallOffStockBefore2020, Journal::Purchases, "202004", "04", "", "31/12/2019",
         false},
        {DateRule::AfterPeriod, Journal::Purchases, "202305", "01", "", "1/6/2023", false},
    };
    cases.expectEachCall(Breaks);
}

TEST(DateRuleMessage, TextsOfTheRules) {
    const CaseTable<std::string_view(DateRule)> cases = {
        {DateRule::AfterPeriod, "Датата на документа е следваща на периода"},
        {DateRule::ThirteenMonthsBefore,
         "Внимание! Периодът на издаване на документа е\r\n13 месеца преди избрания данъчен "
         "период!"},
        {DateRule::Type23Before202306,
         "За този вид документ датата не трябва да е по-ранна от 01.06.2023"},
        {DateRule::Field8aBefore202207,
         "За този код в поле 'Доставка по чл. 163а или внос по чл. 167а от ЗДДС' датата не "
         "трябва да е по-ранна от 01.07.2022"},
        {DateRule::SalesTypeBefore202207,
         "За този вид документ датата не трябва да е по-ранна от 01.07.2022"},
        {DateRule::Type50Outside2022H2,
         "За този вид документ датата трябва да е от 01.07.2022 до 31.12.2022"},
        {DateRule::CallOffStockBefore2020,
         "За този вид документ датата не трябва да е по-ранна от 01.01.2020"},
    };
    cases.expectEachCall(journals::DateRuleMessage);
}

// ---- signs and column groups ----

TEST(HasMixedSigns, OnlyTheColumnsThatTakePartCount) {
    const CaseTable<bool(Journal, std::vector<Stotinki> amounts)> cases = {
        {Journal::Purchases, Purchase({{9, 100}, {13, -50}}), true},
        {Journal::Purchases, Purchase({{10, 100}, {11, 20}}), false},
        {Journal::Purchases, Purchase({{10, -100}, {11, -20}}), false},
        {Journal::Purchases, Purchase({{9, 100}, {13, -50}, {14, 1}}), false},  // annual correction
        {Journal::Purchases, Purchase({{9, 100}, {13, -50}, {15, 1}}), false},  // triangular
        {Journal::Purchases, Purchase({{9, 100}, {14, -10}}), false},
        {Journal::Sales, Sale({{9, 100}, {25, -1}}), true},
        {Journal::Sales, Sale({{9, 0}, {10, -5}}), false},  // zero is neither
        {Journal::Sales, Sale({}), false},
    };
    cases.expectEachCall(journals::HasMixedSigns);
}

TEST(HasMixedSigns, AmountsOfTheWrongJournalAreRefused) {
    EXPECT_THROW(journals::HasMixedSigns(Journal::Sales, Purchase({})), std::invalid_argument);
    EXPECT_THROW(journals::RateRuleBreaches(Journal::Purchases, Sale({}), "202305"),
                 std::invalid_argument);
}

TEST(ColumnGroups, TriangularAndAnnualCorrectionStandAlone) {
    const struct {
        std::vector<Stotinki> amounts;
        bool triangular;
        bool annual;
    } cases[] = {
        {Purchase({{15, 100}}), false, false},
        {Purchase({{15, 100}, {9, 1}}), true, false},
        {Purchase({{15, 100}, {14, 1}}), true, false},
        {Purchase({{14, 100}}), false, false},
        {Purchase({{14, 100}, {13, -1}}), false, true},
        {Purchase({{14, 100}, {9, 1}, {15, 1}}), true, false},
        {Purchase({{9, 100}, {13, 1}}), false, false},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(journals::BreaksTriangularGroup(cases[i].amounts), cases[i].triangular);
        EXPECT_EQ(journals::BreaksAnnualCorrectionGroup(cases[i].amounts), cases[i].annual);
    }
}

// ---- rate and sum rules ----

TEST(RateRuleBreaches, PurchaseVatIsTwentyPercentWithinOneStotinka) {
    const CaseTable<Warnings(std::vector<Stotinki> amounts)> cases = {
        {Purchase({{10, 10000}, {11, 2001}}), {}},
        {Purchase({{10, 10000}, {11, 2002}}), {Warning::PurchaseVat11}},
        {Purchase({{12, 5}, {13, 1}}), {}},  // 20 % of 0.05 is 0.01
        {Purchase({{12, 5}, {13, 3}}), {Warning::PurchaseVat13}},
        {Purchase({{10, 100}, {12, 100}}), {Warning::PurchaseVat11, Warning::PurchaseVat13}},
        {Purchase({{9, 12345}}), {}},
    };
    cases.expectEachCall([](const std::vector<Stotinki>& amounts) {
        return journals::RateRuleBreaches(Journal::Purchases, amounts, "202305");
    });
}

TEST(RateRuleBreaches, SalesReducedRateIsSevenOrNineBefore201206AndNineFromThen) {
    const CaseTable<Warnings(std::vector<Stotinki> amounts, const char* period)> cases = {
        {Sale({{17, 10000}, {18, 700}}), "201205", {}},
        {Sale({{17, 10000}, {18, 700}}), "201206", {Warning::SalesVat18}},
        {Sale({{17, 10000}, {18, 900}}), "201205", {}},
        {Sale({{17, 10000}, {18, 900}}), "201206", {}},
        {Sale({{17, 10000}, {18, 800}}), "201205", {Warning::SalesVat18Before201206}},
        {Sale({{11, 10000}, {12, 2000}}), "202305", {}},
        {Sale({{11, 10000}, {12, 1998}}), "202305", {Warning::SalesVat12}},
        {Sale({{13, 5000}, {14, 5000}, {15, 2000}}), "202305", {}},
        {Sale({{13, 5000}, {14, 5000}, {15, 2003}}), "202305", {Warning::SalesVat15}},
        {Sale({{11, 100}, {13, 100}, {17, 100}}),
         "202305",
         {Warning::SalesVat12, Warning::SalesVat15, Warning::SalesVat18}},
    };
    cases.expectEachCall(std::bind_front(journals::RateRuleBreaches, Journal::Sales));
}

TEST(SumRuleBreaches, ColumnsNineAndTenAgainstTheirParts) {
    const CaseTable<Warnings(const char* type, std::vector<Stotinki> amounts)> cases = {
        {"01", Sale({{9, 10000}, {11, 10000}, {10, 2000}, {12, 2000}}), {}},
        {"01", Sale({{9, 10000}, {24, 10000}}), {Warning::SalesSum9}},  // 24 is not a part
        {"04", Sale({{9, 10000}}), {}},
        {"01", Sale({{9, 10001}, {20, 10000}}), {}},  // one stotinka apart
        {"01", Sale({{9, 10002}, {20, 10000}}), {Warning::SalesSum9}},
        {"01",
         Sale({{9, 700},
               {11, 100},
               {13, 100},
               {14, 100},
               {17, 100},
               {19, 100},
               {20, 100},
               {21, 100}}),
         {}},
        {"01", Sale({{10, 400}, {12, 100}, {15, 100}, {16, 100}, {18, 100}}), {}},
        {"01",
         Sale({{10, 398}, {12, 100}, {15, 100}, {16, 100}, {18, 100}}),
         {Warning::SalesSum10}},
        {"04", Sale({{10, 5}}), {Warning::SalesSum10}},
    };
    cases.expectEachCall(journals::SumRuleBreaches);
}

// ---- counterparts ----

TEST(ClassifyCounterpart, KnownFormsPerJournalAndType) {
    using Cases =
        CaseTable<bool(Journal, const char* type, const char* identifier, const char* month)>;
    const Cases cases = {
        {Journal::Purchases, "01", "BG1234567890", "202305", true},  // no further test
        {Journal::Purchases, "01", "BG100000001", "202305", true},
        {Journal::Purchases, "01", "BG100000002", "202305", false},  // wrong check digit
        {Journal::Purchases, "01", "7501011232", "202305", true},    // EGN
        {Journal::Purchases, "01", "100000086", "202305", true},     // EIK
        {Journal::Sales, "07", "999999999999999", "202305", true},
        {Journal::Purchases, "07", "999999999999999", "202305", false},
        {Journal::Purchases, "01", "GB123456789", "202012", true},
        {Journal::Purchases, "01", "GB123456789", "202101", false},  // variant A
        {Journal::Sales, "01", "XI123456789", "202012", false},      // no XI shortcut
        {Journal::Sales, "01", "XI123456789", "202101", true},
        {Journal::Sales, "81", "whatever", "202305", true},  // not classified
        {Journal::Sales, "82", "", "202305", true},
        {Journal::Sales, "09", "", "202305", true},
        {Journal::Sales, "29", "", "202306", true},
        {Journal::Sales, "29", "ABC", "202306", false},
        {Journal::Sales, "01", "", "202305", false},
        {Journal::Purchases, "09", "", "202305", false},
    };
    cases.expectEachCall(journals::ClassifyCounterpart);
}

// ---- warning set ----

TEST(WarningSet, CodesAreBitsOfTheStoredSecondWord) {
    journals::WarningSet warnings;
    EXPECT_TRUE(warnings.empty());
    warnings.set(Warning::PurchaseVat11);
    EXPECT_EQ(warnings.error2(), 1) << "code 33 is bit 0";
    warnings.set(Warning::ThirteenMonths);
    warnings.set(Warning::ThirteenMonths);
    EXPECT_EQ(warnings.error2(), 5);
    warnings.set(Warning::CallOffStockMemberStates);
    EXPECT_EQ(warnings.error2(), 5 | (1 << 30));
    EXPECT_EQ(warnings.errors().word(0), 0);
    EXPECT_EQ(warnings.errors().word(2), 0);
    EXPECT_EQ(warnings.errors().codes(), (std::vector<int>{33, 35, 63}));
    warnings.clear(Warning::PurchaseVat11);
    EXPECT_FALSE(warnings.has(Warning::PurchaseVat11));
    EXPECT_TRUE(warnings.has(Warning::ThirteenMonths));
    warnings.clearAll();
    EXPECT_TRUE(warnings.empty());
}

// The last year is the clock's: under a clock in 2023 the periods of 2024 are
// refused with the year message, under one in 2026 they are taken.
TEST(PeriodYearMonth, TheYearIsJudgedBeforeTheMonthUpToTheClocksYear) {
    const std::string year = "Некоректна година в поле 'Период'";
    const std::string month = "Некоректен месец в поле 'Период'";
    const CaseTable<std::optional<std::string>(const char* lastYear, const char* period)> cases = {
        {"2023", "201101", std::nullopt}, {"2023", "202312", std::nullopt},
        {"2023", "201013", year},         {"2023", "202413", year},
        {"2023", "202401", year},         {"2023", "201113", month},
        {"2023", "202300", month},        {"2026", "202413", month},
        {"2026", "202611", std::nullopt}, {"2026", "202601", std::nullopt},
        {"2026", "202701", year},         {"2026", "201012", year},
    };
    cases.expectEachCall([](const char* lastYear, const char* period) {
        const auto error = journals::PeriodYearMonthError(period, lastYear);
        return error ? std::optional<std::string>(*error) : std::nullopt;
    });
}

TEST(PeriodYearMonth, TheLastYearIsTheYearOfTheClock) {
    EXPECT_EQ(journals::LastPeriodYear({2023, 12, 31, 23, 59, 59}), "2023");
    EXPECT_EQ(journals::LastPeriodYear({2026, 1, 1, 0, 0, 0}), "2026");
    EXPECT_EQ(journals::LastPeriodYear({2026, 12, 8, 10, 0, 0}), "2026");
}
