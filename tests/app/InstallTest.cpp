#include <gtest/gtest.h>

#include <cstdlib>

#include "app/CZorevaApp.h"
#include "db/Rows.h"
#include "support/Permissions.h"
#include "support/ScriptedHost.h"
#include "support/TempDir.h"

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

platform::Environment EnvironmentOf(const TempDir& home) {
    const auto config = (home / "config").string();
    return [config](const std::string& name) -> std::optional<std::string> {
        if (name == "XDG_CONFIG_HOME") return config;
        if (name == "XDG_CONFIG_DIRS") return config + "/none";
        return std::nullopt;
    };
}

}  // namespace

TEST(InstallStep, WritesSettingsFoldersAndADatabaseTheProgramStartsWith) {
    TempDir home;
    ASSERT_EQ(RunInstall(home), 0);
    const auto settings = ReadFile(home / "config/TAVO/ZURE.conf");
    EXPECT_NE(settings.find("DATA=" + (home / "share/zoreva").string() + "\n"), std::string::npos);
    EXPECT_NE(settings.find("DOUT=" + (home / "Zoreva").string() + "\n"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_directory(home / "Zoreva"));
    EXPECT_TRUE(std::filesystem::exists(home / "share/zoreva/ZORV1.MDB"));

    ScriptedHost host;
    platform::FixedClock clock({2026, 12, 8, 9, 0, 0});
    app::CZorevaApp zoreva(host, EnvironmentOf(home), clock);
    ASSERT_TRUE(zoreva.InitInstance());
    host.expectNoMoreBoxes();
    EXPECT_EQ(zoreva.document().title(), "Зорева по ЗДДС -   ");
}

TEST(InstallStep, ASecondInstallKeepsTheUsersDatabaseAndSettings) {
    TempDir home;
    ASSERT_EQ(RunInstall(home), 0);
    {
        ScriptedHost host;
        platform::FixedClock clock({2026, 12, 8, 9, 0, 0});
        app::CZorevaApp zoreva(host, EnvironmentOf(home), clock);
        ASSERT_TRUE(zoreva.InitInstance());
        db::PersonRow p;
        p.bulstat = "121212121";
        p.vin = "BG121212121";
        p.last = true;
        db::InsertPerson(zoreva.database(), p);
    }
    const auto settingsBefore = ReadFile(home / "config/TAVO/ZURE.conf");
    const auto databaseBefore = ReadFile(home / "share/zoreva/ZORV.MDB");
    ASSERT_EQ(RunInstall(home), 0);
    EXPECT_EQ(ReadFile(home / "config/TAVO/ZURE.conf"), settingsBefore);
    EXPECT_EQ(ReadFile(home / "share/zoreva/ZORV.MDB"), databaseBefore);
    EXPECT_TRUE(std::filesystem::exists(home / "share/zoreva/ZORV1.MDB"));

    // The next start carries the user's data into the delivered database.
    ScriptedHost host;
    platform::FixedClock clock({2026, 12, 9, 9, 0, 0});
    app::CZorevaApp zoreva(host, EnvironmentOf(home), clock);
    ASSERT_TRUE(zoreva.InitInstance());
    host.expectNoMoreBoxes();
    EXPECT_EQ(zoreva.document().session().person().bulstat, "121212121");
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
    ScriptedHost host;
    platform::FixedClock clock({2026, 12, 8, 9, 0, 0});
    app::CZorevaApp zoreva(host, EnvironmentOf(home), clock);
    ASSERT_TRUE(zoreva.InitInstance());
    EXPECT_EQ(ModeOf(home / "share/zoreva/ZORV.MDB"), 0600);
    EXPECT_EQ(ModeOf(home / "share/zoreva/ZORV.MDB-wal"), 0600);
}
