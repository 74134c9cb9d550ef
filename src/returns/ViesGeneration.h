#pragma once
// The VIES return is never typed in: it is generated from the sales journal
// every time it is shown, written to file or reported on. Generation replaces
// every VIES row of the person, branch and period.
//
// Section 1 (intra-Community supplies) has one row per counterpart and month
// whose sums are not all zero; section 2 (call-off stock) one row per
// operation. A head office reads the documents of all its branches, a branch
// only its own. Member-state numbers are judged by the month of the document.

#include "db/Database.h"
#include "returns/VatReturnComputation.h"

namespace returns {

// Regenerates both sections of the scope in one transaction; running it twice
// gives the same rows and numbers.
void GenerateViesReturn(db::Database& db, const ReturnScope& scope);

}  // namespace returns
