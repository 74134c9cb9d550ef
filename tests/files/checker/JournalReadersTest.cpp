// The line rules of POKUPKI.TXT and PRODAGBI.TXT, their sums and the
// cross-checks with the return.

#include <gtest/gtest.h>

#include "CheckerFiles.h"
#include "files/checker/JournalReader.h"
#include "files/checker/Readers.h"

using namespace files;
using namespace files::checker;
using namespace checker_test;
using Codes = std::vector<int>;

namespace {

bool Has(const Codes& codes, int code) {
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

// A state that has read a return of the period, ready for journal files; the
// last year accepted is that of a clock in 2023 unless said otherwise.
class Journals {
  public:
    explicit Journals(const std::string& period = kOwnPeriod, const std::string& lastYear = "2023") {
        Deklar d;
        d.period = period;
        s.today.yearMonth = "209912";
        s.today.lastYear = lastYear;
        CheckDeklarFile(s, FileText::fromBytes(d.file()), false);
    }

    void readPurchases(const std::string& text) {
        ASSERT_EQ(CheckPokupkiFile(s, FileText::fromBytes(text), false), kFileRead);
    }
    void readSales(const std::string& text) {
        ASSERT_EQ(CheckProdagbiFile(s, FileText::fromBytes(text), false), kFileRead);
    }
    // The codes of a single line.
    Codes purchase(const Purchase& p) {
        readPurchases(p.line() + "\r\n");
        return s.purchases.at(0).errors.codes();
    }
    Codes sale(const Sale& sale) {
        readSales(sale.line() + "\r\n");
        return s.sales.at(0).errors.codes();
    }

    CheckState s;
};

Purchase PurchaseIn(const std::string& period, const std::string& date) {
    Purchase p;
    p.period = period;
    p.date = date;
    return p;
}

Sale SaleIn(const std::string& period, const std::string& date) {
    Sale sale = DefaultSales()[0];
    sale.period = period;
    sale.date = date;
    return sale;
}

}  // namespace

TEST(JournalReaders, ConsistentLinesHaveNoCodeAndMatchTheReturn) {
    Journals j;
    j.readPurchases(FileOf(DefaultPurchases()));
    j.readSales(FileOf(DefaultSales()));
    for (const auto& r : j.s.purchases) EXPECT_EQ(r.errors.codes(), Codes{});
    for (const auto& r : j.s.sales) EXPECT_EQ(r.errors.codes(), Codes{});
    EXPECT_EQ(j.s.returnErrors.codes(), Codes{});
    EXPECT_EQ(j.s.purchaseSums, (std::array<std::int64_t, 7>{0, 15000, 3000, 20000, 4000, 0, 0}));
    EXPECT_EQ(j.s.totalCredit, 7000);
}

TEST(JournalReaders, NumberOutOfSequenceSetsCode7OnEveryLineAfter) {
    auto lines = DefaultPurchases();
    lines.push_back(lines[1]);
    lines[1].number = "3";
    lines[2].number = "4";
    Journals j;
    j.readPurchases(FileOf(lines));
    EXPECT_EQ(j.s.purchases[0].errors.codes(), Codes{});
    EXPECT_EQ(j.s.purchases[1].errors.codes(), Codes{7});
    EXPECT_EQ(j.s.purchases[2].errors.codes(), Codes{7});
}

TEST(JournalReaders, PurchaseTypeOfferedByPeriod) {
    Journals before("201312");
    Purchase p = PurchaseIn("201312", "10/12/2013");
    p.type = "92";
    EXPECT_TRUE(Has(before.purchase(p), 8));
    Journals from("201401");
    p = PurchaseIn("201401", "10/01/2014");
    p.type = "92";
    EXPECT_FALSE(Has(from.purchase(p), 8));
}

// Purchases from 2007, sales from 2010, both up to the year of the clock.
TEST(JournalReaders, DateYearsLieWithinTheirWindows) {
    struct Case {
        const char* lastYear;
        const char* date;
        bool purchaseCode12, salesCode13;
    };
    const Case cases[] = {
        {"2023", "31/12/2006", true, true},   {"2023", "01/01/2007", false, true},
        {"2023", "31/12/2009", false, true},  {"2023", "01/01/2010", false, false},
        {"2023", "31/12/2023", false, false}, {"2023", "15/03/2024", true, true},
        {"2023", "1/05/2023", true, true},    {"2023", "01/13/2023", true, true},
        {"2023", "32/05/2023", true, true},   {"2023", "00/05/2023", true, true},
        {"2023", "01.05.2023", false, false}, {"2026", "15/03/2024", false, false},
        {"2026", "30/11/2026", false, false}, {"2026", "01/01/2027", true, true},
        {"2026", "31/12/2006", true, true},   {"2026", "31/12/2009", false, true},
    };
    for (const auto& c : cases) {
        Journals j("202412", c.lastYear);
        EXPECT_EQ(Has(j.purchase(PurchaseIn("202412", c.date)), 12), c.purchaseCode12)
            << c.date << " up to " << c.lastYear;
        EXPECT_EQ(Has(j.sale(SaleIn("202412", c.date)), 13), c.salesCode13)
            << c.date << " up to " << c.lastYear;
    }
}

TEST(JournalReaders, DatesAgainstThePeriod) {
    Journals j;
    EXPECT_TRUE(Has(j.purchase(PurchaseIn(kOwnPeriod, "01/06/2023")), 13));
    EXPECT_TRUE(Has(j.sale(SaleIn(kOwnPeriod, "01/06/2023")), 14));
    // More than twelve months before the period: a purchase warning only.
    EXPECT_FALSE(Has(j.purchase(PurchaseIn(kOwnPeriod, "15/05/2022")), 35));
    EXPECT_TRUE(Has(j.purchase(PurchaseIn(kOwnPeriod, "30/04/2022")), 35));
    EXPECT_FALSE(Has(j.sale(SaleIn(kOwnPeriod, "30/04/2022")), 35));
}

TEST(JournalReaders, BreadAndFlourCodesFromJuly2022) {
    Purchase p = PurchaseIn("202206", "10/06/2022");
    p.field8a = "07";
    EXPECT_TRUE(Has(Journals("202206").purchase(p), 32));
    p.period = "202207";
    p.date = "10/07/2022";
    EXPECT_EQ(Journals("202207").purchase(p), Codes{});
    p.date = "10/06/2022";
    EXPECT_EQ(Journals("202207").purchase(p), Codes{52});
}

TEST(JournalReaders, CustomsPlaceholderCounterpart) {
    Journals j;
    Purchase p;
    p.counterpart = "999999999999999";
    EXPECT_EQ(j.purchase(p), Codes{});  // a known form for type 01 too
    p.type = "07";
    EXPECT_EQ(j.purchase(p), Codes{});
    p.counterpart = "BG123456786";
    EXPECT_EQ(j.purchase(p), Codes{40});
}

TEST(JournalReaders, PurchaseCountIsComparedByItsIntegerValue) {
    auto lines = DefaultPurchases();
    lines.push_back(lines[1]);
    lines[2].number = "3";
    lines[2].amounts = {"0.00", "0.00", "0.00", "0.00", "0.00", "0.00", "0.00"};
    for (const char* count : {"3", "03"}) {
        Journals j;
        Deklar d;
        d.purchaseCount = count;
        CheckDeklarFile(j.s, FileText::fromBytes(d.file()), false);
        j.readPurchases(FileOf(lines));
        EXPECT_FALSE(j.s.returnErrors.has(44)) << count;
    }
    Journals j;
    j.readPurchases(FileOf(lines));
    EXPECT_TRUE(j.s.returnErrors.has(44));
}

TEST(JournalReaders, LineOfTheWrongLengthGetsOnlyItsLengthCodeAndIsNotSummed) {
    const auto lines = DefaultPurchases();
    Journals j;
    j.readPurchases(lines[0].line() + "\r\n" + lines[1].line() + "X\r\n");
    ASSERT_EQ(j.s.purchases.size(), 2u);
    EXPECT_EQ(j.s.purchases[1].errors.codes(), Codes{30});
    EXPECT_EQ(j.s.purchaseSums[1], 10000);  // line 1 only
    EXPECT_TRUE(j.s.returnErrors.has(46));
}

TEST(JournalReaders, ForbiddenCharacterMarksItsLineAndTheFile) {
    auto lines = DefaultPurchases();
    lines[1].goods = "Стоки\x7";
    Journals j;
    j.readPurchases(FileOf(lines));
    EXPECT_TRUE(j.s.returnErrors.has(69));
    EXPECT_EQ(j.s.purchases[0].errors.codes(), Codes{});
    EXPECT_EQ(j.s.purchases[1].errors.codes(), Codes{29});

    // A short line is tested for as many characters as a full line has, so
    // the forbidden byte of the next line counts for it too.
    std::string sales = FileOf(DefaultSales());
    sales[137] = '\x98';  // the unassigned byte, in the goods of the first sale
    Journals k;
    k.readSales("short\r\n" + sales);
    EXPECT_TRUE(k.s.returnErrors.has(70));
    EXPECT_EQ(k.s.sales[0].errors.codes(), (Codes{35, 36}));
    EXPECT_EQ(k.s.sales[1].errors.codes(), (Codes{8, 35}));
    EXPECT_EQ(k.s.sales[2].errors.codes(), Codes{8});
}

TEST(JournalReaders, FirstLineSuppliesTheIdentityWithoutAReturn) {
    CheckState s;
    Purchase p;
    p.vin = "BG831205064";
    p.counterpart = "BG175074752";
    ASSERT_EQ(CheckPokupkiFile(s, FileText::fromBytes(p.line() + "\r\n"), false), kFileRead);
    EXPECT_EQ(s.returnData[kVin], "BG831205064");
    EXPECT_EQ(s.returnData[kPeriod], kOwnPeriod);
    EXPECT_FALSE(s.purchases[0].errors.has(4));
}

TEST(JournalReaders, SalesOfTypes11To13AreTestedButNotSummed) {
    Sale sale = DefaultSales()[0];
    sale.type = "11";
    Journals j;
    j.readSales(sale.line() + "\r\n");
    EXPECT_EQ(j.s.sales[0].errors.codes(), Codes{});
    EXPECT_EQ(j.s.salesSums, (std::array<std::int64_t, 17>{}));
    EXPECT_TRUE(j.s.returnErrors.has(53));
}

TEST(JournalReaders, SalesAmountRulesByType) {
    Journals j;
    Sale bread = DefaultSales()[0];
    bread.type = "84";
    bread.field8a = "07";
    bread.amount("SS13") = "10.00";
    bread.amount("SS10") = "510.00";
    bread.amount("SS24") = "0.90";
    bread.amount("SS20") = "100.90";
    EXPECT_EQ(j.sale(bread), (Codes{67, 69}));
    bread.field8a = "08";
    EXPECT_EQ(j.sale(bread), (Codes{67, 69, 74}));

    Sale stock = DefaultSales()[1];
    stock.number = "1";
    stock.type = "04";
    stock.field8a = "41";
    stock.amount("SS15") = "0.00";
    EXPECT_EQ(j.sale(stock), Codes{});
    stock.amount("SS20") = "1.00";
    EXPECT_EQ(j.sale(stock), Codes{65});
}

TEST(JournalReaders, SalesCollectWhatNeedsAViesReturn) {
    Journals j;
    Sale services = DefaultSales()[1];
    services.counterpart = "XI123456789";
    services.amount("SS15") = "0.00";
    services.amount("SS17") = "1000.00";
    j.readSales(services.line() + "\r\n");
    EXPECT_FALSE(j.s.viesSales.needViesReturn());

    j.readSales(FileOf(DefaultSales()));
    ASSERT_EQ(j.s.viesSales.counterparts.size(), 1u);
    EXPECT_EQ(j.s.viesSales.counterparts.begin()->second.goodsAndExempt, 100000);
    EXPECT_TRUE(j.s.viesSales.needViesReturn());

    Sale stock = DefaultSales()[1];
    stock.type = "04";
    stock.field8a = "41";
    stock.amount("SS15") = "0.00";
    stock.date = "10/04/2023";
    Sale again = stock;
    stock.number = "1";
    j.readSales(stock.line() + "\r\n" + again.line() + "\r\n");
    ASSERT_EQ(j.s.viesSales.storageRegime.size(), 1u);  // the same entry once
    EXPECT_EQ(std::get<2>(*j.s.viesSales.storageRegime.begin()), "202304");
}

TEST(JournalReaders, BlankAndZeroAmountFieldsAreToldApartWithoutReading) {
    struct Case {
        std::string field;
        bool zeroAtOnce;
    };
    const Case cases[] = {
        {std::string(15, ' '), true}, {"           0.00", true},
        {"           0.01", false},   {"          10.00", false},
        {"          -0.00", false},  // zero too, read the long way
        {"           0,00", false},   {"0.00           ", false},
        {"          0.00", false},  // one short: a line of another length
        {"x          0.00", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsZeroAmountField(c.field), c.zeroAtOnce) << c.field;
        // Whatever the way, the field reads as the money parser reads it.
        if (c.zeroAtOnce) {
            const auto read = platform::money::FromFileField(RightTrim(c.field),
                                                             platform::money::Rounding::HalfUp);
            EXPECT_EQ(read.value, 0) << c.field;
            EXPECT_TRUE(read.numeric) << c.field;
        }
    }
}
