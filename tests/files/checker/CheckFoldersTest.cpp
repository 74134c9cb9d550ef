// Hand-made folders of files as other programs write them, each with the
// report lines the check must give: folders/<case>/in holds the files (bytes
// as they are, Windows-1251 or not), folders/<case>/report.txt the report in
// UTF-8, where a line "..." stands for any text, none included.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "CheckerFiles.h"
#include "platform/CodePage.h"
#include "support/TempDir.h"

using namespace checker_test;
using testing_support::ReadFile;

namespace {

namespace fs = std::filesystem;

const fs::path kFolders = fs::path(ZOREVA_SOURCE_DIR) / "tests/files/checker/folders";

std::vector<std::string> CaseNames() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(kFolders))
        if (entry.is_directory()) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The pattern cut at its "..." lines.
std::vector<std::string> Pieces(const std::string& pattern) {
    static const std::string kAnyText = "...\r\n";
    std::vector<std::string> pieces(1);
    for (std::size_t at = 0; at < pattern.size();) {
        std::size_t end = pattern.find("\r\n", at);
        end = end == std::string::npos ? pattern.size() : end + 2;
        const std::string line = pattern.substr(at, end - at);
        if (line == kAnyText)
            pieces.emplace_back();
        else
            pieces.back() += line;
        at = end;
    }
    return pieces;
}

// True when the text matches the pattern: the pieces in order, the first at
// the start and the last at the end, anything between them.
bool Matches(const std::string& text, const std::string& pattern) {
    const std::vector<std::string> pieces = Pieces(pattern);
    if (pieces.size() == 1) return text == pieces[0];
    if (!text.starts_with(pieces.front()) || !text.ends_with(pieces.back())) return false;
    std::size_t at = pieces.front().size();
    const std::size_t last = text.size() - pieces.back().size();
    if (at > last) return false;
    for (std::size_t i = 1; i + 1 < pieces.size(); ++i) {
        at = text.find(pieces[i], at);
        if (at == std::string::npos || at + pieces[i].size() > last) return false;
        at += pieces[i].size();
    }
    return true;
}

class CheckFolders : public testing::TestWithParam<std::string> {};

}  // namespace

TEST(CheckFoldersPattern, AnyTextLinesMatchWhatStandsBetweenThePieces) {
    EXPECT_TRUE(Matches("a\r\n", "a\r\n"));
    EXPECT_FALSE(Matches("a\r\nb\r\n", "a\r\n"));
    EXPECT_TRUE(Matches("a\r\nb\r\nc\r\n", "a\r\n...\r\nc\r\n"));
    EXPECT_TRUE(Matches("a\r\nc\r\n", "a\r\n...\r\nc\r\n"));
    EXPECT_FALSE(Matches("a\r\nb\r\n", "a\r\n...\r\nc\r\n"));
    EXPECT_TRUE(Matches("x\r\nb\r\ny\r\n", "...\r\nb\r\n...\r\n"));
    EXPECT_FALSE(Matches("x\r\ny\r\n", "...\r\nb\r\n...\r\n"));
    // A piece may not overlap the last one.
    EXPECT_FALSE(Matches("b\r\n", "...\r\nb\r\n...\r\nb\r\n"));
}

TEST_P(CheckFolders, ReportGivesTheExpectedLines) {
    const fs::path folder = kFolders / GetParam();
    Checked checked;
    checked.report = platform::DecodeCp1251(files::checker::RunCheck(
        checked.state, folder / "in", files::checker::RunKind::Folder, kToday));
    const std::string expected = ReadFile(folder / "report.txt");
    EXPECT_TRUE(Matches(checked.report, expected)) << "report:\n"
                                                   << checked.report << "\nexpected:\n"
                                                   << expected;
}

INSTANTIATE_TEST_SUITE_P(HandMade, CheckFolders, testing::ValuesIn(CaseNames()),
                         [](const auto& info) {
                             std::string name = info.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });
