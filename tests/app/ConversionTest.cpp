// Carrying the user's data into a newly delivered database: every row by
// column name, older files and engine settings, failures that keep the data,
// and runs killed at each step and run again.
#include "app/Conversion.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "db/Rows.h"
#include "db/SchemaCheck.h"
#include "support/OlderDatabase.h"
#include "support/TempDir.h"
#include "support/TestDatabase.h"

using testing_support::CreateOlderDatabase;
using testing_support::IntegerOf;
using testing_support::ReadFile;
using testing_support::TempDir;

namespace {

namespace fs = std::filesystem;

// The rows of a table as text, NULL apart, in a fixed order.
using Row = std::map<std::string, std::string>;

std::vector<Row> RowsOf(db::Database& db, const std::string& table, const std::string& order,
                        const std::vector<std::string>& leaveOut = {}) {
    auto s = db.query("SELECT * FROM " + table + " ORDER BY " + order);
    std::vector<std::string> names;
    {
        auto info = db.query("PRAGMA table_info(" + table + ")");
        while (info.step()) names.push_back(info.text("name"));
    }
    std::vector<Row> rows;
    while (s.step()) {
        Row row;
        for (int i = 0; i < static_cast<int>(names.size()); ++i)
            if (std::find(leaveOut.begin(), leaveOut.end(), names[i]) == leaveOut.end())
                row[names[i]] = s.isNull(i) ? "NULL" : s.text(i);
        rows.push_back(row);
    }
    return rows;
}

// Keeps only the columns `like` has.
std::vector<Row> Narrowed(std::vector<Row> rows, const std::vector<Row>& like) {
    if (like.empty()) return rows;
    for (auto& row : rows)
        for (auto it = row.begin(); it != row.end();)
            it = like.front().count(it->first) ? std::next(it) : row.erase(it);
    return rows;
}

// A user's database: a head office and a branch with documents of two periods
// entered in turn (IDs with gaps), their returns,
// counterparts, and a VIES return.
void FillUsersData(db::Database& db, bool optionalColumns) {
    db.executeScript(R"(
        INSERT INTO EDANNI (BULSTAT, KLON, VIN, NAME, ADRESS, FL_PREDST, FACEADR2, LAST)
            VALUES ('121212121', '', 'BG121212121', 'Фирма O''Brien', 'ул. „Шипка“ 1', 'R', 'етаж 2', 1);
        INSERT INTO EDANNI (BULSTAT, KLON, VIN, NAME, LAST)
            VALUES ('121212121', '0001', 'BG121212121', 'Клон Пловдив', 0);
        INSERT INTO KONTRAG (KN, KI, VIN, KB) VALUES ('131313131', 'Доставчик', 'BG121212121', 'x');
        INSERT INTO KONTRAG (KN, KI, VIN) VALUES ('141414141', 'Общ', 'ALL');
        INSERT INTO VIES (VIN, KLON, PERIOD, SECTION, NUMBER, KNUM, PERIOD1, SS15)
            VALUES ('BG121212121', '', '202611', 1, 1, 'DE123456789', '11/2026', 150);
    )");
    const std::string klon = optionalColumns ? "KLON, " : "";
    for (const std::string branch : {"''", "'0001'"}) {
        if (!optionalColumns && branch != "''") continue;
        db.executeScript("INSERT INTO DEKLAR (VIN, " + klon +
                         "PERIOD, DS01, DR33, DR70, ERROR1, NAME) VALUES ('BG121212121', " +
                         (optionalColumns ? branch + ", " : "") + "'202611', " +
                         (branch == "''" ? "1000.5" : "200") + ", 0.25, NULL, 4, 'Фирма');");
    }
    const std::string code8a = optionalColumns ? ", BS8A" : "";
    const std::string code8aSale = optionalColumns ? ", SS8A" : "";
    for (int i = 1; i <= 12; ++i) {
        const std::string period = i % 2 ? "'202611'" : "'202610'";
        const std::string branch = i % 3 ? "''" : "'0001'";
        const std::string number = std::to_string((i + 1) / 2);
        db.executeScript(
            "INSERT INTO POKUPKI (ID, VIN, KLON, PERIOD, NUMBER, TYPE, DOCNO, DDATE, KNUM, KNAME, "
            "SDELKA, BS31, BS41, ERROR1, ERROR2, DATE_CREATE, DATE_MODIFIED" +
            code8a + ") VALUES (" + std::to_string(i * 3) + ", 'BG121212121', " + branch + ", " +
            period + ", " + number + ", '01', 'П" + std::to_string(i) +
            "', '05/11/2026', '131313131', 'O''Brien ООД', " + "'Стоки', " +
            std::to_string(i * 100) + ".25, 20.05, " + std::to_string(i) + ", 0, " +
            "'2026/11/05 10:00', " + (i == 4 ? "'2026/11/06 11:00'" : "NULL") +
            (optionalColumns ? ", '07'" : "") + ");");
        db.executeScript(
            "INSERT INTO PRODAGBI (ID, VIN, KLON, PERIOD, NUMBER, TYPE, DOCNO, DDATE, KNUM, KNAME, "
            "SDELKA, SS10, SS20, SS19, VIES_TYPE, ERROR3, DATE_CREATE" +
            code8aSale + ") VALUES (" + std::to_string(i * 2) + ", 'BG121212121', " + branch +
            ", " + period + ", " + number + ", '01', 'Ф" + std::to_string(i) +
            "', '06/11/2026', '999999999999', 'Купувач', " +
            "'Услуги', 50.5, 10.1, 3, '7', 0, '2026/11/06 09:00'" +
            (optionalColumns ? ", '04'" : "") + ");");
    }
    // A deleted document leaves a gap in the IDs; its period was renumbered.
    db.executeScript(
        "DELETE FROM POKUPKI WHERE DOCNO = 'П3';"
        "UPDATE POKUPKI SET NUMBER = NUMBER - 1 WHERE PERIOD = '202611' AND NUMBER > 2;");
}

class ConversionFixture : public ::testing::Test {
  protected:
    fs::path current() const { return dir / "ZORV.MDB"; }
    fs::path delivered() const { return dir / "ZORV1.MDB"; }

