#pragma once
// The error catalogue: every problem recorded about a VAT return, a journal
// document or a VIES return is a numbered code within a group. The journal
// forms store and show the warnings a user accepted, the file checker reports
// the codes it finds, the merge import stores them, and the writers refuse a
// period whose documents carry a fatal code.
//
// Codes are kept in a db::ErrorSet (three 32-bit words, the ERROR1..ERROR3
// columns). The lookups are pure; HasFatalErrors and HasErrorCode read the
// database.

#include <cstdint>
#include <string>
#include <string_view>

#include "db/Database.h"

namespace files {

enum class ErrorGroup { Deklar, Purchases, Sales, ViesHeader, ViesRows };

// The line number that asks for a text without its "Ред" prefix.
inline constexpr int kNoLine = -1;

// The text of a code, returned by value. Purchase, sales and VIES-row texts
// get their prefix when line >= 0:
//   "Покупки - Ред %d: %s", "Продажби - Ред %d: %s",
//   "VIES - Ред %d на секция '%s': %s" (section "ВОД" for codes 1-8,
//   "Прехвърляне на стоки под режим ..." from code 9 on).
// Return and VIES-header texts never get one. A code without a text in its
// group gives "No error".
std::string ErrorText(int code, ErrorGroup group, int line);

// Fatal codes stop the submission-file and merge-file writers:
// return codes 1-72; purchase codes 1-32 and 51-53; sales codes 1-39, 71-73
// and 79. The VIES groups have no fatal codes.
bool IsFatal(ErrorGroup group, int code);

// True when a purchase or sales document of the VAT number and period carries
// a fatal code. Like every journal query of a session, the head office (empty
// branch) covers the documents of all its branches, and a branch only its own:
// the same documents that the writers of that session put into their files.
bool HasFatalErrors(db::Database& db, std::string_view vin, std::string_view branch,
                    std::string_view period);

enum class ErrorTable { Deklar, Pokupki, Prodagbi };

// True when the row with the ID holds the code in its ERROR1..ERROR3 columns.
// A missing row, a NULL column or a code outside 1..96 gives false.
bool HasErrorCode(db::Database& db, int code, ErrorTable table, std::int64_t rowId);

}  // namespace files
