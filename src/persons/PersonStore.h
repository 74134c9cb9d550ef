#pragma once
// The registered persons and branches (EDANNI) as the person chooser lists,
// adds and removes them.

#include <string>
#include <vector>

#include "db/Database.h"

namespace persons {

// The key of a registered person (empty KLON) or of one of its branches.
struct PersonKey {
    std::string bulstat, klon;

    // BULSTAT immediately followed by KLON, as the chooser lists it.
    std::string text() const { return bulstat + klon; }
    bool empty() const { return bulstat.empty(); }
    bool operator==(const PersonKey&) const = default;
};

struct PersonEntry {
    PersonKey key;
    std::string name;
    bool last = false;
};

// Every person and branch, in table order.
std::vector<PersonEntry> ListPersons(db::Database& db);

// Removes the person or branch with its VAT returns, journals and VIES rows
// in one unit of work. The head office's removal leaves its branches and
// their documents alone. When the removed row was the current one, the first
// remaining row becomes current. Every period of the VAT number is then
// renumbered, so that the documents left (a branch's, the head office's) are
// numbered 1, 2, 3 ... again. False when there is no such row.
bool RemovePerson(db::Database& db, const PersonKey& key);

}  // namespace persons
