#include "files/checker/CheckText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "files/checker/FileText.h"
#include "platform/CodePage.h"
#include "platform/Money.h"
#include "support/TempDir.h"

using namespace files;
using namespace files::checker;
using testing_support::TempDir;

namespace {

std::vector<std::string> LinesOf(std::string_view text) {
    std::vector<std::string> lines;
    LineReader reader(text);
    for (std::string_view line; reader.next(line);) lines.emplace_back(line);
    return lines;
}

using Lines = std::vector<std::string>;

}  // namespace

TEST(LineReader, SplitsAtEveryKindOfLineEnd) {
    struct Case {
        std::string text;
        Lines lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb\rc", {"a", "b", "c"}},
        {"a\r\n\x1A", {"a"}},              // CR LF then Ctrl-Z: no extra line
        {"a\r\n\x1A\x1A", {"a", "\x1A"}},  // only one Ctrl-Z is skipped
        {"a\r\n\r\nb", {"a", "", "b"}},    // an empty line between two CR LF
        {"a\n\nb", {"a", "b"}},            // two line-end characters are one end
        {"a\n\n\nb", {"a", "", "b"}},
        {"\r\n", {""}},
        {"\r\n\r\n", {"", ""}},
        {"a\x1A"
         "b\r\n",
         {"a\x1A"
          "b"}},  // Ctrl-Z inside a line is text
        {"\x1A", {"\x1A"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LinesOf(c.text), c.lines) << testing::PrintToString(c.text);
        EXPECT_EQ(CountLines(c.text), c.lines.size()) << testing::PrintToString(c.text);
    }
}

TEST(LineReader, LinesAreViewsIntoTheText) {
    const std::string text = "first\r\nsecond";
    LineReader reader(text);
    std::string_view line;
    ASSERT_TRUE(reader.next(line));
    ASSERT_TRUE(reader.next(line));
    EXPECT_EQ(line.data(), text.data() + 7);
    EXPECT_EQ(reader.position(), text.size());
}

TEST(EncodingSignature, RecognisesEverySignatureOnlyInFilesLongerThanFourBytes) {
    struct Case {
        std::string start;
        int signature;
    };
    const Case cases[] = {
        {"\xEF\xBB\xBF", 1},
        {"\xEF\xBB", 1},
        {"\xFE\xFF", 2},
        {"\xFF\xFE"
         "a\0",
         3},
        {std::string("\x00\x00\xFE\xFF", 4), 4},
        {std::string("\xFF\xFE\x00\x00", 4), 5},
        {"\x2B\x2F\x76\x38", 6},
        {"\x2B\x2F\x76\x39", 6},
        {"\x2B\x2F\x76\x2B", 6},
        {"\x2B\x2F\x76\x2F", 6},
        {"\x2B\x2F\x76\x41", 0},
        {"\xF7\x64\x4C", 7},
        {"\xDD\x73\x66\x73", 8},
        {"\x0E\xFE\xFF", 9},
        {"\xFB\xEE\x28", 10},
        {"\x84\x31\x95\x33", 11},
        {"BG12", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EncodingSignature(c.start + "xxxxx"), c.signature)
            << testing::PrintToString(c.start);
    }
    EXPECT_EQ(EncodingSignature("\xEF\xBB\xBF"
                                "a"),
              0);  // four bytes: not tested
    EXPECT_EQ(EncodingSignature(""), 0);
}

TEST(Utf8CyrillicText, ValidUtf8WithACyrillicLetterOnly) {
    struct Case {
        std::string text;
        bool utf8Cyrillic;
    };
    const std::string name = "\xD0\x97\xD0\xBE\xD1\x80\xD0\xB5\xD0\xB2\xD0\xB0";  // Зорева
    const Case cases[] = {
        {"", false},
        {"BG175074752 Zoreva Ltd\r\n", false},             // ASCII is both
        {"\xC7\xEE\xF0\xE5\xE2\xE0 \xCE\xCE\xC4", false},  // Зорева ООД in Windows-1251
        {name, true},
        {std::string(40, ' ') + name + std::string(40, ' '), true},  // past the fast blocks
        {"caf\xC3\xA9", false},                                      // UTF-8 without Cyrillic
        {"\xE2\x82\xAC " + name, true},                              // three-byte euro sign
        {"\xF0\x9F\x98\x80" + name, true},                           // four-byte character
        {name + "\xD0", false},                                      // cut at the end
        {name + "\xC0\x80", false},                                  // overlong NUL
        {name + "\xE0\x80\xAF", false},                              // overlong slash
        {name + "\xED\xA0\x80", false},                              // a surrogate
        {name + "\xF4\x90\x80\x80", false},                          // past U+10FFFF
        {name + " \xB9", false},                                     // a Windows-1251 "№"
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsUtf8CyrillicText(c.text), c.utf8Cyrillic) << testing::PrintToString(c.text);
}

TEST(Utf8CyrillicText, WindowsCyrillicTextIsNeverTakenForUtf8) {
    // Words of Windows-1251 letters, digits and spaces, as names and goods
    // are written: a letter (0xC0-0xFF) is never followed by the
    // continuation byte a UTF-8 sequence needs.
    std::mt19937 random(20230615);
    for (int text = 0; text < 1000; ++text) {
        std::string line;
        const int length = 1 + static_cast<int>(random() % 60);
        for (int i = 0; i < length; ++i) {
            const unsigned pick = random() % 80;
            line += pick < 64 ? static_cast<char>(0xC0 + pick) : pick < 72 ? ' ' : '0' + pick % 10;
        }
        EXPECT_FALSE(IsUtf8CyrillicText(line)) << testing::PrintToString(line);
        // The same text saved as UTF-8 is recognised whenever it has a letter.
        const bool hasLetter = std::any_of(
            line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) >= 0xC0; });
        EXPECT_EQ(IsUtf8CyrillicText(platform::DecodeCp1251(line)), hasLetter)
            << testing::PrintToString(line);
    }
}

