// The merge import: a branch's merge files (written by hand, and written by
// the program's own merge-file writer) loaded and added to the journals of
// the head office in one unit of work.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <optional>
#include <thread>

#include "files/CPeriodKlonDlg.h"
#include "files/checker/BranchFiles.h"
#include "files/checker/CheckerFiles.h"
#include "files/merge/MergeImport.h"
#include "platform/CodePage.h"
#include "support/DialogDriver.h"
#include "support/ScriptedHost.h"
#include "support/TempDir.h"
#include "support/TestDatabase.h"

using namespace checker_test;
using namespace testing_support;
using files::checker::CheckState;
using files::checker::LoadBranchFiles;
using files::merge::AddedDocuments;
using files::merge::AddLoadedDocuments;
using files::merge::SalesSource;

namespace {

const platform::LocalDateTime kNow{2023, 6, 20, 14, 5, 0};

// A journal row of the database by its order of entry.
struct Stored {
    db::JournalRow row;
    double error1 = 0;  // the stored word as the engine holds it
};

class MergeImport : public ::testing::Test {
  protected:
    // Writes the branch's two files into `in`.
    void WriteBranchFiles(const std::vector<Purchase>& purchases,
                          const std::vector<std::string>& saleLines) {
        in.write("pokupkix.txt", FileOf(purchases));
        std::string sales;
        for (const auto& line : saleLines) sales += line + "\r\n";
        in.write("prodagbix.txt", sales);
    }

    std::string Load() { return platform::DecodeCp1251(LoadBranchFiles(state, in.path(), kNow)); }

    AddedDocuments Add(SalesSource source = SalesSource::MergeFile) {
        return AddLoadedDocuments(t.db(), state, source, kNow);
    }

    std::vector<Stored> Rows(db::Journal journal) {
        std::vector<Stored> rows;
        auto s =
            t.db().query(std::string("SELECT * FROM ") + db::TableName(journal) + " ORDER BY ID");
        const db::JournalRowReader reader(journal, s);
        while (s.step()) rows.push_back({reader.read(), s.real("ERROR1")});
        return rows;
    }

    TestDatabase t;
    TempDir in;
    CheckState state;
};

}  // namespace

TEST_F(MergeImport, TheBranchReportHasNoReturnSectionAndNoViesPart) {
    Sale supply = BranchSale(2);
    supply.counterpart = "DE123456789", supply.amount("SS15") = "50.00";
    // Field 24 filled, no VIES column chosen (column 425 is 0): code 37, which
    // the check of submission files cannot know of.
    supply.amount("SS19") = "5.00";
    Sale chosen = supply;
    chosen.number = "3";
    Purchase late = BranchPurchase(1);
    late.number = "7";  // out of sequence: listed, though not stored
    WriteBranchFiles({late},
                     {MergeSale(BranchSale(1)), MergeSale(supply, "0"), MergeSale(chosen, "2")});
    const std::string report = Load();

    EXPECT_TRUE(
        report.starts_with("СПРАВКА-ПРОТОКОЛ\r\nТекуща дата:20/06/2023\r\n\r\n"
                           "Идентификационен номер:BG175074752\r\nНаименование:\r\n"
                           "Данъчен период:202305\r\nЛице, подаващо данните:\r\n\r\n"))
        << report;
    EXPECT_NE(report.find("Брой записи:               3\r\n/в deklar/:  \r\n\r\n"),
              std::string::npos);
    EXPECT_NE(report.find("\r\nКоефициент по чл.73, ал.5 ЗДДС    \t\t\t:                | "
                          "              \r\n"),
              std::string::npos);
    EXPECT_EQ(report.find("Проверка на файл DEKLAR"), std::string::npos);
    EXPECT_EQ(report.find("VIES - ДЕКЛАРАЦИЯ"), std::string::npos);
    EXPECT_NE(
        report.find("\r\nПроверка на файл ПОКУПКИ\r\n\r\nПокупки - Ред 1: Нарушена поредност\r\n"),
        std::string::npos);
    EXPECT_NE(
        report.find("Продажби - Ред 2: При попълнена кл.24 трябва да се избере 'Колона за VIES'"),
        std::string::npos);
    // Codes of the return (the missing DEKLAR.TXT) are no fatal errors of the branch.
    EXPECT_TRUE(report.ends_with(
        "\r\nФАТАЛНИ ГРЕШКИ\r\n\r\nПокупки - Ред 1: Нарушена поредност\r\n"
        "Продажби - Ред 2: При попълнена кл.24 трябва да се избере 'Колона за VIES'\r\n"))
        << report;
}

