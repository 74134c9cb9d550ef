#include "journals/CPokupki.h"

#include "journals/JournalFixture.h"
#include "persons/CKontrag.h"

using namespace journals_test;
using journals::CPokupki;
using ui::Answer;

namespace {

constexpr const char* kRate11 =
    "Стойността на ДДС в колона 11 е различна от 20% от стойността на колона 10\r\n"
    "Искате ли да го редактирате?";
constexpr const char* kThirteenMonths =
    "Внимание! Периодът на издаване на документа е\r\n13 месеца преди избрания данъчен период!";

class Purchases : public JournalScreenFixture<CPokupki, db::Journal::Purchases> {
  protected:
    // A complete, valid invoice of the period 202311.
    static Typed invoice(std::string docNo = "1") {
        Typed invoice;
        invoice.type = "01";
        invoice.docNo = std::move(docNo);
        invoice.date = "10/11/2023";
        invoice.knum = "BG123456786";
        invoice.kname = "Алфа ООД";
        invoice.money = {{10, "100"}};
        return invoice;
    }

    // Saving the document is refused with the message, the focus on the field.
    void expectRefused(const Typed& document, const std::string& message,
                       const std::string& field) {
        type(d(), document);
        d().press("save");
        host.expectError(message);
        host.expectNoMoreBoxes();
        EXPECT_EQ(d().focused(), field);
        EXPECT_TRUE(rows(db::Journal::Purchases).empty());
    }

    // The database refuses the save of the invoice, as a full disk or a lock
    // would: a trigger raises the reason on the statement it names. The form
    // says why.
    void saveRefusedByTheDatabase(const std::string& docNo, const std::string& statement,
                                  const std::string& reason,
                                  ScriptedHost::Where where = ScriptedHost::Where::current()) {
        t.db().execute("CREATE TRIGGER refuse " + statement + " BEGIN SELECT RAISE(ABORT, '" +
                       reason + "'); END");
        open();
        type(d(), invoice(docNo));
        d().press("save");
        host.expectError("Документът не е записан: " + reason, where);
    }

    // An invoice whose column 11 is not 20 % of column 10, saved with the
    // answer to the question about it.
    void saveWrongVatAnswering(Answer answer) {
        auto document = invoice();
        document.money = {{10, "100"}, {11, "25"}};
        type(d(), document);
        saveAnswering({answer});
        expectDoubt(kRate11);
    }
};

TEST_F(Purchases, TitleNamesTheVatNumberAndTheFormWaitsForAPeriod) {
    open("");
    EXPECT_EQ(d().title(), "Дневник за покупките - BG175074752");
    EXPECT_EQ(d().focused(), "period");
    EXPECT_FALSE(d().enabled("type"));
    EXPECT_FALSE(d().enabled("list"));
    EXPECT_EQ(d().rowCount("list"), 0);
}

// The year is tested before the month, each with its own message, and the
// focus stays in the period field. The last year is that of the clock.
TEST_F(Purchases, PeriodMessagesNameTheYearBeforeTheMonth) {
    const std::string year = "Некоректна година в поле 'Период'";
    const std::string month = "Некоректен месец в поле 'Период'";
    const struct {
        int clockYear;
        const char* period;
        std::string message;
    } cases[] = {
        {2023, "202413", year},  {2023, "202401", year},  {2023, "201012", year},
        {2023, "202313", month}, {2023, "202300", month}, {2026, "202413", month},
        {2026, "202701", year},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.period);
        clock.set({c.clockYear, 12, 8, 10, 0, 0});
        open(c.period);
        host.expectError(c.message);
        EXPECT_EQ(d().focused(), "period");
        EXPECT_EQ(screen->shownPeriod(), "");
        d().leave();  // leaving checks again and keeps the focus
        host.expectError(c.message);
        EXPECT_EQ(d().focused(), "period");
    }
    open("2023");
    d().leave();
    host.expectError("Некоректна стойност на поле 'Период'");
    EXPECT_EQ(d().focused(), "period");
}

