#include "print/FormWording.h"

#include "platform/Currency.h"

namespace print {

// The euro wordings follow the leva ones word for word, with the euro and its
// cents ("евроцентове") in place of the lev and its stotinki.
const CurrencyWording& CurrencyWordingFor(const std::string& period) {
    static const CurrencyWording kLeva{
        "Стойностите се посочват в левове и стотинки.",
        "Данъчна основа в лв.",
        "Данъчна основа - общо в лева\r\n(сума на колони к3+к4+к5),\r\nв това число:",
    };
    static const CurrencyWording kEuro{
        "Стойностите се посочват в евро и евроцентове.",
        "Данъчна основа в евро",
        "Данъчна основа - общо в евро\r\n(сума на колони к3+к4+к5),\r\nв това число:",
    };
    using platform::money::Currency;
    return platform::money::CurrencyOfPeriod(period) == Currency::Euro ? kEuro : kLeva;
}

}  // namespace print
