#include "journals/CProdagbi.h"

#include "journals/JournalFixture.h"

using namespace journals_test;
using journals::CProdagbi;
using ui::Answer;

namespace {

constexpr const char* kSum9 =
    "Общия размер на ДО за облагане с ДДС (к.9)\r\nсе различава сбора на ДО\r\n"
    "Искате ли да го редактирате?";
constexpr const char* kForeignCounterpart =
    "Грешен ИН на контрагент при попълнени полета 20, 22 и 25-\r\nтрябва да е ИН по ДДС от "
    "друга държава членка на ЕС\r\nИскате ли да го редактирате?";
constexpr const char* kThirdViesItem = "ДО на осв.доставки на услуги по чл.21(2)-тер. на др.д-ва";

class Sales : public JournalScreenFixture<CProdagbi, db::Journal::Sales> {
  protected:
    static Typed sale(std::map<int, std::string> money, std::string type = "01") {
        Typed sale;
        sale.type = std::move(type);
        sale.date = "10/11/2023";
        sale.knum = "BG123456786";
        sale.kname = "Алфа ООД";
        sale.money = std::move(money);
        return sale;
    }

    // A call-off-stock register (type "04") to a German counterpart.
    static Typed callOffStock(std::string code8a) {
        auto typed = sale({{9, "100"}}, "04");
        typed.knum = "DE123456789";
        typed.kname = "Beta GmbH";
        typed.code8a = std::move(code8a);
        return typed;
    }
};

TEST_F(Sales, ASaleWhoseColumnsAgreePassesEveryQuestion) {
    open();
    EXPECT_EQ(d().title(), "Дневник за продажбите - BG175074752");
    type(d(), sale({{9, "100"}, {11, "100"}, {10, "20"}}));
    EXPECT_EQ(d().text("col12"), "20.00");  // proposed on leaving column 11
    d().press("save");
    host.expectNoMoreBoxes();
    const auto stored = rows(db::Journal::Sales);
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].amount(db::SS10), 100.0);
    EXPECT_EQ(stored[0].amount(db::SS21), 20.0);
    EXPECT_FALSE(stored[0].errors.any());
    EXPECT_EQ(d().cell("list", 1, 0), "Общо");
    EXPECT_EQ(d().cell("list", 1, 8), "100.00");
}

TEST_F(Sales, ExemptColumn24IsNoPartOfTheColumn9Sum) {
    open();
    type(d(), sale({{9, "100"}, {24, "100"}}));
    d().choose("viesColumn", kThirdViesItem);
    saveAnswering({Answer::No});
    expectDoubt(kSum9);
    host.expectNoMoreBoxes();
    EXPECT_EQ(storedCodes(), (StoredCodes{{41}}));
}

TEST_F(Sales, YesToTheSumQuestionReturnsToColumn9) {
    open();
    type(d(), sale({{9, "100"}, {10, "5"}}));
    saveAnswering({Answer::Yes});
    expectDoubt(kSum9);
    EXPECT_EQ(d().focused(), "col9");
    saveAnswering({Answer::No, Answer::No});
    expectDoubt(kSum9);
    expectDoubt(
        "Всичко начислен ДДС(к.10), се различава\r\nот сбора на съответните колони\r\n"
        "Искате ли да го редактирате?");
    EXPECT_EQ(storedCodes(), (StoredCodes{{41, 42}}));
}

TEST_F(Sales, ACallOffStockRegisterSkipsTheColumn9Sum) {
    open();
    type(d(), callOffStock("41"));
    EXPECT_FALSE(d().enabled("col10"));
    EXPECT_TRUE(d().enabled("col17"));
    d().press("save");
    host.expectNoMoreBoxes();
    EXPECT_EQ(storedCodes(), (StoredCodes{{}}));
}

TEST_F(Sales, ReplacedRecipientFromAnotherMemberStateIsAskedAbout) {
    open();
    auto typed = callOffStock("43");
    typed.sdelka = "FR12345678901";
    type(d(), typed);
    saveAnswering({Answer::No});
    expectDoubt(
        "Посочените  ИН по ДДС в поле „ИН по ДДС на лицето, за което стоките са предназначени "
        "(вкл. знака)“ и в поле “ИН по ДДС на лицето, за което стоките са били предназначени при "
        "заместване по чл. 15а, ал. 4 от ЗДДС (вкл. знака)” са издадени от различни държави "
        "членки\r\nИскате ли да го редактирате?");
    EXPECT_EQ(storedCodes(), (StoredCodes{{63}}));
}

