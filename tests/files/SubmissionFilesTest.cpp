// The files for the tax administration and the merge files, byte for byte:
// the expected files in golden/ were assembled by hand from the layouts.

#include <gtest/gtest.h>

#include "db/Rows.h"
#include "files/CPeriodDlg.h"
#include "files/CPeriodKlonDlg.h"
#include "files/SubmissionFiles.h"
#include "files/SubmissionWriter.h"
#include "support/DialogDriver.h"
#include "support/GoldenFiles.h"
#include "support/Permissions.h"
#include "support/ScriptedHost.h"
#include "support/TempDir.h"
#include "support/TestDatabase.h"

using namespace testing_support;

namespace {

const std::string kVin = "BG175074752";

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
    // The submission files of the period, the return under `name` in the
    // period folder or in `elsewhere`.
    files::WriteResult writeHeadOffice(const std::string& period,
                                       std::optional<std::filesystem::path> elsewhere = {}) {
        auto files = files::PeriodFiles::Submission(t.db(), head(), period);
        EXPECT_FALSE(files.stopped()) << files.stopped()->message;
        EXPECT_EQ(files.folder(), folder(period));
        EXPECT_EQ(files.proposedName(), "Deklar.txt");
        return files.write(elsewhere.value_or(folder(period) / "Deklar.txt"));
    }

    TestDatabase t;
    TempDir out;
    ScriptedHost host;
};

}  // namespace

TEST_F(Files, TheFourSubmissionFilesOfAPeriodByteForByte) {
    const auto result = writeHeadOffice("202611");
    ASSERT_FALSE(result.stop) << result.stop->message;
    const auto in = folder("202611");
    EXPECT_EQ(result.folder, in);
    EXPECT_EQ(result.files, (std::vector{in / "Deklar.txt", in / "Pokupki.txt", in / "Prodagbi.txt",
                                         in / "VIES.txt"}));
    EXPECT_EQ(ReadFile(in / "Deklar.txt"), Golden("202611-Deklar.txt"));
    EXPECT_EQ(ReadFile(in / "Pokupki.txt"), Golden("202611-Pokupki.txt"));
    EXPECT_EQ(ReadFile(in / "Prodagbi.txt"), Golden("202611-Prodagbi.txt"));
    EXPECT_EQ(ReadFile(in / "VIES.txt"), Golden("202611-VIES.txt"));
}

TEST_F(Files, TheFilesAndTheFoldersMadeForThemAreTheUsersAlone) {
    testing_support::ScopedUmask umask(0);
    ASSERT_FALSE(writeHeadOffice("202611").stop);
    EXPECT_EQ(testing_support::ModeOf(out / "175074752"), 0700);
    EXPECT_EQ(testing_support::ModeOf(folder("202611")), 0700);
    for (const char* name : {"Deklar.txt", "Pokupki.txt", "Prodagbi.txt", "VIES.txt"})
        EXPECT_EQ(testing_support::ModeOf(folder("202611") / name), 0600) << name;
}

TEST_F(Files, ViesWithOnlySectionOneOrOnlySectionTwo) {
    ASSERT_FALSE(writeHeadOffice("202610").stop);
    EXPECT_EQ(ReadFile(folder("202610") / "VIES.txt"), Golden("202610-VIES.txt"));
    ASSERT_FALSE(writeHeadOffice("202612").stop);
    EXPECT_EQ(ReadFile(folder("202612") / "VIES.txt"), Golden("202612-VIES.txt"));
    EXPECT_EQ(ReadFile(folder("202612") / "Pokupki.txt"), "") << "no purchases: an empty file";
}

TEST_F(Files, NoViesReturnLeavesAnOlderViesFileAlone) {
    out.write("175074752/202609/VIES.txt", "older");
    purchase({"202609", "", 1, "01", "1", "01/09/2026", "123456789", "Бета ЕООД", "", {}});
    const auto result = writeHeadOffice("202609");
    ASSERT_FALSE(result.stop);
    EXPECT_EQ(result.files.size(), 3u) << "no VIES.txt among the files written";
    EXPECT_EQ(ReadFile(folder("202609") / "VIES.txt"), "older");
    const auto deklar = ReadFile(folder("202609") / "Deklar.txt");
    EXPECT_EQ(deklar.size(), 592u);
    EXPECT_EQ(deklar.substr(121, 30), std::string(14, ' ') + "0" + std::string(14, ' ') + "1");
}

