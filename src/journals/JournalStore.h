#pragma once
// What the journal screens write and look up. Each change is one unit of
// work: a document is stored together with the renumbering of its period, and
// a deletion likewise, or nothing is.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "db/Database.h"
#include "db/Rows.h"
#include "journals/JournalRows.h"

namespace journals {

// Whether the caller knows the period's documents to be numbered 1, 2, 3 ...
// in order of entry already.
enum class Numbering { InSequence, Unknown };

// Stores a new document as the last of its VAT number and period (NUMBER =
// the period's documents, branches included, + 1). Unless the period is known
// to be in sequence, the period is renumbered with it; in sequence, the new
// number is already what renumbering gives (the new document has the highest
// ID), and renumbering, which reads every document of the period, is spared.
// Returns the row as stored, with its ID and NUMBER.
db::JournalRow AddDocument(db::Database& db, db::Journal journal, db::JournalRow row,
                           Numbering numbering);

// Rewrites the document with row.id.
void UpdateDocument(db::Database& db, db::Journal journal, const db::JournalRow& row);

// Deletes the document and renumbers both journals of the VAT number and period.
void DeleteDocument(db::Database& db, db::Journal journal, std::int64_t id, const std::string& vin,
                    const std::string& period);

// The name of a counterpart identifier: from the counterparts register (any
// owner), else from the latest document of the journal with that identifier.
std::optional<std::string> LookUpCounterpartName(db::Database& db, db::Journal journal,
                                                 std::string_view identifier);

// "SELECT <what a list shows> FROM <the journal's table>", for a WHERE clause
// to follow; ReadListedDocument reads a row of it.
std::string ListSelect(db::Journal journal);
// `amounts`: how many amount columns the journal has.
ListedDocument ReadListedDocument(const db::Statement& row, int amounts);

// The documents of a journal's list for the VAT number and period, of one
// branch or (nullopt) of the head office with all its branches, in no
// particular order.
std::vector<ListedDocument> LoadPeriodDocuments(db::Database& db, db::Journal journal,
                                                const std::string& vin,
                                                const std::optional<std::string>& branch,
                                                const std::string& period);

}  // namespace journals
