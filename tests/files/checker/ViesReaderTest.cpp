// The rules of the VIES file against the return and the sales.

#include <gtest/gtest.h>

#include "CheckerFiles.h"
#include "files/checker/Readers.h"
#include "support/CaseTable.h"

using namespace files;
using namespace files::checker;
using namespace checker_test;
using testing_support::CaseTable;
using Codes = std::vector<int>;

namespace {

// A state that has read the consistent return and sales, then the VIES text.
struct ViesRun {
    explicit ViesRun(const std::string& viesText, std::vector<Sale> sales = DefaultSales(),
                     const std::string& lastYear = "2023") {
        s.today.yearMonth = "209912";
        s.today.lastYear = lastYear;
        CheckDeklarFile(s, FileText::fromBytes(Deklar().file()), false);
        CheckPokupkiFile(s, FileText::fromBytes(FileOf(DefaultPurchases())), false);
        CheckProdagbiFile(s, FileText::fromBytes(FileOf(sales)), false);
        result = CheckViesTxtFile(s, FileText::fromBytes(viesText), false);
    }
    Codes header() const { return s.vies.header.codes(); }
    Codes row(std::size_t i) const { return s.vies.section1.at(i).errors.codes(); }
    Codes storageRow(std::size_t i) const { return s.vies.section2.at(i).errors.codes(); }
    // "VAT number sales/rows" (stotinki; "-" when the counterpart has no row).
    std::vector<std::string> mismatches() const {
        std::vector<std::string> texts;
        for (const auto& m : s.vies.mismatches)
            texts.push_back(std::string(m.vin) + " " + std::to_string(m.sales) + "/" +
                            (m.vies ? std::to_string(*m.vies) : "-"));
        return texts;
    }

    CheckState s;
    int result = -1;
};

Vies WithRows(std::vector<Vies::Row> rows) {
    Vies v;
    v.rows = std::move(rows);
    v.vhrCount = std::to_string(v.rows.size());
    return v;
}

}  // namespace

TEST(ViesReader, ConsistentFileHasNoCode) {
    const ViesRun r(Vies().file());
    EXPECT_EQ(r.result, kFileRead);
    EXPECT_EQ(r.header(), Codes{});
    EXPECT_EQ(r.row(0), Codes{});
    EXPECT_FALSE(r.s.returnErrors.any());
}

TEST(ViesReader, HeaderPeriodIsMonthSlashYear) {
    const CaseTable<Codes(std::string period)> cases = {
        {"05/2023", {}}, {"5/2023", {2}}, {"06/2023", {3}}, {"05-2023", {2}}};
    cases.expectEachCall([](const std::string& period) {
        Vies v;
        v.vhrPeriod = period;
        return ViesRun(v.file()).header();
    });
}

// The filer's fields, the count of rows and the totals.
TEST(ViesReader, FilerFields) {
    const CaseTable<Codes(void (*)(Vies&))> cases = {
        {[](Vies& v) { v.postcode = "0999"; }, {}},
        {[](Vies& v) { v.postcode = "0998"; }, {9}},
        {[](Vies& v) { v.postcode = ""; }, {9}},
        {[](Vies& v) { v.personal = "750101000"; }, {6}},
        {[](Vies& v) { v.personal = "750101000X"; }, {6}},
        {[](Vies& v) { v.filerName = ""; }, {7}},
        {[](Vies& v) { v.town = ""; }, {8}},
        {[](Vies& v) { v.kind = "R"; }, {}},
        {[](Vies& v) { v.kind = "B"; }, {10}},
        {[](Vies& v) { v.vtrVin = ""; }, {12, 14}},
        {[](Vies& v) { v.vtrVin = "BG175074753"; }, {13, 14}},
        {[](Vies& v) { v.name = ""; }, {15}},
        {[](Vies& v) { v.vtrAddress = ""; }, {16}},
        {[](Vies& v) { v.vhrCount = "2"; }, {18}},
        {[](Vies& v) { v.vhrCount = "-1"; }, {4}},
        {[](Vies& v) { v.total = "999.99"; }, {19}},
        {[](Vies& v) { v.goodsTotal = "999.99"; }, {20}},
        {[](Vies& v) { v.total = "9x"; }, {31}},
    };
    cases.expectEachCall([](void (*change)(Vies&)) {
        Vies v;
        change(v);
        return ViesRun(v.file()).header();
    });
}

