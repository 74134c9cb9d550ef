// The shared text helpers and calendar dates.
#include <gtest/gtest.h>

#include "platform/Date.h"
#include "platform/Text.h"

TEST(Text, TrimRemovesEveryKindOfWhitespaceAtBothEndsOnly) {
    EXPECT_EQ(platform::Trim(" \t\r\n\v\fa b\t \r\n"), "a b");
    EXPECT_EQ(platform::Trim("  \t "), "");
    EXPECT_EQ(platform::Trim(""), "");
    EXPECT_EQ(platform::Trim("Зорева ООД  "), "Зорева ООД");
}

TEST(Text, DigitsAreTheTenAsciiDigitsOnly) {
    for (char c = 0; c < 127; ++c) EXPECT_EQ(platform::IsDigit(c), c >= '0' && c <= '9') << int(c);
    EXPECT_FALSE(platform::IsDigit('\xD0'));  // a lead byte of Cyrillic UTF-8
    EXPECT_TRUE(platform::AllDigits("0123456789"));
    EXPECT_TRUE(platform::AllDigits(""));
    EXPECT_FALSE(platform::AllDigits("12 3"));
    EXPECT_FALSE(platform::AllDigits("-1"));
}

TEST(Date, ReadsOnlyRealDaysInEitherWriting) {
    EXPECT_EQ(platform::Date::parse("29/02/2024"), (platform::Date{2024, 2, 29}));
    EXPECT_EQ(platform::Date::parse("31/12/2023")->text(), "31/12/2023");
    EXPECT_EQ(platform::Date::parseIso("2024-02-29"), (platform::Date{2024, 2, 29}));
    for (const char* bad : {"29/02/2023", "31/04/2024", "00/01/2024", "01/13/2024", "1/1/2024",
                            "01-01-2024", "01/01/24", "aa/01/2024", "01/01/0000", ""})
        EXPECT_EQ(platform::Date::parse(bad), std::nullopt) << bad;
    for (const char* bad : {"2023-02-29", "2024-04-31", "2024-00-10", "2024-13-01", "2024-1-1",
                            "15.06.2023", "2024/01/01", "+024-01-01", "0000-01-01", ""})
        EXPECT_EQ(platform::Date::parseIso(bad), std::nullopt) << bad;
    EXPECT_EQ((platform::Date{2024, 3, 5}).text(), "05/03/2024");
}

// Leap years: every fourth, except centuries not divisible by 400.
TEST(Date, TheLastDayOfFebruaryFollowsTheLeapYears) {
    struct Case {
        int year, lastDay;
    };
    for (const auto [year, lastDay] :
         {Case{1900, 28}, Case{2000, 29}, Case{2023, 28}, Case{2024, 29}, Case{2100, 28}}) {
        EXPECT_TRUE((platform::Date{year, 2, lastDay}).valid()) << year;
        EXPECT_FALSE((platform::Date{year, 2, lastDay + 1}).valid()) << year;
    }
    EXPECT_FALSE((platform::Date{10000, 1, 1}).valid());
}

TEST(ShownValue, AValueOfOutsideIsCutAtACharacterBoundaryWithItsLength) {
    EXPECT_EQ(platform::ShownValue("C:\\ZOREVA"), "C:\\ZOREVA");
    EXPECT_EQ(platform::ShownValue(std::string(255, 'a')), std::string(255, 'a'));
    EXPECT_EQ(platform::ShownValue(std::string(256, 'a')), std::string(255, 'a') + "… (256 байта)");
    // Cyrillic letters are two bytes: the cut never splits one.
    std::string cyrillic;
    for (int i = 0; i < 200; ++i) cyrillic += "Ж";
    for (std::size_t limit : {1u, 2u, 3u, 254u, 255u}) {
        const auto shown = platform::ShownValue(cyrillic, limit);
        const auto kept = shown.substr(0, shown.find("…"));
        EXPECT_EQ(kept.size() % 2, 0u) << limit;
        EXPECT_LE(kept.size(), limit);
        EXPECT_GE(kept.size() + 1, limit);
    }
    const std::string huge(20 * 1024 * 1024, 'x');
    EXPECT_LT(platform::ShownValue(huge).size(), 300u);
}
