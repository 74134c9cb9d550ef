#include "qt/DialogView.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStylePainter>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "qt/Convert.h"
#include "qt/RowSourceModel.h"
#include "ui/TabColumns.h"

namespace qt {
namespace {

// The least date of a QDateEdit stands for "no date" and is shown blank.
const QDate kNoDate(1752, 9, 14);

QDate ToQDate(const std::optional<platform::Date>& date) {
    return date ? QDate(date->year, date->month, date->day) : kNoDate;
}

std::optional<platform::Date> FromQDate(const QDate& date) {
    if (!date.isValid() || date == kNoDate) return std::nullopt;
    return platform::Date{date.year(), date.month(), date.day()};
}

ui::Rect FromRect(const QRect& rect) {
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}
QRect ToRect(const ui::Rect& rect) {
    return {rect.x, rect.y, rect.width, rect.height};
}

// A caption keeps to the top of its control; one beside the control keeps its
// width, one above it spans as the control does.
ui::Anchors LabelAnchors(const ui::Control& control) {
    const ui::Anchors anchors = control.anchors();
    const bool beside = control.labelRect().x + control.labelRect().width <= control.rect().x;
    return {anchors.left, anchors.top, beside ? anchors.left : anchors.right, anchors.top};
}

// Input controls show their caption in a label of their own.
bool HasLabel(const ui::Control& control) {
    switch (control.kind()) {
        case ui::Kind::Edit:
        case ui::Kind::ComboBox:
        case ui::Kind::DatePicker:
        case ui::Kind::ListView:
        case ui::Kind::TextBox:
            return !control.labelRect().empty();
        default:
            return false;
    }
}

QFont ReportFont() {
    QFont font(QStringLiteral("Liberation Mono"));
    font.setStyleHint(QFont::Monospace);
    return font;
}

// A drop-down whose open list may name its items ("01 – Фактура") while the
// closed box shows the item itself ("01"), kept as the item's data.
class ItemComboBox : public QComboBox {
  public:
    using QComboBox::QComboBox;

  protected:
    void paintEvent(QPaintEvent*) override {
        QStylePainter painter(this);
        QStyleOptionComboBox option;
        initStyleOption(&option);
        if (currentIndex() >= 0) option.currentText = itemData(currentIndex()).toString();
        painter.drawComplexControl(QStyle::CC_ComboBox, option);
        painter.drawControl(QStyle::CE_ComboBoxLabel, option);
    }
    // The open list is as wide as its longest name, however narrow the box.
    void showPopup() override {
        view()->setMinimumWidth(view()->sizeHintForColumn(0) + 2 * view()->frameWidth() +
                                style()->pixelMetric(QStyle::PM_ScrollBarExtent));
        QComboBox::showPopup();
    }
};

// A date field entered with a click has its day selected, as one entered
// with Tab does, so that typing replaces the day.
class DayFirstDateEdit : public QDateEdit {
  public:
    using QDateEdit::QDateEdit;

  protected:
    void focusInEvent(QFocusEvent* event) override {
        QDateEdit::focusInEvent(event);
        enteredByClick_ = event->reason() == Qt::MouseFocusReason;
    }
    void mousePressEvent(QMouseEvent* event) override {
        QDateEdit::mousePressEvent(event);
        if (enteredByClick_ && !calendarWidget()->isVisible()) setSelectedSection(DaySection);
        enteredByClick_ = false;
    }

  private:
    bool enteredByClick_ = false;
};

// The tab stops of a text box every eight characters of its font, measured
// without rounding so that they do not drift along a line.
void SetTabStopsOfEightCharacters(QPlainTextEdit* text) {
    text->setTabStopDistance(8 * QFontMetricsF(text->font()).horizontalAdvance(QLatin1Char(' ')));
}

}  // namespace

DialogView::DialogView(ui::Dialog& model, QWidget* parent)
    : QDialog(parent), model_(model), units_(font()) {
    syncing_ = true;  // widgets signal changes while they are being made
    build();
    syncing_ = false;
    qApp->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, &DialogView::focusChanged);
    sync();
}

QWidget* DialogView::widget(const ui::Control& control) const {
    const auto found = widgets_.find(&control);
    return found == widgets_.end() ? nullptr : found->second;
}

