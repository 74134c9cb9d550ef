#include "files/SubmissionFiles.h"

#include <cstdlib>
#include <iterator>

#include "files/FixedWidth.h"
#include "files/Layouts.h"
#include "platform/CodePage.h"

namespace files {
namespace {

namespace money = platform::money;

constexpr const char* kLineEnd = "\r\n";

// The cell of the return row each DEKLAR.TXT field from column 152 on holds.
constexpr double db::ReturnRow::*kDeklarCells[] = {
    &db::ReturnRow::ds01, &db::ReturnRow::ds20, &db::ReturnRow::ds11, &db::ReturnRow::ds21,
    &db::ReturnRow::ds12, &db::ReturnRow::ds22, &db::ReturnRow::ds23, &db::ReturnRow::ds13,
    &db::ReturnRow::ds24, &db::ReturnRow::ds14, &db::ReturnRow::ds15, &db::ReturnRow::ds16,
    &db::ReturnRow::ds17, &db::ReturnRow::ds18, &db::ReturnRow::ds19, &db::ReturnRow::db30,
    &db::ReturnRow::db31, &db::ReturnRow::db41, &db::ReturnRow::db32, &db::ReturnRow::db42,
    &db::ReturnRow::db43, &db::ReturnRow::dr33, &db::ReturnRow::dr40, &db::ReturnRow::dr50,
    &db::ReturnRow::dr60, &db::ReturnRow::dr70, &db::ReturnRow::dr71, &db::ReturnRow::dr80,
    &db::ReturnRow::dr81, &db::ReturnRow::dr82,
};
static_assert(std::size(kDeklarCells) == kDeklarFieldCount - kFirstDeklarCell);

// Columns 1-167 of a journal line, up to and including SDELKA.
void AppendJournalLead(std::string& line, const JournalDocument& d, double number) {
    const auto& f = kJournalLeadLayout;
    AppendText(line, f[kLineVin], d.vin);
    AppendText(line, f[kLinePeriod], d.period);
    AppendText(line, f[kLineKlon], d.klon);
    AppendWholeNumber(line, f[kLineNumber], number);
    AppendText(line, f[kLineType], d.type);
    AppendText(line, f[kLineDocNo], d.docNo);
    AppendText(line, f[kLineDate], d.date);
    AppendText(line, f[kLineCounterpart], d.knum);
    AppendText(line, f[kLineCounterpartName], d.kname);
    AppendText(line, f[kLineGoods], d.sdelka);
}

// The amounts as shown, then 8a. Most amounts of a document are zero; their
// field, written once, is copied.
void AppendJournalAmounts(std::string& line, const JournalDocument& d) {
    static const std::string zero = money::ToFileField(0, kAmountWidth);
    for (std::size_t k = 0; k < d.amounts.size(); ++k) {
        if (d.amounts[k] == 0)
            line += zero;
        else
            AppendAmount(line, AmountField(k), d.amounts[k]);
    }
    AppendText(line, Code8aField(d.amounts.size()), d.code8a);
}

// The VIES column digit of a merge line: 0 when SS19 is 0, otherwise the
// number VIES_TYPE spells (0 when empty).
std::string ViesColumnDigit(const JournalDocument& sale) {
    if (sale.amounts[db::SS19] == 0) return "0";
    return std::to_string(std::atoi(std::string(sale.viesType).c_str()));
}

// PERIOD1 of a VIES row, or blanks when it is the return's own month.
void AppendViesMonth(std::string& line, const Field& field, const std::string& period1,
                     const std::string& monthYear) {
    AppendText(line, field, period1 == monthYear ? "" : period1);
}

std::string ViesHeader(const std::string& monthYear, std::size_t section1Count,
                       const db::PersonRow& p) {
    std::string out = "VHR";
    AppendText(out, kVhrLayout[1], monthYear);
    AppendCount(out, kVhrLayout[2], static_cast<long long>(section1Count));
    out += kLineEnd;
    out += "VDR";
    const std::string* vdr[] = {&p.faceEgn, &p.face,     &p.faceGrad,
                                &p.facePk,  &p.faceAdr1, &p.flPredst};
    for (std::size_t i = 0; i < std::size(vdr); ++i) AppendText(out, kVdrLayout[i + 1], *vdr[i]);
    out += kLineEnd;
    out += "VTR";
    AppendText(out, kVtrLayout[1], p.vin);
    AppendText(out, kVtrLayout[2], p.name);
    AppendText(out, kVtrLayout[3], p.adress);
    return out + kLineEnd;
}

// The TTR totals are the sums of the VIR lines' amounts as written.
std::string ViesSection1(const std::vector<db::ViesRow>& rows, const std::string& monthYear) {
    using money::FromStoredLeva;
    money::Stotinki goods = 0, services = 0, triangular = 0;
    for (const auto& r : rows) {
        goods += FromStoredLeva(r.ss15);
        services += FromStoredLeva(r.ss17);
        triangular += FromStoredLeva(r.ss25);
    }
    std::string out = "TTR";
    AppendAmount(out, kTtrLayout[1], goods + services + triangular);
    AppendAmount(out, kTtrLayout[2], goods);
    out += kLineEnd;
    for (const auto& r : rows) {
        out += "VIR";
        AppendWholeNumber(out, kVirLayout[1], r.number);
        AppendText(out, kVirLayout[2], r.knum);
        AppendAmount(out, kVirLayout[3], FromStoredLeva(r.ss15));
        AppendAmount(out, kVirLayout[4], FromStoredLeva(r.ss25));
        AppendAmount(out, kVirLayout[5], FromStoredLeva(r.ss17));
        AppendViesMonth(out, kVirLayout[6], r.period1, monthYear);
        out += kLineEnd;
    }
    return out;
}

std::string ViesSection2(const std::vector<db::ViesRow>& rows, const std::string& monthYear) {
    std::string out = "CHR";
    AppendCount(out, kChrLayout[1], static_cast<long long>(rows.size()));
    out += kLineEnd;
    for (const auto& r : rows) {
        out += "COS";
        AppendWholeNumber(out, kCosLayout[1], r.number);
        AppendText(out, kCosLayout[2], r.knum);
        AppendWholeNumber(out, kCosLayout[3], r.ss15);  // the operation code
        AppendText(out, kCosLayout[4], r.knumz);
        AppendViesMonth(out, kCosLayout[5], r.period1, monthYear);
        out += kLineEnd;
    }
    return out;
}

}  // namespace

std::string DeklarFile(const ReturnHeader& h, const std::optional<db::ReturnRow>& row) {
    const std::string filer = platform::Utf8Prefix(h.faceEgn + "/" + h.face + " " + h.phone, 50);
    const auto& f = kDeklarLayout;
    std::string line;
    AppendText(line, f[kVin], h.vin);
    AppendText(line, f[kName], h.name);
    AppendText(line, f[kPeriod], h.period);
    AppendText(line, f[kFiler], filer);
    AppendCount(line, f[kSalesCount], h.salesCount);
    AppendCount(line, f[kPurchaseCount], h.purchaseCount);
    if (!row) return line;
    for (std::size_t i = 0; i < std::size(kDeklarCells); ++i)
        AppendAmount(line, f[kFirstDeklarCell + i], money::FromStoredLeva((*row).*kDeklarCells[i]));
    return line + kLineEnd;
}

void AppendJournalLine(std::string& out, const JournalDocument& document) {
    AppendJournalLead(out, document, document.number);
    AppendJournalAmounts(out, document);
    out += kLineEnd;
}

std::string JournalLine(db::Journal, const db::JournalRow& row) {
    returns::DocumentAmounts shown;
    std::string line;
    AppendJournalLine(line, DocumentOfRow(row, shown));
    return line;
}

void AppendMergeLine(std::string& out, db::Journal journal, const JournalDocument& document,
                     int position) {
    AppendJournalLead(out, document, position);
    AppendJournalAmounts(out, document);
    if (journal == db::Journal::Sales) out += ViesColumnDigit(document);
    out += kLineEnd;
}

std::optional<std::string> ViesFile(const std::string& period,
                                    const std::optional<db::PersonRow>& person,
                                    const std::vector<db::ViesRow>& section1,
                                    const std::vector<db::ViesRow>& section2) {
    if (section1.empty() && section2.empty()) return std::nullopt;
    const auto monthYear = PeriodAsMonthYear(period);
    std::string out;
    if (person) out += ViesHeader(monthYear, section1.size(), *person);
    if (!section1.empty()) out += ViesSection1(section1, monthYear);
    if (!section2.empty()) out += ViesSection2(section2, monthYear);
    return out;
}

}  // namespace files
