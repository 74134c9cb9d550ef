#pragma once
// The "СПРАВКА-ПРОТОКОЛ" of a check run, built from the check state. The
// report is Windows-1251 bytes with CR LF line ends, exactly as it is shown
// and saved; callers decode it for display.

#include <string>

#include "files/checker/CheckState.h"

namespace files::checker {

enum class RunKind {
    Folder,     // "Папка": the check run
    OemToAnsi,  // "OEM -> ANSI": the same run on text converted from CP866
    // "Файлове от клон": a branch's merge files, without a return. The report
    // has no section of the return and no VIES part, and lists the choice of
    // the VIES column (sales code 37) that the merge file carries.
    BranchFiles,
};

// The whole report of a run: only the encoding messages of the files that
// are not in Windows-1251 (a signature, or UTF-8 without one), one line
// each, or else the full report.
std::string BuildCheckReport(const CheckState& state, RunKind kind);

// True when the report of the state lists an error in its fatal section.
bool HasFatalErrorsListed(const CheckState& state);

// True when some file is not in Windows-1251 (an encoding signature, or
// UTF-8 without one), so that the report is only the encoding messages.
bool HasEncodingSignature(const ReaderResults& results);

}  // namespace files::checker
