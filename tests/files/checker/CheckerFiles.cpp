#include "CheckerFiles.h"

#include <stdexcept>

#include "platform/CodePage.h"

namespace checker_test {

std::string Cp1251(std::string_view utf8) {
    return platform::ToCp1251(utf8);
}

std::string Left(std::string_view utf8, std::size_t width) {
    std::string field = platform::ToCp1251(utf8);
    if (field.size() < width) field.append(width - field.size(), ' ');
    return field;
}

std::string Right(std::string_view utf8, std::size_t width) {
    std::string field = platform::ToCp1251(utf8);
    if (field.size() < width) field.insert(0, width - field.size(), ' ');
    return field;
}

std::string Deklar::line() const {
    // The cells in the order of the line; every one 15 wide but DR33 (4).
    static const char* const kCells[] = {
        "DS01", "DS20", "DS11", "DS21", "DS12", "DS22", "DS23", "DS13", "DS24", "DS14",
        "DS15", "DS16", "DS17", "DS18", "DS19", "DB30", "DB31", "DB41", "DB32", "DB42",
        "DB43", "DR33", "DR40", "DR50", "DR60", "DR70", "DR71", "DR80", "DR81", "DR82"};
    std::string text = Left(vin, 15) + Left(name, 50) + Left(period, 6) + Left(filer, 50) +
                       Right(salesCount, 15) + Right(purchaseCount, 15);
    for (const char* cell : kCells) {
        const auto it = cells.find(cell);
        const std::string value = it != cells.end() ? it->second : "0.00";
        text += Right(value, std::string_view(cell) == "DR33" ? 4 : 15);
    }
    return text;
}

std::string JournalLine::head() const {
    return Left(vin, 15) + Left(period, 6) + Right(branch, 4) + Right(number, 15) + Left(type, 2) +
           Left(docNo, 20) + Left(date, 10) + Left(counterpart, 15) + Left(counterpartName, 50) +
           Left(goods, 30);
}

std::string Purchase::line() const {
    std::string text = head();
    for (const auto& a : amounts) text += Right(a, 15);
    return text + Right(field8a, 2);
}

Sale::Sale() {
    amounts.fill("0.00");
}

std::string& Sale::amount(std::string_view column) {
    static const char* const kColumns[] = {"SS10", "SS20", "SS11", "SS21", "SS12", "SS26",
                                           "SS22", "SS23", "SS13", "SS24", "SS14", "SS15",
                                           "SS16", "SS17", "SS18", "SS19", "SS25"};
    for (std::size_t i = 0; i < amounts.size(); ++i)
        if (column == kColumns[i]) return amounts[i];
    throw std::invalid_argument("no sales column " + std::string(column));
}

std::string Sale::line() const {
    std::string text = head();
    for (const auto& a : amounts) text += Right(a, 15);
    return text + Right(field8a, 2);
}

std::vector<Purchase> DefaultPurchases() {
    Purchase first;
    Purchase second;
    second.number = "2";
    second.docNo = "1002";
    second.date = "12/05/2023";
    second.counterpart = "BG831205064";
    second.counterpartName = "Друг доставчик";
    second.goods = "Услуги";
    second.amounts = {"0.00", "50.00", "10.00", "200.00", "40.00", "0.00", "0.00"};
    return {first, second};
}

std::vector<Sale> DefaultSales() {
    Sale first;
    first.docNo = "2001";
    first.date = "20/05/2023";
    first.counterpartName = "Клиент ООД";
    first.amount("SS10") = "500.00";
    first.amount("SS20") = "100.00";
    first.amount("SS11") = "500.00";
    first.amount("SS21") = "100.00";
    Sale second;
    second.number = "2";
    second.docNo = "2002";
    second.date = "25/05/2023";
    second.counterpart = "DE123456789";
    second.counterpartName = "Kunde GmbH";
    second.amount("SS10") = "1000.00";
    second.amount("SS15") = "1000.00";
    return {first, second};
}

Purchase BranchPurchase(int number) {
    Purchase p;
    p.branch = "1";
    p.number = std::to_string(number);
    p.docNo = "P" + std::to_string(number);
    return p;
}

Sale BranchSale(int number) {
    Sale s;
    s.branch = "1";
    s.number = std::to_string(number);
    s.docNo = "S" + std::to_string(number);
    s.amount("SS10") = "100.00", s.amount("SS20") = "20.00";
    s.amount("SS11") = "100.00", s.amount("SS21") = "20.00";
    return s;
}

std::string MergeSale(const Sale& sale, std::string_view digit) {
    return sale.line() + std::string(digit);
}

std::string Vies::vhr() const {
    return "VHR" + Left(vhrPeriod, 7) + Right(vhrCount, 5);
}
std::string Vies::vdr() const {
    return "VDR" + Left(personal, 15) + Left(filerName, 150) + Left(town, 50) + Left(postcode, 4) +
           Left(address, 150) + Left(kind, 1);
}
std::string Vies::vtr() const {
    return "VTR" + Left(vtrVin, 15) + Left(name, 150) + Left(vtrAddress, 200);
}
std::string Vies::ttr() const {
    return "TTR" + Right(total, 12) + Right(goodsTotal, 12);
}
std::string Vies::vir(const Row& r) const {
    return "VIR" + Right(r.number, 5) + Left(r.vin, 15) + Right(r.goods, 12) +
           Right(r.triangular, 12) + Right(r.services, 12) + Right(r.period, 7);
}
std::string Vies::chr() const {
    return "CHR" + Right(std::to_string(storage.size()), 5);
}
std::string Vies::cos(const StorageRow& r) const {
    return "COS" + Right(r.number, 5) + Left(r.vin, 15) + Left(r.operation, 1) +
           Left(r.replacing, 15) + Right(r.period, 7);
}

std::string Vies::file() const {
    std::string text = vhr() + "\r\n" + vdr() + "\r\n" + vtr() + "\r\n";
    if (withTotals) {
        text += ttr() + "\r\n";
        for (const auto& row : rows) text += vir(row) + "\r\n";
    }
    if (!storage.empty()) {
        text += chr() + "\r\n";
        for (const auto& row : storage) text += cos(row) + "\r\n";
    }
    return text;
}

Checked Check(const testing_support::TempDir& dir, platform::LocalDateTime today) {
    Checked c;
    c.report = platform::DecodeCp1251(
        files::checker::RunCheck(c.state, dir.path(), files::checker::RunKind::Folder, today));
    return c;
}

namespace {

// The lines of the default folder moved to another period, their documents
// dated on the same days of its month.
template <typename Line>
std::vector<Line> MovedTo(std::vector<Line> lines, const std::string& period) {
    for (auto& line : lines) {
        line.period = period;
        line.date = line.date.substr(0, 3) + period.substr(4, 2) + "/" + period.substr(0, 4);
    }
    return lines;
}

}  // namespace

void WriteConsistentFolder(const testing_support::TempDir& dir, const std::string& period) {
    Deklar deklar;
    deklar.period = period;
    Vies vies;
    vies.vhrPeriod = period.substr(4, 2) + "/" + period.substr(0, 4);
    dir.write("DEKLAR.TXT", deklar.file());
    dir.write("POKUPKI.TXT", FileOf(MovedTo(DefaultPurchases(), period)));
    dir.write("PRODAGBI.TXT", FileOf(MovedTo(DefaultSales(), period)));
    dir.write("VIES.TXT", vies.file());
}

}  // namespace checker_test
