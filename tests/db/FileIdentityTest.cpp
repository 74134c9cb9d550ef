// A write goes only into the file that is at the data folder's path: when the
// folder is removed, or the file moved or replaced while the program runs,
// every write fails with the program's message and nothing is stored.
#include <functional>

#include <gtest/gtest.h>

#include "db/Database.h"
#include "support/TempDir.h"
#include "support/TestDatabase.h"

using testing_support::TempDir;

namespace {

void AddCounterpart(db::Database& db, const std::string& kn) {
    db.execute("INSERT INTO KONTRAG (KN, KI, VIN) VALUES (?, 'Име', 'ALL')", kn);
}

std::int64_t Counterparts(db::Database& db) {
    return testing_support::RowCount(db, "KONTRAG");
}

bool SaysTheFileIsGone(const db::Error& e) {
    return std::string(e.what()).find("вече не е на мястото си") != std::string::npos &&
           std::string(e.what()).find("Нищо не е записано") != std::string::npos;
}

struct Change {
    const char* what;
    // Takes the file away from its path; returns where its bytes went, or
    // "" when they are gone.
    std::function<std::filesystem::path(const TempDir& dir)> apply;
};

const Change kChanges[] = {
    {"the folder removed",
     [](const TempDir& dir) {
         std::filesystem::remove_all(dir / "data");
         return std::filesystem::path();
     }},
    {"the file moved",
     [](const TempDir& dir) {
         std::filesystem::rename(dir / "data/ZORV.MDB", dir / "ZORV.MOVED");
         return dir / "ZORV.MOVED";
     }},
    {"the file replaced by a copy",
     [](const TempDir& dir) {
         std::filesystem::rename(dir / "data/ZORV.MDB", dir / "ZORV.MOVED");
         std::filesystem::copy_file(dir / "ZORV.MOVED", dir / "data/ZORV.MDB");
         return dir / "ZORV.MOVED";
     }},
    {"the folder renamed",
     [](const TempDir& dir) {
         std::filesystem::rename(dir / "data", dir / "elsewhere");
         return dir / "elsewhere/ZORV.MDB";
     }},
};

}  // namespace

TEST(FileIdentity, AWriteAfterTheFileLeftItsPathFailsAndStoresNothing) {
    for (const auto& change : kChanges) {
        SCOPED_TRACE(change.what);
        TempDir dir;
        std::filesystem::create_directory(dir / "data");
        std::filesystem::path movedTo;
        {
            auto db = db::Database::create(dir / "data/ZORV.MDB");
            AddCounterpart(db, "100000001");  // the save before the change works
            // Into the file itself, so that its bytes can be looked at elsewhere.
            db.executeScript("PRAGMA wal_checkpoint(TRUNCATE)");
            movedTo = change.apply(dir);

            // A single statement and a unit of work are refused alike.
            try {
                AddCounterpart(db, "100000002");
                ADD_FAILURE() << "a single statement was stored";
            } catch (const db::Error& e) {
                EXPECT_TRUE(SaysTheFileIsGone(e)) << e.what();
            }
            try {
                db::Transaction unit(db);
                AddCounterpart(db, "100000003");
                unit.commit();
                ADD_FAILURE() << "a unit of work was stored";
            } catch (const db::Error& e) {
                EXPECT_TRUE(SaysTheFileIsGone(e)) << e.what();
            }
            EXPECT_EQ(Counterparts(db), 1) << "reading still works";
        }
        if (movedTo.empty()) continue;
        auto moved = db::Database::open(movedTo);
        EXPECT_EQ(Counterparts(moved), 1);
    }
}

TEST(FileIdentity, AFileLeftInPlaceKeepsTakingWrites) {
    TempDir dir;
    auto db = db::Database::create(dir / "ZORV.MDB");
    // Another name for the same file is no change of the file at the path.
    std::filesystem::create_hard_link(dir / "ZORV.MDB", dir / "LINK.MDB");
    for (int i = 0; i < 3; ++i) {
        db::Transaction unit(db);
        AddCounterpart(db, std::to_string(100000001 + i));
        unit.commit();
    }
    EXPECT_EQ(Counterparts(db), 3);
}
