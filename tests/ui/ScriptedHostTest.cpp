// The scripted host is strict: what a test did not script or did not check
// fails the test.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "support/ScriptedHost.h"

using testing_support::ScriptedHost;
using ui::Answer;
using ui::Buttons;
using ui::Icon;

TEST(ScriptedHost, AnswersQuestionsInTheOrderScripted) {
    ScriptedHost host;
    host.answer(Answer::No).answer(Answer::Cancel);
    EXPECT_EQ(host.ask("Изтрий?", Buttons::YesNo, Icon::Error), Answer::No);
    EXPECT_EQ(host.ask("И клоновете?", Buttons::YesNoCancel, Icon::None), Answer::Cancel);
    host.expectQuestion("Изтрий?", Buttons::YesNo, Icon::Error);
    host.expectQuestion("И клоновете?", Buttons::YesNoCancel);
}

TEST(ScriptedHost, AQuestionBeyondTheScriptFailsTheTest) {
    ScriptedHost host;
    Answer answer = Answer::Yes;
    EXPECT_NONFATAL_FAILURE(answer = host.ask("Изтрий?", Buttons::YesNo, Icon::None),
                            "no answer for: [no icon, Да/Не] \"Изтрий?\"");
    EXPECT_EQ(answer, Answer::No) << "the safe answer";
    EXPECT_NONFATAL_FAILURE(answer = host.ask("Всички?", Buttons::YesNoCancel, Icon::None),
                            "no answer");
    EXPECT_EQ(answer, Answer::Cancel);
    host.forgetBoxes();
}

TEST(ScriptedHost, ABoxDifferentFromTheExpectedOneFailsTheTest) {
    ScriptedHost host;
    host.information("Изтрити са: 2");
    EXPECT_NONFATAL_FAILURE(host.expectError("Изтрити са: 2"),
                            "the box shown was [information, OK] \"Изтрити са: 2\"");
    host.warning("Внимание");
    EXPECT_NONFATAL_FAILURE(host.expectWarning("Внимание!"), "expected [warning, OK]");
    EXPECT_NONFATAL_FAILURE(host.expectError("x"), "no box was shown");
}

TEST(ScriptedHost, WhatWasLeftUncheckedOrUnusedFailsTheTest) {
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedHost host;
            host.error("Грешка");
        },
        "a box the test did not check: [error, OK] \"Грешка\"");
    EXPECT_NONFATAL_FAILURE({ ScriptedHost().answer(Answer::Yes); }, "never asked for");
    EXPECT_NONFATAL_FAILURE({ ScriptedHost().saveAs("/tmp/x.txt"); }, "never asked for");
    EXPECT_NONFATAL_FAILURE({ ScriptedHost().chooseFile("/tmp/x.zrv"); }, "never asked for");
    EXPECT_NONFATAL_FAILURE({ ScriptedHost().onDialog([](auto&) {}); }, "never opened");
}

TEST(ScriptedHost, ExpectNoMoreBoxesReportsTheFirstUncheckedOne) {
    ScriptedHost host;
    host.error("първа");
    host.error("втора");
    EXPECT_NONFATAL_FAILURE(host.expectNoMoreBoxes(), "an unexpected box: [error, OK] \"първа\"");
    host.expectNoMoreBoxes();
}

TEST(ScriptedHost, ChoosersGetTheScriptedAnswersAndAreRecorded) {
    ScriptedHost host;
    host.chooseFolder("/data/in").saveAs(std::nullopt);
    EXPECT_EQ(host.chooseFolder(ui::FolderRequest{"Избор на папка", "Избрете", "/"}),
              std::filesystem::path("/data/in"));
    const ui::SaveFileRequest save{
        "Save file", "/out", "Deklar.txt", "txt", {{"Text file", "*.txt"}}};
    EXPECT_EQ(host.saveFile(save), std::nullopt);
    ASSERT_EQ(host.saveRequests().size(), 1u);
    EXPECT_EQ(host.saveRequests()[0].proposedName, "Deklar.txt");
    EXPECT_EQ(host.folderRequests()[0].prompt, "Избрете");
    EXPECT_NONFATAL_FAILURE(host.chooseFolder(ui::FolderRequest{}), "has no folder");
}

TEST(ScriptedHost, PrintJobsRunTheHookWhileTheDialogWaits) {
    ScriptedHost host;
    std::vector<ui::PrintJob> seen;
    host.onPrint([&](const ui::PrintJob& job) { seen.push_back(job); });
    host.print({ui::PrintKind::Sales, "202311"});
    host.print({ui::PrintKind::Vies, "202312"});
    EXPECT_EQ(seen, host.printJobs());
    EXPECT_EQ(seen, (std::vector<ui::PrintJob>{{ui::PrintKind::Sales, "202311"},
                                               {ui::PrintKind::Vies, "202312"}}));
    host.openTextFile("/out/Report.txt");
    EXPECT_EQ(host.openedFiles(), (std::vector<std::filesystem::path>{"/out/Report.txt"}));
}
