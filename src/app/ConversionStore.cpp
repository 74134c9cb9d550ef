#include "app/ConversionStore.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "db/Rows.h"
#include "db/SchemaCheck.h"

namespace app {
namespace {

// A column of a table as the engine describes it.
struct TableColumn {
    std::string name, type;
    bool notNull = false;
};

std::string Upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

// The columns in the order "SELECT *" returns them.
std::vector<TableColumn> ColumnsOf(db::Database& db, const std::string& table) {
    auto s = db.query("PRAGMA table_info(" + table + ")");
    std::vector<TableColumn> columns;
    while (s.step())
        columns.push_back(
            {Upper(s.text("name")), Upper(s.text("type")), s.integer("notnull") != 0});
    if (columns.empty()) throw db::Error("no table " + table + " in the database");
    return columns;
}

// One column carried from a source position into the target.
struct Carried {
    std::string name;
    int source = 0;  // position in the source's "SELECT *"
    TableColumn target;
};

// The columns of one table that the copy reads and writes. Every column of
// both tables is carried, except the target's own identity.
class TablePlan {
  public:
    // Columns in `required` must be in the source; the optional columns of
    // older files are simply not listed.
    TablePlan(db::Database& source, db::Database& target, const std::string& table,
              const std::vector<const char*>& required, bool newIdentity)
        : table_(table) {
        const auto from = ColumnsOf(source, table);
        const auto to = ColumnsOf(target, table);
        for (int i = 0; i < static_cast<int>(from.size()); ++i) {
            if (newIdentity && from[i].name == "ID") continue;
            const auto match = std::find_if(to.begin(), to.end(),
                                            [&](const auto& c) { return c.name == from[i].name; });
            if (match != to.end()) columns_.push_back({from[i].name, i, *match});
        }
        for (const char* name : required)
            if (!has(name)) throw db::Error("the table " + table + " has no column " + name);
    }

    const std::string& table() const { return table_; }
    bool has(const std::string& name) const { return position(name).has_value(); }
    // Position of a carried column in the source's "SELECT *".
    std::optional<int> position(const std::string& name) const {
        for (const auto& c : columns_)
            if (c.name == name) return c.source;
        return std::nullopt;
    }

    // "INSERT INTO t (a, b, ...) VALUES (?, ?, ...)", with `extra` columns last.
    std::string insertSql(const std::vector<std::string>& extra = {}) const {
        std::string names, marks;
        auto add = [&](const std::string& name) {
            if (!names.empty()) names += ", ", marks += ", ";
            names += name;
            marks += "?";
        };
        for (const auto& c : columns_) add(c.name);
        for (const auto& e : extra) add(e);
        return "INSERT INTO " + table_ + " (" + names + ") VALUES (" + marks + ")";
    }
    // "UPDATE t SET a = ?, b = ? ... WHERE ID = ?"
    std::string updateByIdSql() const {
        std::string sets;
        for (const auto& c : columns_) {
            if (!sets.empty()) sets += ", ";
            sets += c.name + " = ?";
        }
        return "UPDATE " + table_ + " SET " + sets + " WHERE ID = ?";
    }

    // Binds the carried values of the current source row, from parameter 1;
    // returns the number bound. A value the source lacks (NULL) stays NULL,
    // except in a column that must have one, which gets an empty or zero value.
    int bind(db::Statement& to, const db::Statement& from) const {
        int index = 0;
        for (const auto& c : columns_) {
            ++index;
            const bool number = c.target.type == "REAL" || c.target.type == "INTEGER";
            if (from.isNull(c.source)) {
                if (!c.target.notNull)
                    to.bind(index, db::Null{});
                else if (number)
                    to.bind(index, std::int64_t{0});
                else
                    to.bind(index, "");
            } else if (c.target.type == "REAL") {
                to.bind(index, from.real(c.source));
            } else if (c.target.type == "INTEGER") {
                to.bind(index, from.integer(c.source));
            } else {
                to.bind(index, from.text(c.source));
            }
        }
        return index;
    }

