// The dialog layer driven headless: focus and field-left checks, Enter and
// Escape, buttons whose state follows the form, drop-downs, dates, lists,
// pages, nested dialogs, and the refusal of text Windows-1251 cannot hold.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "support/DialogDriver.h"
#include "support/Forms.h"
#include "support/ScriptedHost.h"

using testing_support::DialogDriver;
using testing_support::ScriptedHost;

namespace {

class JournalTest : public ::testing::Test {
  protected:
    ScriptedHost host;
    forms::Journal journal{host};
    DialogDriver d{journal};
};

}  // namespace

TEST_F(JournalTest, OpensWithTheFocusOnTheFirstField) {
    EXPECT_TRUE(d.isOpen());
    EXPECT_EQ(d.focused(), "period");
}

TEST_F(JournalTest, AnErrorWhenAFieldIsLeftPutsTheFocusBack) {
    d.type("Период", "2024").leave();
    host.expectError("Некоректна стойност на поле 'Период'");
    EXPECT_EQ(d.focused(), "period");
    EXPECT_EQ(d.text("period"), "2024");
}

TEST_F(JournalTest, AFieldThatRefusesToBeLeftKeepsAButtonFromBeingPressed) {
    d.type("period", "202401").choose("type", "01");
    d.type("period", "20240").press("Добави");
    host.expectError("Некоректна стойност на поле 'Период'");
    EXPECT_EQ(journal.saves, 0);
    EXPECT_EQ(d.focused(), "period");

    d.type("period", "202402").press("Добави");
    EXPECT_EQ(journal.saves, 1);
    EXPECT_EQ(d.focused(), "save");
}

TEST_F(JournalTest, LeavingAFieldByClickingAnotherRaisesTheLeftEventOnce) {
    d.type("period", "202401").focus("date").focus("date").focus("amount");
    EXPECT_EQ(journal.leftFields, (std::vector<std::string>{"period", "date"}));
}

TEST_F(JournalTest, EnterMovesToTheNextReachableFieldAndPressesButtons) {
    d.type("period", "202401").enter();
    EXPECT_EQ(d.focused(), "type");
    d.choose("type", "07").enter();
    EXPECT_EQ(d.focused(), "typeName") << "a read-only field still takes the focus";
    d.enter().enter();
    EXPECT_EQ(d.focused(), "counterparts");
    d.tab();
    EXPECT_EQ(d.focused(), "amount") << "the disabled counterpart field is skipped";
    d.focus("save").enter();
    EXPECT_EQ(journal.saves, 1);
}

TEST_F(JournalTest, CaptionsAndEnablingFollowTheState) {
    EXPECT_FALSE(d.enabled("Добави"));
    EXPECT_FALSE(d.enabled("type"));
    d.type("period", "202401").choose("3.Вид документ", "02");
    EXPECT_EQ(d.text("typeName"), "Дебитно известие");
    EXPECT_TRUE(d.enabled("Добави"));
    d.press("Редакция");
    EXPECT_EQ(d.caption("save"), "Актуализирай");
    EXPECT_EQ(d.caption("edit"), "Отказ");
    EXPECT_FALSE(d.enabled("close"));
    d.press("Отказ");
    EXPECT_EQ(d.caption("save"), "Добави");
    EXPECT_TRUE(d.enabled("Затвори"));
}

TEST_F(JournalTest, TypingIntoADisabledFieldIsATestFailure) {
    EXPECT_NONFATAL_FAILURE(d.type("knum", "121212121"), "it is disabled");
    EXPECT_EQ(d.text("knum"), "");
}

TEST_F(JournalTest, ChoosingACodeFillsTheFieldItGoverns) {
    d.type("period", "202401").choose("type", "07");
    EXPECT_EQ(d.text("knum"), "999999999999999");
    EXPECT_FALSE(d.enabled("knum"));
}

TEST_F(JournalTest, TypingKeepsToTheLimitAndTheAcceptedCharacters) {
    d.type("period", "2024a0133");
    EXPECT_EQ(d.text("period"), "202401");
    d.type("knum", "ДЕ1234567890123456");
    EXPECT_EQ(d.text("knum"), "ДЕ1234567890123") << "the limit counts characters, not bytes";
    d.paste("amount", "12345678901234567890");
    EXPECT_EQ(d.text("amount"), "123456789012345");
}

