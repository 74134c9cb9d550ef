#pragma once
// The merge import: what the file checker loaded (a branch's merge files or
// a folder of submission files) added to the journals of the head office.

#include <optional>
#include <string>

#include "db/Database.h"
#include "files/checker/CheckState.h"
#include "files/merge/MergeStore.h"
#include "platform/Clock.h"

namespace files::merge {

// Adds every loaded document, purchases first, in file order, with the codes
// the checker found, and renumbers the periods they went into, all in one
// unit of work. Throws db::Error, and then nothing was added.
AddedDocuments AddLoadedDocuments(db::Database& db, const checker::CheckState& state,
                                  SalesSource salesSource, const platform::LocalDateTime& now);

// The first VAT number of a loaded document that is not `vin`; nullopt when
// every document is the person's own.
std::optional<std::string> OtherVatNumber(const checker::CheckState& state, std::string_view vin);

// "Добавени са: ..." with the counts, and the periods the documents went into.
std::string AddedMessage(const AddedDocuments& added);

}  // namespace files::merge