QLabel* DialogView::label(const ui::Control& control) const {
    const auto found = labels_.find(&control);
    return found == labels_.end() ? nullptr : found->second;
}

QWidget* DialogView::parentFor(const ui::Control& control) const {
    return control.page() ? widget(*control.page()) : canvas_;
}

void DialogView::build() {
    canvas_ = new QWidget;
    canvas_->installEventFilter(this);
    for (const auto& control : model_.controls()) {
        QWidget* parent = parentFor(*control);
        QWidget* shown = create(*control, parent);
        widgets_[control.get()] = shown;
        if (control->kind() == ui::Kind::GroupBox) shown->lower();
        if (HasLabel(*control)) {
            auto* caption = new QLabel(parent);
            caption->setWordWrap(true);
            caption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            caption->setBuddy(shown);
            labels_[control.get()] = caption;
        }
    }
    setTabOrder();

    // A form larger than the screen scrolls.
    auto* scroll = new QScrollArea;
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
    const QScreen* screen = QApplication::primaryScreen();
    const QSize declared = units_.size(model_.size());
    const QSize room = screen ? screen->availableGeometry().size() * 0.95 : declared;
    if (model_.resizable()) {
        setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                       Qt::WindowMaximizeButtonHint);
        const QSize minimum = units_.size(model_.minimumSize());
        canvas_->setMinimumSize(minimum);
        scroll->setWidgetResizable(true);
        scroll->setWidget(canvas_);
        setMinimumSize(minimum.boundedTo(room));
        resize(declared.boundedTo(room).expandedTo(minimumSize()));
    } else {
        setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
        canvas_->setFixedSize(declared);
        scroll->setWidget(canvas_);
        if (declared.width() <= room.width() && declared.height() <= room.height())
            setFixedSize(declared);
        else
            resize(declared.boundedTo(room));
    }
    placeControls();
}

// Every control where its anchors put it for the canvas's present size; the
// controls of a page follow the growth of their sheet.
void DialogView::placeControls() {
    const QSize growth = canvas_->size() - units_.size(model_.size());
    for (const auto& control : model_.controls()) {
        if (control->kind() == ui::Kind::Page) continue;
        QSize delta = growth;
        if (const ui::Page* page = control->page()) {
            const ui::Control& sheet = page->sheet();
            delta = widget(sheet)->size() - units_.rect(sheet.rect()).size();
        }
        const ui::Anchors anchors = control->anchors();
        QWidget* shown = widget(*control);
        shown->setGeometry(ToRect(
            anchors.apply(FromRect(units_.rect(control->rect())), delta.width(), delta.height())));
        if (control->kind() == ui::Kind::ComboBox)  // a drop-down is one line high when closed
            shown->resize(shown->width(), std::min(shown->height(), shown->sizeHint().height()));
        if (QLabel* caption = label(*control))
            caption->setGeometry(ToRect(LabelAnchors(*control).apply(
                FromRect(units_.rect(control->labelRect())), delta.width(), delta.height())));
    }
}

template <class Sender, class Signal, class Handler>
Sender* DialogView::relay(Sender* sender, Signal signal, Handler handler) {
    connect(sender, signal, this, [this, handler](const auto&... values) {
        if (syncing_) return;
        handler(values...);
        afterEvent();
    });
    return sender;
}