TEST(ViesReader, Section1RowRules) {
    const CaseTable<Codes(Vies::Row)> cases = {
        {{"1", "DE123456789", "1000.00", "0.00", "0.00", ""}, {}},
        {{"1", "DE123456789", "1000.00", "0.00", "0.00", "04/2023"}, {}},
        {{"1", "DE123456789", "1000.00", "0.00", "0.00", "05/2023"}, {7}},  // the return's own
        {{"1", "DE123456789", "1000.00", "0.00", "0.00", "01/2024"}, {7}},
        {{"1", "DE123456789", "1000.00", "0.00", "0.00", "4/2023"}, {5}},
        {{"1", "BG123456786", "1000.00", "0.00", "0.00", ""}, {2}},
        // Found only in the purchases: no sales line has it.
        {{"1", "FR123456789", "1000.00", "0.00", "0.00", ""}, {3}},
        // GB is accepted up to 2020 in the VIES return.
        {{"1", "GB123456789", "1000.00", "0.00", "0.00", "12/2020"}, {3}},
        {{"1", "GB123456789", "1000.00", "0.00", "0.00", ""}, {2}},
    };
    cases.expectEachCall(
        [](const Vies::Row& row) { return ViesRun(WithRows({row}).file()).row(0); });
}

TEST(ViesReader, NorthernIrelandRowMayNotHoldServices) {
    auto sales = DefaultSales();
    sales[1].counterpart = "XI123456789";
    Vies v = WithRows({{"1", "XI123456789", "1000.00", "0.00", "0.00", ""}});
    EXPECT_EQ(ViesRun(v.file(), sales).row(0), Codes{});
    v = WithRows({{"1", "XI123456789", "990.00", "0.00", "10.00", ""}});
    EXPECT_EQ(ViesRun(v.file(), sales).row(0), Codes{8});
}

TEST(ViesReader, SameNumberAndPeriodTwice) {
    const Vies v = WithRows({{"1", "DE123456789", "500.00", "0.00", "0.00", ""},
                             {"2", "DE123456789", "500.00", "0.00", "0.00", "04/2023"},
                             {"3", "DE123456789", "0.00", "0.00", "0.00", ""}});
    const ViesRun r(v.file());
    EXPECT_EQ(r.row(0), Codes{});
    EXPECT_EQ(r.row(1), Codes{});
    EXPECT_EQ(r.row(2), Codes{4});
    EXPECT_EQ(r.header(), Codes{});
}

TEST(ViesReader, Section2RowRules) {
    struct Case {
        Vies::StorageRow row;
        Codes codes;
        const char* lastYear = "2023";  // a row period of a later year is malformed
    };
    const Case cases[] = {
        {{"1", "DE123456789", "1", "", ""}, {}},
        {{"1", "DE123456789", "3", "DE987654321", "04/2023"}, {}},
        {{"1", "DE123456789", "3", "FR987654321", ""}, {13}},
        {{"1", "DE123456789", "3", "", ""}, {10, 15}},
        {{"1", "DE123456789", "3", "BG123456786", ""}, {10}},
        {{"1", "DE123456789", "2", "DE987654321", ""}, {16}},
        {{"1", "DE123456789", "4", "", ""}, {9}},
        {{"1", "BG123456786", "1", "", ""}, {18}},
        {{"1", "DE123456789", "1", "", "13/2023"}, {11}},
        {{"1", "DE123456789", "1", "", "01/2024"}, {11}},
        {{"1", "DE123456789", "1", "", "12/2019"}, {17}},
        {{"1", "DE123456789", "1", "", "06/2023"}, {12}},
        {{"1", "DE123456789", "1", "", "01/2024"}, {12}, "2026"},
        {{"1", "DE123456789", "1", "", "12/2026"}, {12}, "2026"},
        {{"1", "DE123456789", "1", "", "01/2027"}, {11}, "2026"},
    };
    for (const auto& c : cases) {
        Vies v;
        v.storage = {c.row};
        const ViesRun r(v.file(), DefaultSales(), c.lastYear);
        EXPECT_EQ(r.storageRow(0), c.codes)
            << c.row.operation << c.row.replacing << c.row.period << " up to " << c.lastYear;
        EXPECT_EQ(r.header(), Codes{});
    }
}

