// Windows a person resizes: how anchored controls follow, the minimum size a
// resizable dialog declares, drop-down items named in their open list, and
// the shortcut that presses a button.
#include <gtest/gtest.h>

#include "support/DialogDriver.h"
#include "support/ScriptedHost.h"
#include "ui/Dialog.h"

using testing_support::DialogDriver;
using testing_support::ScriptedHost;

namespace {

struct AnchorCase {
    const char* what;
    ui::Anchors anchors;
    int dx, dy;
    ui::Rect expected;
};

// A control declared at {10, 20, 100, 50}.
const AnchorCase kAnchorCases[] = {
    {"stays", ui::kStays, 300, 200, {10, 20, 100, 50}},
    {"grows", ui::kGrows, 300, 200, {10, 20, 400, 250}},
    {"grows wide", ui::kGrowsWide, 300, 200, {10, 20, 400, 50}},
    {"follows right", ui::kFollowsRight, 300, 200, {310, 20, 100, 50}},
    {"follows bottom", ui::kFollowsBottom, 300, 200, {10, 220, 100, 50}},
    {"follows the corner", ui::kFollowsBottomRight, 300, 200, {310, 220, 100, 50}},
    {"grows wide at the bottom", ui::kGrowsWideFollowsBottom, 300, 200, {10, 220, 400, 50}},
    {"upper half", {0, 0, 100, 50}, 0, 200, {10, 20, 100, 150}},
    {"lower half", {0, 50, 100, 100}, 0, 200, {10, 120, 100, 150}},
    {"shrinks", ui::kGrows, -40, -30, {10, 20, 60, 20}},
    {"never below nothing", ui::kGrows, -400, -300, {10, 20, 0, 0}},
};

}  // namespace

TEST(AnchorsTest, EachEdgeMovesByItsShareOfTheChange) {
    for (const auto& c : kAnchorCases) {
        const ui::Rect placed = c.anchors.apply({10, 20, 100, 50}, c.dx, c.dy);
        EXPECT_EQ((std::array{placed.x, placed.y, placed.width, placed.height}),
                  (std::array{c.expected.x, c.expected.y, c.expected.width, c.expected.height}))
            << c.what;
    }
}

TEST(AnchorsTest, TwoHalvesNeverOverlapNorLeaveAGapWhateverTheChange) {
    const ui::Anchors upper{0, 0, 100, 50}, lower{0, 50, 100, 100};
    for (int dy = -60; dy <= 301; ++dy) {
        const ui::Rect a = upper.apply({6, 18, 600, 108}, 0, dy);
        const ui::Rect b = lower.apply({6, 150, 600, 108}, 0, dy);
        EXPECT_EQ(b.y - (a.y + a.height), 24) << dy;  // the declared gap, label included
        EXPECT_EQ(b.y + b.height, 258 + dy) << dy;
    }
}

namespace {

class Register : public ui::Dialog {
  public:
    explicit Register(ui::Host& host) : Dialog(host, "Регистър", {200, 150}) {
        type.setItems({"01", "02"}, {"01 – Фактура", "02 – Дебитно известие"});
        setResizable({200, 90});
    }
    ui::ComboBox& type = addComboBox("type", "Вид", {5, 5, 30, 60});
    ui::Edit& amount = addEdit("amount", "Сума", {5, 25, 60, 12});
    ui::ListView& list = addListView("list", "", {5, 45, 190, 80}).anchored(ui::kGrows);
    ui::Button& save = addButton("save", "Добави", {140, 130, 55, 14})
                           .pressedBy(ui::Shortcut::CtrlEnter)
                           .tip("Записва (Ctrl+Enter)")
                           .anchored(ui::kFollowsBottomRight);
    std::vector<std::string> events;

  protected:
    void left(ui::Control& control) override { events.push_back("left " + control.id()); }
    void pressed(ui::Button& button) override { events.push_back("pressed " + button.id()); }
    void refresh() override { save.setEnabled(type.selected() >= 0); }
};

}  // namespace

TEST(ResizableTest, ADialogDeclaresItsLeastSizeAndNeverAMinimumAboveItsOwn) {
    ScriptedHost host;
    Register form(host);
    EXPECT_TRUE(form.resizable());
    EXPECT_EQ(form.minimumSize().height, 90);
    EXPECT_EQ(form.list.anchors(), ui::kGrows);

    class TooSmall : public ui::Dialog {
      public:
        explicit TooSmall(ui::Host& host) : Dialog(host, "Малък", {100, 100}) {
            setResizable({120, 80});
        }
    };
    EXPECT_THROW(TooSmall{host}, std::logic_error);

    class Fixed : public ui::Dialog {
      public:
        explicit Fixed(ui::Host& host) : Dialog(host, "Неизменен", {100, 60}) {}
    };
    Fixed fixed(host);
    EXPECT_FALSE(fixed.resizable());
    EXPECT_EQ(fixed.minimumSize().width, 100);
    EXPECT_EQ(fixed.minimumSize().height, 60);
}

TEST(ComboLabelsTest, TheOpenListNamesItsItemsWhileTheChoiceKeepsTheCode) {
    ScriptedHost host;
    Register form(host);
    DialogDriver d(form);
    EXPECT_EQ(d.items("Вид"), (std::vector<std::string>{"01", "02"}));
    EXPECT_EQ(d.labels("Вид"), (std::vector<std::string>{"01 – Фактура", "02 – Дебитно известие"}));
    d.choose("Вид", "02");
    EXPECT_EQ(d.text("Вид"), "02");

    form.type.setItems({"07", "09"});
    EXPECT_EQ(d.labels("Вид"), (std::vector<std::string>{"07", "09"})) << "no names: the items";
    EXPECT_THROW(form.type.setItems({"01"}, {"01 – Фактура", "02 – Дебитно известие"}),
                 std::invalid_argument);
}

TEST(ShortcutTest, CtrlEnterPressesItsButtonAsAClickDoesAndOnlyWhenItCanBeReached) {
    ScriptedHost host;
    Register form(host);
    DialogDriver d(form);
    EXPECT_EQ(d.toolTip("Добави"), "Записва (Ctrl+Enter)");

    d.type("Сума", "12");
    form.events.clear();
    d.ctrlEnter();
    EXPECT_TRUE(form.events.empty()) << "the button is disabled: nothing happens";

    d.choose("Вид", "01").type("Сума", "15");
    form.events.clear();
    d.ctrlEnter();
    EXPECT_EQ(form.events, (std::vector<std::string>{"left amount", "pressed save"}))
        << "the field is left first, then the button pressed";
    EXPECT_EQ(d.focused(), "save");
}
