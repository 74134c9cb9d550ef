#include "db/Renumber.h"

#include <cmath>
#include <set>
#include <vector>

#include "db/Rows.h"

namespace db {
namespace {

// Documents next to each other in ID order whose NUMBER moves by the same
// amount: one statement moves them all. Deleting a document leaves one such
// run (every later document moves up one), so a renumbering after a deletion
// is one statement over the period's own rows, however many they are.
struct Run {
    std::int64_t firstId = 0, lastId = 0;
    double shift = 0;  // 0: NUMBER is set to `number` (a row without a whole number)
    int number = 0;
};

std::vector<Run> RunsToRenumber(Database& db, const std::string& table, const std::string& vin,
                                const std::string& period) {
    auto rows =
        db.query("SELECT ID, NUMBER FROM " + table + " WHERE VIN = ? AND PERIOD = ? ORDER BY ID",
                 vin, period);
    std::vector<Run> runs;
    bool extends = false;  // the previous row moved and may take this one along
    for (int number = 1; rows.step(); ++number) {
        const std::int64_t id = rows.integer(0);
        if (!rows.isNull(1) && rows.real(1) == number) {
            extends = false;
            continue;
        }
        // A number that is missing or not whole is set rather than moved.
        const double old = rows.real(1);
        const bool whole = !rows.isNull(1) && old == std::trunc(old);
        const double shift = whole ? number - old : 0;
        if (extends && shift != 0 && runs.back().shift == shift) {
            runs.back().lastId = id;
        } else {
            runs.push_back({id, id, shift, number});
        }
        extends = true;
    }
    return runs;
}

void RenumberJournal(Database& db, Journal journal, const std::string& vin,
                     const std::string& period) {
    const std::string table = TableName(journal);
    const auto runs = RunsToRenumber(db, table, vin, period);
    if (runs.empty()) return;
    auto shift = db.prepare("UPDATE " + table +
                            " SET NUMBER = NUMBER + ? "
                            "WHERE VIN = ? AND PERIOD = ? AND ID BETWEEN ? AND ?");
    auto set =
        db.prepare("UPDATE " + table + " SET NUMBER = ? WHERE VIN = ? AND PERIOD = ? AND ID = ?");
    for (const auto& run : runs) {
        if (run.shift != 0) {
            shift.bindAll(run.shift, vin, period, run.firstId, run.lastId).run();
            shift.reset();
        } else {
            set.bindAll(double(run.number), vin, period, run.firstId).run();
            set.reset();
        }
    }
}

std::set<std::string> PeriodsOf(Database& db, Journal journal, const std::string& vin) {
    auto s = db.query(
        std::string("SELECT DISTINCT(PERIOD) FROM ") + TableName(journal) + " WHERE VIN = ?", vin);
    std::set<std::string> periods;
    while (s.step()) periods.insert(s.text(0));
    return periods;
}

}  // namespace

void RenumberPeriod(Database& db, const std::string& vin, const std::string& period) {
    Transaction t(db);
    RenumberJournal(db, Journal::Purchases, vin, period);
    RenumberJournal(db, Journal::Sales, vin, period);
    t.commit();
}

void RenumberAllPeriods(Database& db, const std::string& vin) {
    Transaction t(db);
    auto periods = PeriodsOf(db, Journal::Purchases, vin);
    periods.merge(PeriodsOf(db, Journal::Sales, vin));
    for (const auto& period : periods) RenumberPeriod(db, vin, period);
    t.commit();
}

}  // namespace db
