#include "files/SubmissionStore.h"

namespace files {

std::optional<db::PersonRow> HeadOfficeRow(db::Database& db, const std::string& vin) {
    auto s = db.query("SELECT * FROM EDANNI WHERE VIN = ? AND KLON = ''", vin);
    if (!s.step()) return std::nullopt;
    return db::PersonRow::read(s);
}

ReturnHeader LoadReturnHeader(db::Database& db, const std::string& vin, const std::string& period) {
    ReturnHeader h;
    h.vin = vin;
    h.period = period;
    auto s =
        db.query("SELECT NAME, FACE, FACEEGN, PHONE FROM EDANNI WHERE VIN = ? AND KLON = ''", vin);
    if (s.step())
        h.name = s.text(0), h.face = s.text(1), h.faceEgn = s.text(2), h.phone = s.text(3);
    return h;
}

void ForEachJournalRow(db::Database& db, db::Journal journal, const std::string& vin,
                       const std::string& period, const std::optional<std::string>& klon,
                       RowOrder order, const std::function<bool(const db::JournalRow&)>& visit) {
    const std::string sql = std::string("SELECT * FROM ") + db::TableName(journal) +
                            " WHERE VIN = ? AND PERIOD = ?" + (klon ? " AND KLON = ?" : "") +
                            (order == RowOrder::Stored ? " ORDER BY ID" : " ORDER BY NUMBER, ID");
    auto s = db.prepare(sql);
    db::Binder b(s);
    b << vin << period;
    if (klon) b << *klon;
    const db::JournalRowReader reader(journal, s);
    db::JournalRow row;
    while (s.step()) {
        reader.readInto(row);
        if (!visit(row)) break;
    }
}

std::vector<std::string> PeriodsToWrite(db::Database& db, const std::string& vin) {
    auto s = db.query(
        "SELECT PERIOD FROM DEKLAR WHERE VIN = ?1 AND KLON = '' "
        "UNION SELECT PERIOD FROM POKUPKI WHERE VIN = ?1 "
        "UNION SELECT PERIOD FROM PRODAGBI WHERE VIN = ?1 "
        "ORDER BY PERIOD DESC",
        vin);
    std::vector<std::string> periods;
    while (s.step()) periods.push_back(s.text(0));
    return periods;
}

std::vector<std::pair<std::string, std::string>> CountsByPeriod(db::Database& db,
                                                                db::Journal journal,
                                                                const std::string& vin,
                                                                const std::string& klon) {
    auto s = db.query(std::string("SELECT PERIOD, count(*) FROM ") + db::TableName(journal) +
                          " WHERE VIN = ? AND KLON = ? GROUP BY PERIOD ORDER BY PERIOD DESC",
                      vin, klon);
    std::vector<std::pair<std::string, std::string>> counts;
    while (s.step()) counts.emplace_back(s.text(0), s.text(1));
    return counts;
}

}  // namespace files