TEST_F(JournalTest, TextWindows1251CannotHoldIsRefusedWhereItIsTyped) {
    struct Case {
        const char* typed;
        const char* kept;
        const char* refused;  // nullptr: accepted
    };
    const Case cases[] = {
        {"Цена 10 €", "Цена 10 €", nullptr},
        {"№ 5 „А“", "№ 5 „А“", nullptr},
        {"Ωmega", "", "Ω"},
        {"ab😀c", "ab", "😀"},
        {"Łódź", "", "Ł"},
    };
    d.type("period", "202401");
    for (const auto& c : cases) {
        d.type("knum", "").type("knum", c.typed);
        EXPECT_EQ(d.text("knum"), c.kept) << c.typed;
        EXPECT_EQ(d.focused(), "knum");
        if (c.refused)
            host.expectError(std::string("Знакът „") + c.refused +
                             "“ не може да бъде въведен: текстът се записва в кодовата таблица "
                             "Windows-1251, в която този знак липсва.");
    }
    d.paste("knum", "BG12Ω");
    EXPECT_EQ(d.text("knum"), "") << "a refused paste keeps the text that was there";
    host.expectError(
        "Знакът „Ω“ не може да бъде въведен: текстът се записва в кодовата таблица Windows-1251, "
        "в която този знак липсва.");
}

TEST_F(JournalTest, ControlCharactersAreRefusedWhereTheyAreTypedOrPasted) {
    struct Case {
        const char* pasted;
        const char* named;
    };
    const Case cases[] = {
        {"Ред1\r\nРед2", "„връщане на каретката“"},
        {"Ред1\nРед2", "„нов ред“"},
        {"a\tb", "„табулация“"},
        {"край\x1A", "„край на файл“"},
        {"\x01", "с код 1"},
        {"x\x1Fy", "с код 31"},
        {"DEL\x7F", "с код 127"},
    };
    d.type("period", "202401").type("knum", "BG1");
    for (const auto& c : cases) {
        EXPECT_FALSE(d.dialog().userEdit(d.get<ui::Edit>("knum"), c.pasted)) << c.named;
        EXPECT_EQ(d.text("knum"), "BG1") << "a refused paste keeps the text that was there";
        EXPECT_EQ(d.focused(), "knum");
        host.expectError(std::string("Знакът ") + c.named +
                         " не може да бъде въведен: полетата не приемат нов ред, табулация и "
                         "други управляващи знаци.");
    }
    d.paste("knum", "BG2 \x7E~");  // the last printable ASCII character is accepted
    EXPECT_EQ(d.text("knum"), "BG2 ~~");
    host.expectNoMoreBoxes();
}

TEST_F(JournalTest, DatesArePickedAsDayMonthYear) {
    d.pickDate("5.Дата на документа", "29/02/2024");
    EXPECT_EQ(d.text("date"), "29/02/2024");
    EXPECT_NONFATAL_FAILURE(d.pickDate("date", "29/02/2023"), "is not a date");
    d.pickDate("date", "");
    EXPECT_EQ(d.text("date"), "");
}

TEST_F(JournalTest, CheckBoxesAreTickedAndCleared) {
    d.check("авансово плащане");
    EXPECT_TRUE(d.checked("advance"));
    d.uncheck("advance");
    EXPECT_FALSE(d.checked("advance"));
}

TEST_F(JournalTest, EscapeDoesNotCloseTheJournalButItsCloseButtonDoes) {
    d.escape();
    EXPECT_TRUE(d.isOpen());
    d.press("Редакция").closeWindow();
    EXPECT_TRUE(d.isOpen()) << "no closing while editing";
    d.press("Отказ").press("Затвори");
    EXPECT_FALSE(d.isOpen());
    EXPECT_EQ(d.result(), ui::Result::Ok);
    EXPECT_NONFATAL_FAILURE(d.press("Добави"), "is closed");
}

TEST_F(JournalTest, ANestedDialogIsDrivenByItsScript) {
    host.onDialog<forms::Picker>([](forms::Picker& picker, DialogDriver& p) {
        EXPECT_EQ(p.title(), "Избор на контрагент");
        EXPECT_EQ(p.column("list", 0), (std::vector<std::string>{"121212121", "221212121"}));
        p.press("Избери");
        EXPECT_TRUE(picker.isOpen());
        p.select("list", 1).press("Избери");
    });
    d.type("period", "202401").press("Контрагенти");
    host.expectError("Не сте избрали контрагент");
    EXPECT_EQ(host.dialogsRun(), (std::vector<std::string>{"Избор на контрагент"}));
    EXPECT_EQ(d.text("knum"), "221212121");
    EXPECT_EQ(d.focused(), "knum");
}

TEST_F(JournalTest, ACancelledNestedDialogChangesNothing) {
    host.onDialog([](DialogDriver& p) { p.escape(); });
    d.type("period", "202401").press("Контрагенти");
    EXPECT_EQ(d.text("knum"), "");
    EXPECT_EQ(d.focused(), "counterparts");
}

TEST_F(JournalTest, ANestedDialogWithoutAScriptIsATestFailure) {
    d.type("period", "202401");
    EXPECT_NONFATAL_FAILURE(d.press("Контрагенти"), "has no script");
}

