#include "persons/CounterpartStore.h"

namespace persons {
namespace {

std::optional<db::CounterpartRow> First(db::Statement rows) {
    if (!rows.step()) return std::nullopt;
    return db::CounterpartRow::read(rows);
}

}  // namespace

std::vector<db::CounterpartRow> CounterpartsOf(db::Database& db, const std::string& owner) {
    auto rows = db.query("SELECT * FROM KONTRAG WHERE VIN = ? ORDER BY rowid", owner);
    std::vector<db::CounterpartRow> entries;
    while (rows.step()) entries.push_back(db::CounterpartRow::read(rows));
    return entries;
}

std::optional<db::CounterpartRow> FindCounterpart(db::Database& db, const std::string& kn,
                                                  const std::string& owner) {
    return First(db.query("SELECT * FROM KONTRAG WHERE KN = ? AND VIN = ?", kn, owner));
}

std::optional<db::CounterpartRow> FindCounterpartOfAnyOwner(db::Database& db,
                                                            const std::string& kn) {
    // The shared entry comes first: making another person's entry shared
    // while a shared one exists would give the register the same key twice.
    return First(
        db.query("SELECT * FROM KONTRAG WHERE KN = ? ORDER BY VIN <> ?, rowid", kn, kSharedOwner));
}

void RenameCounterpart(db::Database& db, const std::string& kn, const std::string& owner,
                       const std::string& name) {
    db::Transaction unit(db);
    db.execute("UPDATE KONTRAG SET KI = ? WHERE KN = ? AND VIN = ?", name, kn, owner);
    db.execute("UPDATE POKUPKI SET KNAME = ? WHERE KNUM = ?", name, kn);
    db.execute("UPDATE PRODAGBI SET KNAME = ? WHERE KNUM = ?", name, kn);
    unit.commit();
}

void ShareCounterpart(db::Database& db, const std::string& kn, const std::string& owner,
                      const std::string& name) {
    db.execute("UPDATE KONTRAG SET VIN = ?, KI = ? WHERE KN = ? AND VIN = ?", kSharedOwner, name,
               kn, owner);
}

void DeleteCounterpart(db::Database& db, const std::string& kn, const std::string& owner) {
    db.execute("DELETE FROM KONTRAG WHERE VIN = ? AND KN = ?", owner, kn);
}

}  // namespace persons
