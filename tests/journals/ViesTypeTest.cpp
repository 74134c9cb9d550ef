#include "journals/ViesType.h"

#include <gtest/gtest.h>

#include "journals/AmountText.h"

using namespace journals;

TEST(ViesType, EncodesTheItemAndTheMark) {
    const struct {
        ViesAnalysis analysis;
        const char* stored;
    } cases[] = {
        {{-1, false}, "0"}, {{0, false}, "1"}, {{2, false}, "3"},
        {{2, true}, "8"},   {{0, true}, "6"},  {{-1, true}, "6"},  // the mark alone reads back
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        EXPECT_EQ(EncodeViesType(c.analysis), c.stored);
    }
}

TEST(ViesType, DecodesOnlyWhatItsColumnsHold) {
    const struct {
        const char* stored;
        Stotinki column24, column25;
        int item;
        bool advance;
    } cases[] = {
        {"7", 100, 100, 1, true}, {"7", 0, 100, -1, true},    {"7", 100, 0, 1, false},
        {"3", 5000, 0, 2, false}, {"8", 5000, 3000, 2, true}, {"0", 100, 100, -1, false},
        {"5", 0, 3000, -1, true}, {"", 100, 100, -1, false},  {"x", 100, 100, -1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        const auto analysis = DecodeViesType(c.stored, c.column24, c.column25);
        EXPECT_EQ(analysis.item, c.item);
        EXPECT_EQ(analysis.advance, c.advance);
    }
}

TEST(AmountText, FormatsAndProposesVat) {
    EXPECT_EQ(FormatStotinki(0), "0.00");
    EXPECT_EQ(FormatStotinki(-5), "-0.05");
    EXPECT_EQ(FormatStotinki(123456789), "1234567.89");
    EXPECT_EQ(FormatStotinki(INT64_MIN), "-92233720368547758.08");
    const struct {
        Stotinki base, vat;
    } cases[] = {{10000, 2000}, {5, 1}, {10003, 2001}, {10002, 2000}, {-10003, -2001}, {2, 0}};
    for (const auto& c : cases) EXPECT_EQ(ProposedVat20(c.base), c.vat) << c.base;
    EXPECT_EQ(StoredLeva("1.234"), 1.234);
    EXPECT_EQ(StoredLeva("-12.50"), -12.5);
    EXPECT_EQ(StoredLeva(""), 0.0);
}

// The direct conversion gives what "%.2f" shows, binary ties included.
TEST(AmountText, StoredStotinkiAgreesWithTheFormattedValue) {
    for (const double value : {1.005, 2.675, 0.125, 1.125, -0.125, -2.675, 0.015, 1e12 + 0.005,
                               -1234567.895, 0.0, -0.0, 99999999999.99})
        EXPECT_EQ(StoredStotinki(value), LevaToStotinki(value)) << value;
    double value = -500.0;
    for (int i = 0; i < 200000; ++i, value += 0.0049999)
        ASSERT_EQ(StoredStotinki(value), LevaToStotinki(value)) << value;
}
