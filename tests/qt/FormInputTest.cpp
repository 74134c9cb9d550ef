// The Qt front-end's share of typing a document: a code list that names its
// codes, a date field entered with a click ready for the day, Ctrl+Enter
// reaching the storing button, the hint that names the shortcut, and report
// columns marked with tabs lined up just after the widest caption.
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include <gtest/gtest.h>

#include "ShownView.h"

using testing_support::WidgetOf;

namespace {

class Document : public ui::Dialog {
  public:
    explicit Document(ui::Host& host) : Dialog(host, "Дневник за продажбите", {300, 200}) {
        setEnterMovesToNextField(true);
        type.setItems({"01", "02"}, {"01 – Фактура", "02 – Дебитно известие"});
        date.setValue(platform::Date{2023, 11, 1});
        report.setText(
            "Дневник за продажбите\t\t\t Суми\r\n"
            " 9. Общ размер на ДО за облагане с ДДС\t:        100.00 |\r\n"
            "10. Всичко начислен ДДС\t\t\t:         20.00 |\r\n");
    }
    ui::ComboBox& type = addComboBox("type", "3.Вид документ", {60, 6, 30, 60});
    ui::DatePicker& date = addDatePicker("date", "5.Дата", {60, 24, 62, 12});
    ui::Edit& docNo = addEdit("docNo", "4.Номер", {60, 42, 80, 12});
    ui::TextBox& report = addTextBox("report", "", {4, 60, 292, 110}).fixedPitch();
    ui::Button& save = addButton("save", "Добави", {236, 180, 60, 14})
                           .pressedBy(ui::Shortcut::CtrlEnter)
                           .tip("Записва документа след проверките му (Ctrl+Enter)");
    int saves = 0;

  protected:
    void pressed(ui::Button& button) override {
        if (&button == &save) ++saves;
    }
};

class FormInputTest : public testing_support::ActiveViewTest<Document> {
  protected:
    template <class W>
    W* shown(const ui::Control& control) {
        return WidgetOf<W>(*view, control);
    }
};

}  // namespace

TEST_F(FormInputTest, TheCodeListNamesItsCodesAndTheClosedBoxKeepsTheCode) {
    auto* type = shown<QComboBox>(form.type);
    ASSERT_NE(type, nullptr);
    ASSERT_EQ(type->count(), 2);
    EXPECT_EQ(type->itemText(0), "01 – Фактура");
    EXPECT_EQ(type->itemData(1).toString(), "02");
    type->activated(1);
    EXPECT_EQ(form.type.selectedText(), "02");
}

TEST_F(FormInputTest, AClickIntoTheDateSelectsTheDaySoThatTypingReplacesIt) {
    auto* date = shown<QDateEdit>(form.date);
    ASSERT_NE(date, nullptr);
    // Where the person clicks: past the day, on the month.
    const QPoint onMonth(date->fontMetrics().horizontalAdvance("01/11/2") + 4, date->height() / 2);
    QTest::mouseClick(date, Qt::LeftButton, {}, onMonth);
    EXPECT_EQ(QApplication::focusWidget(), date);
    EXPECT_EQ(date->currentSection(), QDateTimeEdit::DaySection);
    QTest::keyClicks(date, "15");
    EXPECT_EQ(date->date(), QDate(2023, 11, 15));

    // A second click, in a field that has the focus, puts the cursor as usual.
    QTest::mouseClick(date, Qt::LeftButton, {}, onMonth);
    EXPECT_NE(date->currentSection(), QDateTimeEdit::DaySection);
}

TEST_F(FormInputTest, CtrlEnterPressesTheStoringButtonWhoseHintNamesIt) {
    auto* docNo = shown<QLineEdit>(form.docNo);
    docNo->setFocus();
    QTest::keyClicks(docNo, "12");
    QTest::keyClick(docNo, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(form.saves, 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter,
                    Qt::ControlModifier | Qt::KeypadModifier);
    EXPECT_EQ(form.saves, 2) << "the Enter of the keypad too";
    EXPECT_EQ(shown<QPushButton>(form.save)->toolTip(),
              "Записва документа след проверките му (Ctrl+Enter)");
}

TEST_F(FormInputTest, ReportColumnsLineUpJustAfterTheWidestCaption) {
    auto* report = shown<QPlainTextEdit>(form.report);
    ASSERT_NE(report, nullptr);
    const qreal character = QFontMetricsF(report->font()).horizontalAdvance(QLatin1Char(' '));
    EXPECT_DOUBLE_EQ(report->tabStopDistance(), 8 * character);
    // The colons of the two amount lines stand in the same column, the 39th,
    // just after the caption of 38 characters.
    std::vector<qreal> colons;
    for (QTextBlock block = report->document()->begin(); block.isValid(); block = block.next()) {
        const int colon = block.text().indexOf(QLatin1Char(':'));
        if (colon < 0) continue;
        colons.push_back(block.layout()->lineAt(0).cursorToX(colon));
    }
    ASSERT_EQ(colons.size(), 2u);
    EXPECT_NEAR(colons[0], colons[1], 0.5);
    EXPECT_NEAR(colons[0], 38 * character + report->document()->documentMargin(), 0.5);
}
