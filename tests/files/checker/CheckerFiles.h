#pragma once
// Submission files for the checker tests, written field by field from the
// file layouts: text fields padded on the right, amounts, counts and
// numbers on the left, all in Windows-1251. The defaults form a consistent
// folder of period 202305 with no error at all.

#include <array>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "files/checker/CheckRun.h"
#include "support/TempDir.h"

namespace checker_test {

inline constexpr const char* kOwnVin = "BG175074752";  // EIK 175074752
inline constexpr const char* kOwnPeriod = "202305";

std::string Cp1251(std::string_view utf8);
// A text field: Windows-1251, padded on the right to the width.
std::string Left(std::string_view utf8, std::size_t width);
// A right-aligned field (amounts, counts, numbers).
std::string Right(std::string_view utf8, std::size_t width);

// The return line. Cells are named as in the return: "DS01", "DR33", ...
struct Deklar {
    std::string vin = kOwnVin, name = "Зорева ООД", period = kOwnPeriod;
    std::string filer = "7501010004/Иван Петров 0888123456";
    std::string salesCount = "2", purchaseCount = "2";
    std::map<std::string, std::string> cells = {
        {"DS01", "1500.00"}, {"DS20", "100.00"}, {"DS11", "500.00"}, {"DS21", "100.00"},
        {"DS15", "1000.00"}, {"DB31", "150.00"}, {"DB41", "30.00"},  {"DB32", "200.00"},
        {"DB42", "40.00"},   {"DR33", "1.00"},   {"DR40", "70.00"},  {"DR50", "30.00"}};
    std::string line() const;  // 590 characters
    std::string file() const { return line() + "\r\n"; }
};

// The fields of columns 1-167, shared by both journals.
struct JournalLine {
    std::string vin = kOwnVin, period = kOwnPeriod, branch = "", number = "1", type = "01";
    std::string docNo = "1001", date = "10/05/2023", counterpart = "BG123456786";
    std::string counterpartName = "Контрагент ООД", goods = "Стоки";
    std::string field8a = "";
    std::string head() const;
};

struct Purchase : JournalLine {
    std::array<std::string, 7> amounts{"0.00", "100.00", "20.00", "0.00", "0.00", "0.00", "0.00"};
    std::string line() const;  // 274 characters
};

struct Sale : JournalLine {
    // SS10, SS20, SS11, SS21, SS12, SS26, SS22, SS23, SS13, SS24, SS14,
    // SS15, SS16, SS17, SS18, SS19, SS25
    std::array<std::string, 17> amounts{};
    Sale();
    std::string& amount(std::string_view column);  // by name, "SS15"
    std::string line() const;                      // 424 characters
};

// The lines joined with CR LF after each.
template <typename Line>
std::string FileOf(const std::vector<Line>& lines) {
    std::string text;
    for (const auto& l : lines) text += l.line() + "\r\n";
    return text;
}

// The consistent journals that the default return declares.
std::vector<Purchase> DefaultPurchases();
std::vector<Sale> DefaultSales();

// Documents of branch 1 as its merge files carry them, numbered n: purchase
// "P<n>" and sale "S<n>" of 100.00 taxed 20.00 at 20%.
Purchase BranchPurchase(int number);
Sale BranchSale(int number);
// A line of prodagbix.txt: the sales line and the digit of the VIES column.
std::string MergeSale(const Sale& sale, std::string_view digit = "0");

// VIES.TXT records.
struct Vies {
    std::string vhrPeriod = "05/2023", vhrCount = "1";
    std::string personal = "7501010004", filerName = "Иван Петров", town = "София",
                postcode = "1000", address = "ул. Витоша 1", kind = "A";
    std::string vtrVin = kOwnVin, name = "Зорева ООД", vtrAddress = "София, ул. Витоша 1";
    std::string total = "1000.00", goodsTotal = "1000.00";
    struct Row {
        std::string number, vin, goods, triangular, services, period;
    };
    std::vector<Row> rows = {{"1", "DE123456789", "1000.00", "0.00", "0.00", ""}};
    bool withTotals = true;
    struct StorageRow {
        std::string number, vin, operation, replacing, period;
    };
    std::vector<StorageRow> storage;  // section 2, with a CHR line when not empty

    std::string vhr() const;
    std::string vdr() const;
    std::string vtr() const;
    std::string ttr() const;
    std::string vir(const Row& row) const;
    std::string chr() const;
    std::string cos(const StorageRow& row) const;
    std::string file() const;
};

// A check run on a folder, today being 15 June 2023 unless said otherwise.
struct Checked {
    files::checker::CheckState state;
    std::string report;  // decoded to UTF-8
};
inline constexpr platform::LocalDateTime kToday{2023, 6, 15, 10, 0, 0};
Checked Check(const testing_support::TempDir& dir, platform::LocalDateTime today = kToday);

// Writes the default consistent folder (DEKLAR, journals, VIES.TXT) into dir,
// of its own period or moved to another.
void WriteConsistentFolder(const testing_support::TempDir& dir,
                           const std::string& period = kOwnPeriod);

}  // namespace checker_test
