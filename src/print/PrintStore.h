#pragma once
// What the printouts read from the database. A head office prints the
// documents of all its branches with its own; a branch only its own.

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "db/Database.h"
#include "db/Rows.h"

namespace print {

// Whose printout, and of which tax period (YYYYMM).
struct PrintScope {
    std::string vin, klon;
    std::string period;
    bool onBranch() const { return !klon.empty(); }
};

// Calls `each` with every document of the journal and period, in NUMBER
// order, one at a time: a period of any size is read without being held.
void ForEachDocument(db::Database& db, db::Journal journal, const PrintScope& scope,
                     const std::function<void(const db::JournalRow&)>& each);

// The optional sales columns 13 to 25 (SS12, SS26, SS22, SS23, SS13, SS24,
// SS14, SS15, SS16, SS17, SS18, SS19, SS25): whether each holds any amount
// other than zero in the period.
inline constexpr int kOptionalSalesColumns = 13;
std::array<bool, kOptionalSalesColumns> OptionalSalesColumnsInUse(db::Database& db,
                                                                  const PrintScope& scope);

// The stored VAT return of the scope (VIN and KLON as given); all zero when
// the period has none.
db::ReturnRow StoredReturn(db::Database& db, const PrintScope& scope);

// Who signs the VAT return: B_NAME and B_POST of the person or branch.
struct Signatory {
    std::string name, post;
};
Signatory ReturnSignatory(db::Database& db, const PrintScope& scope);

// The rows of one section of the VIES return (VIN and KLON as given), in
// NUMBER order.
std::vector<db::ViesRow> ViesSection(db::Database& db, const PrintScope& scope, int section);

}  // namespace print
