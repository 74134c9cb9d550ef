#include "db/ErrorSet.h"

#include <gtest/gtest.h>

TEST(ErrorSet, CodesMapToBitsOfThreeWords) {
    db::ErrorSet e;
    e.set(1);
    e.set(32);
    e.set(33);
    e.set(96);
    EXPECT_EQ(e.word(0), static_cast<std::int32_t>(0x80000001u));
    EXPECT_EQ(e.word(1), 1);
    EXPECT_EQ(e.word(2), static_cast<std::int32_t>(0x80000000u));
    EXPECT_TRUE(e.has(96));
    e.clear(32);
    EXPECT_FALSE(e.has(32));
    EXPECT_EQ(e.word(0), 1);
}

TEST(ErrorSet, CodesOutOfRangeAreNeverPresent) {
    db::ErrorSet e(-1, -1, -1);
    EXPECT_TRUE(e.has(1));
    EXPECT_FALSE(e.has(0));
    EXPECT_FALSE(e.has(97));
    db::ErrorSet none;
    none.set(0);
    none.set(200);
    EXPECT_FALSE(none.any());
}

TEST(ErrorSet, CodesAreListedInAscendingOrderAcrossWords) {
    db::ErrorSet e;
    for (int code : {96, 33, 1, 65, 32}) e.set(code);
    e.set(33);  // setting twice changes nothing
    EXPECT_EQ(e.codes(), (std::vector<int>{1, 32, 33, 65, 96}));
    EXPECT_TRUE(db::ErrorSet().codes().empty());
}
