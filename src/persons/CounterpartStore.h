#pragma once
// The counterparts register (KONTRAG): entries of one registered person,
// owned by its VAT number, and entries shared by all, owned by "ALL".

#include <optional>
#include <string>
#include <vector>

#include "db/Database.h"
#include "db/Rows.h"

namespace persons {

// The owner of an entry shared by every registered person.
inline constexpr const char* kSharedOwner = "ALL";

// The entries of one owner (a VAT number or kSharedOwner), in table order.
std::vector<db::CounterpartRow> CounterpartsOf(db::Database& db, const std::string& owner);

// The entry with this identifier and owner.
std::optional<db::CounterpartRow> FindCounterpart(db::Database& db, const std::string& kn,
                                                  const std::string& owner);
// An entry with this identifier, whoever owns it: the shared one when there is
// one, otherwise the first in table order.
std::optional<db::CounterpartRow> FindCounterpartOfAnyOwner(db::Database& db,
                                                            const std::string& kn);

// Gives the entry a new name and carries the name into every document of
// both journals, of every registered person, that names this identifier.
void RenameCounterpart(db::Database& db, const std::string& kn, const std::string& owner,
                       const std::string& name);
// Makes a person's entry shared by all, under the new name.
void ShareCounterpart(db::Database& db, const std::string& kn, const std::string& owner,
                      const std::string& name);
void DeleteCounterpart(db::Database& db, const std::string& kn, const std::string& owner);

}  // namespace persons
