// The Qt front-end renders dialog models: the widgets mirror the model, what
// a person does on them reaches the model, and a list of 100,000 rows opens
// without being copied.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include "ShownView.h"
#include "qt/DialogView.h"
#include "support/Forms.h"
#include "support/ScriptedHost.h"

using testing_support::ScriptedHost;
using testing_support::Show;
using testing_support::TypeInto;
using testing_support::WidgetOf;

namespace {

// A form with one control of each kind; a bad period is refused when left.
class Form : public ui::Dialog {
  public:
    explicit Form(ui::Host& host) : Dialog(host, "Дневник за покупките - BG121212121", {300, 220}) {
        setEnterMovesToNextField(true);
        type.setItems({"01", "02", "03"});
        type.select(1);
        date.setValue(platform::Date{2024, 1, 15});
        report.setText("СПРАВКА-ПРОТОКОЛ\r\nБрой записи:\t3\r\n");
        list.column(" № ", ui::Align::Right).column("Име");
        list.table().add({{"1", "Алфа"}});
        list.table().setTotals({"Общо", ""});
    }
    ui::GroupBox& frame = addGroup("Документ", {4, 4, 292, 76});
    ui::Edit& period =
        addEdit("period", "Период", {60, 14, 40, 12}).labelAt({10, 16, 48, 8}).limit(6);
    ui::ComboBox& type =
        addComboBox("type", "3.Вид документ", {60, 30, 30, 60}).labelAt({10, 32, 48, 8});
    ui::Edit& typeName = addEdit("typeName", "", {95, 30, 150, 12}).setReadOnly();
    ui::DatePicker& date =
        addDatePicker("date", "5.Дата", {60, 46, 60, 12}).labelAt({10, 48, 48, 8});
    ui::CheckBox& advance = addCheckBox("advance", "авансово плащане", {60, 62, 120, 10});
    ui::ListView& list = addListView("list", "", {4, 84, 292, 60}).withCheckBoxes();
    ui::TextBox& report = addTextBox("report", "", {4, 148, 292, 44}).fixedPitch();
    ui::Button& save = addButton("save", "Добави", {4, 200, 60, 14});
    ui::Button& closeButton = addButton("close", "Затвори", {236, 200, 60, 14});

  protected:
    void left(ui::Control& control) override {
        if (&control != &period || period.text().empty() || period.text().size() == 6) return;
        host().error("Некоректна стойност на поле 'Период'");
        setFocus(period);
    }
    void changed(ui::Control& control) override {
        if (&control == &type) typeName.setText("Име на " + type.selectedText());
    }
    void pressed(ui::Button& button) override {
        if (&button == &closeButton) close(ui::Result::Ok);
    }
    void closeRequested(ui::CloseRequest request) override {
        if (request == ui::CloseRequest::WindowClose) close(ui::Result::Cancel);
    }
    void refresh() override { save.setEnabled(period.text().size() == 6); }
};

class DialogViewTest : public testing_support::ActiveViewTest<Form> {
  protected:
    QLineEdit* period() { return WidgetOf<QLineEdit>(*view, form.period); }
};

}  // namespace

TEST_F(DialogViewTest, TheWidgetsShowTheModel) {
    EXPECT_EQ(view->windowTitle(), "Дневник за покупките - BG121212121");
    EXPECT_EQ(WidgetOf<QGroupBox>(*view, form.frame)->title(), "Документ");
    EXPECT_EQ(view->label(form.period)->text(), "Период");
    EXPECT_EQ(period()->maxLength(), 6);
    auto* type = WidgetOf<QComboBox>(*view, form.type);
    EXPECT_EQ(type->count(), 3);
    EXPECT_EQ(type->currentText(), "02");
    auto* typeName = WidgetOf<QLineEdit>(*view, form.typeName);
    EXPECT_TRUE(typeName->isReadOnly());
    EXPECT_NE(typeName->palette().color(QPalette::Base), period()->palette().color(QPalette::Base))
        << "a read-only box is shaded apart from the boxes a person types into";
    EXPECT_EQ(WidgetOf<QDateEdit>(*view, form.date)->date(), QDate(2024, 1, 15));
    EXPECT_EQ(WidgetOf<QCheckBox>(*view, form.advance)->text(), "авансово плащане");
    EXPECT_EQ(WidgetOf<QPlainTextEdit>(*view, form.report)->toPlainText(),
              "СПРАВКА-ПРОТОКОЛ\nБрой записи:3\n")
        << "a report pane shows a tab run as the way to its section's column";
    auto* save = WidgetOf<QPushButton>(*view, form.save);
    EXPECT_EQ(save->text(), "Добави");
    EXPECT_FALSE(save->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), period());
}

TEST_F(DialogViewTest, ChangesOfTheModelAreShownAfterAnEvent) {
    form.save.setCaption("Актуализирай");
    form.date.setValue(std::nullopt);
    form.list.table().add({{"2", "Бета"}});
    view->sync();
    EXPECT_EQ(WidgetOf<QPushButton>(*view, form.save)->text(), "Актуализирай");
    EXPECT_EQ(WidgetOf<QDateEdit>(*view, form.date)->text(), " ") << "no date shows blank";
    EXPECT_EQ(WidgetOf<QTableView>(*view, form.list)->model()->rowCount(), 3);
}

TEST_F(DialogViewTest, TypingReachesTheModelAndItsRulesShow) {
    QTest::keyClicks(period(), "202401");
    EXPECT_EQ(form.period.text(), "202401");
    EXPECT_TRUE(WidgetOf<QPushButton>(*view, form.save)->isEnabled());
    auto* type = WidgetOf<QComboBox>(*view, form.type);
    type->setFocus();
    type->activated(2);
    EXPECT_EQ(form.type.selectedText(), "03");
    EXPECT_EQ(WidgetOf<QLineEdit>(*view, form.typeName)->text(), "Име на 03");
}

TEST_F(DialogViewTest, TextWindows1251CannotHoldIsRefusedAndTheFieldKeepsItsText) {
    QTest::keyClicks(period(), "20");
    TypeInto(period(), "Ω");
    host.expectError(
        "Знакът „Ω“ не може да бъде въведен: текстът се записва в кодовата таблица Windows-1251, "
        "в която този знак липсва.");
    EXPECT_EQ(period()->text(), "20");
    EXPECT_EQ(form.period.text(), "20");
}

TEST_F(DialogViewTest, TheFocusReturnsToAFieldThatRefusedToBeLeft) {
    QTest::keyClicks(period(), "2024");
    QTest::keyClick(period(), Qt::Key_Tab);
    host.expectError("Некоректна стойност на поле 'Период'");
    EXPECT_EQ(form.focus(), &form.period);
    EXPECT_EQ(QApplication::focusWidget(), period());
}

TEST_F(DialogViewTest, EnterMovesToTheNextFieldAndEscapeIsTheModelsToRefuse) {
    QTest::keyClicks(period(), "202401");
    QTest::keyClick(period(), Qt::Key_Return);
    EXPECT_EQ(form.focus(), &form.type);
    EXPECT_EQ(QApplication::focusWidget(), view->widget(form.type));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_TRUE(view->isVisible());
    EXPECT_TRUE(form.isOpen());
}

TEST_F(DialogViewTest, TheViewClosesWhenTheModelCloses) {
    WidgetOf<QPushButton>(*view, form.closeButton)->click();
    EXPECT_FALSE(form.isOpen());
    EXPECT_FALSE(view->isVisible());
    EXPECT_EQ(view->result(), QDialog::Accepted);
}

