// Changing the key of a database in place: the new key opens it, the old one
// no longer does, and an interruption at any moment leaves the whole file
// under exactly one of the two.

#include <chrono>

#include <gtest/gtest.h>

#include "db/Database.h"
#include "support/ChildProcess.h"
#include "support/TempDir.h"
#include "support/TestDatabase.h"

using testing_support::AddCounterparts;
using testing_support::RawKey;
using testing_support::RowCount;
using testing_support::TempDir;

namespace {

// Counterparts enough to make the file a few megabytes.
void Fill(db::Database& db, int rows, int first = 0) {
    AddCounterparts(db, first, rows, "Контрагент с дълго име ООД №");
}

std::int64_t Count(db::Database& db) {
    return RowCount(db, "KONTRAG");
}

std::string IntegrityOf(db::Database& db) {
    auto s = db.query("PRAGMA integrity_check");
    return s.step() ? s.text(0) : "";
}

// Whether the file opens with the key (either page format).
std::optional<db::Database> OpenWith(const std::filesystem::path& file, const db::Key& key) {
    try {
        return db::Database::open(file, db::LocksOf(key));
    } catch (const db::Error&) {
        return std::nullopt;
    }
}

// Runs a rekey from `from` to `to` in a child process and kills it after
// `delay` (never, when nullopt). Returns how long the child ran.
std::chrono::duration<double> RekeyInChild(const std::filesystem::path& file, const db::Key& from,
                                           const db::Key& to,
                                           std::optional<std::chrono::microseconds> delay) {
    return testing_support::RunInChild(
        [&] {
            auto db = db::Database::open(file, db::LocksOf(from));
            db.rekey(to);
        },
        delay);
}

}  // namespace

TEST(Rekey, TheNewKeyOpensTheFileAndTheOldOneNoLonger) {
    const db::Lock made[] = {{db::Key::builtIn(), db::PageFormat::Current},
                             {db::Key::legacyBuiltIn(), db::PageFormat::Legacy}};
    for (const auto& lock : made) {
        TempDir dir;
        const auto file = dir / "ZORV.MDB";
        {
            auto db = db::Database::create(file, lock);
            Fill(db, 100);
            EXPECT_FALSE(db.hasOwnPassword());
            db.rekey(RawKey(7));  // a password is set
            EXPECT_TRUE(db.hasOwnPassword());
            Fill(db, 1, 100);  // and the file stays usable
        }
        EXPECT_THROW(db::Database::open(file), db::Error);
        {
            auto db = OpenWith(file, RawKey(7));
            ASSERT_TRUE(db);
            EXPECT_EQ(db->lock().format, lock.format);
            EXPECT_EQ(Count(*db), 101);
            db->rekey(db::Key::builtIn());  // the password is removed
            EXPECT_FALSE(db->hasOwnPassword());
        }
        EXPECT_FALSE(OpenWith(file, RawKey(7)));
        auto db = db::Database::open(file);
        EXPECT_EQ(Count(db), 101);
    }
}

TEST(Rekey, AKillAtAnyMomentLeavesTheWholeFileUnderExactlyOneKey) {
    TempDir dir;
    const auto file = dir / "ZORV.MDB";
    constexpr int kRows = 40000;
    {
        auto db = db::Database::create(file, {RawKey(1), db::PageFormat::Current});
        Fill(db, kRows);
    }
    db::Key keys[] = {RawKey(1), RawKey(2)};
    int current = 0;
    // One uninterrupted change tells how long a change takes.
    const auto whole = RekeyInChild(file, keys[current], keys[1 - current], std::nullopt);
    current = 1 - current;
    ASSERT_TRUE(OpenWith(file, keys[current]));

    testing_support::KillMoments moments(whole, 1.0);
    for (int kill = 0; kill < 6; ++kill) {
        const auto delay = moments.next();
        RekeyInChild(file, keys[current], keys[1 - current], delay);
        auto underOld = OpenWith(file, keys[current]);
        auto underNew = OpenWith(file, keys[1 - current]);
        ASSERT_NE(underOld.has_value(), underNew.has_value())
            << "kill " << kill << " after " << delay.count() << " µs";
        auto& db = underOld ? *underOld : *underNew;
        EXPECT_EQ(IntegrityOf(db), "ok");
        EXPECT_EQ(Count(db), kRows);
        if (underNew) current = 1 - current;
    }
}