TEST(ViesReader, LineLengthsOfTheHeaderAndTheRest) {
    const Vies v;
    const std::string head = v.vhr() + "\r\n" + v.vdr() + "\r\n" + v.vtr() + "\r\n";
    const CaseTable<Codes(std::string)> cases = {
        {v.vhr() + " \r\n", {26}},
        {v.vhr() + "\r\n" + v.vdr() + "X\r\n", {27}},
        {v.vhr() + "\r\n" + v.vdr() + "\r\n" + v.vtr().substr(1) + "\r\n", {28}},
        {v.vhr() + "\n" + v.vdr() + "\n" + v.vtr() + "\n", {27}},  // CR LF is required
        {head, {29}},
        {head + "CHR\r\n", {29}},
        {head + "CHR    0\r\n", {18}},  // section 1 is declared with one row
        {head + v.ttr() + "\r\n" + v.vir(v.rows[0]) + "\r\nrest\r\n", {30}},
        {head + v.ttr() + "\r\n" + v.vir(v.rows[0]) + "\r\n\x1A", {30}},
    };
    cases.expectEachCall([](const std::string& text) { return ViesRun(text).header(); });
}

TEST(ViesReader, MissingSectionsAgainstTheSales) {
    Vies onlySection2;
    onlySection2.withTotals = false;
    onlySection2.vhrCount = "0";
    onlySection2.storage = {{"1", "DE123456789", "1", "", ""}};
    // The sales hold an intra-Community supply, so section 1 is wanted.
    const ViesRun r(onlySection2.file());
    EXPECT_TRUE(r.s.returnErrors.has(77));
    EXPECT_EQ(r.header(), Codes{});

    // Sales under the call-off stock regime want section 2.
    auto sales = DefaultSales();
    Sale stock = sales[1];
    stock.number = "3";
    stock.type = "04";
    stock.field8a = "41";
    stock.amount("SS10") = "0.00";
    stock.amount("SS15") = "0.00";
    sales.push_back(stock);
    EXPECT_TRUE(ViesRun(Vies().file(), sales).s.returnErrors.has(78));
}

TEST(ViesReader, ForbiddenCharacterStopsTheTest) {
    std::string text = Vies().file();
    text[20] = '\x01';
    const ViesRun r(text);
    EXPECT_EQ(r.result, kFileRead);
    EXPECT_EQ(r.s.returnErrors.codes(), Codes{72});
    EXPECT_EQ(r.header(), Codes{});
    EXPECT_TRUE(r.s.vies.section1.empty());
}

TEST(ViesReader, MissingFileWarnsOnlyWhenTheSalesNeedAViesReturn) {
    CheckState s;
    EXPECT_EQ(CheckViesTxtFile(s, std::nullopt, false), kFileNotOpened);
    EXPECT_FALSE(s.returnErrors.any());
    ViesRun withSales(Vies().file());
    EXPECT_EQ(CheckViesTxtFile(withSales.s, std::nullopt, false), kFileNotOpened);
    EXPECT_TRUE(withSales.s.returnErrors.has(76));
}

TEST(ViesCsv, ReadsTheSameRecordsBetweenSemicolons) {
    const std::string csv = "VHR;05/2023;1\r\nVDR;7501010004;" + Cp1251("Иван Петров;София") +
                            ";1000;" + Cp1251("ул. Витоша 1") + ";A\nVTR;BG175074752;" +
                            Cp1251("Зорева ООД;София") +
                            "\rTTR;1000.00;1000.00\r\nVIR;1;DE123456789;1000.00;0.00;0.00;\r\n"
                            "CHR;1\r\nCOS;1;DE123456789;3;FR987654321;\r\n";
    ViesRun run(Vies().file());
    CheckState& s = run.s;
    ASSERT_EQ(CheckViesCsvFile(s, FileText::fromBytes(csv), false), kFileRead);
    EXPECT_EQ(s.vies.header.codes(), Codes{});
    ASSERT_EQ(s.vies.section1.size(), 1u);
    EXPECT_EQ(s.vies.section1[0].fields[kVirVin], "DE123456789");
    EXPECT_EQ(s.vies.section1[0].errors.codes(), Codes{});
    ASSERT_EQ(s.vies.section2.size(), 1u);
    EXPECT_EQ(s.vies.section2[0].errors.codes(), Codes{13});
}