TEST_F(Purchases, AValidPeriodOffersItsTypesAndDatesTheFirstOfItsMonth) {
    open("201312");
    EXPECT_EQ(d().items("type"), (std::vector<std::string>{"01", "02", "03", "07", "09"}));
    EXPECT_EQ(d().text("date"), "01/12/2013");
    EXPECT_EQ(d().caption("col9").find("ал.2-5") != std::string::npos, true);
    d().type("period", "202004");
    EXPECT_NE(d().caption("col9").find("ал.2-6"), std::string::npos);
    EXPECT_EQ(d().items("type").size(), 13u);  // "05" joins from 202004
}

TEST_F(Purchases, TheCodeListsNameTheirCodesAndTheChoiceKeepsTheCode) {
    open("202311");
    const auto codes = d().items("type");
    const auto labels = d().labels("type");
    ASSERT_EQ(labels.size(), codes.size());
    for (std::size_t i = 0; i < codes.size(); ++i) {
        d().choose("type", codes[i]);
        EXPECT_EQ(labels[i], codes[i] + " – " + d().caption("typeName")) << "the name shown beside";
    }
    EXPECT_EQ(labels.front(), "01 – Фактура");
    d().choose("type", "01");
    EXPECT_EQ(d().labels("code8a").at(0), "") << "the blank item stays blank";
    EXPECT_EQ(d().labels("code8a").at(1), "01 – Доставка по част I на Приложение 2 от ЗДДС");

    type(d(), invoice());
    d().press("save");
    EXPECT_EQ(rows(db::Journal::Purchases).at(0).type, "01") << "the code alone is stored";
}

TEST_F(Purchases, CtrlEnterStoresTheDocumentThroughTheSameChecksAsTheButton) {
    open();
    EXPECT_EQ(d().toolTip("save"), "Записва документа след проверките му (Ctrl+Enter)");
    Typed withoutNumber = invoice();
    withoutNumber.docNo = "";
    type(d(), withoutNumber);
    d().ctrlEnter();
    host.expectError("Номера на документа не може да е празен");
    EXPECT_EQ(d().focused(), "docNo");
    EXPECT_TRUE(rows(db::Journal::Purchases).empty());

    // From a money field just typed: it is left (and normalised) first.
    d().type("docNo", "1").type("col10", "200");
    d().ctrlEnter();
    host.expectNoMoreBoxes();
    const auto stored = rows(db::Journal::Purchases);
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].amount(db::BS31), 200.0);
    EXPECT_EQ(stored[0].amount(db::BS41), 40.0) << "column 11 proposed when column 10 was left";
    EXPECT_EQ(d().focused(), "type");
}

TEST_F(Purchases, LeavingColumn10Or12ProposesTheVatAndNormalisesTheAmount) {
    open();
    d().choose("type", "01");
    d().type("col10", "100").leave();
    EXPECT_EQ(d().text("col10"), "100.00");
    EXPECT_EQ(d().text("col11"), "20.00");
    d().type("col12", "12,5").leave();
    EXPECT_EQ(d().text("col12"), "12.50");
    EXPECT_EQ(d().text("col13"), "2.50");
    d().type("col12", "100.03").leave();
    EXPECT_EQ(d().text("col13"), "20.01");  // 20.006 to the nearest stotinka

    d().type("col9", "1a").leave();
    host.expectError("Некоректна стойност на поле '9'");
    EXPECT_EQ(d().focused(), "col9");
    EXPECT_EQ(d().text("col9"), "1a");
}

