// The rules of POKUPKI.TXT (also of the branch file pokupkix.txt): one line
// of 274 characters per purchase document.

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

constexpr journals::Journal kJournal = journals::Journal::Purchases;

using PurchaseLine = JournalLine<kPurchaseAmountCount>;
using PurchaseSums = std::array<std::int64_t, kPurchaseAmountCount>;

constexpr LineRuleCodes kPurchaseCodes = {
    kJournal, "2007", {false, 1, 2, 4, 5, 25, 3, 6, 7}, 8, 32, {11, 12, 13, 51, 53, 52}, 39};

class PurchaseRules : JournalLineRules<kPurchaseCodes> {
  public:
    explicit PurchaseRules(const CheckState& s) : JournalLineRules(s) {}

    void check(LineRecord& record, std::int64_t position, PurchaseSums& sums) {
        const PurchaseLine line(record.line, kBS8AColumn);
        db::ErrorSet& e = record.errors;
        if (checkShared(line, position, e)) monthRules(line, e);
        document(line, e);
        counterpart(line, e);
        amounts(line, e);
        addToSums(line, sums);
    }

  private:
    // All amounts but BS43 are summed for the types below 05 and for 07, 09,
    // 23, 91, 92, 93; BS43 for every type but 05.
    static void addToSums(const PurchaseLine& line, PurchaseSums& sums) {
        const std::string_view type = line[kLineType];
        if (type == "05") return;
        const bool summed =
            LeadingInteger(type) < 5 || IsOneOf(type, {"07", "09", "23", "91", "92", "93"});
        for (std::size_t k = 0; k < sums.size(); ++k)
            if (summed || k == kBS43) sums[k] = money::WrappingAdd(sums[k], line.amount[k]);
    }

    void document(const PurchaseLine& l, db::ErrorSet& e) {
        const std::string_view type = l[kLineType];
        if (type == "07" && l[kLineCounterpart] != persons::kPlaceholderIdentifier) e.set(40);
        if (l[kLineDocNo].empty() && !(type == "09" && l.nonZero(kBS44))) e.set(10);
    }

    // For a date whose month can be read.
    void monthRules(const PurchaseLine& l, db::ErrorSet& e) {
        if (journals::MonthsBefore(period_, l[kLineDate]).value_or(0) > 12) e.set(35);
    }

    void counterpart(const PurchaseLine& l, db::ErrorSet& e) {
        const std::string_view id = l[kLineCounterpart], type = l[kLineType];
        if (!l.numeric[kBS44]) e.set(20);
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
};

// The return's purchase cells against the column sums; none when there is
// no return to compare with.
void CrossCheckPurchases(const CheckState& s, db::ErrorSet& e) {
    constexpr std::size_t kNone = CellRule::kNoColumn;
    constexpr CellRule kCells[] = {{kDB30, kBS30, kBS44, 45}, {kDB31, kBS31, kNone, 46},
                                   {kDB32, kBS32, kNone, 47}, {kDB41, kBS41, kNone, 48},
                                   {kDB42, kBS42, kNone, 49}, {kDB43, kBS43, kNone, 50}};
    CrossCheckWithReturn(s, kPurchaseCount, 44, s.purchases.size(), s.purchaseSums, kCells, e);
}

}  // namespace

const JournalFileKind kPurchaseFile = {kPurchaseLineLength, 43, 69, 29, 30};

namespace {

class PurchaseCheck final
    : public PartedJournalCheck<PurchaseRules, PurchaseSums, &CheckState::purchaseText,
                                &CheckState::purchases> {
  public:
    PurchaseCheck() : PartedJournalCheck(kPurchaseFile) {}

    void clear(CheckState& s) override {
        s.purchases.clear();
        s.purchaseSums = {};
        s.totalCredit = 0;
        parts_.clear();
    }

    void finish(CheckState& s, db::ErrorSet& returnCodes) override {
        for (const PurchaseSums& part : parts_) AddColumnSums(s.purchaseSums, part);
        CrossCheckPurchases(s, returnCodes);
        // Column 11 + column 13 x DR33 (rounded half up) + column 14.
        const Stotinki partial = money::CoefficientShare(
            s.purchaseSums[kBS42],
            money::FromFileField(s.returnData[kDR33], money::Rounding::HalfUp).value);
        s.totalCredit = money::WrappingAdd(money::WrappingAdd(s.purchaseSums[kBS41], partial),
                                           s.purchaseSums[kBS43]);
    }
};

}  // namespace

std::unique_ptr<JournalCheck> MakePurchaseCheck() {
    return std::make_unique<PurchaseCheck>();
}

}  // namespace files::checker
