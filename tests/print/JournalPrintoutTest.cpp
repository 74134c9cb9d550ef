#include "print/JournalPrintout.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "print/RecordingSurface.h"
#include "print/Text.h"
#include "support/TestDatabase.h"

using print::Align;
using print::Face;
using print::PrintScope;
using testing_support::DrawnText;
using testing_support::RecordingSurface;
using testing_support::TestDatabase;

namespace {

constexpr const char* kVin = "BG121212121";

class JournalPrintout : public ::testing::Test {
  protected:
    db::JournalRow& add(db::Journal journal, const std::string& klon = "",
                        const std::string& period = "202405") {
        auto row = db::EmptyJournalRow(journal);
        row.vin = kVin, row.klon = klon, row.period = period, row.type = "01";
        row.number = static_cast<int>(rows_.size()) + 1;
        row.docNo = "D" + std::to_string(row.number);
        row.date = "15/05/2024", row.knum = "BG999999999", row.kname = "Алфа";
        rows_.push_back(row);
        return rows_.back();
    }
    void store(db::Journal journal) {
        for (const auto& row : rows_) db::InsertJournalRow(t.db(), journal, row);
        rows_.clear();
    }
    bool printPurchases(const std::string& klon = "", const std::string& period = "202405") {
        store(db::Journal::Purchases);
        return print::PrintPurchaseJournal(s, t.db(), PrintScope{kVin, klon, period});
    }
    bool printSales(const std::string& period = "202405") {
        store(db::Journal::Sales);
        return print::PrintSalesJournal(s, t.db(), PrintScope{kVin, "", period});
    }
    print::JournalLayout purchaseLayout(const std::string& period = "202405") {
        RecordingSurface measuring;
        return print::PurchaseJournalLayout(measuring, kVin, period);
    }

    TestDatabase t;
    RecordingSurface s;
    std::vector<db::JournalRow> rows_;
};

}  // namespace

TEST_F(JournalPrintout, AnEmptyPeriodPrintsTitleHeadingsNumbersAndZeroTotalsOnPageOne) {
    ASSERT_TRUE(printPurchases());
    EXPECT_EQ(s.pages(), 1);
    EXPECT_FALSE(s.pageOpen());
    const auto title = s.find("ДНЕВНИК ЗА ПОКУПКИТЕ");
    ASSERT_EQ(title.size(), 1u);
    EXPECT_EQ(title[0].font, (print::Font{Face::CourierNewCyr, 17, 600, 1}));
    EXPECT_EQ((title[0].box.left + title[0].box.right) / 2, 7735);
    EXPECT_EQ(s.find(kVin).size(), 1u);
    EXPECT_EQ(s.find("05/2024").size(), 1u);
    EXPECT_EQ(s.find("ОБЩО").size(), 1u);
    EXPECT_EQ(s.find("0.00").size(), 7u);
    for (const char* number : {"1", "8", "8a", "9", "15"}) EXPECT_EQ(s.find(number).size(), 1u);
    const auto page = s.find("Стр.1");
    ASSERT_EQ(page.size(), 1u);
    EXPECT_EQ(page[0].box, (print::Box{14800, -11420, 15992, -11520}));
    EXPECT_EQ(page[0].align, Align::Right);
}

TEST_F(JournalPrintout, PurchasePagesHold26RowsThen32WithTheTotalsRowCounted) {
    const struct {
        int documents, pages;
    } cases[] = {{1, 1}, {25, 1}, {26, 2}, {57, 2}, {58, 3}, {89, 3}, {90, 4}};
    // One period per case, in one database.
    int month = 0;
    for (const auto& c : cases) {
        char period[7];
        std::snprintf(period, sizeof period, "2024%02d", ++month);
        for (int i = 0; i < c.documents; ++i) {
            auto row = db::EmptyJournalRow(db::Journal::Purchases);
            row.vin = kVin, row.period = period, row.number = i + 1, row.type = "01";
            row.amounts[db::BS30] = 1;
            row.docNo = "D" + std::to_string(i + 1);
            db::InsertJournalRow(t.db(), db::Journal::Purchases, row);
        }
        SCOPED_TRACE(c.documents);
        RecordingSurface surface;
        ASSERT_TRUE(print::PrintPurchaseJournal(surface, t.db(), {kVin, "", period}));
        EXPECT_EQ(surface.pages(), c.pages);
        const auto totals = surface.find("ОБЩО");
        ASSERT_EQ(totals.size(), 1u);
        EXPECT_EQ(totals[0].page, c.pages);
        EXPECT_EQ(surface.find("Стр." + std::to_string(c.pages)).size(), 1u);
        // Each document on the page its place gives it.
        for (int n = 1; n <= c.documents; ++n) {
            const int expected = n <= 26 ? 1 : 2 + (n - 27) / 32;
            EXPECT_EQ(surface.find("D" + std::to_string(n)).at(0).page, expected) << n;
        }
        EXPECT_EQ(surface.find(print::MoneyText(c.documents * 100)).back().page, c.pages);
    }
}

