#pragma once
// A check run on a folder of submission files: read DEKLAR.TXT, POKUPKI.TXT,
// PRODAGBI.TXT and VIES.TXT (or VIES.CSV when VIES.TXT is absent), whatever
// the case of their names, and build the report. The database is never
// touched.

#include <filesystem>
#include <string>

#include "files/checker/CheckReport.h"
#include "files/checker/CheckState.h"
#include "platform/Clock.h"

namespace files::checker {

// Replaces what the state held with the run on the folder and returns the
// report (Windows-1251 bytes). With RunKind::OemToAnsi every file's text is
// converted from CP866 before any test.
std::string RunCheck(CheckState& state, const std::filesystem::path& folder, RunKind kind,
                     const platform::LocalDateTime& today);

// The texts of today's date that the check uses.
Today TodayOf(const platform::LocalDateTime& now);

}  // namespace files::checker
