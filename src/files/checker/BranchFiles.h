#pragma once
// "Файлове от клон": a branch's merge files, prodagbix.txt and pokupkix.txt,
// read into the check state and checked line by line as the journal files
// are, without a return to compare with. The report has the return's lines
// with their cells empty, the errors of both journals and the fatal ones;
// the documents then wait for the merge import. The database is never
// touched.

#include <filesystem>
#include <optional>
#include <string>

#include "files/checker/CheckState.h"
#include "files/checker/FileText.h"
#include "platform/Clock.h"

namespace files::checker {

// Reads prodagbix.txt into the sales records: the lines of PRODAGBI.TXT with
// the VIES column digit in column 425. The sales rules apply, the choice of
// the VIES column included; there is no cross-check with a return. Returns a
// reader result, as the other readers do.
int CheckProdagbixFile(CheckState& state, std::optional<FileText> text, bool oem);

// Replaces what the state held with the branch files of the folder (names in
// any case) and returns the report, Windows-1251 bytes: the whole report, or
// only the message of a file that is missing or not in Windows-1251.
std::string LoadBranchFiles(CheckState& state, const std::filesystem::path& folder,
                            const platform::LocalDateTime& today);

}  // namespace files::checker
