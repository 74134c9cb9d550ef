#pragma once
// The readers of the check run, one per file kind. Each takes the file's
// text (nullopt when the file could not be opened) into the check state,
// converts it from the OEM code page when asked, applies the rules of its
// file and returns kFileRead, kFileNotOpened, or signature + 1 when the text
// starts with an encoding signature or kFileInUtf8 when it is UTF-8 without
// one (then no rule is applied).
//
// They run in this order: the return first, because both journal readers
// compare with it; the journals before the VIES file, whose rules compare
// with the sales.

#include <optional>

#include "files/checker/CheckState.h"
#include "files/checker/CheckText.h"
#include "files/checker/FileText.h"

namespace files::checker {

int CheckDeklarFile(CheckState& state, std::optional<FileText> text, bool oem);
int CheckPokupkiFile(CheckState& state, std::optional<FileText> text, bool oem);
int CheckProdagbiFile(CheckState& state, std::optional<FileText> text, bool oem);
// Both journals at once, each on a thread of its own, with the same
// results as CheckPokupkiFile followed by CheckProdagbiFile.
struct JournalResults {
    int purchases = kFileNotOpened;
    int sales = kFileNotOpened;
};
JournalResults CheckJournalFiles(CheckState& state, std::optional<FileText> purchases,
                                 std::optional<FileText> sales, bool oem);

int CheckViesTxtFile(CheckState& state, std::optional<FileText> text, bool oem);
int CheckViesCsvFile(CheckState& state, std::optional<FileText> text, bool oem);

// The first of the reading steps common to every reader: takes the text
// into `slot`, converts it from the OEM code page when asked and tests its
// signature; kFileRead when the text is to be read on.
int TakeText(std::optional<FileText> text, bool oem, FileText& slot);
// The last, once the text was scanned: kFileInUtf8 when it is UTF-8
// without a signature, otherwise kFileRead.
int ResultOfScan(std::string_view text, const TextScan& scan);

// All the reading steps common to every reader: the steps above and the
// test of the characters.
struct TakenText {
    int result = kFileNotOpened;
    bool permitted = true;  // only permitted characters (when result is kFileRead)
};
TakenText TakeFileText(std::optional<FileText> text, bool oem, FileText& slot);

}  // namespace files::checker
