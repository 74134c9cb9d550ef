// The files for the tax administration and the merge files, byte for byte:
// the expected files in golden/ were assembled by hand from the layouts.

#include <gtest/gtest.h>

#include "db/Rows.h"
#include "files/CPeriodDlg.h"
#include "files/CPeriodKlonDlg.h"
#include "files/SubmissionFiles.h"
#include "files/SubmissionWriter.h"
#include "support/DialogDriver.h"
#include "support/Permissions.h"
#include "support/ScriptedHost.h"
#include "support/TempDir.h"
#include "support/TestDatabase.h"

using testing_support::DialogDriver;
using testing_support::ReadFile;
using testing_support::ScriptedHost;
using testing_support::TempDir;
using testing_support::TestDatabase;

namespace {

const std::string kVin = "BG175074752";

std::string Golden(const std::string& name) {
    return ReadFile(std::filesystem::path(ZOREVA_SOURCE_DIR) / "tests/files/golden" / name);
}

struct Doc {
    std::string period, klon;
    int number;
    std::string type, docNo, date, knum, kname, sdelka;
    std::vector<std::pair<int, double>> amounts;
    std::string code8a = "", viesType = "";
};

// A head office with two branches and documents of three periods.
class Files : public ::testing::Test {
  protected:
    Files() {
        db::PersonRow p;
        p.bulstat = "175074752", p.vin = kVin, p.name = "Алфа Трейд ООД";
        p.adress = "гр. София 1000, ул. „Шипка“ 12";
        p.faceEgn = "7501010010", p.face = "Иванка Петрова Иванова-Драгоманова, ук";
        p.phone = "0888123456", p.faceGrad = "София", p.facePk = "1000";
        p.faceAdr1 = "ул. Шипка 12", p.flPredst = "R", p.last = true;
        db::InsertPerson(t.db(), p);
        for (const char* klon : {"0001", "0002"}) {
            p.klon = klon, p.last = false, p.name = std::string("Клон ") + klon;
            db::InsertPerson(t.db(), p);
        }
        using namespace db;
        purchase({"202611",
                  "",
                  1,
                  "01",
                  "0000012345",
                  "02/11/2026",
                  "123456789",
                  "Бета ЕООД",
                  "Стоки",
                  {{BS31, 1000}, {BS41, 200}}});
        purchase({"202611",
                  "0001",
                  2,
                  "01",
                  "77",
                  "05/11/2026",
                  "BG987654321",
                  "O'Brien Ltd",
                  "Услуги",
                  {{BS31, 1234567.89}, {BS41, 246913.58}},
                  "01"});
        purchase({"202611",
                  "0002",
                  3,
                  "03",
                  "78",
                  "06/11/2026",
                  "BG987654321",
                  "O'Brien Ltd",
                  "Кредитно известие",
                  {{BS31, -0.25}, {BS41, -0.05}}});
        purchase({"202611",
                  "0001",
                  4,
                  "02",
                  "79",
                  "20/11/2026",
                  "BG987654321",
                  "O'Brien Ltd",
                  "Услуги",
                  {{BS31, 10}, {BS41, 2}}});
        sale({"202611",
              "",
              1,
              "01",
              "1000000001",
              "03/11/2026",
              "DE123456789",
              "Mueller GmbH",
              "Стоки - ВОД",
              {{SS15, 500}}});
        sale({"202611",
              "0001",
              2,
              "01",
              "0000000101",
              "04/11/2026",
              "831826092",
              "Гама АД",
              "Стоки",
              {{SS10, 100}, {SS20, 20}, {SS11, 100}, {SS21, 20}},
              "",
              "3"});
        sale({"202611",
              "",
              3,
              "04",
              "1000000002",
              "15/11/2026",
              "FR12345678901",
              "Dupont SARL",
              "",
              {},
              "41"});
        sale({"202611",
              "0001",
              4,
              "01",
              "0000000102",
              "18/11/2026",
              "ATU12345678",
              "Alpen Service GmbH",
              "Услуги",
              {{SS19, 50}},
              "",
              "3"});
        sale({"202611",
              "",
              5,
              "01",
              "1000000003",
              "30/10/2026",
              "DE123456789",
              "Mueller GmbH",
              "Стоки - ВОД",
              {{SS15, 100}}});
        sale({"202611",
              "0002",
              6,
              "04",
              "2000000001",
              "15/11/2026",
              "FR12345678901",
              "Dupont SARL",
              "FR98765432109",
              {},
              "43"});
        sale({"202610",
              "",
              1,
              "01",
              "1000000000",
              "20/10/2026",
              "NL123456789B01",
              "Van Dijk BV",
              "",
              {{SS15, 1234567.89}}});
        sale({"202612",
              "",
              1,
              "04",
              "1000000009",
              "01/12/2026",
              "DE123456789",
              "Mueller GmbH",
              "",
              {},
              "48"});
        // The coefficient and a refund the user typed in the return editor.
        t.db().execute(
            "INSERT INTO DEKLAR (VIN, KLON, PERIOD, DR33, DR80) VALUES (?, '', '202611', 1, 12.5)",
            kVin);
        std::filesystem::create_directories(out.path());
    }
    void add(db::Journal journal, const Doc& d) {
        auto row = db::EmptyJournalRow(journal);
        row.vin = kVin, row.klon = d.klon, row.period = d.period, row.number = d.number;
        row.type = d.type, row.docNo = d.docNo, row.date = d.date, row.knum = d.knum;
        row.kname = d.kname, row.sdelka = d.sdelka, row.code8a = d.code8a;
        row.viesType = d.viesType;
        for (auto [column, value] : d.amounts) row.amounts[column] = value;
        db::InsertJournalRow(t.db(), journal, row);
    }
    void purchase(const Doc& d) { add(db::Journal::Purchases, d); }
    void sale(const Doc& d) { add(db::Journal::Sales, d); }

