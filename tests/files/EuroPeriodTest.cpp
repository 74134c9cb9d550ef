// A period of the euro from end to end under a clock of December 2026: both
// journals entered through their screens (a document in euro and one issued
// in leva in each), the VAT return computed, the submission files written
// and checked without an error.

#include <gtest/gtest.h>

#include "journals/CPokupki.h"
#include "journals/CProdagbi.h"
#include "returns/CDeklDDS.h"
#include "session/Session.h"
#include "support/DialogDriver.h"
#include "support/PeriodGenerator.h"
#include "support/ScriptedHost.h"
#include "support/TempDir.h"
#include "support/TestDatabase.h"

using testing_support::DialogDriver;
using testing_support::ScriptedHost;

namespace {

constexpr platform::LocalDateTime kToday{2026, 12, 8, 10, 0, 0};
const std::string kBulstat = "175074752", kVin = "BG175074752", kPeriod = "202611";

// A document typed as an accountant does, its amounts in leva when asked.
struct Document {
    std::string type, docNo, date;
    std::vector<std::pair<int, std::string>> money;
    bool inLeva = false;
};

void Enter(DialogDriver& d, ScriptedHost& host, const Document& doc) {
    if (doc.inLeva) d.check("levaEntry");
    d.choose("type", doc.type);
    d.type("docNo", doc.docNo);
    d.pickDate("date", doc.date);
    d.type("knum", "BG123456786").leave();
    d.type("kname", "Алфа ООД");
    d.type("sdelka", "Стоки");
    for (const auto& [column, text] : doc.money)
        d.type("col" + std::to_string(column), text).leave();
    d.press("save");
    host.expectNoMoreBoxes();
}

db::PersonRow Person() {
    db::PersonRow p;
    p.bulstat = kBulstat, p.vin = kVin, p.name = "Зорева ООД", p.last = true;
    p.adress = "гр. София, ул. „Шипка“ 1", p.faceEgn = "7501010010", p.face = "Иванка Петрова";
    p.phone = "0888123456", p.faceGrad = "София", p.facePk = "1000", p.faceAdr1 = "ул. Витоша 1";
    p.flPredst = "R";
    return p;
}

}  // namespace

TEST(EuroPeriod, APeriodOf2026IsEnteredComputedWrittenAndCheckedClean) {
    testing_support::TestDatabase t;
    db::InsertPerson(t.db(), Person());
    db::MakeCurrent(t.db(), kBulstat, "");
    platform::FixedClock clock(kToday);
    session::Session session(t.db(), clock, "/data", "/out");
    ScriptedHost host;
    {
        journals::CPokupki screen(host, session);
        DialogDriver d(screen);
        d.type("period", kPeriod);
        host.expectNoMoreBoxes();
        Enter(d, host, {"01", "1", "10/11/2026", {{10, "100"}}});
        // A late claim of an invoice of December 2025, in leva.
        Enter(d, host, {"01", "2", "15/12/2025", {{10, "100"}}, true});
    }
    {
        journals::CProdagbi screen(host, session);
        DialogDriver d(screen);
        d.type("period", kPeriod);
        Enter(d, host, {"01", "1", "12/11/2026", {{9, "250"}, {10, "50"}, {11, "250"}}});
        // A credit note against an invoice of 2025, in leva.
        Enter(d, host,
              {"03",
               "2",
               "20/11/2026",
               {{9, "-286"},
                {10, "-10.62"},
                {11, "-27"},
                {17, "-58"},
                {18, "-5.22"},
                {19, "-89"},
                {21, "-112"}},
               true});
    }
    {
        returns::CDeklDDS sheet(host, t.db(), returns::ReturnScope{kVin, "", kPeriod});
        DialogDriver d(sheet);
        d.press("ok");
        host.expectNoMoreBoxes();
    }
    testing_support::TempDir out;
    const testing_support::GeneratedPeriod period{kVin, kBulstat, kPeriod, {}, 2, 2};
    EXPECT_EQ(testing_support::WriteAndCheck(t.db(), period, out.path(), kToday),
              std::vector<std::string>{});
    const auto folder = out.path() / kBulstat / kPeriod;
    // The leva documents went in converted: 100.00 лв. = 51.13 €; the credit
    // note's column 9 is the sum of its converted parts.
    EXPECT_NE(testing_support::ReadFile(folder / "Pokupki.txt").find("51.13"), std::string::npos);
    EXPECT_NE(testing_support::ReadFile(folder / "Prodagbi.txt").find("-146.21"),
              std::string::npos);
}
