// The commands of the main menu, carried out through the one dispatch point.
#include "app/Commands.h"

#include <gtest/gtest.h>

#include "app/CAboutDlg.h"
#include "app/CZorevaDoc.h"
#include "files/CPeriodDlg.h"
#include "files/CPeriodKlonDlg.h"
#include "persons/CKontrag.h"
#include "returns/CDDSPeriod.h"
#include "support/DialogDriver.h"
#include "support/ScriptedHost.h"
#include "support/TempDir.h"
#include "support/TestDatabase.h"

using app::Command;
using testing_support::DialogDriver;
using testing_support::ScriptedHost;

namespace {

class CommandsTest : public ::testing::Test {
  protected:
    app::CommandContext context() { return {host, doc, guide}; }
    // The command opens the dialog of that title alone, which the button closes.
    void expectOpens(Command command, const std::string& title, const std::string& closeButton) {
        auto titles = host.dialogsRun();
        host.onDialog([closeButton](DialogDriver& d) { d.press(closeButton); });
        auto c = context();
        app::RunCommand(command, c);
        titles.push_back(title);
        EXPECT_EQ(host.dialogsRun(), titles);
    }

    testing_support::TempDir dir;
    std::filesystem::path guide = dir.write("share/zoreva/guide.txt", "Ръководство\n");
    testing_support::TestDatabase t;
    platform::FixedClock clock{{2026, 12, 8, 10, 0, 0}};
    app::CZorevaDoc doc{t.db(), clock, "/data", "/out"};
    ScriptedHost host;
};

}  // namespace

TEST_F(CommandsTest, TheMaintenanceAndJournalCommandsOpenTheirDialogs) {
    t.person("121212121", "", "BG121212121", true);
    doc.reloadSession();
    expectOpens(Command::RemovePeriod, "Изтриване на период", "Затваряне");
    expectOpens(Command::RemoveDuplicates, "Изтриване на дублирани", "Затвори");
    expectOpens(Command::PurchaseJournal, "Дневник за покупките - BG121212121", "Затвори");
    expectOpens(Command::SalesJournal, "Дневник за продажбите - BG121212121", "Затвори");
}

TEST_F(CommandsTest, TheProtocolOfAPeriodOpensFromThePeriodChooser) {
    auto person = t.person("121212121", "", "BG121212121", true);
    doc.reloadSession();
    host.onDialog([](DialogDriver& chooser) {
        chooser.type("period", "202306").press("Протокол");
        chooser.press("Затваряне");
    });
    std::string report;
    host.onDialog([&](DialogDriver& protocol) {
        report = protocol.text("report");
        protocol.press("Затвори");
    });
    auto c = context();
    app::RunCommand(Command::VatReturn, c);
    EXPECT_EQ(host.dialogsRun(), (std::vector<std::string>{"Справки", "СПРАВКА-ПРОТОКОЛ"}));
    EXPECT_TRUE(
        report.starts_with("СПРАВКА-ПРОТОКОЛ\r\nТекуща дата:08/12/2026\r\n\r\n"
                           "Идентификационен номер:BG121212121\r\nНаименование:" +
                           person.name + "\r\nДанъчен период:202306\r\n"))
        << report;
}

TEST_F(CommandsTest, TheAboutBoxShowsTheProgramAndClosesWithOk) {
    host.onDialog<app::CAboutDlg>([](app::CAboutDlg&, DialogDriver& d) {
        EXPECT_EQ(d.title(), "За програмата");
        EXPECT_EQ(d.caption("name"), "Зорева по ЗДДС");
        EXPECT_EQ(d.caption("version"), std::string("Версия ") + app::ProgramVersion());
        EXPECT_EQ(d.focused(), "ok");
        d.enter();
        EXPECT_EQ(d.result(), ui::Result::Ok);
    });
    auto c = context();
    app::RunCommand(Command::About, c);
    EXPECT_EQ(host.dialogsRun(), std::vector<std::string>{"За програмата"});
}

