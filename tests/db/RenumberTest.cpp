#include "db/Renumber.h"

#include <gtest/gtest.h>

#include <map>

#include "db/Rows.h"
#include "support/TestDatabase.h"

using testing_support::TestDatabase;

namespace {

// NUMBER of every row of a journal, by id.
std::map<std::int64_t, int> Numbers(db::Database& db, db::Journal journal) {
    auto s = db.query(std::string("SELECT ID, NUMBER FROM ") + db::TableName(journal));
    std::map<std::int64_t, int> result;
    while (s.step()) result[s.integer(0)] = static_cast<int>(s.real(1));
    return result;
}

}  // namespace

TEST(RenumberPeriod, NumbersHeadOfficeAndBranchesTogetherInIdOrder) {
    TestDatabase t;
    const auto a = t.document(db::Journal::Purchases, "BG1", "", "202611", 7);
    const auto b = t.document(db::Journal::Purchases, "BG1", "0001", "202611", 7);
    const auto c = t.document(db::Journal::Purchases, "BG1", "", "202611", 7);
    const auto otherPeriod = t.document(db::Journal::Purchases, "BG1", "", "202610", 9);
    const auto otherVin = t.document(db::Journal::Purchases, "BG2", "", "202611", 9);
    const auto sale1 = t.document(db::Journal::Sales, "BG1", "0002", "202611", 5);
    const auto sale2 = t.document(db::Journal::Sales, "BG1", "", "202611", 5);

    db::RenumberPeriod(t.db(), "BG1", "202611");

    auto p = Numbers(t.db(), db::Journal::Purchases);
    EXPECT_EQ(p[a], 1);
    EXPECT_EQ(p[b], 2);
    EXPECT_EQ(p[c], 3);
    EXPECT_EQ(p[otherPeriod], 9) << "another period is left alone";
    EXPECT_EQ(p[otherVin], 9) << "another VAT number is left alone";
    auto s = Numbers(t.db(), db::Journal::Sales);
    EXPECT_EQ(s[sale1], 1);
    EXPECT_EQ(s[sale2], 2);
}

TEST(RenumberPeriod, AGapLeftByADeleteCloses) {
    TestDatabase t;
    std::vector<std::int64_t> ids;
    for (int i = 1; i <= 4; ++i)
        ids.push_back(t.document(db::Journal::Sales, "BG1", "", "202611", i));
    db::DeleteJournalRow(t.db(), db::Journal::Sales, ids[1]);
    db::RenumberPeriod(t.db(), "BG1", "202611");
    auto s = Numbers(t.db(), db::Journal::Sales);
    EXPECT_EQ(s, (std::map<std::int64_t, int>{{ids[0], 1}, {ids[2], 2}, {ids[3], 3}}));
}

TEST(RenumberAllPeriods, CoversPeriodsOfEitherJournal) {
    TestDatabase t;
    const auto p1 = t.document(db::Journal::Purchases, "BG1", "", "202610", 4);
    const auto s1 = t.document(db::Journal::Sales, "BG1", "0001", "202609", 4);
    const auto s2 = t.document(db::Journal::Sales, "BG1", "", "202609", 4);
    const auto other = t.document(db::Journal::Sales, "BG2", "", "202609", 4);
    db::RenumberAllPeriods(t.db(), "BG1");
    EXPECT_EQ(Numbers(t.db(), db::Journal::Purchases)[p1], 1);
    auto s = Numbers(t.db(), db::Journal::Sales);
    EXPECT_EQ(s[s1], 1);
    EXPECT_EQ(s[s2], 2);
    EXPECT_EQ(s[other], 4);
}
