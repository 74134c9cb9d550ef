// The check run on whole folders: which files are read, what the report
// holds when files are missing or not in Windows-1251.

#include "files/checker/CheckRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "CheckerFiles.h"
#include "files/checker/Readers.h"
#include "platform/CodePage.h"
#include "platform/Files.h"

using namespace files;
using namespace files::checker;
using namespace checker_test;
using testing_support::TempDir;
using Codes = std::vector<int>;

namespace {

// The part of the report from the given heading on.
std::string From(const std::string& report, std::string_view heading) {
    const auto at = report.find(heading);
    return at == std::string::npos ? std::string() : report.substr(at);
}

}  // namespace

TEST(CheckRun, EmptyFolderReportsTheThreeMissingFilesAndHasNoViesPart) {
    TempDir dir;
    const Checked r = Check(dir);
    EXPECT_EQ(r.state.returnErrors.codes(), (Codes{41, 43, 51}));
    EXPECT_NE(r.report.find("Идентификационен номер:\r\nНаименование:\r\nДанъчен период:\r\n"),
              std::string::npos);
    EXPECT_NE(r.report.find("Дневник за продажбите\t\t\t Суми по колони  | Сума от СД за ДДС\r\n"
                            "Брой записи:               0\r\n/в deklar/:  \r\n"),
              std::string::npos);
    EXPECT_NE(r.report.find("Дневник за покупките\t\t\t\t Суми по колони  | Сума от СД за ДДС\r\n"
                            "Брой записи:               0\r\n"),
              std::string::npos);
    const std::string missing =
        "Файла DEKLAR.TXT не може да се отвори\r\n"
        "Файла pokupki.txt не може да се отвори\r\n"
        "Файла prodagbi.txt не може да се отвори\r\n";
    // The report ends with the fatal section: no VIES part.
    EXPECT_EQ(From(r.report, "\r\nПроверка на файл DEKLAR"),
              "\r\nПроверка на файл DEKLAR\r\n\r\n" + missing +
                  "\r\nПроверка на файл ПОКУПКИ\r\n\r\nНяма открити грешки в ПОКУПКИ\r\n"
                  "\r\nПроверка на файл ПРОДАЖБИ\r\n\r\nНяма открити грешки в ПРОДАЖБИ\r\n"
                  "\r\nФАТАЛНИ ГРЕШКИ\r\n\r\n" +
                  missing);
    EXPECT_TRUE(HasFatalErrorsListed(r.state));
}

TEST(CheckRun, FileWithAnEncodingSignatureMakesTheWholeReport) {
    TempDir dir;
    WriteConsistentFolder(dir);
    dir.write("PRODAGBI.TXT", "\xEF\xBB\xBF" + FileOf(DefaultSales()));
    EXPECT_EQ(Check(dir).report, "Файла prodagbi.txt не е в енкодинг Cp1251!\r\n");

    // One line for each such file, in the order DEKLAR, purchases, sales, VIES.
    dir.write("DEKLAR.TXT", "\xFF\xFE" + Deklar().file());
    dir.write("VIES.TXT", "\xFE\xFF" + Vies().file());
    EXPECT_EQ(Check(dir).report,
              "Файла deklar.txt не е в енкодинг Cp1251!\r\n"
              "Файла prodagbi.txt не е в енкодинг Cp1251!\r\n"
              "Файла vies.txt(vies.csv) не е в енкодинг Cp1251!\r\n");
    EXPECT_TRUE(HasEncodingSignature(Check(dir).state.results));
}

TEST(CheckRun, FindsTheFilesWhateverTheCaseOfTheirNames) {
    TempDir upper, mixed;
    WriteConsistentFolder(upper);
    mixed.write("Deklar.txt", Deklar().file());
    mixed.write("pokupki.TXT", FileOf(DefaultPurchases()));
    mixed.write("Prodagbi.Txt", FileOf(DefaultSales()));
    mixed.write("vies.txt", Vies().file());
    const Checked r = Check(mixed);
    EXPECT_EQ(r.report, Check(upper).report);
    EXPECT_FALSE(r.state.returnErrors.any());
    EXPECT_EQ(r.state.vies.section1.size(), 1u);
}

TEST(CheckRun, JournalEndingWithCrLfAndCtrlZHasNoExtraRecord) {
    TempDir dir;
    WriteConsistentFolder(dir);
    dir.write("POKUPKI.TXT", FileOf(DefaultPurchases()) + "\x1A");
    const Checked r = Check(dir);
    EXPECT_EQ(r.state.purchases.size(), 2u);
    EXPECT_FALSE(r.state.returnErrors.any());
}

TEST(CheckRun, ViesCsvIsReadOnlyWhenViesTxtIsAbsent) {
    TempDir dir;
    WriteConsistentFolder(dir);
    // A CSV whose period differs from the return's: code 3 when it is read.
    dir.write("VIES.CSV",
              "VHR;06/2023;1\r\nVDR;7501010004;" + Cp1251("Иван Петров") + ";" + Cp1251("София") +
                  ";1000;" + Cp1251("ул. Витоша 1") + ";A\r\nVTR;BG175074752;" +
                  Cp1251("Зорева ООД") + ";" + Cp1251("София") +
                  "\r\nTTR;1000.00;1000.00\r\nVIR;1;DE123456789;1000.00;0.00;0.00;\r\n");
    Checked r = Check(dir);
    EXPECT_FALSE(r.state.vies.header.has(3));
    EXPECT_EQ(r.state.vies.vhr[1], "05/2023");

    std::filesystem::remove(dir / "VIES.TXT");
    r = Check(dir);
    EXPECT_EQ(r.state.results.vies, kFileRead);
    EXPECT_EQ(r.state.vies.header.codes(), Codes{3});
    EXPECT_NE(
        r.report.find("\r\nVIES - ДЕКЛАРАЦИЯ\r\n\r\nПрочетен файл: VIES.CSV\r\nVHR06/20231\r\n"),
        std::string::npos);
}

