// The report of a check run, byte for byte.

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "CheckerFiles.h"
#include "files/checker/CheckRun.h"
#include "platform/CodePage.h"
#include "ui/TabColumns.h"

using namespace files;
using namespace files::checker;
using namespace checker_test;
using testing_support::TempDir;

namespace {

const platform::LocalDateTime kToday{2023, 6, 15, 10, 0, 0};

// An amount or a cell as the report shows it: right-aligned in 15.
std::string A15(std::string_view text) {
    return std::string(15 - text.size(), ' ') + std::string(text);
}

// A line of sums: the label, the sum of the journal's column and, after the
// bar, the cell of the return when there is one to compare.
struct SumLine {
    std::string_view label, sum;
    std::optional<std::string_view> cell = std::nullopt;
};

std::string SumLines(std::initializer_list<SumLine> lines) {
    std::string text;
    for (const auto& l : lines)
        text += std::string(l.label) + A15(l.sum) + " |" + (l.cell ? A15(*l.cell) : "") + "\r\n";
    return text;
}

// A line of the return's results: the label, up to the bar, and the cell.
std::string CellAlone(std::string_view label, std::string_view cell) {
    return std::string(label) + "|" + A15(cell) + "\r\n";
}

std::string RunOn(const TempDir& dir, RunKind kind = RunKind::Folder) {
    CheckState state;
    return platform::DecodeCp1251(RunCheck(state, dir.path(), kind, kToday));
}

// The sums, results and error sections of the consistent folder.
std::string ConsistentReportUpToVies(std::string_view periodLine) {
    std::string r;
    r += "СПРАВКА-ПРОТОКОЛ\r\n";
    r += "Текуща дата:15/06/2023\r\n\r\n";
    r += "Идентификационен номер:BG175074752\r\n";
    r += "Наименование:Зорева ООД\r\n";
    r += std::string(periodLine) + "202305\r\n";
    r += "Лице, подаващо данните:7501010004/Иван Петров 0888123456\r\n\r\n";
    r += "Дневник за продажбите\t\t\t Суми по колони  | Сума от СД за ДДС\r\n";
    r += "Брой записи:               2\r\n";
    r += "/в deklar/:                2\r\n\r\n";
    r += SumLines({
        {" 9. Общ размер на ДО за облагане с ДДС\t:", "1500.00", "1500.00"},
        {"10. Всичко начислен ДДС\t\t\t:", "100.00", "100.00"},
        {"11. ДО на обл.дост.20%\t\t\t:", "500.00", "500.00"},
        {"12. Начислен ДДС за доставки по к.11 и нач.\r\nданък 20%, предвиден в закона в "
         "др.случаи:",
         "100.00"},
        {"13. ДО на ВОП\t\t\t\t\t:", "0.00"},
        {"14. ДО на пол.доставки по чл.82,ал2-6 ЗДДС:", "0.00"},
        {"                        Общо к.13+к.14\t:", "0.00", "0.00"},
        {"15. Начислен ДДС за ВОП и доставки по к.14\t:", "0.00", "0.00"},
        {"16. Начислен данък за доставки на стоки\r\nи услуги за лични нужди\t\t\t:", "0.00",
         "0.00"},
        {"17. ДО на обл.доставки 9%\t\t\t:", "0.00", "0.00"},
        {"18. Начислен ДДС по к.17\t\t\t:", "0.00", "0.00"},
        {"19. ДО на доставки с 0%\t\t\t:", "0.00", "0.00"},
        {"20. ДО на ВОД\t\t\t\t\t:", "1000.00", "1000.00"},
        {"21. ДО по чл.140, 146, 173 от ЗДДС\t\t:", "0.00", "0.00"},
        {"22. ДО по чл.21, ал.2, място-др.държава\t:", "0.00", "0.00"},
        {"24. ДО на осв.доставки и осв.ВОП\t\t:", "0.00", "0.00"},
        {"23. ДО чл.69 (2)\t\t\t\t:", "0.00"},
        {"25. ДО посредник тристранни операции\t:", "0.00"},
        {"                        Общо к.23+к.25\t:", "0.00", "0.00"},
    });

    r += "\r\n\r\nДневник за покупките\t\t\t\t Суми по колони  | Сума от СД за ДДС\r\n";
    r += "Брой записи:               2\r\n";
    r += "/в deklar/:                2\r\n\r\n";
    r += SumLines({
        {" 9. ДО и данък на доставките без ДК\t:", "0.00"},
        {"10. ДО на доставки с пълен ДК\t\t:", "150.00", "150.00"},
        {"11. ДДС - пълен ДК\t\t\t\t:", "30.00", "30.00"},
        {"12. ДО на доставки с частичен ДК\t\t:", "200.00", "200.00"},
        {"13. ДДС - частичен ДК\t\t\t:", "40.00", "40.00"},
        {"14. Годишна корекция\t\t\t\t:", "0.00", "0.00"},
        {"15. ДО тристранна операция\t\t\t:", "0.00"},
        {"                        Общо к.9 +к.15\t:", "0.00", "0.00"},
    });

    r += "\r\n\r\nСПРАВКА ДЕКЛАРАЦИЯ ЗА ДДС (наименование на полето)\t                 | Сума "
         "в полето     \r\n";
    r += "\r\nКоефициент по чл.73, ал.5 ЗДДС    \t\t\t:                |           1.00\r\n";
    r += SumLines({
        {"Общо ДК (кл.41+кл.42*кл.33+кл.43)\t\t\t:", "70.00", "70.00"},
        {"ДДС за внасяне (кл.20-кл.40>=0)\t\t\t:", "30.00", "30.00"},
    });
    r += CellAlone("ДДС за възстановяване (кл.20-кл.40<0)\t\t:                ", "0.00");
    r += CellAlone("Данък за внасяне от кл.50, припаднат по реда на чл.92(1)ЗДДС\t:  ", "0.00");
    r += CellAlone("Данък за внасяне от кл.50, внесен ефективно\t\t\t:  ", "0.00");
    r += CellAlone("ДДС,подл.на възст.чл.92(1) в 30-дневен срок от подаване на СД\t:  ", "0.00");
    r += CellAlone("ДДС,подл.на възст.чл.92(3) в 30-дневен срок от подаване на СД\t:  ", "0.00");
    r += CellAlone("ДДС,подл.на възст.чл.92(4) в 30-дневен срок от подаване на СД\t:  ", "0.00");

    r += "\r\nПроверка на файл DEKLAR\r\n\r\nНяма открити грешки в DEKLAR\r\n";
    r += "\r\nПроверка на файл ПОКУПКИ\r\n\r\nНяма открити грешки в ПОКУПКИ\r\n";
    r += "\r\nПроверка на файл ПРОДАЖБИ\r\n\r\nНяма открити грешки в ПРОДАЖБИ\r\n";
    r += "\r\nФАТАЛНИ ГРЕШКИ\r\n\r\nНяма открити фатални грешки\r\n";
    return r;
}

std::string Utf8(const std::string& cp1251) {
    return platform::DecodeCp1251(cp1251);
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    for (std::size_t end; (end = text.find('\n')) != std::string_view::npos;) {
        lines.push_back(text.substr(0, end));
        text.remove_prefix(end + 1);
    }
    return lines;
}

// The column of the first `mark` in the line, counted in characters; npos
// when there is none.
std::size_t ColumnOf(std::string_view line, char mark) {
    const auto at = line.find(mark);
    if (at == std::string_view::npos) return at;
    return static_cast<std::size_t>(std::count_if(line.begin(), line.begin() + at, [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

}  // namespace

TEST(CheckReport, ConsistentFolderGivesTheFullReportByteForByte) {
    TempDir dir;
    WriteConsistentFolder(dir);
    const Vies vies;
    // The VIES part echoes the lines; the VTR VAT number is shown trimmed and
    // the section 1 VAT number padded to 15. No CHR line was read: an empty
    // line stands for it.
    std::string expected = ConsistentReportUpToVies("Данъчен период:");
    expected += "\r\nVIES - ДЕКЛАРАЦИЯ\r\n\r\nПрочетен файл: VIES.TXT\r\n";
    expected += Utf8(vies.vhr()) + "\r\n" + Utf8(vies.vdr()) + "\r\n";
    expected += "VTRBG175074752" + Utf8(Left(vies.name, 150) + Left(vies.vtrAddress, 200)) + "\r\n";
    expected += Utf8(vies.ttr()) + "\r\n" + Utf8(vies.vir(vies.rows[0])) + "\r\n";
    expected += "\r\n";
    expected += "\r\nПроверка на файл VIES\r\n\r\nНяма открити грешки\r\n";
    expected += "\r\nПроверка на VIES файла ще се осъществи при приемане на данните\r\n\r\n";
    EXPECT_EQ(RunOn(dir), expected);
}

// Windows-1251 bytes as the OEM code page writes them.
std::string ToCp866(const std::string& cp1251) {
    std::string all(256, '\0');
    for (int b = 0; b < 256; ++b) all[b] = static_cast<char>(b);
    const std::string converted = platform::Cp866ToCp1251(all);
    std::string oem;
    for (char c : cp1251) oem += static_cast<char>(converted.find(c));
    return oem;
}

TEST(CheckReport, OemRunReadsCp866AndEchoesOnlySection1) {
    TempDir dir;
    Vies vies;
    vies.storage = {{"1", "DE123456789", "1", "", ""}};
    dir.write("DEKLAR.TXT", ToCp866(Deklar().file()));
    dir.write("POKUPKI.TXT", ToCp866(FileOf(DefaultPurchases())));
    dir.write("PRODAGBI.TXT", ToCp866(FileOf(DefaultSales())));
    dir.write("VIES.TXT", ToCp866(vies.file()));

    std::string expected = ConsistentReportUpToVies("Отчетен период:");
    expected += "\r\nVIES - ДЕКЛАРАЦИЯ\r\n\r\nПрочетен файл: VIES.TXT\r\n";
    expected += Utf8(vies.vhr()) + "\r\n" + Utf8(vies.vdr()) + "\r\n";
    expected += "VTRBG175074752" + Utf8(Left(vies.name, 150) + Left(vies.vtrAddress, 200)) + "\r\n";
    expected += Utf8(vies.ttr()) + "\r\n";
    // The VAT number of a row is not widened to 15, and there is no CHR or
    // COS line.
    expected += "VIR    1DE123456789" + Utf8(vies.vir(vies.rows[0]).substr(23)) + "\r\n";
    expected += "\r\nПроверка на файл VIES\r\n\r\nНяма открити грешки\r\n";
    expected += "\r\nПроверка на VIES файла ще се осъществи при приемане на данните\r\n\r\n";
    EXPECT_EQ(RunOn(dir, RunKind::OemToAnsi), expected);
}

// As the report pane and the viewer show the report: in each journal part
// the bar of the heading and the bar of every sum line that has a tab stand
// in one column, as do the colons of the return's lines.
TEST(CheckReport, ShownWithItsTabColumnsTheBarsOfEachJournalLineUp) {
    TempDir dir;
    WriteConsistentFolder(dir);
    const std::string report = RunOn(dir);
    const std::string shown = ui::AlignTabColumns(report);
    EXPECT_EQ(shown.find('\t'), std::string::npos);

    struct Part {
        const char* heading;
        const char* end;
        char mark;
    } parts[] = {{"Дневник за продажбите", "Дневник за покупките", '|'},
                 {"Дневник за покупките", "СПРАВКА ДЕКЛАРАЦИЯ", '|'},
                 {"Коефициент", "Данък за внасяне", ':'}};
    for (const auto& part : parts) {
        const auto from = report.find(part.heading), to = report.find(part.end, from);
        const auto shownFrom = shown.find(part.heading), shownTo = shown.find(part.end, shownFrom);
        ASSERT_NE(to, std::string::npos) << part.heading;
        const auto tabbed = SplitLines(std::string_view(report).substr(from, to - from));
        const auto shownLines =
            SplitLines(std::string_view(shown).substr(shownFrom, shownTo - shownFrom));
        ASSERT_EQ(tabbed.size(), shownLines.size()) << part.heading;
        const auto column = ColumnOf(shownLines.front(), part.mark);
        int lined = 0;
        for (std::size_t i = 0; i < tabbed.size(); ++i) {
            if (tabbed[i].find('\t') == std::string_view::npos) continue;
            EXPECT_EQ(ColumnOf(shownLines[i], part.mark), column) << shownLines[i];
            ++lined;
        }
        EXPECT_GE(lined, 4) << part.heading;
    }
}
