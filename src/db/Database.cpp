#include "db/Database.h"

#include <sqlcipher/sqlite3.h>

#include <strings.h>

namespace db {
namespace {

[[noreturn]] void throwFrom(sqlite3* db, int rc) {
    throw Error(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc), rc);
}

void check(sqlite3* db, int rc) {
    if (rc != SQLITE_OK) throwFrom(db, rc);
}

}  // namespace

// ---- Statement ----

Statement::Statement(sqlite3* db, std::string_view sql) : db_(db) {
    const int rc = sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &stmt_, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(stmt_);
        throwFrom(db, rc);
    }
}

Statement::~Statement() { sqlite3_finalize(stmt_); }

Statement::Statement(Statement&& other) noexcept
    : db_(other.db_), stmt_(std::exchange(other.stmt_, nullptr)) {}

void Statement::fail() const { throwFrom(db_, sqlite3_errcode(db_)); }

Statement& Statement::bind(int index, std::string_view text) {
    if (sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()),
                          SQLITE_TRANSIENT) != SQLITE_OK)
        fail();
    return *this;
}

Statement& Statement::bind(int index, double value) {
    if (sqlite3_bind_double(stmt_, index, value) != SQLITE_OK) fail();
    return *this;
}

Statement& Statement::bind(int index, std::int64_t value) {
    if (sqlite3_bind_int64(stmt_, index, value) != SQLITE_OK) fail();
    return *this;
}

Statement& Statement::bind(int index, Null) {
    if (sqlite3_bind_null(stmt_, index) != SQLITE_OK) fail();
    return *this;
}

bool Statement::step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    fail();
}

void Statement::run() {
    while (step()) {
    }
}

void Statement::reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

int Statement::columnCount() const { return sqlite3_column_count(stmt_); }

int Statement::column(std::string_view name) const {
    const int count = sqlite3_column_count(stmt_);
    for (int i = 0; i < count; ++i) {
        const char* columnName = sqlite3_column_name(stmt_, i);
        if (columnName && name.size() == std::char_traits<char>::length(columnName) &&
            strncasecmp(columnName, name.data(), name.size()) == 0)
            return i;
    }
    throw Error("no column " + std::string(name) + " in the result");
}

bool Statement::isNull(int column) const {
    return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

std::string Statement::text(int column) const {
    const auto* p = sqlite3_column_text(stmt_, column);
    if (!p) return {};
    return std::string(reinterpret_cast<const char*>(p),
                       static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column)));
}

double Statement::real(int column) const { return sqlite3_column_double(stmt_, column); }

std::int64_t Statement::integer(int column) const { return sqlite3_column_int64(stmt_, column); }

// ---- Database ----

const std::string& Database::password() {
    static const std::string kPassword = "Pq№Жы7vX2m)Rt9Lk4Zs*";
    return kPassword;
}

Database Database::openWithFlags(const std::filesystem::path& file, const std::string& key,
                                 int flags) {
    sqlite3* handle = nullptr;
    const int rc = sqlite3_open_v2(file.c_str(), &handle, flags, nullptr);
    Database db(handle, file);
    if (rc != SQLITE_OK) throwFrom(handle, rc);
    check(handle, sqlite3_key(handle, key.data(), static_cast<int>(key.size())));
    // Exclusive for the whole run: take the lock at once so that a second
    // copy of the program cannot open the file.
    db.executeScript("PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE; COMMIT;");
    // Reading the catalogue proves the key: a wrong key or a file that is
    // not a database fails here.
    db.query("SELECT count(*) FROM sqlite_master").run();
    // A page cache of 64 MB keeps a usual database decrypted in memory across
    // the several passes a command makes over a period; sorting for GROUP BY
    // stays in memory.
    db.executeScript("PRAGMA cache_size=-65536; PRAGMA temp_store=MEMORY;");
    return db;
}

Database Database::open(const std::filesystem::path& file, const std::string& key) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec))
        throw Error("unable to open database file " + file.string(), SQLITE_CANTOPEN);
    return openWithFlags(file, key, SQLITE_OPEN_READWRITE);
}

Database Database::create(const std::filesystem::path& file, const std::string& key) {
    std::error_code ec;
    if (std::filesystem::exists(file, ec))
        throw Error("database file already exists: " + file.string(), SQLITE_CANTOPEN);
    Database db = openWithFlags(file, key, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    Transaction t(db);
    db.executeScript(schemaSql());
    t.commit();
    return db;
}

Database::~Database() { close(); }

Database::Database(Database&& other) noexcept
    : db_(std::exchange(other.db_, nullptr)), file_(std::move(other.file_)) {}

Database& Database::operator=(Database&& other) noexcept {
    if (this != &other) {
        close();
        db_ = std::exchange(other.db_, nullptr);
        file_ = std::move(other.file_);
    }
    return *this;
}

void Database::close() noexcept {
    if (db_) sqlite3_close_v2(db_);
    db_ = nullptr;
}

void Database::executeScript(std::string_view sql) {
    const std::string text(sql);
    char* message = nullptr;
    const int rc = sqlite3_exec(db_, text.c_str(), nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
        const std::string what = message ? message : sqlite3_errstr(rc);
        sqlite3_free(message);
        throw Error(what, rc);
    }
}

std::int64_t Database::lastInsertId() const { return sqlite3_last_insert_rowid(db_); }

int Database::changes() const { return sqlite3_changes(db_); }

// ---- Transaction ----

Transaction::Transaction(Database& db) : db_(db) { db_.executeScript("SAVEPOINT unit"); }

Transaction::~Transaction() {
    if (open_) {
        try {
            db_.executeScript("ROLLBACK TO unit; RELEASE unit");
        } catch (const Error&) {
            // The engine already rolled back (for instance after a full disk).
        }
    }
}

void Transaction::commit() {
    db_.executeScript("RELEASE unit");
    open_ = false;
}

}  // namespace db
