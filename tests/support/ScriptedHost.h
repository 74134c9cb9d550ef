#pragma once
// The host of dialogs under test: it answers questions from a script, runs a
// scripted handler for each nested dialog, hands back scripted folders and
// file names, and records every box shown so that a test asserts on it.
//
// Strict by design: a question with no scripted answer, a dialog with no
// handler, a box the test never checked and a scripted answer never used are
// test failures.

#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <source_location>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ui/Dialog.h"
#include "ui/Host.h"

namespace testing_support {

class DialogDriver;
// The dialog a driver drives (for the template below, which needs no
// definition of DialogDriver).
ui::Dialog& DriverDialog(DialogDriver& driver);

// A box as it was shown: a message (buttons Ok, no answer) or a question.
struct Box {
    std::string text;
    ui::Icon icon = ui::Icon::None;
    ui::Buttons buttons = ui::Buttons::Ok;
    std::optional<ui::Answer> answer;
};

class ScriptedHost : public ui::Host {
  public:
    using Where = std::source_location;
    using DialogScript = std::function<void(DialogDriver&)>;

    ScriptedHost() = default;
    ~ScriptedHost() override;
    ScriptedHost(const ScriptedHost&) = delete;
    ScriptedHost& operator=(const ScriptedHost&) = delete;

    // The script, consumed in order.
    ScriptedHost& answer(ui::Answer answer);
    // The next nested dialog is driven by `script`, which must leave it closed.
    ScriptedHost& onDialog(DialogScript script);
    // The same, for a dialog of class D: host.onDialog<CKontrag>([](CKontrag& k, DialogDriver& d)
    // {...})
    template <class D, class F>
    ScriptedHost& onDialog(F script);
    ScriptedHost& chooseFolder(std::optional<std::filesystem::path> folder);
    ScriptedHost& saveAs(std::optional<std::filesystem::path> file);
    // The file the next open-file dialog returns.
    ScriptedHost& chooseFile(std::optional<std::filesystem::path> file);
    // Runs when a dialog asks for printing, while the dialog waits.
    ScriptedHost& onPrint(std::function<void(const ui::PrintJob&)> hook);

    // ui::Host
    void message(const std::string& text, ui::Icon icon) override;
    ui::Answer ask(const std::string& text, ui::Buttons buttons, ui::Icon icon) override;
    ui::Result runModal(ui::Dialog& dialog) override;
    std::optional<std::filesystem::path> chooseFolder(const ui::FolderRequest& request) override;
    std::optional<std::filesystem::path> saveFile(const ui::SaveFileRequest& request) override;
    std::optional<std::filesystem::path> openFile(const ui::OpenFileRequest& request) override;
    void print(const ui::PrintJob& job) override;
    void openTextFile(const std::filesystem::path& file) override;
    void openFolder(const std::filesystem::path& folder) override;

    // Every box shown, in order.
    const std::vector<Box>& boxes() const { return boxes_; }
    // Each expect... checks the oldest box not checked yet.
    void expectError(const std::string& text, Where where = Where::current());
    void expectInformation(const std::string& text, Where where = Where::current());
    void expectWarning(const std::string& text, Where where = Where::current());
    void expectMessage(const std::string& text, ui::Icon icon, Where where = Where::current());
    void expectQuestion(const std::string& text, ui::Buttons buttons = ui::Buttons::YesNo,
                        ui::Icon icon = ui::Icon::None, Where where = Where::current());
    void expectNoMoreBoxes(Where where = Where::current());
    // The oldest box not checked yet, now counted as checked; nullopt when none.
    std::optional<Box> takeBox();
    // Counts every box shown so far as checked.
    void forgetBoxes() { checked_ = boxes_.size(); }

    const std::vector<ui::FolderRequest>& folderRequests() const { return folderRequests_; }
    const std::vector<ui::SaveFileRequest>& saveRequests() const { return saveRequests_; }
    const std::vector<std::filesystem::path>& openedFiles() const { return openedFiles_; }
    const std::vector<std::filesystem::path>& openedFolders() const { return openedFolders_; }
    // Titles of the nested dialogs run, in order.
    const std::vector<std::string>& dialogsRun() const { return dialogsRun_; }
    // The print jobs asked for, in order.
    const std::vector<ui::PrintJob>& printJobs() const { return printJobs_; }

  private:
    // Checks the oldest box not checked yet against `expected`; `missing`
    // says what was awaited when no box is left.
    void expectBox(const Box& expected, const char* missing, Where where);

    std::deque<ui::Answer> answers_;
    std::deque<DialogScript> dialogScripts_;
    std::deque<std::optional<std::filesystem::path>> folders_, files_, openFiles_;
    std::function<void(const ui::PrintJob&)> printHook_;

    std::vector<Box> boxes_;
    std::size_t checked_ = 0;
    std::vector<ui::FolderRequest> folderRequests_;
    std::vector<ui::SaveFileRequest> saveRequests_;
    std::vector<std::filesystem::path> openedFiles_, openedFolders_;
    std::vector<std::string> dialogsRun_;
    std::vector<ui::PrintJob> printJobs_;
};

template <class D, class F>
ScriptedHost& ScriptedHost::onDialog(F script) {
    return onDialog([script = std::move(script)](DialogDriver& driver) mutable {
        auto* dialog = dynamic_cast<D*>(&DriverDialog(driver));
        if (!dialog) {
            ADD_FAILURE() << "the nested dialog \"" << DriverDialog(driver).title()
                          << "\" is not of the class the script expects";
            return;
        }
        script(*dialog, driver);
    });
}

std::string Describe(const Box& box);

}  // namespace testing_support
