#include "journals/CDeleteDubl.h"

#include "journals/PeriodStore.h"
#include "ui/Host.h"

namespace journals {

CDeleteDubl::CDeleteDubl(ui::Host& host, session::Session& session)
    : Dialog(host, "Избиране на период", {152, 134}), session_(session) {}

void CDeleteDubl::opened() {
    const auto& person = session_.person();
    for (auto& period : ReturnPeriods(session_.database(), person.vin, person.klon))
        periods_.table().add({{std::move(period)}});
}

void CDeleteDubl::pressed(ui::Button& button) {
    if (&button != &choose_) return;
    const auto period = chosenCell(periods_, 0, "Не сте избрали ПЕРИОД!");
    if (!period) return;
    period_ = *period;
    close(ui::Result::Ok);
}

}  // namespace journals
