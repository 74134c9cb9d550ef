// zoreva-check end to end: the program is run as a script would run it.

#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "CheckerFiles.h"
#include "platform/CodePage.h"

using namespace checker_test;
using testing_support::ReadFile;
using testing_support::TempDir;

namespace {

struct CliResult {
    int status = -1;
    std::string out, err;
};

CliResult RunCli(const std::string& arguments) {
    TempDir scratch;
    const std::string command = std::string(ZOREVA_CHECK) + " " + arguments + " >'" +
                                (scratch / "out").string() + "' 2>'" + (scratch / "err").string() +
                                "' </dev/null";
    const int raw = std::system(command.c_str());
    CliResult result;
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = ReadFile(scratch / "out");
    result.err = ReadFile(scratch / "err");
    return result;
}

std::string Quoted(const std::filesystem::path& path) {
    return "'" + path.string() + "'";
}

bool IsOneLine(const std::string& text) {
    return !text.empty() && text.back() == '\n' && text.find('\n') == text.size() - 1;
}

}  // namespace

TEST(CheckCli, CleanFolderPrintsTheReportInUtf8AndExitsWith0) {
    TempDir dir;
    WriteConsistentFolder(dir);
    const CliResult r = RunCli("--today 2023-06-15 " + Quoted(dir.path()));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, Check(dir).report);  // the dialog's report, decoded, CR LF kept
    EXPECT_TRUE(r.out.starts_with("СПРАВКА-ПРОТОКОЛ\r\nТекуща дата:15/06/2023\r\n"));
}

TEST(CheckCli, FatalErrorInTheReportExitsWith1) {
    TempDir empty;
    CliResult r = RunCli(Quoted(empty.path()));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("Файла DEKLAR.TXT не може да се отвори"), std::string::npos);
    EXPECT_EQ(r.err, "");

    // A file that is not Windows-1251 cannot be checked at all.
    TempDir dir;
    WriteConsistentFolder(dir);
    dir.write("POKUPKI.TXT", std::string("\xFF\xFE"
                                         "A\0B\0C\0",
                                         8));
    r = RunCli("--today 2023-06-15 " + Quoted(dir.path()));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "Файла pokupki.txt не е в енкодинг Cp1251!\r\n");
}

TEST(CheckCli, TodayDecidesWhetherThePeriodLiesInTheFuture) {
    TempDir dir;
    WriteConsistentFolder(dir);
    CliResult r = RunCli("--today 2023-04-30 " + Quoted(dir.path()));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("Текуща дата:30/04/2023\r\n"), std::string::npos);
    EXPECT_NE(r.out.find("Отчетният период е по-късен от текущия\r\n"), std::string::npos);
    r = RunCli("--today 2023-05-01 " + Quoted(dir.path()));
    EXPECT_EQ(r.status, 0);
}

// The date windows end with the year of --today: a folder of November 2026
// is clean on 8 December 2026, and in June 2023 its period lies in the future
// and every document date after the last year.
TEST(CheckCli, TodayMovesTheDateWindows) {
    TempDir dir;
    WriteConsistentFolder(dir, "202611");
    CliResult r = RunCli("--today 2026-12-08 " + Quoted(dir.path()));
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out, Check(dir, {2026, 12, 8, 10, 0, 0}).report);
    r = RunCli("--today 2023-06-15 " + Quoted(dir.path()));
    EXPECT_EQ(r.status, 1);
    const Checked before = Check(dir);
    EXPECT_EQ(r.out, before.report);
    EXPECT_TRUE(before.state.returnErrors.has(5));
    for (const auto& line : before.state.purchases) EXPECT_TRUE(line.errors.has(12));
    for (const auto& line : before.state.sales) EXPECT_TRUE(line.errors.has(13));
}

TEST(CheckCli, OemRunConvertsTheFilesFromCp866) {
    TempDir dir;
    WriteConsistentFolder(dir);
    // The name of the person in CP866: "Зорева ООД".
    Deklar d;
    std::string line = d.file();
    const std::string oemName = "\x87\xAE\xE0\xA5\xA2\xA0 \x8E\x8E\x84";
    line.replace(15, oemName.size(), oemName);
    dir.write("DEKLAR.TXT", line);
    const CliResult r = RunCli("--oem --today 2023-06-15 " + Quoted(dir.path()));
    EXPECT_NE(r.out.find("Наименование:Зорева ООД\r\nОтчетен период:202305\r\n"),
              std::string::npos);
}

TEST(CheckCli, CannotRunExitsWith2AndOneLineOnStandardError) {
    TempDir dir;
    const std::string cases[] = {
        "",
        Quoted(dir / "missing"),
        Quoted(dir.write("file.txt", "x")),
        "--today 2023-02-29 " + Quoted(dir.path()),
        "--today 15.06.2023 " + Quoted(dir.path()),
        "--today",
        "--verbose " + Quoted(dir.path()),
        "--oem=yes " + Quoted(dir.path()),
        "--today= " + Quoted(dir.path()),
        Quoted(dir.path()) + " " + Quoted(dir.path()),
    };
    for (const auto& arguments : cases) {
        const CliResult r = RunCli(arguments);
        EXPECT_EQ(r.status, 2) << arguments;
        EXPECT_EQ(r.out, "") << arguments;
        EXPECT_TRUE(IsOneLine(r.err)) << arguments << ": " << r.err;
        EXPECT_TRUE(r.err.starts_with("zoreva-check: ")) << r.err;
    }
    EXPECT_EQ(RunCli("--today 2024-02-29 " + Quoted(dir.path())).status, 1);
}

TEST(CheckCli, TheDateMayFollowTheOptionOrItsEqualsSign) {
    TempDir dir;
    WriteConsistentFolder(dir);
    const CliResult apart = RunCli("--today 2023-06-15 " + Quoted(dir.path()));
    const CliResult joined = RunCli("--today=2023-06-15 " + Quoted(dir.path()));
    const CliResult after = RunCli(Quoted(dir.path()) + " --today=2023-06-15");
    EXPECT_EQ(apart.status, 0);
    EXPECT_EQ(joined.status, 0);
    EXPECT_EQ(joined.out, apart.out);
    EXPECT_EQ(after.out, apart.out);
}

TEST(CheckCli, HelpAndVersionPrintOnStandardOutputAndExitWith0) {
    for (const char* help : {"--help", "-h", "--oem --help"}) {
        const CliResult r = RunCli(help);
        EXPECT_EQ(r.status, 0) << help;
        EXPECT_TRUE(r.out.starts_with("usage: zoreva-check [--oem] [--today YYYY-MM-DD] DIR\n"))
            << r.out;
        EXPECT_EQ(r.err, "");
    }
    const CliResult r = RunCli("--version");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "zoreva-check " ZOREVA_VERSION "\n");
}
