#include "files/CPeriodKlonDlg.h"

#include <utility>
#include <vector>

namespace files {
namespace {

// (period, count) of one journal of the branch, newest period first.
std::vector<std::pair<std::string, std::string>> CountsByPeriod(db::Database& db,
                                                                const std::string& table,
                                                                const std::string& vin,
                                                                const std::string& klon) {
    auto s = db.query("SELECT PERIOD, count(*) FROM " + table +
                          " WHERE VIN = ? AND KLON = ? GROUP BY PERIOD ORDER BY PERIOD DESC",
                      vin, klon);
    std::vector<std::pair<std::string, std::string>> counts;
    while (s.step()) counts.emplace_back(s.text(0), s.text(1));
    return counts;
}

}  // namespace

std::vector<BranchPeriod> BranchPeriods(db::Database& db, const std::string& vin,
                                        const std::string& klon) {
    const auto sales = CountsByPeriod(db, "PRODAGBI", vin, klon);
    const auto purchases = CountsByPeriod(db, "POKUPKI", vin, klon);
    // Both lists run newest first: merge them into one.
    std::vector<BranchPeriod> periods;
    std::size_t s = 0, p = 0;
    while (s < sales.size() || p < purchases.size()) {
        const bool takeSale =
            s < sales.size() && (p == purchases.size() || sales[s].first >= purchases[p].first);
        const bool takePurchase =
            p < purchases.size() && (s == sales.size() || purchases[p].first >= sales[s].first);
        BranchPeriod entry{takeSale ? sales[s].first : purchases[p].first, "", ""};
        if (takeSale) entry.sales = sales[s++].second;
        if (takePurchase) entry.purchases = purchases[p++].second;
        periods.push_back(std::move(entry));
    }
    return periods;
}

CPeriodKlonDlg::CPeriodKlonDlg(ui::Host& host, db::Database& db, WriterSession session)
    : PeriodWriterDlg(host, db, std::move(session), "Запис на дневници на клон върху дискета",
                      190) {
    periods_.column("БРОЙ Покупки", ui::Align::Right).column("БРОЙ Продажби", ui::Align::Right);
}

void CPeriodKlonDlg::opened() {
    for (const auto& p : BranchPeriods(db_, session_.vin, session_.klon))
        periods_.table().add({{p.period, p.purchases, p.sales}});
}

void CPeriodKlonDlg::write(const std::string& period) {
    WriteMergeFiles(db_, host(), session_, period);
}

}  // namespace files
