#pragma once
// The currency of a tax period and the conversion of leva into euro.
//
// A period is stated in the currency that was official at its end: leva up
// to 202512, euro from 202601 (Bulgaria adopted the euro on 1 January 2026).
// Corrections of a leva period stay in leva, however late they are filed.
// Stored amounts are never converted: a period keeps the currency it was
// filed in; the database, the files and the money module hold hundredths of
// that currency (Stotinki are cents in a euro period). Every text that names
// a currency asks CurrencyOfPeriod.
//
// A document issued in leva and entered in a euro period (a late purchase
// claim, a credit note against a 2025 invoice) is converted at the fixed
// rate of 1 euro = 1.95583 leva: the leva amount divided by 1.95583, never a
// shortened rate, and rounded half up to the cent (ties away from zero, so a
// credit note converts to the negative of its invoice). The division is
// exact integer arithmetic.

#include <string_view>

#include "platform/Money.h"

namespace platform::money {

enum class Currency { Leva, Euro };

// The first period stated in euro.
inline constexpr std::string_view kFirstEuroPeriod = "202601";

// Leva before kFirstEuroPeriod, euro from it ("" is a leva period).
Currency CurrencyOfPeriod(std::string_view period);

// The sign written after an amount: "лв." or "€".
std::string_view CurrencySign(Currency currency);

// The fixed rate, leva for one euro, as shown to the user.
inline constexpr std::string_view kLevaPerEuroText = "1.95583";

// The euro cents of an amount in stotinki of leva.
Stotinki LevaToEuro(Stotinki leva);

}  // namespace platform::money
