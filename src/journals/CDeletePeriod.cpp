#include "journals/CDeletePeriod.h"

#include "journals/PeriodStore.h"
#include "ui/Host.h"

namespace journals {

CDeletePeriod::CDeletePeriod(ui::Host& host, session::Session& session)
    : Dialog(host, "Изтриване на период", {157, 134}), session_(session) {}

void CDeletePeriod::opened() {
    fill();
}

void CDeletePeriod::fill() {
    const auto& person = session_.person();
    periods_.table().clear();
    for (auto& period : RemovablePeriods(session_.database(), person.vin, person.klon))
        periods_.table().add({{std::move(period)}});
}

void CDeletePeriod::pressed(ui::Button& button) {
    if (&button == &close_) return close(ui::Result::Cancel);
    if (const auto period = chosenCell(periods_, 0, "Не сте избрали ПЕРИОД!")) remove(*period);
}

void CDeletePeriod::remove(const std::string& period) {
    const auto& person = session_.person();
    if (host().ask("Наистина ли искате да изтриете всички въведени документи за периода " + period +
                       " за регистрираното лице с Булстат-" + person.bulstat + person.klon + "?",
                   ui::Buttons::YesNo, ui::Icon::None) != ui::Answer::Yes)
        return;
    auto branchDocuments = BranchDocuments::Keep;
    if (!session_.onBranch() && HasBranchDocuments(session_.database(), person.vin, period)) {
        const auto answer = host().ask(
            "Има въведени документи за периода " + period +
                " за ЗЛ-клонове на регистрираното лице с Булстат-" + person.bulstat +
                "! Искате ли да изтриете и тях?\r\nНатиснете 'Да' за да се изтрият всички "
                "документи за този период, 'Не' да се изтрият документите само на ЗЛ-майка, "
                "'Отказ' да не трие нищо.",
            ui::Buttons::YesNoCancel, ui::Icon::None);
        if (answer == ui::Answer::Cancel) return;
        if (answer == ui::Answer::Yes) branchDocuments = BranchDocuments::Remove;
    }
    RemovePeriod(session_.database(), person.vin, person.klon, period, branchDocuments);
    fill();
}

}  // namespace journals