    // Makes the user's database and a delivered one, and keeps what the
    // user's database holds to compare with.
    void prepare(std::string_view schema = testing_support::kVersion0,
                 bool optionalColumns = true) {
        {
            auto source = CreateOlderDatabase(current(), schema);
            FillUsersData(source, optionalColumns);
            remember(source);
        }
        db::Database::create(delivered());
    }
    void remember(db::Database& source) {
        persons = RowsOf(source, "EDANNI", "rowid");
        returns = RowsOf(source, "DEKLAR", "ID", {"ID"});
        counterparts = RowsOf(source, "KONTRAG", "rowid");
        purchases = RowsOf(source, "POKUPKI", "ID", {"ID"});
        sales = RowsOf(source, "PRODAGBI", "ID", {"ID"});
    }
    // A run that converted, and what it carried over.
    void expectConverted(const app::ConversionReport& report) {
        ASSERT_EQ(report.outcome, app::ConversionOutcome::Converted) << report.failure;
        expectCarriedOver();
    }
    // The converted database holds every row of the user's once, by column.
    void expectCarriedOver() {
        auto db = db::Database::open(current());
        EXPECT_EQ(db::SchemaVersion(db), db::kSchemaVersion);
        EXPECT_EQ(db.lock().format, db::PageFormat::Current) << "the delivered file's settings";
        EXPECT_TRUE(db.lock().key.isRaw());
        EXPECT_EQ(Narrowed(RowsOf(db, "EDANNI", "rowid"), persons), persons);
        EXPECT_EQ(Narrowed(RowsOf(db, "DEKLAR", "ID", {"ID"}), returns), returns);
        EXPECT_EQ(Narrowed(RowsOf(db, "KONTRAG", "rowid"), counterparts), counterparts);
        EXPECT_EQ(Narrowed(RowsOf(db, "POKUPKI", "ID", {"ID"}), purchases), purchases);
        EXPECT_EQ(Narrowed(RowsOf(db, "PRODAGBI", "ID", {"ID"}), sales), sales);
        EXPECT_EQ(IntegerOf(db, "SELECT count(*) FROM VIES"), 0) << "VIES is generated again";
        EXPECT_EQ(IntegerOf(db, "SELECT max(ID) FROM POKUPKI"), 11) << "new IDs 1 to 11, in order";
    }

