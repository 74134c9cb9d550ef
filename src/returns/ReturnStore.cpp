#include "returns/ReturnStore.h"

namespace returns {
namespace {

// "VIN = ?" for a head office (all branches), "VIN = ? AND KLON = ?" for a
// branch, then the period and `rest`.
db::Statement ScopedQuery(db::Database& db, const std::string& select, const ReturnScope& scope,
                          const std::string& rest) {
    auto s = db.prepare(select +
                        (scope.klon.empty() ? " WHERE VIN = ?" : " WHERE VIN = ? AND KLON = ?") +
                        " AND PERIOD = ?" + rest);
    db::Binder b(s);
    b << scope.vin;
    if (!scope.klon.empty()) b << scope.klon;
    b << scope.period;
    return s;
}

// The computed columns, written without touching the user's cells.
constexpr const char* kComputedColumns[] = {
    "SNUMBER", "BNUMBER", "DS01", "DS20", "DS11", "DS21", "DS12", "DS22", "DS23",
    "DS13",    "DS24",    "DS14", "DS15", "DS16", "DS17", "DS18", "DS19", "DB30",
    "DB31",    "DB41",    "DB32", "DB42", "DB43", "DR40", "DR50", "DR60"};

}  // namespace

void ForEachDocument(
    db::Database& db, db::Journal journal, const ReturnScope& scope,
    const std::function<void(std::string_view type, std::span<const double> amounts)>& visit) {
    std::string select = "SELECT TYPE";
    for (const char* column : db::AmountColumns(journal)) select += std::string(", ") + column;
    select += std::string(" FROM ") + db::TableName(journal);
    auto s = ScopedQuery(db, select, scope, "");
    std::vector<double> amounts(db::AmountColumns(journal).size());
    while (s.step()) {
        for (std::size_t i = 0; i < amounts.size(); ++i)
            amounts[i] = s.real(static_cast<int>(i) + 1);
        const std::string type = s.text(0);
        visit(type, amounts);
    }
}

void ForEachViesSale(db::Database& db, const ReturnScope& scope,
                     const std::function<void(const ViesSale&)>& visit) {
    auto s =
        ScopedQuery(db,
                    "SELECT TYPE, KNUM, DDATE, VIES_TYPE, SS8A, SDELKA, SS15, SS17, SS25, SS19 "
                    "FROM PRODAGBI",
                    scope, " AND TYPE IN ('01','02','03','09','04')");
    ViesSale sale;
    while (s.step()) {
        sale.type = s.text(0), sale.knum = s.text(1), sale.date = s.text(2);
        sale.viesType = s.text(3), sale.code8a = s.text(4), sale.sdelka = s.text(5);
        sale.ss15 = s.real(6), sale.ss17 = s.real(7), sale.ss25 = s.real(8), sale.ss19 = s.real(9);
        visit(sale);
    }
}

db::ReturnRow FindOrCreateReturn(db::Database& db, const ReturnScope& scope) {
    if (auto row = db::FindReturn(db, scope.vin, scope.klon, scope.period)) return *row;
    db.execute("INSERT INTO DEKLAR (VIN, KLON, PERIOD, DR33) VALUES (?, ?, ?, 0)", scope.vin,
               scope.klon, scope.period);
    return *db::FindReturn(db, scope.vin, scope.klon, scope.period);
}

void StoreComputedCells(db::Database& db, const db::ReturnRow& r) {
    std::string sql = "UPDATE DEKLAR SET ";
    for (const char* c : kComputedColumns) sql += std::string(c) + " = ?, ";
    sql.resize(sql.size() - 2);
    sql += " WHERE ID = ?";
    auto s = db.prepare(sql);
    db::Binder b(s);
    b << r.snumber << r.bnumber << r.ds01 << r.ds20 << r.ds11 << r.ds21 << r.ds12 << r.ds22
      << r.ds23 << r.ds13 << r.ds24 << r.ds14 << r.ds15 << r.ds16 << r.ds17 << r.ds18 << r.ds19
      << r.db30 << r.db31 << r.db41 << r.db32 << r.db42 << r.db43 << r.dr40 << r.dr50 << r.dr60
      << r.id;
    s.run();
}

void StoreReturnCells(db::Database& db, const ReturnScope& scope,
                      std::initializer_list<std::pair<const char*, double>> cells) {
    std::string sql = "UPDATE DEKLAR SET ";
    for (const auto& [column, value] : cells) sql += std::string(column) + " = ?, ";
    sql.resize(sql.size() - 2);
    sql += " WHERE VIN = ? AND KLON = ? AND PERIOD = ?";
    auto s = db.prepare(sql);
    db::Binder b(s);
    for (const auto& [column, value] : cells) b << value;
    b << scope.vin << scope.klon << scope.period;
    s.run();
}

std::vector<std::optional<double>> StoredTypedCells(db::Database& db, const ReturnScope& scope) {
    constexpr int kCells = 5;
    auto s = db.query(
        "SELECT DR70, DR71, DR80, DR81, DR82 FROM DEKLAR WHERE VIN = ? AND KLON = ? AND PERIOD = ?",
        scope.vin, scope.klon, scope.period);
    std::vector<std::optional<double>> stored(kCells);
    if (s.step())
        for (int i = 0; i < kCells; ++i)
            if (!s.isNull(i)) stored[i] = s.real(i);
    return stored;
}

void DeleteViesReturn(db::Database& db, const ReturnScope& scope) {
    db.execute("DELETE FROM VIES WHERE VIN = ? AND KLON = ? AND PERIOD = ?", scope.vin, scope.klon,
               scope.period);
}

bool HasSection2Row(db::Database& db, const ReturnScope& scope, const std::string& recipient,
                    const std::string& month, const std::string& earlier, int code) {
    auto s = db.query(
        "SELECT count(*) FROM VIES WHERE PERIOD = ? AND VIN = ? AND KLON = ? AND SECTION = 2 "
        "AND KNUM = ? AND PERIOD1 = ? AND KNUMZ = ? AND SS15 = ?",
        scope.period, scope.vin, scope.klon, recipient, month, earlier, double(code));
    return s.step() && s.integer(0) > 0;
}

}  // namespace returns
