// Online copies of the database and their return in its place: a copy is
// encrypted under the same key and salt and readable by its owner alone; a
// return keeps the old file under a second name, and a kill at any moment
// leaves at the path a file that opens whole, either the old or the new one.

#include <chrono>

#include <gtest/gtest.h>

#include "db/Backups.h"
#include "db/Database.h"
#include "support/ChildProcess.h"
#include "support/Permissions.h"
#include "support/TempDir.h"
#include "support/TestDatabase.h"

using testing_support::AddCounterparts;
using testing_support::ModeOf;
using testing_support::RawKey;
using testing_support::ReadFile;
using testing_support::TempDir;

namespace {

// Rows of counterparts, each with a number of its own, named after the mark.
void Fill(db::Database& db, int rows, const std::string& mark) {
    static int next = 0;
    AddCounterparts(db, next, rows, mark + " Контрагент с дълго име ООД №");
    next += rows;
}

// The mark of the rows and their count: which of the files this is.
std::pair<std::string, std::int64_t> StateOf(db::Database& db) {
    auto s = db.query("SELECT min(substr(KI, 1, 3)), count(*) FROM KONTRAG");
    s.step();
    return {s.text(0), s.integer(1)};
}

}  // namespace

TEST(Backup, TheCopyIsEncryptedPrivateAndOpensWithTheSameKeyWhileTheFileStaysInUse) {
    const db::Lock locks[] = {{db::Key::builtIn(), db::PageFormat::Current},
                              {RawKey(9), db::PageFormat::Current},
                              {db::Key::legacyBuiltIn(), db::PageFormat::Legacy}};
    for (const auto& lock : locks) {
        SCOPED_TRACE(lock.format == db::PageFormat::Current ? "4 KB pages" : "1 KB pages");
        TempDir dir;
        std::filesystem::create_directory(dir / "archive");
        const auto archive = dir / "archive/ZORV-2026-12-09.MDB";
        auto db = db::Database::create(dir / "ZORV.MDB", lock);
        Fill(db, 500, "AAA");
        db::SetLastBackupDay(db, 20261209);
        db.backUpTo(archive);
        Fill(db, 10, "BBB");  // the database stays open and in use

        EXPECT_EQ(ModeOf(archive), 0600);
        EXPECT_NE(ReadFile(archive).substr(0, 15), "SQLite format 3");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "archive"),
                                std::filesystem::directory_iterator()),
                  1)
            << "nothing beside the copy";
        auto copy = db::Database::open(archive, {&lock, 1}, db::Access::ReadOnly);
        EXPECT_EQ(StateOf(copy), std::make_pair(std::string("AAA"), std::int64_t{500}));
        EXPECT_EQ(db::LastBackupDay(copy), 20261209);
        EXPECT_TRUE(db::IsWhole(copy));
        // The salt is the file's, so that a password derived with it opens the
        // copy (a text key is stretched with the salt of whichever file it opens).
        if (lock.key.isRaw()) {
            EXPECT_EQ(db::ReadSalt(archive), db::ReadSalt(dir / "ZORV.MDB"));
        }
    }
}

TEST(Backup, AFailedCopyLeavesNothingBehind) {
    TempDir dir;
    auto db = db::Database::create(dir / "ZORV.MDB");
    EXPECT_THROW(db.backUpTo(dir / "no-such-folder/ZORV-2026-12-09.MDB"), db::Error);
    EXPECT_FALSE(std::filesystem::exists(dir / "no-such-folder"));
    Fill(db, 1, "AAA");  // still usable
}

