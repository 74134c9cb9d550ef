#pragma once
// The model of a modal dialog, free of any toolkit. A dialog declares its
// controls in tab order, holds their state, reacts to what a person does, and
// asks its Host for everything outside it (message boxes, questions, nested
// dialogs, file choosers, printing). The Qt front-end renders any dialog
// generically; tests drive the same dialog through a scripted host.
//
// What a person does reaches the dialog through the user...() functions; each
// runs the dialog's event handler, then refresh(), the dialog's enabling
// rules. The view shows the state anew whenever revision() has grown.
//
// Focus. userFocus() is a person moving the focus (click, Tab): the control
// being left gets left(), which may put the focus elsewhere with setFocus()
// (after an error box, say); if it does not, the new control gets entered().
// setFocus() is the program moving the focus and raises no events.
//
// Failures. A user error (platform::UserError, a database error among them)
// that escapes an event handler abandons the action: its message is shown in
// an error box and the dialog stays open as the handler left it. One that
// escapes opened() closes the dialog with Result::Cancel after the box.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Controls.h"

namespace ui {

class Host;

enum class Result { None, Ok, Cancel };

// How a person asks a dialog to close other than by one of its buttons.
enum class CloseRequest { Escape, WindowClose };

class Dialog {
  public:
    Dialog(Host& host, std::string title, Size size);
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    const std::string& title() const { return title_; }
    // The declared size: where the controls were laid out.
    Size size() const { return size_; }
    // Whether a person may resize the window; the controls then follow it as
    // their anchors say. The window is never smaller than minimumSize() (the
    // declared size for a dialog that does not resize).
    bool resizable() const { return resizable_; }
    Size minimumSize() const { return minimumSize_; }
    Host& host() const { return host_; }
    // Every control in tab order.
    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }
    // The control with this id, or nullptr.
    Control* find(std::string_view id) const;

    bool isOpen() const { return open_; }
    Result result() const { return result_; }
    Control* focus() const { return focus_; }
    // Grows with every change of state that the view must show.
    std::uint64_t revision() const { return revision_; }
    void touch() { ++revision_; }

    // What a person does. Each returns at once when the dialog is closed or the
    // control cannot be reached (disabled, hidden, on another page).
    void open();
    void userFocus(Control& control);
    // Replaces the text of an edit as typing does; returns false when the text
    // was refused (a character Windows-1251 cannot hold, or a control
    // character such as a line break) and the edit kept its text.
    bool userEdit(Edit& edit, const std::string& text);
    void userChoose(ComboBox& combo, int index);
    void userPickDate(DatePicker& picker, std::optional<platform::Date> date);
    void userToggle(CheckBox& box, bool checked);
    // Pressing moves the focus to the button first; a field that refuses to be
    // left keeps the focus, and then the button is not pressed.
    void userPress(Button& button);
    void userSelectRows(ListView& list, std::vector<int> rows);
    void userCheckRow(ListView& list, int row, bool checked);
    void userClickHeader(ListView& list, int column);
    void userActivatePage(Page& page);
    void userTab(bool forward = true);
    void userEnter();
    // The keys of a button's shortcut: they press the button (as a click
    // does, the field left first) when it can be reached; otherwise nothing.
    void userShortcut(Shortcut shortcut);
    void userClose(CloseRequest request);

  protected:
    // Declaration, in tab order.
    Label& addLabel(std::string text, Rect rect, std::string id = {});
    GroupBox& addGroup(std::string caption, Rect rect, std::string id = {});
    Edit& addEdit(std::string id, std::string caption, Rect rect);
    ComboBox& addComboBox(std::string id, std::string caption, Rect rect);
    DatePicker& addDatePicker(std::string id, std::string caption, Rect rect);
    CheckBox& addCheckBox(std::string id, std::string caption, Rect rect);
    Button& addButton(std::string id, std::string caption, Rect rect);
    TextBox& addTextBox(std::string id, std::string caption, Rect rect);
    ListView& addListView(std::string id, std::string caption, Rect rect);
    Sheet& addSheet(std::string id, Rect rect);
    Page& addPage(Sheet& sheet, std::string id, std::string title);

    void setTitle(std::string title);
    // Lets a person resize the window down to `minimum` (at most the
    // declared size) and up to any size.
    void setResizable(Size minimum);
    // Enter on a field moves to the next field, as Tab does; on a button it
    // presses the button. Without it, Enter presses the focused or the default button.
    void setEnterMovesToNextField(bool moves) { enterMovesToNextField_ = moves; }

    void close(Result result);
    // The program moves the focus; no events. A control on another page
    // brings its page to the front.
    void setFocus(Control& control);
    // The text in `column` of the document row chosen in `list`; with none
    // chosen, the error `missing` is shown, the list takes the focus and
    // nothing is returned.
    std::optional<std::string> chosenCell(ListView& list, int column, const std::string& missing);
    // The next (or previous) control the Tab key stops at, or nullptr.
    Control* nextInTabOrder(const Control* from, bool forward = true) const;

    // Events. The defaults do nothing, except where said.
    virtual void opened() {}
    virtual void changed(Control& /*control*/) {}
    virtual void entered(Control& /*control*/) {}
    virtual void left(Control& /*control*/) {}
    virtual void pressed(Button& /*button*/) {}
    virtual void rowSelected(ListView& /*list*/) {}
    virtual void rowChecked(ListView& /*list*/, int /*row*/) {}
    virtual void headerClicked(ListView& /*list*/, int /*column*/) {}
    virtual void pageActivated(Page& /*page*/) {}
    // Enter; `focused` may be null. The default follows setEnterMovesToNextField.
    virtual void enter(Control* focused);
    // Escape or the window's close box. The default closes with Result::Cancel.
    virtual void closeRequested(CloseRequest request);
    // The enabling rules, run after every event and after opening.
    virtual void refresh() {}

  private:
    template <class C, class... Args>
    C& add(Args&&... args);
    // Runs one event of a person: nothing when closed, refresh() after it.
    template <class Handler>
    void event(Handler&& handler);
    Button* defaultButton() const;
    Control* firstOnPage(const Page& page) const;
    void refuseCharacter(Edit& edit, const std::string& character);
    void refuseControlCharacter(Edit& edit, char character);

    Host& host_;
    std::string title_;
    Size size_, minimumSize_;
    bool resizable_ = false;
    std::vector<std::unique_ptr<Control>> controls_;
    Control* focus_ = nullptr;
    bool open_ = false;
    Result result_ = Result::None;
    bool enterMovesToNextField_ = false;
    std::uint64_t revision_ = 1;
};

}  // namespace ui
