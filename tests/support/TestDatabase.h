#pragma once
// A fresh database of the program's schema in a temporary folder, with small
// builders for the rows the tests need and readers of what a test checks.

#include <cstdint>
#include <string>

#include "db/Database.h"
#include "db/Rows.h"
#include "support/TempDir.h"

namespace testing_support {

class TestDatabase {
  public:
    TestDatabase();
    db::Database& db() { return db_; }
    const std::filesystem::path& file() const { return file_; }

    // Inserts a registered person (klon "") or branch with the given data.
    db::PersonRow person(const std::string& bulstat, const std::string& klon,
                         const std::string& vin, bool last = false);
    // Inserts a journal row and returns its id.
    std::int64_t document(db::Journal journal, const std::string& vin, const std::string& klon,
                          const std::string& period, int number = 0);

  private:
    TempDir dir_;
    std::filesystem::path file_;
    db::Database db_;
};

// Inserts a registered person (klon "") or branch named "Фирма <bulstat>",
// represented by the filer ("R").
db::PersonRow AddPerson(db::Database& db, const std::string& bulstat, const std::string& klon,
                        const std::string& vin, bool last = false);

// A raw key of kRawSize bytes of `fill`: a key of its own for each number.
db::Key RawKey(std::uint8_t fill);

// Adds `count` shared ("ALL") counterparts numbered from `first`: number n
// has KN 100000000 + n and the name `name` followed by n. One unit of work.
void AddCounterparts(db::Database& db, int first, int count, const std::string& name);

// The first column of the query's first row as a whole number (a count, a
// maximum).
std::int64_t IntegerOf(db::Database& db, const std::string& sql);

// How many rows the table holds.
std::int64_t RowCount(db::Database& db, const std::string& table);

}  // namespace testing_support
