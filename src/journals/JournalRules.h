#pragma once
// The rules of the purchase and sales journals that the journal forms and the
// file checker share: document types and 8а codes (JournalRulesTypes.h),
// money arithmetic (JournalRulesMoney.h), and here the date, sign,
// column-group, rate and sum rules, the counterpart classification and the
// warning codes. Every function is a pure function of the typed values, the
// tax period and the document type.
//
// Amounts are passed as the journal's amount columns in stotinki, in journal
// column order starting at column 9 (index = column - 9), which is also the
// order of the table columns: 7 amounts for purchases (BS30 .. BS44), 17 for
// sales (SS10 .. SS25). A span of another size throws std::invalid_argument.
//
// The forms ask their questions and the checker sets its codes in their own
// orders; each rule is therefore a separate function, and the message of a
// rule that has one is given beside it.

#include <array>
#include <compare>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "db/ErrorSet.h"
#include "journals/JournalRulesMoney.h"
#include "journals/JournalRulesTypes.h"
#include "persons/IdentifierChecks.h"
#include "platform/Clock.h"

namespace journals {

// The tax years a period may name run from 2011 to the current year of the
// program's clock: a period cannot be filed before its year has begun, and an
// accountant files this month's return. LastPeriodYear is the one place that
// decides the last year; the period entry of the journals and of the returns,
// the checker's date windows and its call-off-stock period rule all ask it.
// The document types, 8а codes and rules are those in force up to the end of
// 2026 (the euro from 202601, platform/Currency.h); a later year keeps them.
inline constexpr std::string_view kFirstPeriodYear = "2011";

// "YYYY" of the clock's date.
std::string LastPeriodYear(const platform::LocalDateTime& today);

// Why a six-character period YYYYMM typed by the user is refused, the year
// being judged first: "Некоректна година в поле 'Период'" (before 2011 or
// after `lastYear`) or "Некоректен месец в поле 'Период'"; nullopt when it is
// accepted.
std::optional<std::string_view> PeriodYearMonthError(std::string_view period,
                                                     std::string_view lastYear);

// ---- dates ----

// A month "YYYYMM", held in place rather than in an allocated string: the
// file checker takes it from every line it reads. It compares as its text.
class YearMonth {
  public:
    explicit YearMonth(const std::array<char, 6>& digits) : digits_(digits) {}
    std::string_view text() const { return {digits_.data(), digits_.size()}; }
    operator std::string_view() const { return text(); }
    friend bool operator==(const YearMonth& a, std::string_view b) { return a.text() == b; }
    friend auto operator<=>(const YearMonth& a, std::string_view b) { return a.text() <=> b; }

