#pragma once
// The VAT return of a period is derived data: every time it is shown, written
// to file or reported on, its DEKLAR row is computed again from the journals.
// Only the cells the user types (DR33, DR70, DR71, DR80, DR81, DR82) keep
// their stored values.

#include <string>

#include "db/Database.h"
#include "db/Rows.h"

namespace returns {

// Who the return belongs to: the VAT number and the branch ("" = head office).
// A head office sums the documents of all its branches; a branch only its own.
struct ReturnScope {
    std::string vin, klon;
    std::string period;  // YYYYMM
};

// Computes the return of the scope from the journals, creates or updates its
// DEKLAR row in one transaction, and returns the row as stored.
//
// Sums are of the stored floating-point amounts, unrounded (rounding happens
// only where amounts are shown or written). DR40 = DB41 + DB42 x DR33 + DB43
// in floating point; DR50/DR60 split DS20 - DR40 by its sign.
db::ReturnRow ComputeVatReturn(db::Database& db, const ReturnScope& scope);

}  // namespace returns
