#include "journals/ViesType.h"

#include <string_view>

#include <gtest/gtest.h>

#include "journals/JournalRulesMoney.h"
#include "support/CaseTable.h"

using namespace journals;
using testing_support::CaseTable;

TEST(ViesType, EncodesTheItemAndTheMark) {
    const CaseTable<std::string_view(ViesAnalysis)> cases = {
        {{-1, false}, "0"}, {{0, false}, "1"}, {{2, false}, "3"},
        {{2, true}, "8"},   {{0, true}, "6"},  {{-1, true}, "6"},  // the mark alone reads back
    };
    cases.expectEachCall(EncodeViesType);
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
    const CaseTable<Stotinki(Stotinki base)> cases = {
        {10000, 2000}, {5, 1}, {10003, 2001}, {10002, 2000}, {-10003, -2001}, {2, 0},
    };
    cases.expectEachCall(ProposedVat20);
}