TEST_F(Purchases, AValidInvoiceIsStoredNumberedAndTotalled) {
    open();
    type(d(), invoice());
    d().press("save");
    host.expectNoMoreBoxes();
    const auto stored = rows(db::Journal::Purchases);
    ASSERT_EQ(stored.size(), 1u);
    const auto& row = stored[0];
    EXPECT_EQ(row.vin, kVin);
    EXPECT_EQ(row.period, "202311");
    EXPECT_EQ(row.number, 1);
    EXPECT_EQ(row.type, "01");
    EXPECT_EQ(row.date, "10/11/2023");
    EXPECT_EQ(row.knum, "BG123456786");
    EXPECT_EQ(row.amount(db::BS31), 100.0);
    EXPECT_EQ(row.amount(db::BS41), 20.0);
    EXPECT_EQ(row.dateCreate, "2024/03/15 09:30");
    EXPECT_EQ(row.dateModified, "");
    EXPECT_FALSE(row.errors.any());
    // The list row, then the totals.
    ASSERT_EQ(d().rowCount("list"), 2);
    EXPECT_EQ(d().cell("list", 0, 0), "1");
    EXPECT_EQ(d().cell("list", 0, 9), "100.00");
    EXPECT_EQ(d().cell("list", 0, 17), std::to_string(row.id));
    EXPECT_EQ(d().row("list", 1)[0], "Общо");
    EXPECT_EQ(d().cell("list", 1, 10), "20.00");
    // The form is ready for the next document.
    EXPECT_EQ(d().text("type"), "");
    EXPECT_EQ(d().text("docNo"), "");
    EXPECT_EQ(d().text("col10"), "");
    EXPECT_EQ(d().text("date"), "10/11/2023");
    EXPECT_EQ(d().focused(), "type");
}

TEST_F(Purchases, NoToTheTwentyPercentQuestionStoresCode33AndShowsItsText) {
    open();
    saveWrongVatAnswering(Answer::No);
    host.expectNoMoreBoxes();
    const auto stored = rows(db::Journal::Purchases);
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].errors.word(1), 1);  // code 33 is bit 0 of ERROR2
    EXPECT_EQ(stored[0].errors.word(0), 0);
    EXPECT_EQ(d().cell("list", 0, 18), "Да");
    const std::string text =
        "Стойността на ДДС в поле 03-41 е различна от 20% от стойността на поле 03-31\r\n";
    EXPECT_EQ(d().text("notes"), text);
    d().select("list", 1);  // the totals row has no notes
    EXPECT_EQ(d().text("notes"), "");
    d().select("list", 0);
    EXPECT_EQ(d().text("notes"), text);
}

TEST_F(Purchases, YesToAQuestionReturnsToTheFieldAndStoresNothing) {
    open();
    saveWrongVatAnswering(Answer::Yes);
    EXPECT_EQ(d().focused(), "col11");
    EXPECT_TRUE(rows(db::Journal::Purchases).empty());
    // Corrected, it is stored without the warning answered before.
    d().type("col11", "20").press("save");
    host.expectNoMoreBoxes();
    EXPECT_EQ(storedCodes(), (StoredCodes{{}}));
}

TEST_F(Purchases, Type09WithoutACounterpartIsStoredWithCode39) {
    open();
    Typed protocol;
    protocol.type = "09";
    protocol.date = "05/11/2023";
    protocol.money = {{9, "10"}};
    type(d(), protocol);
    d().press("save");
    host.expectNoMoreBoxes();
    EXPECT_EQ(storedCodes(), (StoredCodes{{39}}));
    EXPECT_EQ(d().cell("list", 0, 18), "Да");
    EXPECT_EQ(d().text("notes"), "Некоректен ИН на контрагент\r\n");
}

// Each error stops the save with the focus on its field, in the order the
// checks are made.
TEST_F(Purchases, ValidationErrorsInTheirOrder) {
    const struct {
        const char* what;
        void (*change)(Typed&);
        const char* message;
        const char* field;
    } cases[] = {
        {"number", [](Typed& t) { t.docNo.clear(); }, "Номера на документа не може да е празен",
         "docNo"},
        {"date after the period", [](Typed& t) { t.date = "01/12/2023"; },
         "Датата на документа е следваща на периода", "date"},
        {"counterpart", [](Typed& t) { t.knum.clear(); }, "ИН на контрагента е празен!", "knum"},
        {"name", [](Typed& t) { t.kname = " "; }, "Името на контрагента е празнo!", "kname"},
        {"kind of goods", [](Typed& t) { t.sdelka.clear(); }, "Вида на стоката\\услугата е празнo",
         "sdelka"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        open();
        auto document = invoice();
        c.change(document);
        expectRefused(document, c.message, c.field);
    }
}

TEST_F(Purchases, ADocumentThirteenMonthsOldIsAcceptedWithAWarning) {
    open("202303");
    auto document = invoice();
    document.date = "15/03/2022";  // twelve months: silent
    type(d(), document);
    d().press("save");
    host.expectNoMoreBoxes();
    document.date = "28/02/2022";
    type(d(), document);
    d().press("save");
    host.expectWarning(kThirteenMonths);
    EXPECT_EQ(storedCodes(), (StoredCodes{{}, {35}}));
}

// The 13-month warning is given before the date rule of the 8а codes.
TEST_F(Purchases, TheThirteenMonthWarningComesBeforeThe8aDateRule) {
    open();
    auto document = invoice();
    document.code8a = "07";
    document.date = "30/06/2022";
    type(d(), document);
    d().press("save");
    host.expectWarning(kThirteenMonths);
    host.expectError(
        "За този код в поле 'Доставка по чл. 163а или внос по чл. 167а от ЗДДС' датата не "
        "трябва да е по-ранна от 01.07.2022");
    EXPECT_EQ(d().focused(), "date");
    EXPECT_TRUE(rows(db::Journal::Purchases).empty());
}

TEST_F(Purchases, ColumnGroupsAndSigns) {
    const struct {
        std::string type;
        std::map<int, std::string> money;
        const char* message;
        const char* field;
    } cases[] = {
        {"09",
         {{9, "10"}, {15, "5"}},
         "Неправилно попълнени колони при тристранна операция!",
         "col15"},
        {"09", {{9, "10"}, {14, "5"}}, "Неправилно попълнени колони при годишна корекция", "col14"},
        {"01",
         {{9, "10"}, {12, "-5"}, {13, "-1"}},
         "Съществуват полета, описващи стойност, с различен знак",
         "col9"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        open();
        auto document = invoice();
        document.type = c.type;
        document.money = c.money;
        expectRefused(document, c.message, c.field);
    }
}

TEST_F(Purchases, ACustomsDeclarationCarriesThePlaceholderAndCode39) {
    open();
    d().choose("type", "07");
    EXPECT_EQ(d().text("knum"), "999999999999999");
    EXPECT_FALSE(d().enabled("knum"));
    EXPECT_FALSE(d().enabled("counterparts"));
    d().type("docNo", "7").type("kname", "Агенция Митници").type("sdelka", "Внос");
    d().type("col10", "50").leave().press("save");
    host.expectNoMoreBoxes();
    EXPECT_EQ(storedCodes(), (StoredCodes{{39}}));
    // Another type opens the field again, without the placeholder.
    d().choose("type", "07").choose("type", "01");
    EXPECT_TRUE(d().enabled("knum"));
    EXPECT_EQ(d().text("knum"), "");
}

TEST_F(Purchases, ACallOffStockRegisterOffersItsOwnCodesAndNeedsAMemberStateCounterpart) {
    open("202311");
    d().type("col9", "5").leave();
    d().choose("type", "05");
    EXPECT_EQ(d().items("code8a"), (std::vector<std::string>{"", "51", "53", "54", "58"}));
    EXPECT_EQ(d().text("col9"), "");
    EXPECT_FALSE(d().enabled("col10"));
    EXPECT_FALSE(d().enabled("col15"));
    d().type("docNo", "R1").type("knum", "DE123456789").leave();
    host.expectNoMoreBoxes();
    d().type("kname", "Beta GmbH").type("sdelka", "DE999999999");
    d().press("save");
    host.expectError("Не сте избрали 8а.Доставка по чл. 163а или внос по чл. 167а от ЗДДС");
    EXPECT_EQ(d().focused(), "code8a");
    d().choose("code8a", "53");
    EXPECT_EQ(d().text("code8aName"),
              "Замяна на лицето, за което са били предназначени стоките без прекратяване на "
              "договора по чл. 15а, ал. 4 от ЗДДС");
    d().type("sdelka", "BG12345").press("save");
    host.expectError(
        "Полето '8.Вид на стоката/услугата' задължително\r\nтрябва да е попълнено с ИН по ДДС на "
        "контрагент!");
    d().type("sdelka", "BG123456786").press("save");
    host.expectNoMoreBoxes();
    EXPECT_EQ(rows(db::Journal::Purchases).size(), 1u);
}

TEST_F(Purchases, LeavingTheCounterpartLooksItsNameUp) {
    db::InsertCounterpart(t.db(), {"BG123456786", "Алфа ООД", "ALL", ""});
    session();
    const auto earlier = t.document(db::Journal::Purchases, kVin, "", "202310", 1);
    t.db().execute("UPDATE POKUPKI SET KNUM = '831826726', KNAME = 'Бета АД' WHERE ID = ?",
                   earlier);
    open();
    d().choose("type", "01");
    d().type("knum", " BG123456786 ").leave();
    EXPECT_EQ(d().text("knum"), "BG123456786");
    EXPECT_EQ(d().text("kname"), "Алфа ООД");
    d().type("knum", "831826726").leave();
    EXPECT_EQ(d().text("kname"), "Бета АД");
    d().type("knum", "111111113").leave();  // known nowhere: the name stays
    EXPECT_EQ(d().text("kname"), "Бета АД");
    d().type("knum", "12345").leave();
    host.expectError("Некоректен ИН на контрагент");
    d().type("knum", "").leave();
    EXPECT_EQ(d().text("kname"), "");
}

TEST_F(Purchases, OneNumberingAcrossBranchesAndHeadOfficeRenumberedAfterADelete) {
    // Two documents from branch 0001, one from the head office, one sale.
    session("0001");
    open();
    EXPECT_EQ(d().text("klon"), "0001");
    EXPECT_FALSE(d().enabled("klon"));
    for (const char* number : {"B1", "B2"}) {
        type(d(), invoice(number));
        d().press("save");
    }
    session("");
    open();
    type(d(), invoice("H1"));
    d().press("save");
    t.document(db::Journal::Sales, kVin, "", "202311", 7);
    host.expectNoMoreBoxes();

    auto stored = rows(db::Journal::Purchases);
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(stored[0].number, 1);
    EXPECT_EQ(stored[1].number, 2);
    EXPECT_EQ(stored[2].number, 3);
    EXPECT_EQ(stored[2].klon, "");
    EXPECT_EQ(d().column("list", 0), (std::vector<std::string>{"1", "2", "3", "Общо"}));

    host.answer(Answer::Yes);
    d().select("list", 0).press("delete");
    expectDeleteQuestion();
    stored = rows(db::Journal::Purchases);
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0].number, 1);
    EXPECT_EQ(stored[1].number, 2);
    EXPECT_EQ(rows(db::Journal::Sales)[0].number, 1);  // both journals of the period
    EXPECT_EQ(d().column("list", 0), (std::vector<std::string>{"1", "2", "Общо"}));
    EXPECT_EQ(d().selection("list"), (std::vector<int>{0}));
    EXPECT_EQ(d().focused(), "list");

    // The branch sees its own remaining document only.
    session("0001");
    open();
    EXPECT_EQ(d().column("list", 3), (std::vector<std::string>{"B2", ""}));
}

