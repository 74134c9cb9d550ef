// The rules of PRODAGBI.TXT: one line of 424 characters per sales document.
// While reading, the sales that belong in a VIES return are collected.

#include <algorithm>

#include "files/checker/CheckText.h"
#include "files/checker/JournalLineRules.h"
#include "files/checker/JournalReader.h"
#include "files/checker/LineRules.h"
#include "files/checker/Readers.h"
#include "journals/JournalRules.h"
#include "persons/IdentifierChecks.h"
#include "platform/Money.h"

namespace files::checker {
namespace {

using persons::EuPrefixVariant;

constexpr journals::Journal kJournal = journals::Journal::Sales;

using SalesLine = JournalLine<kSalesAmountCount>;

// What the lines of one part gave: their column sums and the sales that
// belong in a VIES return.
struct SalesPart {
    std::array<std::int64_t, kSalesAmountCount> sums{};
    ViesRelevantSales vies;
};

constexpr LineRuleCodes kSalesCodes = {
    kJournal, "2010", {true, 1, 2, 4, 5, 6, 3, 7, 8}, 9, 39, {12, 13, 14, 71, 79, 72}, 50};

struct AmountCode {
    SalesAmount amount;
    int code;
};

class SalesRules : JournalLineRules<kSalesCodes> {
  public:
    explicit SalesRules(const CheckState& s) : JournalLineRules(s) {}

    void check(LineRecord& record, std::int64_t position, SalesPart& part) {
        const SalesLine line(record.line, kSS8AColumn);
        db::ErrorSet& e = record.errors;
        if (const auto month = checkShared(line, position, e)) monthRules(line, *month, e);
        document(line, e);
        counterpart(line, e);
        amounts(line, e);
        addToSums(line, part.sums);
        collectForVies(line, e, part.vies);
        collectSupplyRange(line, part.vies.supplies);
    }

  private:
    void document(const SalesLine& l, db::ErrorSet& e) {
        const std::string_view type = l[kLineType], code = l.field8a;
        if (type == "07" && l[kLineCounterpart] != persons::kPlaceholderIdentifier) e.set(46);
        if (l[kLineDocNo].empty() && !(IsOneOf(type, {"09", "29"}) && l.nonZero(kSS12))) e.set(11);
        if (IsOneOf(type, {"50", "83"}) && IsOneOf(code, {"07", "08"})) e.set(76);
        if (type == "84" && code != "07") e.set(74);
        if (type == "85" && code != "08") e.set(75);
    }

    void monthRules(const SalesLine& l, journals::YearMonth month, db::ErrorSet& e) {
        // Type 50 too may not be dated before July 2022; the file does not
        // limit it to 2022 as the form does.
        if (breaks(journals::DateRule::SalesTypeBefore202207, l, month) ||
            (l[kLineType] == "50" && month < "202207"))
            e.set(73);
    }

    void counterpart(const SalesLine& l, db::ErrorSet& e) {
        const std::string_view id = l[kLineCounterpart], type = l[kLineType];
        const std::string_view goods = l[kLineGoods];
        if (!l.numeric[kSS12]) e.set(19);
        const bool mayLackCounterpart = IsOneOf(type, {"09", "29", "81", "82"});
        if (id.empty() && !mayLackCounterpart) e.set(IsOneOf(type, {"83", "84", "85"}) ? 77 : 33);
        if (type == "04" && !isEuVatNumber(id)) e.set(70);
        if (type == "04" && l.field8a == "43" && id.substr(0, 2) != goods.substr(0, 2)) e.set(63);
        if (l[kLineCounterpartName].empty() && !mayLackCounterpart)
            e.set(IsOneOf(type, {"50", "83", "84", "85"}) ? 78 : 10);
        if (goods.empty()) e.set(34);
        if (type == "04" && IsOneOf(l.field8a, {"43", "46"}) &&
            (!isEuVatNumber(goods) || goods.size() > 15))
            e.set(64);
    }

