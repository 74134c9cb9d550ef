// Every dialog fits a 1366×768 screen at its least size, with room for the
// desktop's panel and the window's title bar; the large dialogs grow with
// their window, the list taking the room and every button staying in sight.
// At the least size and when grown no two controls overlap.
#include <QApplication>
#include <QLabel>
#include <QTableView>

#include <functional>
#include <memory>

#include <gtest/gtest.h>

#include "app/CAboutDlg.h"
#include "app/CDataPasswordDlg.h"
#include "app/CPasswordDlg.h"
#include "app/CZorevaDoc.h"
#include "files/CPeriodDlg.h"
#include "files/CPeriodKlonDlg.h"
#include "files/checker/CCheckFiles.h"
#include "journals/CPokupki.h"
#include "journals/CProdagbi.h"
#include "persons/CAddEmployer.h"
#include "persons/CEmployer.h"
#include "persons/CKontrag.h"
#include "qt/DialogView.h"
#include "returns/CDDSPeriod.h"
#include "returns/CDeklDDS.h"
#include "returns/CViesDeklDlg.h"
#include "support/ScriptedHost.h"
#include "support/TempDir.h"
#include "support/TestDatabase.h"
#include "ui/TextViewer.h"

using testing_support::ScriptedHost;

namespace {

// What a window may take of a 1366×768 screen: the width less its frame, the
// height less a panel and a title bar of 40 pixels each.
const QSize kLaptopRoom(1366 - 16, 768 - 80);
const QSize kLargeWindow(1900, 1000);

struct World {
    World() {
        t.person("123456786", "", "BG123456786", true);
        doc.reloadSession();
    }
    testing_support::TempDir dir;
    testing_support::TestDatabase t;
    platform::FixedClock clock{{2023, 12, 8, 10, 0, 0}};
    app::CZorevaDoc doc{t.db(), clock, "/data", dir.path()};
    ScriptedHost host;
};

using Make = std::function<std::unique_ptr<ui::Dialog>(World&)>;

struct DialogCase {
    const char* name;
    Make make;
    bool grows;
    // The share of a taller window its largest control takes, in percent.
    int heightShare = 100;
};

const returns::ReturnScope kScope{"BG123456786", "", "202311"};
const files::WriterSession kSession{"BG123456786", "123456786", "", "/out"};

const DialogCase kDialogs[] = {
    {"about", [](World& w) { return std::make_unique<app::CAboutDlg>(w.host); }, false},
    {"data password",
     [](World& w) { return std::make_unique<app::CDataPasswordDlg>(w.host, w.t.db()); }, false},
    {"password at start-up",
     [](World& w) { return std::make_unique<app::CPasswordDlg>(w.host, "Парола", 1, 3); }, false},
    {"checker",
     [](World& w) {
         return std::make_unique<files::checker::CCheckFiles>(w.host, w.dir.path(), w.clock, true);
     },
     true},
    {"submission writer",
     [](World& w) { return std::make_unique<files::CPeriodDlg>(w.host, w.t.db(), kSession); },
     false},
    {"merge writer",
     [](World& w) { return std::make_unique<files::CPeriodKlonDlg>(w.host, w.t.db(), kSession); },
     false},
    {"person chooser",
     [](World& w) { return std::make_unique<persons::CEmployer>(w.t.db(), w.host); }, false},
    {"person editor",
     [](World& w) { return std::make_unique<persons::CAddEmployer>(w.t.db(), w.host); }, false},
    {"counterparts",
     [](World& w) { return std::make_unique<persons::CKontrag>(w.t.db(), w.host, "BG123456786"); },
     true},
    {"purchase journal",
     [](World& w) { return std::make_unique<journals::CPokupki>(w.host, w.doc.session()); }, true},
    {"sales journal",
     [](World& w) { return std::make_unique<journals::CProdagbi>(w.host, w.doc.session()); }, true},
    {"period chooser",
     [](World& w) { return std::make_unique<returns::CDDSPeriod>(w.host, w.doc.session()); },
     false},
    {"VAT return",
     [](World& w) { return std::make_unique<returns::CDeklDDS>(w.host, w.t.db(), kScope); }, true},
    {"VIES return",
     [](World& w) { return std::make_unique<returns::CViesDeklDlg>(w.host, w.t.db(), kScope); },
     true, 50},
    {"text viewer",
     [](World& w) {
         return std::make_unique<ui::TextViewer>(w.host, w.dir.write("Report.txt", "СПРАВКА\r\n"));
     },
     true},
};

// The widgets of the controls that stand side by side on one surface: on
// the form itself, or on the page shown.
std::vector<std::pair<const ui::Control*, QWidget*>> Placed(qt::DialogView& view) {
    std::vector<std::pair<const ui::Control*, QWidget*>> shown;
    for (const auto& control : view.model().controls()) {
        const auto kind = control->kind();
        if (kind == ui::Kind::GroupBox || kind == ui::Kind::Page || !control->visible()) continue;
        if (control->page() && !control->page()->active()) continue;
        shown.emplace_back(control.get(), view.widget(*control));
        if (QLabel* label = view.label(*control)) shown.emplace_back(control.get(), label);
    }
    return shown;
}

// Every control inside the form and none over another.
void ExpectLaidOut(qt::DialogView& view, const char* name, const char* when) {
    const auto shown = Placed(view);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        QWidget* a = shown[i].second;
        const QRect area = a->parentWidget()->rect();
        EXPECT_TRUE(area.contains(a->geometry()))
            << name << ", " << when << ": " << shown[i].first->id() << " reaches out of its form";
        for (std::size_t j = i + 1; j < shown.size(); ++j) {
            QWidget* b = shown[j].second;
            if (a->parentWidget() != b->parentWidget()) continue;
            EXPECT_FALSE(a->geometry().intersects(b->geometry()))
                << name << ", " << when << ": " << shown[i].first->id() << " over "
                << shown[j].first->id();
        }
    }
}

}  // namespace

