#pragma once
// The periods a person or branch has, and the removal of a whole period.

#include <string>
#include <vector>

#include "db/Database.h"

namespace journals {

// Periods for which the person or branch (klon "" for the head office) has a
// VAT return, newest first.
std::vector<std::string> ReturnPeriods(db::Database& db, const std::string& vin,
                                       const std::string& klon);

// Periods for which the person or branch has a VAT return or documents in
// either journal, newest first. A head office counts its branches' documents,
// which it sees and may remove with its own.
std::vector<std::string> RemovablePeriods(db::Database& db, const std::string& vin,
                                          const std::string& klon);

// Whether the period holds documents of branches: documents whose KLON is the
// branch number of some branch in EDANNI.
bool HasBranchDocuments(db::Database& db, const std::string& vin, const std::string& period);

enum class BranchDocuments { Remove, Keep };

// Removes everything entered for the period of the person (klon "") or of the
// branch: the purchases, the VAT return of that person or branch, the sales
// and its VIES return. A head office removes the branches' documents with its
// own, or keeps them; a branch removes its own only. Documents kept (the
// branches', or the head office's when a branch removes its period) are
// numbered 1, 2, 3 ... again. One unit of work: nothing is half removed.
void RemovePeriod(db::Database& db, const std::string& vin, const std::string& klon,
                  const std::string& period, BranchDocuments branchDocuments);

}  // namespace journals