// The list after a deletion shows what the database holds, however it is
// sorted, whether it is updated in place (a head office) or read again (a branch).
TEST_F(Purchases, TheListAfterADeletionShowsTheRenumberedPeriod) {
    for (const std::string branch : {"", "0001"}) {
        SCOPED_TRACE(branch);
        session(branch);
        open("202310");
        for (const char* number : {"A", "B", "C", "D"}) {
            auto document = invoice(number);
            document.date = "10/10/2023";
            type(d(), document);
            d().press("save");
        }
        d().clickHeader("list", 0);  // the list is by number: now descending
        host.answer(Answer::Yes);
        d().select("list", 2).press("delete");  // document B
        expectDeleteQuestion();
        EXPECT_EQ(d().column("list", 3), (std::vector<std::string>{"D", "C", "A", ""}));
        EXPECT_EQ(d().column("list", 0), (std::vector<std::string>{"3", "2", "1", "Общо"}));
        EXPECT_EQ(d().selection("list"), (std::vector<int>{2}));
        EXPECT_EQ(d().cell("list", 3, 9), "300.00");
        std::vector<std::string> stored;
        for (const auto& row : rows(db::Journal::Purchases))
            if (row.period == "202310") stored.push_back(row.docNo + std::to_string(row.number));
        EXPECT_EQ(stored, (std::vector<std::string>{"A1", "C2", "D3"}));
        t.db().execute("DELETE FROM POKUPKI");
    }
}

