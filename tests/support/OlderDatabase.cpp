#include "support/OlderDatabase.h"

#include <stdexcept>
#include <string>

#include "support/TempDir.h"

namespace testing_support {
namespace {

std::string ReadSchema(std::string_view name) {
    return ReadFile(std::filesystem::path(ZOREVA_SOURCE_DIR) / "tests" / "support" / "schemas" /
                    (std::string(name) + ".sql"));
}

// One edit of a schema's text; a text not found means the stored schema
// changed under the edit, which must fail loudly rather than make the wrong
// tables.
void Replace(std::string& schema, std::string_view text, std::string_view by) {
    const auto at = schema.find(text);
    if (at == std::string::npos)
        throw std::logic_error("schema text not found: " + std::string(text));
    schema.replace(at, text.size(), by);
}

// The oldest files have the tables of version 0 less three columns: KLON in
// DEKLAR (and so in its key), BS8A in POKUPKI and SS8A in PRODAGBI.
std::string WithoutOptionalColumns(std::string schema) {
    Replace(schema, "    BS8A          TEXT,\n", "");
    Replace(schema, "    SS8A          TEXT,\n", "");
    Replace(schema, "    KLON    TEXT NOT NULL DEFAULT '',\n", "");
    Replace(schema, "DEKLAR (VIN, KLON, PERIOD)", "DEKLAR (VIN, PERIOD)");
    return schema;
}

std::string SchemaText(std::string_view schema) {
    if (schema == kVersion0WithoutOptionalColumns)
        return WithoutOptionalColumns(ReadSchema(kVersion0));
    return ReadSchema(schema);
}

}  // namespace

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
    db.executeScript("BEGIN;" + drop + SchemaText(schema) + "PRAGMA user_version = 0; COMMIT;");
    return db;
}

}  // namespace testing_support
