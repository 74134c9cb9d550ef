#include "db/Database.h"

#include <sqlcipher/sqlite3.h>

#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

namespace db {

namespace {

constexpr int kFileGone = SQLITE_CANTOPEN;

Error FileGoneError(const std::filesystem::path& file) {
    return Error("Файлът с данните " + file.string() +
                     " вече не е на мястото си: изтрит, преместен или заменен, докато "
                     "програмата работи. Нищо не е записано. Затворете програмата и проверете "
                     "папката с данните.",
                 kFileGone);
}

}  // namespace

// The file as it was when opened: a handle that only names it (closing such
// a handle leaves the engine's locks on the file alone) and its identity.
struct Database::Identity {
    std::filesystem::path file;
    int handle = -1;
    dev_t device = 0;
    ino_t inode = 0;

    explicit Identity(std::filesystem::path path) : file(std::move(path)) {
        handle = ::open(file.c_str(), O_PATH | O_CLOEXEC);
        struct stat opened {};
        if (handle >= 0 && ::fstat(handle, &opened) == 0) {
            device = opened.st_dev;
            inode = opened.st_ino;
        }
    }
    ~Identity() {
        if (handle >= 0) ::close(handle);
    }
    Identity(const Identity&) = delete;
    Identity& operator=(const Identity&) = delete;

    // Still linked somewhere, and the path still names this very file.
    bool stillAtPath() const {
        struct stat opened {
        }, atPath{};
        if (handle < 0 || ::fstat(handle, &opened) != 0 || opened.st_nlink == 0) return false;
        if (::stat(file.c_str(), &atPath) != 0) return false;
        return atPath.st_dev == device && atPath.st_ino == inode;
    }

