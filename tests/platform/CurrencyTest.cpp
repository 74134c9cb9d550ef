// The currency of a period and the fixed-rate conversion of leva into euro.

#include "platform/Currency.h"

#include <random>

#include <gtest/gtest.h>

#include "support/CaseTable.h"

namespace money = platform::money;
using money::Currency;
using money::Stotinki;
using testing_support::CaseTable;

TEST(CurrencyOfPeriod, LevaUpTo202512AndEuroFrom202601) {
    const CaseTable<Currency(const char* period)> cases = {
        {"201101", Currency::Leva}, {"202312", Currency::Leva}, {"202512", Currency::Leva},
        {"202601", Currency::Euro}, {"202611", Currency::Euro}, {"202701", Currency::Euro},
        {"", Currency::Leva},
    };
    cases.expectEachCall(money::CurrencyOfPeriod);
    EXPECT_EQ(money::CurrencySign(Currency::Leva), "лв.");
    EXPECT_EQ(money::CurrencySign(Currency::Euro), "€");
}

// Divided by 1.95583 and rounded half up to the cent; a negative amount
// converts to the negative of its positive one.
TEST(LevaToEuro, DividesByTheFixedRateAndRoundsHalfUp) {
    const CaseTable<Stotinki(Stotinki leva)> cases = {
        {10000, 5113},         // 100.00 лв. = 51.129188... €
        {100, 51},             // 1.00 лв. = 0.511291... €
        {195583, 100000},      // exactly 1000 €
        {195583 * 3, 300000},  //
        {1, 1},                // 0.01 лв. = 0.0051129 €
        {0, 0},                //
        {-10000, -5113},       // a credit note
        {-100, -51},           //
        {75541, 38623},        // 755.41 лв. = 386.2349999... €, just under half a cent
        {120042, 61377},       // 1200.42 лв. = 613.7650000... €, just over
        {-120042, -61377},     //
        {99999999999999, 51129188119621},  // 999 999 999 999.99 лв., no overflow
    };
    cases.expectEachCall(money::LevaToEuro);
}

// Over random amounts the result is the nearest cent of the exact quotient,
// judged in integers, and a negative amount is the mirror of its positive.
TEST(LevaToEuro, IsTheNearestCentOfTheExactQuotient) {
    std::mt19937_64 random(2026);
    std::uniform_int_distribution<Stotinki> amounts(-100000000, 100000000);
    for (int i = 0; i < 20000; ++i) {
        const Stotinki leva = amounts(random);
        const Stotinki euro = money::LevaToEuro(leva);
        // |leva / 1.95583 - euro| is at most half a cent.
        const __int128 difference =
            static_cast<__int128>(leva) * 100000 - static_cast<__int128>(euro) * 195583;
        EXPECT_LE(difference < 0 ? -difference : difference, 195583 / 2) << leva;
        EXPECT_EQ(money::LevaToEuro(-leva), -euro) << leva;
    }
}
