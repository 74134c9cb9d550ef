#include "ui/Controls.h"

#include <algorithm>
#include <stdexcept>

#include "platform/CodePage.h"
#include "ui/Dialog.h"

namespace ui {

Control::Control(Dialog& owner, Kind kind, std::string id, std::string caption, Rect rect)
    : owner_(owner), kind_(kind), id_(std::move(id)), caption_(std::move(caption)), rect_(rect) {}

void Control::touch() {
    owner_.touch();
}

void Control::setCaption(std::string caption) {
    change(caption_, std::move(caption));
}

void Control::setToolTip(std::string text) {
    change(toolTip_, std::move(text));
}

Rect Anchors::apply(Rect declared, int dx, int dy) const {
    const int x0 = declared.x + dx * left / 100,
              x1 = declared.x + declared.width + dx * right / 100;
    const int y0 = declared.y + dy * top / 100,
              y1 = declared.y + declared.height + dy * bottom / 100;
    return {x0, y0, std::max(0, x1 - x0), std::max(0, y1 - y0)};
}

void Control::setEnabled(bool enabled) {
    change(enabled_, enabled);
}

void Control::setVisible(bool visible) {
    change(visible_, visible);
}

void Control::setPage(Page& page) {
    if (&page.dialog() != &owner_) throw std::logic_error("a control on a page of another dialog");
    page_ = &page;
}

bool Control::reachable() const {
    if (!enabled_ || !visible_) return false;
    if (!page_) return true;
    return page_->active() && page_->sheet().reachable();
}

Label::Label(Dialog& owner, std::string id, std::string text, Rect rect)
    : Declared(owner, Kind::Label, std::move(id), std::move(text), rect) {}

GroupBox::GroupBox(Dialog& owner, std::string id, std::string caption, Rect rect)
    : Declared(owner, Kind::GroupBox, std::move(id), std::move(caption), rect) {}

Edit::Edit(Dialog& owner, std::string id, std::string caption, Rect rect)
    : TextControl(owner, Kind::Edit, std::move(id), std::move(caption), rect) {}

Edit& Edit::limit(int characters) {
    maxLength_ = characters;
    return *this;
}

Edit& Edit::accept(Chars chars) {
    chars_ = chars;
    return *this;
}

Edit& Edit::setReadOnly(bool readOnly) {
    if (readOnly != readOnly_) touch();
    readOnly_ = readOnly;
    return *this;
}

Edit& Edit::mask() {
    masked_ = true;
    return *this;
}

Edit& Edit::alignRight() {
    align_ = Align::Right;
    return *this;
}

std::string Edit::admitted(const std::string& typed) const {
    std::string text = typed;
    if (chars_ == Chars::Digits) std::erase_if(text, [](char c) { return c < '0' || c > '9'; });
    if (maxLength_ > 0) text = platform::Utf8Prefix(text, static_cast<std::size_t>(maxLength_));
    return text;
}

ComboBox::ComboBox(Dialog& owner, std::string id, std::string caption, Rect rect)
    : Declared(owner, Kind::ComboBox, std::move(id), std::move(caption), rect) {}

void ComboBox::setItems(std::vector<std::string> items) {
    setItems(std::move(items), {});
}

void ComboBox::setItems(std::vector<std::string> items, std::vector<std::string> labels) {
    if (!labels.empty() && labels.size() != items.size())
        throw std::invalid_argument("ComboBox::setItems: one label per item in " + id());
    items_ = std::move(items);
    labels_ = std::move(labels);
    selected_ = -1;
    touch();
}

const std::string& ComboBox::label(int index) const {
    const auto i = static_cast<std::size_t>(index);
    return labels_.empty() ? items_.at(i) : labels_.at(i);
}

std::string ComboBox::selectedText() const {
    return selected_ < 0 ? "" : items_[selected_];
}

void ComboBox::select(int index) {
    if (index < -1 || index >= static_cast<int>(items_.size()))
        throw std::out_of_range("ComboBox::select: no item " + std::to_string(index) + " in " +
                                id());
    change(selected_, index);
}

bool ComboBox::selectText(const std::string& text) {
    const auto found = std::find(items_.begin(), items_.end(), text);
    select(found == items_.end() ? -1 : static_cast<int>(found - items_.begin()));
    return found != items_.end();
}

DatePicker::DatePicker(Dialog& owner, std::string id, std::string caption, Rect rect)
    : Declared(owner, Kind::DatePicker, std::move(id), std::move(caption), rect) {}

void DatePicker::setValue(std::optional<platform::Date> value) {
    if (value && !value->valid()) throw std::invalid_argument("DatePicker: not a date");
    change(value_, value);
}

CheckBox::CheckBox(Dialog& owner, std::string id, std::string caption, Rect rect)
    : Declared(owner, Kind::CheckBox, std::move(id), std::move(caption), rect) {}

void CheckBox::setChecked(bool checked) {
    change(checked_, checked);
}

Button::Button(Dialog& owner, std::string id, std::string caption, Rect rect)
    : Declared(owner, Kind::Button, std::move(id), std::move(caption), rect) {}

Button& Button::makeDefault() {
    default_ = true;
    return *this;
}

Button& Button::pressedBy(Shortcut shortcut) {
    shortcut_ = shortcut;
    return *this;
}

TextBox::TextBox(Dialog& owner, std::string id, std::string caption, Rect rect)
    : TextControl(owner, Kind::TextBox, std::move(id), std::move(caption), rect) {}

TextBox& TextBox::fixedPitch() {
    monospace_ = true;
    return *this;
}

ListView::ListView(Dialog& owner, std::string id, std::string caption, Rect rect)
    : Declared(owner, Kind::ListView, std::move(id), std::move(caption), rect) {}

ListView& ListView::column(std::string title, Align align, int width) {
    columns_.push_back({std::move(title), align, width});
    touch();
    return *this;
}

void ListView::setColumnTitle(int column, std::string title) {
    change(columns_.at(static_cast<std::size_t>(column)).title, std::move(title));
}

void ListView::setSource(RowSource& source) {
    source_ = &source;
    selection_.clear();
    touch();
}

ListView& ListView::withCheckBoxes() {
    checkBoxes_ = true;
    return *this;
}

ListView& ListView::withMultiSelect() {
    multiSelect_ = true;
    return *this;
}

std::vector<int> ListView::selection() const {
    std::vector<int> rows;
    for (int row : selection_)
        if (row < rowCount()) rows.push_back(row);
    return rows;
}

int ListView::selectedRow() const {
    const auto rows = selection();
    return rows.empty() ? -1 : rows.front();
}

bool ListView::documentSelected() const {
    const int row = selectedRow();
    return row >= 0 && !source_->isTotalsRow(row);
}

void ListView::select(int row) {
    selectRows({row});
}

void ListView::selectRows(std::vector<int> rows) {
    std::erase_if(rows, [this](int row) { return row < 0 || row >= rowCount(); });
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (!multiSelect_ && rows.size() > 1) rows.erase(rows.begin() + 1, rows.end());
    change(selection_, std::move(rows));
}

void ListView::clearSelection() {
    selectRows({});
}

void ListView::showSort(const SortState& sort) {
    if (sort.column == sort_.column && sort.descending == sort_.descending) return;
    sort_ = sort;
    touch();
}

Page::Page(Dialog& owner, Sheet& sheet, std::string id, std::string title)
    : Declared(owner, Kind::Page, std::move(id), std::move(title), sheet.rect()), sheet_(sheet) {}

bool Page::active() const {
    return sheet_.activePage() == this;
}

Sheet::Sheet(Dialog& owner, std::string id, Rect rect)
    : Declared(owner, Kind::Sheet, std::move(id), "", rect) {}

Page* Sheet::activePage() const {
    return active_ < static_cast<int>(pages_.size()) ? pages_[active_] : nullptr;
}

void Sheet::activate(Page& page) {
    const auto found = std::find(pages_.begin(), pages_.end(), &page);
    if (found == pages_.end()) throw std::logic_error("Sheet::activate: not a page of this sheet");
    const int index = static_cast<int>(found - pages_.begin());
    change(active_, index);
}

}  // namespace ui
