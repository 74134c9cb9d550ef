// The counterparts register: the list of the person's own or the shared
// entries filtered by leading characters, the choice, the identifier check of
// a new entry, the two questions for an existing one with the rename carried
// into the journals, and the removal.
#include "persons/CKontrag.h"

#include <optional>

#include <gtest/gtest.h>

#include "PersonsFixture.h"
#include "support/DialogDriver.h"

using persons_test::Cells;
using testing_support::DialogDriver;
using ui::Answer;

namespace {

constexpr const char* kOwner = "BG123456786";
constexpr const char* kOther = "BG831015008";

const std::string kChangeQuestion = "Вече има такъв ИН на котрагент!\r\nДа го променя ли?";
const std::string kShareQuestion =
    "Вече има такъв ИН на котрагент!\r\nДа го променя ли общ за всички?";

class CKontragTest : public ::testing::Test, protected persons_test::Fixture {
  protected:
    // The register of kOwner, as a journal opens it.
    DialogDriver& open() {
        dialog.emplace(db, host, kOwner);
        driver.emplace(*dialog);
        return *driver;
    }

    std::optional<persons::CKontrag> dialog;
    std::optional<DialogDriver> driver;
};

}  // namespace

TEST_F(CKontragTest, OpensOnThePersonsOwnEntriesInTableOrder) {
    counterpart("205174551", "Бета ООД", kOwner);
    counterpart("121212121", "Алфа ЕООД", "ALL");
    counterpart("131313139", "Гама АД", kOther);
    counterpart("175423677", "Делта ЕТ", kOwner);
    auto& d = open();

    EXPECT_EQ(d.title(), "Избор на контрагент");
    EXPECT_EQ(d.headers("list"),
              (Cells{"ИН на котрагент", "Име на котрагент", "ИН на титуляр", ""}));
    EXPECT_TRUE(d.checked("Само за този ИН"));
    EXPECT_EQ(d.column("list", 0), (Cells{"205174551", "175423677"}));
    EXPECT_EQ(d.row("list", 1), (Cells{"175423677", "Делта ЕТ", kOwner, ""}));
    EXPECT_EQ(d.focused(), "kn");
    EXPECT_FALSE(d.enabled("Избери"));
    EXPECT_FALSE(d.enabled("Изтрий"));
    EXPECT_FALSE(d.enabled("Прибави"));

    d.uncheck("Само за този ИН");
    EXPECT_EQ(d.column("list", 0), (Cells{"121212121"})) << "the shared entries";
    d.check("Само за този ИН");
    EXPECT_EQ(d.rowCount("list"), 2);
}

TEST_F(CKontragTest, TypingFiltersByTheLeadingCharactersOfBothFields) {
    counterpart("121212121", "Алфа ЕООД", kOwner);
    counterpart("221212121", "Бета ООД", kOwner);
    counterpart("123456786", "Алтея АД", kOwner);
    counterpart("BG121212121", "алфа малки", kOwner);
    auto& d = open();

    struct Case {
        const char* id;
        const char* name;
        Cells shown;
    };
    const Case cases[] = {
        {"12", "", {"121212121", "123456786"}},
        {"121", "", {"121212121"}},
        {"2", "", {"221212121"}},
        {"21", "", {}},  // leading characters only, not anywhere
        {"", "Ал", {"121212121", "123456786"}},
        {"", "ал", {"BG121212121"}},  // the case counts
        {"12", "Алт", {"123456786"}},
        {"BG", "Бета", {}},
        {"", "", {"121212121", "221212121", "123456786", "BG121212121"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.id) + " / " + c.name);
        d.type("ИН на контрагент", c.id).type("Наименование", c.name);
        EXPECT_EQ(d.column("list", 0), c.shown);
    }
}