TEST_F(Purchases, NoToTheDeleteQuestionKeepsTheDocument) {
    open();
    type(d(), invoice());
    d().press("save");
    host.answer(Answer::No);
    d().select("list", 0).press("delete");
    expectDeleteQuestion();
    EXPECT_EQ(rows(db::Journal::Purchases).size(), 1u);
}

TEST_F(Purchases, CancelOfAnEditWritesNothing) {
    open();
    type(d(), invoice());
    d().press("save");
    const auto before = rows(db::Journal::Purchases);

    d().select("list", 0).press("edit");
    EXPECT_TRUE(screen->editing());
    EXPECT_EQ(d().caption("edit"), "Отказ");
    EXPECT_EQ(d().caption("save"), "Актуализирай");
    EXPECT_FALSE(d().enabled("close"));
    EXPECT_FALSE(d().enabled("period"));
    EXPECT_FALSE(d().enabled("delete"));
    EXPECT_EQ(d().text("type"), "01");
    EXPECT_EQ(d().text("col10"), "100.00");
    EXPECT_EQ(d().text("kname"), "Алфа ООД");
    d().type("docNo", "999").type("col10", "5").leave();
    d().press("edit");

    EXPECT_FALSE(screen->editing());
    EXPECT_EQ(d().caption("edit"), "Редакция");
    EXPECT_TRUE(d().enabled("close"));
    EXPECT_EQ(d().text("docNo"), "");
    const auto after = rows(db::Journal::Purchases);
    ASSERT_EQ(after.size(), 1u);
    EXPECT_EQ(after[0].docNo, before[0].docNo);
    EXPECT_EQ(after[0].amounts, before[0].amounts);
    EXPECT_EQ(after[0].dateModified, "");
}

TEST_F(Purchases, AnEditRewritesTheDocumentInPlace) {
    open();
    type(d(), invoice("1"));
    d().press("save");
    type(d(), invoice("2"));
    d().press("save");
    clock.set({2024, 3, 16, 11, 5, 0});
    d().select("list", 0).press("edit");
    d().type("col10", "200").leave().press("save");
    host.expectNoMoreBoxes();
    const auto stored = rows(db::Journal::Purchases);
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0].number, 1);
    EXPECT_EQ(stored[0].amount(db::BS41), 40.0);
    EXPECT_EQ(stored[0].dateCreate, "2024/03/15 09:30");
    EXPECT_EQ(stored[0].dateModified, "2024/03/16 11:05");
    EXPECT_EQ(d().cell("list", 0, 9), "200.00");
    EXPECT_EQ(d().cell("list", 0, 16), "2024/03/16 11:05");
    EXPECT_EQ(d().cell("list", 2, 9), "300.00");
}

