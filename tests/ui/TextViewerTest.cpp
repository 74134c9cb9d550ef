// The program's own text viewer: the guide in UTF-8 and a report in
// Windows-1251 shown alike, the report's end-of-file mark dropped, and a file
// that cannot be read said so.
#include "ui/TextViewer.h"

#include <gtest/gtest.h>

#include "support/DialogDriver.h"
#include "support/ScriptedHost.h"
#include "support/TempDir.h"

using testing_support::DialogDriver;
using testing_support::ScriptedHost;

TEST(ViewedTextTest, Utf8StaysAndAnythingElseIsWindows1251) {
    struct Case {
        const char* what;
        std::string bytes, shown;
    } cases[] = {
        {"UTF-8", "Ръководство\n", "Ръководство\n"},
        {"Windows-1251", "\xD1\xCF\xD0\xC0\xC2\xCA\xC0\r\n", "СПРАВКА\r\n"},
        {"end-of-file mark", "\xC1\xF0\xEE\xE9\tx\r\n\x1A", "Брой\tx\r\n"},
        {"plain ASCII", "DEKLAR\r\n", "DEKLAR\r\n"},
        {"empty", "", ""},
        {"cut UTF-8 sequence", "\xD0", "Р"},
        {"overlong UTF-8", "\xC0\xAF", "А\xD0\x87"},
        {"UTF-8 surrogate", "\xED\xA0\x80", "н\xC2\xA0\xD0\x82"},
    };
    for (const auto& c : cases) EXPECT_EQ(ui::ViewedText(c.bytes), c.shown) << c.what;
}

TEST(TextViewerTest, ShowsTheFileReadOnlyInFixedPitchAndCloses) {
    testing_support::TempDir dir;
    const auto report =
        dir.write("Report.txt", "\xC1\xF0\xEE\xE9 \xE7\xE0\xEF\xE8\xF1\xE8:\t3\r\n\x1A");
    ScriptedHost host;
    ui::TextViewer viewer(host, report);
    DialogDriver d(viewer);
    EXPECT_EQ(d.title(), "Report.txt");
    EXPECT_EQ(d.text("text"), "Брой записи:\t3\r\n");
    EXPECT_TRUE(d.get<ui::TextBox>("text").monospace());
    EXPECT_TRUE(viewer.resizable());
    EXPECT_EQ(d.get<ui::TextBox>("text").anchors(), ui::kGrows);
    d.enter();
    EXPECT_FALSE(d.isOpen());
}

TEST(TextViewerTest, AFileThatCannotBeReadIsSaidSo) {
    testing_support::TempDir dir;
    ScriptedHost host;
    ui::TextViewer viewer(host, dir / "none.txt");
    viewer.open();
    host.expectError("Файлът " + (dir / "none.txt").string() + " не може да бъде прочетен.");
    EXPECT_FALSE(viewer.isOpen());
}
