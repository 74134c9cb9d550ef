// The main window: its caption, its menu, enabling on opening a menu, and
// commands reaching the one dispatch point.
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include <gtest/gtest.h>

#include "app/CAboutDlg.h"
#include "app/CZorevaDoc.h"
#include "app/StatusLines.h"
#include "db/Backups.h"
#include "qt/CMainFrame.h"
#include "support/DialogDriver.h"
#include "support/ScriptedHost.h"
#include "support/TestDatabase.h"

using app::Command;
using testing_support::DialogDriver;
using testing_support::ScriptedHost;

namespace {

class MainFrameTest : public ::testing::Test {
  protected:
    // Opens every menu, as a person would, and lists the items enabled.
    std::vector<std::string> enabledItems() {
        std::vector<std::string> enabled;
        for (QAction* popup : frame->menuBar()->actions()) {
            QMenu* menu = popup->menu();
            emit menu->aboutToShow();
            for (QAction* item : menu->actions())
                if (!item->isSeparator() && item->isEnabled())
                    enabled.push_back(item->text().toStdString());
        }
        return enabled;
    }
    void open() {
        doc = std::make_unique<app::CZorevaDoc>(t.db(), clock, "/data", "/out");
        frame = std::make_unique<qt::CMainFrame>(app::CommandContext{
            host, *doc, std::filesystem::path(ZOREVA_SOURCE_DIR) / "share/zoreva/guide.txt"});
    }

    testing_support::TestDatabase t;
    platform::FixedClock clock{{2026, 12, 8, 10, 0, 0}};
    ScriptedHost host;
    std::unique_ptr<app::CZorevaDoc> doc;
    std::unique_ptr<qt::CMainFrame> frame;
};

}  // namespace

TEST_F(MainFrameTest, AnEmptyDatabaseShowsTheBareCaptionAndTheCommandsThatNeedNoPerson) {
    open();
    EXPECT_EQ(frame->windowTitle(), "Зорева по ЗДДС -   ");
    std::vector<std::string> menus;
    for (QAction* popup : frame->menuBar()->actions()) menus.push_back(popup->text().toStdString());
    EXPECT_EQ(menus, (std::vector<std::string>{"Въвеждане", "Диск\\дискети", "Справки",
                                               "Служебни функции", "Помощ"}));
    EXPECT_TRUE(frame->findChildren<QToolBar*>().isEmpty());
    EXPECT_EQ(enabledItems(), (std::vector<std::string>{
                                  "Проверка на дневници от файл", "Избор на задължено лице",
                                  "Парола за данните", "Архивиране на данните",
                                  "Възстановяване от архив", "&Теми от помощта", "За програмата"}));
}

TEST_F(MainFrameTest, ALineRemindsOfABackupOnlyWhenTheLastIsOlderThanAMonth) {
    const std::string how = "Архивирайте ги: „Служебни функции“ → „Архивиране на данните“.";
    auto lines = [&] {
        std::vector<std::string> shown;
        for (QLabel* label : frame->statusLabels()) shown.push_back(label->text().toStdString());
        return shown;
    };
    t.person("121212121", "", "BG121212121", true);
    open();
    const std::string person = "Задължено лице: Фирма 121212121, ИН по ДДС BG121212121";
    EXPECT_EQ(lines(), (std::vector<std::string>{person, "Данните още не са архивирани. " + how}));
    db::SetLastBackupDay(t.db(), 20261110);
    frame->action(Command::HelpTopics)->trigger();  // the lines are read anew after each command
    EXPECT_EQ(lines(), std::vector<std::string>{person});
    db::SetLastBackupDay(t.db(), 20261107);
    open();
    EXPECT_EQ(lines(),
              (std::vector<std::string>{
                  person,
                  "Последният архив на данните е от 07.11.2026 – преди повече от месец. " + how}));
}

TEST_F(MainFrameTest, EnablingIsDecidedAnewWhenAMenuOpens) {
    open();
    t.person("121212121", "0001", "BG121212121", true);
    frame->action(Command::PurchaseJournal)->trigger();
    host.expectNoMoreBoxes();  // still disabled: no menu has been opened since

    host.onDialog([](DialogDriver& d) { d.press("Отказ"); });
    frame->action(Command::ChoosePerson)->trigger();
    EXPECT_EQ(frame->windowTitle(), "Зорева по ЗДДС - BG121212121  - Клон: 0001");
    const auto enabled = enabledItems();
    EXPECT_NE(std::find(enabled.begin(), enabled.end(), "Запис на дневници на файл за обединение"),
              enabled.end());
    EXPECT_EQ(std::find(enabled.begin(), enabled.end(), "Запис на дневници на файл"),
              enabled.end());
    host.onDialog([](DialogDriver& d) { d.press("ok"); });
    frame->action(Command::About)->trigger();
}

TEST_F(MainFrameTest, HelpTopicsOpensTheGuideInTheTextViewer) {
    open();
    frame->action(Command::HelpTopics)->trigger();
    ASSERT_EQ(host.openedFiles().size(), 1u);
    EXPECT_EQ(host.openedFiles()[0].filename(), "guide.txt");
}

TEST_F(MainFrameTest, TheWindowSaysWhatToDoFirstThenWhomTheWorkRefersTo) {
    open();
    auto lines = [&] {
        std::vector<std::string> shown;
        for (QLabel* label : frame->statusLabels()) shown.push_back(label->text().toStdString());
        return shown;
    };
    EXPECT_EQ(lines(), std::vector<std::string>{app::kFirstStepHint});
    ASSERT_EQ(frame->statusLabels().size(), 1u);
    EXPECT_TRUE(frame->centralWidget()->isAncestorOf(frame->statusLabels()[0]));

    t.person("121212121", "", "BG121212121", true);
    db::SetLastBackupDay(t.db(), 20261201);  // no reminder of a backup
    host.onDialog([](DialogDriver& d) { d.press("Отказ"); });
    frame->action(Command::ChoosePerson)->trigger();
    EXPECT_EQ(lines(),
              std::vector<std::string>{"Задължено лице: Фирма 121212121, ИН по ДДС BG121212121"});
}