TEST_F(CKontragTest, ChooseReturnsTheSelectedEntryAndCancelReturnsNothing) {
    counterpart("121212121", "Алфа ЕООД", kOwner);
    counterpart("205174551", "Бета ООД", kOwner);
    auto& d = open();
    d.select("list", 1);
    EXPECT_TRUE(d.enabled("Избери"));
    d.press("Избери");
    EXPECT_FALSE(d.isOpen());
    EXPECT_EQ(d.result(), ui::Result::Ok);
    EXPECT_EQ(dialog->chosenId(), "205174551");
    EXPECT_EQ(dialog->chosenName(), "Бета ООД");

    auto& again = open();
    again.select("list", 0).press("Отказ");
    EXPECT_EQ(again.result(), ui::Result::Cancel);
    EXPECT_EQ(dialog->chosenId(), "");
}

TEST_F(CKontragTest, EnterChoosesTheSelectedEntry) {
    counterpart("121212121", "Алфа ЕООД", kOwner);
    auto& d = open();
    d.select("list", 0).enter();
    EXPECT_EQ(d.result(), ui::Result::Ok);
    EXPECT_EQ(dialog->chosenId(), "121212121");
}

TEST_F(CKontragTest, ANewEntryNeedsAnIdentifierOfAKnownForm) {
    struct Case {
        const char* id;
        const char* stored;  // nullptr: refused
    };
    const Case cases[] = {
        {"BG1234567890", "BG1234567890"},    // "BG" and ten characters
        {"BG123456786", "BG123456786"},      // "BG" and a valid EIK
        {"BG123456787", nullptr},            // "BG" and a wrong EIK
        {"BG12345678", nullptr},             // too short for either
        {"7501011232", "7501011232"},        // EGN
        {"123456786", "123456786"},          // EIK
        {"1234567860001", "1234567860001"},  // EIK of a branch
        {"123456787", nullptr},              // wrong check digit
        {"GB123456789", "GB123456789"},      // member state as in 2021
        {"XI123456789", "XI123456789"},
        {"US123456789", nullptr},
        {" 205174551 ", "205174551"},  // white space around is dropped
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        auto& d = open();
        d.type("ИН на контрагент", c.id).type("Наименование", "Фирма").press("Прибави");
        if (c.stored) {
            host.expectNoMoreBoxes();
            EXPECT_EQ(counterparts().back(), (Cells{c.stored, "Фирма", kOwner}));
            EXPECT_EQ(d.text("ИН на контрагент"), "");
            EXPECT_EQ(d.text("Наименование"), "");
        } else {
            host.expectError("Некоректен ИН на котрагент");
            EXPECT_EQ(d.focused(), "kn");
            EXPECT_EQ(d.text("ИН на контрагент"), c.id) << "the typed text stays";
        }
        d.escape();
    }
    EXPECT_EQ(counterparts().size(), 8u);
}

TEST_F(CKontragTest, ANewEntryBelongsToThePersonOrToAllAndIsSelectedInTheWholeList) {
    counterpart("121212121", "Алфа ЕООД", kOwner);
    counterpart("205174550", "Друга", kOwner);
    auto& d = open();
    d.type("ИН на контрагент", "205174551").type("Наименование", "Бета ООД");
    EXPECT_EQ(d.rowCount("list"), 0) << "the typed text filters";
    EXPECT_TRUE(d.enabled("Прибави"));
    d.press("Прибави");
    EXPECT_EQ(d.column("list", 0), (Cells{"121212121", "205174550", "205174551"}));
    EXPECT_EQ(d.selection("list"), std::vector<int>{2});
    EXPECT_TRUE(d.enabled("Избери"));

    d.uncheck("Само за този ИН");
    d.type("ИН на контрагент", "131313139").type("Наименование", "Гама АД").press("Прибави");
    EXPECT_EQ(d.row("list", 0), (Cells{"131313139", "Гама АД", "ALL", ""}));
    EXPECT_EQ(counterparts(), (std::vector<Cells>{{"121212121", "Алфа ЕООД", kOwner},
                                                  {"205174550", "Друга", kOwner},
                                                  {"205174551", "Бета ООД", kOwner},
                                                  {"131313139", "Гама АД", "ALL"}}));
    EXPECT_FALSE(d.enabled("Прибави")) << "both fields were emptied";
}

