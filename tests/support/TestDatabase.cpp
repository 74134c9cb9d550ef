#include "support/TestDatabase.h"

namespace testing_support {

TestDatabase::TestDatabase() : file_(dir_ / "ZORV.MDB"), db_(db::Database::create(file_)) {}

db::PersonRow TestDatabase::person(const std::string& bulstat, const std::string& klon,
                                   const std::string& vin, bool last) {
    db::PersonRow p;
    p.bulstat = bulstat;
    p.klon = klon;
    p.vin = vin;
    p.name = "Фирма " + bulstat;
    p.flPredst = "R";
    p.last = last;
    db::InsertPerson(db_, p);
    return p;
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

}  // namespace testing_support
