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
// converted from CP866 before any test. The two journals are checked on two
// threads; the report is the same as from one.
std::string RunCheck(CheckState& state, const std::filesystem::path& folder, RunKind kind,
                     const platform::LocalDateTime& today);

// True while every file the state read still holds the bytes that were
// checked. The files stay mapped with the state; the merge import adds the
// documents of a state only while this holds (otherwise the check must be
// made again).
bool TextsIntact(const CheckState& state);

// The texts of today's date that the check uses.
Today TodayOf(const platform::LocalDateTime& now);

}  // namespace files::checker
