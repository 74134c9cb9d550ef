// The period chooser "Справки": which periods it takes, what it says about
// the others, and the returns it opens for the session's person or branch.
#include "returns/CDDSPeriod.h"

#include <gtest/gtest.h>

#include "returns/CDeklDDS.h"
#include "returns/CViesDeklDlg.h"
#include "support/DialogDriver.h"
#include "support/ScriptedHost.h"
#include "support/TestDatabase.h"

using testing_support::DialogDriver;
using testing_support::ScriptedHost;
using testing_support::TestDatabase;

namespace {

class Chooser : public ::testing::Test {
  protected:
    explicit Chooser(const std::string& klon = "")
        : person(t.person("121212121", klon, "BG121212121", true)) {}
    TestDatabase t;
    db::PersonRow person;  // the session's, made before the document reads it
    platform::FixedClock clock{{2023, 7, 10, 9, 0, 0}};
    session::Session session{t.db(), clock, "/data", "/out"};
    ScriptedHost host;
    returns::CDDSPeriod chooser{host, session};
    DialogDriver d{chooser};
};

class BranchChooser : public Chooser {
  protected:
    BranchChooser() : Chooser("0001") {}
};

}  // namespace

TEST_F(Chooser, OpensWithTheReturnButtonsDisabled) {
    EXPECT_EQ(d.title(), "Справки");
    EXPECT_EQ(d.focused(), "period");
    EXPECT_FALSE(d.enabled("Декларация ДДС"));
    EXPECT_FALSE(d.enabled("VIES"));
    EXPECT_TRUE(d.enabled("Затваряне"));
}

TEST_F(Chooser, PeriodsItTakesAndRefuses) {
    struct Case {
        const char* typed;
        const char* message;  // "" for none
        bool accepted;
    };
    const Case cases[] = {
        {"201101", "", true},
        {"202312", "", true},
        {"2011", "", false},  // not whole yet: no message
        {"201113", "Некоректен месец в поле 'Период'", false},
        {"201100", "Некоректен месец в поле 'Период'", false},
        {"202413", "Некоректна година в поле 'Период'", false},  // the year comes first
        {"201012", "Некоректна година в поле 'Период'", false},
        {"2023a06", "", true},  // only digits are typed
    };
    for (const auto& c : cases) {
        d.type("period", c.typed);
        if (*c.message) host.expectError(c.message);
        host.expectNoMoreBoxes();
        EXPECT_EQ(d.enabled("Декларация ДДС"), c.accepted) << c.typed;
        EXPECT_EQ(d.enabled("VIES"), c.accepted) << c.typed;
        EXPECT_EQ(d.focused(), "period") << c.typed;
    }
    EXPECT_EQ(d.text("period"), "202306");
}

// Under a clock in December 2026 the periods of that year are taken.
TEST_F(Chooser, PeriodsRunToTheYearOfTheClock) {
    clock.set({2026, 12, 8, 10, 0, 0});
    for (const char* period : {"202401", "202512", "202601", "202611", "202612"}) {
        d.type("period", period);
        host.expectNoMoreBoxes();
        EXPECT_TRUE(d.enabled("Декларация ДДС")) << period;
    }
    d.type("period", "202701");
    host.expectError("Некоректна година в поле 'Период'");
    EXPECT_FALSE(d.enabled("VIES"));
}

TEST_F(Chooser, ShorteningAValidPeriodDisablesTheButtonsAgain) {
    d.type("period", "202306");
    EXPECT_TRUE(d.enabled("VIES"));
    d.type("period", "20230");
    EXPECT_FALSE(d.enabled("VIES"));
    EXPECT_FALSE(d.enabled("Декларация ДДС"));
}

TEST_F(Chooser, EnterMovesOnFromThePeriodAndPressesAButton) {
    d.type("period", "202306").enter();
    EXPECT_EQ(d.focused(), "vatReturn");
    host.onDialog([](DialogDriver& sheet) { sheet.escape(); });
    d.enter();
    EXPECT_EQ(host.dialogsRun(), std::vector<std::string>{"Справка декларация за ДДС"});
    d.focus("Затваряне").enter();
    EXPECT_FALSE(d.isOpen());
}

