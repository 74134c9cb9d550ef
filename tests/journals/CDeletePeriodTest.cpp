// Removing a whole period, from the head office and from a branch.
#include "journals/CDeletePeriod.h"

#include <gtest/gtest.h>

#include "JournalFixture.h"
#include "db/Renumber.h"
#include "journals/PeriodStore.h"

using journals_test::kBulstat;
using journals_test::kVin;

namespace {

using testing_support::DialogDriver;
using Strings = std::vector<std::string>;

constexpr const char* kPeriod = "202403";
const std::string kFirstQuestion =
    "Наистина ли искате да изтриете всички въведени документи за периода 202403 за "
    "регистрираното лице с Булстат-175074752";
const std::string kBranchQuestion =
    "Има въведени документи за периода 202403 за ЗЛ-клонове на регистрираното лице с "
    "Булстат-175074752! Искате ли да изтриете и тях?\r\nНатиснете 'Да' за да се изтрият всички "
    "документи за този период, 'Не' да се изтрият документите само на ЗЛ-майка, 'Отказ' да не "
    "трие нищо.";

// A head office and its branch 0001, with documents of both in two periods
// entered in turn, each with a VAT return and a VIES return.
class PeriodRemovalFixture : public journals_test::JournalFixture {
  protected:
    void SetUp() override {
        session();
        t.person(kBulstat, "0001", kVin);
        for (const char* period : {"202402", kPeriod}) {
            for (const std::string klon : {"", "0001", "", "0001"}) {
                document(db::Journal::Purchases, klon, period);
                document(db::Journal::Sales, klon, period);
            }
            for (const std::string klon : {"", "0001"}) {
                db::ReturnRow r;
                r.vin = kVin;
                r.klon = klon;
                r.period = period;
                db::SaveReturn(t.db(), r);
                db::InsertViesRow(t.db(),
                                  {kVin, klon, period, 1, 1, "DE123456789", "", "", 1, 0, 0});
            }
        }
    }
    void document(db::Journal journal, const std::string& klon, const std::string& period) {
        t.document(journal, kVin, klon, period);
        db::RenumberPeriod(t.db(), kVin, period);
    }
    // What the period holds: documents by branch with their numbers, returns
    // and VIES returns by branch.
    Strings contents(const std::string& period = kPeriod) {
        Strings held;
        for (const auto journal : {db::Journal::Purchases, db::Journal::Sales})
            for (const auto& row : rows(journal))
                if (row.period == period)
                    held.push_back(std::string(journal == db::Journal::Sales ? "S" : "P") +
                                   std::to_string(row.number) + "/" + row.klon);
        for (const char* table : {"DEKLAR", "VIES"}) {
            auto s = t.db().query(
                std::string("SELECT KLON FROM ") + table + " WHERE PERIOD = ? ORDER BY KLON",
                period);
            while (s.step()) held.push_back(std::string(table) + "/" + s.text(0));
        }
        return held;
    }
    DialogDriver& open(const std::string& klon = "") {
        dialog = std::make_unique<journals::CDeletePeriod>(host, session(klon));
        driver = std::make_unique<DialogDriver>(*dialog);
        return *driver;
    }

    std::unique_ptr<journals::CDeletePeriod> dialog;
    std::unique_ptr<DialogDriver> driver;
};

}  // namespace

TEST_F(PeriodRemovalFixture, ABranchRemovesOnlyItsOwnAndTheHeadOfficeIsNumberedAgain) {
    auto& d = open("0001");
    EXPECT_EQ(d.title(), "Изтриване на период");
    EXPECT_EQ(d.column("periods", 0), (Strings{kPeriod, "202402"}));
    host.answer(ui::Answer::Yes);
    d.select("periods", 0).press("Изтрий");
    host.expectQuestion(kFirstQuestion + "0001?");
    host.expectNoMoreBoxes();
    EXPECT_EQ(contents(), (Strings{"P1/", "P2/", "S1/", "S2/", "DEKLAR/", "VIES/"}));
    EXPECT_EQ(contents("202402").size(), 12u) << "another period is untouched";
    EXPECT_EQ(d.column("periods", 0), (Strings{"202402"}));
}

