#pragma once
// Keeps NUMBER the ordinal, in order of entry (ID), of every document of a VAT
// number and period; branches are numbered together with the head office.

#include <string>

#include "db/Database.h"

namespace db {

// Renumbers the purchases and then the sales of one VAT number and period.
void RenumberPeriod(Database& db, const std::string& vin, const std::string& period);
// Renumbers every period of the VAT number that either journal holds.
void RenumberAllPeriods(Database& db, const std::string& vin);

}  // namespace db
