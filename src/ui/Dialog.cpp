#include "ui/Dialog.h"

#include <stdexcept>

#include "platform/CodePage.h"
#include "platform/Text.h"
#include "platform/UserError.h"
#include "ui/Host.h"

namespace ui {

Dialog::Dialog(Host& host, std::string title, Size size)
    : host_(host), title_(std::move(title)), size_(size), minimumSize_(size) {}

Dialog::~Dialog() = default;

Control* Dialog::find(std::string_view id) const {
    if (id.empty()) return nullptr;
    for (const auto& control : controls_)
        if (control->id() == id) return control.get();
    return nullptr;
}

template <class C, class... Args>
C& Dialog::add(Args&&... args) {
    auto control = std::make_unique<C>(*this, std::forward<Args>(args)...);
    if (find(control->id())) throw std::logic_error("two controls with the id " + control->id());
    C& added = *control;
    controls_.push_back(std::move(control));
    touch();
    return added;
}

Label& Dialog::addLabel(std::string text, Rect rect, std::string id) {
    return add<Label>(std::move(id), std::move(text), rect);
}
GroupBox& Dialog::addGroup(std::string caption, Rect rect, std::string id) {
    return add<GroupBox>(std::move(id), std::move(caption), rect);
}
Edit& Dialog::addEdit(std::string id, std::string caption, Rect rect) {
    return add<Edit>(std::move(id), std::move(caption), rect);
}
ComboBox& Dialog::addComboBox(std::string id, std::string caption, Rect rect) {
    return add<ComboBox>(std::move(id), std::move(caption), rect);
}
DatePicker& Dialog::addDatePicker(std::string id, std::string caption, Rect rect) {
    return add<DatePicker>(std::move(id), std::move(caption), rect);
}
CheckBox& Dialog::addCheckBox(std::string id, std::string caption, Rect rect) {
    return add<CheckBox>(std::move(id), std::move(caption), rect);
}
Button& Dialog::addButton(std::string id, std::string caption, Rect rect) {
    return add<Button>(std::move(id), std::move(caption), rect);
}
TextBox& Dialog::addTextBox(std::string id, std::string caption, Rect rect) {
    return add<TextBox>(std::move(id), std::move(caption), rect);
}
ListView& Dialog::addListView(std::string id, std::string caption, Rect rect) {
    return add<ListView>(std::move(id), std::move(caption), rect);
}
Sheet& Dialog::addSheet(std::string id, Rect rect) {
    return add<Sheet>(std::move(id), rect);
}

Page& Dialog::addPage(Sheet& sheet, std::string id, std::string title) {
    Page& page = add<Page>(sheet, std::move(id), std::move(title));
    sheet.pages_.push_back(&page);
    return page;
}

void Dialog::setTitle(std::string title) {
    title_ = std::move(title);
    touch();
}

void Dialog::setResizable(Size minimum) {
    if (minimum.width > size_.width || minimum.height > size_.height)
        throw std::logic_error("a minimum size larger than the declared size of " + title_);
    resizable_ = true;
    minimumSize_ = minimum;
    touch();
}

// A user error abandons the action in progress: its message is shown and the
// dialog stays open.
template <class Handler>
void Dialog::event(Handler&& handler) {
    if (!open_) return;
    try {
        handler();
    } catch (const platform::UserError& e) {
        host_.error(e.what());
    }
    if (open_) refresh();
    // A control that became unreachable cannot keep the focus.
    if (focus_ && !focus_->reachable()) focus_ = nextInTabOrder(focus_);
    touch();
}

void Dialog::open() {
    open_ = true;
    result_ = Result::None;
    focus_ = nullptr;
    try {
        opened();
        for (const auto& control : controls_)
            if (open_ && control->kind() == Kind::Sheet)
                if (Page* page = static_cast<Sheet&>(*control).activePage()) pageActivated(*page);
    } catch (const platform::UserError& e) {
        // Without its data, the first page's included, the dialog cannot be shown.
        host_.error(e.what());
        return close(Result::Cancel);
    }
    if (!open_) return;
    refresh();
    if (!focus_ || !focus_->reachable()) focus_ = nextInTabOrder(nullptr);
    touch();
}

void Dialog::close(Result result) {
    open_ = false;
    result_ = result;
    touch();
}

void Dialog::setFocus(Control& control) {
    if (Page* page = control.page()) page->sheet().activate(*page);
    focus_ = &control;
    touch();
}

std::optional<std::string> Dialog::chosenCell(ListView& list, int column,
                                              const std::string& missing) {
    if (list.documentSelected()) return list.source().cell(list.selectedRow(), column);
    host().error(missing);
    setFocus(list);
    return std::nullopt;
}

Control* Dialog::nextInTabOrder(const Control* from, bool forward) const {
    const int count = static_cast<int>(controls_.size());
    int start = forward ? -1 : count;
    for (int i = 0; i < count; ++i)
        if (controls_[i].get() == from) start = i;
    for (int step = 1; step <= count; ++step) {
        const int i = ((start + (forward ? step : -step)) % count + count) % count;
        Control* candidate = controls_[i].get();
        if (candidate != from && candidate->takesFocus() && candidate->reachable())
            return candidate;
    }
    return nullptr;
}

Control* Dialog::firstOnPage(const Page& page) const {
    for (const auto& control : controls_)
        if (control->page() == &page && control->takesFocus() && control->reachable())
            return control.get();
    return nullptr;
}

Button* Dialog::defaultButton() const {
    for (const auto& control : controls_)
        if (control->kind() == Kind::Button && static_cast<Button&>(*control).isDefault())
            return static_cast<Button*>(control.get());
    return nullptr;
}

void Dialog::userFocus(Control& control) {
    if (!open_ || &control == focus_ || !control.takesFocus() || !control.reachable()) return;
    event([&] {
        Control* from = focus_;
        focus_ = &control;
        if (from) left(*from);
        if (open_ && focus_ == &control) entered(control);
    });
}

void Dialog::refuseCharacter(Edit& edit, const std::string& character) {
    host_.error("Знакът „" + character +
                "“ не може да бъде въведен: текстът се записва в кодовата таблица Windows-1251, "
                "в която този знак липсва.");
    setFocus(edit);
}

// A line break pasted into a name would split a record of the files; no
// field holds a control character.
void Dialog::refuseControlCharacter(Edit& edit, char character) {
    host_.error("Знакът " + platform::ControlCharacterName(character) +
                " не може да бъде въведен: полетата не приемат нов ред, табулация и други "
                "управляващи знаци.");
    setFocus(edit);
}

bool Dialog::userEdit(Edit& edit, const std::string& text) {
    userFocus(edit);
    if (!open_ || focus_ != &edit || edit.readOnly()) return false;
    if (const auto at = platform::FindControlCharacter(text); at != std::string::npos) {
        event([&] { refuseControlCharacter(edit, text[at]); });
        return false;
    }
    if (const auto refused = platform::FirstUnencodableCharacter(text)) {
        event([&] { refuseCharacter(edit, *refused); });
        return false;
    }
    const std::string admitted = edit.admitted(text);
    if (admitted == edit.text()) {
        touch();  // the view shows the typed text and must fall back to the kept one
        return true;
    }
    event([&] {
        edit.setText(admitted);
        changed(edit);
    });
    return true;
}

void Dialog::userChoose(ComboBox& combo, int index) {
    userFocus(combo);
    if (!open_ || focus_ != &combo || index == combo.selected()) return;
    event([&] {
        combo.select(index);
        changed(combo);
    });
}

void Dialog::userPickDate(DatePicker& picker, std::optional<platform::Date> date) {
    userFocus(picker);
    if (!open_ || focus_ != &picker || date == picker.value()) return;
    event([&] {
        picker.setValue(date);
        changed(picker);
    });
}

void Dialog::userToggle(CheckBox& box, bool checked) {
    userFocus(box);
    if (!open_ || focus_ != &box || checked == box.checked()) return;
    event([&] {
        box.setChecked(checked);
        changed(box);
    });
}

void Dialog::userPress(Button& button) {
    userFocus(button);
    if (!open_ || focus_ != &button) return;
    event([&] { pressed(button); });
}

void Dialog::userSelectRows(ListView& list, std::vector<int> rows) {
    userFocus(list);
    if (!open_ || focus_ != &list) return;
    const auto before = list.selection();
    list.selectRows(std::move(rows));
    if (list.selection() == before) return;
    event([&] { rowSelected(list); });
}

void Dialog::userCheckRow(ListView& list, int row, bool checked) {
    userFocus(list);
    if (!open_ || focus_ != &list || !list.checkBoxes()) return;
    if (row < 0 || row >= list.rowCount() || list.source().checked(row) == checked) return;
    event([&] {
        list.source().setChecked(row, checked);
        rowChecked(list, row);
    });
}

void Dialog::userClickHeader(ListView& list, int column) {
    if (!list.reachable() || column < 0 || column >= static_cast<int>(list.columns().size()))
        return;
    event([&] { headerClicked(list, column); });
}

void Dialog::userActivatePage(Page& page) {
    if (!page.sheet().reachable() || page.active()) return;
    event([&] {
        page.sheet().activate(page);
        if (focus_ && focus_->page() && !focus_->page()->active()) focus_ = nullptr;
        pageActivated(page);
        if (!focus_) focus_ = firstOnPage(page);
    });
}

void Dialog::userTab(bool forward) {
    if (Control* next = nextInTabOrder(focus_, forward)) userFocus(*next);
}

void Dialog::userEnter() {
    event([&] { enter(focus_); });
}

void Dialog::userShortcut(Shortcut shortcut) {
    if (!open_ || shortcut == Shortcut::None) return;
    for (const auto& control : controls_)
        if (control->kind() == Kind::Button &&
            static_cast<Button&>(*control).shortcut() == shortcut && control->reachable())
            return userPress(static_cast<Button&>(*control));
}

void Dialog::userClose(CloseRequest request) {
    event([&] { closeRequested(request); });
}

void Dialog::enter(Control* focused) {
    if (focused && focused->kind() == Kind::Button) {
        pressed(static_cast<Button&>(*focused));
    } else if (enterMovesToNextField_) {
        userTab();
    } else if (Button* button = defaultButton(); button && button->reachable()) {
        pressed(*button);
    }
}

void Dialog::closeRequested(CloseRequest) {
    close(Result::Cancel);
}

}  // namespace ui