QWidget* DialogView::create(ui::Control& control, QWidget* parent) {
    switch (control.kind()) {
        case ui::Kind::Label: {
            auto* label = new QLabel(parent);
            label->setWordWrap(true);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            return label;
        }
        case ui::Kind::GroupBox: {
            auto* group = new QGroupBox(parent);
            group->setFocusPolicy(Qt::NoFocus);
            return group;
        }
        case ui::Kind::Edit:
            return relay(new QLineEdit(parent), &QLineEdit::textEdited,
                         [this, &edit = static_cast<ui::Edit&>(control)](const QString& text) {
                             model_.userEdit(edit, FromQt(text));
                         });
        case ui::Kind::ComboBox:
            return relay(new ItemComboBox(parent), &QComboBox::activated,
                         [this, &combo = static_cast<ui::ComboBox&>(control)](int index) {
                             model_.userChoose(combo, index);
                         });
        case ui::Kind::DatePicker: {
            auto& picker = static_cast<ui::DatePicker&>(control);
            auto* date = new DayFirstDateEdit(parent);
            date->setCalendarPopup(true);
            date->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
            date->setMinimumDate(kNoDate);
            date->setSpecialValueText(QStringLiteral(" "));
            return relay(date, &QDateEdit::dateChanged, [this, &picker](const QDate& value) {
                model_.userPickDate(picker, FromQDate(value));
            });
        }
        case ui::Kind::CheckBox:
            return relay(new QCheckBox(parent), &QCheckBox::clicked,
                         [this, &check = static_cast<ui::CheckBox&>(control)](bool checked) {
                             model_.userToggle(check, checked);
                         });
        case ui::Kind::Button: {
            auto* push = new QPushButton(parent);
            push->setAutoDefault(false);
            return relay(push, &QPushButton::clicked,
                         [this, &button = static_cast<ui::Button&>(control)](bool) {
                             model_.userPress(button);
                         });
        }
        case ui::Kind::TextBox: {
            auto* text = new QPlainTextEdit(parent);
            text->setReadOnly(true);
            if (static_cast<ui::TextBox&>(control).monospace()) {
                text->setFont(ReportFont());
                text->setLineWrapMode(QPlainTextEdit::NoWrap);
            }
            SetTabStopsOfEightCharacters(text);
            text->setTabChangesFocus(true);
            return text;
        }
        case ui::Kind::ListView:
            return createList(static_cast<ui::ListView&>(control), parent);
        case ui::Kind::Sheet: {
            auto& sheet = static_cast<ui::Sheet&>(control);
            auto* tabs = new QTabWidget(parent);
            tabs->setFocusPolicy(Qt::NoFocus);
            connect(tabs, &QTabWidget::currentChanged, this, [this, &sheet](int index) {
                if (syncing_ || index < 0 || index >= static_cast<int>(sheet.pages().size()))
                    return;
                model_.userActivatePage(*sheet.pages()[index]);
                afterEvent();
            });
            return tabs;
        }
        case ui::Kind::Page: {
            auto& page = static_cast<ui::Page&>(control);
            auto* tabs = static_cast<QTabWidget*>(widget(page.sheet()));
            auto* area = new QWidget;
            tabs->addTab(area, ToQt(page.caption()));
            return area;
        }
    }
    return new QWidget(parent);
}

QWidget* DialogView::createList(ui::ListView& list, QWidget* parent) {
    auto* view = new QTableView(parent);
    auto* rows = new RowSourceModel(list, view);
    view->setModel(rows);
    lists_[&list] = rows;
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(list.multiSelect() ? QAbstractItemView::ExtendedSelection
                                              : QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setTabKeyNavigation(false);
    view->setShowGrid(false);
    view->setWordWrap(false);
    view->setAlternatingRowColors(true);
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->horizontalHeader()->setSectionsClickable(true);
    view->horizontalHeader()->setHighlightSections(false);
    view->horizontalHeader()->setStretchLastSection(true);
    // The rows the list holds already are shown at once: size the columns now.
    fitColumns(list, view);

    relay(rows, &RowSourceModel::checkToggled,
          [this, &list](int row, bool checked) { model_.userCheckRow(list, row, checked); });
    relay(view->selectionModel(), &QItemSelectionModel::selectionChanged,
          [this, &list, view](const QItemSelection&, const QItemSelection&) {
              std::vector<int> selected;
              for (const QModelIndex& index : view->selectionModel()->selectedRows())
                  selected.push_back(index.row());
              model_.userSelectRows(list, selected);
          });
    relay(view->horizontalHeader(), &QHeaderView::sectionClicked,
          [this, &list](int column) { model_.userClickHeader(list, column); });
    return view;
}

void DialogView::setTabOrder() {
    QWidget* previous = nullptr;
    for (const auto& control : model_.controls()) {
        QWidget* shown = widget(*control);
        if (!control->takesFocus()) {
            if (control->kind() != ui::Kind::Sheet) shown->setFocusPolicy(Qt::NoFocus);
            continue;
        }
        if (previous) QWidget::setTabOrder(previous, shown);
        previous = shown;
    }
}

ui::Control* DialogView::controlOf(QWidget* shown) const {
    for (; shown && shown != this; shown = shown->parentWidget())
        for (const auto& [control, widget] : widgets_)
            if (widget == shown) return const_cast<ui::Control*>(control);
    return nullptr;
}

void DialogView::afterEvent() {
    if (!model_.isOpen()) {
        done(model_.result() == ui::Result::Ok ? QDialog::Accepted : QDialog::Rejected);
        return;
    }
    sync();
}

// Only a move of the focus inside this dialog is a person's doing; the focus
// going to a message box and coming back from it is not.
void DialogView::focusChanged(QWidget* old, QWidget* now) {
    if (syncing_ || !old || !now || old->window() != this || now->window() != this) return;
    if (ui::Control* control = controlOf(now)) {
        model_.userFocus(*control);
        afterEvent();
    }
}

bool DialogView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == canvas_ && event->type() == QEvent::Resize) {
        placeControls();
        return false;
    }
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
    if (static_cast<QWidget*>(watched)->window() != this) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enterKey = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (enterKey && (key->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier) {
        model_.userShortcut(ui::Shortcut::CtrlEnter);
        afterEvent();
        return true;
    }
    if (key->modifiers() & ~Qt::KeypadModifier) return false;
    switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            model_.userEnter();
            break;
        case Qt::Key_Escape:
            model_.userClose(ui::CloseRequest::Escape);
            break;
        default:
            return false;
    }
    afterEvent();
    return true;
}