  private:
    std::string table_;
    std::vector<Carried> columns_;
};

// A text of the current source row by name; "" for NULL or a column the
// source lacks.
std::string TextOf(const TablePlan& plan, const db::Statement& row, const std::string& name) {
    const auto at = plan.position(name);
    return at ? row.text(*at) : std::string();
}

bool Found(db::Statement& lookup) {
    const bool found = lookup.step();
    lookup.reset();
    return found;
}

// Writes the current source row through `write`: its carried values, then
// the `extra` values after them.
template <typename... Extra>
void WriteRow(db::Statement& write, const TablePlan& plan, const db::Statement& row,
              const Extra&... extra) {
    int index = plan.bind(write, row);
    (write.bind(++index, extra), ...);
    write.run();
    write.reset();
}

// Steps through the source rows; `copyRow` copies the current one and says
// whether it did (false: the target has it already). Returns how many were
// copied; `afterRow` is told of each.
std::int64_t CopyEachRow(db::Statement& rows, const std::function<bool()>& copyRow,
                         const std::function<void()>& afterRow) {
    std::int64_t copied = 0;
    while (rows.step()) {
        if (!copyRow()) continue;
        ++copied;
        if (afterRow) afterRow();
    }
    return copied;
}

std::int64_t CopyPersons(db::Database& source, db::Database& target,
                         const std::function<void()>& afterRow) {
    const TablePlan plan(source, target, "EDANNI",
                         {"BULSTAT", "KLON",      "VIN",    "NAME",     "ADRESS",   "B_NAME",
                          "B_POST",  "FACE1",     "FACE2",  "FACE3",    "FACE",     "PHONE",
                          "FACEEGN", "FACEGRAD",  "FACEPK", "FACEADR1", "FACEADR2", "FACEADR3",
                          "FL_OBST", "FL_PREDST", "PERIOD", "LAST"},
                         false);
    auto rows = source.query("SELECT * FROM EDANNI");
    auto known = target.prepare("SELECT 1 FROM EDANNI WHERE BULSTAT = ? AND KLON = ?");
    auto insert = target.prepare(plan.insertSql());
    const auto copyRow = [&] {
        known.bindAll(TextOf(plan, rows, "BULSTAT"), TextOf(plan, rows, "KLON"));
        if (Found(known)) return false;
        WriteRow(insert, plan, rows);
        return true;
    };
    return CopyEachRow(rows, copyRow, afterRow);
}

std::int64_t CopyReturns(db::Database& source, db::Database& target,
                         const std::function<void()>& afterRow) {
    const TablePlan plan(
        source, target, "DEKLAR",
        {"VIN",  "NAME", "PERIOD", "FACE", "SNUMBER", "BNUMBER", "DS01",   "DS20",
         "DS11", "DS21", "DS12",   "DS22", "DS13",    "DS23",    "DS14",   "DS24",
         "DS15", "DS16", "DS17",   "DS18", "DS19",    "DB30",    "DB31",   "DB41",
         "DB32", "DB42", "DR33",   "DB43", "DR40",    "DR50",    "DR60",   "DR70",
         "DR71", "DR80", "DR81",   "DR82", "ERROR",   "ERROR1",  "ERROR2", "ERROR3"},
        true);
    auto rows = source.query("SELECT * FROM DEKLAR");
    auto existing =
        target.prepare("SELECT ID FROM DEKLAR WHERE VIN = ? AND KLON = ? AND PERIOD = ?");
    auto insert = target.prepare(plan.insertSql());
    auto update = target.prepare(plan.updateByIdSql());
    // A return the target has already is overwritten.
    const auto copyRow = [&] {
        existing.bindAll(TextOf(plan, rows, "VIN"), TextOf(plan, rows, "KLON"),
                         TextOf(plan, rows, "PERIOD"));
        const std::optional<std::int64_t> id =
            existing.step() ? std::optional(existing.integer(0)) : std::nullopt;
        existing.reset();
        if (id)
            WriteRow(update, plan, rows, *id);
        else
            WriteRow(insert, plan, rows);
        return true;
    };
    return CopyEachRow(rows, copyRow, afterRow);
}

std::int64_t CopyCounterparts(db::Database& source, db::Database& target,
                              const std::function<void()>& afterRow) {
    const TablePlan plan(source, target, "KONTRAG", {"KN", "VIN", "KI", "KB"}, false);
    auto rows = source.query("SELECT * FROM KONTRAG");
    auto known = target.prepare("SELECT 1 FROM KONTRAG WHERE KN = ? AND VIN = ?");
    auto insert = target.prepare(plan.insertSql());
    const int kn = *plan.position("KN"), vin = *plan.position("VIN");
    const auto copyRow = [&] {
        if (rows.isNull(kn) || rows.isNull(vin)) return false;
        known.bindAll(rows.text(kn), rows.text(vin));
        if (Found(known)) return false;
        WriteRow(insert, plan, rows);
        return true;
    };
    return CopyEachRow(rows, copyRow, afterRow);
}

std::int64_t CopyJournal(db::Database& source, db::Database& target, db::Journal journal,
                         const std::function<void()>& afterRow) {
    const std::string table = db::TableName(journal);
    std::vector<const char*> required = {
        "VIN",    "PERIOD", "KLON",  "NUMBER",      "TYPE",         "DOCNO",
        "DDATE",  "KNUM",   "KNAME", "SDELKA",      "VALID",        "ERROR1",
        "ERROR2", "ERROR3", "ERROR", "DATE_CREATE", "DATE_MODIFIED"};
    for (const char* amount : db::AmountColumns(journal)) required.push_back(amount);
    if (journal == db::Journal::Sales) required.push_back("VIES_TYPE");
    const TablePlan plan(source, target, table, required, true);

    auto count = source.query("SELECT count(*) FROM " + table);
    count.step();
    const std::int64_t rowsToCopy = count.integer(0);
    if (rowsToCopy == 0) return 0;
    // A target of the first version counts its IDs itself.
    const bool counted = db::SchemaVersion(target) >= 1;
    std::int64_t id = counted ? db::ReserveJournalIds(target, journal, rowsToCopy) : 0;

    // Read in order of entry, so that the new IDs keep it.
    auto rows = source.query("SELECT * FROM " + table + " ORDER BY ID");
    auto insert = target.prepare(plan.insertSql({"ID"}));
    const auto copyRow = [&] {
        if (counted)
            WriteRow(insert, plan, rows, id++);
        else
            WriteRow(insert, plan, rows, db::Null{});
        return true;
    };
    return CopyEachRow(rows, copyRow, afterRow);
}

}  // namespace

CarriedRows CarryOverUserData(db::Database& source, db::Database& target,
                              const std::function<void()>& afterRow) {
    db::Transaction unit(target);
    CarriedRows carried;
    carried.persons = CopyPersons(source, target, afterRow);
    carried.returns = CopyReturns(source, target, afterRow);
    carried.counterparts = CopyCounterparts(source, target, afterRow);
    carried.purchases = CopyJournal(source, target, db::Journal::Purchases, afterRow);
    carried.sales = CopyJournal(source, target, db::Journal::Sales, afterRow);
    unit.commit();
    return carried;
}

void SealDatabaseFile(db::Database& db) {
    const auto answer = [&](const char* pragma) {
        auto s = db.query(pragma);
        return s.step() ? s.text(0) : std::string();
    };
    if (answer("PRAGMA wal_checkpoint(TRUNCATE)") != "0" ||
        answer("PRAGMA journal_mode=DELETE") != "delete")
        throw db::Error("the log of " + db.file().string() + " could not be written back");
}

}  // namespace app