TEST_F(JournalPrintout, TheTwentySeventhRowOfAFullFirstPageIsTheTotalsRowAtTheTopOfPageTwo) {
    for (int i = 0; i < 26; ++i) add(db::Journal::Purchases);
    ASSERT_TRUE(printPurchases());
    const auto l = purchaseLayout();
    const auto totals = s.find("ОБЩО");
    ASSERT_EQ(totals.size(), 1u);
    EXPECT_EQ(totals[0].page, 2);
    // Below the row of column numbers that opens page 2 at y = -380.
    EXPECT_LT(totals[0].box.top, -380 - l.rowHeight);
    EXPECT_GT(totals[0].box.bottom, -380 - 2 * l.rowHeight);
    EXPECT_EQ(s.find("26").front().page, 1);
}

TEST_F(JournalPrintout, ContinuationPagesRepeatTheColumnNumbersUnderTheirColumns) {
    for (int i = 0; i < 60; ++i) add(db::Journal::Purchases);
    ASSERT_TRUE(printPurchases());
    ASSERT_EQ(s.pages(), 3);
    const auto l = purchaseLayout();
    for (const auto& column : l.columns) {
        const auto numbers = s.find(column.number);
        std::vector<int> pagesWithNumber;
        for (const auto& n : numbers) {
            const int rowTop = n.page == 1 ? l.numbersTop : print::kContinuationTop;
            if (n.font == l.numberFont && n.box.left == column.left &&
                n.box.right == column.right() && n.box.top <= rowTop &&
                n.box.bottom >= rowTop - l.rowHeight)
                pagesWithNumber.push_back(n.page);
        }
        EXPECT_EQ(pagesWithNumber, (std::vector<int>{1, 2, 3})) << column.number;
    }
    const auto eightA = s.onPage(2, s.find("8a"));
    ASSERT_EQ(eightA.size(), 1u);
    EXPECT_LE(eightA[0].box.top, -380);
    EXPECT_GT(eightA[0].box.bottom, -380 - l.rowHeight);
}

TEST_F(JournalPrintout, LongNamesAndKindsOfGoodsGoOnTwoLines) {
    const std::string name25 = "АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШ";  // 25 characters
    add(db::Journal::Purchases).kname = name25;
    add(db::Journal::Purchases).kname = name25 + "Щ";
    add(db::Journal::Purchases).sdelka = "Стоки за препродажба";  // 20 characters
    add(db::Journal::Purchases).sdelka = "Стоки за препродажбаX";
    ASSERT_TRUE(printPurchases());
    const auto whole = s.find(name25);
    ASSERT_EQ(whole.size(), 2u) << "the 25 characters stand alone, and as the first line of 26";
    const auto last = s.find("Щ");
    ASSERT_EQ(last.size(), 1u);
    EXPECT_EQ(last[0].box.top, whole[1].box.bottom) << "the 26th character on the line below";
    EXPECT_EQ(last[0].box.left, whole[1].box.left);
    const auto l = purchaseLayout();
    // One line centred in its row, two lines centred as a block.
    const int rowTop1 = l.numbersTop - l.rowHeight;
    EXPECT_EQ(whole[0].box.top, rowTop1 - (l.rowHeight - 100) / 2);
    EXPECT_EQ(whole[1].box.top, rowTop1 - l.rowHeight - (l.rowHeight - 200) / 2);
    EXPECT_EQ(s.find("Стоки за препродажба").size(), 2u);
    EXPECT_EQ(s.find("X").size(), 1u);
}