TEST_F(Files, AnotherNameInAnotherFolderTakesTheOtherFilesAlong) {
    std::filesystem::create_directories(out / "elsewhere");
    const auto result = writeHeadOffice("202611", out / "elsewhere" / "return.txt");
    ASSERT_FALSE(result.stop);
    EXPECT_EQ(result.folder, out / "elsewhere");
    EXPECT_EQ(ReadFile(out / "elsewhere/return.txt"), Golden("202611-Deklar.txt"));
    EXPECT_EQ(ReadFile(out / "elsewhere/Pokupki.txt"), Golden("202611-Pokupki.txt"));
    EXPECT_FALSE(std::filesystem::exists(folder("202611") / "Pokupki.txt"));
}

TEST_F(Files, MergeFilesOfABranchRenumberTheirLines) {
    auto files = files::PeriodFiles::Merge(t.db(), branch(), "202611");
    ASSERT_FALSE(files.stopped());
    EXPECT_EQ(files.proposedName(), "Pokupkix.txt");
    const auto result = files.write(folder("202611") / "Pokupkix.txt");
    ASSERT_FALSE(result.stop);
    EXPECT_EQ(result.files.size(), 2u);
    EXPECT_EQ(ReadFile(folder("202611") / "Pokupkix.txt"), Golden("202611-0001-Pokupkix.txt"));
    EXPECT_EQ(ReadFile(folder("202611") / "Prodagbix.txt"), Golden("202611-0001-Prodagbix.txt"));
    EXPECT_FALSE(db::FindReturn(t.db(), kVin, "0001", "202611")) << "merge files recompute nothing";
}

TEST_F(Files, AFatalCodeStopsTheWritersBeforeAnythingIsRecomputed) {
    // Code 1 of each group is fatal; stored on branches' documents.
    t.db().execute("UPDATE POKUPKI SET ERROR1 = 1 WHERE KLON = '0001'");
    // A sale's code is found after the purchases' lines were written.
    t.db().execute("UPDATE PRODAGBI SET ERROR1 = 1 WHERE KLON = '0002'");
    const auto refused = [](const files::PeriodFiles& files) {
        ASSERT_TRUE(files.stopped());
        EXPECT_EQ(files.stopped()->reason, files::WriteStop::Reason::FatalErrors);
        EXPECT_EQ(files.stopped()->message, "Има фатални грешки!");
    };
    refused(files::PeriodFiles::Submission(t.db(), head(), "202611"));
    refused(files::PeriodFiles::Merge(t.db(), branch(), "202611"));
    t.db().execute("UPDATE POKUPKI SET ERROR1 = 0");
    refused(files::PeriodFiles::Submission(t.db(), head(), "202611"));
    EXPECT_TRUE(db::ViesRows(t.db(), kVin, "", "202611", 1).empty());
    EXPECT_DOUBLE_EQ(db::FindReturn(t.db(), kVin, "", "202611")->ds15, 0)
        << "the return stays as it was";
    EXPECT_FALSE(std::filesystem::exists(out / "175074752")) << "no folder and no temporary file";
}

TEST_F(Files, AMissingOutputFolderIsAnInstallationProblem) {
    auto session = head();
    session.outputFolder = out / "missing";
    const auto files = files::PeriodFiles::Submission(t.db(), session, "202611");
    ASSERT_TRUE(files.stopped());
    EXPECT_EQ(files.stopped()->reason, files::WriteStop::Reason::InstallationProblem);
    EXPECT_EQ(files.stopped()->message, "Има проблем с инсталацията(105)");
    EXPECT_DOUBLE_EQ(db::FindReturn(t.db(), kVin, "", "202611")->ds15, 600)
        << "the return was recomputed before the folders were made";
}

// The files of a period appear together: a write that stops leaves the set
// of an earlier write whole, and no temporary file.
TEST_F(Files, AFileThatCannotBeCreatedLeavesTheEarlierSetWhole) {
    for (const char* name : {"Deklar.txt", "Pokupki.txt", "VIES.txt"})
        out.write(std::string("175074752/202611/") + name, "older");
    std::filesystem::create_directories(folder("202611") / "Prodagbi.txt");  // in the way
    const auto result = writeHeadOffice("202611");
    ASSERT_TRUE(result.stop);
    EXPECT_EQ(result.stop->reason, files::WriteStop::Reason::CannotCreate);
    EXPECT_EQ(result.stop->message, "Couldn't create the file!");
    EXPECT_TRUE(result.files.empty());
    for (const char* name : {"Deklar.txt", "Pokupki.txt", "VIES.txt"})
        EXPECT_EQ(ReadFile(folder("202611") / name), "older") << name;
    for (const auto& entry : std::filesystem::directory_iterator(folder("202611")))
        EXPECT_NE(entry.path().filename().string()[0], '.') << "a temporary file was left";
}

