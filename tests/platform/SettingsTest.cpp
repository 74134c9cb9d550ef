#include "platform/Settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>

#include "platform/Files.h"
#include "support/TempDir.h"

using namespace platform;
using testing_support::TempDir;

namespace {

Environment FakeEnvironment(std::map<std::string, std::string> vars) {
    return [vars](const std::string& name) -> std::optional<std::string> {
        const auto it = vars.find(name);
        if (it == vars.end()) return std::nullopt;
        return it->second;
    };
}

}  // namespace

TEST(SettingsSearch, ConfigHomeComesBeforeConfigDirsInTheirOrder) {
    const auto folders = Settings::searchFolders(FakeEnvironment(
        {{"HOME", "/home/u"}, {"XDG_CONFIG_HOME", "/c/home"}, {"XDG_CONFIG_DIRS", "/c/a::/c/b"}}));
    EXPECT_EQ(folders, (std::vector<std::filesystem::path>{"/c/home", "/c/a", "/c/b"}));
}

TEST(SettingsSearch, DefaultsAreDotConfigAndEtcXdg) {
    const auto folders = Settings::searchFolders(FakeEnvironment({{"HOME", "/home/u"}}));
    EXPECT_EQ(folders, (std::vector<std::filesystem::path>{"/home/u/.config", "/etc/xdg"}));
}

TEST(SettingsSearch, TheFirstFolderHoldingTheFileWins) {
    TempDir dir;
    dir.write("system/TAVO/ZURE.conf", "DATA=/system\nDOUT=/out\nCONVERT=1\n");
    dir.write("user/TAVO/ZURE.conf", "DATA=/user\nDOUT=/out\n");
    auto settings = Settings::load({dir / "none", dir / "user", dir / "system"});
    EXPECT_EQ(settings.value("DATA"), "/user");
    EXPECT_EQ(settings.value("CONVERT"), std::nullopt) << "values are not mixed across files";

    settings = Settings::load({dir / "none", dir / "system"});
    EXPECT_EQ(settings.value("DATA"), "/system");
    EXPECT_EQ(settings.value("CONVERT"), "1");
}

TEST(SettingsSearch, NoFileAnywhereIsOpenErrorTwo) {
    TempDir dir;
    try {
        Settings::load({dir / "a", dir / "b"});
        FAIL() << "expected SettingsOpenError";
    } catch (const SettingsOpenError& e) {
        EXPECT_EQ(e.code, 2);
    }
}

TEST(SettingsSearch, AnUnreadableFileIsAnOpenErrorAndNotSkipped) {
    if (geteuid() == 0) GTEST_SKIP() << "root reads every file";
    TempDir dir;
    const auto file = dir.write("user/TAVO/ZURE.conf", "DATA=/user\n");
    dir.write("system/TAVO/ZURE.conf", "DATA=/system\n");
    chmod(file.c_str(), 0);
    try {
        Settings::load({dir / "user", dir / "system"});
        FAIL() << "expected SettingsOpenError";
    } catch (const SettingsOpenError& e) {
        EXPECT_EQ(e.code, EACCES);
    }
}

TEST(SettingsSearch, AFolderInPlaceOfTheFileIsAnOpenError) {
    TempDir dir;
    std::filesystem::create_directories(dir / "user/TAVO/ZURE.conf");
    try {
        Settings::load({dir / "user"});
        FAIL() << "expected SettingsOpenError";
    } catch (const SettingsOpenError& e) {
        EXPECT_EQ(e.code, EISDIR);
    }
}

TEST(SettingsFormat, CommentsSectionsSpacesAndCaseAreAccepted) {
    const auto s = Settings::parse(
        "# Zoreva\n[ZURE]\r\n; comment\n\n  data = /var/lib/zoreva dir \r\nDOUT=\nConvert=yes\n",
        "x");
    EXPECT_EQ(s.value("DATA"), "/var/lib/zoreva dir");
    EXPECT_EQ(s.value("dout"), "");
    EXPECT_EQ(s.value("CONVERT"), "yes");
    EXPECT_EQ(s.value("OTHER"), std::nullopt);
}

TEST(SettingsFormat, ALineThatIsNoSettingNamesItsLine) {
    try {
        Settings::parse("DATA=/a\nthis is not a setting\n", "x");
        FAIL() << "expected SettingsFormatError";
    } catch (const SettingsFormatError& e) {
        EXPECT_EQ(e.line, 2);
    }
    EXPECT_THROW(Settings::parse("=/a\n", "x"), SettingsFormatError);
}
