#include "ReturnsFixture.h"

namespace returns_test {

void AddSale(db::Database& db, const Sale& sale, const std::string& period) {
    auto row = db::EmptyJournalRow(db::Journal::Sales);
    row.vin = kVin, row.klon = sale.klon, row.period = period;
    row.type = sale.type, row.knum = sale.knum, row.date = sale.date;
    row.amounts[db::SS15] = sale.ss15;
    row.amounts[db::SS17] = sale.ss17;
    row.amounts[db::SS25] = sale.ss25;
    row.amounts[db::SS19] = sale.ss19;
    row.viesType = sale.viesType, row.code8a = sale.ss8a, row.sdelka = sale.sdelka;
    db::InsertJournalRow(db, db::Journal::Sales, row);
}

}  // namespace returns_test