TEST_F(Sales, Type09WithoutACounterpartAsksOnceAndRecordsNoCode) {
    open();
    auto typed = sale({{9, "10"}, {11, "10"}, {10, "2"}}, "09");
    typed.knum.clear();
    typed.kname.clear();
    type(d(), typed);
    saveAnswering({Answer::No});
    expectDoubt("ИН на контрагента е празен\r\nИскате ли да го редактирате?");
    host.expectNoMoreBoxes();
    EXPECT_EQ(storedCodes(), (StoredCodes{{}}));
}

TEST_F(Sales, ViesTypeHoldsTheItemAndTheAdvanceMark) {
    open();
    type(d(), sale({{9, "0"}, {24, "50"}}));
    EXPECT_FALSE(d().enabled("advance"));
    d().choose("viesColumn", kThirdViesItem);
    d().press("save");
    host.expectNoMoreBoxes();

    auto triangular = sale({{24, "50"}, {25, "30"}});
    triangular.knum = "DE123456789";  // an intermediary sells to another member state
    type(d(), triangular);
    d().choose("viesColumn", kThirdViesItem).check("advance");
    d().press("save");
    host.expectNoMoreBoxes();

    const auto stored = rows(db::Journal::Sales);
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0].viesType, "3");
    EXPECT_EQ(stored[1].viesType, "8");
    // The list shows them, and an edit reads them back.
    EXPECT_EQ(d().cell("list", 0, 24), kThirdViesItem);
    EXPECT_EQ(d().cell("list", 0, 26), "");
    EXPECT_EQ(d().cell("list", 1, 26), "Да");
    d().select("list", 1).press("edit");
    EXPECT_EQ(d().text("viesColumn"), kThirdViesItem);
    EXPECT_TRUE(d().checked("advance"));
    d().press("edit");
}

TEST_F(Sales, TheAdvanceMarkWithoutAnExemptAmountIsKept) {
    open();
    auto triangular = sale({{25, "30"}});
    triangular.knum = "DE123456789";
    type(d(), triangular);
    d().check("advance").press("save");
    host.expectNoMoreBoxes();
    EXPECT_EQ(rows(db::Journal::Sales)[0].viesType, "6");
    d().select("list", 0).press("edit");
    EXPECT_TRUE(d().checked("advance"));
    d().press("edit");
}

TEST_F(Sales, Column24NeedsItsViesItemAndLosesItWhenEmptied) {
    open();
    type(d(), sale({{24, "50"}}));
    d().press("save");
    host.expectError("При попълнена кл.24 трябва да се избере 'Колона за VIES'");
    EXPECT_EQ(d().focused(), "viesColumn");
    d().choose("viesColumn", kThirdViesItem);
    d().type("col24", "0").leave();
    EXPECT_EQ(d().text("viesColumn"), "");
    EXPECT_FALSE(d().enabled("viesColumn"));
}

TEST_F(Sales, Types23And29OfferOneViesItem) {
    open();
    d().choose("type", "23");
    EXPECT_EQ(d().items("viesColumn"),
              (std::vector<std::string>{"ДО на осв.доставки, които не се включват във VIES"}));
    EXPECT_FALSE(d().enabled("col20"));
    EXPECT_FALSE(d().enabled("col22"));
    d().choose("type", "01");
    EXPECT_EQ(d().items("viesColumn").size(), 4u);
}

TEST_F(Sales, Type50IsOfferedOnlyInTheSecondHalfOf2022) {
    const struct {
        const char* period;
        bool offered;
    } cases[] = {{"202206", false}, {"202207", true}, {"202212", true}, {"202301", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.period);
        open(c.period);
        const auto items = d().items("type");
        EXPECT_EQ(std::find(items.begin(), items.end(), "50") != items.end(), c.offered);
    }
    open("202209");
    d().choose("type", "50");
    EXPECT_EQ(d().text("knum"), "999999999999999");
    EXPECT_FALSE(d().enabled("knum"));
    EXPECT_FALSE(d().enabled("code8a"));
    EXPECT_EQ(d().items("code8a"), (std::vector<std::string>{""}));
    EXPECT_FALSE(d().enabled("col14"));
}

