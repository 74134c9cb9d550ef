#include "db/Backups.h"

#include <string>

namespace db {

int LastBackupDay(Database& db) {
    auto version = db.query("PRAGMA user_version");
    return version.step() ? static_cast<int>(version.integer(0)) : 0;
}

void SetLastBackupDay(Database& db, int yyyymmdd) {
    // A pragma takes no parameters; the value is a number made here.
    db.executeScript("PRAGMA user_version=" + std::to_string(yyyymmdd));
}

bool IsWhole(Database& db) {
    try {
        auto check = db.query("PRAGMA quick_check");
        return check.step() && check.text(0) == "ok";
    } catch (const Error&) {
        return false;  // a page that does not even decrypt
    }
}

}  // namespace db
