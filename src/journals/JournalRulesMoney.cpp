#include "journals/JournalRulesMoney.h"

namespace journals {

Stotinki TruncatedPercent(Stotinki base, VatRate rate) {
    switch (rate) {
        case VatRate::Rate20:
            return base * 2 / 10;
        case VatRate::Rate9:
            return base * 9 / 100;
        case VatRate::Rate7:
            return base * 7 / 100;
    }
    return 0;
}

bool Agree(Stotinki a, Stotinki b) {
    return a - b >= -1 && a - b <= 1;
}

bool AgreesWithRate(Stotinki vat, Stotinki base, VatRate rate) {
    return Agree(vat, TruncatedPercent(base, rate));
}

Stotinki ProposedVat20(Stotinki base) {
    // base / 5, rounded half away from zero.
    const Stotinki half = base < 0 ? -2 : 2;
    return (base + half) / 5;
}

}  // namespace journals