TEST_F(CKontragTest, RenamingAnEntryCarriesTheNameIntoBothJournalsOfEveryPerson) {
    counterpart("121212121", "Алфа ЕООД", kOwner);
    const auto ownPurchase =
        document(db::Journal::Purchases, kOwner, "", "202401", "121212121", "Алфа ЕООД");
    const auto otherSale =
        document(db::Journal::Sales, kOther, "0001", "202312", "121212121", "Алфа");
    const auto unrelated =
        document(db::Journal::Purchases, kOwner, "", "202401", "205174551", "Бета ООД");
    auto& d = open();

    host.answer(Answer::No);
    d.type("ИН на контрагент", "121212121").type("Наименование", "Алфа Нова").press("Прибави");
    host.expectQuestion(kChangeQuestion);
    EXPECT_EQ(d.focused(), "kn");
    EXPECT_EQ(d.text("Наименование"), "Алфа Нова");
    EXPECT_EQ(kname(db::Journal::Purchases, ownPurchase), "Алфа ЕООД");

    host.answer(Answer::Yes);
    d.press("Прибави");
    host.expectQuestion(kChangeQuestion);
    EXPECT_EQ(d.row("list", 0), (Cells{"121212121", "Алфа Нова", kOwner, ""}));
    EXPECT_EQ(counterparts(), (std::vector<Cells>{{"121212121", "Алфа Нова", kOwner}}));
    EXPECT_EQ(kname(db::Journal::Purchases, ownPurchase), "Алфа Нова");
    EXPECT_EQ(kname(db::Journal::Sales, otherSale), "Алфа Нова");
    EXPECT_EQ(kname(db::Journal::Purchases, unrelated), "Бета ООД");
    EXPECT_EQ(d.text("ИН на контрагент"), "");
}

TEST_F(CKontragTest, AnotherPersonsEntryBecomesSharedWhenThePersonSaysSo) {
    counterpart("121212121", "Алфа", kOther);
    auto& d = open();
    d.uncheck("Само за този ИН");

    host.answer(Answer::No);
    d.type("ИН на контрагент", "121212121").type("Наименование", "Алфа ЕООД").press("Прибави");
    host.expectQuestion(kShareQuestion);
    EXPECT_EQ(d.focused(), "kn");
    EXPECT_EQ(counterparts(), (std::vector<Cells>{{"121212121", "Алфа", kOther}}));

    host.answer(Answer::Yes);
    d.press("Прибави");
    host.expectQuestion(kShareQuestion);
    EXPECT_EQ(counterparts(), (std::vector<Cells>{{"121212121", "Алфа ЕООД", "ALL"}}));
    EXPECT_EQ(d.row("list", 0), (Cells{"121212121", "Алфа ЕООД", "ALL", ""}));
}

TEST_F(CKontragTest, ASharedEntryIsRenamedEvenWhenAPersonHasItsOwnToo) {
    counterpart("121212121", "Алфа на друг", kOther);
    counterpart("121212121", "Алфа", "ALL");
    auto& d = open();
    d.uncheck("Само за този ИН");
    host.answer(Answer::Yes);
    d.type("ИН на контрагент", "121212121").type("Наименование", "Алфа ЕООД").press("Прибави");
    host.expectQuestion(kChangeQuestion);
    host.expectNoMoreBoxes();
    EXPECT_EQ(counterparts(), (std::vector<Cells>{{"121212121", "Алфа на друг", kOther},
                                                  {"121212121", "Алфа ЕООД", "ALL"}}));
    EXPECT_EQ(d.column("list", 1), (Cells{"Алфа ЕООД"}));
}

TEST_F(CKontragTest, WithTheOwnListAnEntryOfTheSameIdentifierElsewhereIsNoObstacle) {
    counterpart("121212121", "Алфа", "ALL");
    counterpart("121212121", "Алфа на друг", kOther);
    auto& d = open();
    d.type("ИН на контрагент", "121212121").type("Наименование", "Алфа моя").press("Прибави");
    host.expectNoMoreBoxes();
    EXPECT_EQ(counterparts().back(), (Cells{"121212121", "Алфа моя", kOwner}));
}