TEST_F(CommandsTest, HelpTopicsOpensTheGuideOrSaysItIsMissing) {
    auto c = context();
    app::RunCommand(Command::HelpTopics, c);
    EXPECT_EQ(host.openedFiles(), std::vector<std::filesystem::path>{guide});

    c.guideFile = dir / "none.txt";
    app::RunCommand(Command::HelpTopics, c);
    host.expectError("Ръководството на програмата не е намерено: " + (dir / "none.txt").string());
    EXPECT_EQ(host.openedFiles().size(), 1u);
}

TEST_F(CommandsTest, ChoosingAPersonReadsTheSessionAgainWhateverTheOutcome) {
    auto c = context();
    EXPECT_FALSE(doc.session().personIsCurrent());
    t.person("121212121", "", "BG121212121", true);
    host.onDialog([](DialogDriver& d) { d.press("Отказ"); });
    app::RunCommand(Command::ChoosePerson, c);
    EXPECT_TRUE(doc.session().personIsCurrent());
    EXPECT_EQ(doc.title(), "Зорева по ЗДДС - BG121212121  ");
}

TEST_F(CommandsTest, TheCounterpartsRegisterOpensFromTheMenuForTheCurrentPerson) {
    t.person("121212121", "", "BG121212121", true);
    doc.reloadSession();
    t.db().execute(
        "INSERT INTO KONTRAG (KN, KI, VIN) VALUES ('205174551', 'Бета ООД', 'BG121212121'), "
        "('131313139', 'Гама АД', 'BG831015008')");
    host.onDialog<persons::CKontrag>([](persons::CKontrag&, DialogDriver& d) {
        EXPECT_EQ(d.column("list", 1), std::vector<std::string>{"Бета ООД"});
        d.press("Отказ");
    });
    auto c = context();
    app::RunCommand(Command::Counterparts, c);
    EXPECT_EQ(host.dialogsRun(), std::vector<std::string>{"Избор на контрагент"});
    EXPECT_EQ(app::MenuText(Command::Counterparts), "Контрагенти");
}

TEST_F(CommandsTest, TheFileWritersOpenTheirPeriodDialogs) {
    host.onDialog<files::CPeriodDlg>([](files::CPeriodDlg&, DialogDriver& d) {
        EXPECT_EQ(d.title(), "Запис на дневници върху дискета");
        d.press("Затваряне");
    });
    host.onDialog<files::CPeriodKlonDlg>([](files::CPeriodKlonDlg&, DialogDriver& d) {
        EXPECT_EQ(d.title(), "Запис на дневници на клон върху дискета");
        d.press("Затваряне");
    });
    auto c = context();
    app::RunCommand(Command::WriteSubmissionFiles, c);
    app::RunCommand(Command::WriteMergeFiles, c);
    EXPECT_EQ(host.dialogsRun().size(), 2u);
}

TEST_F(CommandsTest, TheReturnsCommandOpensThePeriodChooser) {
    host.onDialog<returns::CDDSPeriod>([](returns::CDDSPeriod&, DialogDriver& d) {
        EXPECT_EQ(d.title(), "Справки");
        d.press("Затваряне");
    });
    auto c = context();
    app::RunCommand(Command::VatReturn, c);
    EXPECT_EQ(host.dialogsRun(), std::vector<std::string>{"Справки"});
}

TEST_F(CommandsTest, AnEngineErrorAbandonsTheCommandWithItsMessage) {
    auto c = context();
    t.db().execute("DROP TABLE EDANNI");
    host.onDialog([](DialogDriver& d) { EXPECT_FALSE(d.isOpen()); });
    app::RunCommand(Command::ChoosePerson, c);
    host.expectError("no such table: EDANNI");  // the chooser cannot list the persons
    const auto box = host.takeBox();            // nor can the session be read again
    ASSERT_TRUE(box);
    EXPECT_EQ(box->icon, ui::Icon::Error);
    EXPECT_NE(box->text.find("EDANNI"), std::string::npos) << box->text;
}