TEST(Restore, TheArchiveTakesThePlaceAndTheOldFileStaysUnderItsSecondName) {
    TempDir dir;
    const auto file = dir / "ZORV.MDB";
    const db::Lock password{RawKey(5), db::PageFormat::Current};
    {
        auto other = db::Database::create(dir / "other.MDB", password);
        Fill(other, 30, "NEW");
        other.backUpTo(dir / "ZORV-2026-12-01.MDB");
    }
    auto db = db::Database::create(file);
    Fill(db, 20, "OLD");
    db.replaceWith(dir / "ZORV-2026-12-01.MDB", password, dir / "ZORV-OLD.MDB");

    EXPECT_EQ(StateOf(db), std::make_pair(std::string("NEW"), std::int64_t{30}));
    EXPECT_TRUE(db.hasOwnPassword());
    Fill(db, 1, "NEW");  // and it takes writes at its path
    EXPECT_EQ(ModeOf(file), 0600);
    auto kept = db::Database::open(dir / "ZORV-OLD.MDB");
    EXPECT_EQ(StateOf(kept), std::make_pair(std::string("OLD"), std::int64_t{20}));
    EXPECT_TRUE(std::filesystem::exists(dir / "ZORV-2026-12-01.MDB")) << "the archive stays";
}

TEST(Restore, AnArchiveThatDoesNotOpenLeavesTheOldFileOpenAtItsPath) {
    TempDir dir;
    const auto file = dir / "ZORV.MDB";
    auto db = db::Database::create(file);
    Fill(db, 20, "OLD");
    const auto notAnArchive = dir.write("junk.MDB", std::string(8192, 'j'));
    EXPECT_THROW(db.replaceWith(notAnArchive, db::BuiltInLocks().front(), dir / "ZORV-OLD.MDB"),
                 db::Error);
    EXPECT_EQ(StateOf(db), std::make_pair(std::string("OLD"), std::int64_t{20}));
    Fill(db, 1, "OLD");
    EXPECT_FALSE(std::filesystem::exists(dir / "ZORV-OLD.MDB"));
}

namespace {

// Restores `archive` in a child process and kills it after `delay` (never,
// when nullopt). Returns how long the child ran.
std::chrono::duration<double> RestoreInChild(const std::filesystem::path& file,
                                             const std::filesystem::path& archive,
                                             const std::filesystem::path& kept,
                                             std::optional<std::chrono::microseconds> delay) {
    return testing_support::RunInChild(
        [&] {
            auto db = db::Database::open(file);
            db.replaceWith(archive, db::BuiltInLocks().front(), kept);
        },
        delay);
}

}  // namespace

TEST(Restore, AKillAtAnyMomentLeavesAWholeFileInExactlyOneOfTheTwoStates) {
    TempDir dir;
    const auto file = dir / "ZORV.MDB";
    constexpr int kRows = 30000;
    const std::pair<std::string, std::int64_t> states[] = {{"AAA", kRows}, {"BBB", kRows / 2}};
    for (int i = 0; i < 2; ++i) {
        auto db = db::Database::create(dir / ("made" + std::to_string(i)));
        Fill(db, static_cast<int>(states[i].second), states[i].first);
        db.backUpTo(dir / ("archive" + std::to_string(i)));
    }
    std::filesystem::copy_file(dir / "archive0", file);
    int current = 0;
    const auto whole = RestoreInChild(file, dir / "archive1", dir / "kept-first", std::nullopt);
    current = 1;
    {
        auto db = db::Database::open(file);
        ASSERT_EQ(StateOf(db), states[current]);
    }

    testing_support::KillMoments moments(whole, 1.2);
    for (int kill = 0; kill < 6; ++kill) {
        const auto delay = moments.next();
        RestoreInChild(file, dir / ("archive" + std::to_string(1 - current)),
                       dir / ("kept" + std::to_string(kill)), delay);
        auto db = db::Database::open(file);
        const auto state = StateOf(db);
        ASSERT_TRUE(state == states[0] || state == states[1])
            << "kill " << kill << " after " << delay.count() << " µs: " << state.first << " "
            << state.second;
        EXPECT_TRUE(db::IsWhole(db));
        if (state != states[current]) current = 1 - current;
    }
}
