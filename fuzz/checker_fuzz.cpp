// libFuzzer target over the checker's readers: the input is cut into the
// texts of DEKLAR.TXT, POKUPKI.TXT, PRODAGBI.TXT, VIES.TXT and VIES.CSV
// (each may be absent), which are checked as one run, and both reports are
// built. Any crash, sanitizer report or hang is a finding.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "files/checker/CheckReport.h"
#include "files/checker/CheckRun.h"
#include "files/checker/Readers.h"

namespace {

using files::checker::FileText;

std::optional<FileText> NextFile(FuzzedDataProvider& input, bool present) {
    std::string text = input.ConsumeRandomLengthString();
    if (!present) return std::nullopt;
    return FileText::fromBytes(text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace files::checker;
    FuzzedDataProvider input(data, size);
    const auto presence = input.ConsumeIntegral<std::uint8_t>();
    const bool oem = presence & 0x20;
    const auto present = [&](int bit) { return (presence & (1 << bit)) == 0; };

    CheckState s;
    s.today = TodayOf({2023, 6, 15, 0, 0, 0});
    ReaderResults& r = s.results;
    r.deklar = CheckDeklarFile(s, NextFile(input, present(0)), oem);
    r.purchases = CheckPokupkiFile(s, NextFile(input, present(1)), oem);
    r.sales = CheckProdagbiFile(s, NextFile(input, present(2)), oem);
    auto viesTxt = NextFile(input, present(3));
    auto viesCsv = NextFile(input, present(4));
    r.vies = CheckViesTxtFile(s, std::move(viesTxt), oem);
    if (r.vies == kFileNotOpened) {
        s.returnErrors.clear(76);
        r.vies = CheckViesCsvFile(s, std::move(viesCsv), oem);
    }
    BuildCheckReport(s, oem ? RunKind::OemToAnsi : RunKind::Folder);
    HasFatalErrorsListed(s);
    return 0;
}