TEST_F(Chooser, OpensTheVatReturnOfThePeriod) {
    host.onDialog<returns::CDeklDDS>([](returns::CDeklDDS& sheet, DialogDriver& s) {
        EXPECT_EQ(sheet.scope().period, "202306");
        EXPECT_EQ(sheet.scope().vin, "BG121212121");
        s.press("ok");
    });
    d.type("period", "202306").press("Декларация ДДС");
    EXPECT_TRUE(db::FindReturn(t.db(), "BG121212121", "", "202306"));
    EXPECT_TRUE(d.isOpen()) << "the chooser stays for the next return";
}

TEST_F(Chooser, OpensTheViesReturnOfThePeriod) {
    host.onDialog([](DialogDriver& v) { v.press("Затвори"); });
    d.type("period", "202306").press("VIES");
    EXPECT_EQ(host.dialogsRun(), std::vector<std::string>{"VIES Декларация"});
}

TEST_F(BranchChooser, ABranchOpensTheReturnOfItsOwnBranch) {
    host.onDialog([](DialogDriver& s) { s.escape(); });
    d.type("period", "202306").press("Декларация ДДС");
    EXPECT_TRUE(db::FindReturn(t.db(), "BG121212121", "0001", "202306"));
    EXPECT_FALSE(db::FindReturn(t.db(), "BG121212121", "", "202306"));
}

TEST_F(Chooser, TheReturnsPrintThemselvesWhileTheyStayOpen) {
    host.onDialog([](DialogDriver& s) {
        s.showPage("Раздел В, Г и Д");
        s.press("Печат");
        EXPECT_TRUE(s.isOpen());
        s.press("ok");
    });
    d.type("period", "202306").press("Декларация ДДС");
    // A VIES return without rows has nothing to print; one with a row has.
    host.onDialog([](DialogDriver& v) {
        EXPECT_FALSE(v.enabled("Печат"));
        v.press("Затвори");
    });
    d.press("VIES");
    auto sale = db::EmptyJournalRow(db::Journal::Sales);
    sale.vin = "BG121212121", sale.period = "202306", sale.type = "01", sale.number = 1;
    sale.date = "15/06/2023", sale.knum = "DE123456789";
    sale.amounts[db::SS10] = 100, sale.amounts[db::SS15] = 100;
    db::InsertJournalRow(t.db(), db::Journal::Sales, sale);
    host.onDialog([](DialogDriver& v) {
        EXPECT_EQ(v.rowCount("supplies"), 1);
        v.press("Печат");
        v.press("Затвори");
    });
    d.press("VIES");
    EXPECT_EQ(host.printJobs(), (std::vector<ui::PrintJob>{{ui::PrintKind::VatReturn, "202306"},
                                                           {ui::PrintKind::Vies, "202306"}}));
}

TEST_F(Chooser, TheProtocolButtonOpensTheReportOfThePeriodAndScope) {
    std::vector<returns::ReturnScope> opened;
    returns::CDDSPeriod withProtocol(
        host, session,
        [&](ui::Host&, const returns::ReturnScope& scope) { opened.push_back(scope); });
    DialogDriver p(withProtocol);
    EXPECT_FALSE(p.enabled("Протокол"));
    p.type("period", "202306");
    EXPECT_TRUE(p.enabled("Протокол"));
    p.press("Протокол");
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].vin, "BG121212121");
    EXPECT_EQ(opened[0].klon, "");
    EXPECT_EQ(opened[0].period, "202306");
    p.type("period", "20231");
    EXPECT_FALSE(p.enabled("Протокол"));
    // Without a way to the report the button stays disabled.
    EXPECT_FALSE(d.type("period", "202306").enabled("Протокол"));
}