TEST(DialogSizeTest, EveryDialogFitsALaptopScreenAtItsLeastSize) {
    for (const auto& c : kDialogs) {
        World world;
        auto dialog = c.make(world);
        dialog->open();
        ASSERT_TRUE(dialog->isOpen()) << c.name;
        qt::DialogView view(*dialog, nullptr);
        const QSize least = view.leastSize();
        EXPECT_LE(least.width(), kLaptopRoom.width()) << c.name;
        EXPECT_LE(least.height(), kLaptopRoom.height()) << c.name;
        EXPECT_EQ(dialog->resizable(), c.grows) << c.name;
        if (!c.grows) continue;
        view.show();
        view.resize(least);
        QApplication::processEvents();
        ExpectLaidOut(view, c.name, "least size");
        world.host.forgetBoxes();
    }
}

TEST(DialogSizeTest, TheLargeDialogsGrowWithTheirWindowTheListTakingTheRoom) {
    for (const auto& c : kDialogs) {
        if (!c.grows) continue;
        World world;
        auto dialog = c.make(world);
        dialog->open();
        qt::DialogView view(*dialog, nullptr);
        view.show();
        view.resize(view.leastSize());
        QApplication::processEvents();
        // The largest control is the one that takes the room: a list, the
        // report, the pages (the VIES return's two lists share it).
        auto largest = [&] {
            QWidget* found = nullptr;
            for (const auto& [control, widget] : Placed(view))
                if (!found || widget->width() * widget->height() > found->width() * found->height())
                    found = widget;
            return found;
        };
        QWidget* list = largest();
        const QSize before = list->size();
        const QSize grown = kLargeWindow - view.size();
        view.resize(kLargeWindow);
        QApplication::processEvents();
        EXPECT_EQ(largest(), list) << c.name;
        EXPECT_EQ(list->width(), before.width() + grown.width()) << c.name;
        EXPECT_GE(list->height(), before.height() + grown.height() * c.heightShare / 100 - 1)
            << c.name;
        ExpectLaidOut(view, c.name, "grown");
        world.host.forgetBoxes();
    }
}
