#include "support/OlderDatabase.h"

#include <string>

#include "support/TempDir.h"

namespace testing_support {

db::Database CreateOlderDatabase(const std::filesystem::path& file, std::string_view schema,
                                 const db::Lock& lock) {
    auto db = db::Database::create(file, lock);
    // The current tables make way for the old ones.
    std::string drop;
    {
        auto tables = db.query(
            "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite%'");
        while (tables.step()) drop += "DROP TABLE " + tables.text(0) + ";";
    }
    const auto text = ReadFile(std::filesystem::path(ZOREVA_SOURCE_DIR) / "tests" / "support" /
                               "schemas" / (std::string(schema) + ".sql"));
    db.executeScript("BEGIN;" + drop + text + "PRAGMA user_version = 0; COMMIT;");
    return db;
}

}  // namespace testing_support
