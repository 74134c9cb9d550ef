#include "files/checker/JournalReader.h"

#include "files/checker/CheckText.h"
#include "files/checker/Readers.h"

namespace files::checker {

bool HasReturnToCompare(const CheckState& s) {
    return !s.returnErrors.has(kDeklarNotOpenedCode);
}

void TakeIdentityFromFirstLine(CheckState& s, const std::vector<LineRecord>& records) {
    if (!s.returnData[kVin].empty() || records.empty()) return;
    const std::string_view first = records.front().line;
    s.returnData[kVin] = RightTrim(Cut(first, kJournalTextColumns[kLineVin]));
    s.returnData[kPeriod] = RightTrim(Cut(first, kJournalTextColumns[kLinePeriod]));
}

int SplitJournalText(CheckState& s, std::optional<FileText> text, bool oem, FileText& slot,
                     std::vector<LineRecord>& records, const JournalFileKind& kind) {
    records.clear();
    const int result = TakeFileText(std::move(text), oem, slot);
    if (result == kFileNotOpened) s.returnErrors.set(kind.notOpenedCode);
    if (result != kFileRead) return result;

    const std::string_view bytes = slot.view();
    const bool clean = HasOnlyPermittedCharacters(bytes);
    if (!clean) s.returnErrors.set(kind.fileCharacterCode);

    // One allocation for all records: count the lines first.
    records.reserve(CountLines(bytes));
    LineReader reader(bytes);
    for (std::string_view line; reader.next(line);) {
        LineRecord& record = records.emplace_back(LineRecord{line, {}});
        // The test covers lineLength characters from the start of the line,
        // whatever follows it; when the whole file is clean, so is each.
        if (!clean) {
            const std::size_t start = static_cast<std::size_t>(line.data() - bytes.data());
            if (!HasOnlyPermittedCharacters(WindowAt(bytes, start, kind.lineLength)))
                record.errors.set(kind.lineCharacterCode);
        }
    }
    TakeIdentityFromFirstLine(s, records);
    return kFileRead;
}

}  // namespace files::checker
