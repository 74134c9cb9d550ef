#include "print/JournalPrintout.h"

#include <algorithm>

#include "platform/CodePage.h"
#include "print/Text.h"

namespace print {
namespace {

constexpr int kTitleCentre = 7735;
constexpr int kColumnGap = 30;   // between a column's right edge and the next one's left
constexpr int kRuleOffset = 20;  // a column's rule stands this far left of its left edge
constexpr int kRowPadding = 80;  // a row is two lines of the data font and this
constexpr int kSalesLaterPageSpace = 11040;

// Names of 26 characters or more, and kinds of goods of 21 or more, go on
// two lines: this many characters on the first.
constexpr std::size_t kNameFirstLine = 25;
constexpr std::size_t kGoodsFirstLine = 20;

constexpr const char* kNameSample = "АААДДДРРРТТТОООПППТТШШШШШ";
constexpr const char* kGoodsSample = "АААДДДРРРТТТОООПППТТ";
constexpr const char* kDateSample = "01/01/2011";
constexpr const char* kVatNumberSample = "BG1234567890123";
constexpr const char* kAmountSample = "999999999999.99";

// Whether the period is before the given one: periods compare as text.
bool Before(const std::string& period, const char* switchPeriod) {
    return period < switchPeriod;
}

// "ал.2-5" before period 202004, "ал.2-6" from it on.
std::string Paragraphs82(const std::string& period) {
    return Before(period, "202004") ? "ал.2-5" : "ал.2-6";
}

Font MakeFont(Face face, double points, int weight, double scale = 1) {
    return Font{face, points, weight, scale};
}

// The text columns 1 to 8 and 8a, the same in both journals but for widths.
struct TextColumnSpec {
    const char* number;
    const char* heading;
    JournalCell cell;
};
constexpr TextColumnSpec kTextColumns[] = {
    {"1", "№ по ред", JournalCell::Number},
    {"2", "Клон", JournalCell::Klon},
    {"3", "Вид до ку ме нт", JournalCell::Type},
    {"4", "№ на документа", JournalCell::DocNo},
    {"5", "Дата на документа", JournalCell::Date},
    {"6", "ИН на контрагента", JournalCell::Knum},
    {"7", "Име на контрагента", JournalCell::Kname},
    {"8", "Вид на стоката/ услугата", JournalCell::Sdelka},
    {"8a", "Достав ка по чл. 163а или внос по чл. 167а от ЗДДС", JournalCell::Code8a},
};

// Adds the text columns 1 to 8a with the given widths: the number, branch,
// type and 8a in `codeFont`, the others in `dataFont`; the number aligned
// right.
void AddTextColumns(std::vector<JournalColumn>& columns, const Font& codeFont, const Font& dataFont,
                    const int (&widths)[std::size(kTextColumns)]) {
    for (std::size_t i = 0; i < std::size(kTextColumns); ++i) {
        const auto& column = kTextColumns[i];
        const bool code = column.cell == JournalCell::Number || column.cell == JournalCell::Klon ||
                          column.cell == JournalCell::Type || column.cell == JournalCell::Code8a;
        columns.push_back(
            {column.number, column.heading, column.cell, 0, code ? codeFont : dataFont,
             column.cell == JournalCell::Number ? Align::Right : Align::Left, 0, widths[i]});
    }
}

// Places the columns left to right from x = first, each 30 twips right of
// the previous one's right edge.
void PlaceColumns(std::vector<JournalColumn>& columns, int first) {
    int left = first;
    for (auto& column : columns) {
        column.left = left;
        left = column.right() + kColumnGap;
    }
}

std::string SplitLine(const std::string& text, std::size_t firstLine) {
    if (platform::Utf8Length(text) <= firstLine) return text;
    const std::string first = platform::Utf8Prefix(text, firstLine);
    return first + "\n" + text.substr(first.size());
}

std::string CellText(const JournalColumn& column, const db::JournalRow& row) {
    switch (column.cell) {
        case JournalCell::Number:
            return std::to_string(row.number);
        case JournalCell::Klon:
            return row.klon;
        case JournalCell::Type:
            return row.type;
        case JournalCell::DocNo:
            return row.docNo;
        case JournalCell::Date:
            return row.date;
        case JournalCell::Knum:
            return row.knum;
        case JournalCell::Kname:
            return SplitLine(row.kname, kNameFirstLine);
        case JournalCell::Sdelka:
            return SplitLine(row.sdelka, kGoodsFirstLine);
        case JournalCell::Code8a:
            return row.code8a;
        case JournalCell::Amount:
            return MoneyText(StoredStotinki(row.amount(column.amount)));
    }
    return {};
}

// The band is made at least as high as its tallest heading, so that no
// heading spills over the frame into the title above (the narrow column 8a
// of a scaled sales journal needs more than the band's given height).
void FitBandToHeadings(Surface& surface, JournalLayout& l) {
    for (const auto& column : l.columns)
        l.bandHeight = std::max(
            l.bandHeight, WrappedHeight(surface, column.heading, l.headingFont, column.width) +
                              l.headingFont.height());
}

}  // namespace

std::array<std::string, db::kPurchaseAmounts> PurchaseAmountHeadings(const std::string& period) {
    const std::string al = Paragraphs82(period);
    const std::string received =
        "ДО на пол. д-ки, ВОП, пол. д-ки по чл.82, " + al +
        " ЗДДС, вносът, както и ДО на пол. д-ки, използвани за извършване на д-ки по чл.69, ал.2 "
        "ЗДДС с право на ";
    return {
        "ДО и данък на пол. д-ки, ВОП, пол.доставки по чл.82, " + al +
            " ЗДДС и вносът без право на данъчен кредит (ДК) или без данък",
        received + "пълен ДК",
        "ДДС с право на пълен данъчен кредит",
        received + "част. ДК",
        "ДДС с право на частичен данъчен кредит",
        "Годишна корекция по чл.73,ал.8 ЗДДС",
        "ДО при придо- биване на стоки от посредник в трист- ранна операция",
    };
}

std::array<std::string, db::kSaleAmounts> SalesAmountHeadings(const std::string& period) {
    const bool before201602 = Before(period, "201602");
    const bool before201206 = Before(period, "201206");
    const bool before2014 = period.substr(0, 4) < "2014";
    std::array<std::string, db::kSaleAmounts> h;
    h[db::SS10] = "Общ размер на ДО за облага не с ДДС";
    h[db::SS20] = "Всичко начислен ДДС";
    h[db::SS11] = "ДО на обл. доставки 20%, вкл...";
    h[db::SS21] = before201602
                      ? "Начислен ДДС за доставки по к.11"
                      : "Нач.ДДС за дост.по к.11 и нач.данък 20%, предвиден в закона в др.случаи";
    h[db::SS12] = "ДО на ВОП";
    h[db::SS26] = "ДО по пол. д-ки по чл.82, " + Paragraphs82(period) + " ЗДДС";
    h[db::SS22] = "Начислен ДДС за ВОП и доставки по к.14";
    h[db::SS23] = before201602 ? "Начислен ДДС 20%, в др.случаи, предвидени в ЗДДС"
                               : "Начислен данък за доставки на стоки и услуги за лични нужди";
    h[db::SS13] = before201206 ? "ДО на облагаемите доставки със ставка 7%/ 9%"
                               : "ДО на облагаемите доставки със ставка 9%";
    h[db::SS24] = before201206 ? "Начислен ДДС 7%/ 9%" : "Начислен ДДС 9%";
    h[db::SS14] = "ДО на доставките със ставка 0% по глава трета от ЗДДС";
    h[db::SS15] = "ДО на ВОД";
    h[db::SS16] = before2014 ? "ДО на дост. 0% по чл.140, чл.146, ал.1 и чл.173, ал.1 и 4 ЗДДС"
                             : "ДО на дост. 0% по чл.140, чл.146, ал.1 и чл.173 ЗДДС";
    h[db::SS17] = "ДО на дост.на услуги по чл.21,ал.2 ЗДДС, с място на изп...";
    h[db::SS18] =
        "ДО на дост.по чл.69,ал.2 ЗДДС, вкл. ДО на дост. при дист. продажби,с място на изп...";
    h[db::SS19] = "ДО на освободени доставки и освободените ВОП";
    h[db::SS25] = "ДО на доставки като посредник в тристранни операции";
    return h;
}

// ---- layouts ----

JournalLayout PurchaseJournalLayout(Surface& surface, const std::string& vin,
                                    const std::string& period) {
    JournalLayout l;
    l.journal = db::Journal::Purchases;
    l.titleLines = {"ДНЕВНИК ЗА ПОКУПКИТЕ", vin, MonthOfPeriod(period)};
    l.titleFont = MakeFont(Face::CourierNewCyr, 17, 600);
    l.titleBoxWidth = 3432, l.titleBoxHeight = 304;
    l.headingFont = MakeFont(Face::CourierNewCyr, 6, 100);
    l.bandTop = -968, l.bandHeight = 1574;
    l.numberFont = MakeFont(Face::Tahoma, 7, 400);
    l.numbersTop = -2522;
    l.dataFont = MakeFont(Face::CourierNewCyr, 6, 400);
    l.rowHeight = 2 * l.dataFont.height() + kRowPadding;
    l.frameLeft = 380;
    l.firstPageRows = 26, l.laterPageRows = 32;
    l.pageNumberLeft = 14800, l.pageNumberWidth = 1192, l.pageNumberTop = -11420;

    const Font tahoma7 = MakeFont(Face::Tahoma, 7, 400);
    const Font amounts = MakeFont(Face::Tahoma, 8, 400);
    const Font& courier = l.dataFont;
    const int widths[] = {318,
                          254,
                          surface.textWidth("01", tahoma7),
                          1192,
                          surface.textWidth(kDateSample, courier),
                          surface.textWidth(kVatNumberSample, courier),
                          surface.textWidth(kNameSample, courier),
                          1416,
                          254};
    AddTextColumns(l.columns, tahoma7, courier, widths);
    const auto headings = PurchaseAmountHeadings(period);
    for (int a = 0; a < db::kPurchaseAmounts; ++a)
        l.columns.push_back({std::to_string(9 + a), headings[a], JournalCell::Amount, a, amounts,
                             Align::Right, 0, 1088});
    PlaceColumns(l.columns, 410);
    const int givenBand = l.bandHeight;
    FitBandToHeadings(surface, l);
    if (l.bandHeight > givenBand) l.numbersTop = l.bandTop - l.bandHeight;
    return l;
}

double SalesScale(const std::array<bool, kOptionalSalesColumns>& optionalInUse) {
    static constexpr double kFactors[kOptionalSalesColumns] = {
        1.025, 1.025, 1.035, 1.025, 1.025, 1.1, 1.04, 1.05, 1.07, 1.1, 1.15, 1, 1};
    double scale = 1;
    int next = 0;
    for (bool inUse : optionalInUse)
        if (!inUse) scale *= kFactors[next++];
    return scale;
}

JournalLayout SalesJournalLayout(Surface& surface, const std::string& vin,
                                 const std::string& period,
                                 const std::array<bool, kOptionalSalesColumns>& optionalInUse) {
    const double scale = SalesScale(optionalInUse);
    JournalLayout l;
    l.journal = db::Journal::Sales;
    l.titleLines = {"ДНЕВНИК ЗА ПРОДАЖБИТЕ", vin, MonthOfPeriod(period)};
    l.titleFont = MakeFont(Face::CourierNewCyr, 16, 600);
    l.titleBoxWidth = 3402, l.titleBoxHeight = 288;
    l.headingFont = MakeFont(Face::CourierNewCyr, 5, 100, scale);
    l.bandTop = -936;
    const auto headings = SalesAmountHeadings(period);
    l.bandHeight =
        scale == 1 ? 1084 : WrappedHeight(surface, headings[db::SS18], l.headingFont, 660);
    l.numberFont = MakeFont(Face::Tahoma, 6, 400, scale);
    l.dataFont = MakeFont(Face::CourierNewCyr, 4, 400, scale);
    l.rowHeight = 2 * l.dataFont.height() + kRowPadding;
    l.frameLeft = 240;
    l.laterPageRows = std::max(1, kSalesLaterPageSpace / l.rowHeight - 1);
    l.pageNumberBelowFrame = true;
    l.pageNumberLeft = 14751;

    const Font tahoma6 = l.numberFont;
    const Font amounts = MakeFont(Face::Tahoma, 4, 100, scale);
    const Font& courier = l.dataFont;
    const int klonWidth = surface.textWidth("9999", tahoma6);
    const int widths[] = {surface.textWidth("99999", tahoma6),
                          klonWidth,
                          surface.textWidth("01", tahoma6),
                          surface.textWidth(kGoodsSample, courier),
                          surface.textWidth(kDateSample, courier),
                          surface.textWidth(kVatNumberSample, courier),
                          surface.textWidth(kNameSample, courier),
                          surface.textWidth(kGoodsSample, courier),
                          klonWidth};
    AddTextColumns(l.columns, tahoma6, courier, widths);
    // Columns 9 to 25 in the journal's order of columns (not of the table).
    static constexpr db::SaleAmount kOrder[] = {
        db::SS10, db::SS20, db::SS11, db::SS21, db::SS12, db::SS26, db::SS22, db::SS23, db::SS13,
        db::SS24, db::SS14, db::SS15, db::SS16, db::SS17, db::SS18, db::SS19, db::SS25};
    const int amountWidth = scale == 1 ? 580 : surface.textWidth(kAmountSample, amounts);
    for (int n = 0; n < static_cast<int>(std::size(kOrder)); ++n) {
        const bool optional = n >= 4;
        if (optional && !optionalInUse[n - 4]) continue;
        l.columns.push_back({std::to_string(9 + n), headings[kOrder[n]], JournalCell::Amount,
                             kOrder[n], amounts, Align::Right, 0, amountWidth});
    }
    PlaceColumns(l.columns, 270);
    FitBandToHeadings(surface, l);
    l.numbersTop = l.bandTop - l.bandHeight;
    const int firstRowTop = l.numbersTop - l.rowHeight;
    l.firstPageRows = std::max(1, (firstRowTop - kSalesPageBottom) / l.rowHeight);
    return l;
}

// ---- the printer ----

JournalPrinter::JournalPrinter(Surface& surface, JournalLayout layout)
    : surface_(surface), layout_(std::move(layout)) {}

bool JournalPrinter::start() {
    if (!beginPage()) return false;
    drawTitle();
    drawHeadings();
    frameTop_ = layout_.bandTop;
    drawColumnNumbers(layout_.numbersTop);
    return true;
}

bool JournalPrinter::beginPage() {
    if (failed_ || !surface_.beginPage()) {
        failed_ = true;
        return false;
    }
    ++page_;
    rowsOnPage_ = 0;
    return true;
}

// A full page is closed before the next row, so that the totals row is the
// one that opens the last page when the documents fill the one before.
bool JournalPrinter::roomForRow() {
    if (failed_) return false;
    const int capacity = page_ == 1 ? layout_.firstPageRows : layout_.laterPageRows;
    if (rowsOnPage_ < capacity) return true;
    endPage();
    if (!beginPage()) return false;
    frameTop_ = kContinuationTop;
    drawColumnNumbers(kContinuationTop);
    return true;
}

void JournalPrinter::drawTitle() {
    const int left = kTitleCentre - layout_.titleBoxWidth / 2;
    const int step = layout_.titleBoxHeight - 60;
    int top = layout_.titleTop;
    for (const std::string& line : layout_.titleLines) {
        DrawCentredLine(surface_,
                        {left, top, left + layout_.titleBoxWidth, top - layout_.titleBoxHeight},
                        line, layout_.titleFont, Align::Center);
        top -= step;
    }
}

void JournalPrinter::drawHeadings() {
    const Font& font = layout_.headingFont;
    for (const auto& column : layout_.columns) {
        const int height = WrappedHeight(surface_, column.heading, font, column.width);
        const int top = layout_.bandTop - (layout_.bandHeight - height) / 2;
        DrawWrapped(surface_, {column.left, top, column.right(), top - height}, column.heading,
                    font, Align::Center);
    }
}

void JournalPrinter::drawColumnNumbers(int top) {
    surface_.line({layout_.frameLeft, top}, {layout_.frameRight(), top});
    for (const auto& column : layout_.columns)
        DrawCentredLine(surface_, {column.left, top, column.right(), top - layout_.rowHeight},
                        column.number, layout_.numberFont, Align::Center);
    rowTop_ = top - layout_.rowHeight;
    surface_.line({layout_.frameLeft, rowTop_}, {layout_.frameRight(), rowTop_});
}

// The cell's lines (a split name has two) as one block centred in the row;
// contents are not wrapped: the columns are measured to hold them.
void JournalPrinter::drawCell(const JournalColumn& column, const std::string& text) {
    if (text.empty()) return;
    const int lineHeight = column.font.height();
    const int lines = 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    int top = rowTop_ - (layout_.rowHeight - lines * lineHeight) / 2;
    std::string_view rest = text;
    for (int i = 0; i < lines; ++i) {
        const std::size_t end = rest.find('\n');
        surface_.text({column.left, top, column.right(), top - lineHeight}, rest.substr(0, end),
                      column.font, column.align);
        top -= lineHeight;
        if (end != std::string_view::npos) rest.remove_prefix(end + 1);
    }
}

void JournalPrinter::drawCells(const std::function<std::string(const JournalColumn&)>& textOf) {
    for (const auto& column : layout_.columns) drawCell(column, textOf(column));
    rowTop_ -= layout_.rowHeight;
    surface_.line({layout_.frameLeft, rowTop_}, {layout_.frameRight(), rowTop_});
    ++rowsOnPage_;
}

bool JournalPrinter::document(const db::JournalRow& row) {
    if (!roomForRow()) return false;
    for (const auto& column : layout_.columns)
        if (column.cell == JournalCell::Amount)
            totals_[column.amount] += StoredStotinki(row.amount(column.amount));
    drawCells([&](const JournalColumn& column) { return CellText(column, row); });
    return true;
}

bool JournalPrinter::finish() {
    if (!roomForRow()) return false;
    drawCells([&](const JournalColumn& column) -> std::string {
        if (column.cell == JournalCell::DocNo) return "ОБЩО";
        if (column.cell == JournalCell::Amount) return MoneyText(totals_[column.amount]);
        return {};
    });
    endPage();
    return true;
}

// The frame and the column rules end below the page's last row; then the
// page number.
void JournalPrinter::endPage() {
    const int right = layout_.frameRight();
    surface_.frame({layout_.frameLeft, frameTop_, right, rowTop_});
    for (const auto& column : layout_.columns) {
        const int x = column.left - kRuleOffset;
        surface_.line({x, frameTop_}, {x, rowTop_});
    }
    const std::string number = "Стр." + std::to_string(page_);
    const Font& font = layout_.dataFont;
    if (layout_.pageNumberBelowFrame) {
        const int top = rowTop_ - kRuleOffset;
        const int left = layout_.pageNumberLeft;
        surface_.text({left, top, left + surface_.textWidth(number, font), top - font.height()},
                      number, font, Align::Left);
    } else {
        const int left = layout_.pageNumberLeft, top = layout_.pageNumberTop;
        surface_.text({left, top, left + layout_.pageNumberWidth, top - font.height()}, number,
                      font, Align::Right);
    }
    surface_.endPage();
}

// ---- from the database ----

namespace {

bool PrintJournal(Surface& surface, db::Database& db, const PrintScope& scope,
                  JournalLayout layout) {
    const db::Journal journal = layout.journal;
    JournalPrinter printer(surface, std::move(layout));
    if (!printer.start()) return false;
    bool ok = true;
    ForEachDocument(db, journal, scope,
                    [&](const db::JournalRow& row) { ok = ok && printer.document(row); });
    return ok && printer.finish();
}

}  // namespace

bool PrintPurchaseJournal(Surface& surface, db::Database& db, const PrintScope& scope) {
    return PrintJournal(surface, db, scope,
                        PurchaseJournalLayout(surface, scope.vin, scope.period));
}

bool PrintSalesJournal(Surface& surface, db::Database& db, const PrintScope& scope) {
    return PrintJournal(
        surface, db, scope,
        SalesJournalLayout(surface, scope.vin, scope.period, OptionalSalesColumnsInUse(db, scope)));
}

}  // namespace print
