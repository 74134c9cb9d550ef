// The person chooser: the list and its remembered row, the choice recorded as
// LAST, adding and editing through the form, the removal of a person or
// branch with all its documents, and the order kept between openings.
#include "persons/CEmployer.h"

#include <gtest/gtest.h>

#include "PersonsFixture.h"
#include "app/CZorevaDoc.h"
#include "app/MainMenu.h"
#include "support/DialogDriver.h"

using persons::CAddEmployer;
using persons_test::Cells;
using testing_support::DialogDriver;
using ui::Answer;

namespace {

const std::string kRemoveQuestion =
    "Наистина ли искате да изтриете всички въведени данни (включително регистрационни данни, "
    "въведени справки-декларации, VIES-декларации и отчетни регистри по ЗДДС) за "
    "регистрираното лице с Булстат-";

// Types a complete, valid person into the form and saves it.
void TypePerson(DialogDriver& e, const std::string& bulstat, const std::string& klon,
                const std::string& name) {
    e.type("bulstat", bulstat).type("klon", klon).type("vin", "BG" + bulstat);
    e.type("name", name).type("adress", "гр. Пловдив, бул. Марица 5");
    e.type("faceEgn", "7501011232").type("faceGrad", "Пловдив").type("facePk", "4000");
    e.press("Запиши");
}

class CEmployerTest : public ::testing::Test, protected persons_test::Fixture {
  protected:
    DialogDriver& open() {
        driver.emplace(chooser);
        return *driver;
    }
    // The key of the row marked LAST, "" for none; and how many rows are.
    std::string current() {
        auto rows = db.query("SELECT BULSTAT || KLON FROM EDANNI WHERE LAST = 1");
        std::string keys;
        while (rows.step()) keys += (keys.empty() ? "" : ",") + rows.text(0);
        return keys;
    }
    // NUMBER of the rows of a journal for a VAT number and period, by ID.
    std::vector<int> numbers(db::Journal journal, const std::string& vin,
                             const std::string& period) {
        auto rows = db.query(std::string("SELECT NUMBER FROM ") + db::TableName(journal) +
                                 " WHERE VIN = ? AND PERIOD = ? ORDER BY ID",
                             vin, period);
        std::vector<int> all;
        while (rows.step()) all.push_back(static_cast<int>(rows.integer(0)));
        return all;
    }

    persons::CEmployer chooser{db, host};
    std::optional<DialogDriver> driver;
};

}  // namespace

TEST_F(CEmployerTest, ListsEveryRowInTableOrderWithTheCurrentOneSelected) {
    t.person("831015008", "", "BG831015008");
    t.person("123456786", "0001", "BG123456786", true);
    t.person("123456786", "", "BG123456786");
    auto& d = open();
    EXPECT_EQ(d.title(), "Избор на задължено лице");
    EXPECT_EQ(d.headers("list"), (Cells{"BULSTAT", "Име на фирма"}));
    EXPECT_EQ(d.column("list", 0), (Cells{"831015008", "1234567860001", "123456786"}));
    EXPECT_EQ(d.cell("list", 0, 1), "Фирма 831015008");
    EXPECT_EQ(d.selection("list"), std::vector<int>{1});
    EXPECT_EQ(d.focused(), "list");
}

TEST_F(CEmployerTest, ChooseMakesTheSelectedRowTheOnlyCurrentOne) {
    t.person("123456786", "", "BG123456786", true);
    t.person("123456786", "0001", "BG123456786");
    auto& d = open();
    d.select("list", 1).press("Избери");
    EXPECT_EQ(d.result(), ui::Result::Ok);
    EXPECT_EQ(current(), "1234567860001");

    auto& again = open();
    EXPECT_EQ(again.selection("list"), std::vector<int>{1});
    again.selectRows("list", {}).press("Избери");
    EXPECT_EQ(again.result(), ui::Result::Ok) << "the remembered row serves";
    EXPECT_EQ(current(), "1234567860001");
}

