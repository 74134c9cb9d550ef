#pragma once
// What the returns read and write: the journal documents of a return's scope,
// the DEKLAR row, and the VIES rows. Every statement of the returns is here.

#include <functional>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "db/Database.h"
#include "db/Rows.h"

namespace returns {

// Who the return belongs to: the VAT number and the branch ("" = head office).
// A head office sums the documents of all its branches; a branch only its own.
struct ReturnScope {
    std::string vin, klon;
    std::string period;  // YYYYMM
};

// ---- the journals ----

// Every document of the journal in the scope: its type and its amounts in
// table order (db::AmountColumns).
void ForEachDocument(
    db::Database& db, db::Journal journal, const ReturnScope& scope,
    const std::function<void(std::string_view type, std::span<const double> amounts)>& visit);

// A sale as the VIES return reads it.
struct ViesSale {
    std::string type, knum, date, viesType, code8a, sdelka;
    double ss15 = 0, ss17 = 0, ss25 = 0, ss19 = 0;
};
// The sales of the scope that the VIES return reads: types 01, 02, 03 and 09
// (section 1) and 04 (call-off stock, section 2), in no particular order.
void ForEachViesSale(db::Database& db, const ReturnScope& scope,
                     const std::function<void(const ViesSale&)>& visit);

// ---- DEKLAR ----

// The return of the scope; a missing one is created first, with coefficient
// 0 and the user's cells empty.
db::ReturnRow FindOrCreateReturn(db::Database& db, const ReturnScope& scope);

// Writes the computed cells of the row (with row.id), not the user's cells.
void StoreComputedCells(db::Database& db, const db::ReturnRow& row);

// Writes the given cells, by column name, of the scope's return.
void StoreReturnCells(db::Database& db, const ReturnScope& scope,
                      std::initializer_list<std::pair<const char*, double>> cells);

// The cells DR70, DR71, DR80, DR81 and DR82 as stored; nullopt for NULL or
// when the return is missing.
std::vector<std::optional<double>> StoredTypedCells(db::Database& db, const ReturnScope& scope);

// ---- VIES ----

void DeleteViesReturn(db::Database& db, const ReturnScope& scope);

// True when section 2 of the scope already has the row.
bool HasSection2Row(db::Database& db, const ReturnScope& scope, const std::string& recipient,
                    const std::string& month, const std::string& earlier, int code);

}  // namespace returns
