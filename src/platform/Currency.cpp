#include "platform/Currency.h"

namespace platform::money {
namespace {

// 1 euro = 1.95583 leva: cents = stotinki x 100000 / 195583.
constexpr __int128 kRateNumerator = 100000;
constexpr __int128 kRateDenominator = 195583;

}  // namespace

Currency CurrencyOfPeriod(std::string_view period) {
    return period.substr(0, 6) >= kFirstEuroPeriod ? Currency::Euro : Currency::Leva;
}

std::string_view CurrencySign(Currency currency) {
    return currency == Currency::Euro ? "€" : "лв.";
}

Stotinki LevaToEuro(Stotinki leva) {
    // In 128 bits: no amount that fits 64 bits overflows the product.
    const __int128 scaled =
        static_cast<__int128>(leva < 0 ? -static_cast<__int128>(leva) : leva) * kRateNumerator;
    __int128 cents = scaled / kRateDenominator;
    if (2 * (scaled % kRateDenominator) >= kRateDenominator) ++cents;
    return static_cast<Stotinki>(leva < 0 ? -cents : cents);
}

}  // namespace platform::money
