#pragma once
// Recognising a file that is not this program's database, before and after
// opening it, so that such a file is reported and never written to.

#include <filesystem>

#include "db/Database.h"

namespace db {

// True for a file that cannot be an encrypted database: empty, or a plain
// (unencrypted) SQLite file.
bool LooksLikeForeignFile(const std::filesystem::path& file);

// True when the open database holds the six tables of the program.
bool HasZorevaTables(Database& db);

// The version of the tables this program makes (schema.sql). Version 0 had
// the journals in order of entry; version 1 keeps each period's documents
// together.
inline constexpr int kSchemaVersion = 1;
// The version of the tables of the open database.
int SchemaVersion(Database& db);

}  // namespace db
