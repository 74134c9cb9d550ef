#include "journals/JournalRulesMoney.h"

#include <cmath>

#include <gtest/gtest.h>

using journals::Rounding;
using journals::Stotinki;
using journals::VatRate;

// ---- reading money texts ----

TEST(ParseStotinki, TextsWithUpToTwoDecimals) {
    const struct {
        const char* text;
        Stotinki stotinki;
    } cases[] = {
        {"12.50", 1250},
        {"12,5", 1250},
        {"7", 700},
        {"7.00", 700},
        {"-0.5", -50},
        {"-0.05", -5},
        {".5", 50},
        {"", 0},
        {"-", 0},
        {".", 0},
        {"   -12.34", -1234},
        {"1 234.56", 123456},
        {"0.01", 1},
        {"999999999999.99", 99999999999999},
        {".-5", -50},  // a '-' may stand anywhere before the first digit
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(journals::ParseStotinki(c.text, Rounding::HalfUp), c.stotinki);
        EXPECT_EQ(journals::ParseStotinki(c.text, Rounding::Truncate), c.stotinki);
    }
}

TEST(ParseStotinki, MoreThanTwoDecimalsRoundByTheNamedMode) {
    const struct {
        const char* text;
        Stotinki halfUp;
        Stotinki truncated;
    } cases[] = {
        {"600.004", 60000, 60000},  {"600.005", 60001, 60000}, {"1.234", 123, 123},
        {"1.235", 124, 123},        {"1.2349", 123, 123},      {"1.239", 124, 123},
        {"-1.235", -124, -123},     {"-0.004", 0, 0},          {"0.995", 100, 99},
        {"600.0049", 60000, 60000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(journals::ParseStotinki(c.text, Rounding::HalfUp), c.halfUp);
        EXPECT_EQ(journals::ParseStotinki(c.text, Rounding::Truncate), c.truncated);
    }
}

TEST(ParseStotinki, NonNumbersAndHugeAmountsAreRefused) {
    for (const char* text :
         {"1.2.3", "1,2.3", "1a", "+1", "1-", "--1", "1.-5", "12лв", "123456789012345678901"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(journals::ParseStotinki(text, Rounding::HalfUp), std::nullopt);
        EXPECT_EQ(journals::ToStotinki(text, Rounding::HalfUp), 0) << "reads as an empty cell";
    }
}

TEST(ToStotinki, ReturnCellWithThreeDecimalsReadsAsItsShownAmount) {
    // Cell 20 of 1000.00 less cell 40 of 400.00 leaves 600.00 payable: a cell
    // 50 of "600.004" is that amount, "600.01" is one stotinka off.
    const Stotinki payable = journals::ToStotinki("1000.00", Rounding::HalfUp) -
                             journals::ToStotinki("400.00", Rounding::HalfUp);
    EXPECT_EQ(payable - journals::ToStotinki("600.004", Rounding::HalfUp), 0);
    EXPECT_EQ(payable - journals::ToStotinki("600.01", Rounding::HalfUp), -1);
}

// ---- stored amounts ----

TEST(LevaToStotinki, GivesTheAmountThatIsShown) {
    const struct {
        double leva;
        Stotinki stotinki;
    } cases[] = {
        {20.02, 2002},
        {-0.05, -5},
        {0.0, 0},
        {1.005, 100},  // stored just below 1.005: shown as 1.00
        {0.285, 28},   // stored just below 0.285: shown as 0.28
        {1.125, 112},  // an exact binary tie: "%.2f" rounds it to even
        {123456789012.34, 12345678901234},
        {0.1 + 0.2, 30},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.leva);
        EXPECT_EQ(journals::LevaToStotinki(c.leva), c.stotinki);
    }
    EXPECT_EQ(journals::LevaToStotinki(std::nan("")), 0);
    EXPECT_EQ(journals::LevaToStotinki(1e300), 0);
}

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

TEST(CoefficientShare, PositiveSharesRoundHalfUpNegativeOnesAreTruncated) {
    const struct {
        Stotinki amount;
        Stotinki coefficient;
        Stotinki share;
    } cases[] = {
        {100000, 75, 75000},  // 1000.00 x 0.75
        {1, 50, 1},           // 0.005 rounds up to 0.01
        {1001, 50, 501},      // 5.005 -> 5.01
        {99, 49, 49},         // 0.4851 -> 0.49
        {98, 51, 50},         // 0.4998 -> 0.50
        {1000, 0, 0},        {-1001, 50, -500}, {-1, 50, 0}, {-99, 49, -48},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.amount) + " x " + std::to_string(c.coefficient));
        EXPECT_EQ(journals::CoefficientShare(c.amount, c.coefficient), c.share);
    }
}
