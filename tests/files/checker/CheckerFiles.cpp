#include "CheckerFiles.h"

#include <stdexcept>

#include "platform/CodePage.h"

namespace checker_test {

std::string cp1251(std::string_view utf8) {
    return platform::toCp1251(utf8);
}

std::string left(std::string_view utf8, std::size_t width) {
    std::string field = platform::toCp1251(utf8);
    if (field.size() < width) field.append(width - field.size(), ' ');
    return field;
}

std::string right(std::string_view utf8, std::size_t width) {
    std::string field = platform::toCp1251(utf8);
    if (field.size() < width) field.insert(0, width - field.size(), ' ');
    return field;
}

std::string Deklar::line() const {
    // The cells in the order of the line; every one 15 wide but DR33 (4).
    static const char* const kCells[] = {
        "DS01", "DS20", "DS11", "DS21", "DS12", "DS22", "DS23", "DS13", "DS24", "DS14",
        "DS15", "DS16", "DS17", "DS18", "DS19", "DB30", "DB31", "DB41", "DB32", "DB42",
        "DB43", "DR33", "DR40", "DR50", "DR60", "DR70", "DR71", "DR80", "DR81", "DR82"};
    std::string text = left(vin, 15) + left(name, 50) + left(period, 6) + left(filer, 50) +
                       right(salesCount, 15) + right(purchaseCount, 15);
    for (const char* cell : kCells) {
        const auto it = cells.find(cell);
        const std::string value = it != cells.end() ? it->second : "0.00";
        text += right(value, std::string_view(cell) == "DR33" ? 4 : 15);
    }
    return text;
}

std::string JournalLine::head() const {
    return left(vin, 15) + left(period, 6) + right(branch, 4) + right(number, 15) + left(type, 2) +
           left(docNo, 20) + left(date, 10) + left(counterpart, 15) + left(counterpartName, 50) +
           left(goods, 30);
}

std::string Purchase::line() const {
    std::string text = head();
    for (const auto& a : amounts) text += right(a, 15);
    return text + right(field8a, 2);
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
    for (const auto& a : amounts) text += right(a, 15);
    return text + right(field8a, 2);
}

std::vector<Purchase> defaultPurchases() {
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

std::vector<Sale> defaultSales() {
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

std::string Vies::vhr() const {
    return "VHR" + left(vhrPeriod, 7) + right(vhrCount, 5);
}
std::string Vies::vdr() const {
    return "VDR" + left(personal, 15) + left(filerName, 150) + left(town, 50) + left(postcode, 4) +
           left(address, 150) + left(kind, 1);
}
std::string Vies::vtr() const {
    return "VTR" + left(vtrVin, 15) + left(name, 150) + left(vtrAddress, 200);
}
std::string Vies::ttr() const {
    return "TTR" + right(total, 12) + right(goodsTotal, 12);
}
std::string Vies::vir(const Row& r) const {
    return "VIR" + right(r.number, 5) + left(r.vin, 15) + right(r.goods, 12) +
           right(r.triangular, 12) + right(r.services, 12) + right(r.period, 7);
}
std::string Vies::chr() const {
    return "CHR" + right(std::to_string(storage.size()), 5);
}
std::string Vies::cos(const StorageRow& r) const {
    return "COS" + right(r.number, 5) + left(r.vin, 15) + left(r.operation, 1) +
           left(r.replacing, 15) + right(r.period, 7);
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

Checked check(const testing_support::TempDir& dir, platform::LocalDateTime today) {
    Checked c;
    c.report = platform::decodeCp1251(
        files::checker::RunCheck(c.state, dir.path(), files::checker::RunKind::Folder, today));
    return c;
}

void writeConsistentFolder(const testing_support::TempDir& dir) {
    dir.write("DEKLAR.TXT", Deklar().file());
    dir.write("POKUPKI.TXT", fileOf(defaultPurchases()));
    dir.write("PRODAGBI.TXT", fileOf(defaultSales()));
    dir.write("VIES.TXT", Vies().file());
}

}  // namespace checker_test