TEST_F(JournalTest, ANestedDialogLeftOpenIsATestFailure) {
    host.onDialog([](DialogDriver& p) { p.select("list", 0); });
    d.type("period", "202401");
    EXPECT_NONFATAL_FAILURE(d.press("Контрагенти"), "left the dialog");
    EXPECT_EQ(d.text("knum"), "") << "an unfinished dialog counts as cancelled";
}

TEST_F(JournalTest, NamingAControlThatDoesNotExistThrows) {
    EXPECT_THROW(d.press("Запиши"), testing_support::DriverError);
    EXPECT_THROW(d.type("Затвори", "x"), testing_support::DriverError) << "a button is no edit";
}

TEST(SheetTest, PagesAreActivatedAndHoldTheirControls) {
    ScriptedHost host;
    forms::Return sheet(host);
    DialogDriver d(sheet);
    EXPECT_EQ(sheet.activated, (std::vector<std::string>{"a"}));
    EXPECT_EQ(d.text("DS01"), "100.00");
    EXPECT_FALSE(d.reachable("DR33"));
    EXPECT_NONFATAL_FAILURE(d.type("DR33", "0.5"), "on a page not shown");

    d.showPage("Раздел Б");
    EXPECT_EQ(sheet.activated, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(d.focused(), "DR33");
    EXPECT_FALSE(d.enabled("Потвърди"));
    d.type("DR33", "0.5");
    EXPECT_TRUE(d.enabled("Потвърди"));
    EXPECT_TRUE(d.enabled("Откажи"));
    d.press("Потвърди");
    EXPECT_FALSE(d.enabled("Откажи"));
    EXPECT_TRUE(d.isOpen());
}

TEST(SheetTest, EnterDoesNothingUnlessOnAButton) {
    ScriptedHost host;
    forms::Return sheet(host);
    DialogDriver d(sheet);
    d.showPage("b").type("DR33", "1").enter();
    EXPECT_TRUE(d.isOpen());
    EXPECT_EQ(d.focused(), "DR33");
    d.focus("OK").enter();
    EXPECT_FALSE(d.isOpen());
    EXPECT_EQ(d.result(), ui::Result::Ok);
}

TEST(SheetTest, TabStaysOnThePageShown) {
    ScriptedHost host;
    forms::Return sheet(host);
    DialogDriver d(sheet);
    d.focus("ok");
    d.dialog().userTab(false);
    EXPECT_EQ(d.focused(), "DS01") << "Tab stays on the page shown";
}

TEST(ListTest, RowsAreCheckedTogetherWhenSeveralAreSelected) {
    ScriptedHost host;
    forms::Documents documents(host);
    DialogDriver d(documents);
    EXPECT_FALSE(d.enabled("Изтрий"));
    d.checkRow("list", 0);
    EXPECT_EQ(d.caption("counter"), "Избрани: 1");
    d.selectRows("list", {1, 2}).checkRow("list", 2);
    EXPECT_TRUE(d.rowChecked("list", 1));
    EXPECT_EQ(d.caption("counter"), "Избрани: 3");
    d.checkRow("list", 1, false);
    EXPECT_EQ(d.caption("counter"), "Избрани: 1");
    EXPECT_TRUE(d.enabled("Изтрий"));
}

TEST(ListTest, HeaderClicksSortAndTheTotalsRowStaysLast) {
    ScriptedHost host;
    forms::Documents documents(host);
    DialogDriver d(documents);
    d.clickHeader("list", 1);
    EXPECT_EQ(d.column("list", 1), (std::vector<std::string>{"Алфа", "Бета", "Гама", ""}));
    EXPECT_EQ(documents.list.sortColumn(), 1);
    d.clickHeader("list", 1);
    EXPECT_EQ(d.column("list", 0), (std::vector<std::string>{"3", "1", "2", "Общо"}));
    EXPECT_TRUE(documents.list.sortDescending());
    d.clickHeader("list", 2);
    EXPECT_EQ(d.column("list", 2), (std::vector<std::string>{"-1.00", "2.50", "10.00", "11.50"}));
    EXPECT_EQ(d.row("list", 3), (std::vector<std::string>{"Общо", "", "11.50"}));
}

TEST(ListTest, SelectionSkipsRowsPastTheEndAndKnowsTheTotalsRow) {
    ScriptedHost host;
    forms::Documents documents(host);
    DialogDriver d(documents);
    d.select("list", 3);
    EXPECT_FALSE(documents.list.documentSelected()) << "the totals row is no document";
    d.select("list", 0);
    EXPECT_TRUE(documents.list.documentSelected());
    EXPECT_NONFATAL_FAILURE(d.select("list", 4), "has no row 4");
    documents.list.table().clear();
    EXPECT_EQ(d.selection("list"), std::vector<int>{});
    EXPECT_EQ(documents.list.selectedRow(), -1);
}
