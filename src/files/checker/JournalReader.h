#pragma once
// The reading steps that POKUPKI.TXT and PRODAGBI.TXT share: one record per
// line, the character and length tests of each line, and the identity of
// the return taken from the first line when DEKLAR.TXT gave none.

#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "files/checker/CheckState.h"
#include "files/checker/CheckText.h"
#include "files/checker/LineRules.h"
#include "platform/Money.h"

namespace files::checker {

struct JournalFileKind {
    std::size_t lineLength;
    int notOpenedCode;      // DEKLAR code: the file cannot be opened
    int fileCharacterCode;  // DEKLAR code: a character outside the set
    int lineCharacterCode;  // line code: a character outside the set
    int lineLengthCode;     // line code: the line is not lineLength long
};

// True for the two texts most amount fields of a journal hold, blank and
// "0.00" right-aligned, both zero: told apart from the rest by two loads
// instead of reading the number.
inline bool IsZeroAmountField(std::string_view field) {
    static_assert(kAmountWidth == 15);
    if (field.size() != kAmountWidth) return false;
    std::uint64_t head, tail;
    std::memcpy(&head, field.data(), 8);
    std::memcpy(&tail, field.data() + 7, 8);
    constexpr std::uint64_t kSpaces = 0x2020202020202020;
    std::uint64_t zero;  // "    0.00"
    std::memcpy(&zero, "    0.00", 8);
    return head == kSpaces && (tail == kSpaces || tail == zero);
}

// The fields of one journal line of the right length, cut once: the text
// fields right-trimmed, the N amounts as stotinki with their numeric test,
// and the two-character field 8a as it stands (two spaces when empty).
template <std::size_t N>
struct JournalLine {
    std::array<std::string_view, kJournalTextFieldCount> text;
    std::array<Stotinki, N> amount;
    std::array<bool, N> numeric;
    std::string_view field8a;

    JournalLine(std::string_view line, Column field8aColumn) {
        for (std::size_t f = 0; f < text.size(); ++f)
            text[f] = RightTrim(Cut(line, kJournalLeadLayout[f].column));
        for (std::size_t k = 0; k < N; ++k) {
            const std::string_view field = Cut(line, AmountColumn(k));
            if (IsZeroAmountField(field)) {
                amount[k] = 0;
                numeric[k] = true;
                continue;
            }
            // An empty amount reads as 0.00. The money reader passes over
            // spaces anywhere; the padding is cut here at less cost.
            const money::FileAmount read =
                money::FromFileField(RightTrim(LeftTrim(field)), money::Rounding::HalfUp);
            amount[k] = read.value;
            numeric[k] = read.numeric;
        }
        field8a = Cut(line, field8aColumn);
    }
    std::string_view operator[](JournalField f) const { return text[f]; }
    bool nonZero(std::size_t k) const { return amount[k] != 0; }
};

// The codes of the identity rules in each journal's catalogue.
struct IdentityCodes {
    bool thirteenDigitEik;  // a 15-character VAT number is accepted
    int emptyVin, badVin, otherVin, emptyPeriod, otherPeriod, badBranch, emptyNumber, outOfSequence;
};

// The VAT number, period, branch and running number of a line against the
// return and the line's position.
class IdentityRules {
  public:
    IdentityRules(const CheckState& s, const IdentityCodes& codes)
        : codes_(codes), vin_(s.returnData[kVin]), period_(s.returnData[kPeriod]) {}

    template <std::size_t N>
    void check(const JournalLine<N>& l, std::int64_t position, db::ErrorSet& e) {
        const std::string_view vin = l[kLineVin];
        const auto verdict =
            vinVerdict_.of({vin}, [&] { return TestVatNumber(vin, codes_.thirteenDigitEik); });
        SetVatNumberCode(verdict, codes_.emptyVin, codes_.badVin, e);
        if (vin != vin_) e.set(codes_.otherVin);
        if (l[kLinePeriod].empty()) e.set(codes_.emptyPeriod);
        if (l[kLinePeriod] != period_) e.set(codes_.otherPeriod);
        if (!IsNumericText(l[kLineKlon], false)) e.set(codes_.badBranch);
        if (l[kLineNumber].empty()) e.set(codes_.emptyNumber);
        if (LeadingInteger(l[kLineNumber]) != position) e.set(codes_.outOfSequence);
    }

