#include "persons/PersonStore.h"

#include "db/Renumber.h"
#include "db/Rows.h"

namespace persons {

std::vector<PersonEntry> ListPersons(db::Database& db) {
    auto rows = db.query("SELECT BULSTAT, KLON, NAME, LAST FROM EDANNI ORDER BY rowid");
    std::vector<PersonEntry> entries;
    while (rows.step())
        entries.push_back({{rows.text(0), rows.text(1)}, rows.text(2), rows.integer(3) != 0});
    return entries;
}

bool RemovePerson(db::Database& db, const PersonKey& key) {
    db::Transaction unit(db);
    const auto person = db::FindPerson(db, key.bulstat, key.klon);
    if (!person) return false;

    db.execute("DELETE FROM EDANNI WHERE BULSTAT = ? AND KLON = ?", key.bulstat, key.klon);
    if (person->last)
        db.execute("UPDATE EDANNI SET LAST = 1 WHERE rowid = (SELECT min(rowid) FROM EDANNI)");
    for (const char* table : {"DEKLAR", "POKUPKI", "PRODAGBI", "VIES"})
        db.execute(std::string("DELETE FROM ") + table + " WHERE VIN = ? AND KLON = ?", person->vin,
                   key.klon);
    db::RenumberAllPeriods(db, person->vin);
    unit.commit();
    return true;
}

}  // namespace persons