TEST_F(Files, TemporaryFilesOfAnInterruptedWriteGoAtTheNextWrite) {
    std::filesystem::create_directories(out / "elsewhere");
    const std::vector<std::string> stale = {
        "175074752/202611/.Pokupki.txt.tmp123", "175074752/202611/.Deklar.txt.tmp9",
        "175074752/202611/.VIES.txt.tmp4000000000", "elsewhere/.Prodagbi.txt.tmp77",
        "elsewhere/.return.txt.tmp5"};
    const std::vector<std::string> kept = {
        "175074752/202611/.Pokupki.txt.tmp", "175074752/202611/.Pokupki.txt.tmp1x",
        "175074752/202611/Pokupki.txt.tmp1", "175074752/202611/.notes.txt.tmp1",
        "elsewhere/.Pokupkix.txt.tmp1"};
    for (const auto& name : stale) out.write(name, "stale");
    for (const auto& name : kept) out.write(name, "kept");
    ASSERT_FALSE(writeHeadOffice("202611", out / "elsewhere" / "return.txt").stop);
    for (const auto& name : stale) EXPECT_FALSE(std::filesystem::exists(out / name)) << name;
    for (const auto& name : kept) EXPECT_EQ(ReadFile(out / name), "kept") << name;
    EXPECT_EQ(ReadFile(out / "elsewhere/Prodagbi.txt"), Golden("202611-Prodagbi.txt"));
}

TEST_F(Files, CancellingTheChoiceOfTheFileLeavesNoTemporaryFile) {
    {
        auto files = files::PeriodFiles::Submission(t.db(), head(), "202611");
        ASSERT_FALSE(files.stopped());
        EXPECT_FALSE(std::filesystem::is_empty(folder("202611"))) << "the set waits, complete";
    }
    EXPECT_TRUE(std::filesystem::is_empty(folder("202611")));
    EXPECT_DOUBLE_EQ(db::FindReturn(t.db(), kVin, "", "202611")->ds15, 600)
        << "the return was recomputed before the file was chosen";
}

// A line break typed or pasted into a text would split the document's record.
TEST_F(Files, ALineBreakInADocumentStopsTheWriterNamingTheDocument) {
    struct Case {
        const char* column;
        const char* value;
        const char* named;
        const char* docNo;
    };
    const Case cases[] = {
        {"KNAME", "Ред1\r\nРед2", "„връщане на каретката“", "0000012345"},
        {"SDELKA", "Стоки\n", "„нов ред“", "0000012345"},
        {"DOCNO", "12\x1A", "„край на файл“", "12\x1A"},
    };
    for (const auto& c : cases) {
        db::Transaction undo(t.db());
        t.db().execute(std::string("UPDATE POKUPKI SET ") + c.column +
                           " = ? WHERE ID = (SELECT min(ID) FROM POKUPKI)",
                       c.value);
        const auto files = files::PeriodFiles::Submission(t.db(), head(), "202611");
        ASSERT_TRUE(files.stopped()) << c.column;
        EXPECT_EQ(files.stopped()->reason, files::WriteStop::Reason::TextNotWritable);
        EXPECT_EQ(files.stopped()->message,
                  std::string("Документ ") + c.docNo + " от 02/11/2026 на дневника съдържа знака " +
                      c.named + ", който разделя редовете на файла. Файлът не е записан.");
        EXPECT_TRUE(std::filesystem::is_empty(folder("202611")));
    }
    ASSERT_FALSE(writeHeadOffice("202611").stop) << "the texts are whole again";
}