    void amounts(const SalesLine& l, db::ErrorSet& e) {
        constexpr AmountCode kNumeric[] = {{kSS10, 15}, {kSS20, 16}, {kSS11, 17}, {kSS21, 18},
                                           {kSS26, 20}, {kSS22, 21}, {kSS23, 22}, {kSS24, 23},
                                           {kSS25, 24}, {kSS13, 25}, {kSS14, 26}, {kSS15, 27},
                                           {kSS16, 28}, {kSS17, 29}, {kSS18, 30}, {kSS19, 31}};
        for (auto [k, code] : kNumeric)
            if (!l.numeric[k]) e.set(code);
        const std::string_view type = l[kLineType];
        if (l[kLineCounterpart] == l[kLineVin]) e.set(47);
        if (type == "04") {
            constexpr AmountCode kMustBeZero[] = {
                {kSS11, 66}, {kSS12, 52}, {kSS13, 67}, {kSS14, 53}, {kSS15, 54}, {kSS16, 55},
                {kSS17, 56}, {kSS18, 57}, {kSS19, 58}, {kSS20, 65}, {kSS21, 68}, {kSS22, 59},
                {kSS23, 60}, {kSS24, 69}, {kSS25, 61}, {kSS26, 62}};
            setWhereNonZero(l, kMustBeZero, e);
            return;  // the rules below apply to the other types
        }
        typeAmounts(l, e);
        sumsAndRates(l, e);
    }

    // Amounts that a type does not allow.
    void typeAmounts(const SalesLine& l, db::ErrorSet& e) {
        const std::string_view type = l[kLineType];
        if (IsOneOf(type, {"23", "29"})) {
            constexpr AmountCode kNotAllowed[] = {{kSS15, 54}, {kSS17, 56}, {kSS19, 58}};
            setWhereNonZero(l, kNotAllowed, e);
        } else if (LeadingInteger(type) > 10 && !IsOneOf(type, {"81", "82"})) {
            constexpr AmountCode kNotAllowed[] = {
                {kSS12, 52}, {kSS14, 53}, {kSS15, 54}, {kSS16, 55}, {kSS17, 56}, {kSS18, 57},
                {kSS19, 58}, {kSS22, 59}, {kSS23, 60}, {kSS25, 61}, {kSS26, 62}};
            setWhereNonZero(l, kNotAllowed, e);
        }
        // Bread and flour are sold at 0 %: no base or tax at 9 %.
        if (IsOneOf(type, {"84", "85"})) {
            constexpr AmountCode kNotAllowed[] = {{kSS13, 67}, {kSS24, 69}};
            setWhereNonZero(l, kNotAllowed, e);
        }
    }

    void sumsAndRates(const SalesLine& l, db::ErrorSet& e) {
        const auto& a = l.amount;
        const std::string_view type = l[kLineType];
        if (l.nonZero(kSS19)) e.set(37);
        // Codes 41 and 42: columns 9 and 10 against the sums of their parts.
        for (journals::Warning breach : journals::SumRuleBreaches(type, a))
            e.set(static_cast<int>(breach));
        const std::string_view id = l[kLineCounterpart];
        if ((l.nonZero(kSS15) || l.nonZero(kSS17)) && !isEuVatNumber(id)) e.set(40);
        if (l.nonZero(kSS25) && !isEuVatNumber(id)) e.set(40);
        if (l.nonZero(kSS25) && !IsOneOf(type, {"01", "02", "03", "09"})) e.set(48);
        if (l.nonZero(kSS12) && type != "09") e.set(49);
        if (journals::HasMixedSigns(kJournal, a)) e.set(38);
        // Codes 43, 44, and 45 (before 201206) or 51: the VAT columns against
        // their rates.
        for (journals::Warning breach : journals::RateRuleBreaches(kJournal, a, period_))
            e.set(static_cast<int>(breach));
    }

    template <std::size_t N>
    static void setWhereNonZero(const SalesLine& l, const AmountCode (&rules)[N], db::ErrorSet& e) {
        for (auto [k, code] : rules)
            if (l.nonZero(k)) e.set(code);
    }

