#pragma once
// Backups of the data: an online copy of the database into a folder the user
// chooses ("Архивиране на данните"), the return of such a copy in place of
// the database ("Възстановяване от архив"), and the reminder shown in the
// main window when the last copy is older than a month.
//
// The day of the last copy is kept in the database itself (the header's user
// version, as YYYYMMDD), so that it travels with the file: a database
// restored from an archive remembers the day that archive was made.

#include <filesystem>
#include <string>

#include "platform/Clock.h"
#include "ui/Host.h"

namespace session {
class Session;
}

namespace app {

// The archive's name for a copy made at `moment`: "ZORV-2026-12-09.MDB".
std::string ArchiveName(const platform::LocalDateTime& moment);

// Asks for a folder and copies the database into it while the program runs.
void BackUpData(ui::Host& host, session::Session& session);

// Asks for an archive, checks it, keeps the current database beside it as
// a dated copy ("ZORV-преди-2026-12-09-1030.MDB") and puts the archive in
// its place; the session is read anew.
void RestoreFromArchive(ui::Host& host, session::Session& session);

// The line the main window shows about backups; "" when the last one is
// younger than a month.
std::string BackupReminder(const session::Session& session);

}  // namespace app
