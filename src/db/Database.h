#pragma once
// The one encrypted database connection of a run (SQLCipher). Every statement
// is prepared with bound parameters; every failure of the engine is raised as
// db::Error carrying the engine's message.
//
// Engine settings are chosen for periods of a million documents: write-ahead
// log under the exclusive lock (one sync per commit, no shared memory), and a
// page cache bounded at 256 MB, large enough to keep such a period decrypted
// across the several passes a command makes over it.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "db/Key.h"
#include "platform/UserError.h"

struct sqlite3;
struct sqlite3_stmt;

namespace db {

// An engine failure is a user error: the action is abandoned and the
// engine's message shown.
class Error : public platform::UserError {
  public:
    explicit Error(const std::string& message, int code = 0)
        : platform::UserError(message), code(code) {}
    // A failure the engine reported with `code` and `words`: the common ones
    // get a sentence saying what to do, and the engine's words follow it for
    // whoever supports the user.
    static Error fromEngine(int code, const std::string& words);
    int code;  // the engine's result code
    // The file is not a database under the key tried (or not one at all).
    bool wrongKey() const;
    // The file is held by another connection: another copy of the program.
    bool heldElsewhere() const;
};

// A NULL value to bind.
struct Null {};

// Text bound without a copy, for statements run many times: it must stay
// unchanged until the statement has run and been reset.
struct Borrowed {
    std::string_view text;
};

class Statement {
  public:
    Statement(sqlite3* db, std::string_view sql);
    ~Statement();
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&&) = delete;
    Statement(const Statement&) = delete;

    // Parameters count from 1, as "?" placeholders do.
    Statement& bind(int index, std::string_view text);
    Statement& bind(int index, const std::string& text) {
        return bind(index, std::string_view(text));
    }
    Statement& bind(int index, const char* text) { return bind(index, std::string_view(text)); }
    Statement& bind(int index, double value);
    Statement& bind(int index, std::int64_t value);
    Statement& bind(int index, int value) { return bind(index, std::int64_t{value}); }
    Statement& bind(int index, bool value) { return bind(index, std::int64_t{value ? 1 : 0}); }
    Statement& bind(int index, Null);
    Statement& bind(int index, Borrowed text);
    // An absent value binds NULL.
    Statement& bind(int index, const std::optional<std::string_view>& text) {
        return text ? bind(index, *text) : bind(index, Null{});
    }

    template <class... Args>
    Statement& bindAll(const Args&... args) {
        [[maybe_unused]] int index = 0;
        (bind(++index, args), ...);
        return *this;
    }

    // Advances to the next row; false when there is none (or the statement
    // was an action).
    bool step();
    // Runs the statement to its end.
    void run();
    void reset();

    int columnCount() const;
    // Position of a column of the result by name (case-insensitive); throws
    // db::Error when the result has no such column.
    int column(std::string_view name) const;
    bool isNull(int column) const;
    std::string text(int column) const;  // NULL reads as ""
    // The text without a copy, valid until the next step or reset.
    std::string_view textView(int column) const;
    double real(int column) const;  // NULL reads as 0
    std::int64_t integer(int column) const;
    std::string text(std::string_view name) const { return text(column(name)); }
    double real(std::string_view name) const { return real(column(name)); }
    std::int64_t integer(std::string_view name) const { return integer(column(name)); }
    bool isNull(std::string_view name) const { return isNull(column(name)); }

  private:
    [[noreturn]] void fail() const;
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

// Binds values to the parameters of a statement in order:
// Binder(s) << vin << period << amount;
class Binder {
  public:
    explicit Binder(Statement& statement) : statement_(statement) {}
    template <class T>
    Binder& operator<<(const T& value) {
        statement_.bind(++count_, value);
        return *this;
    }
    int count() const { return count_; }

