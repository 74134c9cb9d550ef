#include "db/SchemaCheck.h"

#include <cstring>
#include <fstream>

namespace db {

bool LooksLikeForeignFile(const std::filesystem::path& file) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) return false;  // missing: not ours to judge
    if (std::filesystem::file_size(file, ec) == 0) return !ec;
    std::ifstream in(file, std::ios::binary);
    char header[16] = {};
    in.read(header, sizeof header);
    return in.gcount() == sizeof header && std::memcmp(header, "SQLite format 3", 16) == 0;
}

bool HasZorevaTables(Database& db) {
    auto s = db.query(
        "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND upper(name) IN "
        "('EDANNI', 'POKUPKI', 'PRODAGBI', 'KONTRAG', 'DEKLAR', 'VIES')");
    return s.step() && s.integer(0) == 6;
}

// Told by the tables, as the file's user version holds the day of the last
// backup: version 1 brought the ID counter JOURNAL_IDS.
int SchemaVersion(Database& db) {
    auto s = db.query(
        "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = 'JOURNAL_IDS'");
    return s.step() && s.integer(0) > 0 ? 1 : 0;
}

}  // namespace db