TEST_F(JournalPrintout, PurchaseColumnsAreMeasuredAndPlacedThirtyTwipsApart) {
    const auto l = purchaseLayout();
    ASSERT_EQ(l.columns.size(), 16u);
    EXPECT_EQ(l.columns[0].left, 410);
    for (std::size_t i = 1; i < l.columns.size(); ++i)
        EXPECT_EQ(l.columns[i].left, l.columns[i - 1].right() + 30);
    RecordingSurface m;
    EXPECT_EQ(l.columns[2].width, m.textWidth("01", {Face::Tahoma, 7, 400, 1}));
    EXPECT_EQ(l.columns[6].width,
              m.textWidth("АААДДДРРРТТТОООПППТТШШШШШ", {Face::CourierNewCyr, 6, 400, 1}));
    EXPECT_EQ(l.columns[9].width, 1088);
    EXPECT_EQ(l.rowHeight, 280);
    EXPECT_LT(l.frameRight(), 14800) << "the table ends left of the page number";
}

TEST_F(JournalPrintout, TotalsAreTheSumsOfTheAmountsAsPrinted) {
    add(db::Journal::Purchases).amounts[db::BS30] = 0.005;  // prints 0.01
    add(db::Journal::Purchases).amounts[db::BS30] = 0.005;
    add(db::Journal::Purchases).amounts[db::BS44] = -12.5;
    ASSERT_TRUE(printPurchases());
    EXPECT_EQ(s.find("0.01").size(), 2u);
    EXPECT_EQ(s.find("0.02").size(), 1u) << "the totals row adds what the rows show";
    EXPECT_EQ(s.find("-12.50").size(), 2u);
}

TEST_F(JournalPrintout, AHeadOfficePrintsItsBranchesAndABranchOnlyItsOwn) {
    add(db::Journal::Purchases, "").kname = "Централа";
    add(db::Journal::Purchases, "0001").kname = "Клон едно";
    add(db::Journal::Purchases, "0002").kname = "Клон две";
    add(db::Journal::Purchases, "", "202406").kname = "Друг период";
    store(db::Journal::Purchases);
    ASSERT_TRUE(print::PrintPurchaseJournal(s, t.db(), {kVin, "", "202405"}));
    EXPECT_EQ(s.find("Централа").size() + s.find("Клон едно").size() + s.find("Клон две").size(),
              3u);
    EXPECT_TRUE(s.find("Друг период").empty());
    RecordingSurface branch;
    ASSERT_TRUE(print::PrintPurchaseJournal(branch, t.db(), {kVin, "0001", "202405"}));
    EXPECT_EQ(branch.find("Клон едно").size(), 1u);
    EXPECT_TRUE(branch.find("Централа").empty());
    EXPECT_TRUE(branch.find("Клон две").empty());
}

TEST_F(JournalPrintout, PurchaseHeadingsNameTheParagraphsOfArticle82InForceForThePeriod) {
    for (const auto& [period, expected, other] :
         {std::tuple{"202003", "ал.2-5", "ал.2-6"}, std::tuple{"202004", "ал.2-6", "ал.2-5"}}) {
        const auto headings = print::PurchaseAmountHeadings(period);
        for (int column : {db::BS30, db::BS31, db::BS32}) {
            EXPECT_NE(headings[column].find(expected), std::string::npos) << period << column;
            EXPECT_EQ(headings[column].find(other), std::string::npos) << period << column;
        }
        EXPECT_NE(headings[db::BS31].find("пълен ДК"), std::string::npos);
        EXPECT_NE(headings[db::BS32].find("част. ДК"), std::string::npos);
    }
    // The wrapped heading lines on paper carry the wording as well.
    ASSERT_TRUE(printPurchases("", "202003"));
    EXPECT_EQ(s.containing("ал.2-5").size(), 3u);
    EXPECT_TRUE(s.containing("ал.2-6").empty());
}

