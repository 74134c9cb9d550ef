#pragma once
// "Проверка на файлове": checks a folder of submission files and shows the
// check report; "Печат" saves it as Report.txt in the output folder and opens
// it in the text viewer. "Файлове от клон" loads a branch's merge files the
// same way, and "Прибави" adds what was loaded (a branch's documents or the
// journals of the submission files) to the journals of the session's
// person: the only action of the dialog that touches the database.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "db/Database.h"
#include "files/checker/CheckRun.h"
#include "files/checker/CheckState.h"
#include "files/merge/MergedDocument.h"
#include "platform/Clock.h"
#include "ui/Dialog.h"

namespace files::checker {

// Where "Прибави" adds: the session's database and its person's VAT number.
struct MergeTarget {
    db::Database* db = nullptr;
    std::string vin;
};

class CCheckFiles : public ui::Dialog {
  public:
    // `showOemConversion`: the CONVERT setting exists, which shows the
    // "OEM -> ANSI" button. Without a target nothing can be added.
    CCheckFiles(ui::Host& host, std::filesystem::path outputFolder, const platform::Clock& clock,
                bool showOemConversion, std::optional<MergeTarget> target = std::nullopt);

    // What the last run read, for the merge import.
    const CheckState& state() const { return state_; }
    // The report as it is saved: Windows-1251 bytes.
    const std::string& report() const { return report_; }

  protected:
    void pressed(ui::Button& button) override;
    void refresh() override;

  private:
    void checkFolder();
    void repeatAsOem();
    void run(RunKind kind);
    void print();
    std::optional<std::filesystem::path> chooseFolder();
    // Replaces the state and the report with what `load` reads.
    void load(const std::function<std::string()>& read);
    // "Файлове от клон" and "Прибави".
    void loadBranchFiles();
    void addLoaded();
    bool mayAdd();

    std::filesystem::path outputFolder_;
    const platform::Clock& clock_;
    std::optional<MergeTarget> target_;
    CheckState state_;
    std::string report_;
    std::optional<std::filesystem::path> folder_;
    bool mergeSource_ = false;   // something was loaded that "Прибави" may add
    bool alreadyAdded_ = false;  // and it was added
    merge::SalesSource salesSource_ = merge::SalesSource::SubmissionFile;

    ui::TextBox& reportBox_;
    ui::Button& folderButton_;
    ui::Button& branchButton_;
    ui::Button& addButton_;
    ui::Button& printButton_;
    ui::Button& oemButton_;
    ui::Button& closeButton_;
};

}  // namespace files::checker
