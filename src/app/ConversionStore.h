#pragma once
// Carrying the user's data from the database of an earlier version into a
// new, empty one: every row of the five user tables, read and written by
// column name, so that columns the new tables add take their defaults and the
// columns older files lack are tolerated.

#include <cstdint>
#include <functional>

#include "db/Database.h"

namespace app {

struct CarriedRows {
    std::int64_t persons = 0, returns = 0, counterparts = 0, purchases = 0, sales = 0;
};

// Copies EDANNI, DEKLAR, KONTRAG, POKUPKI and PRODAGBI, in that order, from
// `source` into `target` in one unit of work: a failure leaves `target` as it
// was. VIES is not copied; the VIES returns are generated again when needed.
//
// - EDANNI: a person or branch the target has already (same BULSTAT and
//   KLON) is skipped.
// - DEKLAR: a return with the VIN, KLON and PERIOD of one in the target
//   rewrites it, so that the returns of the branches of one VAT number stay
//   apart; a file without KLON in DEKLAR gives the head office's "".
// - KONTRAG: a counterpart the target has (same KN and VIN), or with no KN or
//   no VIN, is skipped.
// - POKUPKI, PRODAGBI: every document is added with its NUMBER and a new ID;
//   the new IDs keep the order of entry of the old ones.
// KLON of DEKLAR, BS8A and SS8A may be missing from an older source; any other
// column named above that is missing is an error.
//
// `afterRow` runs after each row written (to interrupt a copy in tests).
CarriedRows CarryOverUserData(db::Database& source, db::Database& target,
                              const std::function<void()>& afterRow = {});

// Leaves the file of the database whole by itself, its log written back into
// it and removed, so that it can be renamed once closed.
void SealDatabaseFile(db::Database& db);

}  // namespace app
