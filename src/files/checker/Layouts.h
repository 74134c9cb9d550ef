#pragma once
// Where the fields of the submission-file lines stand. Positions are 0-based
// here; the file layouts count columns from 1.

#include <array>
#include <cstddef>
#include <string_view>

namespace files::checker {

struct Column {
    std::size_t start;
    std::size_t width;
};

// The bytes of a column of a line; shorter or empty where the line ends
// before the column does.
inline std::string_view Cut(std::string_view line, Column column) {
    if (column.start >= line.size()) return {};
    return line.substr(column.start, column.width);
}

// DEKLAR.TXT: the return in one line of 590 characters.
inline constexpr std::size_t kDeklarLineLength = 590;

enum DeklarField : std::size_t {
    kVin,
    kName,
    kPeriod,
    kFiler,
    kSalesCount,
    kPurchaseCount,
    kDS01,
    kDS20,
    kDS11,
    kDS21,
    kDS12,
    kDS22,
    kDS23,
    kDS13,
    kDS24,
    kDS14,
    kDS15,
    kDS16,
    kDS17,
    kDS18,
    kDS19,
    kDB30,
    kDB31,
    kDB41,
    kDB32,
    kDB42,
    kDB43,
    kDR33,
    kDR40,
    kDR50,
    kDR60,
    kDR70,
    kDR71,
    kDR80,
    kDR81,
    kDR82,
    kDeklarFieldCount
};

// The first amount cell; every field from here on is an amount or DR33.
inline constexpr std::size_t kFirstDeklarCell = kDS01;

inline constexpr std::array<Column, kDeklarFieldCount> kDeklarColumns = [] {
    std::array<Column, kDeklarFieldCount> columns{};
    columns[kVin] = {0, 15};
    columns[kName] = {15, 50};
    columns[kPeriod] = {65, 6};
    columns[kFiler] = {71, 50};
    columns[kSalesCount] = {121, 15};
    columns[kPurchaseCount] = {136, 15};
    std::size_t start = 151;
    for (std::size_t f = kDS01; f < kDeklarFieldCount; ++f) {
        const std::size_t width = f == kDR33 ? 4 : 15;
        columns[f] = {start, width};
        start += width;
    }
    return columns;
}();

// Columns 1-167 are the same in both journal files.
enum JournalField : std::size_t {
    kLineVin,
    kLinePeriod,
    kLineKlon,
    kLineNumber,
    kLineType,
    kLineDocNo,
    kLineDate,
    kLineCounterpart,
    kLineCounterpartName,
    kLineGoods,
    kJournalTextFieldCount
};

inline constexpr std::array<Column, kJournalTextFieldCount> kJournalTextColumns = {{
    {0, 15},
    {15, 6},
    {21, 4},
    {25, 15},
    {40, 2},
    {42, 20},
    {62, 10},
    {72, 15},
    {87, 50},
    {137, 30},
}};

// The amounts follow at column 168, 15 wide each, then the two-character
// field 8a. Amount k is journal column 9 + k.
inline constexpr std::size_t kFirstAmountStart = 167;
inline constexpr std::size_t kAmountWidth = 15;

inline constexpr Column AmountColumn(std::size_t k) {
    return {kFirstAmountStart + k * kAmountWidth, kAmountWidth};
}

// POKUPKI.TXT: 7 amounts (BS30, BS31, BS41, BS32, BS42, BS43, BS44), BS8A.
inline constexpr std::size_t kPurchaseLineLength = 274;
inline constexpr std::size_t kPurchaseAmountCount = 7;
enum PurchaseAmount : std::size_t { kBS30, kBS31, kBS41, kBS32, kBS42, kBS43, kBS44 };
inline constexpr Column kBS8AColumn = {272, 2};

// PRODAGBI.TXT: 17 amounts in this order, then SS8A.
inline constexpr std::size_t kSalesLineLength = 424;
inline constexpr std::size_t kSalesAmountCount = 17;
enum SalesAmount : std::size_t {
    kSS10,
    kSS20,
    kSS11,
    kSS21,
    kSS12,
    kSS26,
    kSS22,
    kSS23,
    kSS13,
    kSS24,
    kSS14,
    kSS15,
    kSS16,
    kSS17,
    kSS18,
    kSS19,
    kSS25
};
inline constexpr Column kSS8AColumn = {422, 2};

// VIES.TXT records: the widths of their fields in order.
inline constexpr std::array<std::size_t, 3> kVhrWidths = {3, 7, 5};
inline constexpr std::array<std::size_t, 7> kVdrWidths = {3, 15, 150, 50, 4, 150, 1};
inline constexpr std::array<std::size_t, 4> kVtrWidths = {3, 15, 150, 200};
inline constexpr std::array<std::size_t, 3> kTtrWidths = {3, 12, 12};
inline constexpr std::array<std::size_t, 7> kVirWidths = {3, 5, 15, 12, 12, 12, 7};
inline constexpr std::array<std::size_t, 2> kChrWidths = {3, 5};
inline constexpr std::array<std::size_t, 6> kCosWidths = {3, 5, 15, 1, 15, 7};

}  // namespace files::checker
