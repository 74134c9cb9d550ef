#pragma once
// The controls of a dialog model: what a person sees and touches, as data.
//
// Positions are in dialog units: a horizontal unit is a quarter of the
// average character width of the dialog font, a vertical unit an eighth of
// its line height, so a form keeps its shape whatever the font (a line of
// text is 8 units high, an edit box 12 to 14). A control on a property-sheet
// page is placed relative to the page.
//
// A control's state changes only through its setters, which tell the dialog
// that something is to be shown anew. Controls are declared by the dialog
// (Dialog::addEdit and friends), in tab order, and configured fluently:
//
//     ui::Edit& period_ = addEdit("period", "Период", {60, 10, 40, 14}).labelAt({8, 12, 50, 8})
//                             .limit(6);

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Date.h"
#include "ui/Rows.h"

namespace ui {

class Dialog;
class Page;

struct Rect {
    int x = 0, y = 0, width = 0, height = 0;
    bool empty() const { return width <= 0 || height <= 0; }
};

struct Size {
    int width = 0, height = 0;
};

// How a control follows its window when a person makes the window larger or
// smaller than the dialog's declared size: each edge moves by its share, in
// percent, of the change in width (left, right) or height (top, bottom). The
// default keeps the control where it was declared; a list that takes the
// extra room has {0, 0, 100, 100}, a button in the bottom right corner
// {100, 100, 100, 100}, and of two lists stacked one above the other the
// upper has {0, 0, 100, 50} and the lower {0, 50, 100, 100}.
struct Anchors {
    int left = 0, top = 0, right = 0, bottom = 0;

    // The rectangle of a control declared at `declared` when the window is
    // `dx` wider and `dy` taller than declared (negative: narrower, lower).
    // Units are the caller's; it never becomes narrower or lower than zero.
    Rect apply(Rect declared, int dx, int dy) const;
    bool operator==(const Anchors&) const = default;
};

inline constexpr Anchors kStays{};
inline constexpr Anchors kGrows{0, 0, 100, 100};
inline constexpr Anchors kGrowsWide{0, 0, 100, 0};
inline constexpr Anchors kFollowsRight{100, 0, 100, 0};
inline constexpr Anchors kFollowsBottom{0, 100, 0, 100};
inline constexpr Anchors kFollowsBottomRight{100, 100, 100, 100};
inline constexpr Anchors kGrowsWideFollowsBottom{0, 100, 100, 100};

// A key combination a button answers besides a click.
enum class Shortcut { None, CtrlEnter };

enum class Kind {
    Label,       // static text
    GroupBox,    // a frame with a caption around other controls
    Edit,        // one line of text
    ComboBox,    // a drop-down list to choose from
    DatePicker,  // a date, or none
    CheckBox,
    Button,
    ListView,  // columns, rows from a RowSource, optional check boxes
    TextBox,   // read-only text of many lines, e.g. a report
    Sheet,     // the tabs of a property sheet
    Page,      // one page of a sheet
};

enum class Align { Left, Right, Center };

class Control {
  public:
    Control(Dialog& owner, Kind kind, std::string id, std::string caption, Rect rect);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    Dialog& dialog() const { return owner_; }
    Kind kind() const { return kind_; }
    const std::string& id() const { return id_; }
    // The text of a label, button, check box, frame or page; the label of an
    // input control (an edit, drop-down, date, list or text box).
    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption);
    Rect rect() const { return rect_; }
    // Where the caption of an input control is shown; empty: not shown.
    Rect labelRect() const { return labelRect_; }
    // How the control (and its caption) follow a resized window.
    Anchors anchors() const { return anchors_; }
    // The hint shown when the pointer rests on the control; "" for none.
    const std::string& toolTip() const { return toolTip_; }
    void setToolTip(std::string text);
    Page* page() const { return page_; }

    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    bool visible() const { return visible_; }
    void setVisible(bool visible);
    // Whether a person can reach it now: enabled, visible, on the active page.
    bool reachable() const;
    // Whether it can hold the focus at all (labels and frames cannot).
    virtual bool takesFocus() const { return true; }

