#pragma once
// "Проверка на файлове": checks a folder of submission files and shows the
// check report; "Печат" saves it as Report.txt in the output folder and opens
// it in the text viewer. The database is never touched.

#include <filesystem>
#include <optional>
#include <string>

#include "files/checker/CheckRun.h"
#include "files/checker/CheckState.h"
#include "platform/Clock.h"
#include "ui/Dialog.h"

namespace files::checker {

class CCheckFiles : public ui::Dialog {
  public:
    // `showOemConversion`: the CONVERT setting exists, which shows the
    // "OEM -> ANSI" button.
    CCheckFiles(ui::Host& host, std::filesystem::path outputFolder, const platform::Clock& clock,
                bool showOemConversion);

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

    std::filesystem::path outputFolder_;
    const platform::Clock& clock_;
    CheckState state_;
    std::string report_;
    std::optional<std::filesystem::path> folder_;

    ui::TextBox& reportBox_;
    ui::Button& folderButton_;
    ui::Button& printButton_;
    ui::Button& oemButton_;
    ui::Button& closeButton_;
};

}  // namespace files::checker
