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

// One line of Pokupki.txt / Prodagbi.txt.
std::string JournalLine(db::Journal journal, const db::JournalRow& row);
// One line of Pokupkix.txt / Prodagbix.txt: the line's position instead of
// the stored NUMBER, and for sales the VIES column digit after the amounts.
std::string MergeLine(db::Journal journal, const db::JournalRow& row, int position);

// The VIES column digit of a merge line: 0 when SS19 is 0, otherwise the
// number VIES_TYPE spells (0 when empty).
std::string ViesColumnDigit(const db::JournalRow& sale);

// VIES.txt for the period; nullopt when neither section has a row (no file).
// `person` is the head-office EDANNI row; without it VHR, VDR and VTR are
// left out.
std::optional<std::string> ViesFile(const std::string& period,
                                    const std::optional<db::PersonRow>& person,
                                    const std::vector<db::ViesRow>& section1,
                                    const std::vector<db::ViesRow>& section2);

}  // namespace files
