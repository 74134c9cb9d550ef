#pragma once
// What one check run knows: the files' bytes, the return data, the line
// records with their error sets, the column sums and the VIES data. Every
// text in it is a view into the bytes of the file it was read from, which
// the state owns, so memory stays close to the size of the files.

#include <array>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "db/ErrorSet.h"
#include "files/checker/FileText.h"
#include "files/checker/Layouts.h"

namespace files::checker {

// Reader results: the file was read, it could not be opened, or it starts
// with encoding signature k (result k + 1) and no rule was applied.
inline constexpr int kFileRead = 0;
inline constexpr int kFileNotOpened = 1;

// Which reader gave which result.
struct ReaderResults {
    int deklar = kFileNotOpened;
    int purchases = kFileNotOpened;
    int sales = kFileNotOpened;
    int vies = kFileNotOpened;
};

// One line of a journal file: its bytes (without the line end) and the
// codes found in it.
struct LineRecord {
    std::string_view line;
    db::ErrorSet errors;
};

// The sales of one counterpart that belong in a VIES return, in stotinki.
struct CounterpartTotals {
    std::int64_t goodsAndExempt = 0;  // SS15 + SS19
    std::int64_t triangular = 0;      // SS25
    std::int64_t services = 0;        // SS17
    bool anyNonZero() const { return goodsAndExempt != 0 || triangular != 0 || services != 0; }
};

// A sale under the call-off stock regime: counterpart, the replacing VAT
// number (empty for code 41) and the month when it is not the return's.
using StorageRegimeEntry = std::tuple<std::string_view, std::string_view, std::string>;

struct ViesRelevantSales {
    std::unordered_map<std::string_view, CounterpartTotals> counterparts;
    std::set<StorageRegimeEntry> storageRegime;

    bool needViesReturn() const;
};

// VIES data as read; fields as cut from their lines (VAT numbers
// right-trimmed).
struct ViesSection1Row {
    std::array<std::string_view, kVirWidths.size()> fields;
    db::ErrorSet errors;
};
struct ViesSection2Row {
    std::array<std::string_view, kCosWidths.size()> fields;
    db::ErrorSet errors;
};
enum ViesSection1Field : std::size_t {
    kVirCode,
    kVirNumber,
    kVirVin,
    kVirGoods,
    kVirTriangular,
    kVirServices,
    kVirPeriod
};
enum ViesSection2Field : std::size_t {
    kCosCode,
    kCosNumber,
    kCosVin,
    kCosOperation,
    kCosReplacingVin,
    kCosPeriod
};

struct ViesData {
    std::array<std::string_view, kVhrWidths.size()> vhr{};
    std::array<std::string_view, kVdrWidths.size()> vdr{};
    std::array<std::string_view, kVtrWidths.size()> vtr{};
    std::array<std::string_view, kTtrWidths.size()> ttr{};
    std::array<std::string_view, kChrWidths.size()> chr{};
    std::vector<ViesSection1Row> section1;
    std::vector<ViesSection2Row> section2;
    db::ErrorSet header;
};

// The texts of the today's date that the rules need.
struct Today {
    std::string yearMonth;  // "%Y%m"
    std::string date;       // "%d/%m/%Y"
};

struct CheckState {
    Today today;
    ReaderResults results;

    FileText deklarText, purchaseText, salesText, viesText;

    // The DEKLAR.TXT fields, right-trimmed; empty cells read as "0.00".
    std::array<std::string_view, kDeklarFieldCount> returnData{};
    db::ErrorSet returnErrors;

    std::vector<LineRecord> purchases;
    std::vector<LineRecord> sales;
    std::array<std::int64_t, kPurchaseAmountCount> purchaseSums{};
    std::array<std::int64_t, kSalesAmountCount> salesSums{};
    std::int64_t totalCredit = 0;  // computed from the purchase sums and DR33

    ViesRelevantSales viesSales;
    ViesData vies;
};

}  // namespace files::checker
