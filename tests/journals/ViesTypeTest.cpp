#include "journals/ViesType.h"

#include <gtest/gtest.h>

#include "journals/JournalRulesMoney.h"

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

TEST(ProposedVat20, IsTheFifthOfTheBaseRoundedHalfUp) {
    const struct {
        Stotinki base, vat;
    } cases[] = {{10000, 2000}, {5, 1}, {10003, 2001}, {10002, 2000}, {-10003, -2001}, {2, 0}};
    for (const auto& c : cases) EXPECT_EQ(ProposedVat20(c.base), c.vat) << c.base;
}
