#pragma once
// The error catalogue: every problem recorded about a VAT return, a journal
// document or a VIES return is a numbered code within a group. The journal
// forms store and show the warnings a user accepted, the file checker reports
// the codes it finds, the merge import stores them, and the writers refuse a
// period whose documents carry a fatal code.
//
// Codes are kept in a db::ErrorSet (three 32-bit words, the ERROR1..ERROR3
// columns). The lookups are pure; files/ErrorStore reads the sets stored
// with documents and returns.

#include <string>
#include <string_view>

namespace journals {

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

}  // namespace journals
