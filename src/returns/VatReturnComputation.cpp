#include "returns/VatReturnComputation.h"

#include <algorithm>

namespace returns {

namespace money = platform::money;

namespace {

// Document types whose amounts enter the return; the counts take every type.
constexpr std::string_view kSalesTypes[] = {"01", "02", "03", "07", "09", "50", "81", "82", "83",
                                            "84", "85", "91", "93", "94", "95", "23", "29"};
constexpr std::string_view kPurchaseTypes[] = {"01", "02", "03", "07", "09",
                                               "91", "92", "93", "23"};

template <std::size_t N>
bool IsSummed(std::string_view type, const std::string_view (&types)[N]) {
    return std::find(std::begin(types), std::end(types), type) != std::end(types);
}

template <std::size_t N>
void Add(std::array<Stotinki, N>& sums, std::span<const Stotinki> shown) {
    for (std::size_t i = 0; i < N && i < shown.size(); ++i) sums[i] += shown[i];
}

}  // namespace

std::span<const Stotinki> ShownAmounts(std::span<const double> stored, DocumentAmounts& shown) {
    const std::size_t n = std::min(stored.size(), shown.size());
    // Most amounts of a document are zero, which needs no conversion.
    for (std::size_t i = 0; i < n; ++i)
        shown[i] = stored[i] == 0 ? 0 : money::FromStoredLeva(stored[i]);
    return std::span<const Stotinki>(shown).first(n);
}

ReturnResult ComputeResult(Stotinki ds20, Stotinki db41, Stotinki db42, Stotinki db43,
                           Stotinki coefficientHundredths) {
    ReturnResult r;
    r.credit = db41 + money::CoefficientShare(db42, coefficientHundredths) + db43;
    const Stotinki due = ds20 - r.credit;
    r.payable = due >= 0 ? due : 0;
    r.refundable = due >= 0 ? 0 : -due;
    return r;
}

void ReturnSums::addSale(std::string_view type, std::span<const double> amounts) {
    DocumentAmounts shown;
    addSale(type, ShownAmounts(amounts, shown));
}

void ReturnSums::addPurchase(std::string_view type, std::span<const double> amounts) {
    DocumentAmounts shown;
    addPurchase(type, ShownAmounts(amounts, shown));
}

void ReturnSums::addSale(std::string_view type, std::span<const Stotinki> shown) {
    ++salesCount_;
    if (IsSummed(type, kSalesTypes)) Add(sales_, shown);
}

void ReturnSums::addPurchase(std::string_view type, std::span<const Stotinki> shown) {
    ++purchaseCount_;
    if (IsSummed(type, kPurchaseTypes)) Add(purchases_, shown);
}

void ReturnSums::fill(db::ReturnRow& r) const {
    using namespace db;
    const auto leva = money::ToStoredLeva;
    const auto& s = sales_;
    r.ds01 = leva(s[SS10]), r.ds20 = leva(s[SS20]), r.ds11 = leva(s[SS11]);
    r.ds21 = leva(s[SS21]), r.ds12 = leva(s[SS12] + s[SS26]), r.ds22 = leva(s[SS22]);
    r.ds23 = leva(s[SS23]), r.ds13 = leva(s[SS13]), r.ds24 = leva(s[SS24]);
    r.ds14 = leva(s[SS14]), r.ds15 = leva(s[SS15]), r.ds16 = leva(s[SS16]);
    r.ds17 = leva(s[SS17]), r.ds18 = leva(s[SS18] + s[SS25]), r.ds19 = leva(s[SS19]);
    r.snumber = static_cast<double>(salesCount_);

    const auto& p = purchases_;
    r.db30 = leva(p[BS30] + p[BS44]), r.db31 = leva(p[BS31]), r.db41 = leva(p[BS41]);
    r.db32 = leva(p[BS32]), r.db42 = leva(p[BS42]), r.db43 = leva(p[BS43]);
    r.bnumber = static_cast<double>(purchaseCount_);

    // The coefficient as the file shows it: two decimals.
    const auto result =
        ComputeResult(s[SS20], p[BS41], p[BS42], p[BS43], money::FromStoredLeva(r.dr33));
    r.dr40 = leva(result.credit), r.dr50 = leva(result.payable), r.dr60 = leva(result.refundable);
}

db::ReturnRow StoreVatReturn(db::Database& db, const ReturnScope& scope, const ReturnSums& sums) {
    db::Transaction t(db);
    auto row = FindOrCreateReturn(db, scope);
    sums.fill(row);
    StoreComputedCells(db, row);
    t.commit();
    return row;
}

db::ReturnRow ComputeVatReturn(db::Database& db, const ReturnScope& scope) {
    db::Transaction t(db);
    ReturnSums sums;
    ForEachDocument(db, db::Journal::Sales, scope,
                    [&](std::string_view type, std::span<const double> amounts) {
                        sums.addSale(type, amounts);
                    });
    ForEachDocument(db, db::Journal::Purchases, scope,
                    [&](std::string_view type, std::span<const double> amounts) {
                        sums.addPurchase(type, amounts);
                    });
    auto row = StoreVatReturn(db, scope, sums);
    t.commit();
    return row;
}

}  // namespace returns
