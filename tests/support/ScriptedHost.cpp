#include "support/ScriptedHost.h"

#include "support/DialogDriver.h"

namespace testing_support {
namespace {

const char* IconName(ui::Icon icon) {
    switch (icon) {
        case ui::Icon::Error:
            return "error";
        case ui::Icon::Information:
            return "information";
        case ui::Icon::Warning:
            return "warning";
        case ui::Icon::None:
            break;
    }
    return "no icon";
}

const char* ButtonsName(ui::Buttons buttons) {
    switch (buttons) {
        case ui::Buttons::YesNo:
            return "Да/Не";
        case ui::Buttons::YesNoCancel:
            return "Да/Не/Отказ";
        case ui::Buttons::Ok:
            break;
    }
    return "OK";
}

template <class Value>
Value Next(std::deque<Value>& script) {
    Value value = std::move(script.front());
    script.pop_front();
    return value;
}

using Path = std::optional<std::filesystem::path>;

// The next path scripted for a chooser; when none is, a failure that says
// `unscripted`, and the chooser is cancelled.
Path NextPath(std::deque<Path>& script, const std::string& unscripted) {
    if (script.empty()) {
        ADD_FAILURE() << unscripted;
        return std::nullopt;
    }
    return Next(script);
}

}  // namespace

std::string Describe(const Box& box) {
    return std::string("[") + IconName(box.icon) + ", " + ButtonsName(box.buttons) + "] \"" +
           box.text + "\"";
}

ui::Dialog& DriverDialog(DialogDriver& driver) {
    return driver.dialog();
}

ScriptedHost::~ScriptedHost() {
    for (std::size_t i = checked_; i < boxes_.size(); ++i)
        ADD_FAILURE() << "a box the test did not check: " << Describe(boxes_[i]);
    if (!answers_.empty())
        ADD_FAILURE() << answers_.size() << " scripted answer(s) never asked for";
    if (!dialogScripts_.empty())
        ADD_FAILURE() << dialogScripts_.size() << " scripted dialog(s) never opened";
    if (!folders_.empty()) ADD_FAILURE() << "a scripted folder never asked for";
    if (!files_.empty()) ADD_FAILURE() << "a scripted file name never asked for";
    if (!openFiles_.empty()) ADD_FAILURE() << "a scripted file to open never asked for";
}

ScriptedHost& ScriptedHost::answer(ui::Answer answer) {
    answers_.push_back(answer);
    return *this;
}

ScriptedHost& ScriptedHost::onDialog(DialogScript script) {
    dialogScripts_.push_back(std::move(script));
    return *this;
}

ScriptedHost& ScriptedHost::chooseFolder(std::optional<std::filesystem::path> folder) {
    folders_.push_back(std::move(folder));
    return *this;
}

ScriptedHost& ScriptedHost::chooseFile(std::optional<std::filesystem::path> file) {
    openFiles_.push_back(std::move(file));
    return *this;
}

ScriptedHost& ScriptedHost::saveAs(std::optional<std::filesystem::path> file) {
    files_.push_back(std::move(file));
    return *this;
}

ScriptedHost& ScriptedHost::onPrint(std::function<void(const ui::PrintJob&)> hook) {
    printHook_ = std::move(hook);
    return *this;
}

void ScriptedHost::message(const std::string& text, ui::Icon icon) {
    boxes_.push_back({text, icon, ui::Buttons::Ok, std::nullopt});
}

ui::Answer ScriptedHost::ask(const std::string& text, ui::Buttons buttons, ui::Icon icon) {
    boxes_.push_back({text, icon, buttons, std::nullopt});
    if (answers_.empty()) {
        ADD_FAILURE() << "a question the test has no answer for: " << Describe(boxes_.back());
        boxes_.back().answer =
            buttons == ui::Buttons::YesNoCancel ? ui::Answer::Cancel : ui::Answer::No;
    } else {
        boxes_.back().answer = Next(answers_);
    }
    return *boxes_.back().answer;
}

ui::Result ScriptedHost::runModal(ui::Dialog& dialog) {
    dialogsRun_.push_back(dialog.title());
    if (dialogScripts_.empty()) {
        ADD_FAILURE() << "the dialog \"" << dialog.title() << "\" opened, and the test has no "
                      << "script for it";
        return ui::Result::Cancel;
    }
    const auto script = Next(dialogScripts_);
    DialogDriver driver(dialog);
    script(driver);
    if (dialog.isOpen()) {
        ADD_FAILURE() << "the script left the dialog \"" << dialog.title() << "\" open";
        return ui::Result::Cancel;
    }
    return dialog.result();
}

std::optional<std::filesystem::path> ScriptedHost::chooseFolder(const ui::FolderRequest& request) {
    folderRequests_.push_back(request);
    return NextPath(folders_,
                    "a folder chooser (\"" + request.prompt + "\") the test has no folder for");
}

std::optional<std::filesystem::path> ScriptedHost::saveFile(const ui::SaveFileRequest& request) {
    saveRequests_.push_back(request);
    return NextPath(files_,
                    "a save-file dialog (\"" + request.title + "\") the test has no name for");
}

std::optional<std::filesystem::path> ScriptedHost::openFile(const ui::OpenFileRequest& request) {
    return NextPath(openFiles_,
                    "an open-file dialog (\"" + request.title + "\") the test has no file for");
}

void ScriptedHost::print(const ui::PrintJob& job) {
    printJobs_.push_back(job);
    if (printHook_) printHook_(job);
}

void ScriptedHost::openTextFile(const std::filesystem::path& file) {
    openedFiles_.push_back(file);
}

void ScriptedHost::openFolder(const std::filesystem::path& folder) {
    openedFolders_.push_back(folder);
}

std::optional<Box> ScriptedHost::takeBox() {
    if (checked_ >= boxes_.size()) return std::nullopt;
    return boxes_[checked_++];
}

void ScriptedHost::expectBox(const Box& expected, const char* missing, Where where) {
    const auto box = takeBox();
    if (!box) {
        ADD_FAILURE_AT(where.file_name(), where.line())
            << missing << "; expected " << Describe(expected);
    } else if (box->text != expected.text || box->icon != expected.icon ||
               box->buttons != expected.buttons) {
        ADD_FAILURE_AT(where.file_name(), where.line())
            << "the box shown was " << Describe(*box) << "\n              expected "
            << Describe(expected);
    }
}

void ScriptedHost::expectMessage(const std::string& text, ui::Icon icon, Where where) {
    expectBox({text, icon, ui::Buttons::Ok, std::nullopt}, "no box was shown", where);
}

void ScriptedHost::expectError(const std::string& text, Where where) {
    expectMessage(text, ui::Icon::Error, where);
}

void ScriptedHost::expectInformation(const std::string& text, Where where) {
    expectMessage(text, ui::Icon::Information, where);
}

void ScriptedHost::expectWarning(const std::string& text, Where where) {
    expectMessage(text, ui::Icon::Warning, where);
}

void ScriptedHost::expectQuestion(const std::string& text, ui::Buttons buttons, ui::Icon icon,
                                  Where where) {
    expectBox({text, icon, buttons, std::nullopt}, "no question was asked", where);
}

void ScriptedHost::expectNoMoreBoxes(Where where) {
    if (const auto box = takeBox())
        ADD_FAILURE_AT(where.file_name(), where.line()) << "an unexpected box: " << Describe(*box);
    forgetBoxes();
}

}  // namespace testing_support