TEST_F(MergeImport, AMissingOrForeignFileIsTheWholeReport) {
    struct Case {
        std::optional<std::string> purchases, sales;  // nullopt: no such file
        const char* report;
    };
    const std::string utf8 = "\xEF\xBB\xBF" + BranchPurchase(1).line() + "\r\n";
    const std::string purchases = FileOf(std::vector{BranchPurchase(1)});
    const std::string sales = MergeSale(BranchSale(1)) + "\r\n";
    const Case cases[] = {
        {std::nullopt, sales, "Файла pokupkix.txt не е намерен!\r\n"},
        {purchases, std::nullopt, "Файла prodagbix.txt не е намерен!\r\n"},
        // Every file that cannot be read has its line.
        {std::nullopt, std::nullopt,
         "Файла pokupkix.txt не е намерен!\r\nФайла prodagbix.txt не е намерен!\r\n"},
        {utf8, std::nullopt,
         "Файла prodagbix.txt не е намерен!\r\nФайла pokupkix.txt не е в енкодинг Cp1251!\r\n"},
        {utf8, "\xEF\xBB\xBF" + sales,
         "Файла pokupkix.txt не е в енкодинг Cp1251!\r\nФайла prodagbix.txt не е в енкодинг "
         "Cp1251!\r\n"},
    };
    for (const auto& c : cases) {
        TempDir folder;
        if (c.purchases) folder.write("POKUPKIX.TXT", *c.purchases);  // any case of the name
        if (c.sales) folder.write("Prodagbix.txt", *c.sales);
        CheckState s;
        EXPECT_EQ(platform::DecodeCp1251(LoadBranchFiles(s, folder.path(), kNow)), c.report);
    }
}

TEST_F(MergeImport, StoresTheColumnsOfEveryLoadedDocument) {
    Purchase purchase = BranchPurchase(1);
    purchase.counterpart = "";  // code 26, fatal: added all the same
    purchase.field8a = "";
    purchase.amounts[1] = "1 250.00";  // spaces within an amount are part of it
    purchase.amounts[2] = "250.00";
    Purchase second = BranchPurchase(2);
    second.amounts[6] = "12a.00";  // no amount: stored as 0, with its code 20
    Sale sale = BranchSale(1);
    sale.counterpartName = "Купувач O'Brien";
    sale.amount("SS19") = "3.45";
    WriteBranchFiles({purchase, second}, {MergeSale(sale, "2")});
    Load();
    const AddedDocuments added = Add();
    EXPECT_EQ(added.purchases, 2);
    EXPECT_EQ(added.sales, 1);

    const auto purchases = Rows(db::Journal::Purchases);
    ASSERT_EQ(purchases.size(), 2u);
    const db::JournalRow& p = purchases[0].row;
    EXPECT_EQ(p.vin, kOwnVin);
    EXPECT_EQ(p.period, kOwnPeriod);
    EXPECT_EQ(p.klon, "1");  // without the padding of its right-aligned column
    EXPECT_EQ(p.number, 1);
    EXPECT_EQ(p.type, "01");
    EXPECT_EQ(p.docNo, "P1");
    EXPECT_EQ(p.date, "10/05/2023");
    EXPECT_EQ(p.knum, "");
    EXPECT_EQ(p.kname, "Контрагент ООД");
    EXPECT_EQ(p.sdelka, "Стоки");
    EXPECT_EQ(p.code8a, "  ");
    EXPECT_EQ(p.amounts, (std::vector<double>{0, 1250, 250, 0, 0, 0, 0}));
    EXPECT_EQ(p.dateCreate, "2023/06/20 14:05");
    EXPECT_TRUE(p.errors.has(26));
    EXPECT_DOUBLE_EQ(purchases[1].row.amount(db::BS44), 0.0);
    EXPECT_TRUE(purchases[1].row.errors.has(20));

    const auto sales = Rows(db::Journal::Sales);
    ASSERT_EQ(sales.size(), 1u);
    const db::JournalRow& s = sales[0].row;
    EXPECT_EQ(s.kname, "Купувач O'Brien");
    EXPECT_EQ(s.viesType, "2");
    EXPECT_DOUBLE_EQ(s.amount(db::SS19), 3.45);
    EXPECT_DOUBLE_EQ(s.amount(db::SS10), 100.0);
    EXPECT_FALSE(s.errors.has(37)) << "the VIES column is chosen";
}

