// The rules of POKUPKI.TXT (also of the branch file pokupkix.txt): one line
// of 274 characters per purchase document.

#include <algorithm>

#include "files/checker/CheckText.h"
#include "files/checker/JournalReader.h"
#include "files/checker/LineRules.h"
#include "files/checker/Readers.h"
#include "journals/JournalRules.h"
#include "persons/IdentifierChecks.h"
#include "platform/Money.h"

namespace files::checker {
namespace {

using persons::EuPrefixVariant;

constexpr journals::Journal kJournal = journals::Journal::Purchases;

using PurchaseLine = JournalLine<kPurchaseAmountCount>;

class PurchaseRules {
  public:
    explicit PurchaseRules(const CheckState& s)
        : period_(s.returnData[kPeriod]),
          lastYear_(s.today.lastYear),
          identity_(s, {false, 1, 2, 4, 5, 25, 3, 6, 7}),
          types_(journals::DocumentTypesFor(kJournal, period_)) {}

    void check(LineRecord& record, std::int64_t position,
               std::array<std::int64_t, kPurchaseAmountCount>& sums) {
        const PurchaseLine line(record.line, kBS8AColumn);
        db::ErrorSet& e = record.errors;
        identity_.check(line, position, e);
        document(line, e);
        date(line, e);
        counterpart(line, e);
        amounts(line, e);
        addToSums(line, sums);
    }

  private:
    // All amounts but BS43 are summed for the types below 05 and for 07, 09,
    // 23, 91, 92, 93; BS43 for every type but 05.
    static void addToSums(const PurchaseLine& line,
                          std::array<std::int64_t, kPurchaseAmountCount>& sums) {
        const std::string_view type = line[kLineType];
        if (type == "05") return;
        const bool summed =
            LeadingInteger(type) < 5 || IsOneOf(type, {"07", "09", "23", "91", "92", "93"});
        for (std::size_t k = 0; k < sums.size(); ++k)
            if (summed || k == kBS43) sums[k] = money::WrappingAdd(sums[k], line.amount[k]);
    }

    void document(const PurchaseLine& l, db::ErrorSet& e) {
        const std::string_view type = l[kLineType];
        if (std::find(types_.begin(), types_.end(), type) == types_.end()) e.set(8);
        const bool accepted = field8aVerdict_.of({type, l.field8a}, [&] {
            return journals::IsAcceptedField8aCode(kJournal, type, l.field8a, period_);
        });
        if (!accepted) e.set(32);
        if (type == "07" && l[kLineCounterpart] != persons::kPlaceholderIdentifier) e.set(40);
        if (l[kLineDocNo].empty() && !(type == "09" && l.nonZero(kBS44))) e.set(10);
    }

    void date(const PurchaseLine& l, db::ErrorSet& e) {
        const std::string_view date = l[kLineDate];
        if (date.empty()) e.set(11);
        if (!IsWellFormedDate(date, "2007", lastYear_)) e.set(12);
        // The rules by month need a date whose month can be read.
        const auto month = journals::DocumentMonth(date);
        if (!month) return;
        if (journals::MonthsBefore(period_, date).value_or(0) > 12) e.set(35);
        const journals::DatedDocument document{kJournal, period_, l[kLineType], l.field8a, date};
        using journals::DateRule;
        const auto breaks = [&](DateRule rule) {
            return journals::BreaksDateRule(rule, document, *month);
        };
        if (breaks(DateRule::AfterPeriod)) e.set(13);
        if (breaks(DateRule::CallOffStockBefore2020)) e.set(51);
        if (breaks(DateRule::Type23Before202306)) e.set(53);
        if (breaks(DateRule::Field8aBefore202207)) e.set(52);
    }

    bool isEuVatNumber(std::string_view text) const {
        return persons::IsEuVatPrefixValid(EuPrefixVariant::B, text, period_);
    }

    void counterpart(const PurchaseLine& l, db::ErrorSet& e) {
        const std::string_view id = l[kLineCounterpart], type = l[kLineType];
        if (!l.numeric[kBS44]) e.set(20);
        const bool knownForm = id.empty() || counterpartVerdict_.of({id}, [&] {
            return persons::IsKnownIdentifierForm(id, EuPrefixVariant::B, period_, true);
        });
        if (!knownForm) e.set(39);
        if (id.empty() && type != "09") e.set(26);
        if (id == l[kLineVin] && type != "09") e.set(36);
        if (type == "05" && !persons::IsBulgarianVatNumberForm(id) && !isEuVatNumber(id)) e.set(43);
        if (l[kLineCounterpartName].empty() && type != "09") e.set(27);
        if (l[kLineGoods].empty()) e.set(28);
        if (type == "05" && l.field8a == "53" && !isEuVatNumber(l[kLineGoods])) e.set(44);
    }

