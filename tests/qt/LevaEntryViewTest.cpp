// A purchase journal of a euro period on screen with a document issued in
// leva typed in: the leva box ticked and the notes pane showing each amount
// in leva and in euro. With ZOREVA_SCREENSHOTS set to a folder, the picture
// is saved there.
#include <QCheckBox>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTest>
#include <cstdlib>

#include <gtest/gtest.h>

#include "ShownView.h"
#include "db/Rows.h"
#include "journals/CPokupki.h"
#include "qt/DialogView.h"
#include "session/Session.h"
#include "support/DialogDriver.h"
#include "support/ScriptedHost.h"
#include "support/TestDatabase.h"

TEST(LevaEntryView, TheConversionIsShownInTheNotesPane) {
    testing_support::TestDatabase t;
    t.person("175074752", "", "BG175074752", true);
    db::MakeCurrent(t.db(), "175074752", "");
    platform::FixedClock clock({2026, 12, 8, 10, 0, 0});
    session::Session session(t.db(), clock, "/data", "/out");
    testing_support::ScriptedHost host;
    journals::CPokupki screen(host, session);
    testing_support::DialogDriver d(screen);
    d.type("period", "202611");
    d.check("levaEntry");
    d.choose("type", "01");
    d.type("docNo", "2025-0917");
    d.pickDate("date", "15/12/2025");
    d.type("knum", "BG123456786").leave();
    d.type("kname", "Алфа ООД");
    d.type("sdelka", "Стоки");
    d.type("col10", "100").leave();
    d.type("col12", "1").leave();
    host.expectNoMoreBoxes();

    qt::DialogView view(screen, nullptr);
    view.resize(1230, 790);  // the whole form, as on a desktop screen
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    view.sync();
    auto* box = qobject_cast<QCheckBox*>(view.widget(*screen.find("levaEntry")));
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isEnabled());
    EXPECT_TRUE(box->isChecked());
    auto* notes = qobject_cast<QPlainTextEdit*>(view.widget(*screen.find("notes")));
    ASSERT_NE(notes, nullptr);
    EXPECT_TRUE(notes->toPlainText().contains(QString::fromUtf8("к.10 100.00 лв. = 51.13 €")));
    testing_support::KeepPicture(view, "journal-leva-entry.png");
}
