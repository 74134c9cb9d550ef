#pragma once
// A registered person with a month of documents and returns to print: a
// purchase journal of two pages, a sales journal whose amounts leave most
// optional columns out, the VAT return computed from them, and a VIES return
// with both sections.

#include "db/Database.h"
#include "db/Rows.h"

namespace testing_support {

inline constexpr const char* kSamplePeriod = "202405";
inline constexpr int kSamplePurchases = 40;

// Fills the database; returns the person of the session.
db::PersonRow FillPrintSamples(db::Database& db);

}  // namespace testing_support