// A character that Windows-1251 lacks, or bytes that are no UTF-8, in any
// text of a line stop both writers, naming the document and the first such
// character; a line break in the same line is named instead.
TEST_F(Files, ACharacterWindows1251LacksStopsTheWritersNamingIt) {
    const struct {
        const char* set;
        const char* named;
    } cases[] = {
        {"KNAME = 'Бета Ω ЕООД'", "знака \"Ω\", който не може да се запише в Windows-1251"},
        {"SDELKA = 'Стоки ✓'", "знака \"✓\", който не може да се запише в Windows-1251"},
        {"BS8A = 'Ω'", "знака \"Ω\", който не може да се запише в Windows-1251"},
        {"KNUM = 'Ω', SDELKA = '✓'", "знака \"Ω\", който не може да се запише в Windows-1251"},
        {"KNAME = CAST(X'41FF' AS TEXT)",
         "знака \"\xFF\", който не може да се запише в Windows-1251"},
        {"KNAME = 'Ω', SDELKA = char(10)", "знака „нов ред“, който разделя редовете на файла"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.set);
        db::Transaction undo(t.db());
        t.db().execute(std::string("UPDATE POKUPKI SET ") + c.set +
                       " WHERE ID = (SELECT min(ID) FROM POKUPKI WHERE KLON = '0001')");
        for (const auto& files : {files::PeriodFiles::Submission(t.db(), head(), "202611"),
                                  files::PeriodFiles::Merge(t.db(), branch(), "202611")}) {
            ASSERT_TRUE(files.stopped());
            EXPECT_EQ(files.stopped()->reason, files::WriteStop::Reason::TextNotWritable);
            EXPECT_EQ(files.stopped()->message,
                      std::string("Документ 77 от 05/11/2026 на дневника съдържа ") + c.named +
                          ". Файлът не е записан.");
        }
        EXPECT_TRUE(std::filesystem::is_empty(folder("202611")));
    }
}

TEST_F(Files, ALineBreakInTheReturnOrTheViesHeaderStopsTheWriter) {
    for (const char* column : {"NAME", "ADRESS"}) {
        db::Transaction undo(t.db());
        t.db().execute(std::string("UPDATE EDANNI SET ") + column + " = 'Алфа\r\nТрейд'");
        const auto files = files::PeriodFiles::Submission(t.db(), head(), "202611");
        ASSERT_TRUE(files.stopped()) << column;
        EXPECT_EQ(files.stopped()->message,
                  std::string(column == std::string("NAME")
                                  ? "Справка-декларацията съдържа знака „връщане на каретката“"
                                  : "VIES декларацията съдържа знака „нов ред“") +
                      ", който разделя редовете на файла. Файлът не е записан.");
        EXPECT_TRUE(std::filesystem::is_empty(folder("202611")));
    }
}

// NUMBER follows ID once a period is renumbered; where it does not, the lines
// still go by NUMBER.
TEST_F(Files, LinesFollowNumberWhereItDiffersFromTheStoredOrder) {
    ASSERT_FALSE(writeHeadOffice("202611").stop);
    const auto inOrder = ReadFile(folder("202611") / "Prodagbi.txt");
    auto lines = [](const std::string& text) {
        std::vector<std::string> result;
        for (std::size_t at = 0; at < text.size();) {
            const auto end = text.find("\r\n", at) + 2;
            result.push_back(text.substr(at, end - at));
            at = end;
        }
        return result;
    };
    const auto before = lines(inOrder);
    ASSERT_GE(before.size(), 3u);
    // The first document of the period numbered last.
    t.db().execute(
        "UPDATE PRODAGBI SET NUMBER = 99 WHERE ID = (SELECT min(ID) FROM PRODAGBI "
        "WHERE PERIOD = '202611')");
    ASSERT_FALSE(writeHeadOffice("202611").stop);
    const auto after = lines(ReadFile(folder("202611") / "Prodagbi.txt"));
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(std::vector(after.begin(), after.end() - 1),
              std::vector(before.begin() + 1, before.end()));
    EXPECT_NE(after.back().find("1000000001"), std::string::npos);
    EXPECT_NE(after.back().find("  99"), std::string::npos);
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

TEST_F(Files, ThePeriodDialogAsksForTheFileAndShowsWhyAWriteStopped) {
    files::CPeriodDlg dialog(host, t.db(), head());
    DialogDriver d(dialog);
    host.saveAs(std::nullopt);
    ASSERT_EQ(d.cell("periods", 1, 0), "202611");
    d.select("periods", 1).press("Запис");
    host.expectNoMoreBoxes();  // cancelling says nothing
    const auto& request = host.saveRequests().at(0);
    EXPECT_EQ(request.title, "Save file");
    EXPECT_EQ(request.proposedName, "Deklar.txt");
    EXPECT_EQ(request.folder, folder("202611"));
    EXPECT_EQ(request.defaultExtension, "txt");
    EXPECT_TRUE(std::filesystem::is_empty(folder("202611")));

    std::filesystem::create_directories(folder("202611") / "Prodagbi.txt");  // in the way
    host.saveAs(folder("202611") / "Deklar.txt");
    d.press("Запис");
    host.expectError("Couldn't create the file!");

    t.db().execute("UPDATE PRODAGBI SET ERROR1 = 1");
    d.press("Запис");
    host.expectError("Има фатални грешки!");
    EXPECT_EQ(host.saveRequests().size(), 2u) << "a refused period asks for no file";
    EXPECT_TRUE(d.isOpen());
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
