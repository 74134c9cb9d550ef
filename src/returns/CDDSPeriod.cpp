#include "returns/CDDSPeriod.h"

#include "journals/JournalRules.h"
#include "returns/CDeklDDS.h"
#include "returns/CViesDeklDlg.h"
#include "ui/Host.h"

namespace returns {

CDDSPeriod::CDDSPeriod(ui::Host& host, session::Session& session, OpenProtocol openProtocol)
    : Dialog(host, "Справки", {180, 88}),
      session_(session),
      openProtocol_(std::move(openProtocol)) {
    // Enter moves on from the period; on a button it presses it.
    setEnterMovesToNextField(true);
}

ReturnScope CDDSPeriod::scope() const {
    return {session_.person().vin, session_.person().klon, period_.text()};
}

bool CDDSPeriod::periodAccepted() {
    const std::string& text = period_.text();
    if (text.size() != 6) return false;
    const auto refusal =
        journals::PeriodYearMonthError(text, journals::LastPeriodYear(session_.clock().now()));
    if (!refusal) return true;
    host().error(std::string(*refusal));
    setFocus(period_);
    return false;
}

void CDDSPeriod::changed(ui::Control& control) {
    if (&control == &period_) periodValid_ = periodAccepted();
}

void CDDSPeriod::pressed(ui::Button& button) {
    if (&button == &close_) return close(ui::Result::Ok);
    const ReturnScope s = scope();
    // The returns' print buttons print the period chosen here.
    auto printRequest = [this, period = s.period](ui::PrintKind kind) {
        return [this, job = ui::PrintJob{kind, period}] { host().print(job); };
    };
    if (&button == &vatReturn_) {
        CDeklDDS sheet(host(), session_.database(), s, printRequest(ui::PrintKind::VatReturn));
        host().runModal(sheet);
    } else if (&button == &vies_) {
        CViesDeklDlg vies(host(), session_.database(), s, printRequest(ui::PrintKind::Vies));
        host().runModal(vies);
    } else if (&button == &protocol_ && openProtocol_) {
        openProtocol_(host(), s);
    }
}

void CDDSPeriod::refresh() {
    vatReturn_.setEnabled(periodValid_);
    vies_.setEnabled(periodValid_);
    protocol_.setEnabled(periodValid_ && openProtocol_);
}

}  // namespace returns
