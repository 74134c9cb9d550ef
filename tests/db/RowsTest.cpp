#include "db/Rows.h"

#include <gtest/gtest.h>

#include "db/SchemaCheck.h"
#include "support/OlderDatabase.h"
#include "support/TestDatabase.h"

using testing_support::TempDir;
using testing_support::TestDatabase;

TEST(PersonRows, ApostrophesAndCyrillicRoundTrip) {
    TestDatabase t;
    db::PersonRow p;
    p.bulstat = "121212121";
    p.vin = "BG121212121";
    p.name = "O'Brien & Сие' ООД";
    p.adress = "ул. \"Шипка\" 1";
    p.flPredst = "A";
    db::InsertPerson(t.db(), p);
    auto found = db::FindPerson(t.db(), "121212121", "");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->name, "O'Brien & Сие' ООД");
    EXPECT_EQ(found->adress, "ул. \"Шипка\" 1");
    EXPECT_EQ(found->flPredst, "A");

    auto s = t.db().query("SELECT BULSTAT FROM EDANNI WHERE NAME = ?", p.name);
    ASSERT_TRUE(s.step());
    EXPECT_EQ(s.text(0), "121212121");
}

TEST(PersonRows, HeadOfficeAndBranchCoexistAndOnlyOneIsCurrent) {
    TestDatabase t;
    t.person("121212121", "", "BG121212121", true);
    t.person("121212121", "0001", "BG121212121");
    EXPECT_THROW(t.person("121212121", "0001", "BG121212121"), db::Error) << "key is unique";

    db::MakeCurrent(t.db(), "121212121", "0001");
    auto current = db::CurrentPerson(t.db());
    ASSERT_TRUE(current);
    EXPECT_EQ(current->klon, "0001");
    auto s = t.db().query("SELECT count(*) FROM EDANNI WHERE LAST = 1");
    ASSERT_TRUE(s.step());
    EXPECT_EQ(s.integer(0), 1);
}

TEST(JournalRows, NullTextsReadAsEmptyAndAmountsStandAtTheirPositions) {
    TestDatabase t;
    t.db().execute(
        "INSERT INTO PRODAGBI (ID, VIN, PERIOD, NUMBER, SS10, SS25, VIES_TYPE, ERROR2) "
        "VALUES (1, 'BG1', '202611', 1, 10.5, 2.25, '7', 1)");
    auto s = t.db().query("SELECT * FROM PRODAGBI");
    ASSERT_TRUE(s.step());
    EXPECT_DOUBLE_EQ(s.real(11), 10.5) << "SS10 at position 11";
    EXPECT_DOUBLE_EQ(s.real(27), 2.25) << "SS25 at position 27";
    const auto row = db::JournalRow::read(db::Journal::Sales, s);
    EXPECT_EQ(row.klon, "");
    EXPECT_EQ(row.dateModified, "");
    EXPECT_EQ(row.kname, "");
    EXPECT_EQ(row.viesType, "7");
    EXPECT_TRUE(row.errors.has(33)) << "ERROR2 = 1 marks code 33";
    EXPECT_FALSE(row.errors.has(1));

    t.db().execute(
        "INSERT INTO POKUPKI (ID, VIN, PERIOD, BS30, BS44) VALUES (1, 'BG1', '202611', 1.5, 4.75)");
    auto p = t.db().query("SELECT * FROM POKUPKI");
    ASSERT_TRUE(p.step());
    EXPECT_DOUBLE_EQ(p.real(11), 1.5) << "BS30 at position 11";
    EXPECT_DOUBLE_EQ(p.real(17), 4.75) << "BS44 at position 17";
}