  private:
    Statement& statement_;
    int count_ = 0;
};

enum class Access {
    ReadWrite,  // in the write-ahead log mode, for the run of the program
    ReadOnly,   // the file is left exactly as it is (a source to copy from)
};

class Database {
  public:
    // Opens an existing database file exclusively with the first of `locks`
    // that unlocks it: the lock on the file is taken at once, so a second open
    // of the same file fails while this one lives. Throws db::Error when the
    // file is missing, locked, not a database or keyed otherwise.
    static Database open(const std::filesystem::path& file,
                         std::span<const Lock> locks = BuiltInLocks(),
                         Access access = Access::ReadWrite);
    // Creates a new database file from the schema, readable by its owner
    // only. For the install step and tests only: the program itself never
    // creates tables.
    static Database create(const std::filesystem::path& file,
                           const Lock& lock = {Key::builtIn(), PageFormat::Current});

    ~Database();
    Database(Database&& other) noexcept;
    Database& operator=(Database&& other) noexcept;
    Database(const Database&) = delete;

    Statement prepare(std::string_view sql) { return Statement(db_, sql); }

    // Prepares, binds and runs an action statement; returns the rows changed.
    template <class... Args>
    int execute(std::string_view sql, const Args&... args) {
        prepare(sql).bindAll(args...).run();
        return changes();
    }
    // Prepares and binds a query; step() through its rows.
    template <class... Args>
    Statement query(std::string_view sql, const Args&... args) {
        Statement s = prepare(sql);
        s.bindAll(args...);
        return s;
    }

    // Runs several statements without parameters (the schema).
    void executeScript(std::string_view sql);
    std::int64_t lastInsertId() const;
    int changes() const;
    const std::filesystem::path& file() const { return file_; }
    // The key and page format that opened the file.
    const Lock& lock() const { return lock_; }
    // Whether the file is keyed with a password of the user's own.
    bool hasOwnPassword() const;
    // Changes the key of the open file in place. Every page is written again
    // under the new key in one transaction of the log, so that an
    // interruption leaves the whole file under the old key or the new one.
    void rekey(const Key& key);
    // The salt of the open file, from which a password's key is derived.
    Salt salt();
    // Throws db::Error when the open file is no longer the one at its path
    // (removed, moved or replaced while the program runs): what is written
    // then would go into a file nobody finds again. Every commit checks it;
    // a unit of work checks it before it starts as well.
    void ensureStillAtPath() const;
    // No unit of work is open.
    bool inAutocommit() const;

    // Copies the open database while it stays open (the engine's backup
    // interface) into `target`: a new file readable by its owner alone,
    // under the same key, salt and page format, so that the same password
    // opens it. The copy is made beside `target` under a temporary name and
    // takes the name only when complete and on the disk; an existing
    // `target` is replaced. Throws db::Error.
    void backUpTo(const std::filesystem::path& target);
    // Puts a copy of `archive` (checked by the caller: it opens with `lock`
    // and holds the program's tables) in the place of this file, which stays
    // under the name `keptCopy`, and opens it with `lock`. The file at the
    // path is at every moment the whole old one or the whole new one. Throws
    // db::Error; the old file is then open again.
    void replaceWith(const std::filesystem::path& archive, const Lock& lock,
                     const std::filesystem::path& keptCopy);

  private:
    struct Identity;
    Database(sqlite3* db, std::filesystem::path file, Lock lock);
    static Database openWith(const std::filesystem::path& file, const Lock& lock, int flags);
    static void applyLock(sqlite3* handle, const Lock& lock, const std::optional<Salt>& salt);
    void useEngineSettings(Access access);
    void reserveLogSpace();
    void close() noexcept;
    sqlite3* db_ = nullptr;
    std::filesystem::path file_;
    Lock lock_;
    std::unique_ptr<Identity> identity_;  // stays in place when the connection moves
};

// A unit of work: commit() makes it permanent; leaving the scope without
// commit() rolls it back. Units nest (savepoints): an inner unit commits into
// the outer one.
class Transaction {
  public:
    explicit Transaction(Database& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

  private:
    Database& db_;
    bool open_ = true;
};

// The schema text (compiled in from schema.sql).
std::string_view SchemaSql();

}  // namespace db