    void amounts(const PurchaseLine& l, db::ErrorSet& e) {
        constexpr std::pair<PurchaseAmount, int> kNumeric[] = {
            {kBS30, 14}, {kBS31, 15}, {kBS41, 16}, {kBS32, 17}, {kBS42, 18}, {kBS43, 19}};
        for (auto [k, code] : kNumeric)
            if (!l.numeric[k]) e.set(code);

        const std::string_view type = l[kLineType];
        if (LeadingInteger(type) >= 10 && type != "23") {
            if (l.nonZero(kBS43)) e.set(41);
            if (l.nonZero(kBS44)) e.set(42);
        }
        if (type == "05") {
            constexpr std::pair<PurchaseAmount, int> kMustBeZero[] = {
                {kBS31, 45}, {kBS41, 46}, {kBS32, 47}, {kBS42, 48}, {kBS43, 41}, {kBS44, 42}};
            for (auto [k, code] : kMustBeZero)
                if (l.nonZero(k)) e.set(code);
        } else if (l.nonZero(kBS44) && anyOtherNonZero(l, kBS44)) {
            e.set(21);
        }
        if (l.nonZero(kBS44) && !isEuVatNumber(l[kLineCounterpart])) e.set(38);
        if (l.nonZero(kBS43) && anyOtherNonZero(l, kBS43)) e.set(23);
        if (journals::HasMixedSigns(kJournal, l.amount)) e.set(24);
        // Codes 33 and 34: the VAT of columns 11 and 13 against 20 %.
        for (journals::Warning breach : journals::RateRuleBreaches(kJournal, l.amount, period_))
            e.set(static_cast<int>(breach));
    }

    static bool anyOtherNonZero(const PurchaseLine& l, PurchaseAmount except) {
        for (std::size_t k = 0; k < l.amount.size(); ++k)
            if (k != except && l.amount[k] != 0) return true;
        return false;
    }

    std::string_view period_;
    std::string_view lastYear_;  // dates of later years are not yet possible
    IdentityRules identity_;
    std::vector<std::string_view> types_;  // offered in the period
    LastVerdict<2> field8aVerdict_;
    LastVerdict<1> counterpartVerdict_;
};

// The return's purchase cells against the column sums; none when there is
// no return to compare with.
void CrossCheckPurchases(const CheckState& s, db::ErrorSet& e) {
    if (!HasReturnToCompare(s)) return;
    const auto& d = s.returnData;
    const auto& sum = s.purchaseSums;
    const auto cell = [&](DeklarField f) {
        return money::FromFileField(d[f], money::Rounding::HalfUp).value;
    };
    if (LeadingInteger(d[kPurchaseCount]) != static_cast<std::int64_t>(s.purchases.size()))
        e.set(44);
    if (cell(kDB30) != money::WrappingAdd(sum[kBS30], sum[kBS44])) e.set(45);
    if (cell(kDB31) != sum[kBS31]) e.set(46);
    if (cell(kDB32) != sum[kBS32]) e.set(47);
    if (cell(kDB41) != sum[kBS41]) e.set(48);
    if (cell(kDB42) != sum[kBS42]) e.set(49);
    if (cell(kDB43) != sum[kBS43]) e.set(50);
}

}  // namespace

const JournalFileKind kPurchaseFile = {kPurchaseLineLength, 43, 69, 29, 30};

namespace {

class PurchaseCheck final : public JournalCheck {
  public:
    const JournalFileKind& kind() const override { return kPurchaseFile; }
    FileText& text(CheckState& s) const override { return s.purchaseText; }
    std::vector<LineRecord>& records(CheckState& s) const override { return s.purchases; }

    void clear(CheckState& s) override {
        s.purchases.clear();
        s.purchaseSums = {};
        s.totalCredit = 0;
        sums_.clear();
    }

    void start(std::size_t parts) override { sums_.assign(parts, {}); }

    void checkPart(const CheckState& s, std::size_t index, const TextPart& part, bool clean,
                   std::span<LineRecord> records) override {
        PurchaseRules rules(s);
        Sums& sums = sums_[index];
        CheckJournalLines(s.purchaseText.view(), part, clean, records, kPurchaseFile,
                          [&](LineRecord& record, std::int64_t position) {
                              rules.check(record, position, sums);
                          });
    }

    void finish(CheckState& s, db::ErrorSet& returnCodes) override {
        for (const Sums& part : sums_)
            for (std::size_t k = 0; k < part.size(); ++k)
                s.purchaseSums[k] = money::WrappingAdd(s.purchaseSums[k], part[k]);
        CrossCheckPurchases(s, returnCodes);
        // Column 11 + column 13 x DR33 (rounded half up) + column 14.
        const Stotinki partial = money::CoefficientShare(
            s.purchaseSums[kBS42],
            money::FromFileField(s.returnData[kDR33], money::Rounding::HalfUp).value);
        s.totalCredit = money::WrappingAdd(money::WrappingAdd(s.purchaseSums[kBS41], partial),
                                           s.purchaseSums[kBS43]);
    }

  private:
    using Sums = std::array<std::int64_t, kPurchaseAmountCount>;
    std::vector<Sums> sums_;  // one per part
};

}  // namespace

std::unique_ptr<JournalCheck> MakePurchaseCheck() {
    return std::make_unique<PurchaseCheck>();
}

}  // namespace files::checker