TEST(JournalRows, InsertLoadUpdateDelete) {
    TestDatabase t;
    auto row = db::EmptyJournalRow(db::Journal::Purchases);
    row.vin = "BG121212121";
    row.period = "202611";
    row.type = "01";
    row.kname = "O'Brien";
    row.amounts[db::BS31] = 100.0;
    row.amounts[db::BS41] = 20.0;
    row.errors.set(34);
    row.dateCreate = "2026/11/30 09:15";
    const auto id = db::InsertJournalRow(t.db(), db::Journal::Purchases, row);

    auto loaded = db::LoadJournalRow(t.db(), db::Journal::Purchases, id);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->kname, "O'Brien");
    EXPECT_DOUBLE_EQ(loaded->amount(db::BS41), 20.0);
    EXPECT_TRUE(loaded->errors.has(34));
    EXPECT_EQ(loaded->dateModified, "");
    auto raw = t.db().query("SELECT DATE_MODIFIED FROM POKUPKI WHERE ID = ?", id);
    ASSERT_TRUE(raw.step());
    EXPECT_TRUE(raw.isNull(0)) << "DATE_MODIFIED stays NULL until the first edit";

    loaded->dateModified = "2026/12/01 10:00";
    loaded->kname = "Друг";
    db::UpdateJournalRow(t.db(), db::Journal::Purchases, *loaded);
    EXPECT_EQ(db::LoadJournalRow(t.db(), db::Journal::Purchases, id)->kname, "Друг");

    db::DeleteJournalRow(t.db(), db::Journal::Purchases, id);
    EXPECT_FALSE(db::LoadJournalRow(t.db(), db::Journal::Purchases, id));
}

TEST(JournalRows, IdsAreNeverReused) {
    TestDatabase t;
    const auto first = t.document(db::Journal::Sales, "BG1", "", "202611");
    db::DeleteJournalRow(t.db(), db::Journal::Sales, first);
    EXPECT_GT(t.document(db::Journal::Sales, "BG1", "", "202611"), first);
}

TEST(JournalRows, AnIdStoredBeyondTheCounterIsNotGivenAgain) {
    TestDatabase t;
    t.db().execute("INSERT INTO PRODAGBI (ID, VIN, PERIOD) VALUES (50, 'BG1', '202611')");
    EXPECT_EQ(t.document(db::Journal::Sales, "BG1", "", "202611"), 51);
    EXPECT_EQ(db::ReserveJournalIds(t.db(), db::Journal::Sales, 10), 52);
    EXPECT_EQ(t.document(db::Journal::Sales, "BG1", "", "202611"), 62);
    EXPECT_EQ(t.document(db::Journal::Purchases, "BG1", "", "202611"), 1)
        << "each journal counts alone";
}

TEST(JournalRows, AFileOfTheFirstVersionStillTakesDocuments) {
    TempDir dir;
    auto db = testing_support::CreateOlderDatabase(dir / "ZORV.MDB", testing_support::kVersion0);
    EXPECT_EQ(db::SchemaVersion(db), 0);
    auto row = db::EmptyJournalRow(db::Journal::Purchases);
    row.vin = "BG1";
    row.period = "202611";
    const auto first = db::InsertJournalRow(db, db::Journal::Purchases, row);
    db::DeleteJournalRow(db, db::Journal::Purchases, first);
    EXPECT_GT(db::InsertJournalRow(db, db::Journal::Purchases, row), first);
}

TEST(ReturnRows, SaveInsertsOnceThenRewritesTheSameRow) {
    TestDatabase t;
    db::ReturnRow r;
    r.vin = "BG1";
    r.period = "202611";
    r.ds01 = 100;
    r.dr33 = 0.5;
    const auto id = db::SaveReturn(t.db(), r);
    r.ds01 = 200;
    EXPECT_EQ(db::SaveReturn(t.db(), r), id);
    r.klon = "0001";
    EXPECT_NE(db::SaveReturn(t.db(), r), id) << "a branch has its own return";
    auto found = db::FindReturn(t.db(), "BG1", "", "202611");
    ASSERT_TRUE(found);
    EXPECT_DOUBLE_EQ(found->ds01, 200);
    EXPECT_DOUBLE_EQ(found->dr33, 0.5);
}

TEST(ViesRows, ListedBySectionInNumberOrder) {
    TestDatabase t;
    for (int n : {2, 1}) {
        db::ViesRow v{"BG1", "",        "202611", 1, n, "DE12345678" + std::to_string(n),
                      "",    "11/2026", 150.0,    0, 0};
        db::InsertViesRow(t.db(), v);
    }
    db::InsertViesRow(t.db(), {"BG1", "", "202611", 2, 1, "FR1", "FR2", "11/2026", 1, 0, 0});
    const auto rows = db::ViesRows(t.db(), "BG1", "", "202611", 1);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].number, 1);
    EXPECT_EQ(rows[1].knum, "DE123456782");
    EXPECT_EQ(db::ViesRows(t.db(), "BG1", "", "202611", 2).at(0).knumz, "FR2");
}
