#pragma once
// The contents of the fixed-width files handed to the tax administration for
// one period (DEKLAR.TXT, Pokupki.txt, Prodagbi.txt, VIES.txt) and of the
// merge files a branch hands to its head office (Pokupkix.txt, Prodagbix.txt).
// Contents are built as UTF-8 text, one record per line, each line ending in
// CR LF; the writer encodes them as Windows-1251.

#include <optional>
#include <string>
#include <vector>

#include "db/Database.h"
#include "db/Rows.h"
#include "files/SubmissionStore.h"

namespace files {

// The one line of DEKLAR.TXT. Without a stored return only the first 151
// columns are written, without CR LF.
std::string DeklarFile(const ReturnHeader& header, const std::optional<db::ReturnRow>& row);

// Appends one line of Pokupki.txt / Prodagbi.txt, CR LF included.
void AppendJournalLine(std::string& out, const JournalDocument& document);
// One line of Pokupki.txt / Prodagbi.txt.
std::string JournalLine(db::Journal journal, const db::JournalRow& row);
// Appends one line of Pokupkix.txt / Prodagbix.txt: the line's position
// instead of the stored NUMBER, and for sales the VIES column digit after the
// amounts (0 when SS19 is 0, otherwise the number VIES_TYPE spells).
void AppendMergeLine(std::string& out, db::Journal journal, const JournalDocument& document,
                     int position);

// VIES.txt for the period; nullopt when neither section has a row (no file).
// `person` is the head-office EDANNI row; without it VHR, VDR and VTR are
// left out.
std::optional<std::string> ViesFile(const std::string& period,
                                    const std::optional<db::PersonRow>& person,
                                    const std::vector<db::ViesRow>& section1,
                                    const std::vector<db::ViesRow>& section2);

}  // namespace files
