#include "files/ErrorStore.h"

#include <string>

#include "db/ErrorSet.h"
#include "journals/ErrorCatalogue.h"

namespace files {
namespace {

using journals::ErrorGroup;

const char* TableName(ErrorTable table) {
    switch (table) {
        case ErrorTable::Deklar:
            return "DEKLAR";
        case ErrorTable::Pokupki:
            return "POKUPKI";
        case ErrorTable::Prodagbi:
            return "PRODAGBI";
    }
    return "";
}

db::ErrorSet ReadErrorSet(const db::Statement& row) {
    // The columns hold the words as signed integers, or, after a merge
    // import, as the floating-point value of their unsigned contents; the low
    // 32 bits are the set either way. NULL reads as 0: no code.
    auto word = [&row](int column) { return static_cast<std::int32_t>(row.integer(column)); };
    return db::ErrorSet(word(0), word(1), word(2));
}

bool CarriesFatalCodeOf(ErrorGroup group, const db::ErrorSet& errors) {
    for (int code : errors.codes()) {
        if (journals::IsFatal(group, code)) return true;
    }
    return false;
}

bool JournalHasFatalErrors(db::Database& db, const char* table, ErrorGroup group,
                           std::string_view vin, std::string_view branch, std::string_view period) {
    std::string sql = "SELECT ERROR1, ERROR2, ERROR3 FROM ";
    sql += table;
    sql += " WHERE VIN = ? AND PERIOD = ?";
    if (!branch.empty()) sql += " AND KLON = ?";
    db::Statement rows = db.query(sql, vin, period);
    if (!branch.empty()) rows.bind(3, branch);
    while (rows.step()) {
        if (CarriesFatalCodeOf(group, ReadErrorSet(rows))) return true;
    }
    return false;
}

}  // namespace

bool HasFatalErrors(db::Database& db, std::string_view vin, std::string_view branch,
                    std::string_view period) {
    return JournalHasFatalErrors(db, "POKUPKI", ErrorGroup::Purchases, vin, branch, period) ||
           JournalHasFatalErrors(db, "PRODAGBI", ErrorGroup::Sales, vin, branch, period);
}

bool CarriesFatalCode(db::Journal journal, const db::ErrorSet& errors) {
    // Most documents carry no code at all.
    if (!errors.any()) return false;
    return CarriesFatalCodeOf(
        journal == db::Journal::Purchases ? ErrorGroup::Purchases : ErrorGroup::Sales, errors);
}

bool HasErrorCode(db::Database& db, int code, ErrorTable table, std::int64_t rowId) {
    if (code < 1 || code > db::ErrorSet::kMaxCode) return false;
    std::string sql = "SELECT ERROR1, ERROR2, ERROR3 FROM ";
    sql += TableName(table);
    sql += " WHERE ID = ?";
    db::Statement row = db.query(sql, rowId);
    return row.step() && ReadErrorSet(row).has(code);
}

}  // namespace files
