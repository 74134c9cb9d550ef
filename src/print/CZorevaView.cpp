#include "print/CZorevaView.h"

#include "print/JournalPrintout.h"
#include "print/PrintStore.h"
#include "print/ReturnPrintouts.h"
#include "print/Text.h"

namespace print {

Orientation OrientationOf(ui::PrintKind printout) {
    return printout == ui::PrintKind::Purchases || printout == ui::PrintKind::Sales
               ? Orientation::Landscape
               : Orientation::Portrait;
}

std::string JobName(ui::PrintKind printout, const std::string& period) {
    std::string month = MonthOfPeriod(period);
    if (month.size() == 7) month[2] = '-';
    switch (printout) {
        case ui::PrintKind::Purchases:
            return "Дневник за покупките " + month;
        case ui::PrintKind::Sales:
            return "Дневник за продажбите " + month;
        case ui::PrintKind::Vies:
            return "VIES-декларация " + month;
        case ui::PrintKind::VatReturn:
            return "Справка-декларация по ЗДДС " + month;
    }
    return month;
}

CZorevaView::CZorevaView(db::Database& db, const platform::Clock& clock, db::PersonRow person)
    : db_(db), clock_(clock), person_(std::move(person)) {}

bool CZorevaView::print(ui::PrintKind printout, const std::string& period, Surface& surface) {
    const PrintScope scope{person_.vin, person_.klon, period};
    switch (printout) {
        case ui::PrintKind::Purchases:
            return PrintPurchaseJournal(surface, db_, scope);
        case ui::PrintKind::Sales:
            return PrintSalesJournal(surface, db_, scope);
        case ui::PrintKind::Vies:
            return PrintViesReturn(surface, ReadViesReturnForm(db_, person_, scope));
        case ui::PrintKind::VatReturn:
            return PrintVatReturn(surface, ReadVatReturnForm(db_, person_, scope, clock_));
    }
    return false;
}

}  // namespace print