  protected:
    void setLabelRect(Rect rect) { labelRect_ = rect; }
    void setAnchors(Anchors anchors) { anchors_ = anchors; }
    void setPage(Page& page);
    // Tells the dialog that the state changed and is to be shown anew.
    void touch();
    // Stores a new value of a property of the state; only a change is shown anew.
    template <class T, class V>
    void change(T& property, V&& value) {
        if (value == property) return;
        property = std::forward<V>(value);
        touch();
    }

  private:
    Dialog& owner_;
    Kind kind_;
    std::string id_, caption_;
    Rect rect_, labelRect_;
    Anchors anchors_;
    std::string toolTip_;
    Page* page_ = nullptr;
    bool enabled_ = true, visible_ = true;
};

// The declaration helpers every control offers, returning its own type.
template <class Self>
class Declared : public Control {
  public:
    using Control::Control;
    Self& labelAt(Rect rect) {
        setLabelRect(rect);
        return self();
    }
    Self& anchored(Anchors anchors) {
        setAnchors(anchors);
        return self();
    }
    Self& tip(std::string text) {
        setToolTip(std::move(text));
        return self();
    }
    Self& on(Page& page) {
        setPage(page);
        return self();
    }
    Self& disabled() {
        setEnabled(false);
        return self();
    }
    Self& hidden() {
        setVisible(false);
        return self();
    }

  protected:
    Self& self() { return static_cast<Self&>(*this); }
};

class Label : public Declared<Label> {
  public:
    Label(Dialog& owner, std::string id, std::string text, Rect rect);
    bool takesFocus() const override { return false; }
};

class GroupBox : public Declared<GroupBox> {
  public:
    GroupBox(Dialog& owner, std::string id, std::string caption, Rect rect);
    bool takesFocus() const override { return false; }
};

// What an edit lets through as it is typed, besides its length limit.
enum class Chars { Any, Digits };

// A control showing a text the program sets: an edit, a text box.
template <class Self>
class TextControl : public Declared<Self> {
  public:
    using Declared<Self>::Declared;

    const std::string& text() const { return text_; }
    // Sets the text as the program does: no event, no checks.
    void setText(std::string text) { this->change(text_, std::move(text)); }

  private:
    std::string text_;
};

class Edit : public TextControl<Edit> {
  public:
    Edit(Dialog& owner, std::string id, std::string caption, Rect rect);

    // Most characters a person can type; 0: no limit.
    int maxLength() const { return maxLength_; }
    Edit& limit(int characters);
    Chars chars() const { return chars_; }
    Edit& accept(Chars chars);
    bool readOnly() const { return readOnly_; }
    Edit& setReadOnly(bool readOnly = true);
    Align align() const { return align_; }
    Edit& alignRight();
    // The text is shown as dots (a password).
    bool masked() const { return masked_; }
    Edit& mask();

    // The text a person's typing turns `typed` into: characters the filter
    // refuses are dropped and the text is cut at the limit. The check that
    // Windows-1251 can hold it is the dialog's (Dialog::userEdit).
    std::string admitted(const std::string& typed) const;

  private:
    int maxLength_ = 0;
    Chars chars_ = Chars::Any;
    bool readOnly_ = false;
    bool masked_ = false;
    Align align_ = Align::Left;
};

class ComboBox : public Declared<ComboBox> {
  public:
    ComboBox(Dialog& owner, std::string id, std::string caption, Rect rect);

    const std::vector<std::string>& items() const { return items_; }
    // Replaces the items; nothing is chosen afterwards.
    void setItems(std::vector<std::string> items);
    // Items with the text the open list shows for each ("01 – Фактура" for
    // the item "01"); the closed box and selectedText() keep the item itself.
    // Without labels the list shows the items.
    void setItems(std::vector<std::string> items, std::vector<std::string> labels);
    const std::vector<std::string>& labels() const { return labels_; }
    // What the open list shows for item `index`.
    const std::string& label(int index) const;
    // The chosen item, -1 for none.
    int selected() const { return selected_; }
    // "" when nothing is chosen.
    std::string selectedText() const;
    void select(int index);
    // Chooses the item with this text; false (and nothing chosen) when there is none.
    bool selectText(const std::string& text);

