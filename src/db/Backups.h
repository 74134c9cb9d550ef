#pragma once
// What the database keeps about its backups, and the check of an archive
// before it takes the database's place.

#include "db/Database.h"

namespace db {

// The day of the last backup as YYYYMMDD, kept in the header of the file
// (its user version); 0 when none was made.
int LastBackupDay(Database& db);
void SetLastBackupDay(Database& db, int yyyymmdd);

// Every page of the file reads back sound (the engine's quick check).
bool IsWhole(Database& db);

}  // namespace db