    files::WriterSession head() const { return {kVin, "175074752", "", out.path()}; }
    files::WriterSession branch() const { return {kVin, "175074752", "0001", out.path()}; }
    std::filesystem::path folder(const std::string& period) const {
        return out / "175074752" / period;
    }
    bool writeHeadOffice(const std::string& period) {
        host.saveAs(folder(period) / "Deklar.txt");
        return files::WriteSubmissionFiles(t.db(), host, head(), period).has_value();
    }

    TestDatabase t;
    TempDir out;
    ScriptedHost host;
};

}  // namespace

TEST_F(Files, TheFourSubmissionFilesOfAPeriodByteForByte) {
    ASSERT_TRUE(writeHeadOffice("202611"));
    host.expectNoMoreBoxes();
    EXPECT_EQ(ReadFile(folder("202611") / "Deklar.txt"), Golden("202611-Deklar.txt"));
    EXPECT_EQ(ReadFile(folder("202611") / "Pokupki.txt"), Golden("202611-Pokupki.txt"));
    EXPECT_EQ(ReadFile(folder("202611") / "Prodagbi.txt"), Golden("202611-Prodagbi.txt"));
    EXPECT_EQ(ReadFile(folder("202611") / "VIES.txt"), Golden("202611-VIES.txt"));

    const auto& request = host.saveRequests().at(0);
    EXPECT_EQ(request.title, "Save file");
    EXPECT_EQ(request.proposedName, "Deklar.txt");
    EXPECT_EQ(request.folder, folder("202611"));
    EXPECT_EQ(request.defaultExtension, "txt");
}

TEST_F(Files, TheFilesAndTheFoldersMadeForThemAreTheUsersAlone) {
    testing_support::ScopedUmask umask(0);
    ASSERT_TRUE(writeHeadOffice("202611"));
    EXPECT_EQ(testing_support::ModeOf(out / "175074752"), 0700);
    EXPECT_EQ(testing_support::ModeOf(folder("202611")), 0700);
    for (const char* name : {"Deklar.txt", "Pokupki.txt", "Prodagbi.txt", "VIES.txt"})
        EXPECT_EQ(testing_support::ModeOf(folder("202611") / name), 0600) << name;
}

TEST_F(Files, ViesWithOnlySectionOneOrOnlySectionTwo) {
    ASSERT_TRUE(writeHeadOffice("202610"));
    EXPECT_EQ(ReadFile(folder("202610") / "VIES.txt"), Golden("202610-VIES.txt"));
    ASSERT_TRUE(writeHeadOffice("202612"));
    EXPECT_EQ(ReadFile(folder("202612") / "VIES.txt"), Golden("202612-VIES.txt"));
    EXPECT_EQ(ReadFile(folder("202612") / "Pokupki.txt"), "") << "no purchases: an empty file";
}

TEST_F(Files, NoViesReturnLeavesAnOlderViesFileAlone) {
    out.write("175074752/202609/VIES.txt", "older");
    purchase({"202609", "", 1, "01", "1", "01/09/2026", "123456789", "Бета ЕООД", "", {}});
    ASSERT_TRUE(writeHeadOffice("202609"));
    EXPECT_EQ(ReadFile(folder("202609") / "VIES.txt"), "older");
    const auto deklar = ReadFile(folder("202609") / "Deklar.txt");
    EXPECT_EQ(deklar.size(), 592u);
    EXPECT_EQ(deklar.substr(121, 30), std::string(14, ' ') + "0" + std::string(14, ' ') + "1");
}

