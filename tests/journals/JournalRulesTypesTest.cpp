#include "journals/JournalRulesTypes.h"

#include <functional>

#include <gtest/gtest.h>

#include "support/CaseTable.h"

using journals::Journal;
using testing_support::CaseTable;
using Codes = std::vector<std::string_view>;

// ---- document types offered per period ----

TEST(DocumentTypesFor, PurchaseTypesGrowWithThePeriod) {
    const CaseTable<Codes(const char* period)> cases = {
        {"201312", {"01", "02", "03", "07", "09"}},
        {"201401", {"01", "02", "03", "07", "09", "11", "12", "13", "91", "92", "93", "94"}},
        {"202003", {"01", "02", "03", "07", "09", "11", "12", "13", "91", "92", "93", "94"}},
        {"202004", {"01", "02", "03", "05", "07", "09", "11", "12", "13", "91", "92", "93", "94"}},
        {"202306",
         {"01", "02", "03", "05", "07", "09", "11", "12", "13", "23", "91", "92", "93", "94"}},
    };
    cases.expectEachCall(std::bind_front(journals::DocumentTypesFor, Journal::Purchases));
}

TEST(DocumentTypesFor, SalesTypesGrowWithThePeriodAndType50IsOfferedIn2022H2Only) {
    const CaseTable<Codes(const char* period)> cases = {
        {"201312", {"01", "02", "03", "07", "09", "81", "82"}},
        {"201703", {"01", "02", "03", "07", "09", "81", "82", "11", "12", "13", "91", "93", "94"}},
        {"201704",
         {"01", "02", "03", "07", "09", "81", "82", "11", "12", "13", "91", "93", "94", "95"}},
        {"202206",
         {"01", "02", "03", "04", "07", "09", "81", "82", "11", "12", "13", "91", "93", "94",
          "95"}},
        {"202207",
         {"01", "02", "03", "04", "07", "09", "81", "82", "11", "12", "13", "91", "93", "94", "95",
          "50", "83", "84", "85"}},
        {"202212",
         {"01", "02", "03", "04", "07", "09", "81", "82", "11", "12", "13", "91", "93", "94", "95",
          "50", "83", "84", "85"}},
        {"202301",
         {"01", "02", "03", "04", "07", "09", "81", "82", "11", "12", "13", "91", "93", "94", "95",
          "83", "84", "85"}},
        {"202306", {"01", "02", "03", "04", "07", "09", "81", "82", "11", "12",
                    "13", "91", "93", "94", "95", "83", "84", "85", "23", "29"}},
    };
    cases.expectEachCall(std::bind_front(journals::DocumentTypesFor, Journal::Sales));
}

TEST(IsOfferedDocumentType, PurchaseType92From2014) {
    EXPECT_FALSE(journals::IsOfferedDocumentType(Journal::Purchases, "92", "201312"));
    EXPECT_TRUE(journals::IsOfferedDocumentType(Journal::Purchases, "92", "201401"));
    EXPECT_FALSE(journals::IsOfferedDocumentType(Journal::Sales, "92", "202306"));
    EXPECT_FALSE(journals::IsOfferedDocumentType(Journal::Purchases, "", "202306"));
}

// ---- names shown ----

TEST(DocumentTypeName, NamesFollowTheirOwnPeriodSwitches) {
    const CaseTable<std::string_view(Journal, const char* code, const char* period)> cases = {
        {Journal::Purchases, "01", "200801", "Фактура"},
        {Journal::Purchases, "05", "202003", ""},
        {Journal::Purchases, "05", "202004",
         "Регистър на стоки под режим складиране на стоки до поискване, получени на територията "
         "на страната"},
        {Journal::Purchases, "23", "202206", ""},
        {Journal::Purchases, "23", "202207", "Кредитно известие по чл. 126б, ал. 1 от ЗДДС"},
        {Journal::Purchases, "11", "201312", "Фактура - касова отчетност"},  // shown, not offered
        {Journal::Purchases, "92", "201401",
         "Протокол за данъчния кредит по чл. 151г, ал. 8 от закона или отчет по чл. 104ж, ал. 1"},
        {Journal::Purchases, "04", "202306", ""},
        {Journal::Purchases, "", "202306", ""},
        {Journal::Sales, "92", "202306", ""},
        {Journal::Sales, "11", "201312", "Отчет за извършените продажби"},
        {Journal::Sales, "11", "201401", "Фактура - касова отчетност"},
        {Journal::Sales, "12", "200905",
         "Отчет за извършените продажби при специален ред на облагане"},
        {Journal::Sales, "12", "202004", "Дебитно известие – касова отчетност"},
        {Journal::Sales, "04", "202003", ""},
        {Journal::Sales, "50", "202206", ""},
        {Journal::Sales, "50", "202301",
         "Протокол за начисляване на изискуемия ДДС за доставките на гориво, за които са "
         "предоставени компенсации"},
        {Journal::Sales, "29", "202207", "Протокол по чл. 126б, ал. 2 и 7 от ЗДДС"},
        {Journal::Sales, "84", "202206", ""},
        {Journal::Sales, "93", "201312",
         "Протокол за изискуемия данък по чл. 151в, ал. 7 от закона с получател по доставката "
         "лице, което не прилага специалния режим за касова отчетност"},
    };
    cases.expectEachCall(journals::DocumentTypeName);
}

