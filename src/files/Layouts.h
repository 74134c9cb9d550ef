#pragma once
// The layouts of the fixed-width files: one table per file kind, read by the
// writers, the checker and the merge import alike. Positions are 0-based
// here; the layouts count columns from 1. Widths count characters (the files
// are Windows-1251, one byte per character) and are minimums when written: a
// longer value is written whole.

#include <array>
#include <cstddef>
#include <string_view>

namespace files {

struct Column {
    std::size_t start;
    std::size_t width;
};

// Where a value stands in its field: text is left-aligned, numbers right.
enum class Align { Left, Right };

struct Field {
    Column column;
    Align align;
};

// The bytes of a column of a line; shorter or empty where the line ends
// before the column does.
inline std::string_view Cut(std::string_view line, Column column) {
    if (column.start >= line.size()) return {};
    return line.substr(column.start, column.width);
}

// Fields that follow one another from column 1.
template <std::size_t N>
constexpr std::array<Field, N> Sequential(const std::array<std::size_t, N>& widths,
                                          const std::array<Align, N>& aligns) {
    std::array<Field, N> fields{};
    std::size_t start = 0;
    for (std::size_t i = 0; i < N; ++i) {
        fields[i] = {{start, widths[i]}, aligns[i]};
        start += widths[i];
    }
    return fields;
}

// ---- DEKLAR.TXT: the return in one line of 590 characters ----

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

// The first amount cell; every field from here on is an amount (DR33 the
// coefficient, with two decimals in 4 columns).
inline constexpr std::size_t kFirstDeklarCell = kDS01;

inline constexpr std::array<Field, kDeklarFieldCount> kDeklarLayout = [] {
    std::array<std::size_t, kDeklarFieldCount> widths{};
    std::array<Align, kDeklarFieldCount> aligns{};
    widths[kVin] = 15, widths[kName] = 50, widths[kPeriod] = 6, widths[kFiler] = 50;
    widths[kSalesCount] = 15, widths[kPurchaseCount] = 15;
    aligns[kSalesCount] = aligns[kPurchaseCount] = Align::Right;
    for (std::size_t f = kFirstDeklarCell; f < kDeklarFieldCount; ++f) {
        widths[f] = f == kDR33 ? 4 : 15;
        aligns[f] = Align::Right;
    }
    return Sequential(widths, aligns);
}();

// ---- Pokupki.txt, Prodagbi.txt and their merge files ----

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

inline constexpr std::array<Field, kJournalTextFieldCount> kJournalLeadLayout =
    Sequential<10>({15, 6, 4, 15, 2, 20, 10, 15, 50, 30},
                   {Align::Left, Align::Left, Align::Right, Align::Right, Align::Left, Align::Left,
                    Align::Left, Align::Left, Align::Left, Align::Left});

// The amounts follow at column 168, 15 wide each, then the two-character
// field 8a, right-aligned. Amount k is journal column 9 + k.
inline constexpr std::size_t kFirstAmountStart = 167;
inline constexpr std::size_t kAmountWidth = 15;

inline constexpr Column AmountColumn(std::size_t k) {
    return {kFirstAmountStart + k * kAmountWidth, kAmountWidth};
}
inline constexpr Field AmountField(std::size_t k) {
    return {AmountColumn(k), Align::Right};
}

// Pokupki.txt: 7 amounts (BS30, BS31, BS41, BS32, BS42, BS43, BS44), BS8A.
inline constexpr std::size_t kPurchaseLineLength = 274;
inline constexpr std::size_t kPurchaseAmountCount = 7;
enum PurchaseAmount : std::size_t { kBS30, kBS31, kBS41, kBS32, kBS42, kBS43, kBS44 };
inline constexpr Column kBS8AColumn = {272, 2};

// Prodagbi.txt: 17 amounts in this order, then SS8A.
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

// The field 8a of a line of the journal with `amounts` amounts.
inline constexpr Field Code8aField(std::size_t amounts) {
    return {{kFirstAmountStart + amounts * kAmountWidth, 2}, Align::Right};
}

// Prodagbix.txt adds the VIES column digit after SS8A: 425 characters.
inline constexpr Field kMergeViesDigitField = {{424, 1}, Align::Left};
inline constexpr std::size_t kMergeSalesLineLength = 425;

// ---- VIES.txt: records that begin with a three-letter code ----

namespace vies {
constexpr Align L = Align::Left, R = Align::Right;
}  // namespace vies

// VHR: code, period MM/YYYY, number of section 1 rows.
inline constexpr auto kVhrLayout = Sequential<3>({3, 7, 5}, {vies::L, vies::L, vies::R});
// VDR: code, filer's personal number, name, town, postcode, address, capacity.
inline constexpr auto kVdrLayout = Sequential<7>(
    {3, 15, 150, 50, 4, 150, 1}, {vies::L, vies::L, vies::L, vies::L, vies::L, vies::L, vies::L});
// VTR: code, VAT number, name, address.
inline constexpr auto kVtrLayout =
    Sequential<4>({3, 15, 150, 200}, {vies::L, vies::L, vies::L, vies::L});
// TTR: code, total tax base, tax base of goods.
inline constexpr auto kTtrLayout = Sequential<3>({3, 12, 12}, {vies::L, vies::R, vies::R});
// VIR: code, number, VAT number, goods, triangular, services, period.
inline constexpr auto kVirLayout = Sequential<7>(
    {3, 5, 15, 12, 12, 12, 7}, {vies::L, vies::R, vies::L, vies::R, vies::R, vies::R, vies::R});
// CHR: code, number of section 2 rows.
inline constexpr auto kChrLayout = Sequential<2>({3, 5}, {vies::L, vies::R});
// COS: code, number, destined VAT number, operation code, replacing VAT
// number, period.
inline constexpr auto kCosLayout =
    Sequential<6>({3, 5, 15, 1, 15, 7}, {vies::L, vies::R, vies::L, vies::R, vies::L, vies::R});

// The widths of a record's fields in order, for readers that cut fields one
// after another (VIES.CSV ends them at ';' and takes the widths as maxima).
template <std::size_t N>
constexpr std::array<std::size_t, N> WidthsOf(const std::array<Field, N>& layout) {
    std::array<std::size_t, N> widths{};
    for (std::size_t i = 0; i < N; ++i) widths[i] = layout[i].column.width;
    return widths;
}
inline constexpr auto kVhrWidths = WidthsOf(kVhrLayout);
inline constexpr auto kVdrWidths = WidthsOf(kVdrLayout);
inline constexpr auto kVtrWidths = WidthsOf(kVtrLayout);
inline constexpr auto kTtrWidths = WidthsOf(kTtrLayout);
inline constexpr auto kVirWidths = WidthsOf(kVirLayout);
inline constexpr auto kChrWidths = WidthsOf(kChrLayout);
inline constexpr auto kCosWidths = WidthsOf(kCosLayout);

// The length of a record: where its last field ends.
template <std::size_t N>
constexpr std::size_t LengthOf(const std::array<Field, N>& layout) {
    return layout[N - 1].column.start + layout[N - 1].column.width;
}

}  // namespace files