TEST_F(Files, AnotherNameInAnotherFolderTakesTheOtherFilesAlong) {
    host.saveAs(out / "elsewhere" / "return.txt");
    std::filesystem::create_directories(out / "elsewhere");
    EXPECT_EQ(files::WriteSubmissionFiles(t.db(), host, head(), "202611"), out / "elsewhere");
    EXPECT_EQ(ReadFile(out / "elsewhere/return.txt"), Golden("202611-Deklar.txt"));
    EXPECT_EQ(ReadFile(out / "elsewhere/Pokupki.txt"), Golden("202611-Pokupki.txt"));
    EXPECT_FALSE(std::filesystem::exists(folder("202611") / "Pokupki.txt"));
}

TEST_F(Files, MergeFilesOfABranchRenumberTheirLines) {
    host.saveAs(folder("202611") / "Pokupkix.txt");
    EXPECT_EQ(files::WriteMergeFiles(t.db(), host, branch(), "202611"), folder("202611"));
    EXPECT_EQ(ReadFile(folder("202611") / "Pokupkix.txt"), Golden("202611-0001-Pokupkix.txt"));
    EXPECT_EQ(ReadFile(folder("202611") / "Prodagbix.txt"), Golden("202611-0001-Prodagbix.txt"));
    EXPECT_EQ(host.saveRequests().at(0).proposedName, "Pokupkix.txt");
    EXPECT_FALSE(db::FindReturn(t.db(), kVin, "0001", "202611")) << "merge files recompute nothing";
}

TEST_F(Files, AFatalCodeStopsTheWriterBeforeAnythingIsRecomputed) {
    // Code 1 of the purchase group is fatal; stored on a branch's document.
    t.db().execute("UPDATE POKUPKI SET ERROR1 = 1 WHERE KLON = '0002'");
    EXPECT_EQ(files::WriteSubmissionFiles(t.db(), host, head(), "202611"), std::nullopt);
    host.expectError("Има фатални грешки!");
    EXPECT_TRUE(db::ViesRows(t.db(), kVin, "", "202611", 1).empty());
    EXPECT_FALSE(std::filesystem::exists(folder("202611")));
}

TEST_F(Files, AMissingOutputFolderIsAnInstallationProblem) {
    auto session = head();
    session.outputFolder = out / "missing";
    EXPECT_EQ(files::WriteSubmissionFiles(t.db(), host, session, "202611"), std::nullopt);
    host.expectError("Има проблем с инсталацията(105)");
    EXPECT_DOUBLE_EQ(db::FindReturn(t.db(), kVin, "", "202611")->ds15, 600)
        << "the return was recomputed before the folders were made";
}

TEST_F(Files, CancellingTheSaveDialogWritesNothing) {
    host.saveAs(std::nullopt);
    EXPECT_EQ(files::WriteSubmissionFiles(t.db(), host, head(), "202611"), std::nullopt);
    host.expectNoMoreBoxes();
    EXPECT_TRUE(std::filesystem::is_directory(folder("202611")));
    EXPECT_TRUE(std::filesystem::is_empty(folder("202611")));
}

TEST_F(Files, AFileThatCannotBeCreatedStopsTheFilesAfterIt) {
    std::filesystem::create_directories(folder("202611") / "Prodagbi.txt");  // in the way
    EXPECT_FALSE(writeHeadOffice("202611"));
    host.expectError("Couldn't create the file!");
    EXPECT_EQ(ReadFile(folder("202611") / "Pokupki.txt"), Golden("202611-Pokupki.txt"));
    EXPECT_FALSE(std::filesystem::exists(folder("202611") / "VIES.txt"));
    for (const auto& entry : std::filesystem::directory_iterator(folder("202611")))
        EXPECT_NE(entry.path().filename().string()[0], '.') << "a temporary file was left";
}

TEST(FixedWidth, AmountsRoundToTwoDecimalsAndNeverShowMinusZero) {
    EXPECT_EQ(files::DeklarFile({}, std::nullopt).size(), 151u) << "no return: 151 columns";
    db::JournalRow row = db::EmptyJournalRow(db::Journal::Purchases);
    row.amounts[db::BS30] = -0.004;
    row.amounts[db::BS31] = -0.05;
    row.amounts[db::BS41] = 0.1 + 0.2;
    const auto line = files::JournalLine(db::Journal::Purchases, row);
    EXPECT_EQ(line.substr(167, 45), std::string(11, ' ') + "0.00" + std::string(10, ' ') + "-0.05" +
                                        std::string(11, ' ') + "0.30");
}