TEST_F(CEmployerTest, WithNoRowSelectedOrCurrentOnlyAddingIsOffered) {
    t.person("123456786", "", "BG123456786");
    auto& d = open();
    EXPECT_EQ(d.selection("list"), std::vector<int>{});
    EXPECT_FALSE(d.enabled("Избери"));
    EXPECT_FALSE(d.enabled("Редакция"));
    EXPECT_FALSE(d.enabled("Премахни"));
    EXPECT_TRUE(d.enabled("Добави"));
    d.select("list", 0);
    EXPECT_TRUE(d.enabled("Избери"));
    EXPECT_TRUE(d.enabled("Премахни"));
}

TEST_F(CEmployerTest, AnEmptyTableOpensTheFormAtOnceAndItsCancelClosesTheChooser) {
    host.onDialog<CAddEmployer>([](CAddEmployer&, DialogDriver& e) {
        EXPECT_EQ(e.focused(), "bulstat");
        e.press("Отказ");
    });
    auto& d = open();
    EXPECT_FALSE(d.isOpen());
    EXPECT_EQ(d.result(), ui::Result::Cancel);
    EXPECT_EQ(host.dialogsRun(), (Cells{"Данни за задълженото лице"}));
}

TEST_F(CEmployerTest, TheFirstPersonAddedIsListedAndSelected) {
    host.onDialog<CAddEmployer>(
        [](CAddEmployer&, DialogDriver& e) { TypePerson(e, "123456786", "", "Зорница ООД"); });
    auto& d = open();
    ASSERT_TRUE(d.isOpen());
    EXPECT_EQ(d.row("list", 0), (Cells{"123456786", "Зорница ООД"}));
    EXPECT_EQ(d.selection("list"), std::vector<int>{0});
    EXPECT_EQ(current(), "") << "adding chooses nothing";
    d.press("Избери");
    EXPECT_EQ(current(), "123456786");
}

TEST_F(CEmployerTest, AddingABranchStoresEveryFieldAndSelectsItsThirteenCharacterKey) {
    t.person("123456786", "", "BG123456786", true);
    t.person("831015008", "", "BG831015008");
    host.onDialog<CAddEmployer>([](CAddEmployer&, DialogDriver& e) {
        EXPECT_EQ(e.text("name"), "") << "the form starts empty";
        EXPECT_EQ(e.text("capacity"), "Представляващ");
        e.type("bPost", "Управител").type("bName", "Мария Иванова").type("face", "М. Иванова");
        e.type("phone", "032 60 60 60").type("face1", "Мария").type("face2", "Петрова");
        e.type("face3", "Иванова").type("faceAdr1", "ул. Гладстон 3");
        e.choose("capacity", "Пълномощник");
        TypePerson(e, "123456786", "0001", "Зорница ООД клон Пловдив");
    });
    auto& d = open();
    d.press("Добави");
    EXPECT_EQ(d.column("list", 0), (Cells{"123456786", "831015008", "1234567860001"}));
    EXPECT_EQ(d.selection("list"), std::vector<int>{2});

    const auto stored = db::FindPerson(db, "123456786", "0001");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->vin, "BG123456786");
    EXPECT_EQ(stored->name, "Зорница ООД клон Пловдив");
    EXPECT_EQ(stored->adress, "гр. Пловдив, бул. Марица 5");
    EXPECT_EQ(stored->bPost, "Управител");
    EXPECT_EQ(stored->bName, "Мария Иванова");
    EXPECT_EQ(stored->faceEgn, "7501011232");
    EXPECT_EQ(stored->flPredst, "A");
    EXPECT_EQ(stored->face, "М. Иванова");
    EXPECT_EQ(stored->phone, "032 60 60 60");
    EXPECT_EQ(stored->face1 + " " + stored->face2 + " " + stored->face3, "Мария Петрова Иванова");
    EXPECT_EQ(stored->faceGrad, "Пловдив");
    EXPECT_EQ(stored->facePk, "4000");
    EXPECT_EQ(stored->faceAdr1, "ул. Гладстон 3");
    EXPECT_FALSE(stored->last);
    EXPECT_EQ(current(), "123456786");
}

TEST_F(CEmployerTest, CancellingTheFormChangesNothing) {
    t.person("123456786", "", "BG123456786", true);
    host.onDialog([](DialogDriver& e) { e.type("bulstat", "831015008").press("Отказ"); });
    auto& d = open();
    d.press("Добави");
    EXPECT_EQ(d.rowCount("list"), 1);
    EXPECT_EQ(d.selection("list"), std::vector<int>{0});
    EXPECT_EQ(count("SELECT count(*) FROM EDANNI"), 1);
}