TEST_F(MergeImport, TheSequenceCodeIsLeftOutAndTheOthersStoredUnsigned) {
    Purchase outOfSequence = BranchPurchase(5);  // code 7 only
    Purchase emptyVin = BranchPurchase(2);
    emptyVin.vin = "";          // code 1, and so a VAT number other than the return's (code 4)
    Sale sale = BranchSale(9);  // code 8 only
    WriteBranchFiles({outOfSequence, emptyVin}, {MergeSale(sale)});
    Load();
    ASSERT_TRUE(state.purchases[0].errors.has(7));
    ASSERT_TRUE(state.sales[0].errors.has(8));
    Add();
    const auto purchases = Rows(db::Journal::Purchases);
    EXPECT_FALSE(purchases[0].row.errors.any());
    EXPECT_EQ(purchases[1].row.errors.codes(), (std::vector<int>{1, 4}));
    EXPECT_FALSE(Rows(db::Journal::Sales)[0].row.errors.any());

    // Code 32 is the top bit of ERROR1: stored as the unsigned word.
    const std::string line = BranchPurchase(1).line();
    CheckState top;
    top.purchases.push_back({line, {}});
    top.purchases[0].errors.set(32);
    AddLoadedDocuments(t.db(), top, SalesSource::MergeFile, kNow);
    EXPECT_DOUBLE_EQ(Rows(db::Journal::Purchases).back().error1, 2147483648.0);
    EXPECT_TRUE(Rows(db::Journal::Purchases).back().row.errors.has(32));
}

TEST_F(MergeImport, AViesColumnDigitFromTheMergeFileAndZeroFromASubmissionFile) {
    struct Case {
        std::string digit;
        SalesSource source;
        const char* stored;
    };
    const Case cases[] = {{"2", SalesSource::MergeFile, "2"},
                          {" ", SalesSource::MergeFile, "0"},
                          {"", SalesSource::MergeFile, "0"},
                          {"2", SalesSource::SubmissionFile, "0"}};
    for (const auto& c : cases) {
        TestDatabase target;
        CheckState s;
        s.sales.push_back({"", {}});
        const std::string line = MergeSale(BranchSale(1), c.digit);
        s.sales[0].line = line;
        AddLoadedDocuments(target.db(), s, c.source, kNow);
        auto row = target.db().query("SELECT VIES_TYPE FROM PRODAGBI");
        ASSERT_TRUE(row.step());
        EXPECT_EQ(row.text(0), c.stored) << "'" << c.digit << "'";
    }
}

TEST_F(MergeImport, EveryBranchOfThePeriodIsNumberedTogetherByEntry) {
    // The head office's own documents, one of them numbered out of place.
    t.person("175074752", "", kOwnVin, true);
    t.document(db::Journal::Purchases, kOwnVin, "", kOwnPeriod, 1);
    t.document(db::Journal::Purchases, kOwnVin, "", kOwnPeriod, 5);
    t.document(db::Journal::Sales, kOwnVin, "", kOwnPeriod, 1);
    t.document(db::Journal::Sales, kOwnVin, "", "202304", 1);
    WriteBranchFiles({BranchPurchase(1), BranchPurchase(2)},
                     {MergeSale(BranchSale(1)), MergeSale(BranchSale(2))});
    Load();
    const AddedDocuments added = Add();
    EXPECT_EQ(added.periods, (std::vector<files::merge::VinPeriod>{{kOwnVin, kOwnPeriod}}));

    const auto numbers = [&](db::Journal journal) {
        std::vector<std::pair<std::string, int>> seen;
        for (const auto& r : Rows(journal))
            if (r.row.period == kOwnPeriod) seen.emplace_back(r.row.klon, r.row.number);
        return seen;
    };
    using Numbers = std::vector<std::pair<std::string, int>>;
    EXPECT_EQ(numbers(db::Journal::Purchases), (Numbers{{"", 1}, {"", 2}, {"1", 3}, {"1", 4}}));
    EXPECT_EQ(numbers(db::Journal::Sales), (Numbers{{"", 1}, {"1", 2}, {"1", 3}}));

    // Added a second time, the same documents follow the first ones.
    Add();
    EXPECT_EQ(numbers(db::Journal::Sales),
              (Numbers{{"", 1}, {"1", 2}, {"1", 3}, {"1", 4}, {"1", 5}}));
}

