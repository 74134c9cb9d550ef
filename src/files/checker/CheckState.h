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
#include "files/Layouts.h"
#include "files/checker/FileText.h"
#include "platform/Money.h"

namespace files::checker {

namespace money = platform::money;
using money::Stotinki;

// Reader results: the file was read, it could not be opened, or it starts
// with encoding signature k (result k + 1) and no rule was applied.
inline constexpr int kFileRead = 0;
inline constexpr int kFileNotOpened = 1;
// The result of a text in UTF-8: the UTF-8 signature (1) plus one. A text
// without a signature whose bytes are UTF-8 Cyrillic gives it too.
inline constexpr int kFileInUtf8 = 2;

// The DEKLAR code of a DEKLAR.TXT that cannot be opened.
inline constexpr int kDeklarNotOpenedCode = 41;

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

// What the section 1 rows of one counterpart may sum to, from its sales
// lines, judged as the VIES return is generated (by the month of each
// document). The file does not say whether a line's exempt supplies (SS19)
// went into the VIES return, nor whether its triangular base (SS25) was an
// advance left out of it, so each of them may count or not. Sums wrap on
// overflow, as the column sums do.
struct SupplyRange {
    std::int64_t certain = 0;       // SS15, and SS17 unless the number begins with "XI"
    std::int64_t optionalLow = 0;   // the negative SS19 and SS25
    std::int64_t optionalHigh = 0;  // the positive SS19 and SS25
    std::int64_t sales = 0;         // all of them: what the sales journal shows

    bool admits(std::int64_t rowsSum) const;
};

struct ViesRelevantSales {
    std::unordered_map<std::string_view, CounterpartTotals> counterparts;
    std::set<StorageRegimeEntry> storageRegime;
    std::unordered_map<std::string_view, SupplyRange> supplies;  // by counterpart

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

// A counterpart whose section 1 rows do not sum to what its sales allow: a
// warning of the VIES part, not an error code.
struct CounterpartMismatch {
    std::string_view vin;
    std::int64_t sales = 0;            // what the sales journal shows
    std::optional<std::int64_t> vies;  // the sum of its rows; nullopt when it has none
};

struct ViesData {
    std::string_view fileName;  // "VIES.TXT" or "VIES.CSV": the file that was read
    std::array<std::string_view, kVhrWidths.size()> vhr{};
    std::array<std::string_view, kVdrWidths.size()> vdr{};
    std::array<std::string_view, kVtrWidths.size()> vtr{};
    std::array<std::string_view, kTtrWidths.size()> ttr{};
    std::array<std::string_view, kChrWidths.size()> chr{};
    std::vector<ViesSection1Row> section1;
    std::vector<ViesSection2Row> section2;
    db::ErrorSet header;
    std::vector<CounterpartMismatch> mismatches;  // ordered by VAT number
};

// The texts of the today's date that the rules need.
struct Today {
    std::string yearMonth;  // "%Y%m"
    std::string date;       // "%d/%m/%Y"
    std::string lastYear;   // the last tax year accepted (journals::LastPeriodYear)
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