TEST_F(CEmployerTest, EditShowsTheStoredRowAndWritesTheFormBack) {
    auto person = t.person("123456786", "", "BG123456786", true);
    person.name = "Зорница ООД";
    person.adress = "гр. София";
    person.faceEgn = "7501011232";
    person.faceGrad = "София";
    person.facePk = "1000";
    person.flPredst = "A";
    person.faceAdr2 = "от старата база";
    db::UpdatePerson(db, person.bulstat, person.klon, person);
    t.person("831015008", "", "BG831015008");

    host.onDialog<CAddEmployer>([](CAddEmployer&, DialogDriver& e) {
        EXPECT_EQ(e.text("bulstat"), "123456786");
        EXPECT_FALSE(e.enabled("bulstat"));
        EXPECT_EQ(e.text("name"), "Зорница ООД");
        EXPECT_EQ(e.text("capacity"), "Пълномощник");
        e.type("name", "Зорница и сие ООД").choose("capacity", "Представляващ");
        e.press("Запиши");
    });
    auto& d = open();
    d.press("Редакция");
    EXPECT_EQ(d.row("list", 0), (Cells{"123456786", "Зорница и сие ООД"}));
    EXPECT_EQ(d.selection("list"), std::vector<int>{0});
    const auto stored = db::FindPerson(db, "123456786", "");
    EXPECT_EQ(stored->name, "Зорница и сие ООД");
    EXPECT_EQ(stored->flPredst, "R");
    EXPECT_EQ(stored->faceAdr2, "от старата база");
    EXPECT_TRUE(stored->last);

    host.onDialog([](DialogDriver& e) { e.type("name", "Друго").press("Отказ"); });
    d.press("Редакция");
    EXPECT_EQ(db::FindPerson(db, "123456786", "")->name, "Зорница и сие ООД");
}

TEST_F(CEmployerTest, RemovingABranchTakesAllItsDataAndRenumbersWhatRemains) {
    const std::string vin = "BG123456786";
    t.person("123456786", "", vin, true);
    t.person("123456786", "0001", vin);
    t.person("831015008", "", "BG831015008");
    using db::Journal;
    for (const char* period : {"202401", "202402"}) {
        t.document(Journal::Purchases, vin, "", period, 1);
        t.document(Journal::Purchases, vin, "0001", period, 2);
        t.document(Journal::Purchases, vin, "", period, 3);
        t.document(Journal::Sales, vin, "0001", period, 1);
        t.document(Journal::Sales, vin, "", period, 2);
        t.document(Journal::Sales, "BG831015008", "", period, 7);
    }
    for (const char* klon : {"", "0001"}) {
        db::ReturnRow r;
        r.vin = vin;
        r.klon = klon;
        r.period = "202401";
        db::SaveReturn(db, r);
        db::ViesRow v;
        v.vin = vin;
        v.klon = klon;
        v.period = "202401";
        v.number = 1;
        db::InsertViesRow(db, v);
    }
    auto& d = open();
    d.select("list", 1);

    host.answer(Answer::No);
    d.press("Премахни");
    host.expectQuestion(kRemoveQuestion + "1234567860001?", ui::Buttons::YesNo, ui::Icon::Warning);
    EXPECT_EQ(d.rowCount("list"), 3);

    host.answer(Answer::Yes);
    d.press("Премахни");
    host.expectQuestion(kRemoveQuestion + "1234567860001?", ui::Buttons::YesNo, ui::Icon::Warning);
    EXPECT_EQ(d.column("list", 0), (Cells{"123456786", "831015008"}));
    EXPECT_EQ(d.selection("list"), std::vector<int>{0}) << "the current row";
    EXPECT_EQ(current(), "123456786");
    for (const char* table : {"POKUPKI", "PRODAGBI", "DEKLAR", "VIES"})
        EXPECT_EQ(count(std::string("SELECT count(*) FROM ") + table + " WHERE KLON = '0001'"), 0)
            << table;
    EXPECT_EQ(count("SELECT count(*) FROM DEKLAR"), 1);
    EXPECT_EQ(count("SELECT count(*) FROM VIES"), 1);
    for (const char* period : {"202401", "202402"}) {
        EXPECT_EQ(numbers(Journal::Purchases, vin, period), (std::vector<int>{1, 2}));
        EXPECT_EQ(numbers(Journal::Sales, vin, period), (std::vector<int>{1}));
        EXPECT_EQ(numbers(Journal::Sales, "BG831015008", period), (std::vector<int>{7}))
            << "another person's journal is not touched";
    }
}