  private:
    std::vector<std::string> items_, labels_;
    int selected_ = -1;
};

class DatePicker : public Declared<DatePicker> {
  public:
    DatePicker(Dialog& owner, std::string id, std::string caption, Rect rect);

    const std::optional<platform::Date>& value() const { return value_; }
    void setValue(std::optional<platform::Date> value);

  private:
    std::optional<platform::Date> value_;
};

class CheckBox : public Declared<CheckBox> {
  public:
    CheckBox(Dialog& owner, std::string id, std::string caption, Rect rect);

    bool checked() const { return checked_; }
    void setChecked(bool checked);

  private:
    bool checked_ = false;
};

class Button : public Declared<Button> {
  public:
    Button(Dialog& owner, std::string id, std::string caption, Rect rect);

    // The button Enter presses when the focus is on no other button.
    bool isDefault() const { return default_; }
    Button& makeDefault();
    // The keys that press the button wherever the focus is in the dialog.
    Shortcut shortcut() const { return shortcut_; }
    Button& pressedBy(Shortcut shortcut);

  private:
    bool default_ = false;
    Shortcut shortcut_ = Shortcut::None;
};

// Read-only text of many lines: a report, the notes of a document.
class TextBox : public TextControl<TextBox> {
  public:
    TextBox(Dialog& owner, std::string id, std::string caption, Rect rect);

    bool monospace() const { return monospace_; }
    // A report pane: a fixed-pitch font, the tab-marked columns lined up.
    TextBox& fixedPitch();

  private:
    bool monospace_ = false;
};

struct Column {
    std::string title;
    Align align = Align::Left;
    int width = 0;  // dialog units; 0: sized to fit the header and the content
};

class ListView : public Declared<ListView> {
  public:
    ListView(Dialog& owner, std::string id, std::string caption, Rect rect);

    const std::vector<Column>& columns() const { return columns_; }
    ListView& column(std::string title, Align align = Align::Left, int width = 0);
    void setColumnTitle(int column, std::string title);

    // The rows shown: the list's own table, unless another source was given.
    const RowSource& source() const { return *source_; }
    RowSource& source() { return *source_; }
    TableRows& table() { return table_; }
    // Shows the rows of `source`, which must outlive the list.
    void setSource(RowSource& source);
    // Grows whenever the rows of the source change (see RowSource::revision).
    std::uint64_t rowsRevision() const { return source_->revision(); }
    int rowCount() const { return source_->rowCount(); }

    bool checkBoxes() const { return checkBoxes_; }
    ListView& withCheckBoxes();
    bool multiSelect() const { return multiSelect_; }
    ListView& withMultiSelect();

    // Selected rows, ascending; rows past the end are forgotten.
    std::vector<int> selection() const;
    // The first selected row, -1 for none.
    int selectedRow() const;
    // Whether a row other than the totals row is selected.
    bool documentSelected() const;
    void select(int row);
    void selectRows(std::vector<int> rows);
    void clearSelection();

    // The arrow in the header; column -1 shows none.
    int sortColumn() const { return sort_.column; }
    bool sortDescending() const { return sort_.descending; }
    void showSort(const SortState& sort);

  private:
    std::vector<Column> columns_;
    TableRows table_;
    RowSource* source_ = &table_;
    bool checkBoxes_ = false, multiSelect_ = false;
    std::vector<int> selection_;
    SortState sort_{-1, false};
};

class Sheet;

class Page : public Declared<Page> {
  public:
    Page(Dialog& owner, Sheet& sheet, std::string id, std::string title);
    Sheet& sheet() const { return sheet_; }
    bool active() const;
    bool takesFocus() const override { return false; }

  private:
    Sheet& sheet_;
};

// The tabs of a property sheet; its pages hold controls.
class Sheet : public Declared<Sheet> {
  public:
    Sheet(Dialog& owner, std::string id, Rect rect);
    bool takesFocus() const override { return false; }

    const std::vector<Page*>& pages() const { return pages_; }
    Page* activePage() const;
    void activate(Page& page);

  private:
    friend class Dialog;
    std::vector<Page*> pages_;
    int active_ = 0;
};

}  // namespace ui
