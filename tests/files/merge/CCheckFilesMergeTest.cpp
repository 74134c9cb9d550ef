// "Файлове от клон" and "Прибави" in the dialog "Проверка на файлове".
#include <gtest/gtest.h>

#include "files/CPeriodKlonDlg.h"
#include "files/checker/CCheckFiles.h"
#include "files/checker/CheckerFiles.h"
#include "files/merge/MergeImport.h"
#include "platform/CodePage.h"
#include "support/DialogDriver.h"
#include "support/ScriptedHost.h"
#include "support/TempDir.h"
#include "support/TestDatabase.h"

using namespace checker_test;
using namespace testing_support;
using files::checker::CCheckFiles;
using files::checker::MergeTarget;

namespace {

// The message after an add of documents of period 202305.
std::string Added(int purchases, int sales) {
    return "Добавени са:\r\n" + std::to_string(purchases) +
           " броя записи от Дневника за покупки и\r\n" + std::to_string(sales) +
           " броя записи от Дневника за продажби!\r\nДанъчен период: 202305";
}

// prodagbix.txt of branch 1: `count` sales of the VAT number.
std::string BranchSales(int count, std::string_view vin = kOwnVin) {
    std::string text;
    for (int n = 1; n <= count; ++n) {
        Sale s = BranchSale(n);
        s.vin = vin;
        text += MergeSale(s) + "\r\n";
    }
    return text;
}

class BranchMerge : public ::testing::Test {
  protected:
    BranchMerge() {
        t.person("175074752", "", kOwnVin, true);
        in.write("pokupkix.txt", FileOf(std::vector{BranchPurchase(1)}));
        in.write("prodagbix.txt", BranchSales(2));
    }

    std::int64_t Count(const char* table) { return RowCount(t.db(), table); }

    // "Прибави" asks the question each time: answered "No" the sales stay as
    // many as they were, answered "Yes" they are added and the count said.
    void addOnlyOnYes(const std::string& question, ui::Icon icon, std::int64_t salesBefore,
                      const std::string& added) {
        host.answer(ui::Answer::No);
        d.press("Прибави");
        host.expectQuestion(question, ui::Buttons::YesNo, icon);
        EXPECT_EQ(Count("PRODAGBI"), salesBefore);

        host.answer(ui::Answer::Yes);
        d.press("Прибави");
        host.expectQuestion(question, ui::Buttons::YesNo, icon);
        host.expectMessage(added, ui::Icon::None);
    }

    DialogDriver& LoadBranch() {
        host.chooseFolder(in.path());
        return d.press("Файлове от клон");
    }

    TestDatabase t;
    TempDir in, out;
    platform::FixedClock clock{{2023, 6, 20, 14, 5, 0}};
    ScriptedHost host;
    CCheckFiles dialog{host, out.path(), clock, false, MergeTarget{&t.db(), kOwnVin}};
    DialogDriver d{dialog};
};

}  // namespace

TEST_F(BranchMerge, AddIsOfferedOnlyOnceSomethingIsLoaded) {
    EXPECT_TRUE(d.enabled("Файлове от клон"));
    EXPECT_FALSE(d.enabled("Прибави"));
    host.chooseFolder(std::nullopt);
    d.press("Файлове от клон");
    EXPECT_FALSE(d.enabled("Прибави"));
    LoadBranch();
    EXPECT_TRUE(d.enabled("Прибави"));
    EXPECT_TRUE(d.text("report").starts_with("СПРАВКА-ПРОТОКОЛ\r\n"));
    EXPECT_EQ(host.folderRequests().back().prompt, "Избрете къде се намират файловете!");

    // Without a person to add to, nothing is offered.
    ScriptedHost other;
    CCheckFiles alone(other, out.path(), clock, false);
    DialogDriver a(alone);
    other.chooseFolder(in.path());
    a.press("Файлове от клон");
    EXPECT_FALSE(a.enabled("Прибави"));
}

