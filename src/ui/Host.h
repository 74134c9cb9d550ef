#pragma once
// What a dialog asks of the world outside it: message boxes and questions,
// nested modal dialogs, the folder chooser and the save-file dialog, printing,
// and showing a text file or a folder. Every box is captioned "Зорева по ЗДДС"; questions
// show the buttons "Да", "Не" and "Отказ". The Qt front-end and the scripted
// test host implement it.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace ui {

class Dialog;
enum class Result;

inline constexpr const char* kAppCaption = "Зорева по ЗДДС";

enum class Icon { None, Error, Information, Warning };
enum class Buttons { Ok, YesNo, YesNoCancel };
enum class Answer { Ok, Yes, No, Cancel };

struct FileFilter {
    std::string name;     // "Text file"
    std::string pattern;  // "*.txt"
};

// The save-file dialog. It asks before it replaces an existing file.
struct SaveFileRequest {
    std::string title;
    std::filesystem::path folder;
    std::string proposedName;
    std::string defaultExtension;  // added to a name typed without one, e.g. "txt"
    std::vector<FileFilter> filters;
};

// What a print button asks for: the printout of one kind for a tax period
// (YYYYMM) of the current person. The numbers are those of the printouts.
enum class PrintKind { Purchases = 1, Sales = 2, Vies = 3, VatReturn = 4 };
struct PrintJob {
    PrintKind kind;
    std::string period;
    bool operator==(const PrintJob&) const = default;
};

// The open-file dialog: an existing file.
struct OpenFileRequest {
    std::string title;
    std::filesystem::path folder;
    std::vector<FileFilter> filters;
};

struct FolderRequest {
    std::string title;   // the chooser's caption
    std::string prompt;  // the line that tells what to choose
    std::filesystem::path start;
};

class Host {
  public:
    virtual ~Host() = default;

    // A message box with the given icon and an OK button.
    virtual void message(const std::string& text, Icon icon) = 0;
    // A question box; returns the button pressed.
    virtual Answer ask(const std::string& text, Buttons buttons, Icon icon) = 0;
    // Shows the dialog modally (it is opened here) and returns when it has
    // closed, with its result.
    virtual Result runModal(Dialog& dialog) = 0;
    // The chosen folder; nullopt when the person cancelled.
    virtual std::optional<std::filesystem::path> chooseFolder(const FolderRequest& request) = 0;
    // The chosen file; nullopt when the person cancelled.
    virtual std::optional<std::filesystem::path> saveFile(const SaveFileRequest& request) = 0;
    // The chosen existing file; nullopt when the person cancelled.
    virtual std::optional<std::filesystem::path> openFile(const OpenFileRequest& request) = 0;
    // Prints the job for the current person; returns when printing has
    // ended, was cancelled or abandoned, the dialog staying open.
    virtual void print(const PrintJob& job) = 0;
    // Shows a text file in the person's text viewer or, when none can be
    // started, in the program's own (TextViewer).
    virtual void openTextFile(const std::filesystem::path& file) = 0;
    // Shows a folder in the person's file manager.
    virtual void openFolder(const std::filesystem::path& folder) = 0;

    void error(const std::string& text) { message(text, Icon::Error); }
    void information(const std::string& text) { message(text, Icon::Information); }
    void warning(const std::string& text) { message(text, Icon::Warning); }
};

}  // namespace ui
