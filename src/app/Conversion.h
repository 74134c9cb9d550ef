#pragma once
// Carrying the user's data into a new database at start-up, before the
// database is opened for the run.
//
// A newly delivered ZORV1.MDB with no ZORV.MDB beside it (a fresh
// installation) simply becomes ZORV.MDB. With a ZORV.MDB beside it, or when
// ZORV.MDB is of an earlier version of the tables than this program's, the
// data of ZORV.MDB is carried into a new file, which then takes its place:
//
// 1. the new file is a copy of ZORV1.MDB (or, with none delivered or one of
//    another version, a database made from this program's tables), named
//    ZORV.MDB.new; ZORV1.MDB itself is never written;
// 2. every row is copied into it in one unit of work (CarryOverUserData);
// 3. ZORV.MDB is kept as a dated backup beside it (ZORV-YYYYMMDD-HHMMSS.MDB,
//    a second name of the same file where the file system allows);
// 4. the new file is renamed over ZORV.MDB, and only then ZORV1.MDB removed.
//
// Wherever it stops (a failure, a full disk, a killed process), ZORV.MDB is
// whole: before step 4 it is the old database, untouched; after it the new
// one, complete. The next start removes a left-over ZORV.MDB.new and tries
// again; a ZORV1.MDB left after step 4 is carried into once more, which gives
// the same data.

#include <filesystem>
#include <functional>
#include <span>
#include <string>

#include "app/ConversionStore.h"
#include "db/Key.h"
#include "platform/Clock.h"

namespace app {

enum class ConversionOutcome {
    Nothing,    // nothing to carry over, or ZORV.MDB cannot be opened (start-up says why)
    Installed,  // a delivered ZORV1.MDB became ZORV.MDB
    Converted,  // the data of ZORV.MDB was carried into a new ZORV.MDB
    Failed,     // ZORV.MDB stays as it was and is used; ZORV1.MDB stays for the next start
};

struct ConversionReport {
    ConversionOutcome outcome = ConversionOutcome::Nothing;
    std::string failure;           // the reason, when Failed
    std::filesystem::path backup;  // the earlier database, when Converted
    CarriedRows carried;
};

// Where a test may stop a conversion, as a killed process would.
enum class ConversionStep { RowCopied, Copied, BackedUp, Replaced };
using ConversionProbe = std::function<void(ConversionStep)>;

// The files of the data folder.
std::filesystem::path DatabaseFile(const std::filesystem::path& dataFolder);
std::filesystem::path DeliveredDatabaseFile(const std::filesystem::path& dataFolder);

// Takes over a delivered ZORV1.MDB, if there is one. `locks` open ZORV.MDB.
ConversionReport TakeOverDeliveredDatabase(const std::filesystem::path& dataFolder,
                                           const platform::Clock& clock,
                                           std::span<const db::Lock> locks = db::BuiltInLocks(),
                                           const ConversionProbe& probe = {});

// Carries a ZORV.MDB of an earlier version of the tables into a new one of
// this program's version (no ZORV1.MDB involved). ZORV.MDB must be closed.
ConversionReport UpgradeDatabase(const std::filesystem::path& dataFolder,
                                 const platform::Clock& clock,
                                 std::span<const db::Lock> locks = db::BuiltInLocks(),
                                 const ConversionProbe& probe = {});

// What the user is told when a conversion failed.
std::string ConversionFailureText(const ConversionReport& report);

}  // namespace app
