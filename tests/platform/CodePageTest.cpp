#include "platform/CodePage.h"

#include <map>

#include <gtest/gtest.h>

using namespace platform;

TEST(CodePage, EveryWindows1251ByteRoundTrips) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    const auto utf8 = DecodeCp1251(all);
    const auto back = EncodeCp1251(utf8);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, all);
}

// Every code point of the Cyrillic block, alone and inside a word: the bytes
// the decoding table gives it, or a refusal where Windows-1251 has none; a
// sequence cut after a run of letters is refused too.
TEST(CodePage, TheCyrillicBlockEncodesAsTheTableDecodes) {
    std::map<std::string, char> byteOf;
    for (int b = 0; b < 256; ++b) byteOf[DecodeCp1251(std::string(1, static_cast<char>(b)))] = b;
    for (char32_t cp = 0x0400; cp <= 0x04FF; ++cp) {
        const std::string utf8 = {static_cast<char>(0xC0 | (cp >> 6)),
                                  static_cast<char>(0x80 | (cp & 0x3F))};
        SCOPED_TRACE(static_cast<int>(cp));
        const auto found = byteOf.find(utf8);
        const auto inWord = EncodeCp1251("аб" + utf8 + "вг");
        if (found == byteOf.end()) {
            EXPECT_FALSE(inWord.has_value());
            continue;
        }
        EXPECT_EQ(EncodeCp1251(utf8), std::string(1, found->second));
        EXPECT_EQ(inWord, "\xE0\xE1" + std::string(1, found->second) + "\xE2\xE3");
    }
    EXPECT_FALSE(EncodeCp1251("аб\xD0").has_value());
    EXPECT_FALSE(EncodeCp1251("аб\xD1\x41").has_value());
    EXPECT_FALSE(EncodeCp1251("аб\xD0\xC0").has_value());
}

TEST(CodePage, CyrillicAndPunctuationMapToTheirBytes) {
    EXPECT_EQ(ToCp1251("Зорева"), "\xC7\xEE\xF0\xE5\xE2\xE0");
    EXPECT_EQ(ToCp1251("№ „“ –"), "\xB9 \x84\x93 \x96");
    EXPECT_EQ(ToCp1251("Ёё€"), "\xA8\xB8\x88");
    EXPECT_EQ(DecodeCp1251("\xDF\xFF"), "Яя");
}

TEST(CodePage, TextWindows1251CannotHoldIsRefused) {
    EXPECT_FALSE(EncodeCp1251("Grüße").has_value());
    EXPECT_EQ(FirstUnencodableCharacter("Фирма ü 😀"), "ü");
    EXPECT_EQ(FirstUnencodableCharacter("Фирма ООД"), std::nullopt);
    EXPECT_THROW(ToCp1251("日本"), std::invalid_argument);
    // Invalid UTF-8: a lone continuation byte, a truncated sequence, an overlong form.
    EXPECT_FALSE(EncodeCp1251("\x80").has_value());
    EXPECT_FALSE(EncodeCp1251("\xD0").has_value());
    EXPECT_FALSE(EncodeCp1251("\xC0\xAF").has_value());
}

TEST(CodePage, Cp866LettersBecomeWindows1251Letters) {
    // "Зорева" in CP866, then Ё/ё, № and the no-break space.
    EXPECT_EQ(Cp866ToCp1251("\x87\xAE\xE0\xA5\xA2\xA0"), ToCp1251("Зорева"));
    EXPECT_EQ(Cp866ToCp1251("\xF0\xF1\xFC\xFF"), "\xA8\xB8\xB9\xA0");
    EXPECT_EQ(Cp866ToCp1251("abc 123"), "abc 123");
    // Box drawing has no Windows-1251 equivalent.
    EXPECT_EQ(Cp866ToCp1251("\xC9\xCD\xBB\xBA\xB3\xC4\xB1"), "+-+||-?");
}

TEST(CodePage, LengthsCountCharactersNotBytes) {
    EXPECT_EQ(Utf8Length("Фирма"), 5u);
    EXPECT_EQ(Utf8Length(""), 0u);
    EXPECT_EQ(Utf8Prefix("Фирма ООД", 5), "Фирма");
    EXPECT_EQ(Utf8Prefix("ab", 5), "ab");
    EXPECT_EQ(Utf8Prefix("Я", 0), "");
}