// A document the database refuses is not lost: the form keeps it and says why.
TEST_F(Purchases, ADocumentThatCannotBeStoredStaysInTheForm) {
    session();
    saveRefusedByTheDatabase("X", "BEFORE INSERT ON POKUPKI WHEN NEW.DOCNO = 'X'",
                             "the disk is full");
    EXPECT_TRUE(rows(db::Journal::Purchases).empty());
    EXPECT_EQ(d().text("docNo"), "X");
    EXPECT_EQ(d().text("col10"), "100.00");
    EXPECT_EQ(d().text("knum"), "BG123456786");
    EXPECT_EQ(d().rowCount("list"), 1);
}

// The insert and the renumbering of its period are one unit of work.
TEST_F(Purchases, AFailedRenumberingTakesTheInsertBack) {
    session();
    t.document(db::Journal::Purchases, kVin, "", "202311", 5);  // out of sequence
    saveRefusedByTheDatabase("2", "BEFORE UPDATE OF NUMBER ON POKUPKI", "locked");
    EXPECT_EQ(rows(db::Journal::Purchases).size(), 1u);
    EXPECT_EQ(d().text("docNo"), "2");
}

TEST_F(Purchases, HeaderClicksSortAndTheTotalsRowStaysLast) {
    open();
    const struct {
        const char* docNo;
        const char* date;
        const char* base;
    } documents[] = {
        {"A", "10/11/2023", "9"}, {"B", "02/11/2023", "100"}, {"C", "25/10/2023", "10"}};
    for (const auto& document : documents) {
        auto typed = invoice(document.docNo);
        typed.date = document.date;
        typed.money = {{10, document.base}};
        type(d(), typed);
        d().press("save");
    }
    d().clickHeader("list", 9);  // column 10, as amounts
    EXPECT_EQ(d().column("list", 3), (std::vector<std::string>{"A", "C", "B", ""}));
    d().clickHeader("list", 9);
    EXPECT_EQ(d().column("list", 3), (std::vector<std::string>{"B", "C", "A", ""}));
    d().clickHeader("list", 4);  // dates in time order
    EXPECT_EQ(d().column("list", 3), (std::vector<std::string>{"C", "B", "A", ""}));
    d().clickHeader("list", 0);
    d().clickHeader("list", 0);  // numbers, descending
    EXPECT_EQ(d().column("list", 0), (std::vector<std::string>{"3", "2", "1", "Общо"}));
    EXPECT_EQ(d().cell("list", 3, 9), "119.00");
}

TEST_F(Purchases, EnterMovesOnAndEscapeDoesNotClose) {
    open();
    d().choose("type", "01");
    d().focus("docNo").enter();
    EXPECT_EQ(d().focused(), "date");
    d().enter();
    EXPECT_EQ(d().focused(), "knum");  // past the counterparts button
    d().escape();
    EXPECT_TRUE(d().isOpen());
    type(d(), invoice());
    d().press("save");
    d().select("list", 0).press("edit");
    d().closeWindow();
    EXPECT_TRUE(d().isOpen());  // not while editing
    d().press("edit").press("close");
    EXPECT_FALSE(d().isOpen());
}

TEST_F(Purchases, TheNotesListEveryStoredCode) {
    session();
    const auto id = t.document(db::Journal::Purchases, kVin, "", "202311", 1);
    db::ErrorSet errors;
    errors.set(33);
    errors.set(53);  // recorded by the merge import
    t.db().execute("UPDATE POKUPKI SET ERROR2 = ? WHERE ID = ?", errors.word(1), id);
    open();
    d().select("list", 0);
    EXPECT_EQ(d().text("notes"),
              "Стойността на ДДС в поле 03-41 е различна от 20% от стойността на поле 03-31\r\n"
              "За този вид документ датата не трябва да е по-ранна от 01.06.2023\r\n");
}