TEST_F(CKontragTest, DeleteRemovesTheEntryOfTheListedOwnerOnly) {
    counterpart("121212121", "Алфа", kOwner);
    counterpart("121212121", "Алфа обща", "ALL");
    counterpart("205174551", "Бета", kOwner);
    auto& d = open();
    d.select("list", 0).press("Изтрий");
    host.expectNoMoreBoxes();
    EXPECT_EQ(d.column("list", 0), (Cells{"205174551"}));
    EXPECT_EQ(d.selection("list"), std::vector<int>{}) << "no other entry is left selected";
    EXPECT_FALSE(d.enabled("Изтрий"));
    EXPECT_EQ(counterparts(), (std::vector<Cells>{{"121212121", "Алфа обща", "ALL"},
                                                  {"205174551", "Бета", kOwner}}));
}

TEST_F(CKontragTest, DeletingASharedEntryAsksFirst) {
    counterpart("121212121", "Алфа", kOwner);
    counterpart("121212121", "Алфа обща", "ALL");
    auto& d = open();
    d.uncheck("Само за този ИН").select("list", 0);
    const std::string question =
        "Контрагентът 121212121 е общ за всички регистрирани лица.\r\nДа го изтрия ли за всички?";

    host.answer(Answer::No);
    d.press("Изтрий");
    host.expectQuestion(question);
    EXPECT_EQ(d.rowCount("list"), 1);
    EXPECT_EQ(counterparts().size(), 2u);

    host.answer(Answer::Yes);
    d.press("Изтрий");
    host.expectQuestion(question);
    EXPECT_EQ(d.rowCount("list"), 0);
    EXPECT_EQ(counterparts(), (std::vector<Cells>{{"121212121", "Алфа", kOwner}}));
}

TEST_F(CKontragTest, ANameWithAnApostropheIsStoredListedFoundAndRenamed) {
    const auto sale = document(db::Journal::Sales, kOwner, "", "202402", "205174551", "O'Brien");
    auto& d = open();
    d.type("ИН на контрагент", "205174551").type("Наименование", "O'Brien Ltd").press("Прибави");
    EXPECT_EQ(counterparts(), (std::vector<Cells>{{"205174551", "O'Brien Ltd", kOwner}}));

    d.type("Наименование", "O'B");
    EXPECT_EQ(d.column("list", 1), (Cells{"O'Brien Ltd"}));

    host.answer(Answer::Yes);
    d.type("ИН на контрагент", "205174551").type("Наименование", "O'Brien & Sons").press("Прибави");
    host.expectQuestion(kChangeQuestion);
    EXPECT_EQ(kname(db::Journal::Sales, sale), "O'Brien & Sons");
    d.type("Наименование", "O'Brien &");
    EXPECT_EQ(d.column("list", 1), (Cells{"O'Brien & Sons"}));
}

TEST_F(CKontragTest, HeaderClicksSortAsTextAndTheSelectionFollowsItsRow) {
    counterpart("205174551", "Бета", kOwner);
    counterpart("121212121", "Гама", kOwner);
    counterpart("131313139", "Алфа", kOwner);
    auto& d = open();
    d.select("list", 0);  // Бета

    d.clickHeader("list", 1);
    EXPECT_EQ(d.column("list", 1), (Cells{"Алфа", "Бета", "Гама"}));
    EXPECT_EQ(d.selection("list"), std::vector<int>{1});
    d.clickHeader("list", 1);
    EXPECT_EQ(d.column("list", 1), (Cells{"Гама", "Бета", "Алфа"}));
    d.clickHeader("list", 0);
    EXPECT_EQ(d.column("list", 0), (Cells{"121212121", "131313139", "205174551"}));

    d.type("ИН на контрагент", "1");
    EXPECT_EQ(d.column("list", 0), (Cells{"121212121", "131313139"})) << "the order holds";
}

TEST_F(CKontragTest, AFailingStatementIsShownAndTheRegisterStaysOpen) {
    auto& d = open();
    d.type("ИН на контрагент", "121212121").type("Наименование", "Алфа");
    db.execute("DROP TABLE KONTRAG");
    d.press("Прибави");
    const auto box = host.takeBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->icon, ui::Icon::Error);
    EXPECT_NE(box->text.find("KONTRAG"), std::string::npos) << box->text;
    EXPECT_TRUE(d.isOpen());
    EXPECT_EQ(d.text("Наименование"), "Алфа") << "nothing typed is lost";
}
