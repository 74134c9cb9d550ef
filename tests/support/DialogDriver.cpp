#include "support/DialogDriver.h"

#include <gtest/gtest.h>

#include "platform/CodePage.h"

namespace testing_support {
namespace {

void Fail(std::source_location where, const std::string& what) {
    ADD_FAILURE_AT(where.file_name(), where.line()) << what;
}

std::string InQuotes(std::string_view name) {
    return "\"" + std::string(name) + "\"";
}

// Whether a drop-down or list has the item, row or column `index` of
// `count`; a failure at the test's line when it has not.
bool Has(std::string_view name, const char* what, int index, int count,
         std::source_location where) {
    if (index >= 0 && index < count) return true;
    Fail(where, InQuotes(name) + " has no " + what + " " + std::to_string(index));
    return false;
}

// The first character of UTF-8 text and the rest.
std::pair<std::string, std::string_view> FirstCharacter(std::string_view text) {
    const auto first = platform::Utf8Prefix(text, 1);
    return {first, text.substr(first.size())};
}

}  // namespace

DialogDriver::DialogDriver(ui::Dialog& dialog) : dialog_(dialog) {
    if (!dialog_.isOpen()) dialog_.open();
}

ui::Control& DialogDriver::control(std::string_view name) const {
    if (ui::Control* byId = dialog_.find(name)) return *byId;
    ui::Control* found = nullptr;
    for (const auto& control : dialog_.controls()) {
        if (control->caption() != name) continue;
        if (found)
            throw DriverError("two controls of \"" + dialog_.title() + "\" are captioned " +
                              InQuotes(name) + "; name it by id");
        found = control.get();
    }
    if (found) return *found;
    std::string known;
    for (const auto& control : dialog_.controls())
        known += "\n  " + InQuotes(control->id()) + " " + InQuotes(control->caption());
    throw DriverError("\"" + dialog_.title() + "\" has no control " + InQuotes(name) +
                      "; it has (id, caption):" + known);
}

bool DialogDriver::isOpenFor(std::string_view action, Where where) const {
    if (dialog_.isOpen()) return true;
    Fail(where,
         "cannot " + std::string(action) + ": the dialog \"" + dialog_.title() + "\" is closed");
    return false;
}

bool DialogDriver::canReach(const ui::Control& control, std::string_view action,
                            Where where) const {
    if (!isOpenFor(action, where)) return false;
    const char* why = !control.visible()                            ? "hidden"
                      : !control.enabled()                          ? "disabled"
                      : control.page() && !control.page()->active() ? "on a page not shown"
                                                                    : nullptr;
    if (!why) return true;
    Fail(where, "cannot " + std::string(action) + " " + InQuotes(control.id()) + " (" +
                    InQuotes(control.caption()) + "): it is " + why);
    return false;
}

DialogDriver& DialogDriver::focus(std::string_view name, Where where) {
    auto& target = control(name);
    if (!canReach(target, "focus", where)) return *this;
    if (!target.takesFocus()) Fail(where, InQuotes(name) + " cannot hold the focus");
    dialog_.userFocus(target);
    return *this;
}

DialogDriver& DialogDriver::type(std::string_view name, std::string_view text, Where where) {
    auto& edit = get<ui::Edit>(name);
    if (!canReach(edit, "type into", where)) return *this;
    if (edit.readOnly()) {
        Fail(where, "cannot type into " + InQuotes(name) + ": it is read-only");
        return *this;
    }
    dialog_.userFocus(edit);
    if (text.empty()) {
        dialog_.userEdit(edit, "");
        return *this;
    }
    // The first key replaces the selected text; every later one is added to
    // whatever the dialog made of the text so far.
    bool first = true;
    while (!text.empty() && dialog_.isOpen() && dialog_.focus() == &edit) {
        auto [key, rest] = FirstCharacter(text);
        if (!dialog_.userEdit(edit, first ? key : edit.text() + key)) break;
        first = false;
        text = rest;
    }
    return *this;
}

DialogDriver& DialogDriver::paste(std::string_view name, std::string_view text, Where where) {
    auto& edit = get<ui::Edit>(name);
    if (!canReach(edit, "paste into", where)) return *this;
    dialog_.userEdit(edit, std::string(text));
    return *this;
}

DialogDriver& DialogDriver::leave(Where where) {
    return tab(where);
}

DialogDriver& DialogDriver::tab(Where where) {
    if (isOpenFor("press Tab", where)) dialog_.userTab(true);
    return *this;
}

DialogDriver& DialogDriver::backTab(Where where) {
    if (isOpenFor("press Shift+Tab", where)) dialog_.userTab(false);
    return *this;
}

DialogDriver& DialogDriver::enter(Where where) {
    if (isOpenFor("press Enter", where)) dialog_.userEnter();
    return *this;
}

DialogDriver& DialogDriver::ctrlEnter(Where where) {
    if (isOpenFor("press Ctrl+Enter", where)) dialog_.userShortcut(ui::Shortcut::CtrlEnter);
    return *this;
}

DialogDriver& DialogDriver::escape(Where where) {
    if (isOpenFor("press Escape", where)) dialog_.userClose(ui::CloseRequest::Escape);
    return *this;
}

DialogDriver& DialogDriver::closeWindow(Where where) {
    if (isOpenFor("close the window", where)) dialog_.userClose(ui::CloseRequest::WindowClose);
    return *this;
}

DialogDriver& DialogDriver::press(std::string_view name, Where where) {
    auto& button = get<ui::Button>(name);
    if (canReach(button, "press", where)) dialog_.userPress(button);
    return *this;
}

DialogDriver& DialogDriver::choose(std::string_view name, std::string_view item, Where where) {
    auto& combo = get<ui::ComboBox>(name);
    const auto& items = combo.items();
    const auto found = std::find(items.begin(), items.end(), item);
    if (found == items.end()) {
        std::string offered;
        for (const auto& each : items) offered += " " + InQuotes(each);
        Fail(where, InQuotes(name) + " offers no item " + InQuotes(item) + "; it offers" + offered);
        return *this;
    }
    return chooseIndex(name, static_cast<int>(found - items.begin()), where);
}

DialogDriver& DialogDriver::chooseIndex(std::string_view name, int index, Where where) {
    auto& combo = get<ui::ComboBox>(name);
    if (Has(name, "item", index, static_cast<int>(combo.items().size()), where) &&
        canReach(combo, "choose in", where))
        dialog_.userChoose(combo, index);
    return *this;
}

DialogDriver& DialogDriver::pickDate(std::string_view name, std::string_view date, Where where) {
    auto& picker = get<ui::DatePicker>(name);
    std::optional<platform::Date> value;
    if (!date.empty()) {
        value = platform::Date::parse(date);
        if (!value) {
            Fail(where, InQuotes(date) + " is not a date DD/MM/YYYY");
            return *this;
        }
    }
    if (canReach(picker, "pick a date in", where)) dialog_.userPickDate(picker, value);
    return *this;
}

DialogDriver& DialogDriver::check(std::string_view name, Where where) {
    auto& box = get<ui::CheckBox>(name);
    if (canReach(box, "check", where)) dialog_.userToggle(box, true);
    return *this;
}

DialogDriver& DialogDriver::uncheck(std::string_view name, Where where) {
    auto& box = get<ui::CheckBox>(name);
    if (canReach(box, "uncheck", where)) dialog_.userToggle(box, false);
    return *this;
}

DialogDriver& DialogDriver::select(std::string_view list, int row, Where where) {
    return selectRows(list, {row}, where);
}

DialogDriver& DialogDriver::selectRows(std::string_view list, std::vector<int> rows, Where where) {
    auto& view = get<ui::ListView>(list);
    for (int row : rows)
        if (!Has(list, "row", row, view.rowCount(), where)) return *this;
    if (rows.size() > 1 && !view.multiSelect()) {
        Fail(where, InQuotes(list) + " selects one row at a time");
        return *this;
    }
    if (canReach(view, "select rows in", where)) dialog_.userSelectRows(view, std::move(rows));
    return *this;
}

DialogDriver& DialogDriver::checkRow(std::string_view list, int row, bool checked, Where where) {
    auto& view = get<ui::ListView>(list);
    if (!view.checkBoxes()) {
        Fail(where, InQuotes(list) + " has no check boxes");
        return *this;
    }
    if (Has(list, "row", row, view.rowCount(), where) && canReach(view, "check a row of", where))
        dialog_.userCheckRow(view, row, checked);
    return *this;
}

DialogDriver& DialogDriver::clickHeader(std::string_view list, int column, Where where) {
    auto& view = get<ui::ListView>(list);
    if (Has(list, "column", column, static_cast<int>(view.columns().size()), where) &&
        canReach(view, "click a header of", where))
        dialog_.userClickHeader(view, column);
    return *this;
}

DialogDriver& DialogDriver::showPage(std::string_view page, Where where) {
    auto& target = get<ui::Page>(page);
    if (canReach(target.sheet(), "show a page of", where)) dialog_.userActivatePage(target);
    return *this;
}

std::string DialogDriver::focused() const {
    const ui::Control* focus = dialog_.focus();
    if (!focus) return "";
    return focus->id().empty() ? focus->caption() : focus->id();
}

std::string DialogDriver::text(std::string_view name) const {
    const auto& target = control(name);
    switch (target.kind()) {
        case ui::Kind::Edit:
            return static_cast<const ui::Edit&>(target).text();
        case ui::Kind::TextBox:
            return static_cast<const ui::TextBox&>(target).text();
        case ui::Kind::ComboBox:
            return static_cast<const ui::ComboBox&>(target).selectedText();
        case ui::Kind::DatePicker: {
            const auto& value = static_cast<const ui::DatePicker&>(target).value();
            return value ? value->text() : "";
        }
        default:
            return target.caption();
    }
}

std::string DialogDriver::caption(std::string_view name) const {
    return control(name).caption();
}
bool DialogDriver::enabled(std::string_view name) const {
    return control(name).enabled();
}
bool DialogDriver::visible(std::string_view name) const {
    return control(name).visible();
}
bool DialogDriver::reachable(std::string_view name) const {
    return control(name).reachable();
}
bool DialogDriver::checked(std::string_view name) const {
    return get<ui::CheckBox>(name).checked();
}

std::vector<std::string> DialogDriver::items(std::string_view comboBox) const {
    return get<ui::ComboBox>(comboBox).items();
}

std::vector<std::string> DialogDriver::labels(std::string_view comboBox) const {
    const auto& combo = get<ui::ComboBox>(comboBox);
    std::vector<std::string> shown;
    for (int i = 0; i < static_cast<int>(combo.items().size()); ++i)
        shown.push_back(combo.label(i));
    return shown;
}

std::string DialogDriver::toolTip(std::string_view name) const {
    return control(name).toolTip();
}

int DialogDriver::rowCount(std::string_view list) const {
    return get<ui::ListView>(list).rowCount();
}

std::string DialogDriver::cell(std::string_view list, int row, int column) const {
    return get<ui::ListView>(list).source().cell(row, column);
}

std::vector<std::string> DialogDriver::row(std::string_view list, int row) const {
    const auto& view = get<ui::ListView>(list);
    std::vector<std::string> cells;
    for (int column = 0; column < static_cast<int>(view.columns().size()); ++column)
        cells.push_back(view.source().cell(row, column));
    return cells;
}

std::vector<std::string> DialogDriver::column(std::string_view list, int column) const {
    const auto& view = get<ui::ListView>(list);
    std::vector<std::string> cells;
    for (int row = 0; row < view.rowCount(); ++row)
        cells.push_back(view.source().cell(row, column));
    return cells;
}

std::vector<std::string> DialogDriver::headers(std::string_view list) const {
    std::vector<std::string> titles;
    for (const auto& column : get<ui::ListView>(list).columns()) titles.push_back(column.title);
    return titles;
}

bool DialogDriver::rowChecked(std::string_view list, int row) const {
    return get<ui::ListView>(list).source().checked(row);
}

std::vector<int> DialogDriver::selection(std::string_view list) const {
    return get<ui::ListView>(list).selection();
}

}  // namespace testing_support
