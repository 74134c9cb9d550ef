#include "files/checker/CheckRun.h"

#include <cstdio>

#include "files/checker/Readers.h"
#include "platform/Files.h"

namespace files::checker {
namespace {

constexpr int kMissingViesCode = 76;

std::optional<FileText> ReadFile(const std::filesystem::path& folder, std::string_view name) {
    const auto file = platform::FindIgnoringCase(folder, name);
    if (!file) return std::nullopt;
    return FileText::read(*file);
}

}  // namespace

Today TodayOf(const platform::LocalDateTime& now) {
    char yearMonth[32], date[32];
    std::snprintf(yearMonth, sizeof yearMonth, "%04d%02d", now.year, now.month);
    std::snprintf(date, sizeof date, "%02d/%02d/%04d", now.day, now.month, now.year);
    return {yearMonth, date};
}

std::string RunCheck(CheckState& s, const std::filesystem::path& folder, RunKind kind,
                     const platform::LocalDateTime& today) {
    s = CheckState{};
    s.today = TodayOf(today);
    const bool oem = kind == RunKind::OemToAnsi;
    ReaderResults& r = s.results;
    r.deklar = CheckDeklarFile(s, ReadFile(folder, "deklar.txt"), oem);
    r.purchases = CheckPokupkiFile(s, ReadFile(folder, "pokupki.txt"), oem);
    r.sales = CheckProdagbiFile(s, ReadFile(folder, "prodagbi.txt"), oem);
    r.vies = CheckViesTxtFile(s, ReadFile(folder, "vies.txt"), oem);
    if (r.vies == kFileNotOpened) {
        // The CSV reader warns again when that file is missing too.
        s.returnErrors.clear(kMissingViesCode);
        r.vies = CheckViesCsvFile(s, ReadFile(folder, "vies.csv"), oem);
    }
    return BuildCheckReport(s, kind);
}

}  // namespace files::checker
