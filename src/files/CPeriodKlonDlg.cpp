#include "files/CPeriodKlonDlg.h"

#include <utility>
#include <vector>

#include "files/SubmissionStore.h"

namespace files {

std::vector<BranchPeriod> BranchPeriods(db::Database& db, const std::string& vin,
                                        const std::string& klon) {
    const auto sales = CountsByPeriod(db, db::Journal::Sales, vin, klon);
    const auto purchases = CountsByPeriod(db, db::Journal::Purchases, vin, klon);
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

PeriodFiles CPeriodKlonDlg::prepare(const std::string& period) {
    return PeriodFiles::Merge(db_, session_, period);
}

}  // namespace files