TEST_F(JournalPrintout, HeadingsAreWrappedWithinTheirColumnsAndCentredInTheBand) {
    ASSERT_TRUE(printPurchases());
    const auto l = purchaseLayout();
    for (const auto& t : s.texts) {
        if (!(t.font == l.headingFont)) continue;
        EXPECT_LE(t.box.top, l.bandTop) << t.text;
        EXPECT_GE(t.box.bottom, l.bandTop - l.bandHeight) << t.text;
        EXPECT_EQ(t.align, Align::Center);
    }
    // A heading that needs many lines: the lines are within the column, but
    // for single words wider than it.
    const auto& c9 = l.columns[9];
    RecordingSurface m;
    int lines = 0;
    for (const auto& t : s.texts)
        if (t.font == l.headingFont && t.box.left == c9.left) {
            ++lines;
            EXPECT_LE(m.textWidth(t.text, l.headingFont), c9.width) << t.text;
        }
    EXPECT_GT(lines, 4);
}

TEST_F(JournalPrintout, APageThatCannotBeStartedAbandonsThePrintout) {
    for (int i = 0; i < 30; ++i) add(db::Journal::Purchases);
    s.failAtPage(2);
    EXPECT_FALSE(printPurchases());
    EXPECT_EQ(s.pages(), 1);
    EXPECT_FALSE(s.pageOpen());
    EXPECT_TRUE(s.find("ОБЩО").empty());
    RecordingSurface none;
    none.failAtPage(1);
    EXPECT_FALSE(print::PrintPurchaseJournal(none, t.db(), {kVin, "", "202405"}));
    EXPECT_TRUE(none.texts.empty());
}

// ---- sales ----

TEST_F(JournalPrintout, SalesColumnsWithoutAmountsAreLeftOutAndTheFontsGrow) {
    auto& row = add(db::Journal::Sales);
    row.amounts[db::SS10] = 100, row.amounts[db::SS20] = 20, row.amounts[db::SS11] = 100;
    row.amounts[db::SS21] = 20, row.amounts[db::SS15] = 50;
    store(db::Journal::Sales);
    const auto inUse = print::OptionalSalesColumnsInUse(t.db(), {kVin, "", "202405"});
    EXPECT_EQ(std::count(inUse.begin(), inUse.end(), true), 1);
    EXPECT_NEAR(print::SalesScale(inUse), 1.857, 0.001);
    RecordingSurface m;
    const auto l = print::SalesJournalLayout(m, kVin, "202405", inUse);
    std::vector<std::string> amountNumbers;
    for (const auto& c : l.columns)
        if (c.cell == print::JournalCell::Amount) amountNumbers.push_back(c.number);
    EXPECT_EQ(amountNumbers, (std::vector<std::string>{"9", "10", "11", "12", "20"}));
    EXPECT_EQ(l.headingFont.height(), std::lround(5 * 1200.0 / 72 * print::SalesScale(inUse)));
    EXPECT_EQ(l.titleFont.scale, 1.0) << "the title is not scaled";
    EXPECT_EQ(l.columns[9].width, m.textWidth("999999999999.99", l.columns[9].font));
    EXPECT_EQ(l.columns[0].left, 270);
    EXPECT_EQ(l.frameLeft, 240);
    EXPECT_GE(l.bandHeight, print::WrappedHeight(m, print::SalesAmountHeadings("202405")[db::SS18],
                                                 l.headingFont, 660));
    for (const auto& c : l.columns)
        EXPECT_LE(print::WrappedHeight(m, c.heading, l.headingFont, c.width), l.bandHeight)
            << "no heading spills over the band: " << c.number;
    EXPECT_EQ(l.numbersTop, l.bandTop - l.bandHeight);

    ASSERT_TRUE(printSales());
    EXPECT_EQ(s.find("ДНЕВНИК ЗА ПРОДАЖБИТЕ").size(), 1u);
    EXPECT_EQ(s.find("50.00").size(), 2u) << "column 20 and its total";
    EXPECT_TRUE(s.find("13").empty()) << "no number of an omitted column";
}

TEST_F(JournalPrintout, AFullSalesJournalHasSeventeenAmountColumnsOf580Twips) {
    std::array<bool, print::kOptionalSalesColumns> all;
    all.fill(true);
    EXPECT_EQ(print::SalesScale(all), 1.0);
    RecordingSurface m;
    const auto l = print::SalesJournalLayout(m, kVin, "202405", all);
    int amounts = 0;
    for (const auto& c : l.columns)
        if (c.cell == print::JournalCell::Amount) {
            ++amounts;
            EXPECT_EQ(c.width, 580);
        }
    EXPECT_EQ(amounts, 17);
    EXPECT_GE(l.bandHeight, 1084);
    for (const auto& c : l.columns)
        EXPECT_LE(print::WrappedHeight(m, c.heading, l.headingFont, c.width), l.bandHeight)
            << c.number;
    EXPECT_LT(l.frameRight(), 16000) << "the table fits a landscape A4 page";
}

