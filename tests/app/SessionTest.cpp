#include "app/CZorevaDoc.h"
#include "app/MainMenu.h"

#include <gtest/gtest.h>

#include <set>

#include "support/TestDatabase.h"

using app::Command;
using testing_support::TestDatabase;

namespace {

std::set<Command> EnabledCommands(const app::CZorevaDoc& doc) {
    std::set<Command> enabled;
    for (const auto& popup : app::MainMenu())
        for (const auto& item : popup.items)
            if (app::IsEnabled(item.command, doc.session())) enabled.insert(item.command);
    return enabled;
}

const std::set<Command> kAlways = {Command::CheckFiles, Command::ChoosePerson, Command::HelpTopics,
                                   Command::About,      Command::DataPassword, Command::BackUpData,
                                   Command::RestoreData};
const std::set<Command> kPersonBound = {Command::PurchaseJournal, Command::SalesJournal,
                                        Command::VatReturn,       Command::Counterparts,
                                        Command::RemovePeriod,    Command::RemoveDuplicates};

std::set<Command> Join(std::set<Command> a, const std::set<Command>& b) {
    a.insert(b.begin(), b.end());
    return a;
}

class SessionFixture : public ::testing::Test {
  protected:
    std::unique_ptr<app::CZorevaDoc> open() {
        return std::make_unique<app::CZorevaDoc>(t.db(), clock, "/data", "/out");
    }
    TestDatabase t;
    platform::FixedClock clock{{2026, 12, 8, 10, 0, 0}};
};

}  // namespace

TEST_F(SessionFixture, NoCurrentPersonLeavesTwoSpacesAndTheCommandsThatNeedNoPerson) {
    t.person("121212121", "", "BG121212121", false);
    auto doc = open();
    EXPECT_FALSE(doc->session().personIsCurrent());
    EXPECT_EQ(doc->title(), "Зорева по ЗДДС -   ");
    EXPECT_EQ(EnabledCommands(*doc), kAlways);
}

TEST_F(SessionFixture, HeadOfficeTitleAndCommands) {
    t.person("121212121", "", "BG121212121", true);
    auto doc = open();
    EXPECT_EQ(doc->title(), "Зорева по ЗДДС - BG121212121  ");
    EXPECT_EQ(EnabledCommands(*doc),
              Join(Join(kAlways, kPersonBound), {Command::WriteSubmissionFiles}));
}

TEST_F(SessionFixture, BranchTitleAndCommands) {
    t.person("121212121", "", "BG121212121", false);
    t.person("121212121", "0001", "BG121212121", true);
    auto doc = open();
    EXPECT_EQ(doc->title(), "Зорева по ЗДДС - BG121212121  - Клон: 0001");
    EXPECT_EQ(EnabledCommands(*doc), Join(Join(kAlways, kPersonBound), {Command::WriteMergeFiles}));
}

TEST_F(SessionFixture, ReloadFollowsTheChooserAndKeepsTheTitleWhenNoneIsCurrent) {
    t.person("121212121", "", "BG121212121", false);
    t.person("121212121", "0001", "BG121212121", true);
    auto doc = open();
    db::MakeCurrent(t.db(), "121212121", "");
    EXPECT_TRUE(doc->reloadSession());
    EXPECT_TRUE(app::IsEnabled(Command::WriteSubmissionFiles, doc->session()));
    EXPECT_FALSE(app::IsEnabled(Command::WriteMergeFiles, doc->session()));
    EXPECT_EQ(doc->title(), "Зорева по ЗДДС - BG121212121  ");

    t.db().execute("DELETE FROM EDANNI");
    EXPECT_FALSE(doc->reloadSession());
    EXPECT_FALSE(doc->session().personIsCurrent());
    EXPECT_EQ(doc->title(), "Зорева по ЗДДС - BG121212121  ") << "caption left unchanged";
    EXPECT_EQ(EnabledCommands(*doc), kAlways);
}

TEST(MainMenu, PopupsInOrderWithTheirItems) {
    std::vector<std::string> titles;
    for (const auto& popup : app::MainMenu()) titles.push_back(popup.title);
    EXPECT_EQ(titles, (std::vector<std::string>{"Въвеждане", "Диск\\дискети", "Справки",
                                                "Служебни функции", "Помощ"}));
    EXPECT_STREQ(app::MainMenu()[4].items[1].text, "");  // the separator
}