  private:
    IdentityCodes codes_;
    std::string_view vin_, period_;
    LastVerdict<1> vinVerdict_;
};

// False when DEKLAR.TXT could not be opened: the journals' cross-checks
// with the return would then only repeat that the file is missing.
bool HasReturnToCompare(const CheckState& s);

// Takes the VAT number and the period from the first line of the text when
// the return data has no VAT number.
void TakeIdentityFromFirstLine(CheckState& s, std::string_view text);

// A stretch of a journal text from the start of a line to the start of a
// later line, or to the end: a reader of it alone gives the lines that a
// reader of the whole text gives there.
struct TextPart {
    std::size_t begin = 0, end = 0;
    std::size_t firstRecord = 0;  // index of the record of its first line
    std::size_t lines = 0;        // how many lines it holds

    std::string_view of(std::string_view text) const { return text.substr(begin, end - begin); }
};

// Cuts the text into at most `count` parts of about equal size. A part
// starts after line ends and where a line starts for any reader: not at a
// Ctrl-Z, which a reader may pass over. Fewer parts where the text offers
// no such place (one long line).
std::vector<TextPart> CutAtLineStarts(std::string_view text, std::size_t count);

// Checks the lines of one part: fills its records, one per line, and while
// a line is at hand tests its characters (only when the file is not clean:
// then every line is clean too) and runs `checkLine(record, position)` on
// it when it has the right length; a line of another length gets the length
// code and no other rule. The records were counted before; should the text
// hold more lines now (another program changed it), the extra lines are
// left out rather than written past the records.
template <typename CheckLine>
void CheckJournalLines(std::string_view text, const TextPart& part, bool clean,
                       std::span<LineRecord> records, const JournalFileKind& kind,
                       CheckLine&& checkLine) {
    LineReader reader(part.of(text));
    std::size_t index = 0;
    for (std::string_view line; index < records.size() && reader.next(line); ++index) {
        LineRecord& record = records[index];
        record = LineRecord{line, {}};
        // The test covers lineLength characters from the start of the line,
        // whatever follows it.
        if (!clean) {
            const std::size_t start = static_cast<std::size_t>(line.data() - text.data());
            if (!HasOnlyPermittedCharacters(WindowAt(text, start, kind.lineLength)))
                record.errors.set(kind.lineCharacterCode);
        }
        if (line.size() != kind.lineLength) {
            record.errors.set(kind.lineLengthCode);
            continue;
        }
        checkLine(record, static_cast<std::int64_t>(part.firstRecord + index + 1));
    }
}

// The rules of one journal file, applied part by part: each part of the
// text into a result of its own, so that parts may be checked at the same
// time, then all results into the state in file order.
class JournalCheck {
  public:
    virtual ~JournalCheck() = default;
    virtual const JournalFileKind& kind() const = 0;
    virtual FileText& text(CheckState& s) const = 0;
    virtual std::vector<LineRecord>& records(CheckState& s) const = 0;
    // Clears the journal's part of the state.
    virtual void clear(CheckState& s) = 0;
    // Makes room for the results of `parts` parts.
    virtual void start(std::size_t parts) = 0;
    // Checks part `index` into its records (its slice of the journal's
    // records) and its own result; reads the state and writes nothing else.
    virtual void checkPart(const CheckState& s, std::size_t index, const TextPart& part, bool clean,
                           std::span<LineRecord> records) = 0;
    // Adds the parts' results to the state, then compares with the return;
    // DEKLAR codes go to `returnCodes`.
    virtual void finish(CheckState& s, db::ErrorSet& returnCodes) = 0;
};

std::unique_ptr<JournalCheck> MakePurchaseCheck();
std::unique_ptr<JournalCheck> MakeSalesCheck();
// A branch's prodagbix.txt: the sales rules on lines one column longer (the
// VIES column digit), without the cross-checks with a return.
std::unique_ptr<JournalCheck> MakeMergeSalesCheck();

// The journal readers, each given its check and its file's text (nullopt
// when it could not be opened): the common reading steps of every text,
// then the lines of every part. With two threads each text is cut in two
// and the parts of all texts are shared out between the calling thread and
// one more. Returns the reader result of each journal, in the given order;
// the state is the same whatever the number of threads.
struct JournalInput {
    JournalCheck& check;
    std::optional<FileText> text;
};
std::vector<int> CheckJournals(CheckState& s, std::span<JournalInput> journals, bool oem,
                               std::size_t threads);

extern const JournalFileKind kPurchaseFile;
extern const JournalFileKind kSalesFile;
extern const JournalFileKind kMergeSalesFile;

}  // namespace files::checker