    // All amounts are summed for the types below 10 but 04, for 23, 29, 50
    // and for the types above 80.
    static void addToSums(const SalesLine& l, std::array<std::int64_t, kSalesAmountCount>& sums) {
        const std::string_view type = l[kLineType];
        const std::int64_t value = LeadingInteger(type);
        const bool summed =
            (value < 10 && type != "04") || IsOneOf(type, {"23", "29", "50"}) || value > 80;
        if (!summed) return;
        for (std::size_t k = 0; k < sums.size(); ++k)
            sums[k] = money::WrappingAdd(sums[k], l.amount[k]);
    }

    void collectForVies(const SalesLine& l, const db::ErrorSet& e, ViesRelevantSales& vies) {
        const std::string_view type = l[kLineType], id = l[kLineCounterpart];
        if (IsOneOf(type, {"01", "02", "03", "09"})) {
            const bool relevant = l.nonZero(kSS15) || (l.nonZero(kSS17) && !id.starts_with("XI")) ||
                                  l.nonZero(kSS19) || l.nonZero(kSS25);
            if (!relevant || !persons::IsEuVatPrefixValid(EuPrefixVariant::A, id, period_)) return;
            CounterpartTotals& totals = vies.counterparts[id];
            totals.goodsAndExempt = money::WrappingAdd(
                totals.goodsAndExempt, money::WrappingAdd(l.amount[kSS15], l.amount[kSS19]));
            totals.triangular = money::WrappingAdd(totals.triangular, l.amount[kSS25]);
            totals.services = money::WrappingAdd(totals.services, l.amount[kSS17]);
            return;
        }
        if (type != "04" || e.any() ||
            !persons::IsEuVatPrefixValid(EuPrefixVariant::A, id, period_))
            return;
        std::string_view second;
        if (l.field8a == "43") {
            second = l[kLineGoods];
            if (!persons::IsEuVatPrefixValid(EuPrefixVariant::A, second, period_)) return;
        } else if (l.field8a != "41") {
            return;
        }
        const auto month = journals::DocumentMonth(l[kLineDate]);
        const bool otherMonth = month && *month != period_;
        vies.storageRegime.emplace(id, second, otherMonth ? std::string(month->text()) : "");
    }

