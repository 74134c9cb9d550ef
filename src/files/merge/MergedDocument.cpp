#include "files/merge/MergedDocument.h"

#include <algorithm>

#include "files/Layouts.h"
#include "files/checker/CheckText.h"
#include "platform/CodePage.h"
#include "platform/Money.h"

namespace files::merge {
namespace {

namespace money = platform::money;

constexpr int kPurchaseSequenceCode = 7;
constexpr int kSalesSequenceCode = 8;

// Windows-1251 bytes as UTF-8 into `out`, whose storage is reused: most
// fields are ASCII and are copied as they are.
void Decode(std::string_view bytes, std::string& out) {
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) == 0; }))
        out.assign(bytes);
    else
        out = platform::DecodeCp1251(bytes);
}

// A text field as the checker reads it: right-trimmed.
void TextField(std::string_view line, JournalField field, std::string& out) {
    Decode(checker::RightTrim(Cut(line, kJournalLeadLayout[field].column)), out);
}

// The number-like fields are right-aligned: their padding is no part of the
// value (a branch "   1" is the branch "1" of its EDANNI row).
void NumberField(std::string_view line, JournalField field, std::string& out) {
    std::string_view text = checker::RightTrim(Cut(line, kJournalLeadLayout[field].column));
    text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
    Decode(text, out);
}

void ReadLine(const checker::LineRecord& record, std::size_t amountCount, int sequenceCode,
              MergedDocument& d) {
    const std::string_view line = record.line;
    constexpr std::pair<MergedText, JournalField> kTexts[] = {{kMergedVin, kLineVin},
                                                              {kMergedPeriod, kLinePeriod},
                                                              {kMergedType, kLineType},
                                                              {kMergedDocNo, kLineDocNo},
                                                              {kMergedDate, kLineDate},
                                                              {kMergedKnum, kLineCounterpart},
                                                              {kMergedKname, kLineCounterpartName},
                                                              {kMergedSdelka, kLineGoods}};
    for (auto [merged, field] : kTexts) TextField(line, field, d.text[merged]);
    NumberField(line, kLineKlon, d.text[kMergedKlon]);
    Decode(Cut(line, Code8aField(amountCount).column), d.text[kMergedCode8a]);
    // The one reader of file amounts, as the checker read them: what is
    // stored is what the report summed. An amount it refuses is stored as
    // 0, and its code is among the line's errors.
    d.amounts.fill(0);
    for (std::size_t k = 0; k < amountCount; ++k) {
        const std::string_view text = checker::RightTrim(Cut(line, AmountColumn(k)));
        d.amounts[k] =
            money::ToStoredLeva(money::FromFileField(text, money::Rounding::HalfUp).value);
    }
    d.errors = record.errors;
    d.errors.clear(sequenceCode);
}

}  // namespace

bool IsDocumentLine(const checker::LineRecord& record) {
    return std::any_of(record.line.begin(), record.line.end(), [](char c) { return c != ' '; });
}

void ReadMergedPurchase(const checker::LineRecord& record, MergedDocument& d) {
    d.journal = db::Journal::Purchases;
    ReadLine(record, kPurchaseAmountCount, kPurchaseSequenceCode, d);
    d.text[kMergedViesType].clear();
}

void ReadMergedSale(const checker::LineRecord& record, SalesSource source, MergedDocument& d) {
    d.journal = db::Journal::Sales;
    ReadLine(record, kSalesAmountCount, kSalesSequenceCode, d);
    std::string_view digit;
    if (source == SalesSource::MergeFile)
        digit = checker::RightTrim(Cut(record.line, kMergeViesDigitField.column));
    Decode(digit.empty() ? "0" : digit, d.text[kMergedViesType]);
}

}  // namespace files::merge
