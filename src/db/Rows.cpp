#include "db/Rows.h"

#include <string_view>

#include "db/SchemaCheck.h"

namespace db {
namespace {

// Builds "INSERT INTO t (a, b) VALUES (?, ?)".
std::string InsertSql(std::string_view table, std::span<const std::string> columns) {
    std::string names, marks;
    for (const auto& c : columns) {
        if (!names.empty()) names += ", ", marks += ", ";
        names += c;
        marks += "?";
    }
    return "INSERT INTO " + std::string(table) + " (" + names + ") VALUES (" + marks + ")";
}

// Builds "UPDATE t SET a = ?, b = ? WHERE <where>".
std::string UpdateSql(std::string_view table, std::span<const std::string> columns,
                      std::string_view where) {
    std::string sets;
    for (const auto& c : columns) {
        if (!sets.empty()) sets += ", ";
        sets += c + " = ?";
    }
    return "UPDATE " + std::string(table) + " SET " + sets + " WHERE " + std::string(where);
}

// A text column of a table and the member of the row type that holds it.
template <typename Row>
struct TextMember {
    const char* column;
    std::string Row::*member;
};

// ---- EDANNI ----

// Text columns of EDANNI with their members, in table order (LAST apart).
constexpr TextMember<PersonRow> kPersonText[] = {
    {"BULSTAT", &PersonRow::bulstat},
    {"KLON", &PersonRow::klon},
    {"VIN", &PersonRow::vin},
    {"NAME", &PersonRow::name},
    {"ADRESS", &PersonRow::adress},
    {"B_POST", &PersonRow::bPost},
    {"B_NAME", &PersonRow::bName},
    {"FACEEGN", &PersonRow::faceEgn},
    {"FL_PREDST", &PersonRow::flPredst},
    {"FACE", &PersonRow::face},
    {"PHONE", &PersonRow::phone},
    {"FACE1", &PersonRow::face1},
    {"FACE2", &PersonRow::face2},
    {"FACE3", &PersonRow::face3},
    {"FACEGRAD", &PersonRow::faceGrad},
    {"FACEPK", &PersonRow::facePk},
    {"FACEADR1", &PersonRow::faceAdr1},
    {"FACEADR2", &PersonRow::faceAdr2},
    {"FACEADR3", &PersonRow::faceAdr3},
    {"FL_OBST", &PersonRow::flObst},
    {"PERIOD", &PersonRow::period},
};

std::vector<std::string> PersonColumns() {
    std::vector<std::string> columns;
    for (const auto& t : kPersonText) columns.emplace_back(t.column);
    columns.emplace_back("LAST");
    return columns;
}

Statement& BindPerson(Statement& s, const PersonRow& person) {
    Binder b(s);
    for (const auto& t : kPersonText) b << person.*(t.member);
    b << person.last;
    return s;
}

// ---- journals ----

constexpr const char* kPurchaseAmountColumns[] = {"BS30", "BS31", "BS41", "BS32",
                                                  "BS42", "BS43", "BS44"};
constexpr const char* kSaleAmountColumns[] = {"SS10", "SS20", "SS11", "SS21", "SS12", "SS26",
                                              "SS22", "SS23", "SS13", "SS24", "SS14", "SS15",
                                              "SS16", "SS17", "SS18", "SS19", "SS25"};

// The text columns that both journals have, with their members (8a, whose
// name differs, and the sales' VIES_TYPE apart).
constexpr TextMember<JournalRow> kJournalText[] = {
    {"VIN", &JournalRow::vin},
    {"KLON", &JournalRow::klon},
    {"PERIOD", &JournalRow::period},
    {"TYPE", &JournalRow::type},
    {"DOCNO", &JournalRow::docNo},
    {"DDATE", &JournalRow::date},
    {"KNUM", &JournalRow::knum},
    {"KNAME", &JournalRow::kname},
    {"SDELKA", &JournalRow::sdelka},
    {"DATE_CREATE", &JournalRow::dateCreate},
    {"DATE_MODIFIED", &JournalRow::dateModified},
    {"VALID", &JournalRow::valid},
    {"ERROR", &JournalRow::error},
};

std::vector<std::string> JournalColumns(Journal journal) {
    std::vector<std::string> columns = {"VIN",   "KLON",  "PERIOD", "NUMBER", "TYPE",
                                        "DOCNO", "DDATE", "KNUM",   "KNAME",  "SDELKA"};
    for (const char* a : AmountColumns(journal)) columns.emplace_back(a);
    columns.emplace_back(Code8aColumn(journal));
    if (journal == Journal::Sales) columns.emplace_back("VIES_TYPE");
    for (const char* c :
         {"ERROR1", "ERROR2", "ERROR3", "DATE_CREATE", "DATE_MODIFIED", "VALID", "ERROR"})
        columns.emplace_back(c);
    return columns;
}

// DATE_MODIFIED stays NULL until the first edit; an empty text writes NULL.
std::optional<std::string_view> OptionalText(const std::string& text) {
    if (text.empty()) return std::nullopt;
    return text;
}

int BindJournal(Statement& s, Journal journal, const JournalRow& r) {
    Binder b(s);
    b << r.vin << r.klon << r.period << double(r.number) << r.type << r.docNo << r.date << r.knum
      << r.kname << r.sdelka;
    const auto expected = AmountColumns(journal).size();
    for (std::size_t a = 0; a < expected; ++a) b << (a < r.amounts.size() ? r.amounts[a] : 0.0);
    b << r.code8a;
    if (journal == Journal::Sales) b << r.viesType;
    b << r.errors.word(0) << r.errors.word(1) << r.errors.word(2) << r.dateCreate;
    b << OptionalText(r.dateModified) << OptionalText(r.valid) << OptionalText(r.error);
    return b.count();
}

// ---- DEKLAR ----

constexpr ReturnCell kReturnCells[] = {
    {"SNUMBER", &ReturnRow::snumber}, {"BNUMBER", &ReturnRow::bnumber}, {"DS01", &ReturnRow::ds01},
    {"DS20", &ReturnRow::ds20},       {"DS11", &ReturnRow::ds11},       {"DS21", &ReturnRow::ds21},
    {"DS12", &ReturnRow::ds12},       {"DS22", &ReturnRow::ds22},       {"DS23", &ReturnRow::ds23},
    {"DS13", &ReturnRow::ds13},       {"DS24", &ReturnRow::ds24},       {"DS14", &ReturnRow::ds14},
    {"DS15", &ReturnRow::ds15},       {"DS16", &ReturnRow::ds16},       {"DS17", &ReturnRow::ds17},
    {"DS18", &ReturnRow::ds18},       {"DS19", &ReturnRow::ds19},       {"DB30", &ReturnRow::db30},
    {"DB31", &ReturnRow::db31},       {"DB41", &ReturnRow::db41},       {"DB32", &ReturnRow::db32},
    {"DB42", &ReturnRow::db42},       {"DB43", &ReturnRow::db43},       {"DR33", &ReturnRow::dr33},
    {"DR40", &ReturnRow::dr40},       {"DR50", &ReturnRow::dr50},       {"DR60", &ReturnRow::dr60},
    {"DR70", &ReturnRow::dr70},       {"DR71", &ReturnRow::dr71},       {"DR80", &ReturnRow::dr80},
    {"DR81", &ReturnRow::dr81},       {"DR82", &ReturnRow::dr82},
};

std::vector<std::string> ReturnColumns() {
    std::vector<std::string> columns = {"VIN", "KLON", "PERIOD"};
    for (const auto& c : kReturnCells) columns.emplace_back(c.column);
    for (const char* c : {"ERROR1", "ERROR2", "ERROR3", "NAME", "FACE", "ERROR"})
        columns.emplace_back(c);
    return columns;
}

int BindReturn(Statement& s, const ReturnRow& r) {
    Binder b(s);
    b << r.vin << r.klon << r.period;
    for (const auto& c : kReturnCells) b << r.*(c.member);
    b << r.errors.word(0) << r.errors.word(1) << r.errors.word(2);
    b << OptionalText(r.name) << OptionalText(r.face) << OptionalText(r.error);
    return b.count();
}

ErrorSet ReadErrors(const Statement& row) {
    return ErrorSet(static_cast<std::int32_t>(row.integer("ERROR1")),
                    static_cast<std::int32_t>(row.integer("ERROR2")),
                    static_cast<std::int32_t>(row.integer("ERROR3")));
}

}  // namespace

// ---- EDANNI ----

PersonRow PersonRow::read(const Statement& row) {
    PersonRow person;
    for (const auto& t : kPersonText) person.*(t.member) = row.text(t.column);
    person.last = row.integer("LAST") != 0;
    return person;
}

void InsertPerson(Database& db, const PersonRow& person) {
    const auto columns = PersonColumns();
    auto s = db.prepare(InsertSql("EDANNI", columns));
    BindPerson(s, person).run();
}

void UpdatePerson(Database& db, const std::string& bulstat, const std::string& klon,
                  const PersonRow& person) {
    const auto columns = PersonColumns();
    auto s = db.prepare(UpdateSql("EDANNI", columns, "BULSTAT = ? AND KLON = ?"));
    BindPerson(s, person);
    const int next = static_cast<int>(columns.size());
    s.bind(next + 1, bulstat).bind(next + 2, klon).run();
}

std::optional<PersonRow> FindPerson(Database& db, const std::string& bulstat,
                                    const std::string& klon) {
    auto s = db.query("SELECT * FROM EDANNI WHERE BULSTAT = ? AND KLON = ?", bulstat, klon);
    if (!s.step()) return std::nullopt;
    return PersonRow::read(s);
}

std::optional<PersonRow> CurrentPerson(Database& db) {
    auto s = db.query("SELECT * FROM EDANNI WHERE LAST = 1");
    if (!s.step()) return std::nullopt;
    return PersonRow::read(s);
}

void MakeCurrent(Database& db, const std::string& bulstat, const std::string& klon) {
    Transaction t(db);
    db.execute("UPDATE EDANNI SET LAST = 0 WHERE LAST <> 0");
    db.execute("UPDATE EDANNI SET LAST = 1 WHERE BULSTAT = ? AND KLON = ?", bulstat, klon);
    t.commit();
}

// ---- journals ----

const char* TableName(Journal journal) {
    return journal == Journal::Purchases ? "POKUPKI" : "PRODAGBI";
}

std::span<const char* const> AmountColumns(Journal journal) {
    if (journal == Journal::Purchases) return kPurchaseAmountColumns;
    return kSaleAmountColumns;
}

const char* Code8aColumn(Journal journal) {
    return journal == Journal::Purchases ? "BS8A" : "SS8A";
}

JournalRow EmptyJournalRow(Journal journal) {
    JournalRow row;
    row.amounts.assign(AmountColumns(journal).size(), 0.0);
    return row;
}

JournalRowReader::JournalRowReader(Journal journal, const Statement& s)
    : s_(s),
      id_(s.column("ID")),
      number_(s.column("NUMBER")),
      viesType_(journal == Journal::Sales ? s.column("VIES_TYPE") : -1),
      error1_(s.column("ERROR1")),
      error2_(s.column("ERROR2")),
      error3_(s.column("ERROR3")) {
    for (const auto& t : kJournalText) texts_.push_back({s.column(t.column), t.member});
    texts_.push_back({s.column(Code8aColumn(journal)), &JournalRow::code8a});
    for (const char* a : AmountColumns(journal)) amounts_.push_back(s.column(a));
}

JournalRow JournalRowReader::read() const {
    JournalRow r;
    readInto(r);
    return r;
}

void JournalRowReader::readInto(JournalRow& r) const {
    r.id = s_.integer(id_);
    r.number = static_cast<int>(s_.real(number_));
    for (const TextColumn& t : texts_) (r.*t.member).assign(s_.textView(t.column));
    r.amounts.resize(amounts_.size());
    for (std::size_t i = 0; i < amounts_.size(); ++i) r.amounts[i] = s_.real(amounts_[i]);
    if (viesType_ >= 0)
        r.viesType.assign(s_.textView(viesType_));
    else
        r.viesType.clear();
    r.errors = ErrorSet(static_cast<std::int32_t>(s_.integer(error1_)),
                        static_cast<std::int32_t>(s_.integer(error2_)),
                        static_cast<std::int32_t>(s_.integer(error3_)));
}

JournalRow JournalRow::read(Journal journal, const Statement& row) {
    return JournalRowReader(journal, row).read();
}

std::int64_t ReserveJournalIds(Database& db, Journal journal, std::int64_t count) {
    const std::string table = TableName(journal);
    Transaction unit(db);
    // A row stored with an ID of its own beyond the counter moves the counter
    // on, so that no ID is given twice.
    auto last = db.query("SELECT max(LAST_ID, coalesce((SELECT max(ID) FROM " + table +
                             "), 0)) FROM JOURNAL_IDS WHERE NAME = ?",
                         table);
    if (!last.step()) throw Error("no ID counter for " + table);
    const std::int64_t first = last.integer(0) + 1;
    db.execute("UPDATE JOURNAL_IDS SET LAST_ID = ? WHERE NAME = ?", first + count - 1, table);
    unit.commit();
    return first;
}

std::int64_t InsertJournalRow(Database& db, Journal journal, const JournalRow& row) {
    auto columns = JournalColumns(journal);
    columns.emplace_back("ID");
    Transaction unit(db);
    auto s = db.prepare(InsertSql(TableName(journal), columns));
    const int last = BindJournal(s, journal, row);
    // Files of the first version count the IDs themselves.
    const bool counted = SchemaVersion(db) >= 1;
    const std::int64_t id = counted ? ReserveJournalIds(db, journal, 1) : 0;
    if (counted)
        s.bind(last + 1, id);
    else
        s.bind(last + 1, Null{});
    s.run();
    unit.commit();
    return counted ? id : db.lastInsertId();
}

void UpdateJournalRow(Database& db, Journal journal, const JournalRow& row) {
    const auto columns = JournalColumns(journal);
    auto s = db.prepare(UpdateSql(TableName(journal), columns, "ID = ?"));
    const int last = BindJournal(s, journal, row);
    s.bind(last + 1, row.id).run();
}

std::optional<JournalRow> LoadJournalRow(Database& db, Journal journal, std::int64_t id) {
    auto s = db.query(std::string("SELECT * FROM ") + TableName(journal) + " WHERE ID = ?", id);
    if (!s.step()) return std::nullopt;
    return JournalRow::read(journal, s);
}

void DeleteJournalRow(Database& db, Journal journal, std::int64_t id) {
    db.execute(std::string("DELETE FROM ") + TableName(journal) + " WHERE ID = ?", id);
}

// ---- KONTRAG ----

CounterpartRow CounterpartRow::read(const Statement& row) {
    return {row.text("KN"), row.text("KI"), row.text("VIN"), row.text("KB")};
}

void InsertCounterpart(Database& db, const CounterpartRow& row) {
    db.execute("INSERT INTO KONTRAG (KN, KI, VIN, KB) VALUES (?, ?, ?, ?)", row.kn, row.ki, row.vin,
               row.kb);
}

// ---- DEKLAR ----

ReturnRow ReturnRow::read(const Statement& row) {
    ReturnRow r;
    r.id = row.integer("ID");
    r.vin = row.text("VIN");
    r.klon = row.text("KLON");
    r.period = row.text("PERIOD");
    for (const auto& c : kReturnCells) r.*(c.member) = row.real(c.column);
    r.errors = ReadErrors(row);
    r.name = row.text("NAME");
    r.face = row.text("FACE");
    r.error = row.text("ERROR");
    return r;
}

std::span<const ReturnCell> ReturnCells() {
    return kReturnCells;
}

std::optional<ReturnRow> FindReturn(Database& db, const std::string& vin, const std::string& klon,
                                    const std::string& period) {
    auto s = db.query("SELECT * FROM DEKLAR WHERE VIN = ? AND KLON = ? AND PERIOD = ?", vin, klon,
                      period);
    if (!s.step()) return std::nullopt;
    return ReturnRow::read(s);
}

std::int64_t SaveReturn(Database& db, const ReturnRow& row) {
    const auto columns = ReturnColumns();
    if (const auto existing = FindReturn(db, row.vin, row.klon, row.period)) {
        auto s = db.prepare(UpdateSql("DEKLAR", columns, "ID = ?"));
        const int last = BindReturn(s, row);
        s.bind(last + 1, existing->id).run();
        return existing->id;
    }
    auto s = db.prepare(InsertSql("DEKLAR", columns));
    BindReturn(s, row);
    s.run();
    return db.lastInsertId();
}

// ---- VIES ----

ViesRow ViesRow::read(const Statement& row) {
    ViesRow r;
    r.vin = row.text("VIN");
    r.klon = row.text("KLON");
    r.period = row.text("PERIOD");
    r.section = static_cast<int>(row.real("SECTION"));
    r.number = static_cast<int>(row.real("NUMBER"));
    r.knum = row.text("KNUM");
    r.knumz = row.text("KNUMZ");
    r.period1 = row.text("PERIOD1");
    r.ss15 = row.real("SS15");
    r.ss17 = row.real("SS17");
    r.ss25 = row.real("SS25");
    return r;
}

void InsertViesRow(Database& db, const ViesRow& r) {
    db.execute(
        "INSERT INTO VIES (VIN, KLON, PERIOD, SECTION, NUMBER, KNUM, KNUMZ, PERIOD1, SS15, SS17, "
        "SS25) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
        r.vin, r.klon, r.period, double(r.section), double(r.number), r.knum, r.knumz, r.period1,
        r.ss15, r.ss17, r.ss25);
}

std::vector<ViesRow> ViesRows(Database& db, const std::string& vin, const std::string& klon,
                              const std::string& period, int section) {
    auto s = db.query(
        "SELECT * FROM VIES WHERE VIN = ? AND KLON = ? AND PERIOD = ? AND SECTION = ? "
        "ORDER BY NUMBER",
        vin, klon, period, double(section));
    std::vector<ViesRow> rows;
    while (s.step()) rows.push_back(ViesRow::read(s));
    return rows;
}

}  // namespace db
