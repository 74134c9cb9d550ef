#include "app/CZorevaApp.h"

#include <gtest/gtest.h>

#include <map>

#include "db/Rows.h"
#include "db/SchemaCheck.h"
#include "support/DialogDriver.h"
#include "support/OlderDatabase.h"
#include "support/Permissions.h"
#include "support/ProgramHome.h"
#include "support/ScriptedHost.h"
#include "support/TempDir.h"
#include "support/TestDatabase.h"

using testing_support::DialogDriver;
using testing_support::ReadFile;
using testing_support::ScriptedHost;
using testing_support::TempDir;

namespace {

// A home with its own configuration and data folders.
class StartupFixture : public ::testing::Test {
  protected:
    platform::Environment environment() { return testing_support::EnvironmentOf(home); }
    void writeSettings(const std::string& text) { home.write("config/TAVO/ZURE.conf", text); }
    void writeStandardSettings() {
        std::filesystem::create_directories(data());
        writeSettings("DATA=" + data().string() + "\nDOUT=" + (home / "out").string() + "\n");
    }
    std::filesystem::path data() const { return home / "data"; }
    // ZORV.MDB of the first version, holding the person worked with last.
    void writeOlderDatabaseWithAPerson() {
        auto old =
            testing_support::CreateOlderDatabase(data() / "ZORV.MDB", testing_support::kVersion0);
        AddCurrentPerson(old);
    }
    static void AddCurrentPerson(db::Database& db) {
        testing_support::AddPerson(db, "121212121", "", "BG121212121", true);
    }
    bool start() {
        app = std::make_unique<app::CZorevaApp>(host, environment(), clock);
        return app->InitInstance();
    }
    void expectOnlyMessage(const std::string& text) {
        host.expectError(text);
        host.expectNoMoreBoxes();
    }
    // The one box shown, an error, whose text is checked by parts.
    std::string onlyError() {
        const auto box = host.takeBox();
        host.expectNoMoreBoxes();
        if (!box) return "";
        EXPECT_EQ(box->icon, ui::Icon::Error);
        return box->text;
    }

    TempDir home;
    ScriptedHost host;
    platform::FixedClock clock{{2026, 12, 8, 10, 0, 0}};
    std::unique_ptr<app::CZorevaApp> app;
};

}  // namespace

TEST_F(StartupFixture, NoSettingsFileEndsWithRegOpenKeyEx) {
    EXPECT_FALSE(start());
    expectOnlyMessage("RegOpenKeyEx - 2");
}

TEST_F(StartupFixture, NoDataValueEndsWithRegQueryValueEx) {
    writeSettings("DOUT=/tmp\n");
    EXPECT_FALSE(start());
    expectOnlyMessage("RegQueryValueEx - 2");
}

TEST_F(StartupFixture, AMalformedSettingsFileIsExplained) {
    writeSettings("DATA /x\n");
    EXPECT_FALSE(start());
    const auto text = onlyError();
    EXPECT_NE(text.find("line 1"), std::string::npos) << text;
    EXPECT_NE(text.find("ИМЕ=стойност"), std::string::npos);
}

TEST_F(StartupFixture, AHugeDataValueIsShownCut) {
    writeSettings("DATA=" + std::string(20 * 1024 * 1024, 'x') + "\nDOUT=/tmp\n");
    EXPECT_FALSE(start());
    const auto text = onlyError();
    EXPECT_NE(text.find("не съществува"), std::string::npos);
    EXPECT_NE(text.find(std::string(255, 'x') + "… (20971520 байта)"), std::string::npos);
    EXPECT_LT(text.size(), 1024u);
}

