#pragma once
// Writing the files of a period into the output folder, below a folder named
// after the EIK/Bulstat number and one named after the period: the four
// submission files of the head office, or the two merge files of a branch.
// Each file is written completely or not at all; a failure stops the files
// after it, and those written before it stay.

#include <filesystem>
#include <optional>
#include <string>

#include "db/Database.h"
#include "ui/Host.h"

namespace files {

// The session the files are written for.
struct WriterSession {
    std::string vin, bulstat, klon;
    std::filesystem::path outputFolder;
};

// Writes DEKLAR.TXT (under the name the person chooses), Pokupki.txt,
// Prodagbi.txt and VIES.txt of the period for the head office. Refuses a
// period with fatal errors; recomputes the VAT and VIES returns before the
// person chooses the file. Messages go to the host. Returns the folder the
// files were written in; nullopt when they were not.
std::optional<std::filesystem::path> WriteSubmissionFiles(db::Database& db, ui::Host& host,
                                                          const WriterSession& session,
                                                          const std::string& period);

// Writes Pokupkix.txt (under the name the person chooses) and Prodagbix.txt
// of the period for the branch of the session. Returns the folder written in.
std::optional<std::filesystem::path> WriteMergeFiles(db::Database& db, ui::Host& host,
                                                     const WriterSession& session,
                                                     const std::string& period);

}  // namespace files
