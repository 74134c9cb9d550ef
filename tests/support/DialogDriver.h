#pragma once
// Drives a dialog model as a person would, headless: types into fields,
// leaves them, presses Enter or buttons, chooses, checks, selects rows, clicks
// headers; and reads back what the person would see. Controls are named by
// id or by caption. Doing what a person could not (typing into a disabled
// field, pressing a hidden button) is a test failure; naming a control that
// does not exist throws. Actions chain:
//
//     DialogDriver d(dialog);
//     d.type("Период", "202401").leave();
//     host.expectError("Некоректна година в поле 'Период'");
//     EXPECT_EQ(d.focused(), "period");
//
// See docs/testing.md.

#include <source_location>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Dialog.h"

namespace testing_support {

class DriverError : public std::logic_error {
  public:
    using std::logic_error::logic_error;
};

class DialogDriver {
  public:
    using Where = std::source_location;

    // Opens the dialog unless it is open already.
    explicit DialogDriver(ui::Dialog& dialog);

    ui::Dialog& dialog() const { return dialog_; }
    // The control with this id or, failing that, this caption.
    ui::Control& control(std::string_view name) const;
    template <class C>
    C& get(std::string_view name) const;

    // What a person does.
    DialogDriver& focus(std::string_view name, Where where = Where::current());
    // Focuses the field, selects its text and types `text` key by key: one
    // change event per character.
    DialogDriver& type(std::string_view name, std::string_view text,
                       Where where = Where::current());
    // Focuses the field and replaces its text in one change, as pasting does.
    DialogDriver& paste(std::string_view name, std::string_view text,
                        Where where = Where::current());
    // Leaves the focused control with Tab.
    DialogDriver& leave(Where where = Where::current());
    DialogDriver& tab(Where where = Where::current());
    DialogDriver& backTab(Where where = Where::current());
    DialogDriver& enter(Where where = Where::current());
    // Ctrl+Enter, the shortcut of a dialog's storing button.
    DialogDriver& ctrlEnter(Where where = Where::current());
    DialogDriver& escape(Where where = Where::current());
    DialogDriver& closeWindow(Where where = Where::current());
    DialogDriver& press(std::string_view name, Where where = Where::current());
    DialogDriver& choose(std::string_view name, std::string_view item,
                         Where where = Where::current());
    DialogDriver& chooseIndex(std::string_view name, int index, Where where = Where::current());
    // "DD/MM/YYYY", or "" for no date.
    DialogDriver& pickDate(std::string_view name, std::string_view date,
                           Where where = Where::current());
    DialogDriver& check(std::string_view name, Where where = Where::current());
    DialogDriver& uncheck(std::string_view name, Where where = Where::current());
    DialogDriver& select(std::string_view list, int row, Where where = Where::current());
    DialogDriver& selectRows(std::string_view list, std::vector<int> rows,
                             Where where = Where::current());
    DialogDriver& checkRow(std::string_view list, int row, bool checked = true,
                           Where where = Where::current());
    DialogDriver& clickHeader(std::string_view list, int column, Where where = Where::current());
    DialogDriver& showPage(std::string_view page, Where where = Where::current());

    // What a person sees.
    bool isOpen() const { return dialog_.isOpen(); }
    ui::Result result() const { return dialog_.result(); }
    const std::string& title() const { return dialog_.title(); }
    // The id of the focused control (its caption when it has no id); "" for none.
    std::string focused() const;
    // The text of an edit or text box, the chosen item of a drop-down, the
    // date of a picker ("" for none), the caption of anything else.
    std::string text(std::string_view name) const;
    std::string caption(std::string_view name) const;
    bool enabled(std::string_view name) const;
    bool visible(std::string_view name) const;
    // Enabled, visible and on the active page.
    bool reachable(std::string_view name) const;
    bool checked(std::string_view name) const;
    std::vector<std::string> items(std::string_view comboBox) const;
    // What the open list of a drop-down shows for each item.
    std::vector<std::string> labels(std::string_view comboBox) const;
    std::string toolTip(std::string_view name) const;
    int rowCount(std::string_view list) const;
    std::string cell(std::string_view list, int row, int column) const;
    std::vector<std::string> row(std::string_view list, int row) const;
    std::vector<std::string> column(std::string_view list, int column) const;
    std::vector<std::string> headers(std::string_view list) const;
    bool rowChecked(std::string_view list, int row) const;
    std::vector<int> selection(std::string_view list) const;

  private:
    // A failure at the test's line when a person could not reach the control.
    bool canReach(const ui::Control& control, std::string_view action, Where where) const;
    bool isOpenFor(std::string_view action, Where where) const;

    ui::Dialog& dialog_;
};

template <class C>
C& DialogDriver::get(std::string_view name) const {
    auto* typed = dynamic_cast<C*>(&control(name));
    if (!typed)
        throw DriverError("the control \"" + std::string(name) + "\" of \"" + dialog_.title() +
                          "\" is of another kind");
    return *typed;
}

}  // namespace testing_support