TEST_F(StartupFixture, AMissingDataFolderIsExplained) {
    writeSettings("DATA=" + (home / "nowhere").string() + "\nDOUT=/tmp\n");
    EXPECT_FALSE(start());
    EXPECT_NE(onlyError().find("не съществува"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(home / "nowhere"));
}

TEST_F(StartupFixture, AFreshInstallationTurnsTheDeliveredFileIntoTheDatabase) {
    writeStandardSettings();
    db::Database::create(data() / "ZORV1.MDB");
    ASSERT_TRUE(start());
    host.expectNoMoreBoxes();
    EXPECT_TRUE(std::filesystem::exists(data() / "ZORV.MDB"));
    EXPECT_FALSE(std::filesystem::exists(data() / "ZORV1.MDB"));
    EXPECT_FALSE(app->document().session().personIsCurrent());
    EXPECT_EQ(app->document().title(), "Зорева по ЗДДС -   ");
    EXPECT_EQ(app->document().session().outputFolder(), home / "out");
}

TEST_F(StartupFixture, WithBothFilesTheUsersDataIsCarriedIntoTheNewOne) {
    writeStandardSettings();
    writeOlderDatabaseWithAPerson();
    db::Database::create(data() / "ZORV1.MDB");
    ASSERT_TRUE(start());
    host.expectNoMoreBoxes();
    EXPECT_TRUE(app->document().session().personIsCurrent());
    EXPECT_EQ(db::SchemaVersion(app->document().session().database()), db::kSchemaVersion);
    EXPECT_FALSE(std::filesystem::exists(data() / "ZORV1.MDB"));
    EXPECT_TRUE(std::filesystem::exists(data() / "ZORV-20261208-100000.MDB"));
}

TEST_F(StartupFixture, ADatabaseOfAnEarlierVersionIsUpgradedWithoutADeliveredFile) {
    writeStandardSettings();
    writeOlderDatabaseWithAPerson();
    ASSERT_TRUE(start());
    host.expectNoMoreBoxes();
    EXPECT_TRUE(app->document().session().personIsCurrent());
    EXPECT_EQ(db::SchemaVersion(app->document().session().database()), db::kSchemaVersion);
}

// The user is told once, in Bulgarian, and works on with the data as it was.
TEST_F(StartupFixture, ADamagedDeliveryIsReportedAndTheDataKept) {
    writeStandardSettings();
    {
        auto current = db::Database::create(data() / "ZORV.MDB");
        AddCurrentPerson(current);
    }
    home.write("data/ZORV1.MDB", "a damaged delivery");
    ASSERT_TRUE(start());
    EXPECT_NE(onlyError().find("Данните Ви са запазени непроменени в ZORV.MDB"), std::string::npos);
    EXPECT_TRUE(app->document().session().personIsCurrent());
    EXPECT_EQ(ReadFile(data() / "ZORV1.MDB"), "a damaged delivery");
}

TEST_F(StartupFixture, AMissingDatabaseEndsSilently) {
    writeStandardSettings();
    EXPECT_FALSE(start());
    host.expectNoMoreBoxes();
}

TEST_F(StartupFixture, AMissingDoutEndsSilently) {
    std::filesystem::create_directories(data());
    writeSettings("DATA=" + data().string() + "\n");
    db::Database::create(data() / "ZORV.MDB");
    EXPECT_FALSE(start());
    host.expectNoMoreBoxes();
}

TEST_F(StartupFixture, ASecondCopySaysTheProgramIsRunningAndEnds) {
    writeStandardSettings();
    db::Database::create(data() / "ZORV.MDB");
    ASSERT_TRUE(start());
    ScriptedHost secondHost;
    app::CZorevaApp second(secondHost, environment(), clock);
    EXPECT_FALSE(second.InitInstance());
    secondHost.expectInformation("Програмата вече е стартирана.");
    secondHost.expectNoMoreBoxes();
}

namespace {

// Answers the password question with `password`, or cancels it.
testing_support::ScriptedHost::DialogScript Typing(std::optional<std::string> password) {
    return [password](DialogDriver& d) {
        EXPECT_EQ(d.title(), "Парола за данните");
        EXPECT_EQ(d.caption("prompt"), "Данните са защитени с парола. Въведете паролата.");
        if (password)
            d.type("Парола", *password).press("OK");
        else
            d.press("Отказ");
    };
}

const char* const kWrongPassword = "Паролата не е вярна. Опитайте отново.";

}  // namespace

TEST_F(StartupFixture, AskedForThePasswordItStartsWithTheRightOneWithinThreeTries) {
    writeStandardSettings();
    {
        auto db = db::Database::create(data() / "ZORV.MDB");
        db.rekey(db::Key::fromPassword("Тайна-парола", db.salt()));
    }
    host.onDialog([](DialogDriver& d) {
        EXPECT_EQ(d.caption("attempt"), "Опит 1 от 3");
        Typing("грешна")(d);
    });
    host.onDialog(Typing("Тайна-паролА"));
    host.onDialog([](DialogDriver& d) {
        EXPECT_EQ(d.caption("attempt"), "Опит 3 от 3");
        Typing("Тайна-парола")(d);
    });
    ASSERT_TRUE(start());
    host.expectError(kWrongPassword);
    host.expectError(kWrongPassword);
    host.expectNoMoreBoxes();
    EXPECT_TRUE(app->database().hasOwnPassword());
}

TEST_F(StartupFixture, ThreeWrongPasswordsEndTheProgramWithAClearMessage) {
    writeStandardSettings();
    db::Database::create(data() / "ZORV.MDB",
                         {db::Key::passphrase("someone else's key"), db::PageFormat::Current});
    const auto before = ReadFile(data() / "ZORV.MDB");
    for (int i = 0; i < 3; ++i) host.onDialog(Typing("не е тази"));
    EXPECT_FALSE(start());
    host.expectError(kWrongPassword);
    host.expectError(kWrongPassword);
    const auto last = onlyError();
    EXPECT_NE(last.find("Програмата ще бъде затворена"), std::string::npos) << last;
    EXPECT_NE(last.find("не може да бъде възстановена"), std::string::npos) << last;
    EXPECT_EQ(ReadFile(data() / "ZORV.MDB"), before);
}

TEST_F(StartupFixture, CancellingThePasswordEndsWithoutAMessage) {
    writeStandardSettings();
    db::Database::create(data() / "ZORV.MDB",
                         {db::Key::passphrase("someone else's key"), db::PageFormat::Current});
    host.onDialog(Typing(std::nullopt));
    EXPECT_FALSE(start());
    host.expectNoMoreBoxes();
}

TEST_F(StartupFixture, AFileThatIsNotADatabaseIsReportedAndKept) {
    writeStandardSettings();
    home.write("data/ZORV.MDB", "");
    EXPECT_FALSE(start());
    EXPECT_NE(onlyError().find("не е база данни"), std::string::npos);
    EXPECT_EQ(ReadFile(data() / "ZORV.MDB"), "");
}

TEST_F(StartupFixture, ADeliveredFileThatDoesNotOpenIsLeftWhereItWas) {
    writeStandardSettings();
    home.write("data/ZORV1.MDB", "a text file delivered by mistake");
    EXPECT_FALSE(start());
    host.expectNoMoreBoxes();
    EXPECT_EQ(ReadFile(data() / "ZORV1.MDB"), "a text file delivered by mistake");
    EXPECT_FALSE(std::filesystem::exists(data() / "ZORV.MDB"));
}

TEST_F(StartupFixture, TheDataFolderAndTheDatabaseBecomeTheUsersAlone) {
    writeStandardSettings();
    db::Database::create(data() / "ZORV.MDB");
    std::filesystem::permissions(data(), std::filesystem::perms(0755));
    std::filesystem::permissions(data() / "ZORV.MDB", std::filesystem::perms(0644));
    ASSERT_TRUE(start());
    EXPECT_EQ(testing_support::ModeOf(data()), 0700);
    EXPECT_EQ(testing_support::ModeOf(data() / "ZORV.MDB"), 0600);
    EXPECT_EQ(testing_support::ModeOf(data() / "ZORV.MDB-wal"), 0600);
}

// The program's key cannot carry the user's password into a new file: a
// database keyed with one is opened after one question and kept as it is,
// with its password, and a delivered file waits beside it.
TEST_F(StartupFixture, ADatabaseWithAPasswordOfItsOwnIsKeptWithItsPassword) {
    writeStandardSettings();
    {
        auto db =
            testing_support::CreateOlderDatabase(data() / "ZORV.MDB", testing_support::kVersion0,
                                                 {db::Key::builtIn(), db::PageFormat::Current});
        db.rekey(db::Key::fromPassword("Тайна-парола", db.salt()));
    }
    db::Database::create(data() / "ZORV1.MDB");
    host.onDialog(Typing("Тайна-парола"));
    ASSERT_TRUE(start());
    host.expectNoMoreBoxes();
    EXPECT_TRUE(app->database().hasOwnPassword());
    EXPECT_EQ(db::SchemaVersion(app->database()), 0);
    EXPECT_TRUE(std::filesystem::exists(data() / "ZORV1.MDB"));
}
