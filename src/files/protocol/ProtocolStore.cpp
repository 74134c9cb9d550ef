#include "files/protocol/ProtocolStore.h"

#include <vector>

#include "returns/ViesGeneration.h"

namespace files::protocol {
namespace {

// Type, NUMBER and the error words first, then the amounts in table order.
constexpr int kFirstAmount = 5;

template <class Visit>
void ForEachDocument(db::Database& db, db::Journal journal, const returns::ReturnScope& scope,
                     Visit&& visit) {
    std::string sql = "SELECT TYPE, NUMBER, ERROR1, ERROR2, ERROR3";
    for (const char* column : db::AmountColumns(journal)) sql += std::string(", ") + column;
    sql += std::string(" FROM ") + db::TableName(journal) + " WHERE VIN = ?" +
           (scope.klon.empty() ? "" : " AND KLON = ?") + " AND PERIOD = ? ORDER BY NUMBER, ID";
    db::Statement s = db.prepare(sql);
    db::Binder b(s);
    b << scope.vin;
    if (!scope.klon.empty()) b << scope.klon;
    b << scope.period;

    std::vector<double> amounts(db::AmountColumns(journal).size());
    while (s.step()) {
        for (std::size_t i = 0; i < amounts.size(); ++i)
            amounts[i] = s.real(kFirstAmount + static_cast<int>(i));
        // The words hold the codes in their low 32 bits, whether stored
        // signed by a form or unsigned by a merge import.
        const auto word = [&s](int column) { return static_cast<std::int32_t>(s.integer(column)); };
        const std::string type = s.text(0);
        visit(StoredDocument{type, static_cast<long long>(s.real(1)), amounts,
                             db::ErrorSet(word(2), word(3), word(4))});
    }
}

}  // namespace

ProtocolData LoadProtocolData(db::Database& db, const ProtocolRequest& request,
                              const std::string& today) {
    const returns::ReturnScope& scope = request.scope;
    const db::ReturnRow row = returns::ComputeVatReturn(db, scope);
    returns::GenerateViesReturn(db, scope);

    ProtocolData data;
    data.today = today;
    data.vin = scope.vin;
    data.name = request.name;
    data.period = scope.period;
    data.filer = request.filer;
    data.cells = CellsOf(row);
    ForEachDocument(db, db::Journal::Sales, scope,
                    [&](const StoredDocument& d) { data.addSale(d); });
    ForEachDocument(db, db::Journal::Purchases, scope,
                    [&](const StoredDocument& d) { data.addPurchase(d); });
    return data;
}

}  // namespace files::protocol