TEST_F(CEmployerTest, RemovingTheCurrentHeadOfficeMovesLastToTheFirstRowAndKeepsItsBranches) {
    const std::string vin = "BG123456786";
    t.person("123456786", "", vin, true);
    t.person("831015008", "", "BG831015008");
    t.person("123456786", "0001", vin);
    const auto branchDocument = t.document(db::Journal::Purchases, vin, "0001", "202401", 2);
    t.document(db::Journal::Purchases, vin, "", "202401", 1);
    auto& d = open();
    host.answer(Answer::Yes);
    d.press("Премахни");
    host.expectQuestion(kRemoveQuestion + "123456786?", ui::Buttons::YesNo, ui::Icon::Warning);
    EXPECT_EQ(current(), "831015008");
    EXPECT_EQ(d.column("list", 0), (Cells{"831015008", "1234567860001"}));
    EXPECT_EQ(d.selection("list"), std::vector<int>{0});
    EXPECT_EQ(count("SELECT count(*) FROM POKUPKI"), 1);
    EXPECT_EQ(db::LoadJournalRow(db, db::Journal::Purchases, branchDocument)->number, 1);
}

TEST_F(CEmployerTest, RemovingTheOnlyPersonOpensTheForm) {
    t.person("123456786", "", "BG123456786", true);
    auto& d = open();
    host.answer(Answer::Yes);
    host.onDialog([](DialogDriver& e) { e.press("Отказ"); });
    d.press("Премахни");
    host.expectQuestion(kRemoveQuestion + "123456786?", ui::Buttons::YesNo, ui::Icon::Warning);
    EXPECT_EQ(d.result(), ui::Result::Cancel);
    EXPECT_EQ(count("SELECT count(*) FROM EDANNI"), 0);
}

TEST_F(CEmployerTest, ARemovalThatFailsHalfWayLeavesEverythingAsItWas) {
    const std::string vin = "BG123456786";
    t.person("123456786", "", vin, true);
    t.person("831015008", "", "BG831015008");
    t.document(db::Journal::Purchases, vin, "", "202401", 1);
    db.execute("DROP TABLE VIES");
    auto& d = open();
    host.answer(Answer::Yes);
    d.press("Премахни");
    host.expectQuestion(kRemoveQuestion + "123456786?", ui::Buttons::YesNo, ui::Icon::Warning);
    host.expectError("no such table: VIES");
    EXPECT_TRUE(d.isOpen());
    EXPECT_EQ(current(), "123456786");
    EXPECT_EQ(count("SELECT count(*) FROM EDANNI"), 2);
    EXPECT_EQ(count("SELECT count(*) FROM POKUPKI"), 1);
}

TEST_F(CEmployerTest, TheOrderAHeaderClickGaveHoldsAtTheNextOpening) {
    t.person("831015008", "", "BG831015008");
    t.person("123456786", "", "BG123456786", true);
    t.person("205174551", "", "BG205174551");
    db.execute("UPDATE EDANNI SET NAME = 'Бета' WHERE BULSTAT = '831015008'");
    db.execute("UPDATE EDANNI SET NAME = 'Алфа' WHERE BULSTAT = '123456786'");
    db.execute("UPDATE EDANNI SET NAME = 'Гама' WHERE BULSTAT = '205174551'");
    auto& d = open();
    d.clickHeader("list", 1);
    EXPECT_EQ(d.column("list", 1), (Cells{"Алфа", "Бета", "Гама"}));
    EXPECT_EQ(d.selection("list"), std::vector<int>{0}) << "the selection follows its row";
    d.clickHeader("list", 1);
    EXPECT_EQ(d.column("list", 1), (Cells{"Гама", "Бета", "Алфа"}));
    d.press("Отказ");

    auto& again = open();
    EXPECT_EQ(again.column("list", 1), (Cells{"Гама", "Бета", "Алфа"}));
    EXPECT_EQ(again.selection("list"), std::vector<int>{2});
    again.clickHeader("list", 0);
    EXPECT_EQ(again.column("list", 0), (Cells{"123456786", "205174551", "831015008"}));
}

