#pragma once
// A fresh database of the program's schema in a temporary folder, with small
// builders for the rows the tests need.

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

}  // namespace testing_support