    // The engine's commit hook: a non-zero answer turns the commit into a
    // rollback.
    static int BeforeCommit(void* self) {
        return static_cast<const Identity*>(self)->stillAtPath() ? 0 : 1;
    }
};

namespace {

[[noreturn]] void ThrowFrom(sqlite3* db, int rc) {
    if (db && sqlite3_extended_errcode(db) == SQLITE_CONSTRAINT_COMMITHOOK)
        throw FileGoneError(sqlite3_db_filename(db, "main"));
    throw Error::fromEngine(db ? sqlite3_extended_errcode(db) : rc,
                            db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
}

// The log holds the room of about 2,000 pages of 4 KB.
constexpr off_t kLogReserve = 8 * 1024 * 1024;

// Copies the log into the file after a commit once it holds 1,000 pages, as
// the engine's own hook does, but a checkpoint that fails (a full disk) does
// not turn the commit already made into a reported failure; the next commit
// tries again.
int CheckpointAfterCommit(void*, sqlite3* db, const char* name, int pages) {
    if (pages >= 1000)
        sqlite3_wal_checkpoint_v2(db, name, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
    return SQLITE_OK;
}

// What the user can do about the engine's common failures.
const char* AdviceFor(int code) {
    switch (code & 0xff) {
        case SQLITE_FULL:
            return "Дискът е пълен. Освободете място на диска (изтрийте ненужни файлове или "
                   "документи) и опитайте отново.";
        case SQLITE_READONLY:
            return "Файлът с данните е само за четене. Проверете правата върху файла и папката с "
                   "данните и дали дискът не е защитен срещу запис.";
        case SQLITE_IOERR:
            return "Грешка при четене или запис на диска. Проверете диска (и връзката с него, ако "
                   "е "
                   "външен или мрежов) и опитайте отново; ако грешката се повтаря, копирайте "
                   "данните "
                   "на друг диск или ги възстановете от архив.";
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return "Файлът с данните е зает от друго копие на програмата или от друга програма. "
                   "Затворете я и опитайте отново.";
        case SQLITE_CORRUPT:
            return "Файлът с данните е повреден. Не въвеждайте повече данни: затворете програмата "
                   "и "
                   "възстановете данните от последния архив (\"Възстановяване от архив\").";
        default:
            return nullptr;
    }
}

void Check(sqlite3* db, int rc) {
    if (rc != SQLITE_OK) ThrowFrom(db, rc);
}

}  // namespace

Error Error::fromEngine(int code, const std::string& words) {
    const char* advice = AdviceFor(code);
    return Error(advice ? std::string(advice) + " (" + words + ")" : words, code);
}

bool Error::wrongKey() const {
    return code == SQLITE_NOTADB;
}

bool Error::heldElsewhere() const {
    return code == SQLITE_BUSY || code == SQLITE_LOCKED;
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

Statement& Statement::bind(int index, Borrowed text) {
    if (sqlite3_bind_text(stmt_, index, text.text.data(), static_cast<int>(text.text.size()),
                          SQLITE_STATIC) != SQLITE_OK)
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

std::string_view Statement::textView(int column) const {
    const auto* p = sqlite3_column_text(stmt_, column);
    if (!p) return {};
    return {reinterpret_cast<const char*>(p),
            static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column))};
}

double Statement::real(int column) const {
    return sqlite3_column_double(stmt_, column);
}

std::int64_t Statement::integer(int column) const {
    return sqlite3_column_int64(stmt_, column);
}

// ---- Database ----

Database::Database(sqlite3* db, std::filesystem::path file, Lock lock)
    : db_(db),
      file_(std::move(file)),
      lock_(std::move(lock)),
      identity_(std::make_unique<Identity>(file_)) {
    if (db_) sqlite3_commit_hook(db_, &Identity::BeforeCommit, identity_.get());
}

bool Database::inAutocommit() const {
    return sqlite3_get_autocommit(db_) != 0;
}

void Database::ensureStillAtPath() const {
    if (!identity_->stillAtPath()) throw FileGoneError(file_);
}

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
    if (access == Access::ReadWrite) {
        sqlite3_wal_hook(db_, &CheckpointAfterCommit, nullptr);
        reserveLogSpace();
    }
}

// The log is given room of its own at open. Writes then go into space the
// file already has, so that on a full disk the user can still delete
// documents: a deletion never makes the database file longer, and the log is
// written again from its start once a checkpoint has copied it into the file.
void Database::reserveLogSpace() {
    const std::string log = file_.string() + "-wal";
    const int fd = ::open(log.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) return;
    struct stat now {};
    if (::fstat(fd, &now) == 0 && now.st_size < kLogReserve)
        (void)::posix_fallocate(fd, now.st_size, kLogReserve - now.st_size);
    ::close(fd);
}

// The key and page format of `lock` on a fresh connection; a new file takes
// `salt` when one is given.
void Database::applyLock(sqlite3* handle, const Lock& lock, const std::optional<Salt>& salt) {
    const std::string key = lock.key.engineText(salt);
    Check(handle, sqlite3_key(handle, key.data(), static_cast<int>(key.size())));
    if (lock.format == PageFormat::Current)
        Check(handle,
              sqlite3_exec(handle, "PRAGMA cipher_page_size=4096;", nullptr, nullptr, nullptr));
}

namespace {

// The engine's global settings, made once before its first connection. It
// keeps no count of the memory it uses: the count takes a process-wide mutex
// on every allocation, and nothing here reads it.
void InitialiseEngine() {
    static const int initialised = [] {
        sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
        return sqlite3_initialize();
    }();
    (void)initialised;
}

}  // namespace

// A connection is used by one thread at a time, so the engine need not lock
// its own mutex around every call (a column read is one call).
Database Database::openWith(const std::filesystem::path& file, const Lock& lock, int flags) {
    InitialiseEngine();
    sqlite3* handle = nullptr;
    const int rc = sqlite3_open_v2(file.c_str(), &handle, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    Database db(handle, file, lock);
    if (rc != SQLITE_OK) ThrowFrom(handle, rc);
    applyLock(handle, lock, std::nullopt);
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
    reserveLogSpace();
}

Salt Database::salt() {
    // A new file holds its first page in the log until the first checkpoint.
    executeScript("PRAGMA wal_checkpoint(TRUNCATE);");
    reserveLogSpace();
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
      lock_(std::move(other.lock_)),
      identity_(std::move(other.identity_)) {}

Database& Database::operator=(Database&& other) noexcept {
    if (this != &other) {
        close();
        db_ = std::exchange(other.db_, nullptr);
        file_ = std::move(other.file_);
        lock_ = std::move(other.lock_);
        identity_ = std::move(other.identity_);
    }
    return *this;
}

void Database::close() noexcept {
    if (db_) sqlite3_close_v2(db_);
    db_ = nullptr;
    identity_.reset();  // after the engine let go of the file
}

void Database::executeScript(std::string_view sql) {
    const std::string text(sql);
    char* message = nullptr;
    const int rc = sqlite3_exec(db_, text.c_str(), nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
        const std::string what = message ? message : sqlite3_errstr(rc);
        sqlite3_free(message);
        if (sqlite3_extended_errcode(db_) == SQLITE_CONSTRAINT_COMMITHOOK)
            throw FileGoneError(file_);
        throw Error::fromEngine(sqlite3_extended_errcode(db_), what);
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
    // The outermost unit finds a lost file before any work is done.
    if (db_.inAutocommit()) db_.ensureStillAtPath();
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

// ---- Copies: the online copy of a backup, and a copy put in place ----

namespace db {
namespace {

std::string Reason(const std::filesystem::path& file) {
    return file.string() + ": " + std::strerror(errno);
}

// A new file of its owner alone at `file`, empty; an old one is replaced.
void CreatePrivate(const std::filesystem::path& file) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0 || ::fchmod(fd, 0600) != 0) {
        const std::string reason = Reason(file);
        if (fd >= 0) ::close(fd);
        throw Error::fromEngine(SQLITE_CANTOPEN, reason);
    }
    ::close(fd);
}

void SyncFile(const std::filesystem::path& file, int flags = O_RDONLY) {
    const int fd = ::open(file.c_str(), flags | O_CLOEXEC);
    const bool synced = fd >= 0 && ::fsync(fd) == 0;
    const std::string reason = synced ? "" : Reason(file);
    if (fd >= 0) ::close(fd);
    if (!synced) throw Error::fromEngine(SQLITE_IOERR, reason);
}

// A rename lasts only once the folder holding it is on the disk.
void SyncFolder(const std::filesystem::path& folder) {
    SyncFile(folder.empty() ? "." : folder, O_RDONLY | O_DIRECTORY);
}

void RenameInto(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (::rename(from.c_str(), to.c_str()) != 0) throw Error::fromEngine(SQLITE_IOERR, Reason(to));
    SyncFolder(to.parent_path());
}

// Copies the bytes of `from` into the new private file `to`, synced.
void CopySynced(const std::filesystem::path& from, const std::filesystem::path& to) {
    CreatePrivate(to);
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    const int out = ::open(to.c_str(), O_WRONLY | O_CLOEXEC);
    std::string failure;
    if (in < 0) failure = Reason(from);
    if (out < 0) failure = Reason(to);
    std::unique_ptr<char[]> buffer(new char[1 << 20]);
    while (failure.empty()) {
        const ssize_t got = ::read(in, buffer.get(), 1 << 20);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) failure = Reason(from);
        if (got <= 0) break;
        for (ssize_t done = 0; done < got && failure.empty();) {
            const ssize_t put = ::write(out, buffer.get() + done, static_cast<size_t>(got - done));
            if (put < 0 && errno == EINTR) continue;
            if (put < 0) failure = Reason(to);
            done += put > 0 ? put : 0;
        }
    }
    if (failure.empty() && ::fsync(out) != 0) failure = Reason(to);
    const int lastErrno = errno;
    if (in >= 0) ::close(in);
    if (out >= 0) ::close(out);
    if (!failure.empty())
        throw Error::fromEngine(lastErrno == ENOSPC ? SQLITE_FULL : SQLITE_IOERR, failure);
}

std::filesystem::path TemporaryBeside(const std::filesystem::path& file, const char* what) {
    return file.parent_path() / ("." + file.filename().string() + what);
}

}  // namespace

void Database::backUpTo(const std::filesystem::path& target) {
    const auto temporary = TemporaryBeside(target, ".tmp");
    const std::optional<Salt> ownSalt =
        lock_.key.isRaw() ? std::optional<Salt>(salt()) : std::nullopt;
    CreatePrivate(temporary);
    sqlite3* copy = nullptr;
    int rc = sqlite3_open_v2(temporary.c_str(), &copy, SQLITE_OPEN_READWRITE, nullptr);
    std::string failure;
    try {
        if (rc != SQLITE_OK) ThrowFrom(copy, rc);
        applyLock(copy, lock_, ownSalt);
        Check(copy,
              sqlite3_exec(copy, "PRAGMA locking_mode=EXCLUSIVE;", nullptr, nullptr, nullptr));
        sqlite3_backup* backup = sqlite3_backup_init(copy, "main", db_, "main");
        if (!backup) ThrowFrom(copy, sqlite3_errcode(copy));
        while ((rc = sqlite3_backup_step(backup, 256)) == SQLITE_OK) {
        }
        sqlite3_backup_finish(backup);
        if (rc != SQLITE_DONE) ThrowFrom(copy, sqlite3_errcode(copy));
        // A copy that needs no log beside it, so that it opens from any folder.
        Check(copy, sqlite3_exec(copy, "PRAGMA journal_mode=DELETE;", nullptr, nullptr, nullptr));
        sqlite3_close_v2(copy);
        copy = nullptr;
        SyncFile(temporary);
        RenameInto(temporary, target);
    } catch (const Error&) {
        if (copy) sqlite3_close_v2(copy);
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        throw;
    }
}

void Database::replaceWith(const std::filesystem::path& archive, const Lock& lock,
                           const std::filesystem::path& keptCopy) {
    const auto file = file_;
    const auto oldLock = lock_;
    const auto arriving = TemporaryBeside(file, ".restore");
    CopySynced(archive, arriving);

    // Let go of the file: the engine copies its log into it and removes the
    // log, so that the file alone is the whole database.
    close();
    std::error_code ec;
    const bool logLeft = std::filesystem::exists(file.string() + "-wal", ec);
    // The old file gets its second name (the same file), then the copy
    // takes the first name in one step.
    const bool kept = !logLeft && ::link(file.c_str(), keptCopy.c_str()) == 0;
    const std::string keptFailure = kept ? "" : Reason(keptCopy);
    try {
        if (!kept) throw Error::fromEngine(logLeft ? SQLITE_IOERR : SQLITE_CANTOPEN, keptFailure);
        SyncFolder(keptCopy.parent_path());
        RenameInto(arriving, file);
        *this = open(file, {&lock, 1});
    } catch (const Error&) {
        if (kept && !std::filesystem::equivalent(file, keptCopy, ec))
            (void)::rename(keptCopy.c_str(), file.c_str());  // the old one back in place
        else if (kept)
            std::filesystem::remove(keptCopy, ec);
        std::filesystem::remove(arriving, ec);
        *this = open(file, {&oldLock, 1});
        throw;
    }
}

}  // namespace db