TEST_F(CEmployerTest, ANameWithAnApostropheIsStoredListedAndRenamed) {
    t.person("831015008", "", "BG831015008", true);
    host.onDialog([](DialogDriver& e) { TypePerson(e, "123456786", "", "O'Brien Ltd"); });
    auto& d = open();
    d.press("Добави");
    EXPECT_EQ(d.row("list", 1), (Cells{"123456786", "O'Brien Ltd"}));

    host.onDialog([](DialogDriver& e) {
        EXPECT_EQ(e.text("name"), "O'Brien Ltd");
        e.type("name", "O'Brien & O'Neill").press("Запиши");
    });
    d.press("Редакция");
    EXPECT_EQ(d.row("list", 1), (Cells{"123456786", "O'Brien & O'Neill"}));
    d.press("Избери");
    EXPECT_EQ(db::CurrentPerson(db)->name, "O'Brien & O'Neill");
}

namespace {

// The chooser as the main window's command runs it, through the session.
class PersonChoiceTest : public ::testing::Test, protected persons_test::Fixture {
  protected:
    platform::FixedClock clock{{2026, 12, 8, 10, 0, 0}};
    std::optional<app::CZorevaDoc> doc;
};

}  // namespace

TEST_F(PersonChoiceTest, TheCaptionFollowsTheChoiceAndACancelStillReadsTheSession) {
    t.person("123456786", "", "BG123456786", true);
    t.person("123456786", "0001", "BG123456786");
    t.person("831015008", "", "BG831015008");
    doc.emplace(db, clock, "/data", "/out");
    EXPECT_EQ(doc->title(), "Зорева по ЗДДС - BG123456786  ");

    host.onDialog([](DialogDriver& d) { d.select("list", 1).press("Избери"); });
    doc->choosePerson(host);
    EXPECT_EQ(doc->title(), "Зорева по ЗДДС - BG123456786  - Клон: 0001");
    EXPECT_TRUE(app::IsEnabled(app::Command::WriteMergeFiles, doc->session()));
    EXPECT_FALSE(app::IsEnabled(app::Command::WriteSubmissionFiles, doc->session()));

    // Removing the current branch and closing with "Отказ": the first row is current now.
    host.answer(Answer::Yes);
    host.onDialog([](DialogDriver& d) { d.press("Премахни").press("Отказ"); });
    doc->choosePerson(host);
    host.forgetBoxes();
    EXPECT_EQ(doc->session().person().bulstat, "123456786");
    EXPECT_EQ(doc->title(), "Зорева по ЗДДС - BG123456786  ");
    EXPECT_TRUE(app::IsEnabled(app::Command::WriteSubmissionFiles, doc->session()));
}

TEST_F(PersonChoiceTest, WithEveryPersonRemovedNoneIsCurrentAndTheCaptionStays) {
    t.person("831015008", "", "BG831015008", true);
    doc.emplace(db, clock, "/data", "/out");
    host.answer(Answer::Yes);
    host.onDialog([](DialogDriver& d) { d.press("Премахни"); });  // the form opens at once
    host.onDialog([](DialogDriver& e) { e.press("Отказ"); });
    doc->choosePerson(host);
    host.forgetBoxes();
    EXPECT_FALSE(doc->session().personIsCurrent());
    EXPECT_FALSE(app::IsEnabled(app::Command::PurchaseJournal, doc->session()));
    EXPECT_EQ(doc->title(), "Зорева по ЗДДС - BG831015008  ");
}

TEST_F(PersonChoiceTest, OneChooserServesTheWholeRun) {
    t.person("831015008", "", "BG831015008", true);
    t.person("123456786", "", "BG123456786");
    doc.emplace(db, clock, "/data", "/out");
    host.onDialog([](DialogDriver& d) {
        d.clickHeader("list", 0).clickHeader("list", 0).press(
            "Отказ");  // descending, then ascending
    });
    doc->choosePerson(host);
    host.onDialog([](DialogDriver& d) {
        EXPECT_EQ(d.column("list", 0), (Cells{"123456786", "831015008"}));
        d.press("Отказ");
    });
    doc->choosePerson(host);
}
