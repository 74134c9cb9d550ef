#include "journals/JournalStore.h"

#include "db/Renumber.h"
#include "platform/Money.h"

namespace journals {
namespace {

std::string LoadSql(db::Journal journal, bool branch) {
    std::string sql = ListSelect(journal) + " WHERE VIN = ?";
    if (branch) sql += " AND KLON = ?";
    // Ordered by NUMBER here rather than by the engine, which would sort
    // whole records.
    return sql + " AND PERIOD = ?";
}

constexpr int kFirstText = 2;     // KLON .. DATE_MODIFIED at positions 2 .. 12
constexpr int kFirstError = 13;   // ERROR1 .. ERROR3
constexpr int kFirstAmount = 16;  // the amounts in table order

}  // namespace

// VIES_TYPE is empty for purchases so that both journals read the same positions.
std::string ListSelect(db::Journal journal) {
    std::string sql = "SELECT ID, NUMBER, KLON, TYPE, DOCNO, DDATE, KNUM, KNAME, SDELKA, ";
    sql += db::Code8aColumn(journal);
    sql += journal == db::Journal::Sales ? ", VIES_TYPE" : ", '' AS VIES_TYPE";
    sql += ", DATE_CREATE, DATE_MODIFIED, ERROR1, ERROR2, ERROR3";
    for (const char* amount : db::AmountColumns(journal)) sql += std::string(", ") + amount;
    return sql + " FROM " + db::TableName(journal);
}

ListedDocument ReadListedDocument(const db::Statement& s, int amounts) {
    ListedDocument d;
    d.id = s.integer(0);
    d.number = static_cast<int>(s.real(1));
    std::array<std::string, ListedDocument::kFields> texts;
    std::array<std::string_view, ListedDocument::kFields> views;
    for (int f = 0; f < ListedDocument::kFields; ++f) views[f] = texts[f] = s.text(kFirstText + f);
    d.setFields(views);
    d.errors = db::ErrorSet(static_cast<std::int32_t>(s.integer(kFirstError)),
                            static_cast<std::int32_t>(s.integer(kFirstError + 1)),
                            static_cast<std::int32_t>(s.integer(kFirstError + 2)));
    for (int a = 0; a < amounts; ++a)
        d.amounts[a] = platform::money::FromStoredLeva(s.real(kFirstAmount + a));
    return d;
}

db::JournalRow AddDocument(db::Database& db, db::Journal journal, db::JournalRow row,
                           Numbering numbering) {
    const std::string table = db::TableName(journal);
    db::Transaction unit(db);
    auto count = db.query("SELECT COUNT(VIN) FROM " + table + " WHERE VIN = ? AND PERIOD = ?",
                          row.vin, row.period);
    count.step();
    row.number = static_cast<int>(count.integer(0)) + 1;
    row.id = db::InsertJournalRow(db, journal, row);
    if (numbering == Numbering::InSequence) {
        unit.commit();
        return row;
    }
    db::RenumberPeriod(db, row.vin, row.period);
    auto number = db.query("SELECT NUMBER FROM " + table + " WHERE ID = ?", row.id);
    if (number.step()) row.number = static_cast<int>(number.real(0));
    unit.commit();
    return row;
}

void UpdateDocument(db::Database& db, db::Journal journal, const db::JournalRow& row) {
    db::UpdateJournalRow(db, journal, row);
}

void DeleteDocument(db::Database& db, db::Journal journal, std::int64_t id, const std::string& vin,
                    const std::string& period) {
    db::Transaction unit(db);
    db::DeleteJournalRow(db, journal, id);
    db::RenumberPeriod(db, vin, period);
    unit.commit();
}

std::optional<std::string> LookUpCounterpartName(db::Database& db, db::Journal journal,
                                                 std::string_view identifier) {
    const std::string id(identifier);
    auto registered = db.query("SELECT KI FROM KONTRAG WHERE KN = ?", id);
    if (registered.step()) return registered.text(0);
    const std::string table = db::TableName(journal);
    auto latest = db.query("SELECT KNAME FROM " + table + " WHERE ID = (SELECT MAX(ID) FROM " +
                               table + " WHERE KNUM = ?)",
                           id);
    if (latest.step()) return latest.text(0);
    return std::nullopt;
}

std::vector<ListedDocument> LoadPeriodDocuments(db::Database& db, db::Journal journal,
                                                const std::string& vin,
                                                const std::optional<std::string>& branch,
                                                const std::string& period) {
    const int amounts = static_cast<int>(db::AmountColumns(journal).size());
    auto s = branch ? db.query(LoadSql(journal, true), vin, *branch, period)
                    : db.query(LoadSql(journal, false), vin, period);
    std::vector<ListedDocument> documents;
    while (s.step()) documents.push_back(ReadListedDocument(s, amounts));
    return documents;
}

}  // namespace journals