void DialogView::closeEvent(QCloseEvent* event) {
    event->ignore();
    model_.userClose(ui::CloseRequest::WindowClose);
    afterEvent();
}

void DialogView::reject() {
    model_.userClose(ui::CloseRequest::Escape);
    afterEvent();
}

void DialogView::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    syncFocus();
}

void DialogView::sync() {
    syncing_ = true;
    setWindowTitle(ToQt(model_.title()));
    for (const auto& control : model_.controls()) syncControl(*control, widget(*control));
    syncFocus();
    syncing_ = false;
}

void DialogView::syncControl(ui::Control& control, QWidget* shown) {
    if (QLabel* caption = label(control)) {
        caption->setText(Displayed(control.caption()));
        caption->setVisible(control.visible());
        caption->setEnabled(control.enabled());
    }
    if (control.kind() != ui::Kind::Page) {
        shown->setVisible(control.visible());
        shown->setEnabled(control.enabled());
        shown->setToolTip(ToQt(control.toolTip()));
    }
    switch (control.kind()) {
        case ui::Kind::Label:
            static_cast<QLabel*>(shown)->setText(Displayed(control.caption()));
            break;
        case ui::Kind::GroupBox:
            static_cast<QGroupBox*>(shown)->setTitle(ToQt(control.caption()));
            break;
        case ui::Kind::Edit: {
            const auto& edit = static_cast<ui::Edit&>(control);
            auto* line = static_cast<QLineEdit*>(shown);
            line->setMaxLength(edit.maxLength() > 0 ? edit.maxLength() : 32767);
            line->setReadOnly(edit.readOnly());
            line->setEchoMode(edit.masked() ? QLineEdit::Password : QLineEdit::Normal);
            // A read-only box is shaded like the dialog, so that the boxes a
            // person may type into stand out.
            QPalette shade = palette();
            if (edit.readOnly()) shade.setColor(QPalette::Base, shade.color(QPalette::Window));
            line->setPalette(shade);
            line->setAlignment(Alignment(edit.align()));
            const QString text = ToQt(edit.text());
            if (line->text() != text) {
                const int cursor = line->cursorPosition();
                line->setText(text);
                line->setCursorPosition(std::min(cursor, static_cast<int>(text.size())));
            }
            break;
        }
        case ui::Kind::ComboBox: {
            const auto& combo = static_cast<ui::ComboBox&>(control);
            auto* box = static_cast<QComboBox*>(shown);
            QStringList items, labels;
            for (int i = 0; i < static_cast<int>(combo.items().size()); ++i) {
                items << ToQt(combo.items()[i]);
                labels << ToQt(combo.label(i));
            }
            QStringList shownItems, shownLabels;
            for (int i = 0; i < box->count(); ++i) {
                shownItems << box->itemData(i).toString();
                shownLabels << box->itemText(i);
            }
            if (items != shownItems || labels != shownLabels) {
                box->clear();
                for (int i = 0; i < items.size(); ++i) box->addItem(labels[i], items[i]);
            }
            box->setCurrentIndex(combo.selected());
            break;
        }
        case ui::Kind::DatePicker: {
            auto* date = static_cast<QDateEdit*>(shown);
            const QDate value = ToQDate(static_cast<ui::DatePicker&>(control).value());
            if (date->date() != value) date->setDate(value);
            break;
        }
        case ui::Kind::CheckBox: {
            auto* box = static_cast<QCheckBox*>(shown);
            box->setText(ToQt(control.caption()));
            box->setChecked(static_cast<ui::CheckBox&>(control).checked());
            break;
        }
        case ui::Kind::Button:
            static_cast<QPushButton*>(shown)->setText(ToQt(control.caption()));
            break;
        case ui::Kind::TextBox: {
            auto* text = static_cast<QPlainTextEdit*>(shown);
            const auto& box = static_cast<ui::TextBox&>(control);
            const QString value =
                Displayed(box.monospace() ? ui::AlignTabColumns(box.text()) : box.text());
            if (text->toPlainText() != value) text->setPlainText(value);
            break;
        }
        case ui::Kind::ListView:
            syncList(static_cast<ui::ListView&>(control), static_cast<QTableView*>(shown));
            break;
        case ui::Kind::Sheet:
            syncSheet(static_cast<ui::Sheet&>(control), static_cast<QTabWidget*>(shown));
            break;
        case ui::Kind::Page:
            break;  // shown by its sheet
    }
}

