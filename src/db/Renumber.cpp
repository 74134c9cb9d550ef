#include "db/Renumber.h"

#include <set>
#include <vector>

#include "db/Rows.h"

namespace db {
namespace {

void RenumberJournal(Database& db, Journal journal, const std::string& vin,
                     const std::string& period) {
    const std::string table = TableName(journal);
    auto rows =
        db.query("SELECT ID, NUMBER FROM " + table + " WHERE VIN = ? AND PERIOD = ? ORDER BY ID",
                 vin, period);
    struct Change {
        std::int64_t id;
        int number;
    };
    std::vector<Change> changes;
    for (int number = 1; rows.step(); ++number) {
        // Only rows whose ordinal moves are written.
        if (rows.isNull(1) || rows.real(1) != number) changes.push_back({rows.integer(0), number});
    }
    auto update = db.prepare("UPDATE " + table + " SET NUMBER = ? WHERE ID = ?");
    for (const auto& c : changes) {
        update.bind(1, double(c.number)).bind(2, c.id).run();
        update.reset();
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
