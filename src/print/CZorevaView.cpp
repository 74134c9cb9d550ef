#include "print/CZorevaView.h"

#include "print/JournalPrintout.h"
#include "print/PrintStore.h"
#include "print/ReturnPrintouts.h"
#include "print/Text.h"

namespace print {

Orientation OrientationOf(Printout printout) {
    return printout == Printout::PurchaseJournal || printout == Printout::SalesJournal
               ? Orientation::Landscape
               : Orientation::Portrait;
}

std::string JobName(Printout printout, const std::string& period) {
    std::string month = MonthOfPeriod(period);
    if (month.size() == 7) month[2] = '-';
    switch (printout) {
        case Printout::PurchaseJournal:
            return "Дневник за покупките " + month;
        case Printout::SalesJournal:
            return "Дневник за продажбите " + month;
        case Printout::ViesReturn:
            return "VIES-декларация " + month;
        case Printout::VatReturn:
            return "Справка-декларация по ЗДДС " + month;
    }
    return month;
}

CZorevaView::CZorevaView(db::Database& db, const platform::Clock& clock, db::PersonRow person)
    : db_(db), clock_(clock), person_(std::move(person)) {}

bool CZorevaView::print(Printout printout, const std::string& period, Surface& surface) {
    const PrintScope scope{person_.vin, person_.klon, period};
    switch (printout) {
        case Printout::PurchaseJournal:
            return PrintPurchaseJournal(surface, db_, scope);
        case Printout::SalesJournal:
            return PrintSalesJournal(surface, db_, scope);
        case Printout::ViesReturn:
            return PrintViesReturn(surface, ReadViesReturnForm(db_, person_, scope));
        case Printout::VatReturn:
            return PrintVatReturn(surface, ReadVatReturnForm(db_, person_, scope, clock_));
    }
    return false;
}

}  // namespace print
