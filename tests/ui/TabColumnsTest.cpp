// The layout of tab-marked report columns in a fixed-pitch pane: the first
// run of tabs of a line goes to its section's column, later tabs to stops of
// eight, sections end at two blank lines, text without tabs stays.
#include "ui/TabColumns.h"

#include <gtest/gtest.h>

TEST(TabColumnsTest, FirstTabRunGoesToTheSectionColumn) {
    struct Case {
        const char* what;
        std::string text, shown;
    } cases[] = {
        {"no tabs", "Брой записи:  2\r\n", "Брой записи:  2\r\n"},
        {"empty", "", ""},
        {"one run of any length per line",
         "ab\t\t\t:1 |\r\n"
         "abcd\t:2 |\r\n",
         "ab  :1 |\r\n"
         "abcd:2 |\r\n"},
        {"characters, not bytes, are counted",
         "ДО\t:1\n"
         "ДДС\t:2\n"
         "x\t:3\n",
         "ДО :1\n"
         "ДДС:2\n"
         "x  :3\n"},
        {"a line without tabs keeps its place",
         "ab\t:1\n"
         "abcdef:2\n"
         "abc\t:3\n",
         "ab :1\n"
         "abcdef:2\n"
         "abc:3\n"},
        {"one blank line keeps the section",
         "a\t:1\n"
         "\r\n"
         "abc\t:2\n",
         "a  :1\n"
         "\r\n"
         "abc:2\n"},
        {"two blank lines end it",
         "a\t:1\n"
         "\r\n\r\n"
         "abc\t:2\n"
         "ab\t:3\n",
         "a:1\n"
         "\r\n\r\n"
         "abc:2\n"
         "ab :3\n"},
        {"later tabs go to stops of eight", "ab\tc\td\n", "abc     d\n"},
        {"a line that ends in tabs", "ab\t\t", "ab"},
        {"a tab first in the line", "\tx\nab\ty\n", "  x\naby\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(ui::AlignTabColumns(c.text), c.shown) << c.what;
}
