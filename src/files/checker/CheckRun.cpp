#include "files/checker/CheckRun.h"

#include <cstdio>

#include "files/checker/Readers.h"
#include "journals/JournalRules.h"

namespace files::checker {
namespace {

constexpr int kMissingViesCode = 76;

std::string RunOnce(CheckState& s, const std::filesystem::path& folder, RunKind kind,
                    const platform::LocalDateTime& today, FileSource source) {
    s = CheckState{};
    s.today = TodayOf(today);
    const bool oem = kind == RunKind::OemToAnsi;
    ReaderResults& r = s.results;
    r.deklar = CheckDeklarFile(s, ReadFileIn(folder, "deklar.txt", source), oem);
    const JournalResults journals =
        CheckJournalFiles(s, ReadFileIn(folder, "pokupki.txt", source),
                          ReadFileIn(folder, "prodagbi.txt", source), oem);
    r.purchases = journals.purchases;
    r.sales = journals.sales;
    r.vies = CheckViesTxtFile(s, ReadFileIn(folder, "vies.txt", source), oem);
    if (r.vies == kFileNotOpened) {
        // The CSV reader warns again when that file is missing too.
        s.returnErrors.clear(kMissingViesCode);
        r.vies = CheckViesCsvFile(s, ReadFileIn(folder, "vies.csv", source), oem);
    }
    return BuildCheckReport(s, kind);
}

}  // namespace

Today TodayOf(const platform::LocalDateTime& now) {
    char yearMonth[32], date[32];
    std::snprintf(yearMonth, sizeof yearMonth, "%04d%02d", now.year, now.month);
    std::snprintf(date, sizeof date, "%02d/%02d/%04d", now.day, now.month, now.year);
    return {yearMonth, date, journals::LastPeriodYear(now)};
}

std::string RunCheck(CheckState& s, const std::filesystem::path& folder, RunKind kind,
                     const platform::LocalDateTime& today) {
    const std::string report = RunOnce(s, folder, kind, today, FileText::map);
    if (TextsIntact(s)) return report;
    // A file was cut short or written to while it was checked: the check is
    // made again on copies, which no other program can change.
    return RunOnce(s, folder, kind, today, FileText::read);
}

bool TextsIntact(const CheckState& s) {
    return s.deklarText.isIntact() && s.purchaseText.isIntact() && s.salesText.isIntact() &&
           s.viesText.isIntact();
}

}  // namespace files::checker
