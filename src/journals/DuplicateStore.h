#pragma once
// Documents entered twice: finding them in a period and deleting the repeats.
//
// Only invoices, debit and credit notes and protocols take part (types 01,
// 02, 03, 09, 11, 12, 13). Purchases are duplicates when they share branch
// (KLON), document number and counterpart, except counterparts without an
// identifier (KNUM "999999999999999"); sales when they share branch and
// document number. Branches are searched with the head office.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "db/Database.h"
#include "db/Rows.h"
#include "journals/JournalRows.h"

namespace journals {

struct DuplicateDocument {
    ListedDocument document;
    // The first of its group entered (the smallest ID); the others repeat it.
    bool earliest = false;
};

// Every document of the period that has a duplicate, group after group (in
// order of branch, number and counterpart), each group in order of entry.
std::vector<DuplicateDocument> FindDuplicates(db::Database& db, db::Journal journal,
                                              const std::string& vin, const std::string& period);

// Deletes the documents with these IDs from the period's journals and
// renumbers the period, in one unit of work. Only documents of the types that
// take part are deleted. Returns the documents deleted from each journal.
struct DeletedDocuments {
    int purchases = 0, sales = 0;
};
DeletedDocuments DeleteDuplicates(db::Database& db, const std::string& vin,
                                  const std::string& period,
                                  std::span<const std::int64_t> purchases,
                                  std::span<const std::int64_t> sales);

}  // namespace journals