    TempDir dir;
    platform::FixedClock clock{{2026, 12, 9, 10, 30, 5}};
    std::vector<Row> persons, returns, counterparts, purchases, sales;
};

}  // namespace

TEST_F(ConversionFixture, EveryRowOfAFileOfTheFirstVersionAndItsOldEngineSettingsIsCarriedOver) {
    prepare();
    {
        // The source really is of the old settings: this version's own would not open it.
        const db::Lock thisVersion[] = {{db::Key::builtIn(), db::PageFormat::Current}};
        EXPECT_THROW(db::Database::open(current(), thisVersion, db::Access::ReadOnly), db::Error);
        EXPECT_EQ(
            db::Database::open(current(), db::BuiltInLocks(), db::Access::ReadOnly).lock().format,
            db::PageFormat::Legacy);
    }
    const auto oldBytes = ReadFile(current());
    const auto report = app::TakeOverDeliveredDatabase(dir.path(), clock);
    ASSERT_EQ(report.outcome, app::ConversionOutcome::Converted) << report.failure;
    EXPECT_EQ(report.carried.persons, 2);
    EXPECT_EQ(report.carried.returns, 2) << "head office and branch of one period stay apart";
    EXPECT_EQ(report.carried.purchases, 11);
    EXPECT_EQ(report.carried.sales, 12);
    expectCarriedOver();
    EXPECT_FALSE(fs::exists(delivered()));
    EXPECT_EQ(report.backup, dir / "ZORV-20261209-103005.MDB");
    EXPECT_EQ(ReadFile(report.backup), oldBytes) << "the earlier database is kept as it was";
    EXPECT_FALSE(fs::exists(dir / "ZORV.MDB.new"));
    EXPECT_EQ((fs::status(current()).permissions() & fs::perms::all),
              fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(ConversionFixture, AnOlderFileWithoutTheOptionalColumnsConverts) {
    prepare(testing_support::kVersion0WithoutOptionalColumns, false);
    const auto report = app::TakeOverDeliveredDatabase(dir.path(), clock);
    ASSERT_NO_FATAL_FAILURE(expectConverted(report));
    auto db = db::Database::open(current());
    EXPECT_EQ(IntegerOf(db, "SELECT count(*) FROM DEKLAR WHERE KLON = ''"), 1);
    EXPECT_EQ(IntegerOf(db, "SELECT count(*) FROM POKUPKI WHERE BS8A IS NULL"), 11);
    EXPECT_EQ(IntegerOf(db, "SELECT count(*) FROM PRODAGBI WHERE SS8A IS NULL"), 12);
}

TEST_F(ConversionFixture, ADatabaseOfThisVersionConvertsToo) {
    {
        auto source = db::Database::create(current());
        FillUsersData(source, true);
        remember(source);
    }
    db::Database::create(delivered());
    const auto report = app::TakeOverDeliveredDatabase(dir.path(), clock);
    ASSERT_NO_FATAL_FAILURE(expectConverted(report));
}

TEST_F(ConversionFixture, APersonTheDeliveredFileHoldsIsNotAddedTwice) {
    prepare();
    {
        auto target = db::Database::open(delivered());
        db::PersonRow p;
        p.bulstat = "121212121";
        p.vin = "BG121212121";
        p.name = "Доставена";
        db::InsertPerson(target, p);
    }
    ASSERT_EQ(app::TakeOverDeliveredDatabase(dir.path(), clock).outcome,
              app::ConversionOutcome::Converted);
    auto db = db::Database::open(current());
    EXPECT_EQ(IntegerOf(db, "SELECT count(*) FROM EDANNI"), 2);
    auto name = db.query("SELECT NAME FROM EDANNI WHERE KLON = ''");
    ASSERT_TRUE(name.step());
    EXPECT_EQ(name.text(0), "Доставена");
}

TEST_F(ConversionFixture, AnOlderDatabaseWithNoDeliveredFileIsUpgradedFromTheProgramsTables) {
    prepare();
    fs::remove(delivered());
    const auto report = app::UpgradeDatabase(dir.path(), clock);
    ASSERT_NO_FATAL_FAILURE(expectConverted(report));
}

TEST_F(ConversionFixture, AFailedCopyKeepsBothFilesAsTheyWere) {
    prepare();
    {
        // A table that lost a column the program needs cannot be read.
        auto source = db::Database::open(current());
        source.executeScript(
            "CREATE TABLE P2 AS SELECT ID, VIN, KLON, PERIOD, TYPE FROM POKUPKI;"
            "DROP TABLE POKUPKI; ALTER TABLE P2 RENAME TO POKUPKI;");
    }
    const auto oldBytes = ReadFile(current());
    const auto deliveredBytes = ReadFile(delivered());
    const auto report = app::TakeOverDeliveredDatabase(dir.path(), clock);
    EXPECT_EQ(report.outcome, app::ConversionOutcome::Failed);
    EXPECT_NE(report.failure.find("NUMBER"), std::string::npos) << report.failure;
    EXPECT_EQ(ReadFile(current()), oldBytes);
    EXPECT_EQ(ReadFile(delivered()), deliveredBytes);
    EXPECT_FALSE(fs::exists(dir / "ZORV.MDB.new"));
    EXPECT_FALSE(fs::exists(dir / "ZORV-20261209-103005.MDB"));
}

TEST_F(ConversionFixture, ALockedDatabaseIsLeftToStartUp) {
    prepare();
    auto running = db::Database::open(current());  // another copy of the program
    const auto report = app::TakeOverDeliveredDatabase(dir.path(), clock);
    EXPECT_EQ(report.outcome, app::ConversionOutcome::Nothing);
    EXPECT_TRUE(fs::exists(delivered()));
}

// A run killed at each step, then run again, carries every row over once.
TEST_F(ConversionFixture, ARunKilledAtAnyStepAndRunAgainCarriesEveryRowOnce) {
    struct Kill {
        app::ConversionStep step;
        int after;  // the step's n-th time
        bool replaced;
    };
    const Kill kills[] = {
        {app::ConversionStep::RowCopied, 1, false}, {app::ConversionStep::RowCopied, 20, false},
        {app::ConversionStep::Copied, 1, false},    {app::ConversionStep::BackedUp, 1, false},
        {app::ConversionStep::Replaced, 1, true},
    };
    for (const auto& kill : kills) {
        SCOPED_TRACE(static_cast<int>(kill.step) * 100 + kill.after);
        for (const auto& entry : fs::directory_iterator(dir.path())) fs::remove(entry.path());
        prepare();
        const auto oldBytes = ReadFile(current());

        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            int seen = 0;
            app::TakeOverDeliveredDatabase(dir.path(), clock, db::BuiltInLocks(),
                                           [&](app::ConversionStep step) {
                                               if (step == kill.step && ++seen == kill.after)
                                                   ::kill(::getpid(), SIGKILL);
                                           });
            _exit(0);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);

        EXPECT_TRUE(fs::exists(delivered())) << "ZORV1.MDB goes only after ZORV.MDB is in place";
        if (!kill.replaced) {
            EXPECT_EQ(ReadFile(current()), oldBytes);
        }

        const auto again = app::TakeOverDeliveredDatabase(dir.path(), clock);
        ASSERT_EQ(again.outcome, app::ConversionOutcome::Converted) << again.failure;
        expectCarriedOver();
        EXPECT_FALSE(fs::exists(delivered()));
        EXPECT_FALSE(fs::exists(dir / "ZORV.MDB.new"));
    }
}

// A return meets one of the delivered file on VAT number, branch and period:
// the returns of the branches of one period stay apart, and only a return
// with the same three is rewritten.
TEST_F(ConversionFixture, ReturnsAreMatchedOnVatNumberBranchAndPeriod) {
    struct Return {
        std::string vin, klon, period;
        double ds01;
        bool operator==(const Return&) const = default;
    };
    using Returns = std::vector<Return>;
    struct Case {
        const char* name;
        std::string_view schema;
        Returns delivered, source, expected;
    };
    const std::string a = "BG121212121", b = "BG131313131", p = "202611", q = "202610";
    const auto withKlon = testing_support::kVersion0;
    const auto withoutKlon = testing_support::kVersion0WithoutOptionalColumns;
    const Case cases[] = {
        {"three branches of one period",
         withKlon,
         {},
         {{a, "", p, 1}, {a, "0001", p, 2}, {a, "0002", p, 3}},
         {{a, "", p, 1}, {a, "0001", p, 2}, {a, "0002", p, 3}}},
        {"a delivered return of the same three is rewritten, the others stay",
         withKlon,
         {{a, "", p, 9}, {a, "0002", p, 8}, {b, "0001", p, 7}},
         {{a, "", p, 1}, {a, "0001", p, 2}},
         {{a, "", p, 1}, {a, "0001", p, 2}, {a, "0002", p, 8}, {b, "0001", p, 7}}},
        {"another period or VAT number is another return",
         withKlon,
         {{a, "", q, 9}},
         {{a, "", p, 1}, {b, "", p, 2}},
         {{a, "", q, 9}, {a, "", p, 1}, {b, "", p, 2}}},
        {"a file without KLON holds the head office's",
         withoutKlon,
         {{a, "", p, 9}, {a, "0001", p, 8}},
         {{a, "", p, 1}, {a, "", q, 2}},
         {{a, "", q, 2}, {a, "", p, 1}, {a, "0001", p, 8}}},
    };
    const auto insert = [](db::Database& db, const Return& r, bool klon) {
        if (klon)
            db.execute("INSERT INTO DEKLAR (VIN, KLON, PERIOD, DS01) VALUES (?, ?, ?, ?)", r.vin,
                       r.klon, r.period, r.ds01);
        else
            db.execute("INSERT INTO DEKLAR (VIN, PERIOD, DS01) VALUES (?, ?, ?)", r.vin, r.period,
                       r.ds01);
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const auto& entry : fs::directory_iterator(dir.path())) fs::remove(entry.path());
        {
            auto source = CreateOlderDatabase(current(), c.schema);
            for (const auto& r : c.source) insert(source, r, c.schema == withKlon);
            auto target = db::Database::create(delivered());
            for (const auto& r : c.delivered) insert(target, r, true);
        }
        const auto report = app::TakeOverDeliveredDatabase(dir.path(), clock);
        ASSERT_EQ(report.outcome, app::ConversionOutcome::Converted) << report.failure;
        EXPECT_EQ(report.carried.returns, static_cast<std::int64_t>(c.source.size()));
        auto db = db::Database::open(current());
        auto s = db.query("SELECT VIN, KLON, PERIOD, DS01 FROM DEKLAR ORDER BY VIN, PERIOD, KLON");
        Returns held;
        while (s.step()) held.push_back({s.text(0), s.text(1), s.text(2), s.real(3)});
        Returns expected = c.expected;
        std::sort(expected.begin(), expected.end(), [](const Return& x, const Return& y) {
            return std::tie(x.vin, x.period, x.klon) < std::tie(y.vin, y.period, y.klon);
        });
        EXPECT_EQ(held, expected);
    }
}