  private:
    std::array<char, 6> digits_;
};

// The document month D, "YYYYMM", of a document date "DD/MM/YYYY"; nullopt
// when the text has not ten characters with digits for the month and year.
std::optional<YearMonth> DocumentMonth(std::string_view date);

// (period year - document year) x 12 + period month - document month, for a
// period "YYYYMM" and a document date "DD/MM/YYYY"; nullopt when either cannot
// be read.
std::optional<int> MonthsBefore(std::string_view period, std::string_view date);

// The date rules, compared by document month (any day of a month counts as the
// month). All but the 13-month rule are errors.
enum class DateRule {
    AfterPeriod,             // the document month is after the tax period
    ThirteenMonthsBefore,    // purchases: more than 12 months before the period (warning 35)
    Type23Before202306,      // types "23" (and sales "29") before June 2023
    Field8aBefore202207,     // 8а "07" or "08" before July 2022
    SalesTypeBefore202207,   // sales types "83", "84", "85" before July 2022
    Type50Outside2022H2,     // sales type "50" outside July-December 2022
    CallOffStockBefore2020,  // purchase type "05", sales type "04" before 2020
};

struct DatedDocument {
    Journal journal;
    std::string_view period;  // YYYYMM of the journal
    std::string_view type;    // two-digit document type
    std::string_view code8a;  // "" for the blank item
    std::string_view date;    // DD/MM/YYYY
};

// True when the document breaks the rule. A rule that does not concern the
// document's journal, type or 8а code is never broken, and neither is any rule
// by a date that cannot be read (its own check reports it).
bool BreaksDateRule(DateRule rule, const DatedDocument& document);
// The same for a caller that has the document month of the date already.
bool BreaksDateRule(DateRule rule, const DatedDocument& document, YearMonth month);

// The error text of the rule (for ThirteenMonthsBefore: the text of its
// warning box, shown with the exclamation icon and OK only).
std::string_view DateRuleMessage(DateRule rule);

// ---- signs and column groups ----

// Strictly positive and strictly negative amounts together among those that
// take part: purchases columns 9-13, and only while columns 14 and 15 are both
// zero; sales all of columns 9-25.
bool HasMixedSigns(Journal journal, std::span<const Stotinki> amounts);
inline constexpr std::string_view kMixedSignsMessage =
    "Съществуват полета, описващи стойност, с различен знак";

// Purchases: column 15 (triangular operation) together with any of columns
// 9-14.
bool BreaksTriangularGroup(std::span<const Stotinki> purchaseAmounts);
inline constexpr std::string_view kTriangularGroupMessage =
    "Неправилно попълнени колони при тристранна операция!";

// Purchases: column 14 (annual correction), column 15 zero, together with any
// of columns 9-13.
bool BreaksAnnualCorrectionGroup(std::span<const Stotinki> purchaseAmounts);
inline constexpr std::string_view kAnnualCorrectionGroupMessage =
    "Неправилно попълнени колони при годишна корекция";

// ---- warning codes ----

// The rule breaches a form lets the user accept (and the checker reports), by
// their codes in the journal's error catalogue.
enum class Warning {
    PurchaseVat11 = 33,             // column 11 is not 20 % of column 10
    PurchaseVat13 = 34,             // column 13 is not 20 % of column 12
    ThirteenMonths = 35,            // document more than 12 months before the period
    PurchaseOwnIdentifier = 36,     // counterpart = the registered person
    TriangularCounterpart = 38,     // triangular operation, counterpart not an EU VAT number
    PurchaseUnknownForm = 39,       // counterpart identifier of no known form
    SalesEuCounterpart = 40,        // columns 20, 22 or 25 without an EU VAT number
    SalesSum9 = 41,                 // column 9 is not the sum of its parts
    SalesSum10 = 42,                // column 10 is not the sum of its parts
    SalesVat12 = 43,                // column 12 is not 20 % of column 11
    SalesVat15 = 44,                // column 15 is not 20 % of columns 13 + 14
    SalesVat18Before201206 = 45,    // column 18 is neither 7 % nor 9 % of column 17
    SalesOwnIdentifier = 47,        // counterpart = the registered person
    SalesTriangularType = 48,       // column 25 with a type other than 01, 02, 03, 09
    SalesAcquisitionType = 49,      // column 13 with a type other than 09
    SalesUnknownForm = 50,          // counterpart identifier of no known form
    SalesVat18 = 51,                // column 18 is not 9 % of column 17
    CallOffStockMemberStates = 63,  // type 04, code 43: VAT numbers of different states
};

// The warnings a form accepted for one document: stored in ERROR2, while
// ERROR1 and ERROR3 stay 0.
class WarningSet {
  public:
    void set(Warning w) { errors_.set(static_cast<int>(w)); }
    void clear(Warning w) { errors_.clear(static_cast<int>(w)); }
    bool has(Warning w) const { return errors_.has(static_cast<int>(w)); }
    bool empty() const { return !errors_.any(); }
    void clearAll() { errors_ = {}; }
    // The value stored in ERROR2.
    std::int32_t error2() const { return errors_.word(1); }
    // All three words as stored with the document.
    const db::ErrorSet& errors() const { return errors_; }

  private:
    db::ErrorSet errors_;
};

// ---- rate and sum rules ----

// The rate rules the amounts break, in the order the forms ask them:
// purchases 33, 34; sales 43, 44, then 45 (periods before 201206: column 18
// agrees with neither 7 % nor 9 % of column 17) or 51 (from 201206: not 9 %).
std::vector<Warning> RateRuleBreaches(Journal journal, std::span<const Stotinki> amounts,
                                      std::string_view period);

// The sales columns that are sums of others: column 9 of the tax bases, 10 of
// the VAT.
struct SumColumn {
    int column;
    std::span<const int> parts;
};
inline constexpr int kSalesBaseParts[] = {11, 13, 14, 17, 19, 20, 21};
inline constexpr int kSalesVatParts[] = {12, 15, 16, 18};
inline constexpr SumColumn kSalesSumColumns[] = {{9, kSalesBaseParts}, {10, kSalesVatParts}};

// The amount of journal column n (9 first) and the sum of the columns named.
Stotinki ColumnOf(std::span<const Stotinki> amounts, int n);
Stotinki SumOfColumns(std::span<const Stotinki> amounts, std::span<const int> columns);

// The sales sum rules the amounts break: 41 (column 9 against columns 11 + 13
// + 14 + 17 + 19 + 20 + 21; not for type "04"), then 42 (column 10 against
// columns 12 + 15 + 16 + 18).
std::vector<Warning> SumRuleBreaches(std::string_view type, std::span<const Stotinki> amounts);

// ---- counterparts ----

// True when the counterpart identifier has a known form (a failure sets the
// journal's code 39 or 50, never a message): a Bulgarian VAT number form, a
// personal number, an EIK, or a member-state VAT number valid in the document
// month (variant A, no XI shortcut). Sales also accept the customs placeholder,
// and do not classify types "81" and "82", nor "09" and "29" without an
// identifier.
bool ClassifyCounterpart(Journal journal, std::string_view type, std::string_view identifier,
                         std::string_view documentMonth);

// The customs-declaration placeholder identifier (UsesPlaceholderCounterpart).
inline constexpr std::string_view kPlaceholderCounterpart = persons::kPlaceholderIdentifier;

}  // namespace journals
