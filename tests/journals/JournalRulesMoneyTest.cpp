#include "journals/JournalRulesMoney.h"

#include <gtest/gtest.h>

using journals::Stotinki;
using journals::VatRate;

// ---- percentages, agreement, coefficient ----

TEST(TruncatedPercent, TruncatesTowardZero) {
    const struct {
        Stotinki base;
        VatRate rate;
        Stotinki percent;
    } cases[] = {
        {5, VatRate::Rate20, 1},  // 20 % of 0.05 is 0.01
        {-5, VatRate::Rate20, -1},    {4, VatRate::Rate20, 0},    {10000, VatRate::Rate20, 2000},
        {10000, VatRate::Rate9, 900}, {1111, VatRate::Rate9, 99},  // 99.99 -> 99
        {1111, VatRate::Rate7, 77},                                // 77.77 -> 77
        {-1111, VatRate::Rate9, -99},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.base);
        EXPECT_EQ(journals::TruncatedPercent(c.base, c.rate), c.percent);
    }
}

TEST(AgreesWithRate, OneStotinkaEitherWayAgrees) {
    const struct {
        Stotinki vat;
        Stotinki base;
        VatRate rate;
        bool agrees;
    } cases[] = {
        {2001, 10000, VatRate::Rate20, true}, {2002, 10000, VatRate::Rate20, false},
        {1999, 10000, VatRate::Rate20, true}, {1998, 10000, VatRate::Rate20, false},
        {1, 5, VatRate::Rate20, true},        {0, 5, VatRate::Rate20, true},
        {3, 5, VatRate::Rate20, false},       {700, 10000, VatRate::Rate7, true},
        {700, 10000, VatRate::Rate9, false},  {-2000, -10000, VatRate::Rate20, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.vat) + " of " + std::to_string(c.base));
        EXPECT_EQ(journals::AgreesWithRate(c.vat, c.base, c.rate), c.agrees);
    }
}
