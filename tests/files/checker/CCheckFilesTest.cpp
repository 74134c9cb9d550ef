// The dialog "Проверка на файлове", driven as a person would.

#include "files/checker/CCheckFiles.h"

#include <gtest/gtest.h>

#include "CheckerFiles.h"
#include "app/CZorevaDoc.h"
#include "app/Commands.h"
#include "platform/CodePage.h"
#include "support/DialogDriver.h"
#include "support/ScriptedHost.h"
#include "support/TestDatabase.h"

using files::checker::CCheckFiles;
using namespace checker_test;
using testing_support::DialogDriver;
using testing_support::ReadFile;
using testing_support::ScriptedHost;
using testing_support::TempDir;

namespace {

class CheckFilesDialog : public ::testing::Test {
  protected:
    std::filesystem::path outputFolder() const { return out.path(); }

    TempDir in, out;
    platform::FixedClock clock{kToday};
    ScriptedHost host;
};

}  // namespace

TEST_F(CheckFilesDialog, OpensEmptyWithPrintingDisabledAndTheOemButtonHidden) {
    CCheckFiles dialog(host, outputFolder(), clock, false);
    DialogDriver d(dialog);
    EXPECT_EQ(d.title(), "Проверка на файлове");
    EXPECT_EQ(d.text("report"), "");
    EXPECT_TRUE(d.enabled("Папка"));
    EXPECT_FALSE(d.enabled("Печат"));
    EXPECT_FALSE(d.visible("OEM -> ANSI"));
    d.press("Затвори");
    EXPECT_FALSE(d.isOpen());
}

TEST_F(CheckFilesDialog, FolderShowsTheReportOfTheChosenFolder) {
    WriteConsistentFolder(in);
    CCheckFiles dialog(host, outputFolder(), clock, false);
    DialogDriver d(dialog);
    host.chooseFolder(in.path());
    d.press("Папка");
    ASSERT_EQ(host.folderRequests().size(), 1u);
    EXPECT_EQ(host.folderRequests()[0].title, "Избор на папка");
    EXPECT_EQ(host.folderRequests()[0].prompt, "Избрете къде се намират файловете!");
    EXPECT_EQ(d.text("report"), Check(in).report);
    EXPECT_EQ(dialog.report(), platform::ToCp1251(Check(in).report));
    EXPECT_TRUE(d.enabled("Печат"));
    EXPECT_EQ(dialog.state().purchases.size(), 2u);

    // Cancelling the chooser changes nothing.
    host.chooseFolder(std::nullopt);
    d.press("Папка");
    EXPECT_EQ(d.text("report"), Check(in).report);
    EXPECT_EQ(host.folderRequests()[1].start, in.path());
}

TEST_F(CheckFilesDialog, PrintSavesReportTxtWithTheEndMarkAndOpensIt) {
    WriteConsistentFolder(in);
    CCheckFiles dialog(host, outputFolder(), clock, false);
    DialogDriver d(dialog);
    host.chooseFolder(in.path());
    d.press("Папка").press("Печат");
    const auto report = out / "Report.txt";
    EXPECT_EQ(ReadFile(report), dialog.report() + "\x1A");
    EXPECT_EQ(host.openedFiles(), std::vector<std::filesystem::path>{report});

    // A second print of another report replaces the file; it still ends with
    // one 0x1A.
    TempDir empty;
    host.chooseFolder(empty.path());
    d.press("Папка").press("Печат");
    EXPECT_EQ(ReadFile(report), dialog.report() + "\x1A");
    EXPECT_NE(ReadFile(report).find(platform::ToCp1251("Файла DEKLAR.TXT не може да се отвори")),
              std::string::npos);
    EXPECT_EQ(host.openedFiles().size(), 2u);
}

TEST_F(CheckFilesDialog, ReportThatCannotBeSavedIsNotOpened) {
    WriteConsistentFolder(in);
    CCheckFiles dialog(host, out / "missing", clock, false);
    DialogDriver d(dialog);
    host.chooseFolder(in.path());
    d.press("Папка").press("Печат");
    host.expectError("Couldn't create the file!");
    EXPECT_TRUE(host.openedFiles().empty());
    EXPECT_TRUE(d.isOpen());
}

TEST_F(CheckFilesDialog, OemButtonRepeatsTheRunOnTheSameFolder) {
    WriteConsistentFolder(in);
    CCheckFiles dialog(host, outputFolder(), clock, true);
    DialogDriver d(dialog);
    EXPECT_TRUE(d.visible("OEM -> ANSI"));
    EXPECT_FALSE(d.enabled("OEM -> ANSI"));
    host.chooseFolder(in.path());
    d.press("Папка").press("OEM -> ANSI");
    EXPECT_EQ(host.folderRequests().size(), 1u);  // no new question for the folder
    // The Cyrillic of the files reads otherwise in CP866; the period line is
    // the OEM run's own.
    EXPECT_NE(d.text("report").find("\r\nОтчетен период:202305\r\n"), std::string::npos);
}

TEST(CheckFilesCommand, TheMenuCommandOpensTheDialog) {
    TempDir dir;
    testing_support::TestDatabase t;
    platform::FixedClock clock{kToday};
    app::CZorevaDoc doc{t.db(), clock, dir / "data", dir.path()};
    ScriptedHost host;
    host.onDialog<CCheckFiles>([](CCheckFiles&, DialogDriver& d) {
        EXPECT_TRUE(d.visible("OEM -> ANSI"));
        d.press("Затвори");
    });
    app::CommandContext context{host, doc, dir / "guide.txt", true};
    app::RunCommand(app::Command::CheckFiles, context);
    EXPECT_EQ(host.dialogsRun(), std::vector<std::string>{"Проверка на файлове"});
}
