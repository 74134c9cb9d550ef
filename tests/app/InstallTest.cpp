#include <gtest/gtest.h>

#include <cstdlib>

#include "app/CZorevaApp.h"
#include "support/Permissions.h"
#include "support/ProgramHome.h"
#include "support/ScriptedHost.h"
#include "support/TempDir.h"
#include "support/TestDatabase.h"

using testing_support::ReadFile;
using testing_support::ScriptedHost;
using testing_support::TempDir;

namespace {

int RunInstall(const TempDir& home, const std::string& before = "") {
    const std::string command = before + "HOME='" + home.path().string() + "' XDG_CONFIG_HOME='" +
                                (home / "config").string() + "' XDG_DATA_HOME='" +
                                (home / "share").string() + "' ZOREVA_MKDB='" ZOREVA_MKDB "' '" +
                                ZOREVA_SOURCE_DIR "/tools/install' >/dev/null";
    return std::system(command.c_str());
}

// The program as the user starts it after the install, at `now`.
struct Program {
    Program(const TempDir& home, platform::LocalDateTime now)
        : clock(now), zoreva(host, testing_support::EnvironmentOf(home), clock) {}
    ScriptedHost host;
    platform::FixedClock clock;
    app::CZorevaApp zoreva;
};

}  // namespace

TEST(InstallStep, WritesSettingsFoldersAndADatabaseTheProgramStartsWith) {
    TempDir home;
    ASSERT_EQ(RunInstall(home), 0);
    const auto settings = ReadFile(home / "config/TAVO/ZURE.conf");
    EXPECT_NE(settings.find("DATA=" + (home / "share/zoreva").string() + "\n"), std::string::npos);
    EXPECT_NE(settings.find("DOUT=" + (home / "Zoreva").string() + "\n"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_directory(home / "Zoreva"));
    EXPECT_TRUE(std::filesystem::exists(home / "share/zoreva/ZORV1.MDB"));

    Program first(home, {2026, 12, 8, 9, 0, 0});
    ASSERT_TRUE(first.zoreva.InitInstance());
    first.host.expectNoMoreBoxes();
    EXPECT_EQ(first.zoreva.document().title(), "Зорева по ЗДДС -   ");
}

TEST(InstallStep, ASecondInstallKeepsTheUsersDatabaseAndSettings) {
    TempDir home;
    ASSERT_EQ(RunInstall(home), 0);
    {
        Program first(home, {2026, 12, 8, 9, 0, 0});
        ASSERT_TRUE(first.zoreva.InitInstance());
        testing_support::AddPerson(first.zoreva.database(), "121212121", "", "BG121212121", true);
    }
    const auto settingsBefore = ReadFile(home / "config/TAVO/ZURE.conf");
    const auto databaseBefore = ReadFile(home / "share/zoreva/ZORV.MDB");
    ASSERT_EQ(RunInstall(home), 0);
    EXPECT_EQ(ReadFile(home / "config/TAVO/ZURE.conf"), settingsBefore);
    EXPECT_EQ(ReadFile(home / "share/zoreva/ZORV.MDB"), databaseBefore);
    EXPECT_TRUE(std::filesystem::exists(home / "share/zoreva/ZORV1.MDB"));

    // The next start carries the user's data into the delivered database.
    Program next(home, {2026, 12, 9, 9, 0, 0});
    ASSERT_TRUE(next.zoreva.InitInstance());
    next.host.expectNoMoreBoxes();
    EXPECT_EQ(next.zoreva.document().session().person().bulstat, "121212121");
    EXPECT_FALSE(std::filesystem::exists(home / "share/zoreva/ZORV1.MDB"));
    EXPECT_EQ(ReadFile(home / "share/zoreva/ZORV-20261209-090000.MDB"), databaseBefore);
}

TEST(InstallStep, WhatItWritesAndTheFirstStartMakesIsTheUsersAloneWhateverTheUmask) {
    TempDir home;
    ASSERT_EQ(RunInstall(home, "umask 0; "), 0);
    using testing_support::ModeOf;
    EXPECT_EQ(ModeOf(home / "config/TAVO/ZURE.conf"), 0600);
    EXPECT_EQ(ModeOf(home / "share/zoreva"), 0700);
    EXPECT_EQ(ModeOf(home / "share/zoreva/ZORV1.MDB"), 0600);
    EXPECT_EQ(ModeOf(home / "Zoreva"), 0700);

    testing_support::ScopedUmask umask(0);
    Program first(home, {2026, 12, 8, 9, 0, 0});
    ASSERT_TRUE(first.zoreva.InitInstance());
    EXPECT_EQ(ModeOf(home / "share/zoreva/ZORV.MDB"), 0600);
    EXPECT_EQ(ModeOf(home / "share/zoreva/ZORV.MDB-wal"), 0600);
}
