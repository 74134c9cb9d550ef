#include "db/Database.h"

#include <sqlcipher/sqlite3.h>

#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace db {
namespace {

[[noreturn]] void ThrowFrom(sqlite3* db, int rc) {
    throw Error(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc), rc);
}

void Check(sqlite3* db, int rc) {
    if (rc != SQLITE_OK) ThrowFrom(db, rc);
}

}  // namespace

bool Error::wrongKey() const {
    return code == SQLITE_NOTADB;
}

// ---- Statement ----

Statement::Statement(sqlite3* db, std::string_view sql) : db_(db) {
    const int rc =
        sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &stmt_, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(stmt_);
        ThrowFrom(db, rc);
    }
}

Statement::~Statement() {
    sqlite3_finalize(stmt_);
}

Statement::Statement(Statement&& other) noexcept
    : db_(other.db_), stmt_(std::exchange(other.stmt_, nullptr)) {}

void Statement::fail() const {
    ThrowFrom(db_, sqlite3_errcode(db_));
}

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

int Statement::columnCount() const {
    return sqlite3_column_count(stmt_);
}

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

double Statement::real(int column) const {
    return sqlite3_column_double(stmt_, column);
}

std::int64_t Statement::integer(int column) const {
    return sqlite3_column_int64(stmt_, column);
}

// ---- Database ----

// The engine's settings for a file opened by the program. The lock on the
// file is taken at once, so that a second copy of the program cannot open it.
// The write-ahead log under the exclusive lock keeps its index in memory,
// syncs once per commit, and lets a deletion reuse the log's space on a full
// disk. The log is cut back to 64 MB after a large transaction.
//
// Read-only access is refused writes by the connection itself (query_only):
// the engine of this version cannot read a log-mode file through a read-only
// handle. A log or journal left by an interrupted run is still recovered.
void Database::useEngineSettings(Access access) {
    if (access == Access::ReadWrite)
        executeScript("PRAGMA journal_mode=WAL; PRAGMA journal_size_limit=67108864;");
    executeScript("BEGIN EXCLUSIVE; COMMIT; PRAGMA cache_size=-262144; PRAGMA temp_store=MEMORY;");
    if (access == Access::ReadOnly) executeScript("PRAGMA query_only=1;");
}

Database Database::openWith(const std::filesystem::path& file, const Lock& lock, int flags) {
    sqlite3* handle = nullptr;
    const int rc = sqlite3_open_v2(file.c_str(), &handle, flags, nullptr);
    Database db(handle, file, lock);
    if (rc != SQLITE_OK) ThrowFrom(handle, rc);
    const std::string key = lock.key.engineText();
    Check(handle, sqlite3_key(handle, key.data(), static_cast<int>(key.size())));
    if (lock.format == PageFormat::Current) db.executeScript("PRAGMA cipher_page_size=4096;");
    db.executeScript("PRAGMA locking_mode=EXCLUSIVE;");
    // Reading the catalogue proves the key: a wrong key or a file that is
    // not a database fails here.
    db.query("SELECT count(*) FROM sqlite_master").run();
    return db;
}

Database Database::open(const std::filesystem::path& file, std::span<const Lock> locks,
                        Access access) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec))
        throw Error("unable to open database file " + file.string(), SQLITE_CANTOPEN);
    const int flags = SQLITE_OPEN_READWRITE;
    Error refused("no key to open " + file.string(), SQLITE_NOTADB);
    for (const auto& lock : locks) {
        try {
            Database db = openWith(file, lock, flags);
            db.useEngineSettings(access);
            return db;
        } catch (const Error& e) {
            // Only a key that does not fit lets the next one try; a locked or
            // unreadable file fails as it is.
            if (e.code != SQLITE_NOTADB) throw;
            refused = e;
        }
    }
    throw refused;
}

Database Database::create(const std::filesystem::path& file, const Lock& lock) {
    // The file is made here, readable and writable by its owner alone whatever
    // the umask; the engine's log files take the same permissions.
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        const std::string reason =
            errno == EEXIST ? "database file already exists: " : "unable to create database file ";
        throw Error(reason + file.string(), SQLITE_CANTOPEN);
    }
    const bool privateFile = ::fchmod(fd, 0600) == 0;
    ::close(fd);
    try {
        if (!privateFile) throw Error("cannot restrict " + file.string(), SQLITE_PERM);
        Database db = openWith(file, lock, SQLITE_OPEN_READWRITE);
        db.useEngineSettings(Access::ReadWrite);
        Transaction t(db);
        db.executeScript(SchemaSql());
        t.commit();
        return db;
    } catch (const Error&) {
        std::error_code ignored;
        std::filesystem::remove(file, ignored);
        throw;
    }
}

bool Database::hasOwnPassword() const {
    const auto& builtIn = BuiltInLocks();
    return std::find(builtIn.begin(), builtIn.end(), lock_) == builtIn.end();
}

void Database::rekey(const Key& key) {
    // An empty log before and after: the file alone holds the pages of one key.
    executeScript("PRAGMA wal_checkpoint(TRUNCATE);");
    const std::string text = key.engineText();
    Check(db_, sqlite3_rekey(db_, text.data(), static_cast<int>(text.size())));
    lock_.key = key;
    executeScript("PRAGMA wal_checkpoint(TRUNCATE);");
}

Salt Database::salt() {
    // A new file holds its first page in the log until the first checkpoint.
    executeScript("PRAGMA wal_checkpoint(TRUNCATE);");
    const auto salt = ReadSalt(file_);
    if (!salt) throw Error("no salt in " + file_.string(), SQLITE_CORRUPT);
    return *salt;
}

Database::~Database() {
    close();
}

Database::Database(Database&& other) noexcept
    : db_(std::exchange(other.db_, nullptr)),
      file_(std::move(other.file_)),
      lock_(std::move(other.lock_)) {}

Database& Database::operator=(Database&& other) noexcept {
    if (this != &other) {
        close();
        db_ = std::exchange(other.db_, nullptr);
        file_ = std::move(other.file_);
        lock_ = std::move(other.lock_);
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

std::int64_t Database::lastInsertId() const {
    return sqlite3_last_insert_rowid(db_);
}

int Database::changes() const {
    return sqlite3_changes(db_);
}

// ---- Transaction ----

Transaction::Transaction(Database& db) : db_(db) {
    db_.executeScript("SAVEPOINT unit");
}

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