TEST(CheckRun, MissingViesWarningIsWithdrawnForTheCsvAndSetAgainWhenThatIsMissingToo) {
    TempDir dir;
    WriteConsistentFolder(dir);
    std::filesystem::remove(dir / "VIES.TXT");
    // The sales hold an intra-Community supply, so they need a VIES return.
    Checked r = Check(dir);
    EXPECT_TRUE(r.state.returnErrors.has(76));
    EXPECT_EQ(From(r.report, "\r\nVIES - ДЕКЛАРАЦИЯ"),
              "\r\nVIES - ДЕКЛАРАЦИЯ\r\n\r\nВНИМАНИЕ! В дневник Продажби има условие за подаване "
              "на VIES декларация, но не е намерена такава.\r\n");
    // A warning: listed in the DEKLAR section, not among the fatal errors.
    EXPECT_FALSE(HasFatalErrorsListed(r.state));

    dir.write("vies.csv", "VHR;05/2023;1\r\n");
    r = Check(dir);
    EXPECT_FALSE(r.state.returnErrors.has(76));
    EXPECT_EQ(r.state.results.vies, kFileRead);
}

TEST(CheckRun, SalesCode37IsFoundButNeverListed) {
    TempDir dir;
    WriteConsistentFolder(dir);
    auto sales = DefaultSales();
    sales[0].amount("SS19") = "10.00";
    sales[0].amount("SS10") = "510.00";
    dir.write("PRODAGBI.TXT", FileOf(sales));
    const Checked r = Check(dir);
    EXPECT_TRUE(r.state.sales[0].errors.has(37));
    EXPECT_EQ(r.report.find("При попълнена кл.24"), std::string::npos);
}

TEST(CheckRun, FatalErrorsAreListedTwice) {
    TempDir dir;
    WriteConsistentFolder(dir);
    auto purchases = DefaultPurchases();
    purchases[1].number = "3";  // code 7, fatal
    dir.write("POKUPKI.TXT", FileOf(purchases));
    const Checked r = Check(dir);
    const std::string line = "Покупки - Ред 2: Нарушена поредност\r\n";
    const auto first = r.report.find(line);
    ASSERT_NE(first, std::string::npos);
    EXPECT_NE(r.report.find(line, first + 1), std::string::npos);
    EXPECT_LT(r.report.find("ФАТАЛНИ ГРЕШКИ"), r.report.rfind(line));
    EXPECT_TRUE(HasFatalErrorsListed(r.state));
}

namespace {

// The report of the readers one after the other, on copies of the files.
std::string SequentialReport(const std::filesystem::path& folder) {
    CheckState s;
    s.today = TodayOf(kToday);
    const auto read = [&](std::string_view name) -> std::optional<FileText> {
        const auto file = platform::FindIgnoringCase(folder, name);
        return file ? FileText::read(*file) : std::nullopt;
    };
    s.results.deklar = CheckDeklarFile(s, read("deklar.txt"), false);
    s.results.purchases = CheckPokupkiFile(s, read("pokupki.txt"), false);
    s.results.sales = CheckProdagbiFile(s, read("prodagbi.txt"), false);
    s.results.vies = CheckViesTxtFile(s, read("vies.txt"), false);
    if (s.results.vies == kFileNotOpened) {
        s.returnErrors.clear(76);
        s.results.vies = CheckViesCsvFile(s, read("vies.csv"), false);
    }
    return BuildCheckReport(s, RunKind::Folder);
}

}  // namespace

TEST(CheckRun, JournalsOnTwoThreadsGiveTheReportOfOneAfterTheOther) {
    std::vector<std::filesystem::path> folders;
    const auto handMade = std::filesystem::path(ZOREVA_SOURCE_DIR) / "tests/files/checker/folders";
    for (const auto& entry : std::filesystem::directory_iterator(handMade))
        folders.push_back(entry.path() / "in");

    // Without a return, the purchases name the person and the sales differ;
    // then the sales alone; then journals with errors of every kind.
    TempDir otherPerson, salesOnly, faulty, empty;
    auto purchases = DefaultPurchases();
    for (auto& p : purchases) p.vin = "BG831205064";
    otherPerson.write("POKUPKI.TXT", FileOf(purchases));
    otherPerson.write("PRODAGBI.TXT", FileOf(DefaultSales()));
    salesOnly.write("PRODAGBI.TXT", FileOf(DefaultSales()));
    WriteConsistentFolder(faulty);
    purchases = DefaultPurchases();
    purchases[1].number = "5";
    faulty.write("POKUPKI.TXT", FileOf(purchases) + "short\r\n\x01\r\n");
    auto sales = DefaultSales();
    sales[0].amount("SS21") = "99.00";
    faulty.write("PRODAGBI.TXT", FileOf(sales) + sales[1].line() + "\n");
    for (const TempDir* dir : {&otherPerson, &salesOnly, &faulty, &empty})
        folders.push_back(dir->path());

    for (const auto& folder : folders) {
        CheckState state;
        EXPECT_EQ(RunCheck(state, folder, RunKind::Folder, kToday), SequentialReport(folder))
            << folder;
    }
}
