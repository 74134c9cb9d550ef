#include "print/PrintStore.h"

#include <string_view>

namespace print {

void ForEachDocument(db::Database& db, db::Journal journal, const PrintScope& scope,
                     const std::function<void(const db::JournalRow&)>& each) {
    const std::string table = db::TableName(journal);
    const std::string_view order = " ORDER BY NUMBER";
    db::Statement s =
        scope.onBranch()
            ? db.query("SELECT * FROM " + table + " WHERE VIN = ? AND KLON = ? AND PERIOD = ?" +
                           std::string(order),
                       scope.vin, scope.klon, scope.period)
            : db.query(
                  "SELECT * FROM " + table + " WHERE VIN = ? AND PERIOD = ?" + std::string(order),
                  scope.vin, scope.period);
    const db::JournalRowReader reader(journal, s);
    while (s.step()) each(reader.read());
}

std::array<bool, kOptionalSalesColumns> OptionalSalesColumnsInUse(db::Database& db,
                                                                  const PrintScope& scope) {
    const std::string sums =
        "SELECT SUM(ABS(SS12)), SUM(ABS(SS26)), SUM(ABS(SS22)), SUM(ABS(SS23)), SUM(ABS(SS13)), "
        "SUM(ABS(SS24)), SUM(ABS(SS14)), SUM(ABS(SS15)), SUM(ABS(SS16)), SUM(ABS(SS17)), "
        "SUM(ABS(SS18)), SUM(ABS(SS19)), SUM(ABS(SS25)) FROM PRODAGBI ";
    db::Statement s =
        scope.onBranch() ? db.query(sums + "WHERE VIN = ? AND KLON = ? AND PERIOD = ?", scope.vin,
                                    scope.klon, scope.period)
                         : db.query(sums + "WHERE VIN = ? AND PERIOD = ?", scope.vin, scope.period);
    std::array<bool, kOptionalSalesColumns> inUse{};
    if (s.step())
        for (int i = 0; i < kOptionalSalesColumns; ++i) inUse[i] = s.real(i) > 0;
    return inUse;
}

db::ReturnRow StoredReturn(db::Database& db, const PrintScope& scope) {
    if (auto row = db::FindReturn(db, scope.vin, scope.klon, scope.period)) return *row;
    db::ReturnRow empty;
    empty.vin = scope.vin, empty.klon = scope.klon, empty.period = scope.period;
    return empty;
}

Signatory ReturnSignatory(db::Database& db, const PrintScope& scope) {
    auto s = db.query("SELECT B_NAME, B_POST FROM EDANNI WHERE VIN = ? AND KLON = ?", scope.vin,
                      scope.klon);
    if (!s.step()) return {};
    return {s.text(0), s.text(1)};
}

std::vector<db::ViesRow> ViesSection(db::Database& db, const PrintScope& scope, int section) {
    return db::ViesRows(db, scope.vin, scope.klon, scope.period, section);
}

}  // namespace print
