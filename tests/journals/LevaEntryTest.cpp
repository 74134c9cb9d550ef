// A document issued in leva entered in a euro period: each column converted
// on its own, the sales sum columns from their converted parts.

#include "journals/LevaEntry.h"

#include "platform/Currency.h"

#include <map>
#include <random>

#include <gtest/gtest.h>

using journals::ConvertLevaDocument;
using journals::Journal;
using journals::Stotinki;

namespace {

std::vector<Stotinki> Columns(std::size_t count, std::map<int, Stotinki> amounts) {
    std::vector<Stotinki> all(count, 0);
    for (const auto& [column, amount] : amounts)
        all.at(static_cast<std::size_t>(column - 9)) = amount;
    return all;
}

// The nearest stotinka of rate % of the base, as a document states its VAT.
Stotinki VatOf(Stotinki base, int rate) {
    const Stotinki product = base * rate;
    return (product + (product < 0 ? -50 : 50)) / 100;
}

}  // namespace

TEST(LevaEntry, EachPurchaseColumnIsConvertedOnItsOwn) {
    // 100.00 лв. = 51.13 €, 1.00 лв. = 0.51 €, 20.00 лв. = 10.23 €.
    const auto c =
        ConvertLevaDocument(Journal::Purchases, Columns(7, {{9, 100}, {10, 10000}, {11, 2000}}));
    EXPECT_EQ(c.euro, Columns(7, {{9, 51}, {10, 5113}, {11, 1023}}));
    EXPECT_EQ(c.derived, std::vector<bool>(7, false));
    EXPECT_EQ(journals::LevaConversionNote(c),
              "Документ в лева, превърнат в евро по курс 1 € = 1.95583 лв.: к.9 1.00 лв. = 0.51 €; "
              "к.10 100.00 лв. = 51.13 €; к.11 20.00 лв. = 10.23 €");
}

// Four tax bases whose conversions each lose almost half a cent: column 9
// converted on its own would be 146.23 €, two cents more than its converted
// parts, and break the sum rule; it is their sum, 146.21 €.
TEST(LevaEntry, ASalesTotalIsTheSumOfItsConvertedParts) {
    const auto leva = Columns(17, {{9, 28600},
                                   {10, 1062},
                                   {11, 2700},
                                   {12, 540},
                                   {17, 5800},
                                   {18, 522},
                                   {19, 8900},
                                   {21, 11200}});
    const auto c = ConvertLevaDocument(Journal::Sales, leva);
    EXPECT_EQ(platform::money::LevaToEuro(28600), 14623);
    EXPECT_EQ(c.euro, Columns(17, {{9, 14621},
                                   {10, 543},
                                   {11, 1380},
                                   {12, 276},
                                   {17, 2965},
                                   {18, 267},
                                   {19, 4550},
                                   {21, 5726}}));
    EXPECT_TRUE(c.derived[0]);
    EXPECT_TRUE(c.derived[1]);
    EXPECT_TRUE(journals::SumRuleBreaches("01", c.euro).empty());
    EXPECT_TRUE(journals::RateRuleBreaches(Journal::Sales, c.euro, "202611").empty());
    EXPECT_NE(journals::LevaConversionNote(c).find(
                  "к.9 286.00 лв. = 146.21 € (сбор на превърнатите колони)"),
              std::string::npos);
}

// A total that did not agree with its parts in leva is converted on its own,
// so the sum rule still asks about it; a call-off-stock register has column
// 9 alone.
TEST(LevaEntry, ATotalThatDisagreedInLevaIsConvertedOnItsOwn) {
    const auto c = ConvertLevaDocument(
        Journal::Sales, Columns(17, {{9, 30000}, {10, 2000}, {11, 10000}, {12, 2000}}));
    EXPECT_FALSE(c.derived[0]);
    EXPECT_EQ(c.euro[0], 15339);
    EXPECT_TRUE(c.derived[1]);
    EXPECT_EQ(journals::SumRuleBreaches("01", c.euro), std::vector{journals::Warning::SalesSum9});
    const auto callOff = ConvertLevaDocument(Journal::Sales, Columns(17, {{9, 10000}}));
    EXPECT_EQ(callOff.euro[0], 5113);
    EXPECT_FALSE(callOff.derived[0]);
}

// Random sales documents that keep the sum and rate rules in leva (VAT the
// nearest stotinka of its rate) keep them in euro, credit notes included.
TEST(LevaEntry, DocumentsThatKeepTheRulesInLevaKeepThemInEuro) {
    std::mt19937_64 random(1958);
    std::uniform_int_distribution<Stotinki> amount(0, 5000000);
    std::bernoulli_distribution present(0.5), credit(0.2);
    for (int i = 0; i < 5000; ++i) {
        const Stotinki sign = credit(random) ? -1 : 1;
        std::map<int, Stotinki> a;
        for (int column : {11, 13, 14, 17, 19, 20, 21, 22, 23, 24, 25})
            if (present(random)) a[column] = sign * amount(random);
        a[12] = VatOf(a[11], 20);
        a[15] = VatOf(a[13] + a[14], 20);
        a[18] = VatOf(a[17], 9);
        a[9] = a[11] + a[13] + a[14] + a[17] + a[19] + a[20] + a[21];
        a[10] = a[12] + a[15] + a[16] + a[18];
        const auto leva = Columns(17, a);
        ASSERT_TRUE(journals::SumRuleBreaches("01", leva).empty());
        ASSERT_TRUE(journals::RateRuleBreaches(Journal::Sales, leva, "202611").empty());
        const auto c = ConvertLevaDocument(Journal::Sales, leva);
        EXPECT_TRUE(journals::SumRuleBreaches("01", c.euro).empty()) << i;
        EXPECT_TRUE(journals::RateRuleBreaches(Journal::Sales, c.euro, "202611").empty()) << i;
        EXPECT_FALSE(journals::HasMixedSigns(Journal::Sales, c.euro)) << i;
    }
}
