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
    if (!periods_.documentSelected()) {
        host().error("Не сте избрали ПЕРИОД!");
        return setFocus(periods_);
    }
    period_ = periods_.source().cell(periods_.selectedRow(), 0);
    close(ui::Result::Ok);
}

}  // namespace journals
