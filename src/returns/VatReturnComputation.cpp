#include "returns/VatReturnComputation.h"

#include <array>

namespace returns {
namespace {

// Document types whose amounts enter the return; the counts take every type.
constexpr const char* kSalesTypes =
    "('01','02','03','07','09','50','81','82','83','84','85','91','93','94','95','23','29')";
constexpr const char* kPurchaseTypes = "('01','02','03','07','09','91','92','93','23')";

// "VIN = ?" for a head office (all branches), "VIN = ? AND KLON = ?" for a branch.
std::string ScopeCondition(const ReturnScope& scope) {
    return scope.klon.empty() ? "VIN = ?" : "VIN = ? AND KLON = ?";
}

template <std::size_t N>
std::array<double, N> Sums(db::Database& db, const std::string& sql, const ReturnScope& scope) {
    auto s = db.prepare(sql);
    db::Binder b(s);
    b << scope.vin;
    if (!scope.klon.empty()) b << scope.klon;
    b << scope.period;
    std::array<double, N> result{};
    if (s.step())
        for (std::size_t i = 0; i < N; ++i) result[i] = s.real(static_cast<int>(i));
    return result;
}

struct JournalSums {
    std::array<double, 17> sales;     // SS10 ... SS18, SS25, SS19 (the return's order)
    std::array<double, 7> purchases;  // BS30, BS44, BS31, BS41, BS32, BS42, BS43
    double salesCount, purchaseCount;
};

// total() is the engine's sum that reads 0 over no rows.
JournalSums ReadJournalSums(db::Database& db, const ReturnScope& scope) {
    const std::string where = " WHERE " + ScopeCondition(scope) + " AND PERIOD = ?";
    JournalSums j;
    j.sales = Sums<17>(db,
                       "SELECT total(SS10), total(SS20), total(SS11), total(SS21), total(SS12), "
                       "total(SS26), total(SS22), total(SS23), total(SS13), total(SS24), "
                       "total(SS14), total(SS15), total(SS16), total(SS17), total(SS18), "
                       "total(SS25), total(SS19) FROM PRODAGBI" +
                           where + " AND TYPE IN " + kSalesTypes,
                       scope);
    j.purchases = Sums<7>(db,
                          "SELECT total(BS30), total(BS44), total(BS31), total(BS41), "
                          "total(BS32), total(BS42), total(BS43) FROM POKUPKI" +
                              where + " AND TYPE IN " + kPurchaseTypes,
                          scope);
    j.salesCount = Sums<1>(db, "SELECT count(*) FROM PRODAGBI" + where, scope)[0];
    j.purchaseCount = Sums<1>(db, "SELECT count(*) FROM POKUPKI" + where, scope)[0];
    return j;
}

void FillComputedCells(db::ReturnRow& r, const JournalSums& j) {
    const auto& s = j.sales;
    r.ds01 = s[0], r.ds20 = s[1], r.ds11 = s[2], r.ds21 = s[3];
    r.ds12 = s[4] + s[5];
    r.ds22 = s[6], r.ds23 = s[7], r.ds13 = s[8], r.ds24 = s[9], r.ds14 = s[10];
    r.ds15 = s[11], r.ds16 = s[12], r.ds17 = s[13];
    r.ds18 = s[14] + s[15];
    r.ds19 = s[16];
    r.snumber = j.salesCount;

    const auto& p = j.purchases;
    r.db30 = p[0] + p[1];
    r.db31 = p[2], r.db41 = p[3], r.db32 = p[4], r.db42 = p[5], r.db43 = p[6];
    r.bnumber = j.purchaseCount;

    r.dr40 = r.db41 + r.db42 * r.dr33 + r.db43;  // floating point, unrounded
    const double d = r.ds20 - r.dr40;
    r.dr50 = d >= 0 ? d : 0;
    r.dr60 = d >= 0 ? 0 : -d;
}

// The computed columns, written without touching the user's cells.
constexpr const char* kComputedColumns[] = {
    "SNUMBER", "BNUMBER", "DS01", "DS20", "DS11", "DS21", "DS12", "DS22", "DS23",
    "DS13",    "DS24",    "DS14", "DS15", "DS16", "DS17", "DS18", "DS19", "DB30",
    "DB31",    "DB41",    "DB32", "DB42", "DB43", "DR40", "DR50", "DR60"};

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

}  // namespace

db::ReturnRow ComputeVatReturn(db::Database& db, const ReturnScope& scope) {
    db::Transaction t(db);
    if (!db::FindReturn(db, scope.vin, scope.klon, scope.period)) {
        // A new return starts with coefficient 0 and the user's cells empty.
        db.execute("INSERT INTO DEKLAR (VIN, KLON, PERIOD, DR33) VALUES (?, ?, ?, 0)", scope.vin,
                   scope.klon, scope.period);
    }
    auto row = *db::FindReturn(db, scope.vin, scope.klon, scope.period);
    FillComputedCells(row, ReadJournalSums(db, scope));
    StoreComputedCells(db, row);
    t.commit();
    return row;
}

}  // namespace returns