// ---- field 8а ----

TEST(Field8aCodesFor, ListDependsOnTypeAndPeriod) {
    const struct {
        Journal journal;
        const char* type;
        const char* period;
        Codes items;
        bool selectable;
    } cases[] = {
        {Journal::Purchases, "01", "202206", {"", "01", "02", "03"}, true},
        {Journal::Purchases, "01", "202207", {"", "01", "02", "03", "07", "08"}, true},
        {Journal::Purchases, "05", "202306", {"", "51", "53", "54", "58"}, true},
        {Journal::Purchases, "04", "202306", {"", "01", "02", "03", "07", "08"}, true},
        {Journal::Sales, "04", "202306", {"", "41", "43", "46", "48"}, true},
        {Journal::Sales, "05", "202306", {"", "01", "02", "03", "07", "08"}, true},
        {Journal::Sales, "50", "202207", {""}, false},
        {Journal::Sales, "83", "202207", {""}, false},
        {Journal::Sales, "84", "202207", {"07"}, true},
        {Journal::Sales, "85", "202207", {"08"}, true},
        {Journal::Purchases, "50", "202207", {"", "01", "02", "03", "07", "08"}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.type) + " in " + c.period);
        EXPECT_EQ(journals::Field8aCodesFor(c.journal, c.type, c.period), c.items);
        EXPECT_EQ(journals::IsField8aSelectable(c.journal, c.type), c.selectable);
    }
}

TEST(Field8aName, CodesOfTheOtherJournalHaveNoName) {
    const CaseTable<std::string_view(Journal, const char* code)> cases = {
        {Journal::Purchases, "01", "Доставка по част I на Приложение 2 от ЗДДС"},
        {Journal::Sales, "08", "Доставка, внос или вътреобщностно придобиване на брашно"},
        {Journal::Purchases, "54", "Брак/липса/унищожаване на стоки по чл. 15а, ал. 10 от ЗДДС"},
        {Journal::Sales, "54", ""},
        {Journal::Sales, "48",
         "Връщане на стоки на територията на страната по чл. 15а, ал. 5 от ЗДДС"},
        {Journal::Purchases, "48", ""},
        {Journal::Purchases, "", ""},
        {Journal::Sales, "09", ""},
    };
    cases.expectEachCall(journals::Field8aName);
}

TEST(IsAcceptedField8aCode, StoredCodesOfTypeAndPeriod) {
    using Cases = CaseTable<bool(Journal, const char* type, const char* code, const char* period)>;
    const Cases cases = {
        {Journal::Purchases, "01", "07", "202206", false},
        {Journal::Purchases, "01", "07", "202207", true},
        {Journal::Purchases, "01", "  ", "202207", true},
        {Journal::Purchases, "01", "", "201001", true},
        {Journal::Purchases, "01", "51", "202306", false},
        {Journal::Purchases, "05", "53", "202306", true},
        {Journal::Purchases, "05", "  ", "202306", false},
        {Journal::Purchases, "05", "01", "202306", false},
        {Journal::Sales, "04", "41", "202306", true},
        {Journal::Sales, "04", "51", "202306", false},
        {Journal::Sales, "01", "41", "202306", false},
        {Journal::Sales, "84", "08", "202306", true},
    };
    cases.expectEachCall(journals::IsAcceptedField8aCode);
}

TEST(UsesPlaceholderCounterpart, CustomsDeclarationsAndFuelProtocols) {
    EXPECT_TRUE(journals::UsesPlaceholderCounterpart(Journal::Purchases, "07"));
    EXPECT_FALSE(journals::UsesPlaceholderCounterpart(Journal::Purchases, "50"));
    EXPECT_TRUE(journals::UsesPlaceholderCounterpart(Journal::Sales, "07"));
    EXPECT_TRUE(journals::UsesPlaceholderCounterpart(Journal::Sales, "50"));
    EXPECT_FALSE(journals::UsesPlaceholderCounterpart(Journal::Sales, "01"));
}
