// "Архивиране на данните" and "Възстановяване от архив" as the user meets
// them, and the reminder of the main window.
#include "app/Backups.h"

#include <gtest/gtest.h>

#include "app/CPasswordDlg.h"
#include "db/Backups.h"
#include "session/Session.h"
#include "support/DialogDriver.h"
#include "support/ScriptedHost.h"
#include "support/TempDir.h"

using testing_support::DialogDriver;
using testing_support::ScriptedHost;
using testing_support::TempDir;

namespace {

class Backups : public ::testing::Test {
  protected:
    void addCounterpart(const std::string& kn) {
        db.execute("INSERT INTO KONTRAG (KN, KI, VIN) VALUES (?, 'Име', 'ALL')", kn);
    }
    std::vector<std::string> counterparts(db::Database& from) {
        std::vector<std::string> kn;
        for (auto s = from.query("SELECT KN FROM KONTRAG ORDER BY KN"); s.step();)
            kn.push_back(s.text(0));
        return kn;
    }
    std::filesystem::path archiveFolder() {
        std::filesystem::create_directories(dir / "archives");
        return dir / "archives";
    }

    TempDir dir;
    std::filesystem::path data = [this] {
        std::filesystem::create_directories(dir / "data");
        return dir / "data";
    }();
    db::Database db = db::Database::create(data / "ZORV.MDB");
    platform::FixedClock clock{{2026, 12, 8, 10, 30, 15}};
    session::Session session{db, clock, data, dir / "out"};
    ScriptedHost host;
};

}  // namespace

TEST_F(Backups, ABackupThenARestoreBringsBackTheDataOfTheDayAndKeepsTheLaterData) {
    addCounterpart("111111111");
    host.chooseFolder(archiveFolder());
    app::BackUpData(host, session);
    const auto archive = dir / "archives/ZORV-2026-12-08.MDB";
    const auto done = host.takeBox();
    ASSERT_TRUE(done);
    EXPECT_EQ(done->icon, ui::Icon::Information);
    EXPECT_NE(done->text.find(archive.string()), std::string::npos) << done->text;
    // The temporary folder is on the data's disk: the user is told to copy it on.
    EXPECT_NE(done->text.find("същия диск"), std::string::npos) << done->text;
    EXPECT_EQ(db::LastBackupDay(db), 20261208);

    addCounterpart("222222222");
    clock.set({2026, 12, 9, 8, 0, 5});
    host.chooseFile(archive).answer(ui::Answer::Yes);
    app::RestoreFromArchive(host, session);
    const auto kept = data / "ZORV-OLD-2026-12-09-080005.MDB";
    host.expectQuestion("Текущите данни ще бъдат заменени с данните от архива\n" +
                            archive.string() + ".\nТе ще бъдат запазени като\n" + kept.string() +
                            "\nПродължавате ли?",
                        ui::Buttons::YesNo, ui::Icon::Warning);
    host.expectInformation(
        "Данните са възстановени от архива. Данните отпреди възстановяването са запазени като\n" +
        kept.string() + ".");
    host.expectNoMoreBoxes();
    EXPECT_EQ(counterparts(db), std::vector<std::string>{"111111111"});
    EXPECT_EQ(db::LastBackupDay(db), 20261208) << "the archive remembers its day";
    EXPECT_EQ(db.file(), data / "ZORV.MDB");
    auto before = db::Database::open(kept);
    EXPECT_EQ(counterparts(before), (std::vector<std::string>{"111111111", "222222222"}));
}

TEST_F(Backups, AnArchiveUnderAPasswordAsksForItAndOpensWithItOnly) {
    db.rekey(db::Key::fromPassword("тайна парола", db.salt()));
    addCounterpart("111111111");
    host.chooseFolder(archiveFolder());
    app::BackUpData(host, session);
    host.takeBox();
    const auto archive = dir / "archives/ZORV-2026-12-08.MDB";
    EXPECT_THROW(db::Database::open(archive), db::Error) << "the program's key opens it";

    db.rekey(db::Key::builtIn());  // the password removed since
    addCounterpart("222222222");
    host.chooseFile(archive)
        .onDialog<app::CPasswordDlg>([](app::CPasswordDlg&, DialogDriver& d) {
            d.type("Парола", "тайна парола").press("ok");
        })
        .answer(ui::Answer::Yes);
    app::RestoreFromArchive(host, session);
    host.takeBox();  // the question
    host.expectInformation(
        "Данните са възстановени от архива. Данните отпреди възстановяването са запазени като\n" +
        (data / "ZORV-OLD-2026-12-08-103015.MDB").string() + ".");
    EXPECT_EQ(counterparts(db), std::vector<std::string>{"111111111"});
    EXPECT_TRUE(db.hasOwnPassword()) << "the data come back under the archive's password";
}

TEST_F(Backups, WhatIsNotAnArchiveOfTheProgramIsRefusedAndNothingChanges) {
    addCounterpart("111111111");
    db::Database::create(dir / "empty.MDB").executeScript("DROP TABLE KONTRAG");
    const std::filesystem::path refused[] = {
        dir.write("text.MDB", "hello, world"),
        dir / "empty.MDB",
    };
    for (const auto& file : refused) {
        SCOPED_TRACE(file.string());
        host.chooseFile(file);
        app::RestoreFromArchive(host, session);
        const auto box = host.takeBox();
        ASSERT_TRUE(box);
        EXPECT_EQ(box->icon, ui::Icon::Error);
        host.expectNoMoreBoxes();
    }
    host.chooseFile(data / "ZORV.MDB");
    app::RestoreFromArchive(host, session);
    host.expectError("Това е файлът с текущите данни, а не архив.");
    EXPECT_EQ(counterparts(db), std::vector<std::string>{"111111111"});
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(data),
                            std::filesystem::directory_iterator()),
              2)
        << "only the database and its log";
}

TEST_F(Backups, TheMainWindowRemindsWhenTheLastBackupIsOlderThanAMonth) {
    const std::string how = "Архивирайте ги: „Служебни функции“ → „Архивиране на данните“.";
    struct Case {
        platform::LocalDateTime today;
        int last;
        std::string line;
    };
    const Case cases[] = {
        {{2026, 12, 8}, 0, "Данните още не са архивирани. " + how},
        {{2026, 12, 8}, 20261208, ""},
        {{2026, 12, 8}, 20261108, ""},
        {{2026, 12, 8},
         20261107,
         "Последният архив на данните е от 07.11.2026 – преди повече от месец. " + how},
        {{2027, 1, 15}, 20261215, ""},
        {{2027, 1, 15},
         20261214,
         "Последният архив на данните е от 14.12.2026 – преди повече от месец. " + how},
        {{2026, 3, 31}, 20260228, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.last);
        clock.set(c.today);
        db::SetLastBackupDay(db, c.last);
        EXPECT_EQ(app::BackupReminder(session), c.line);
    }
}