TEST_F(Purchases, TheCounterpartsButtonPutsThePickedIdentifierIntoField6) {
    db::InsertCounterpart(t.db(), {"BG123456786", "Алфа ООД", kVin, ""});
    open();
    d().choose("type", "01");
    host.onDialog<persons::CKontrag>(
        [](persons::CKontrag&, DialogDriver& k) { k.select("list", 0).press("Избери"); });
    d().press("counterparts");
    EXPECT_EQ(d().text("knum"), "BG123456786");
    EXPECT_EQ(d().focused(), "knum");
    d().leave();
    EXPECT_EQ(d().text("kname"), "Алфа ООД");
    host.onDialog([](DialogDriver& k) { k.press("Отказ"); });
    d().press("counterparts");
    EXPECT_EQ(d().text("knum"), "BG123456786");
}

// A period out of sequence (an older database, say) still ends with the period numbered 1, 2, 3 in
// order of entry.
TEST_F(Purchases, APeriodOutOfSequenceIsRenumberedWithTheNewDocument) {
    session();
    t.document(db::Journal::Purchases, kVin, "", "202311", 5);
    open();
    type(d(), invoice());
    d().press("save");
    const auto stored = rows(db::Journal::Purchases);
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0].number, 1);
    EXPECT_EQ(stored[1].number, 2);
    EXPECT_EQ(d().cell("list", 1, 0), "2");
}

}  // namespace

TEST_F(Purchases, PrintAsksForTheJournalOfThePeriodShownWhileTheScreenStaysOpen) {
    open("");
    EXPECT_FALSE(d().enabled("Печат")) << "no period, nothing to print";
    d().type("period", "202311");
    bool openWhilePrinting = false;
    host.onPrint([&](const ui::PrintJob&) { openWhilePrinting = d().isOpen(); });
    d().press("Печат");
    EXPECT_EQ(host.printJobs(), (std::vector<ui::PrintJob>{{ui::PrintKind::Purchases, "202311"}}));
    EXPECT_TRUE(openWhilePrinting);
    EXPECT_TRUE(d().isOpen());
    EXPECT_EQ(d().text("period"), "202311");
}

// In a euro period a document issued in leva (a late claim of 2025) is typed
// in leva and stored in euro, each column converted on its own; the notes
// pane shows the conversion before and after the save. A leva period offers
// no leva entry.
TEST_F(Purchases, ALevaDocumentInAEuroPeriodIsTypedInLevaAndStoredInEuro) {
    clock.set({2026, 12, 8, 10, 0, 0});
    open("202512");
    EXPECT_FALSE(d().enabled("levaEntry"));
    d().type("period", "202611");
    ASSERT_TRUE(d().enabled("levaEntry"));
    d().check("levaEntry");
    Typed claim = invoice();
    claim.date = "15/12/2025";
    claim.money = {{9, "1"}, {10, "100"}};
    type(d(), claim);
    EXPECT_EQ(d().text("col11"), "20.00");  // proposed from the leva base
    const std::string note =
        "Документ в лева, превърнат в евро по курс 1 € = 1.95583 лв.: к.9 1.00 лв. = 0.51 €; "
        "к.10 100.00 лв. = 51.13 €; к.11 20.00 лв. = 10.23 €";
    EXPECT_EQ(d().text("notes"), note);
    d().press("save");
    host.expectNoMoreBoxes();
    const auto stored = rows(db::Journal::Purchases);
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].amounts.at(0), 0.51);
    EXPECT_EQ(stored[0].amounts.at(1), 51.13);
    EXPECT_EQ(stored[0].amounts.at(2), 10.23);
    EXPECT_EQ(d().text("notes"), note);
    EXPECT_FALSE(d().checked("levaEntry"));
    // Enter passes over the leva box, Tab reaches it.
    d().choose("type", "01");
    d().focus("code8a").enter();
    EXPECT_EQ(d().focused(), "col9");
    d().focus("code8a").tab();
    EXPECT_EQ(d().focused(), "levaEntry");
    // The next document is typed in euro again, and stored as typed.
    Typed inEuro = invoice("2");
    inEuro.date = "10/11/2026";
    type(d(), inEuro);
    d().press("save");
    host.expectNoMoreBoxes();
    EXPECT_EQ(rows(db::Journal::Purchases).at(1).amounts.at(1), 100.0);
}