TEST(ScanText, FindsWhatTheSeparateTestsFindInOnePass) {
    // Mostly ASCII texts of every length around the blocks of 64 bytes, with
    // a forbidden byte, a byte above 0x7F, both or neither somewhere.
    std::mt19937 random(42);
    for (int round = 0; round < 3000; ++round) {
        std::string text(random() % 300, 'a');
        for (int special = random() % 3; special > 0 && !text.empty(); --special) {
            const unsigned kinds[] = {0x01, 0x98, 0xC7, 0xE0, '\r', 0x1A, 0x7F};
            text[random() % text.size()] = static_cast<char>(kinds[random() % std::size(kinds)]);
        }
        const TextScan scan = ScanText(text);
        EXPECT_EQ(scan.permitted, HasOnlyPermittedCharacters(text)) << testing::PrintToString(text);
        const auto high = std::find_if(
            text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
        EXPECT_EQ(scan.firstNonAscii, static_cast<std::size_t>(high - text.begin()))
            << testing::PrintToString(text);
    }
}

TEST(PermittedCharacters, AcceptExactlyThePrintableWindows1251Set) {
    // Every byte but the control characters other than LF, CR and Ctrl-Z, and
    // the one unassigned byte 0x98.
    for (int b = 0; b < 256; ++b) {
        const bool expected = (b >= 0x20 && b != 0x98) || b == '\n' || b == '\r' || b == 0x1A;
        const std::string text(1, static_cast<char>(b));
        EXPECT_EQ(HasOnlyPermittedCharacters(text), expected) << "byte " << b;
        // The same byte far inside a long text, past the fast blocks.
        std::string longText(1000, 'a');
        longText[700] = static_cast<char>(b);
        EXPECT_EQ(HasOnlyPermittedCharacters(longText), expected) << "byte " << b;
    }
    EXPECT_TRUE(HasOnlyPermittedCharacters(""));
    EXPECT_TRUE(HasOnlyPermittedCharacters("\xC7\xEE\xF0\xE5\xE2\xE0 \xB9 \x88 \x7F\r\n\x1A"));
}

TEST(NumericText, FollowsTheDigitSignAndSeparatorRules) {
    struct Case {
        const char* text;
        bool withDecimals;
        bool withoutDecimals;
    };
    const Case cases[] = {
        {"", true, true},        {"   1234.56", true, false}, {"12,50", true, false},
        {"-15.00", true, false}, {"  -  15", true, true},     {"1 000", true, true},
        {"-", true, true},       {"15-", false, false},       {"1-5", false, false},
        {"--5", false, false},   {"1.2.3", false, false},     {"1.2,3", false, false},
        {"1e5", false, false},   {"+5", false, false},        {"12a", false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsNumericText(c.text, true), c.withDecimals) << c.text;
        EXPECT_EQ(IsNumericText(c.text, false), c.withoutDecimals) << c.text;
    }
}

TEST(NumericText, AmountsAreNumbersExactlyWhenTheMoneyParserReadsThem) {
    // The readers take the verdict of the test from the money parser.
    for (const char* text :
         {"",       "   1234.56", "12,50", "-15.00", "  -  15", "1 000",
          "-",      ".",          "-.",    ".-5",    "1-",      "--5",
          "1.2.3",  "1.2,3",      "1e5",   "+5",     "12a",     "999999999999999",
          "-0.001", " 1 2 . 3 4 "}) {
        EXPECT_EQ(IsNumericText(text, true),
                  platform::money::FromFileField(text, platform::money::Rounding::HalfUp).numeric)
            << text;
    }
}

TEST(LeadingIntegers, ReadTheIntegerAtTheStartAsTheCLibraryDoes) {
    EXPECT_EQ(LeadingInteger("  03"), 3);
    EXPECT_EQ(LeadingInteger("-12abc"), -12);
    EXPECT_EQ(LeadingInteger("abc"), 0);
    EXPECT_EQ(LeadingInteger(""), 0);
    EXPECT_EQ(LeadingInteger("99999999999999999999999"), INT64_MAX);
}

TEST(RightTrim, RemovesOnlyTrailingSpaces) {
    EXPECT_EQ(RightTrim("  ab  "), "  ab");
    EXPECT_EQ(RightTrim("   "), "");
    EXPECT_EQ(RightTrim("ab\t"), "ab\t");
}

TEST(FileText, ReadsWholeFilesAndRefusesWhatIsNoRegularFile) {
    for (const auto source : {&FileText::read, &FileText::map}) {
        TempDir dir;
        const std::string bytes("a\0b\r\n\xFF", 6);
        auto text = source(dir.write("f.txt", bytes));
        ASSERT_TRUE(text);
        EXPECT_EQ(text->view(), bytes);
        EXPECT_TRUE(text->isIntact());

        auto empty = source(dir.write("empty.txt", ""));
        ASSERT_TRUE(empty);
        EXPECT_EQ(empty->view(), "");

        EXPECT_FALSE(source(dir / "missing.txt"));
        EXPECT_FALSE(source(dir.path()));
        EXPECT_FALSE(source("/dev/zero"));
    }
}

TEST(FileText, ConvertsFromTheOemCodePageInPlace) {
    // "Зорева" in CP866, a box-drawing corner and plain ASCII.
    auto text = FileText::fromBytes("\x87\xAE\xE0\xA5\xA2\xA0 \xDA BG1");
    const char* before = text.view().data();
    text.convertFromOem();
    EXPECT_EQ(text.view(), "\xC7\xEE\xF0\xE5\xE2\xE0 + BG1");
    EXPECT_EQ(text.view().data(), before);
}