TEST_F(DialogViewTest, ListRowsAreCheckedAndSelectedThroughTheModel) {
    auto* table = WidgetOf<QTableView>(*view, form.list);
    auto* rows = table->model();
    EXPECT_EQ(rows->data(rows->index(1, 0)).toString(), "Общо");
    EXPECT_FALSE(rows->flags(rows->index(1, 0)) & Qt::ItemIsUserCheckable) << "totals row";
    rows->setData(rows->index(0, 0), Qt::Checked, Qt::CheckStateRole);
    EXPECT_TRUE(form.list.source().checked(0));
    table->selectRow(0);
    EXPECT_EQ(form.list.selectedRow(), 0);
    EXPECT_EQ(form.focus(), &form.list);
}

namespace {

// 100,000 rows that exist only as they are read.
class LargeSource : public ui::RowSource {
  public:
    int rowCount() const override { return 100000; }
    std::string cell(int row, int column) const override {
        ++reads;
        return column == 0 ? std::to_string(row + 1) : "Контрагент " + std::to_string(row);
    }
    mutable long reads = 0;
};

class LargeList : public ui::Dialog {
  public:
    LargeList(ui::Host& host, LargeSource& source) : Dialog(host, "Списък", {300, 200}) {
        list.column(" № ", ui::Align::Right).column("Име").setSource(source);
    }
    ui::ListView& list = addListView("list", "", {4, 4, 292, 192});

  protected:
    void headerClicked(ui::ListView&, int column) override { list.showSort({column, true}); }
};

}  // namespace

TEST(LargeListTest, OpensWithoutReadingEveryRow) {
    ScriptedHost host;
    LargeSource source;
    LargeList dialog(host, source);
    const auto view = Show(dialog);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    auto* table = WidgetOf<QTableView>(*view, dialog.list);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->model()->rowCount(), 100000);
    EXPECT_LT(source.reads, 10000) << "only the rows shown and a sample for the widths are read";

    dialog.list.select(99999);
    view->sync();
    EXPECT_EQ(table->selectionModel()->selectedRows().value(0).row(), 99999);
    EXPECT_EQ(table->model()->data(table->model()->index(99999, 0)).toString(), "100000");
    EXPECT_LT(source.reads, 20000);

    auto* header = table->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(1) + 5, header->height() / 2));
    EXPECT_EQ(header->sortIndicatorSection(), 1);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
}

namespace {

const std::string kLongName = "Търговска компания за внос и износ на стоки ООД";

// A list filled before the dialog is shown, as dialogs fill them on opening.
class ListedForm : public ui::Dialog {
  public:
    explicit ListedForm(ui::Host& host) : Dialog(host, "Списък", {400, 120}) {
        list.column(" № ", ui::Align::Right).column("Име").column("");
    }
    ui::ListView& list = addListView("list", "", {4, 4, 392, 100});

  protected:
    void opened() override { list.table().add({{"1", kLongName, ""}}); }
};

}  // namespace

TEST(ListColumns, ColumnsWithoutAWidthFitTheRowsTheDialogOpenedWith) {
    ScriptedHost host;
    ListedForm dialog(host);
    const auto view = Show(dialog);
    auto* table = WidgetOf<QTableView>(*view, dialog.list);
    ASSERT_NE(table, nullptr);
    const int nameWidth = table->fontMetrics().horizontalAdvance(QString::fromStdString(kLongName));
    EXPECT_GT(table->columnWidth(1), nameWidth);
}

TEST(PagesTest, PagesAreTabsHoldingTheirControls) {
    ScriptedHost host;
    forms::Return dialog(host);
    const auto view = Show(dialog);
    auto* tabs = WidgetOf<QTabWidget>(*view, dialog.sheet);
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->tabText(1), "Раздел Б");
    EXPECT_TRUE(view->widget(dialog.pageA)->isAncestorOf(view->widget(dialog.cellA)));
    EXPECT_TRUE(view->widget(dialog.pageA)->isAncestorOf(view->label(dialog.cellA)));
    EXPECT_FALSE(view->widget(dialog.apply)->isEnabled());
    tabs->setCurrentIndex(1);
    EXPECT_TRUE(dialog.pageB.active());
    EXPECT_EQ(dialog.activated, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(dialog.focus(), &dialog.cellB);
}
