#include "journals/PeriodStore.h"

#include <set>

#include "db/Renumber.h"
#include "db/Rows.h"

namespace journals {
namespace {

using db::Journal;

// A branch document: its KLON is the number of some branch in EDANNI.
constexpr const char* kBranchNumbers = "(SELECT KLON FROM EDANNI WHERE KLON <> '')";

// The periods of a journal's documents, found one after another through the
// key rather than by reading every document: a million documents have a few
// dozen periods.
void AddDocumentPeriods(db::Database& db, Journal journal, const std::string& vin,
                        const std::string& klon, std::set<std::string>& periods) {
    const std::string table = db::TableName(journal);
    const bool branch = !klon.empty();
    auto next =
        db.prepare("SELECT PERIOD FROM " + table + " WHERE VIN = ?" +
                   (branch ? " AND KLON = ?" : "") + " AND PERIOD > ? ORDER BY PERIOD LIMIT 1");
    std::string after;
    for (;;) {
        if (branch)
            next.bindAll(vin, klon, after);
        else
            next.bindAll(vin, after);
        if (!next.step()) break;
        after = next.text(0);
        next.reset();
        periods.insert(after);
    }
}

void DeleteDocuments(db::Database& db, Journal journal, const std::string& vin,
                     const std::string& klon, const std::string& period,
                     BranchDocuments branchDocuments) {
    const std::string table = db::TableName(journal);
    if (!klon.empty()) {
        db.execute("DELETE FROM " + table + " WHERE VIN = ? AND KLON = ? AND PERIOD = ?", vin, klon,
                   period);
    } else if (branchDocuments == BranchDocuments::Remove) {
        db.execute("DELETE FROM " + table + " WHERE VIN = ? AND PERIOD = ?", vin, period);
    } else {
        db.execute("DELETE FROM " + table + " WHERE VIN = ? AND PERIOD = ? AND KLON NOT IN " +
                       kBranchNumbers,
                   vin, period);
    }
}

}  // namespace

std::vector<std::string> ReturnPeriods(db::Database& db, const std::string& vin,
                                       const std::string& klon) {
    auto s = db.query("SELECT PERIOD FROM DEKLAR WHERE VIN = ? AND KLON = ? ORDER BY PERIOD DESC",
                      vin, klon);
    std::vector<std::string> periods;
    while (s.step()) periods.push_back(s.text(0));
    return periods;
}

std::vector<std::string> RemovablePeriods(db::Database& db, const std::string& vin,
                                          const std::string& klon) {
    const auto returns = ReturnPeriods(db, vin, klon);
    std::set<std::string> periods(returns.begin(), returns.end());
    AddDocumentPeriods(db, Journal::Purchases, vin, klon, periods);
    AddDocumentPeriods(db, Journal::Sales, vin, klon, periods);
    return {periods.rbegin(), periods.rend()};
}

bool HasBranchDocuments(db::Database& db, const std::string& vin, const std::string& period) {
    for (const Journal journal : {Journal::Purchases, Journal::Sales}) {
        auto s =
            db.query(std::string("SELECT 1 FROM ") + db::TableName(journal) +
                         " WHERE VIN = ? AND PERIOD = ? AND KLON IN " + kBranchNumbers + " LIMIT 1",
                     vin, period);
        if (s.step()) return true;
    }
    return false;
}

void RemovePeriod(db::Database& db, const std::string& vin, const std::string& klon,
                  const std::string& period, BranchDocuments branchDocuments) {
    db::Transaction unit(db);
    DeleteDocuments(db, Journal::Purchases, vin, klon, period, branchDocuments);
    db.execute("DELETE FROM DEKLAR WHERE VIN = ? AND KLON = ? AND PERIOD = ?", vin, klon, period);
    DeleteDocuments(db, Journal::Sales, vin, klon, period, branchDocuments);
    db.execute("DELETE FROM VIES WHERE VIN = ? AND KLON = ? AND PERIOD = ?", vin, klon, period);
    db::RenumberPeriod(db, vin, period);
    unit.commit();
}

}  // namespace journals
