#pragma once
// The line rules that POKUPKI.TXT and PRODAGBI.TXT share, each under the
// codes of its own catalogue: the identity of the line, the document type
// and field 8a, the date and the counterpart's identifier. The purchase and
// the sales rules derive from JournalLineRules and add their own; the
// per-part check and the cross-check with the return are shared too.

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "files/checker/CheckState.h"
#include "files/checker/JournalReader.h"
#include "files/checker/LineRules.h"
#include "journals/JournalRules.h"
#include "persons/IdentifierChecks.h"

namespace files::checker {

// The codes of the date rules in one journal's catalogue.
struct DateCodes {
    int empty;      // no document date
    int badFormat;  // not DD/MM/YYYY of an accepted year
    // The rules by month: AfterPeriod, CallOffStockBefore2020,
    // Type23Before202306, Field8aBefore202207.
    int afterPeriod, callOffStock, type23, field8a;
};

// The codes of the shared rules in one journal's catalogue, and the first
// year of a document date the journal accepts.
struct LineRuleCodes {
    journals::Journal journal;
    std::string_view firstYear;
    IdentityCodes identity;
    int unknownType;     // a type not offered in the period
    int refusedField8a;  // field 8a not accepted with the type
    DateCodes date;
    int unknownCounterpart;  // a counterpart identifier of no known form
};

// The codes are a template argument: every line sets them, and as
// constants they cost no more than the literals they stand for.
template <const LineRuleCodes& Codes>
class JournalLineRules {
  protected:
    explicit JournalLineRules(const CheckState& s)
        : period_(s.returnData[kPeriod]),
          lastYear_(s.today.lastYear),
          identity_(s, Codes.identity),
          types_(journals::DocumentTypesFor(Codes.journal, period_)) {}

    // The shared rules of the line at `position` (1 for the first); returns
    // the month of its date for the journal's own rules by month, nullopt
    // when the month cannot be read (then no rule by month applies).
    template <std::size_t N>
    std::optional<journals::YearMonth> checkShared(const JournalLine<N>& l, std::int64_t position,
                                                   db::ErrorSet& e) {
        identity_.check(l, position, e);
        checkTypeAndField8a(l, e);
        checkCounterpartForm(l[kLineCounterpart], e);
        return checkDate(l, e);
    }

    template <std::size_t N>
    bool breaks(journals::DateRule rule, const JournalLine<N>& l, journals::YearMonth month) const {
        return journals::BreaksDateRule(rule, datedDocument(l), month);
    }

    bool isEuVatNumber(std::string_view text) const {
        return persons::IsEuVatPrefixValid(persons::EuPrefixVariant::B, text, period_);
    }

    std::string_view period_;

  private:
    // The type offered in the period, and field 8a accepted with it.
    template <std::size_t N>
    void checkTypeAndField8a(const JournalLine<N>& l, db::ErrorSet& e) {
        const std::string_view type = l[kLineType];
        if (std::find(types_.begin(), types_.end(), type) == types_.end()) e.set(Codes.unknownType);
        const bool accepted = field8aVerdict_.of({type, l.field8a}, [&] {
            return journals::IsAcceptedField8aCode(Codes.journal, type, l.field8a, period_);
        });
        if (!accepted) e.set(Codes.refusedField8a);
    }

    // The date, then the rules by month both journals have.
    template <std::size_t N>
    std::optional<journals::YearMonth> checkDate(const JournalLine<N>& l, db::ErrorSet& e) const {
        const std::string_view date = l[kLineDate];
        if (date.empty()) e.set(Codes.date.empty);
        if (!IsWellFormedDate(date, Codes.firstYear, lastYear_)) e.set(Codes.date.badFormat);
        const auto month = journals::DocumentMonth(date);
        if (!month) return month;
        const journals::DatedDocument document = datedDocument(l);
        using journals::DateRule;
        const auto breaks = [&](DateRule rule) {
            return journals::BreaksDateRule(rule, document, *month);
        };
        if (breaks(DateRule::AfterPeriod)) e.set(Codes.date.afterPeriod);
        if (breaks(DateRule::CallOffStockBefore2020)) e.set(Codes.date.callOffStock);
        if (breaks(DateRule::Type23Before202306)) e.set(Codes.date.type23);
        if (breaks(DateRule::Field8aBefore202207)) e.set(Codes.date.field8a);
        return month;
    }

    template <std::size_t N>
    journals::DatedDocument datedDocument(const JournalLine<N>& l) const {
        return {Codes.journal, period_, l[kLineType], l.field8a, l[kLineDate]};
    }

    // An empty counterpart passes: the journals tell on their own which
    // types may lack one.
    void checkCounterpartForm(std::string_view id, db::ErrorSet& e) {
        const bool knownForm = id.empty() || counterpartVerdict_.of({id}, [&] {
            return persons::IsKnownIdentifierForm(id, persons::EuPrefixVariant::B, period_, true);
        });
        if (!knownForm) e.set(Codes.unknownCounterpart);
    }

    std::string_view lastYear_;  // dates of later years are not yet possible
    IdentityRules identity_;
    std::vector<std::string_view> types_;  // offered in the period
    LastVerdict<2> field8aVerdict_;
    LastVerdict<1> counterpartVerdict_;
};

// Adds the column sums of a part to those of the parts before it.
template <std::size_t N>
void AddColumnSums(std::array<std::int64_t, N>& into, const std::array<std::int64_t, N>& part) {
    for (std::size_t k = 0; k < N; ++k) into[k] = money::WrappingAdd(into[k], part[k]);
}

// The check of a journal whose parts each run rules of their own, `Rules`
// made from the state, into a result of their own, `Part`, by
// `rules.check(record, position, part)`. The journal's text and records are
// the state's members `Text` and `Records`.
template <typename Rules, typename Part, FileText CheckState::*Text,
          std::vector<LineRecord> CheckState::*Records>
class PartedJournalCheck : public JournalCheck {
  public:
    explicit PartedJournalCheck(const JournalFileKind& kind) : kind_(kind) {}

    const JournalFileKind& kind() const override { return kind_; }
    FileText& text(CheckState& s) const override { return s.*Text; }
    std::vector<LineRecord>& records(CheckState& s) const override { return s.*Records; }

    void start(std::size_t parts) override { parts_.assign(parts, {}); }

    void checkPart(const CheckState& s, std::size_t index, const TextPart& part, bool clean,
                   std::span<LineRecord> records) override {
        Rules rules(s);
        Part& result = parts_[index];
        CheckJournalLines((s.*Text).view(), part, clean, records, kind_,
                          [&](LineRecord& record, std::int64_t position) {
                              rules.check(record, position, result);
                          });
    }

  protected:
    const JournalFileKind& kind_;
    std::vector<Part> parts_;  // one per part
};

// A cell of the return against the sum of one or two columns of a journal,
// and the DEKLAR code of a difference.
struct CellRule {
    static constexpr std::size_t kNoColumn = static_cast<std::size_t>(-1);
    DeklarField cell;
    std::size_t column;
    std::size_t otherColumn;  // kNoColumn for a cell of one column
    int code;
};

// The return's count of lines (`countField`, code `countCode`) and its cells
// against a journal's records and column sums; none when there is no return
// to compare with.
void CrossCheckWithReturn(const CheckState& s, DeklarField countField, int countCode,
                          std::size_t lines, std::span<const std::int64_t> sums,
                          std::span<const CellRule> cells, db::ErrorSet& e);

}  // namespace files::checker