void DialogView::fitColumns(const ui::ListView& list, QTableView* view) {
    for (int column = 0; column < static_cast<int>(list.columns().size()); ++column) {
        const int width = list.columns()[column].width;
        if (width > 0)
            view->setColumnWidth(column, units_.x(width));
        else
            view->resizeColumnToContents(column);
    }
}

void DialogView::syncList(ui::ListView& list, QTableView* view) {
    auto* rows = lists_.at(&list);
    if (rows->refresh()) fitColumns(list, view);
    auto* header = view->horizontalHeader();
    header->setSortIndicatorShown(list.sortColumn() >= 0);
    if (list.sortColumn() >= 0)
        header->setSortIndicator(list.sortColumn(),
                                 list.sortDescending() ? Qt::DescendingOrder : Qt::AscendingOrder);

    std::vector<int> shownSelection;
    for (const QModelIndex& index : view->selectionModel()->selectedRows())
        shownSelection.push_back(index.row());
    std::sort(shownSelection.begin(), shownSelection.end());
    const auto selection = list.selection();
    if (shownSelection == selection) return;
    auto* selectionModel = view->selectionModel();
    selectionModel->clearSelection();
    for (int row : selection)
        selectionModel->select(rows->index(row, 0),
                               QItemSelectionModel::Select | QItemSelectionModel::Rows);
    if (!selection.empty()) {
        selectionModel->setCurrentIndex(rows->index(selection.front(), 0),
                                        QItemSelectionModel::NoUpdate);
        view->scrollTo(rows->index(selection.front(), 0));
    }
}

void DialogView::syncSheet(ui::Sheet& sheet, QTabWidget* tabs) {
    const auto& pages = sheet.pages();
    for (int i = 0; i < static_cast<int>(pages.size()); ++i) {
        tabs->setTabText(i, ToQt(pages[i]->caption()));
        tabs->setTabEnabled(i, pages[i]->enabled());
        tabs->setTabVisible(i, pages[i]->visible());
        if (pages[i] == sheet.activePage()) tabs->setCurrentIndex(i);
    }
}

void DialogView::syncFocus() {
    const ui::Control* focus = model_.focus();
    QWidget* shown = focus ? widget(*focus) : nullptr;
    if (!shown || !shown->isEnabled()) return;
    QWidget* current = QApplication::focusWidget();
    if (current == shown || shown->isAncestorOf(current)) return;
    const bool wasSyncing = syncing_;
    syncing_ = true;
    shown->setFocus(Qt::OtherFocusReason);
    syncing_ = wasSyncing;
}

}  // namespace qt
