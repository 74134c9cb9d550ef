#pragma once
// The error sets stored with documents and returns, read for the writers and
// the file checker. The meaning of each code is the error catalogue's.

#include <cstdint>
#include <string_view>

#include "db/Database.h"
#include "db/ErrorSet.h"
#include "db/Rows.h"

namespace files {

// True when a purchase or sales document of the VAT number and period carries
// a fatal code. Like every journal query of a session, the head office (empty
// branch) covers the documents of all its branches, and a branch only its own:
// the same documents that the writers of that session put into their files.
bool HasFatalErrors(db::Database& db, std::string_view vin, std::string_view branch,
                    std::string_view period);

// True when the error set of a document of the journal holds a fatal code.
bool CarriesFatalCode(db::Journal journal, const db::ErrorSet& errors);

enum class ErrorTable { Deklar, Pokupki, Prodagbi };

// True when the row with the ID holds the code in its ERROR1..ERROR3 columns.
// A missing row, a NULL column or a code outside 1..96 gives false.
bool HasErrorCode(db::Database& db, int code, ErrorTable table, std::int64_t rowId);

}  // namespace files