TEST_F(BranchMerge, AddsOnceAndAsksBeforeAddingTheSameDocumentsAgain) {
    LoadBranch().press("Прибави");
    host.expectMessage(Added(1, 2), ui::Icon::None);
    EXPECT_EQ(Count("POKUPKI"), 1);
    EXPECT_EQ(Count("PRODAGBI"), 2);

    addOnlyOnYes("Вече сте добавили тези записи!\r\nИскате ли да ги добавите пак?", ui::Icon::Error,
                 2, Added(1, 2));
    EXPECT_EQ(Count("PRODAGBI"), 4);
    auto numbers = t.db().query("SELECT NUMBER FROM PRODAGBI ORDER BY ID");
    for (int expected = 1; numbers.step(); ++expected) EXPECT_EQ(numbers.integer(0), expected);

    // A new load is a new set: no question.
    LoadBranch().press("Прибави");
    host.expectMessage(Added(1, 2), ui::Icon::None);
    host.expectNoMoreBoxes();
}

TEST_F(BranchMerge, DocumentsOfAnotherVatNumberAreAddedOnlyWhenThePersonSaysSo) {
    in.write("pokupkix.txt", "");
    in.write("prodagbix.txt", BranchSales(2, "BG831205064"));
    const std::string question =
        "Документите във файловете са на ИН по ДДС BG831205064, а текущото лице е с ИН по ДДС "
        "BG175074752.\r\nИскате ли да ги добавите?";
    LoadBranch();
    addOnlyOnYes(question, ui::Icon::Warning, 0, Added(0, 2));
    auto vin = t.db().query("SELECT DISTINCT VIN FROM PRODAGBI");
    ASSERT_TRUE(vin.step());
    EXPECT_EQ(vin.text(0), "BG831205064");
}

TEST_F(BranchMerge, AFailedAddSaysWhyAndLeavesNothing) {
    t.db().executeScript(
        "CREATE TEMP TRIGGER refuse BEFORE INSERT ON PRODAGBI WHEN NEW.NUMBER = 2 "
        "BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END;");
    LoadBranch().press("Прибави");
    host.expectError("Документите не са добавени: database or disk is full");
    EXPECT_EQ(Count("POKUPKI"), 0);
    EXPECT_EQ(Count("PRODAGBI"), 0);
    // Nothing was added, so the next add asks nothing.
    t.db().executeScript("DROP TRIGGER refuse");
    d.press("Прибави");
    host.expectMessage(Added(1, 2), ui::Icon::None);
}

TEST_F(BranchMerge, FilesChangedSinceTheyWereLoadedAreNotAdded) {
    LoadBranch();
    in.write("prodagbix.txt", BranchSales(3));
    d.press("Прибави");
    host.expectError("Файловете са променени след зареждането им. Заредете ги отново.");
    EXPECT_EQ(Count("PRODAGBI"), 0);
}

TEST_F(BranchMerge, TheJournalsOfSubmissionFilesMayBeAddedToo) {
    WriteConsistentFolder(in);
    host.chooseFolder(in.path());
    d.press("Папка");
    EXPECT_TRUE(d.enabled("Прибави"));
    d.press("Прибави");
    host.expectMessage(Added(2, 2), ui::Icon::None);
    auto types = t.db().query("SELECT DISTINCT VIES_TYPE FROM PRODAGBI");
    ASSERT_TRUE(types.step());
    EXPECT_EQ(types.text(0), "0");
    EXPECT_FALSE(types.step());
}

