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
void appendJournalLead(std::string& line, const db::JournalRow& row, double number) {
    appendLeft(line, row.vin, 15);
    appendLeft(line, row.period, 6);
    appendRight(line, row.klon, 4);
    appendWholeNumber(line, number, 15);
    appendLeft(line, row.type, 2);
    appendLeft(line, row.docNo, 20);
    appendLeft(line, row.date, 10);
    appendLeft(line, row.knum, 15);
    appendLeft(line, row.kname, 50);
    appendLeft(line, row.sdelka, 30);
}

void appendJournalAmounts(std::string& line, const db::JournalRow& row) {
    for (double amount : row.amounts) appendAmount(line, amount, 15);
    appendRight(line, row.code8a, 2);
}

// PERIOD1 of a VIES row, or blanks when it is the return's own month.
std::string viesMonth(const std::string& period1, const std::string& monthYear) {
    return padLeft(period1 == monthYear ? "" : period1, 7);
}

std::string viesHeader(const std::string& monthYear, std::size_t section1Count,
                       const db::PersonRow& p) {
    return "VHR" + padRight(monthYear, 7) + countField(static_cast<long long>(section1Count), 5) +
           kLineEnd + "VDR" + padRight(p.faceEgn, 15) + padRight(p.face, 150) +
           padRight(p.faceGrad, 50) + padRight(p.facePk, 4) + padRight(p.faceAdr1, 150) +
           padRight(p.flPredst, 1) + kLineEnd + "VTR" + padRight(p.vin, 15) +
           padRight(p.name, 150) + padRight(p.adress, 200) + kLineEnd;
}

std::string viesSection1(const std::vector<db::ViesRow>& rows, const std::string& monthYear) {
    double goods = 0, services = 0, triangular = 0;
    for (const auto& r : rows) goods += r.ss15, services += r.ss17, triangular += r.ss25;
    std::string out =
        "TTR" + amountField(goods + services + triangular, 12) + amountField(goods, 12) + kLineEnd;
    for (const auto& r : rows)
        out += "VIR" + wholeNumberField(r.number, 5) + padRight(r.knum, 15) +
               amountField(r.ss15, 12) + amountField(r.ss25, 12) + amountField(r.ss17, 12) +
               viesMonth(r.period1, monthYear) + kLineEnd;
    return out;
}

std::string viesSection2(const std::vector<db::ViesRow>& rows, const std::string& monthYear) {
    std::string out = "CHR" + countField(static_cast<long long>(rows.size()), 5) + kLineEnd;
    for (const auto& r : rows)
        out += "COS" + wholeNumberField(r.number, 5) + padRight(r.knum, 15) +
               wholeNumberField(r.ss15, 1) + padRight(r.knumz, 15) +
               viesMonth(r.period1, monthYear) + kLineEnd;
    return out;
}

long long countRows(db::Database& db, db::Journal journal, const std::string& vin,
                    const std::string& period) {
    auto s = db.query(std::string("SELECT count(*) FROM ") + db::tableName(journal) +
                          " WHERE VIN = ? AND PERIOD = ?",
                      vin, period);
    return s.step() ? s.integer(0) : 0;
}

}  // namespace

std::string deklarFile(const ReturnHeader& h, const std::optional<db::ReturnRow>& row) {
    const std::string filer = platform::utf8Prefix(h.faceEgn + "/" + h.face + " " + h.phone, 50);
    std::string line = padRight(h.vin, 15) + padRight(h.name, 50) + padRight(h.period, 6) +
                       padRight(filer, 50) + countField(h.salesCount, 15) +
                       countField(h.purchaseCount, 15);
    if (!row) return line;
    for (const auto& cell : kDeklarCells) line += amountField((*row).*(cell.member), cell.width);
    return line + kLineEnd;
}

std::string journalLine(db::Journal, const db::JournalRow& row) {
    std::string line;
    line.reserve(512);
    appendJournalLead(line, row, row.number);
    appendJournalAmounts(line, row);
    return line + kLineEnd;
}

std::string viesColumnDigit(const db::JournalRow& sale) {
    if (sale.amount(db::SS19) == 0) return "0";
    return std::to_string(std::atoi(sale.viesType.c_str()));
}

std::string mergeLine(db::Journal journal, const db::JournalRow& row, int position) {
    std::string line;
    line.reserve(512);
    appendJournalLead(line, row, position);
    appendJournalAmounts(line, row);
    if (journal == db::Journal::Sales) line += viesColumnDigit(row);
    return line + kLineEnd;
}

std::optional<std::string> viesFile(const std::string& period,
                                    const std::optional<db::PersonRow>& person,
                                    const std::vector<db::ViesRow>& section1,
                                    const std::vector<db::ViesRow>& section2) {
    if (section1.empty() && section2.empty()) return std::nullopt;
    const auto monthYear = periodAsMonthYear(period);
    std::string out;
    if (person) out += viesHeader(monthYear, section1.size(), *person);
    if (!section1.empty()) out += viesSection1(section1, monthYear);
    if (!section2.empty()) out += viesSection2(section2, monthYear);
    return out;
}

std::optional<db::PersonRow> headOfficeRow(db::Database& db, const std::string& vin) {
    auto s = db.query("SELECT * FROM EDANNI WHERE VIN = ? AND KLON = ''", vin);
    if (!s.step()) return std::nullopt;
    return db::PersonRow::read(s);
}

ReturnHeader loadReturnHeader(db::Database& db, const std::string& vin, const std::string& period) {
    ReturnHeader h;
    h.vin = vin;
    h.period = period;
    auto s =
        db.query("SELECT NAME, FACE, FACEEGN, PHONE FROM EDANNI WHERE VIN = ? AND KLON = ''", vin);
    if (s.step())
        h.name = s.text(0), h.face = s.text(1), h.faceEgn = s.text(2), h.phone = s.text(3);
    h.salesCount = countRows(db, db::Journal::Sales, vin, period);
    h.purchaseCount = countRows(db, db::Journal::Purchases, vin, period);
    return h;
}

void forEachJournalRow(db::Database& db, db::Journal journal, const std::string& vin,
                       const std::string& period, const std::optional<std::string>& klon,
                       const std::function<void(const db::JournalRow&)>& visit) {
    const std::string sql = std::string("SELECT * FROM ") + db::tableName(journal) +
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