TEST(ViesCsv, FieldTooLongOrMissingStopsTheReading) {
    for (const std::string csv :
         {"VHR;05/2023;123456\r\n", "VHR;05/2023\r\n", "VHR;05/2023;1\r\nVDR;1;2\r\n"}) {
        CheckState s;
        ASSERT_EQ(CheckViesCsvFile(s, FileText::fromBytes(csv), false), kFileRead);
        EXPECT_EQ(s.vies.header.codes(), Codes{25}) << csv;
        EXPECT_EQ(s.vies.vdr[0], "") << csv;  // nothing of a line not read whole
    }
    // A row that cannot be read is not kept.
    const std::string csv =
        "VHR;05/2023;1\r\nVDR;7501010004;a;b;1000;c;A\r\nVTR;BG175074752;d;e\r\n"
        "TTR;1.00;1.00\r\nVIR;1;DE123456789;1.00;0.00;0.00;0123456789\r\n";
    CheckState s;
    ASSERT_EQ(CheckViesCsvFile(s, FileText::fromBytes(csv), false), kFileRead);
    EXPECT_EQ(s.vies.header.codes(), Codes{25});
    EXPECT_EQ(s.vies.ttr[0], "TTR");
    EXPECT_TRUE(s.vies.section1.empty());
    EXPECT_EQ(s.vies.fileName, "VIES.CSV");
}

TEST(ViesReader, CounterpartRowsAgainstTheirSales) {
    using Texts = std::vector<std::string>;
    struct Case {
        const char* what;
        void (*changeSale)(Sale&);  // the intra-Community supply to DE123456789
        std::vector<Vies::Row> rows;
        Texts mismatches;
    };
    const auto keep = [](Sale&) {};
    const Vies::Row de1000 = {"1", "DE123456789", "1000.00", "0.00", "0.00", ""};
    const Case cases[] = {
        {"the same sum", keep, {de1000}, {}},
        {"another sum",
         keep,
         {{"1", "DE123456789", "900.00", "0.00", "0.00", ""}},
         {"DE123456789 100000/90000"}},
        {"no row", keep, {}, {"DE123456789 100000/-"}},
        {"rows of two months together",
         keep,
         {{"1", "DE123456789", "400.00", "0.00", "0.00", "04/2023"},
          {"2", "DE123456789", "500.00", "0.00", "100.00", ""}},
         {}},
        {"exempt supply left out", [](Sale& s) { s.amount("SS19") = "50.00"; }, {de1000}, {}},
        {"exempt supply counted",
         [](Sale& s) { s.amount("SS19") = "50.00"; },
         {{"1", "DE123456789", "1000.00", "0.00", "50.00", ""}},
         {}},
        {"more than the sales allow",
         [](Sale& s) { s.amount("SS19") = "50.00"; },
         {{"1", "DE123456789", "1100.00", "0.00", "0.00", ""}},
         {"DE123456789 105000/110000"}},
        {"triangular advance left out", [](Sale& s) { s.amount("SS25") = "200.00"; }, {de1000}, {}},
        {"credit note left out of what the rows must hold",
         [](Sale& s) { s.amount("SS19") = "-30.00"; },
         {{"1", "DE123456789", "970.00", "0.00", "0.00", ""}},
         {}},
        {"services to Northern Ireland are never declared",
         [](Sale& s) {
             s.counterpart = "XI123456789";
             s.amount("SS17") = "300.00";
         },
         {{"1", "XI123456789", "1000.00", "0.00", "0.00", ""}},
         {}},
        {"a number of no member state in the document's month",
         [](Sale& s) { s.counterpart = "GB123456789"; },
         {},
         {}},
        {"a type the VIES return does not take", [](Sale& s) { s.type = "11"; }, {}, {}},
    };
    for (const auto& c : cases) {
        auto sales = DefaultSales();
        c.changeSale(sales[1]);
        EXPECT_EQ(ViesRun(WithRows(c.rows).file(), sales).mismatches(), c.mismatches) << c.what;
    }
}

TEST(ViesReader, CounterpartMismatchesAreOrderedByVatNumber) {
    auto sales = DefaultSales();
    Sale france = sales[1];
    france.number = "3";
    france.counterpart = "FR12345678901";
    sales.push_back(france);
    Sale austria = sales[1];
    austria.number = "4";
    austria.counterpart = "ATU12345678";
    sales.push_back(austria);
    const ViesRun r(WithRows({}).file(), sales);
    EXPECT_EQ(r.mismatches(),
              (std::vector<std::string>{"ATU12345678 100000/-", "DE123456789 100000/-",
                                        "FR12345678901 100000/-"}));
}
