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

namespace {

// The texts that both journals name alike, in the order they are selected.
// VIN and PERIOD are read, not taken from the query: a column of another
// type than text could compare equal and still read otherwise.
struct TextColumn {
    const char* name;
    std::string_view JournalDocument::*member;
};
constexpr TextColumn kSharedTexts[] = {
    {"VIN", &JournalDocument::vin},       {"PERIOD", &JournalDocument::period},
    {"KLON", &JournalDocument::klon},     {"TYPE", &JournalDocument::type},
    {"DOCNO", &JournalDocument::docNo},   {"DDATE", &JournalDocument::date},
    {"KNUM", &JournalDocument::knum},     {"KNAME", &JournalDocument::kname},
    {"SDELKA", &JournalDocument::sdelka},
};

// The shared texts, 8a, VIES_TYPE ('' for purchases), NUMBER, the three
// error words and the amounts: the order JournalDocumentReader reads.
std::string DocumentColumns(db::Journal journal) {
    std::string columns;
    for (const auto& t : kSharedTexts) columns += std::string(t.name) + ", ";
    columns += db::Code8aColumn(journal);
    columns += journal == db::Journal::Sales ? ", VIES_TYPE" : ", ''";
    columns += ", NUMBER, ERROR1, ERROR2, ERROR3";
    for (const char* a : db::AmountColumns(journal)) columns += std::string(", ") + a;
    return columns;
}

// Reads the row a statement of DocumentColumns() stands on.
class JournalDocumentReader {
  public:
    JournalDocumentReader(db::Journal journal, const db::Statement& s)
        : s_(s), amountCount_(db::AmountColumns(journal).size()) {}

    const JournalDocument& read() {
        auto& d = document_;
        int c = 0;
        for (const auto& t : kSharedTexts) d.*t.member = s_.textView(c++);
        d.code8a = s_.textView(c++);
        d.viesType = s_.textView(c++);
        d.number = static_cast<int>(s_.real(c++));
        d.errors = db::ErrorSet(static_cast<std::int32_t>(s_.integer(c)),
                                static_cast<std::int32_t>(s_.integer(c + 1)),
                                static_cast<std::int32_t>(s_.integer(c + 2)));
        c += 3;
        for (std::size_t i = 0; i < amountCount_; ++i) stored_[i] = s_.real(c++);
        d.amounts = returns::ShownAmounts(std::span(stored_).first(amountCount_), shown_);
        return d;
    }

  private:
    const db::Statement& s_;
    std::size_t amountCount_;
    std::array<double, db::kSaleAmounts> stored_{};
    returns::DocumentAmounts shown_{};
    JournalDocument document_;
};

}  // namespace

JournalDocument DocumentOfRow(const db::JournalRow& row, returns::DocumentAmounts& shown) {
    JournalDocument d;
    d.vin = row.vin, d.period = row.period, d.klon = row.klon, d.type = row.type;
    d.docNo = row.docNo, d.date = row.date, d.knum = row.knum, d.kname = row.kname;
    d.sdelka = row.sdelka, d.code8a = row.code8a, d.viesType = row.viesType;
    d.number = row.number;
    d.amounts = returns::ShownAmounts(row.amounts, shown);
    d.errors = row.errors;
    return d;
}

void ForEachJournalDocument(db::Database& db, db::Journal journal, const std::string& vin,
                            const std::string& period, const std::optional<std::string>& klon,
                            RowOrder order,
                            const std::function<bool(const JournalDocument&)>& visit) {
    const std::string sql = "SELECT " + DocumentColumns(journal) + " FROM " +
                            db::TableName(journal) + " WHERE VIN = ? AND PERIOD = ?" +
                            (klon ? " AND KLON = ?" : "") +
                            (order == RowOrder::Stored ? " ORDER BY ID" : " ORDER BY NUMBER, ID");
    auto s = db.prepare(sql);
    db::Binder b(s);
    b << vin << period;
    if (klon) b << *klon;
    JournalDocumentReader reader(journal, s);
    while (s.step()) {
        if (!visit(reader.read())) break;
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
