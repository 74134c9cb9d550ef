// The money module: reading texts and stored amounts, writing screens, files
// and reports, and the rounding each conversion names.

#include "platform/Money.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "support/CaseTable.h"

namespace money = platform::money;
using money::Rounding;
using money::Stotinki;
using testing_support::CaseTable;

// ---- reading money texts ----

TEST(MoneyFromText, TextsWithUpToTwoDecimals) {
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
        EXPECT_EQ(money::FromText(c.text, Rounding::HalfUp), c.stotinki);
        EXPECT_EQ(money::FromText(c.text, Rounding::Truncate), c.stotinki);
    }
}

TEST(MoneyFromText, MoreThanTwoDecimalsRoundByTheNamedMode) {
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
        EXPECT_EQ(money::FromText(c.text, Rounding::HalfUp), c.halfUp);
        EXPECT_EQ(money::FromText(c.text, Rounding::Truncate), c.truncated);
    }
}

TEST(MoneyFromText, NonNumbersAndHugeAmountsAreRefused) {
    for (const char* text :
         {"1.2.3", "1,2.3", "1a", "+1", "1-", "--1", "1.-5", "12лв", "123456789012345678901"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(money::FromText(text, Rounding::HalfUp), std::nullopt);
        EXPECT_EQ(money::FromFileField(text, Rounding::HalfUp).value, 0)
            << "reads as an empty cell";
    }
}

// ---- stored amounts ----

TEST(MoneyFromStoredLeva, GivesTheAmountThatIsShown) {
    const CaseTable<Stotinki(double leva)> cases = {
        {20.02, 2002},
        {-0.05, -5},
        {0.0, 0},
        {1.005, 100},  // stored just below 1.005: shown as 1.00
        {0.285, 28},   // stored just below 0.285: shown as 0.28
        {1.125, 112},  // an exact binary tie: "%.2f" rounds it to even
        {123456789012.34, 12345678901234},
        {0.1 + 0.2, 30},
    };
    cases.expectEachCall(money::FromStoredLeva);
    EXPECT_EQ(money::FromStoredLeva(std::nan("")), 0);
    EXPECT_EQ(money::FromStoredLeva(1e300), 0);
}

TEST(MoneyFromText, ReadsACommaLikeAPointInEveryConversion) {
    for (const char* text : {"1234,56", "1 234,56", " 1234.56 ", "1234.560"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(money::FromTypedText(text, Rounding::HalfUp), 123456);
        EXPECT_EQ(money::FromFileField(text, Rounding::HalfUp).value, 123456);
        EXPECT_TRUE(money::FromFileField(text, Rounding::HalfUp).numeric);
        EXPECT_DOUBLE_EQ(money::LevaFromText(text), 1234.56);
    }
}

TEST(MoneyLevaFromText, KeepsEveryDecimalAndRefusesWhatIsNoAmount) {
    EXPECT_DOUBLE_EQ(money::LevaFromText("600.004"), 600.004);
    EXPECT_DOUBLE_EQ(money::LevaFromText("-12,5"), -12.5);
    EXPECT_DOUBLE_EQ(money::LevaFromText("1.234"), 1.234);
    for (const char* text : {"", "-", ".", "12a", "1e5", "1.2.3"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(money::LevaFromText(text), 0.0);
    }
}

TEST(MoneyFileField, ZeroFieldsTakeTheShortWayToTheSameAnswer) {
    EXPECT_EQ(money::FromFileField("           0.00", Rounding::HalfUp).value, 0);
    EXPECT_EQ(money::FromFileField("0.00", Rounding::HalfUp).value, 0);
    EXPECT_EQ(money::FromFileField("         10.00", Rounding::HalfUp).value, 1000);
    EXPECT_EQ(money::FromFileField("x 0.00", Rounding::HalfUp).numeric, false);
}

// The fast way of FromStoredLeva must agree with the stotinki of "%.2f" for
// every double, ties and near-ties included.
TEST(MoneyFromStoredLeva, AgreesWithTheFormattedAmountOverRandomValues) {
    std::mt19937_64 random(12);
    std::uniform_int_distribution<Stotinki> cents(-100'000'000'000, 100'000'000'000);
    std::uniform_int_distribution<int> thousandths(0, 9);
    for (int i = 0; i < 200'000; ++i) {
        const Stotinki c = cents(random);
        // Whole stotinki, and amounts with a third decimal (near the halves).
        const double leva = i % 2 ? c / 100.0 : (c * 10 + thousandths(random)) / 1000.0;
        char shown[64];
        std::snprintf(shown, sizeof shown, "%.2f", leva);
        ASSERT_EQ(money::FromStoredLeva(leva), money::FromText(shown, Rounding::Truncate)) << shown;
    }
}

TEST(MoneyFromStoredLeva, BinaryTiesAndNearTiesGoAsPrintfSendsThem) {
    const auto formatted = [](double value) {
        char shown[64];
        std::snprintf(shown, sizeof shown, "%.2f", value);
        return money::FromText(shown, Rounding::Truncate);
    };
    for (const double value : {1.005, 2.675, 0.125, 1.125, -0.125, -2.675, 0.015, 1e12 + 0.005,
                               -1234567.895, 0.0, -0.0, 99999999999.99})
        EXPECT_EQ(money::FromStoredLeva(value), formatted(value)) << value;
    double value = -500.0;
    for (int i = 0; i < 200000; ++i, value += 0.0049999)
        ASSERT_EQ(money::FromStoredLeva(value), formatted(value)) << value;
}

TEST(MoneyToStoredLeva, StotinkiComeBackUnchanged) {
    for (Stotinki s : {Stotinki{0}, Stotinki{1}, Stotinki{-1}, Stotinki{50}, Stotinki{10501},
                       Stotinki{-211885}, Stotinki{99'999'999'999'999}})
        EXPECT_EQ(money::FromStoredLeva(money::ToStoredLeva(s)), s) << s;
}

// ---- writing ----

TEST(MoneyToScreenText, TwoDecimalsAndNeverMinusZero) {
    const CaseTable<std::string_view(Stotinki stotinki)> cases = {
        {0, "0.00"},
        {5, "0.05"},
        {-5, "-0.05"},
        {123456, "1234.56"},
        {-100, "-1.00"},
        {INT64_MAX, "92233720368547758.07"},
        {INT64_MIN, "-92233720368547758.08"},
    };
    cases.expectEachCall(money::ToScreenText);
    EXPECT_EQ(money::ToScreenText(money::FromStoredLeva(-0.004)), "0.00");
}

TEST(MoneyToFileField, RightAlignedInAMinimumWidth) {
    EXPECT_EQ(money::ToFileField(0, 15), "           0.00");
    EXPECT_EQ(money::ToFileField(-5, 15), "          -0.05");
    EXPECT_EQ(money::ToFileField(50, 4), "0.50");
    EXPECT_EQ(money::ToFileField(100, 4), "1.00");
    EXPECT_EQ(money::ToFileField(123456789012345, 12), "1234567890123.45") << "written whole";
    std::string line = "VIR";
    money::AppendFileField(line, 12345, 12);
    EXPECT_EQ(line, "VIR      123.45");
}

// The file field is what "%*.2f" prints for the stored amount, byte for byte.
TEST(MoneyToFileField, MatchesPrintfOfTheStoredAmount) {
    std::mt19937_64 random(7);
    std::uniform_int_distribution<Stotinki> cents(-1'000'000'000'000, 1'000'000'000'000);
    for (int i = 0; i < 100'000; ++i) {
        const double leva = money::ToStoredLeva(cents(random));
        char printed[64];
        std::snprintf(printed, sizeof printed, "%15.2f", leva);
        ASSERT_EQ(money::ToFileField(money::FromStoredLeva(leva), 15), printed);
    }
}

TEST(MoneyToReportColumn, GivesFifteenCharactersForEveryExample) {
    const CaseTable<std::string_view(Stotinki stotinki)> cases = {
        {0, "           0.00"},
        {-5, "          -0.05"},
        {-12345, "        -123.45"},
        {9999999, "       99999.99"},
        {10000000, "      100000.00"},
        {123456789, "     1234567.89"},
        {-10000001, "     -100000.01"},
        {-100, "          -1.00"},
        {99, "           0.99"},
        {-99999999999, "  -999999999.99"},
        // Too wide for 15 characters: the text is cut, as the layout says.
        {123456789012345, " 1234567890123."},
        {INT64_MIN, "-92233720368547"},
    };
    cases.expectEachCall(money::ToReportColumn);
}

// ---- money normaliser ----

// A refused text (out == nullptr) is left untouched.
TEST(NormaliseMoneyText, AcceptedTextsAreRewrittenRefusedOnesLeftAlone) {
    const struct {
        const char* in;
        int max;
        const char* out;
    } cases[] = {
        {"12,5", 15, "12.50"},
        {"7", 15, "7.00"},
        {"", 15, "0.00"},
        {"   ", 15, "0.00"},
        {"1.234", 15, "1.234"},
        {" -3,", 15, "-3.00"},
        {"-0.5", 15, "-0.50"},
        {".5", 15, ".50"},
        {"123456789012", 15, "123456789012.00"},  // 12 characters become 15
        {"123456789012.", 15, "123456789012.00"},
        {"123456789012.5", 15, "123456789012.50"},
        {"12345678901234.5", 17, "12345678901234.50"},
        {"12345678901234567.891", 15, "12345678901234567.891"},  // two+ decimals: not measured
        {"1", 4, "1.00"},
        {"0,5", 4, "0.50"},
        {"-", 15, nullptr},
        {"-.", 15, nullptr},
        {".", 15, nullptr},
        {"1.2.3", 15, nullptr},
        {"1a", 15, nullptr},
        {"--1", 15, nullptr},
        {"1-", 15, nullptr},
        {"+1", 15, nullptr},
        {"1 000", 15, nullptr},
        {"12,5лв", 15, nullptr},
        {"1234567890123", 15, nullptr},    // 13 characters: no room for ".00"
        {"1234567890123.", 15, nullptr},   // no room for "00"
        {"1234567890123.5", 15, nullptr},  // no room for "0"
        {"12", 4, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in);
        std::string text = c.in;
        EXPECT_EQ(money::NormaliseMoneyText(text, c.max), c.out != nullptr);
        EXPECT_EQ(text, c.out ? c.out : c.in);
    }
}

// ---- arithmetic ----

TEST(CoefficientShare, PositiveSharesRoundHalfUpNegativeOnesAreTruncated) {
    const CaseTable<Stotinki(Stotinki amount, Stotinki coefficient)> cases = {
        {100000, 75, 75000},  // 1000.00 x 0.75
        {1, 50, 1},           // 0.005 rounds up to 0.01
        {1001, 50, 501},      // 5.005 -> 5.01
        {99, 49, 49},         // 0.4851 -> 0.49
        {98, 51, 50},         // 0.4998 -> 0.50
        {1000, 0, 0},        {-1001, 50, -500}, {-1, 50, 0}, {-99, 49, -48},
    };
    cases.expectEachCall(money::CoefficientShare);
}
