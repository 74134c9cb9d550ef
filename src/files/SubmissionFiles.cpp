#include "files/SubmissionFiles.h"

#include <cstdlib>

#include "files/FixedWidth.h"
#include "platform/CodePage.h"

namespace files {
namespace {

constexpr const char* kLineEnd = "\r\n";

// DEKLAR.TXT cells after column 151, in the order of the form's fields.
struct DeklarCell {
    double db::ReturnRow::*member;
    int width;
};
constexpr DeklarCell kDeklarCells[] = {
    {&db::ReturnRow::ds01, 15}, {&db::ReturnRow::ds20, 15}, {&db::ReturnRow::ds11, 15},
    {&db::ReturnRow::ds21, 15}, {&db::ReturnRow::ds12, 15}, {&db::ReturnRow::ds22, 15},
    {&db::ReturnRow::ds23, 15}, {&db::ReturnRow::ds13, 15}, {&db::ReturnRow::ds24, 15},
    {&db::ReturnRow::ds14, 15}, {&db::ReturnRow::ds15, 15}, {&db::ReturnRow::ds16, 15},
    {&db::ReturnRow::ds17, 15}, {&db::ReturnRow::ds18, 15}, {&db::ReturnRow::ds19, 15},
    {&db::ReturnRow::db30, 15}, {&db::ReturnRow::db31, 15}, {&db::ReturnRow::db41, 15},
    {&db::ReturnRow::db32, 15}, {&db::ReturnRow::db42, 15}, {&db::ReturnRow::db43, 15},
    {&db::ReturnRow::dr33, 4},  {&db::ReturnRow::dr40, 15}, {&db::ReturnRow::dr50, 15},
    {&db::ReturnRow::dr60, 15}, {&db::ReturnRow::dr70, 15}, {&db::ReturnRow::dr71, 15},
    {&db::ReturnRow::dr80, 15}, {&db::ReturnRow::dr81, 15}, {&db::ReturnRow::dr82, 15},
};

// Columns 1-167 of a journal line, up to and including SDELKA.
void AppendJournalLead(std::string& line, const db::JournalRow& row, double number) {
    AppendLeft(line, row.vin, 15);
    AppendLeft(line, row.period, 6);
    AppendRight(line, row.klon, 4);
    appendWholeNumber(line, number, 15);
    AppendLeft(line, row.type, 2);
    AppendLeft(line, row.docNo, 20);
    AppendLeft(line, row.date, 10);
    AppendLeft(line, row.knum, 15);
    AppendLeft(line, row.kname, 50);
    AppendLeft(line, row.sdelka, 30);
}

void AppendJournalAmounts(std::string& line, const db::JournalRow& row) {
    for (double amount : row.amounts) appendAmount(line, amount, 15);
    AppendRight(line, row.code8a, 2);
}

// PERIOD1 of a VIES row, or blanks when it is the return's own month.
std::string ViesMonth(const std::string& period1, const std::string& monthYear) {
    return PadLeft(period1 == monthYear ? "" : period1, 7);
}

std::string ViesHeader(const std::string& monthYear, std::size_t section1Count,
                       const db::PersonRow& p) {
    return "VHR" + PadRight(monthYear, 7) + CountField(static_cast<long long>(section1Count), 5) +
           kLineEnd + "VDR" + PadRight(p.faceEgn, 15) + PadRight(p.face, 150) +
           PadRight(p.faceGrad, 50) + PadRight(p.facePk, 4) + PadRight(p.faceAdr1, 150) +
           PadRight(p.flPredst, 1) + kLineEnd + "VTR" + PadRight(p.vin, 15) +
           PadRight(p.name, 150) + PadRight(p.adress, 200) + kLineEnd;
}

std::string ViesSection1(const std::vector<db::ViesRow>& rows, const std::string& monthYear) {
    double goods = 0, services = 0, triangular = 0;
    for (const auto& r : rows) goods += r.ss15, services += r.ss17, triangular += r.ss25;
    std::string out =
        "TTR" + amountField(goods + services + triangular, 12) + amountField(goods, 12) + kLineEnd;
    for (const auto& r : rows)
        out += "VIR" + wholeNumberField(r.number, 5) + PadRight(r.knum, 15) +
               amountField(r.ss15, 12) + amountField(r.ss25, 12) + amountField(r.ss17, 12) +
               ViesMonth(r.period1, monthYear) + kLineEnd;
    return out;
}

std::string ViesSection2(const std::vector<db::ViesRow>& rows, const std::string& monthYear) {
    std::string out = "CHR" + CountField(static_cast<long long>(rows.size()), 5) + kLineEnd;
    for (const auto& r : rows)
        out += "COS" + wholeNumberField(r.number, 5) + PadRight(r.knum, 15) +
               wholeNumberField(r.ss15, 1) + PadRight(r.knumz, 15) +
               ViesMonth(r.period1, monthYear) + kLineEnd;
    return out;
}

long long CountRows(db::Database& db, db::Journal journal, const std::string& vin,
                    const std::string& period) {
    auto s = db.query(std::string("SELECT count(*) FROM ") + db::TableName(journal) +
                          " WHERE VIN = ? AND PERIOD = ?",
                      vin, period);
    return s.step() ? s.integer(0) : 0;
}

}  // namespace

std::string DeklarFile(const ReturnHeader& h, const std::optional<db::ReturnRow>& row) {
    const std::string filer = platform::Utf8Prefix(h.faceEgn + "/" + h.face + " " + h.phone, 50);
    std::string line = PadRight(h.vin, 15) + PadRight(h.name, 50) + PadRight(h.period, 6) +
                       PadRight(filer, 50) + CountField(h.salesCount, 15) +
                       CountField(h.purchaseCount, 15);
    if (!row) return line;
    for (const auto& cell : kDeklarCells) line += amountField((*row).*(cell.member), cell.width);
    return line + kLineEnd;
}

std::string JournalLine(db::Journal, const db::JournalRow& row) {
    std::string line;
    line.reserve(512);
    AppendJournalLead(line, row, row.number);
    AppendJournalAmounts(line, row);
    return line + kLineEnd;
}

std::string ViesColumnDigit(const db::JournalRow& sale) {
    if (sale.amount(db::SS19) == 0) return "0";
    return std::to_string(std::atoi(sale.viesType.c_str()));
}

std::string MergeLine(db::Journal journal, const db::JournalRow& row, int position) {
    std::string line;
    line.reserve(512);
    AppendJournalLead(line, row, position);
    AppendJournalAmounts(line, row);
    if (journal == db::Journal::Sales) line += ViesColumnDigit(row);
    return line + kLineEnd;
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

std::optional<db::PersonRow> HeadOfficeRow(db::Database& db, const std::string& vin) {
    auto s = db.query("SELECT * FROM EDANNI WHERE VIN = ? AND KLON = ''", vin);
    if (!s.step()) return std::nullopt;
    return db::PersonRow::read(s);
}

ReturnHeader LoadReturnHeader(db::Database& db, const std::string& vin, const std::string& period) {
    ReturnHeader h;
    h.vin = vin;
    h.period = period;
    auto s =
        db.query("SELECT NAME, FACE, FACEEGN, PHONE FROM EDANNI WHERE VIN = ? AND KLON = ''", vin);
    if (s.step())
        h.name = s.text(0), h.face = s.text(1), h.faceEgn = s.text(2), h.phone = s.text(3);
    h.salesCount = CountRows(db, db::Journal::Sales, vin, period);
    h.purchaseCount = CountRows(db, db::Journal::Purchases, vin, period);
    return h;
}

void ForEachJournalRow(db::Database& db, db::Journal journal, const std::string& vin,
                       const std::string& period, const std::optional<std::string>& klon,
                       const std::function<void(const db::JournalRow&)>& visit) {
    const std::string sql = std::string("SELECT * FROM ") + db::TableName(journal) +
                            " WHERE VIN = ? AND PERIOD = ?" + (klon ? " AND KLON = ?" : "") +
                            " ORDER BY NUMBER";
    auto s = db.prepare(sql);
    db::Binder b(s);
    b << vin << period;
    if (klon) b << *klon;
    const db::JournalRowReader reader(journal, s);
    while (s.step()) visit(reader.read());
}

}  // namespace files