TEST_F(PeriodRemovalFixture, AHeadOfficeAnsweringNoKeepsTheBranchesDocuments) {
    auto& d = open();
    host.answer(ui::Answer::Yes).answer(ui::Answer::No);
    d.select("periods", 0).press("Изтрий");
    host.expectQuestion(kFirstQuestion + "?");
    host.expectQuestion(kBranchQuestion, ui::Buttons::YesNoCancel);
    EXPECT_EQ(contents(),
              (Strings{"P1/0001", "P2/0001", "S1/0001", "S2/0001", "DEKLAR/0001", "VIES/0001"}));
}

TEST_F(PeriodRemovalFixture, AHeadOfficeAnsweringYesRemovesEveryDocumentButNotTheBranchReturns) {
    auto& d = open();
    host.answer(ui::Answer::Yes).answer(ui::Answer::Yes);
    d.select("periods", 0).press("Изтрий");
    host.forgetBoxes();
    EXPECT_EQ(contents(), (Strings{"DEKLAR/0001", "VIES/0001"}));
}

TEST_F(PeriodRemovalFixture, NoAndCancelRemoveNothing) {
    auto& d = open();
    host.answer(ui::Answer::No);
    d.select("periods", 0).press("Изтрий");
    host.answer(ui::Answer::Yes).answer(ui::Answer::Cancel);
    d.press("Изтрий");
    host.forgetBoxes();
    EXPECT_EQ(contents().size(), 12u);
    EXPECT_EQ(d.column("periods", 0), (Strings{kPeriod, "202402"}));
}

TEST_F(PeriodRemovalFixture, WithoutBranchDocumentsOnlyTheFirstQuestionIsAsked) {
    t.db().execute("DELETE FROM POKUPKI WHERE KLON <> ''");
    t.db().execute("DELETE FROM PRODAGBI WHERE KLON <> ''");
    auto& d = open();
    host.answer(ui::Answer::Yes);
    d.select("periods", 0).press("Изтрий");
    host.expectQuestion(kFirstQuestion + "?");
    host.expectNoMoreBoxes();
    EXPECT_EQ(contents(), (Strings{"DEKLAR/0001", "VIES/0001"}));
}

TEST_F(PeriodRemovalFixture, APeriodWithDocumentsButNoReturnIsListedAndRemoved) {
    document(db::Journal::Sales, "", "202404");
    auto& d = open();
    EXPECT_EQ(d.column("periods", 0), (Strings{"202404", kPeriod, "202402"}));
    host.answer(ui::Answer::Yes);
    d.select("periods", 0).press("Изтрий");
    host.forgetBoxes();
    EXPECT_TRUE(contents("202404").empty());
    EXPECT_EQ(d.column("periods", 0), (Strings{kPeriod, "202402"}));
}

TEST_F(PeriodRemovalFixture, NothingChosenIsRefused) {
    auto& d = open();
    d.press("Изтрий");
    host.expectError("Не сте избрали ПЕРИОД!");
    EXPECT_EQ(d.focused(), "periods");
}

// A failure in the middle (after the purchases and the return) leaves the
// whole period as it was.
TEST_F(PeriodRemovalFixture, ARemovalThatFailsChangesNothing) {
    t.db().executeScript(
        "CREATE TRIGGER refuse BEFORE DELETE ON PRODAGBI BEGIN SELECT RAISE(ABORT, 'disk I/O "
        "error'); END;");
    const auto before = contents();
    EXPECT_THROW(
        journals::RemovePeriod(t.db(), kVin, "", kPeriod, journals::BranchDocuments::Remove),
        db::Error);
    EXPECT_EQ(contents(), before);
}