TEST_F(Sales, TypesOfBreadAndFlourCarryTheir8aCode) {
    open("202209");
    d().choose("type", "84");
    EXPECT_EQ(d().text("code8a"), "07");
    EXPECT_EQ(d().text("code8aName"), "Доставка, внос или вътреобщностно придобиване на хляб");
    EXPECT_FALSE(d().enabled("col17"));
    d().choose("type", "85");
    EXPECT_EQ(d().text("code8a"), "08");
}

// Which money columns a type opens, in both period regimes.
TEST_F(Sales, EnablingFollowsTheTypeAndThePeriod) {
    const struct {
        const char* period;
        const char* type;
        std::vector<int> open;
    } cases[] = {
        {"202311", "01", {9, 10, 11, 12, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25}},
        {"202311", "09", {9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25}},
        {"202311", "11", {9, 10, 11, 12, 17, 18}},
        {"202311", "04", {9, 17, 18}},
        {"202311", "07", {9, 10, 11, 12, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24}},
        {"202001", "11", {9, 10, 11, 12, 17, 18}},
        {"202001", "01", {9, 10, 11, 12, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25}},
        {"202001", "07", {9, 10, 11, 12, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24}},
        {"201312", "09", {9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.period) + " " + c.type);
        open(c.period);
        d().choose("type", c.type);
        std::vector<int> enabled;
        for (int column = 9; column <= 25; ++column)
            if (d().enabled("col" + std::to_string(column))) enabled.push_back(column);
        EXPECT_EQ(enabled, c.open);
    }
}

TEST_F(Sales, LeavingTheBasesProposesTheirVat) {
    open();
    d().choose("type", "09");
    d().type("col13", "100").leave();
    EXPECT_EQ(d().text("col15"), "20.00");
    d().type("col14", "50").leave();
    EXPECT_EQ(d().text("col15"), "20.00");  // kept once filled
    d().type("col15", "0").leave().type("col14", "50").leave();
    EXPECT_EQ(d().text("col15"), "30.00");
    d().type("col25", "abc").leave();
    host.expectError("Некоректна стойност на поле '25'");
    EXPECT_EQ(d().focused(), "col25");
}

// Before June 2012 column 18 may be 7 % or 9 % of column 17; from then on 9 %.
TEST_F(Sales, TheRateOfColumn18FollowsThePeriod) {
    open("201205");
    auto typed = sale({{9, "100"}, {17, "100"}, {10, "7"}, {18, "7"}});
    typed.date = "10/05/2012";
    type(d(), typed);
    d().press("save");
    host.expectNoMoreBoxes();
    open("201206");
    typed.date = "10/06/2012";
    type(d(), typed);
    saveAnswering({Answer::No});
    expectDoubt(
        "Стойността на ДДС в колона 18 е различна от 9% от стойността на колона 17\r\n"
        "Искате ли да го редактирате?");
    EXPECT_EQ(storedCodes(), (StoredCodes{{}, {51}}));
}

TEST_F(Sales, CaptionsFollowThePeriod) {
    open("201505");
    EXPECT_EQ(d().caption("col12"), "12.Начислен ДДС за доставки по к.11");
    EXPECT_EQ(d().caption("col21"), "21.ДО на доставки по чл. 140, 146, чл. 173 ЗДДС");
    d().type("period", "201311");
    EXPECT_EQ(d().caption("col17"), "17 ДО на облагаемите доставки със ставка 9%");
    EXPECT_EQ(d().caption("col21"), "21.ДО на дост. 0% по чл.140, чл.146 и чл.173, ал.1 и 4 ЗДДС.");
    d().type("period", "201201");
    EXPECT_EQ(d().caption("col18"), "18.Начислен ДДС 7%/ 9%");
    d().type("period", "202311");
    EXPECT_EQ(d().caption("col14"), "14.ДО по пол. д-ки по чл.82, ал.2-6 ЗДДС.");
    EXPECT_EQ(d().caption("col16"),
              "16.Начислен данък за доставки на стоки и услуги за лични нужди");
}

