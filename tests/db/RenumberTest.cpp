#include "db/Renumber.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <random>

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

// A document as stored, its NUMBER before a renumbering and after it.
struct Numbered {
    db::Journal journal;
    std::string vin, klon, period;
    int before, after;
    std::string why = "";
};

// Stores the documents in this order (so in ID order), renumbers, and checks
// the number of each.
void ExpectNumbersAfter(const std::function<void(db::Database&)>& renumber,
                        const std::vector<Numbered>& documents) {
    TestDatabase t;
    std::vector<std::int64_t> ids;
    for (const auto& d : documents)
        ids.push_back(t.document(d.journal, d.vin, d.klon, d.period, d.before));
    renumber(t.db());
    for (std::size_t i = 0; i < documents.size(); ++i) {
        const auto& d = documents[i];
        EXPECT_EQ(Numbers(t.db(), d.journal)[ids[i]], d.after)
            << d.vin << " " << d.klon << " " << d.period << ": " << d.why;
    }
}

}  // namespace

TEST(RenumberPeriod, NumbersHeadOfficeAndBranchesTogetherInIdOrder) {
    using enum db::Journal;
    ExpectNumbersAfter(
        [](db::Database& db) { db::RenumberPeriod(db, "BG1", "202611"); },
        {
            {Purchases, "BG1", "", "202611", 7, 1},
            {Purchases, "BG1", "0001", "202611", 7, 2},
            {Purchases, "BG1", "", "202611", 7, 3},
            {Purchases, "BG1", "", "202610", 9, 9, "another period is left alone"},
            {Purchases, "BG2", "", "202611", 9, 9, "another VAT number is left alone"},
            {Sales, "BG1", "0002", "202611", 5, 1},
            {Sales, "BG1", "", "202611", 5, 2},
        });
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
    using enum db::Journal;
    ExpectNumbersAfter([](db::Database& db) { db::RenumberAllPeriods(db, "BG1"); },
                       {
                           {Purchases, "BG1", "", "202610", 4, 1},
                           {Sales, "BG1", "0001", "202609", 4, 1},
                           {Sales, "BG1", "", "202609", 4, 2},
                           {Sales, "BG2", "", "202609", 4, 4},
                       });
}

// Whatever the numbers were, a renumbered period reads 1, 2, 3 ... in ID
// order, and nothing outside it moves: random periods of two persons, with
// deletions, numbers missing or not whole, renumbered one at a time.
TEST(RenumberPeriod, AnyNumberingOfAPeriodBecomesItsOrderOfEntry) {
    TestDatabase t;
    std::mt19937 random(20261209);
    const std::vector<std::string> vins = {"BG1", "BG2"}, periods = {"202610", "202611"};
    for (int round = 0; round < 20; ++round) {
        for (int i = 0; i < 30; ++i) {
            const auto id = t.document(db::Journal::Purchases, vins[random() % 2], "",
                                       periods[random() % 2], static_cast<int>(random() % 40));
            if (random() % 7 == 0)
                t.db().execute("UPDATE POKUPKI SET NUMBER = NULL WHERE ID = ?", id);
            if (random() % 7 == 1)
                t.db().execute("UPDATE POKUPKI SET NUMBER = 2.5 WHERE ID = ?", id);
            if (random() % 5 == 0) db::DeleteJournalRow(t.db(), db::Journal::Purchases, id - 1);
        }
        const auto vin = vins[random() % 2], period = periods[random() % 2];
        auto before = t.db().query(
            "SELECT ID, NUMBER FROM POKUPKI WHERE NOT (VIN = ? AND PERIOD = ?) ORDER BY ID", vin,
            period);
        std::vector<std::pair<std::int64_t, double>> others;
        while (before.step()) others.emplace_back(before.integer(0), before.real(1));

        db::RenumberPeriod(t.db(), vin, period);

        auto renumbered = t.db().query(
            "SELECT NUMBER FROM POKUPKI WHERE VIN = ? AND PERIOD = ? ORDER BY ID", vin, period);
        for (int expected = 1; renumbered.step(); ++expected)
            ASSERT_EQ(renumbered.real(0), expected) << "round " << round;
        auto after = t.db().query(
            "SELECT ID, NUMBER FROM POKUPKI WHERE NOT (VIN = ? AND PERIOD = ?) ORDER BY ID", vin,
            period);
        std::vector<std::pair<std::int64_t, double>> othersAfter;
        while (after.step()) othersAfter.emplace_back(after.integer(0), after.real(1));
        ASSERT_EQ(othersAfter, others) << "round " << round;
    }
}
