#include "support/TestDatabase.h"

#include <array>

namespace testing_support {

TestDatabase::TestDatabase() : file_(dir_ / "ZORV.MDB"), db_(db::Database::create(file_)) {}

db::PersonRow TestDatabase::person(const std::string& bulstat, const std::string& klon,
                                   const std::string& vin, bool last) {
    return AddPerson(db_, bulstat, klon, vin, last);
}

std::int64_t TestDatabase::document(db::Journal journal, const std::string& vin,
                                    const std::string& klon, const std::string& period,
                                    int number) {
    auto row = db::EmptyJournalRow(journal);
    row.vin = vin;
    row.klon = klon;
    row.period = period;
    row.number = number;
    row.type = "01";
    row.docNo = "1";
    row.date = "01/" + period.substr(4, 2) + "/" + period.substr(0, 4);
    row.dateCreate = "2026/12/08 10:00";
    return db::InsertJournalRow(db_, journal, row);
}

db::PersonRow AddPerson(db::Database& db, const std::string& bulstat, const std::string& klon,
                        const std::string& vin, bool last) {
    db::PersonRow p;
    p.bulstat = bulstat;
    p.klon = klon;
    p.vin = vin;
    p.name = "Фирма " + bulstat;
    p.flPredst = "R";
    p.last = last;
    db::InsertPerson(db, p);
    return p;
}

db::Key RawKey(std::uint8_t fill) {
    std::array<std::uint8_t, db::Key::kRawSize> bytes{};
    bytes.fill(fill);
    return db::Key::raw(bytes);
}

void AddCounterparts(db::Database& db, int first, int count, const std::string& name) {
    db::Transaction unit(db);
    auto insert = db.prepare("INSERT INTO KONTRAG (KN, KI, VIN) VALUES (?, ?, 'ALL')");
    for (int n = first; n < first + count; ++n) {
        insert.bindAll(std::to_string(100000000 + n), name + std::to_string(n));
        insert.run();
        insert.reset();
    }
    unit.commit();
}

std::int64_t IntegerOf(db::Database& db, const std::string& sql) {
    auto s = db.query(sql);
    s.step();
    return s.integer(0);
}

std::int64_t RowCount(db::Database& db, const std::string& table) {
    return IntegerOf(db, "SELECT count(*) FROM " + table);
}

}  // namespace testing_support