TEST_F(JournalPrintout, SalesPagesHoldTheRowsThatFitAboveTheBottom) {
    // Every mix of scale factors: no row below y = -11420, full pages as many
    // rows as fit.
    for (int omitted : {0, 1, 5, 12, 13}) {
        SCOPED_TRACE(omitted);
        std::array<bool, print::kOptionalSalesColumns> inUse;
        for (int i = 0; i < print::kOptionalSalesColumns; ++i) inUse[i] = i >= omitted;
        RecordingSurface m;
        const auto l = print::SalesJournalLayout(m, kVin, "202405", inUse);
        const int firstRowTop = l.numbersTop - l.rowHeight;
        EXPECT_GE(firstRowTop - l.firstPageRows * l.rowHeight, print::kSalesPageBottom);
        EXPECT_LT(firstRowTop - (l.firstPageRows + 1) * l.rowHeight, print::kSalesPageBottom);
        const int laterRowsTop = print::kContinuationTop - l.rowHeight;
        EXPECT_GE(laterRowsTop - l.laterPageRows * l.rowHeight, print::kSalesPageBottom);
        EXPECT_LT(laterRowsTop - (l.laterPageRows + 1) * l.rowHeight, print::kSalesPageBottom);

        print::JournalPrinter printer(m, l);
        ASSERT_TRUE(printer.start());
        auto row = db::EmptyJournalRow(db::Journal::Sales);
        row.docNo = "N";
        for (int i = 0; i < l.firstPageRows + l.laterPageRows + 3; ++i) {
            row.number = i + 1;
            ASSERT_TRUE(printer.document(row));
        }
        ASSERT_TRUE(printer.finish());
        EXPECT_EQ(printer.pages(), 3);
        for (const auto& t : m.texts)
            if (t.text.rfind("Стр.", 0) != 0) {
                EXPECT_GE(t.box.bottom, print::kSalesPageBottom) << t.text << " p" << t.page;
            }
        const auto number = m.find("Стр.3");
        ASSERT_EQ(number.size(), 1u);
        EXPECT_EQ(number[0].box.left, 14751);
        EXPECT_EQ(number[0].align, Align::Left);
    }
}

TEST_F(JournalPrintout, SalesHeadingsFollowThePeriod) {
    const struct {
        const char* period;
        db::SaleAmount column;
        const char* wording;
    } cases[] = {
        {"201601", db::SS21, "Начислен ДДС за доставки по к.11"},
        {"201602", db::SS21,
         "Нач.ДДС за дост.по к.11 и нач.данък 20%, предвиден в закона в др.случаи"},
        {"202003", db::SS26, "ДО по пол. д-ки по чл.82, ал.2-5 ЗДДС"},
        {"202004", db::SS26, "ДО по пол. д-ки по чл.82, ал.2-6 ЗДДС"},
        {"201601", db::SS23, "Начислен ДДС 20%, в др.случаи, предвидени в ЗДДС"},
        {"201602", db::SS23, "Начислен данък за доставки на стоки и услуги за лични нужди"},
        {"201205", db::SS13, "ДО на облагаемите доставки със ставка 7%/ 9%"},
        {"201206", db::SS13, "ДО на облагаемите доставки със ставка 9%"},
        {"201205", db::SS24, "Начислен ДДС 7%/ 9%"},
        {"201206", db::SS24, "Начислен ДДС 9%"},
        {"201312", db::SS16, "ДО на дост. 0% по чл.140, чл.146, ал.1 и чл.173, ал.1 и 4 ЗДДС"},
        {"201401", db::SS16, "ДО на дост. 0% по чл.140, чл.146, ал.1 и чл.173 ЗДДС"},
        {"202405", db::SS11, "ДО на обл. доставки 20%, вкл..."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(print::SalesAmountHeadings(c.period)[c.column], c.wording) << c.period;
}