TEST_F(MergeImport, EmptyLinesAreNoDocuments) {
    in.write("pokupkix.txt", FileOf(std::vector{BranchPurchase(1)}) + "\r\n");
    in.write("prodagbix.txt", "\r\n" + MergeSale(BranchSale(1)) + "\r\n");
    Load();
    const AddedDocuments added = Add();
    EXPECT_EQ(added.purchases, 1);
    EXPECT_EQ(added.sales, 1);
}

TEST_F(MergeImport, AnAddThatFailsOnItsLastRowLeavesNothing) {
    t.document(db::Journal::Sales, kOwnVin, "", kOwnPeriod, 3);  // renumbered by a success only
    Sale last = BranchSale(3);
    last.docNo = "REFUSED";
    WriteBranchFiles({BranchPurchase(1)},
                     {MergeSale(BranchSale(1)), MergeSale(BranchSale(2)), MergeSale(last)});
    Load();
    t.db().executeScript(
        "CREATE TEMP TRIGGER refuse BEFORE INSERT ON PRODAGBI WHEN NEW.DOCNO = 'REFUSED' "
        "BEGIN SELECT RAISE(ABORT, 'the disk is full'); END;");
    try {
        Add();
        FAIL() << "the add went through";
    } catch (const db::Error& e) {
        EXPECT_STREQ(e.what(), "the disk is full");
    }
    EXPECT_EQ(Rows(db::Journal::Purchases).size(), 0u);
    const auto sales = Rows(db::Journal::Sales);
    ASSERT_EQ(sales.size(), 1u);
    EXPECT_EQ(sales[0].row.number, 3);

    t.db().executeScript("DROP TRIGGER refuse");
    EXPECT_EQ(Add().sales, 3);
    EXPECT_EQ(Rows(db::Journal::Sales).size(), 4u);
}

// A child process adds a large branch and is killed at some moment of it;
// the database it leaves holds the journals as before or everything added.
TEST(MergeImportKilled, AKillAtAnyMomentLeavesTheJournalsAsBeforeOrFullyAdded) {
    constexpr int kLines = 4000;
    TempDir dir;
    std::vector<Purchase> purchases;
    std::string sales;
    for (int n = 1; n <= kLines; ++n) {
        purchases.push_back(BranchPurchase(n));
        sales += MergeSale(BranchSale(n)) + "\r\n";
    }
    dir.write("in/pokupkix.txt", FileOf(purchases));
    dir.write("in/prodagbix.txt", sales);
    const auto file = dir / "ZORV.MDB";
    const auto count = [&] {
        db::Database db = db::Database::open(file);
        auto s =
            db.query("SELECT (SELECT count(*) FROM POKUPKI) + (SELECT count(*) FROM PRODAGBI)");
        s.step();
        return s.integer(0);
    };
    {
        db::Database db = db::Database::create(file);
        db.execute("INSERT INTO PRODAGBI (ID, VIN, PERIOD, NUMBER) VALUES (1, ?, ?, 1)", kOwnVin,
                   kOwnPeriod);
    }
    long long before = 1, outcomesAfter = 0;
    // From killed at once to never killed; the moments in between fall
    // anywhere in the reading, the inserts, the renumbering and the commit.
    for (int delayMs : {0, 2, 5, 10, 20, 40, 80, 160, 320, -1}) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            try {
                db::Database db = db::Database::open(file);
                CheckState s;
                LoadBranchFiles(s, dir / "in", kNow);
                AddLoadedDocuments(db, s, SalesSource::MergeFile, kNow);
                _exit(0);
            } catch (...) {
                _exit(1);
            }
        }
        if (delayMs >= 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
            kill(child, SIGKILL);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        if (delayMs < 0) {
            ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        }
        const long long now = count();
        EXPECT_TRUE(now == before || now == before + 2 * kLines)
            << "killed after " << delayMs << " ms: " << now << " rows, " << before << " before";
        if (now != before) ++outcomesAfter;
        before = now;
    }
    EXPECT_GE(outcomesAfter, 1);  // at least the run not killed added its documents
}
