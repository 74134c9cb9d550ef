#include "db/Database.h"

#include <gtest/gtest.h>

#include "db/Rows.h"
#include "db/SchemaCheck.h"
#include "support/TempDir.h"
#include "support/TestDatabase.h"

using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::TestDatabase;

TEST(DatabaseOpen, TheFileOnDiskIsEncrypted) {
    TempDir dir;
    db::Database::create(dir / "ZORV.MDB");
    const auto bytes = ReadFile(dir / "ZORV.MDB");
    ASSERT_GE(bytes.size(), 16u);
    EXPECT_NE(bytes.substr(0, 15), "SQLite format 3");
    EXPECT_EQ(bytes.find("EDANNI"), std::string::npos) << "the schema is readable in clear";
}

TEST(DatabaseOpen, ASecondOpenFailsWhileTheFirstHoldsTheFile) {
    TempDir dir;
    db::Database::create(dir / "ZORV.MDB");
    auto first = db::Database::open(dir / "ZORV.MDB");
    EXPECT_THROW(db::Database::open(dir / "ZORV.MDB"), db::Error);
    {
        auto moved = std::move(first);  // still held after a move
        EXPECT_THROW(db::Database::open(dir / "ZORV.MDB"), db::Error);
    }
    EXPECT_NO_THROW(db::Database::open(dir / "ZORV.MDB"));
}

TEST(DatabaseOpen, AWrongKeyFailsWithTheEngineMessage) {
    TempDir dir;
    db::Database::create(dir / "ZORV.MDB");
    try {
        const db::Lock other{db::Key::passphrase("another password"), db::PageFormat::Current};
        db::Database::open(dir / "ZORV.MDB", {&other, 1});
        FAIL() << "a wrong key opened the database";
    } catch (const db::Error& e) {
        EXPECT_NE(std::string(e.what()).find("not a database"), std::string::npos) << e.what();
    }
}

TEST(DatabaseOpen, AMissingFileIsNotCreated) {
    TempDir dir;
    EXPECT_THROW(db::Database::open(dir / "ZORV.MDB"), db::Error);
    EXPECT_FALSE(std::filesystem::exists(dir / "ZORV.MDB"));
}

TEST(DatabaseOpen, ForeignFilesAreRecognisedAndLeftAlone) {
    TempDir dir;
    dir.write("empty.mdb", "");
    dir.write("plain.mdb", std::string("SQLite format 3\0rest of a page", 30));
    dir.write("text.mdb", "hello");
    EXPECT_TRUE(db::LooksLikeForeignFile(dir / "empty.mdb"));
    EXPECT_TRUE(db::LooksLikeForeignFile(dir / "plain.mdb"));
    EXPECT_FALSE(db::LooksLikeForeignFile(dir / "missing.mdb"));
    EXPECT_THROW(db::Database::open(dir / "text.mdb"), db::Error);
    EXPECT_EQ(ReadFile(dir / "text.mdb"), "hello");

    auto empty = db::Database::open(dir / "empty.mdb");  // an empty file is an empty database
    EXPECT_FALSE(db::HasZorevaTables(empty));
}

TEST(DatabaseErrors, EngineFailuresAreUserErrorsCarryingTheEngineMessage) {
    TestDatabase t;
    try {
        t.db().execute("SELECT * FROM NO_SUCH_TABLE");
        FAIL();
    } catch (const platform::UserError& e) {
        EXPECT_NE(std::string(e.what()).find("no such table"), std::string::npos) << e.what();
    }
}

TEST(DatabaseTransaction, LeavingWithoutCommitRollsBackAndUnitsNest) {
    TestDatabase t;
    {
        db::Transaction outer(t.db());
        t.db().execute("INSERT INTO KONTRAG (KN, KI, VIN) VALUES ('1', 'a', 'ALL')");
        {
            db::Transaction inner(t.db());
            t.db().execute("INSERT INTO KONTRAG (KN, KI, VIN) VALUES ('2', 'b', 'ALL')");
        }  // inner rolled back
        outer.commit();
    }
    {
        db::Transaction dropped(t.db());
        t.db().execute("INSERT INTO KONTRAG (KN, KI, VIN) VALUES ('3', 'c', 'ALL')");
    }
    auto s = t.db().query("SELECT KN FROM KONTRAG ORDER BY KN");
    std::vector<std::string> kept;
    while (s.step()) kept.push_back(s.text(0));
    EXPECT_EQ(kept, std::vector<std::string>{"1"});
}