TEST_F(Files, ThePeriodDialogOffersEveryPeriodWithDocumentsOrAReturnNewestFirst) {
    // 202612 and 202611: the fixture's documents. A return alone, a purchase alone, a
    // sale of a branch alone; a branch's return and another person's
    // documents offer nothing.
    t.db().execute("INSERT INTO DEKLAR (VIN, KLON, PERIOD) VALUES (?, '', '202610')", kVin);
    t.db().execute("INSERT INTO DEKLAR (VIN, KLON, PERIOD) VALUES (?, '0001', '202609')", kVin);
    purchase({"202304", "", 1, "01", "7", "05/04/2023", "123456789", "Бета", "", {}});
    sale({"202212", "0002", 1, "01", "8", "05/12/2022", "123456789", "Бета", "", {}});
    t.document(db::Journal::Sales, "BG831015008", "", "202608");
    files::CPeriodDlg dialog(host, t.db(), head());
    DialogDriver d(dialog);
    EXPECT_EQ(d.title(), "Запис на дневници върху дискета");
    EXPECT_EQ(d.column("periods", 0),
              (std::vector<std::string>{"202612", "202611", "202610", "202304", "202212"}));
    d.press("Запис");
    host.expectError("Не сте избрали ПЕРИОД!");
    EXPECT_EQ(d.focused(), "periods");
}

TEST_F(Files, AWrittenPeriodSaysWhereAndOpensTheFolderWhenAsked) {
    files::CPeriodDlg dialog(host, t.db(), head());
    DialogDriver d(dialog);
    host.saveAs(folder("202611") / "Deklar.txt").answer(ui::Answer::Yes);
    ASSERT_EQ(d.cell("periods", 1, 0), "202611");
    d.select("periods", 1).press("Запис");
    host.expectQuestion("Файловете са записани в папка\r\n" + folder("202611").string() +
                            "\r\nДа отворя ли папката?",
                        ui::Buttons::YesNo, ui::Icon::Information);
    EXPECT_EQ(host.openedFolders(), std::vector<std::filesystem::path>{folder("202611")});
    EXPECT_TRUE(d.isOpen()) << "the dialog stays open for the next period";
    EXPECT_EQ(ReadFile(folder("202611") / "Prodagbi.txt"), Golden("202611-Prodagbi.txt"));
    d.press("Затваряне");
    EXPECT_FALSE(d.isOpen());
}

TEST_F(Files, TheBranchDialogMergesThePeriodsOfBothJournals) {
    t.db().execute("DELETE FROM POKUPKI");
    t.db().execute("DELETE FROM PRODAGBI");
    purchase({"202601", "0001", 1, "01", "1", "05/01/2026", "123456789", "Бета", "", {}});
    purchase({"202603", "0001", 2, "01", "2", "05/03/2026", "123456789", "Бета", "", {}});
    purchase({"202603", "0001", 3, "01", "3", "06/03/2026", "123456789", "Бета", "", {}});
    sale({"202602", "0001", 1, "01", "4", "05/02/2026", "123456789", "Бета", "", {}});
    sale({"202603", "0001", 4, "01", "5", "05/03/2026", "123456789", "Бета", "", {}});
    sale({"202604", "0002", 1, "01", "6", "05/04/2026", "123456789", "Бета", "", {}});
    files::CPeriodKlonDlg dialog(host, t.db(), branch());
    DialogDriver d(dialog);
    EXPECT_EQ(d.headers("periods"),
              (std::vector<std::string>{"ПЕРИОД", "БРОЙ Покупки", "БРОЙ Продажби"}));
    EXPECT_EQ(d.row("periods", 0), (std::vector<std::string>{"202603", "2", "1"}));
    EXPECT_EQ(d.row("periods", 1), (std::vector<std::string>{"202602", "", "1"}));
    EXPECT_EQ(d.row("periods", 2), (std::vector<std::string>{"202601", "1", ""}));
    EXPECT_EQ(d.rowCount("periods"), 3);

    host.saveAs(folder("202602") / "Pokupkix.txt").answer(ui::Answer::No);
    d.select("periods", 1).press("Запис");
    host.expectQuestion("Файловете са записани в папка\r\n" + folder("202602").string() +
                            "\r\nДа отворя ли папката?",
                        ui::Buttons::YesNo, ui::Icon::Information);
    EXPECT_TRUE(host.openedFolders().empty());
    EXPECT_EQ(ReadFile(folder("202602") / "Pokupkix.txt"), "") << "no purchases: an empty file";
    EXPECT_EQ(ReadFile(folder("202602") / "Prodagbix.txt").size(), 427u);
}
