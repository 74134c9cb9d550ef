// The file format of the database: page size, log mode, keys, files of
// earlier versions, read-only opening and the permissions of a new file.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "db/Database.h"
#include "db/Rows.h"
#include "db/SchemaCheck.h"
#include "support/TempDir.h"

using testing_support::ReadFile;
using testing_support::TempDir;

namespace {

const db::Lock kLegacy{db::Key::legacyBuiltIn(), db::PageFormat::Legacy};
const db::Lock kCurrent{db::Key::builtIn(), db::PageFormat::Current};

std::string Pragma(db::Database& db, const std::string& name) {
    auto s = db.query("PRAGMA " + name);
    return s.step() ? s.text(0) : "";
}

std::int64_t Persons(db::Database& db) {
    auto s = db.query("SELECT count(*) FROM EDANNI");
    s.step();
    return s.integer(0);
}

void AddPerson(db::Database& db, const std::string& bulstat) {
    db::PersonRow p;
    p.bulstat = bulstat;
    p.vin = "BG" + bulstat;
    db::InsertPerson(db, p);
}

}  // namespace

TEST(DatabaseFormat, NewFilesHaveFourKilobytePagesAWriteAheadLogAndTheRawKey) {
    TempDir dir;
    auto db = db::Database::create(dir / "ZORV.MDB");
    EXPECT_EQ(Pragma(db, "page_size"), "4096");
    EXPECT_EQ(Pragma(db, "journal_mode"), "wal");
    EXPECT_EQ(Pragma(db, "locking_mode"), "exclusive");
    EXPECT_EQ(Pragma(db, "cache_size"), "-262144");
    EXPECT_EQ(db.lock(), kCurrent);
}

TEST(DatabaseFormat, FilesOfEarlierVersionsOpenWithTheirOwnSettingsAndKeepTheirData) {
    TempDir dir;
    {
        auto old = db::Database::create(dir / "ZORV.MDB", kLegacy);
        EXPECT_EQ(Pragma(old, "page_size"), "1024");
        AddPerson(old, "121212121");
    }
    auto db = db::Database::open(dir / "ZORV.MDB");
    EXPECT_EQ(db.lock(), kLegacy);
    EXPECT_EQ(Persons(db), 1);
    AddPerson(db, "131313131");  // and stay writable
    EXPECT_EQ(Persons(db), 2);
}

TEST(DatabaseFormat, EachKindOfFileOpensWithItsKeysOnly) {
    const auto password = db::Key::fromPassword("лична парола", db::Salt{1, 2, 3});
    const db::Lock kinds[] = {kCurrent,
                              kLegacy,
                              {password, db::PageFormat::Current},
                              {password, db::PageFormat::Legacy},
                              {db::Key::builtIn(), db::PageFormat::Legacy}};
    for (const auto& made : kinds) {
        TempDir dir;
        db::Database::create(dir / "ZORV.MDB", made);
        const bool builtIn = made.key != password;
        const auto& tried = builtIn ? db::BuiltInLocks() : db::LocksOf(password);
        EXPECT_EQ(db::Database::open(dir / "ZORV.MDB", tried).lock(), made);
        const auto& other = builtIn ? db::LocksOf(password) : db::BuiltInLocks();
        EXPECT_THROW(db::Database::open(dir / "ZORV.MDB", other), db::Error);
    }
}

TEST(DatabaseFormat, ReadOnlyOpeningLeavesTheFileAsItIs) {
    for (const auto& lock : {kCurrent, kLegacy}) {
        TempDir dir;
        {
            auto db = db::Database::create(dir / "ZORV.MDB", lock);
            AddPerson(db, "121212121");
        }
        const auto before = ReadFile(dir / "ZORV.MDB");
        {
            const db::Lock locks[] = {lock};
            auto db = db::Database::open(dir / "ZORV.MDB", locks, db::Access::ReadOnly);
            EXPECT_EQ(Persons(db), 1);
            EXPECT_THROW(AddPerson(db, "131313131"), db::Error);
            EXPECT_THROW(db::Database::open(dir / "ZORV.MDB"), db::Error) << "not exclusive";
        }
        EXPECT_EQ(ReadFile(dir / "ZORV.MDB"), before);
        EXPECT_FALSE(std::filesystem::exists(dir / "ZORV.MDB-wal"));
    }
}

TEST(DatabaseFormat, ANewFileIsTheOwnersAloneWhateverTheUmask) {
    TempDir dir;
    const mode_t old = ::umask(0);
    {
        auto db = db::Database::create(dir / "ZORV.MDB");
        AddPerson(db, "121212121");  // the log file exists now
        for (const char* name : {"ZORV.MDB", "ZORV.MDB-wal"}) {
            struct stat st {};
            ASSERT_EQ(::stat((dir / name).c_str(), &st), 0) << name;
            EXPECT_EQ(st.st_mode & 07777, 0600u) << name;
        }
    }
    ::umask(old);
}

TEST(DatabaseFormat, CreatingNeverReplacesAFile) {
    TempDir dir;
    dir.write("ZORV.MDB", "keep me");
    EXPECT_THROW(db::Database::create(dir / "ZORV.MDB"), db::Error);
    EXPECT_EQ(ReadFile(dir / "ZORV.MDB"), "keep me");
}

TEST(PasswordKey, DependsOnThePasswordAndTheSaltAndOnNothingElse) {
    const db::Salt a{1, 2, 3}, b{1, 2, 4};
    const auto key = db::Key::fromPassword("таен", a);
    EXPECT_EQ(key, db::Key::fromPassword("таен", a));
    EXPECT_NE(key, db::Key::fromPassword("таен", b));
    EXPECT_NE(key, db::Key::fromPassword("тайн", a));
    EXPECT_NE(key, db::Key::builtIn());
    EXPECT_TRUE(key.isRaw());
    const auto text = key.engineText(b);
    EXPECT_EQ(text.size(), 2u + 64 + 32 + 1) << "x'key salt'";
    EXPECT_EQ(text.substr(text.size() - 33), "01020400000000000000000000000000'");
}

TEST(PasswordKey, TheSaltIsTheFirstSixteenBytesOfTheFile) {
    TempDir dir;
    dir.write("short", "fifteen bytes..");
    dir.write("long", "0123456789abcdefrest");
    EXPECT_FALSE(db::ReadSalt(dir / "short"));
    EXPECT_FALSE(db::ReadSalt(dir / "missing"));
    const auto salt = db::ReadSalt(dir / "long");
    ASSERT_TRUE(salt);
    EXPECT_EQ(std::string(salt->begin(), salt->end()), "0123456789abcdef");
}

TEST(DatabaseFormat, NewFilesCarryTheProgramsSchemaVersion) {
    TempDir dir;
    auto db = db::Database::create(dir / "ZORV.MDB");
    EXPECT_EQ(db::SchemaVersion(db), db::kSchemaVersion);
}
