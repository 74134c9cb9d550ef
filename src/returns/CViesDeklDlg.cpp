#include "returns/CViesDeklDlg.h"

#include <cstdio>

#include "platform/Money.h"
#include "returns/ViesGeneration.h"
#include "ui/Host.h"

namespace returns {
namespace {

constexpr int kWidth = 668, kHeight = 290;
constexpr int kListX = 6, kListWidth = kWidth - 12, kListHeight = 108, kLeastListHeight = 72;
// The call-off-stock section exists from this period on.
constexpr const char* kCallOffStockFrom = "202004";

std::string ShownLeva(double leva) {
    return platform::money::ToScreenText(platform::money::FromStoredLeva(leva));
}

std::string WholeNumber(double value) {
    char shown[32];
    std::snprintf(shown, sizeof shown, "%.0f", value);
    return shown;
}

}  // namespace

CViesDeklDlg::CViesDeklDlg(ui::Host& host, db::Database& db, ReturnScope scope,
                           std::function<void()> printRequest)
    : ReturnDialog(host, "VIES Декларация", {kWidth, kHeight}, db, std::move(scope),
                   std::move(printRequest)),
      supplies_(addListView("supplies", "Секция \"ВОД\"", {kListX, 18, kListWidth, kListHeight})
                    .labelAt({kListX, 6, kListWidth, 10})
                    .anchored({0, 0, 100, 50})),
      callOffStock_(addListView("callOffStock", "Секция \"Режим складиране на стоки до поискване\"",
                                {kListX, 150, kListWidth, kListHeight})
                        .labelAt({kListX, 138, kListWidth, 10})
                        .anchored({0, 50, 100, 100})),
      print_(addButton("print", "Печат", {kWidth - 132, kHeight - 22, 60, 14})
                 .anchored(ui::kFollowsBottomRight)),
      close_(addButton("close", "Затвори", {kWidth - 66, kHeight - 22, 60, 14})
                 .anchored(ui::kFollowsBottomRight)) {
    // The two sections share what room the window is given.
    setResizable({kWidth, kHeight - 2 * (kListHeight - kLeastListHeight)});
    using ui::Align;
    supplies_.column(" № ", Align::Right)
        .column("Период")
        .column("VIN на контрагента")
        .column("          ВОД         ", Align::Right)
        .column("Посредник в тристранни операции", Align::Right)
        .column("  Доставки на услуги  ", Align::Right)
        .column("Данъчен период, през който данъкът е станал изискуем")
        .column("");
    callOffStock_.column(" № ", Align::Right)
        .column("Период")
        .column("VIN на получателя")
        .column(" Код на операцията", Align::Right)
        .column("VIN на заместено лице-получател")
        .column("Данъчен период, през който е извършена операцията")
        .column("");
}

std::string CViesDeklDlg::monthShown(const std::string& period1) const {
    const std::string& p = scope().period;
    const std::string ownMonth = p.size() == 6 ? p.substr(4, 2) + "/" + p.substr(0, 4) : p;
    return period1 == ownMonth ? "" : period1;
}

void CViesDeklDlg::fillSupplies() {
    auto& rows = supplies_.table();
    rows.clear();
    for (const auto& v : db::ViesRows(database(), scope().vin, scope().klon, scope().period, 1))
        rows.add({{std::to_string(v.number), scope().period, v.knum, ShownLeva(v.ss15),
                   ShownLeva(v.ss25), ShownLeva(v.ss17), monthShown(v.period1), ""}});
}

void CViesDeklDlg::fillCallOffStock() {
    auto& rows = callOffStock_.table();
    rows.clear();
    for (const auto& v : db::ViesRows(database(), scope().vin, scope().klon, scope().period, 2))
        rows.add({{std::to_string(v.number), scope().period, v.knum, WholeNumber(v.ss15), v.knumz,
                   monthShown(v.period1), ""}});
}

// An engine error here is shown by the dialog layer, which then closes the
// dialog: it has nothing to show.
void CViesDeklDlg::opened() {
    const bool callOffStock = scope().period >= kCallOffStockFrom;
    callOffStock_.setVisible(callOffStock);
    GenerateViesReturn(database(), scope());
    fillSupplies();
    if (callOffStock) fillCallOffStock();
}

void CViesDeklDlg::pressed(ui::Button& button) {
    if (&button == &close_) close(ui::Result::Ok);
    if (&button == &print_) print();
}

void CViesDeklDlg::refresh() {
    const bool rows =
        supplies_.rowCount() > 0 || (callOffStock_.visible() && callOffStock_.rowCount() > 0);
    print_.setEnabled(canPrint() && rows);
}

}  // namespace returns
