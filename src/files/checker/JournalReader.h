#pragma once
// The reading steps that POKUPKI.TXT and PRODAGBI.TXT share: one record per
// line, the character and length tests of each line, and the identity of
// the return taken from the first line when DEKLAR.TXT gave none.

#include <span>
#include <string_view>
#include <vector>

#include "files/checker/CheckState.h"

namespace files::checker {

struct JournalFileKind {
    std::size_t lineLength;
    int notOpenedCode;      // DEKLAR code: the file cannot be opened
    int fileCharacterCode;  // DEKLAR code: a character outside the set
    int lineCharacterCode;  // line code: a character outside the set
    int lineLengthCode;     // line code: the line is not lineLength long
};

// Takes the VAT number and the period from the first line when the return
// data has no VAT number.
void TakeIdentityFromFirstLine(CheckState& s, const std::vector<LineRecord>& records);

// Takes the text, splits it into records (one per line) and tests the
// characters of each line; then takes the identity from the first line
// when the return data has none. Returns the reader result.
int SplitJournalText(CheckState& s, std::optional<FileText> text, bool oem, FileText& slot,
                     std::vector<LineRecord>& records, const JournalFileKind& kind);

// Runs `checkLine(record, position)` on every record whose line has the
// right length; the others get the length code and no other rule.
template <typename CheckLine>
void CheckJournalLines(std::vector<LineRecord>& records, const JournalFileKind& kind,
                       CheckLine&& checkLine) {
    for (std::size_t i = 0; i < records.size(); ++i) {
        LineRecord& record = records[i];
        if (record.line.size() != kind.lineLength) {
            record.errors.set(kind.lineLengthCode);
            continue;
        }
        checkLine(record, static_cast<std::int64_t>(i + 1));
    }
}

}  // namespace files::checker