    // What the counterpart's section 1 rows may sum to: the lines of the
    // types the VIES return takes, to a member state's VAT number valid in
    // the document's month.
    static void collectSupplyRange(const SalesLine& l,
                                   std::unordered_map<std::string_view, SupplyRange>& supplies) {
        const std::string_view type = l[kLineType], id = l[kLineCounterpart];
        if (!l.nonZero(kSS15) && !l.nonZero(kSS17) && !l.nonZero(kSS19) && !l.nonZero(kSS25))
            return;
        if (!IsOneOf(type, {"01", "02", "03", "09"})) return;
        const auto month = journals::DocumentMonth(l[kLineDate]);
        if (!month || !persons::IsEuVatPrefixValid(EuPrefixVariant::A, id, *month)) return;
        // Services to Northern Ireland never go into the return.
        const Stotinki services = id.starts_with("XI") ? 0 : l.amount[kSS17];
        SupplyRange& range = supplies[id];
        range.certain =
            money::WrappingAdd(range.certain, money::WrappingAdd(l.amount[kSS15], services));
        range.sales =
            money::WrappingAdd(range.sales, money::WrappingAdd(l.amount[kSS15], services));
        for (const Stotinki optional : {l.amount[kSS19], l.amount[kSS25]}) {
            Stotinki& bound = optional < 0 ? range.optionalLow : range.optionalHigh;
            bound = money::WrappingAdd(bound, optional);
            range.sales = money::WrappingAdd(range.sales, optional);
        }
    }
};

// The return's sales cells against the column sums; none when there is no
// return to compare with.
void CrossCheckSales(const CheckState& s, db::ErrorSet& e) {
    constexpr std::size_t kNone = CellRule::kNoColumn;
    constexpr CellRule kCells[] = {
        {kDS01, kSS10, kNone, 53}, {kDS20, kSS20, kNone, 54}, {kDS11, kSS11, kNone, 55},
        {kDS21, kSS21, kNone, 56}, {kDS12, kSS12, kSS26, 57}, {kDS22, kSS22, kNone, 58},
        {kDS23, kSS23, kNone, 59}, {kDS13, kSS13, kNone, 60}, {kDS24, kSS24, kNone, 61},
        {kDS14, kSS14, kNone, 62}, {kDS15, kSS15, kNone, 63}, {kDS16, kSS16, kNone, 64},
        {kDS17, kSS17, kNone, 65}, {kDS18, kSS18, kSS25, 66}, {kDS19, kSS19, kNone, 67}};
    CrossCheckWithReturn(s, kSalesCount, 52, s.sales.size(), s.salesSums, kCells, e);
}

}  // namespace

bool SupplyRange::admits(std::int64_t rowsSum) const {
    return rowsSum >= money::WrappingAdd(certain, optionalLow) &&
           rowsSum <= money::WrappingAdd(certain, optionalHigh);
}

bool ViesRelevantSales::needViesReturn() const {
    if (!storageRegime.empty()) return true;
    return std::any_of(counterparts.begin(), counterparts.end(),
                       [](const auto& entry) { return entry.second.anyNonZero(); });
}

const JournalFileKind kSalesFile = {kSalesLineLength, 51, 70, 35, 36};
// A prodagbix.txt line is a PRODAGBI.TXT line and the VIES column digit.
const JournalFileKind kMergeSalesFile = {kMergeSalesLineLength, 51, 70, 35, 36};

namespace {

// Adds the VIES-relevant sales of a part to those of the parts before it.
void AddViesSales(ViesRelevantSales& into, const ViesRelevantSales& part) {
    using money::WrappingAdd;
    for (const auto& [id, totals] : part.counterparts) {
        CounterpartTotals& sum = into.counterparts[id];
        sum.goodsAndExempt = WrappingAdd(sum.goodsAndExempt, totals.goodsAndExempt);
        sum.triangular = WrappingAdd(sum.triangular, totals.triangular);
        sum.services = WrappingAdd(sum.services, totals.services);
    }
    into.storageRegime.insert(part.storageRegime.begin(), part.storageRegime.end());
    for (const auto& [id, range] : part.supplies) {
        SupplyRange& sum = into.supplies[id];
        sum.certain = WrappingAdd(sum.certain, range.certain);
        sum.optionalLow = WrappingAdd(sum.optionalLow, range.optionalLow);
        sum.optionalHigh = WrappingAdd(sum.optionalHigh, range.optionalHigh);
        sum.sales = WrappingAdd(sum.sales, range.sales);
    }
}

class SalesCheck final
    : public PartedJournalCheck<SalesRules, SalesPart, &CheckState::salesText, &CheckState::sales> {
  public:
    // A branch's merge file has no return to compare with.
    SalesCheck(const JournalFileKind& kind, bool crossCheck)
        : PartedJournalCheck(kind), crossCheck_(crossCheck) {}

    void clear(CheckState& s) override {
        s.sales.clear();
        s.salesSums = {};
        s.viesSales = {};
        parts_.clear();
    }

    void finish(CheckState& s, db::ErrorSet& returnCodes) override {
        for (const SalesPart& part : parts_) {
            AddColumnSums(s.salesSums, part.sums);
            AddViesSales(s.viesSales, part.vies);
        }
        if (crossCheck_) CrossCheckSales(s, returnCodes);
    }

  private:
    bool crossCheck_;
};

}  // namespace

std::unique_ptr<JournalCheck> MakeSalesCheck() {
    return std::make_unique<SalesCheck>(kSalesFile, true);
}

std::unique_ptr<JournalCheck> MakeMergeSalesCheck() {
    return std::make_unique<SalesCheck>(kMergeSalesFile, false);
}

}  // namespace files::checker
