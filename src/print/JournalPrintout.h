#pragma once
// The purchase journal and the sales journal of a period as ruled tables on
// landscape pages: a title block, a band of column headings with the legal
// wording of each column, a row of column numbers, one row per document and
// a totals row. Both journals are one family; they differ in their columns,
// fonts, widths and page capacity, which their layouts hold.

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "db/Rows.h"
#include "print/PrintStore.h"
#include "print/Surface.h"
#include "print/Text.h"

namespace print {

// What a column of the journal shows.
enum class JournalCell { Number, Klon, Type, DocNo, Date, Knum, Kname, Sdelka, Code8a, Amount };

struct JournalColumn {
    std::string number;   // "1" ... "8", "8a", "9" ...
    std::string heading;  // the legal wording, word-wrapped in the band
    JournalCell cell = JournalCell::Number;
    int amount = 0;  // db::PurchaseAmount / db::SaleAmount of an amount column
    Font font;       // of the column's content
    Align align = Align::Left;
    int left = 0, width = 0;
    int right() const { return left + width; }
};

struct JournalLayout {
    db::Journal journal = db::Journal::Purchases;
    // Title block: three lines (title, VAT number, MM/YYYY), each centred in
    // a box centred on x = 7735.
    std::array<std::string, 3> titleLines;
    Font titleFont;
    int titleBoxWidth = 0, titleBoxHeight = 0, titleTop = -180;
    Font headingFont;
    int bandTop = 0, bandHeight = 0;
    Font numberFont;  // the row of column numbers
    int numbersTop = 0;
    Font dataFont;  // the Courier font of the text cells, also of the page number
    int rowHeight = 0;
    int frameLeft = 0;
    int firstPageRows = 0, laterPageRows = 0;  // the totals row counts as a row
    // The page number: right-aligned in a box at a fixed place, or
    // left-aligned just below the frame.
    bool pageNumberBelowFrame = false;
    int pageNumberLeft = 0, pageNumberWidth = 0, pageNumberTop = 0;
    std::vector<JournalColumn> columns;

    int frameRight() const { return columns.back().right() + 30; }
};

// Continuation pages start with the row of column numbers here.
inline constexpr int kContinuationTop = -380;
// Where the rows of a sales page end.
inline constexpr int kSalesPageBottom = -11420;

// The layouts of the two journals for a period; widths are measured on the
// surface. `optionalInUse` tells which of sales columns 13 to 25 are printed.
JournalLayout PurchaseJournalLayout(Surface& surface, const std::string& vin,
                                    const std::string& period);
JournalLayout SalesJournalLayout(Surface& surface, const std::string& vin,
                                 const std::string& period,
                                 const std::array<bool, kOptionalSalesColumns>& optionalInUse);

// The factor by which the sales fonts grow when optional columns are left
// out: each omitted column, in column order, multiplies it by the next
// number of a fixed list.
double SalesScale(const std::array<bool, kOptionalSalesColumns>& optionalInUse);

// The headings of the purchase and sales amount columns for a period.
std::array<std::string, db::kPurchaseAmounts> PurchaseAmountHeadings(const std::string& period);
std::array<std::string, db::kSaleAmounts> SalesAmountHeadings(const std::string& period);

// Draws a journal page by page while its documents come in, so that a period
// of any size is printed without being held: start(), then document() for
// each in NUMBER order, then finish(). The totals row sums the amounts in
// stotinki as printed, like the journal's screen.
class JournalPrinter {
  public:
    JournalPrinter(Surface& surface, JournalLayout layout);

    // Starts page 1 with its title block, headings and column numbers;
    // false when the page cannot be started.
    bool start();
    // False once a page could not be started: the job is abandoned.
    bool document(const db::JournalRow& row);
    // The totals row, the last frame and page number.
    bool finish();
    int pages() const { return page_; }

  private:
    bool roomForRow();
    bool beginPage();
    void endPage();
    void drawTitle();
    void drawHeadings();
    void drawColumnNumbers(int top);
    void drawCells(const std::function<std::string(const JournalColumn&)>& textOf);
    void drawCell(const JournalColumn& column, const std::string& text);

    Surface& surface_;
    JournalLayout layout_;
    int page_ = 0;
    int rowsOnPage_ = 0;
    int frameTop_ = 0, rowTop_ = 0;
    bool failed_ = false;
    std::array<Stotinki, db::kSaleAmounts> totals_{};
};

// The whole printout of a journal from the database; false when it was
// abandoned because a page could not be started.
bool PrintPurchaseJournal(Surface& surface, db::Database& db, const PrintScope& scope);
bool PrintSalesJournal(Surface& surface, db::Database& db, const PrintScope& scope);

}  // namespace print
