#pragma once
// What the tests of the person and counterpart dialogs share: a fresh
// database, the scripted host, and builders and readers of the rows they touch.

#include <string>
#include <vector>

#include "db/Rows.h"
#include "support/ScriptedHost.h"
#include "support/TestDatabase.h"

namespace persons_test {

using Cells = std::vector<std::string>;

struct Fixture {
    testing_support::ScriptedHost host;
    testing_support::TestDatabase t;
    db::Database& db = t.db();

    void counterpart(const std::string& kn, const std::string& ki, const std::string& vin) {
        db::InsertCounterpart(db, {kn, ki, vin, ""});
    }
    // Every KONTRAG row as {KN, KI, VIN}, in table order.
    std::vector<Cells> counterparts() {
        auto rows = db.query("SELECT KN, KI, VIN FROM KONTRAG ORDER BY rowid");
        std::vector<Cells> all;
        while (rows.step()) all.push_back({rows.text(0), rows.text(1), rows.text(2)});
        return all;
    }
    // A journal document naming a counterpart; returns its id.
    std::int64_t document(db::Journal journal, const std::string& vin, const std::string& klon,
                          const std::string& period, const std::string& knum = "",
                          const std::string& kname = "") {
        const auto id = t.document(journal, vin, klon, period);
        db.execute(std::string("UPDATE ") + db::TableName(journal) +
                       " SET KNUM = ?, KNAME = ? WHERE ID = ?",
                   knum, kname, id);
        return id;
    }
    std::string kname(db::Journal journal, std::int64_t id) {
        return db::LoadJournalRow(db, journal, id)->kname;
    }
    int count(const std::string& sql) {
        auto rows = db.query(sql);
        rows.step();
        return static_cast<int>(rows.integer(0));
    }
};

}  // namespace persons_test