// A branch writes its merge files with the program; the head office loads
// and adds them: every document arrives as the branch stored it.
TEST(BranchToHeadOffice, TheDocumentsArriveAsTheBranchStoredThem) {
    TestDatabase branch;
    branch.person("175074752", "1", kOwnVin, true);
    TempDir out;
    const auto document = [&](db::Journal journal, int number, auto fill) {
        auto row = db::EmptyJournalRow(journal);
        row.vin = kOwnVin, row.klon = "1", row.period = kOwnPeriod, row.number = number;
        row.type = "01", row.docNo = "D" + std::to_string(number), row.date = "10/05/2023";
        row.knum = "BG123456786", row.kname = "Контрагент O'Brien", row.sdelka = "Стоки";
        row.dateCreate = "2023/05/10 09:00";
        fill(row);
        db::InsertJournalRow(branch.db(), journal, row);
    };
    document(db::Journal::Purchases, 5,
             [](db::JournalRow& r) { r.amounts[db::BS31] = 1250.5, r.amounts[db::BS41] = 250.1; });
    document(db::Journal::Purchases, 9, [](db::JournalRow& r) {
        r.type = "03", r.amounts[db::BS31] = -10, r.amounts[db::BS41] = -2;
    });
    document(db::Journal::Sales, 12, [](db::JournalRow& r) {
        r.knum = "DE123456789", r.amounts[db::SS19] = 300;
        r.viesType = "3";  // the VIES column chosen for field 24
    });
    document(db::Journal::Sales, 14, [](db::JournalRow& r) {
        r.amounts[db::SS10] = 100, r.amounts[db::SS20] = 20, r.amounts[db::SS11] = 100;
        r.amounts[db::SS21] = 20, r.code8a = "";
    });
    ScriptedHost branchHost;
    files::CPeriodKlonDlg writer(branchHost, branch.db(), {kOwnVin, "175074752", "1", out.path()});
    DialogDriver w(writer);
    const auto folder = out / "175074752" / "202305";  // made by the writer
    branchHost.saveAs(folder / "Pokupkix.txt").answer(ui::Answer::No);
    w.select("periods", 0).press("Запис");
    branchHost.expectQuestion(
        "Файловете са записани в папка\r\n" + folder.string() + "\r\nДа отворя ли папката?",
        ui::Buttons::YesNo, ui::Icon::Information);
    branchHost.expectNoMoreBoxes();

    TestDatabase head;
    head.person("175074752", "", kOwnVin, true);
    head.document(db::Journal::Sales, kOwnVin, "", kOwnPeriod, 1);
    ScriptedHost host;
    const platform::FixedClock clock{{2023, 6, 20, 14, 5, 0}};
    CCheckFiles dialog(host, out.path(), clock, false, MergeTarget{&head.db(), kOwnVin});
    DialogDriver d(dialog);
    host.chooseFolder(folder);
    d.press("Файлове от клон").press("Прибави");
    host.expectMessage(Added(2, 2), ui::Icon::None);
    EXPECT_NE(d.text("report").find("Няма открити грешки в ПОКУПКИ"), std::string::npos)
        << d.text("report");

    for (auto journal : {db::Journal::Purchases, db::Journal::Sales}) {
        const std::string table = db::TableName(journal);
        auto sent = branch.db().query("SELECT * FROM " + table + " ORDER BY NUMBER");
        auto got = head.db().query("SELECT * FROM " + table + " WHERE KLON = '1' ORDER BY ID");
        const db::JournalRowReader sentRows(journal, sent), gotRows(journal, got);
        int number = journal == db::Journal::Sales ? 2 : 1;  // after the head office's sale
        while (sent.step()) {
            ASSERT_TRUE(got.step());
            db::JournalRow expected = sentRows.read(), actual = gotRows.read();
            EXPECT_EQ(actual.number, number++);
            EXPECT_EQ(actual.dateCreate, "2023/06/20 14:05");
            EXPECT_FALSE(actual.errors.any()) << actual.docNo << ": " << actual.errors.codes()[0];
            if (expected.code8a.empty()) expected.code8a = "  ";  // as the file holds it
            // A sale without a VIES column arrives with the column digit 0.
            if (journal == db::Journal::Sales && expected.viesType.empty()) expected.viesType = "0";
            expected.id = actual.id, expected.number = actual.number;
            expected.dateCreate = actual.dateCreate;
            EXPECT_EQ(actual.vin, expected.vin);
            EXPECT_EQ(actual.klon, expected.klon);
            EXPECT_EQ(actual.type, expected.type);
            EXPECT_EQ(actual.docNo, expected.docNo);
            EXPECT_EQ(actual.date, expected.date);
            EXPECT_EQ(actual.knum, expected.knum);
            EXPECT_EQ(actual.kname, expected.kname);
            EXPECT_EQ(actual.sdelka, expected.sdelka);
            EXPECT_EQ(actual.code8a, expected.code8a);
            EXPECT_EQ(actual.amounts, expected.amounts);
            EXPECT_EQ(actual.viesType, expected.viesType);
        }
        EXPECT_FALSE(got.step());
    }
}