TEST_F(Sales, QuestionsOfTypeAndCounterpartRecordTheirCodes) {
    open();
    auto typed = sale({{9, "100"}, {20, "100"}}, "01");
    typed.knum = "831826726";  // an EIK, no member-state VAT number
    typed.kname = "Бета АД";
    type(d(), typed);
    d().type("col25", "0").leave();
    saveAnswering({Answer::No});
    expectDoubt(kForeignCounterpart);
    EXPECT_EQ(storedCodes(), (StoredCodes{{40}}));
    EXPECT_EQ(d().text("notes"),
              "Грешен ИН на контрагент при попълнени полета 20, 22 и 25-трябва да е ИН по ДДС от "
              "друга държава членка на ЕС\r\n");

    type(d(), typed);
    saveAnswering({Answer::Yes});
    expectDoubt(kForeignCounterpart);
    EXPECT_EQ(d().focused(), "col20");
}

TEST_F(Sales, TheOwnVatNumberIsAskedAbout) {
    open();
    auto typed = sale({{9, "100"}, {11, "100"}, {10, "20"}});
    typed.knum = kVin;
    type(d(), typed);
    saveAnswering({Answer::No});
    expectDoubt("VIN на контрагента е еднакво с това на регистрираното лице");
    EXPECT_EQ(storedCodes(), (StoredCodes{{47}}));
}

TEST_F(Sales, DeletingRenumbersBothJournalsOfThePeriod) {
    session();
    t.document(db::Journal::Purchases, kVin, "", "202311", 4);
    open();
    for (int i = 0; i < 3; ++i) {
        type(d(), sale({{9, "100"}, {11, "100"}, {10, "20"}}));
        d().press("save");
    }
    host.answer(Answer::Yes);
    d().select("list", 1).press("delete");
    expectDeleteQuestion();
    EXPECT_EQ(d().column("list", 0), (std::vector<std::string>{"1", "2", "Общо"}));
    EXPECT_EQ(d().selection("list"), (std::vector<int>{1}));
    EXPECT_EQ(d().cell("list", 2, 8), "200.00");
    EXPECT_EQ(rows(db::Journal::Purchases)[0].number, 1);
}

}  // namespace

TEST_F(Sales, PrintAsksForTheSalesJournalOfThePeriodShown) {
    open("202311");
    d().press("Печат");
    EXPECT_EQ(host.printJobs(), (std::vector<ui::PrintJob>{{ui::PrintKind::Sales, "202311"}}));
    EXPECT_TRUE(d().isOpen());
}

// A sale invoiced in leva entered in a euro period: columns 9 and 10 are the
// sums of their converted parts (column 9 converted on its own would be
// 146.23 €, two cents off), so no sum question is asked.
TEST_F(Sales, ALevaSaleInAEuroPeriodKeepsItsSumsInEuro) {
    clock.set({2026, 12, 8, 10, 0, 0});
    open("202611");
    d().check("levaEntry");
    Typed invoice = sale(
        {{9, "286"}, {10, "10.62"}, {11, "27"}, {17, "58"}, {18, "5.22"}, {19, "89"}, {21, "112"}});
    invoice.date = "20/12/2025";
    type(d(), invoice);
    EXPECT_EQ(d().text("col12"), "5.40");
    d().press("save");
    host.expectNoMoreBoxes();
    const auto stored = rows(db::Journal::Sales);
    ASSERT_EQ(stored.size(), 1u);
    const std::vector<double> euro = {146.21, 5.43,  13.80, 2.76,  0, 0, 0, 0, 29.65,
                                      2.67,   45.50, 0,     57.26, 0, 0, 0, 0};
    EXPECT_EQ(stored[0].amounts, euro);
    EXPECT_FALSE(stored[0].errors.any());
    EXPECT_NE(d().text("notes").find("к.9 286.00 лв. = 146.21 € (сбор на превърнатите колони)"),
              std::string::npos);
}
