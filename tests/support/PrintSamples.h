#pragma once
// A registered person with a month of documents and returns to print: a
// purchase journal of two pages, a sales journal whose amounts leave most
// optional columns out, the VAT return computed from them, and a VIES return
// with both sections.

#include <string>

#include "db/Database.h"
#include "db/Rows.h"

namespace testing_support {

inline constexpr const char* kSamplePeriod = "202405";
inline constexpr int kSamplePurchases = 40;

// The first period stated in euro, printed with the same documents.
inline constexpr const char* kEuroSamplePeriod = "202601";

// Fills the database with the month `period` (the documents, the computed
// VAT return and the VIES return); returns the person of the session. A
// second period of the same person is added by a second call.
db::PersonRow FillPrintSamples(db::Database& db, const std::string& period = kSamplePeriod);

}  // namespace testing_support
