#include "files/checker/BranchFiles.h"

#include "files/Layouts.h"
#include "files/checker/CheckReport.h"
#include "files/checker/CheckRun.h"
#include "files/checker/JournalReader.h"
#include "files/checker/Readers.h"
#include "platform/CodePage.h"

namespace files::checker {
namespace {

constexpr int kViesColumnNotChosenCode = 37;

// The sales form asks for the VIES column of a document with field 24
// (SS19) filled; a merge file carries the answer in column 425, so a line
// whose digit names a column does not lack it.
void WithdrawChosenViesColumns(std::vector<LineRecord>& sales) {
    for (LineRecord& record : sales) {
        if (!record.errors.has(kViesColumnNotChosenCode)) continue;
        const std::string_view digit = Cut(record.line, kMergeViesDigitField.column);
        if (digit.size() == 1 && digit[0] >= '1' && digit[0] <= '9')
            record.errors.clear(kViesColumnNotChosenCode);
    }
}

// One line for each file that could not be read: first the missing ones,
// then those not in Windows-1251.
std::string FileMessage(const ReaderResults& r) {
    std::string message;
    const auto add = [&](bool applies, std::string_view line) {
        if (applies) message += platform::ToCp1251(line);
    };
    add(r.purchases == kFileNotOpened, "Файла pokupkix.txt не е намерен!\r\n");
    add(r.sales == kFileNotOpened, "Файла prodagbix.txt не е намерен!\r\n");
    add(r.purchases > kFileNotOpened, "Файла pokupkix.txt не е в енкодинг Cp1251!\r\n");
    add(r.sales > kFileNotOpened, "Файла prodagbix.txt не е в енкодинг Cp1251!\r\n");
    return message;
}

std::string LoadOnce(CheckState& s, const std::filesystem::path& folder,
                     const platform::LocalDateTime& today, FileSource source) {
    s = CheckState{};
    s.today = TodayOf(today);
    // There is no return: the identity and the period come from the first
    // line read, and nothing is compared with a return.
    s.returnErrors.set(kDeklarNotOpenedCode);
    // Both files at once, prodagbix.txt first: its first line gives the
    // identity that the purchases are compared with.
    const auto salesCheck = MakeMergeSalesCheck();
    const auto purchaseCheck = MakePurchaseCheck();
    JournalInput inputs[] = {{*salesCheck, ReadFileIn(folder, "prodagbix.txt", source)},
                             {*purchaseCheck, ReadFileIn(folder, "pokupkix.txt", source)}};
    const std::vector<int> results = CheckJournals(s, inputs, false, 2);
    ReaderResults& r = s.results;
    r.sales = results[0];
    r.purchases = results[1];
    if (r.sales == kFileRead) WithdrawChosenViesColumns(s.sales);
    if (r.purchases != kFileRead || r.sales != kFileRead) return FileMessage(r);
    return BuildCheckReport(s, RunKind::BranchFiles);
}

}  // namespace

int CheckProdagbixFile(CheckState& s, std::optional<FileText> text, bool oem) {
    const auto check = MakeMergeSalesCheck();
    JournalInput input[] = {{*check, std::move(text)}};
    const int result = CheckJournals(s, input, oem, 1).front();
    if (result == kFileRead) WithdrawChosenViesColumns(s.sales);
    return result;
}

std::string LoadBranchFiles(CheckState& s, const std::filesystem::path& folder,
                            const platform::LocalDateTime& today) {
    const std::string report = LoadOnce(s, folder, today, FileText::map);
    if (TextsIntact(s)) return report;
    // A file changed while it was read: read copies, which cannot change.
    return LoadOnce(s, folder, today, FileText::read);
}

}  // namespace files::checker
