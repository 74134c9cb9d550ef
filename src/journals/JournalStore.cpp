#include "journals/JournalStore.h"

#include "db/Renumber.h"

namespace journals {

db::JournalRow AddDocument(db::Database& db, db::Journal journal, db::JournalRow row,
                           Numbering numbering) {
    const std::string table = db::TableName(journal);
    db::Transaction unit(db);
    auto count = db.query("SELECT COUNT(VIN) FROM " + table + " WHERE VIN = ? AND PERIOD = ?",
                          row.vin, row.period);
    count.step();
    row.number = static_cast<int>(count.integer(0)) + 1;
    row.id = db::InsertJournalRow(db, journal, row);
    if (numbering == Numbering::InSequence) {
        unit.commit();
        return row;
    }
    db::RenumberPeriod(db, row.vin, row.period);
    auto number = db.query("SELECT NUMBER FROM " + table + " WHERE ID = ?", row.id);
    if (number.step()) row.number = static_cast<int>(number.real(0));
    unit.commit();
    return row;
}

void UpdateDocument(db::Database& db, db::Journal journal, const db::JournalRow& row) {
    db::UpdateJournalRow(db, journal, row);
}

void DeleteDocument(db::Database& db, db::Journal journal, std::int64_t id, const std::string& vin,
                    const std::string& period) {
    db::Transaction unit(db);
    db::DeleteJournalRow(db, journal, id);
    db::RenumberPeriod(db, vin, period);
    unit.commit();
}

std::optional<std::string> LookUpCounterpartName(db::Database& db, db::Journal journal,
                                                 std::string_view identifier) {
    const std::string id(identifier);
    auto registered = db.query("SELECT KI FROM KONTRAG WHERE KN = ?", id);
    if (registered.step()) return registered.text(0);
    const std::string table = db::TableName(journal);
    auto latest = db.query("SELECT KNAME FROM " + table + " WHERE ID = (SELECT MAX(ID) FROM " +
                               table + " WHERE KNUM = ?)",
                           id);
    if (latest.step()) return latest.text(0);
    return std::nullopt;
}

}  // namespace journals
