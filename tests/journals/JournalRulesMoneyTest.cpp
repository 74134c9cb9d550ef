#include "journals/JournalRulesMoney.h"

#include <gtest/gtest.h>

#include "support/CaseTable.h"

using journals::Stotinki;
using journals::VatRate;
using testing_support::CaseTable;

// ---- percentages, agreement, coefficient ----

TEST(TruncatedPercent, TruncatesTowardZero) {
    const CaseTable<Stotinki(Stotinki base, VatRate rate)> cases = {
        {5, VatRate::Rate20, 1},  // 20 % of 0.05 is 0.01
        {-5, VatRate::Rate20, -1},    {4, VatRate::Rate20, 0},    {10000, VatRate::Rate20, 2000},
        {10000, VatRate::Rate9, 900}, {1111, VatRate::Rate9, 99},  // 99.99 -> 99
        {1111, VatRate::Rate7, 77},                                // 77.77 -> 77
        {-1111, VatRate::Rate9, -99},
    };
    cases.expectEachCall(journals::TruncatedPercent);
}

TEST(AgreesWithRate, OneStotinkaEitherWayAgrees) {
    const CaseTable<bool(Stotinki vat, Stotinki base, VatRate rate)> cases = {
        {2001, 10000, VatRate::Rate20, true}, {2002, 10000, VatRate::Rate20, false},
        {1999, 10000, VatRate::Rate20, true}, {1998, 10000, VatRate::Rate20, false},
        {1, 5, VatRate::Rate20, true},        {0, 5, VatRate::Rate20, true},
        {3, 5, VatRate::Rate20, false},       {700, 10000, VatRate::Rate7, true},
        {700, 10000, VatRate::Rate9, false},  {-2000, -10000, VatRate::Rate20, true},
    };
    cases.expectEachCall(journals::AgreesWithRate);
}
