#include "files/checker/CCheckFiles.h"

#include <exception>
#include <new>

#include "platform/CodePage.h"
#include "platform/Files.h"
#include "ui/Host.h"

namespace files::checker {

CCheckFiles::CCheckFiles(ui::Host& host, std::filesystem::path outputFolder,
                         const platform::Clock& clock, bool showOemConversion)
    : Dialog(host, "Проверка на файлове", {420, 260}),
      outputFolder_(std::move(outputFolder)),
      clock_(clock),
      reportBox_(addTextBox("report", "", {8, 8, 404, 222}).fixedPitch()),
      folderButton_(addButton("folder", "Папка", {8, 238, 60, 14})),
      printButton_(addButton("print", "Печат", {76, 238, 60, 14})),
      oemButton_(addButton("oem", "OEM -> ANSI", {144, 238, 60, 14})),
      closeButton_(addButton("close", "Затвори", {352, 238, 60, 14})) {
    oemButton_.setVisible(showOemConversion);
}

void CCheckFiles::pressed(ui::Button& button) {
    if (&button == &folderButton_) checkFolder();
    if (&button == &oemButton_) repeatAsOem();
    if (&button == &printButton_) print();
    if (&button == &closeButton_) close(ui::Result::Ok);
}

void CCheckFiles::refresh() {
    printButton_.setEnabled(!report_.empty());
    oemButton_.setEnabled(!report_.empty());
}

void CCheckFiles::checkFolder() {
    ui::FolderRequest request;
    request.title = "Избор на папка";
    request.prompt = "Избрете къде се намират файловете!";
    if (folder_) request.start = *folder_;
    const auto chosen = host().chooseFolder(request);
    if (!chosen) return;
    folder_ = *chosen;
    run(RunKind::Folder);
}

void CCheckFiles::repeatAsOem() {
    if (folder_) run(RunKind::OemToAnsi);
}

void CCheckFiles::run(RunKind kind) {
    report_.clear();
    reportBox_.setText({});
    try {
        report_ = RunCheck(state_, *folder_, kind, clock_.now());
    } catch (const std::exception& e) {
        // The run is abandoned; most likely the files do not fit in memory.
        state_ = CheckState{};
        const bool memory = dynamic_cast<const std::bad_alloc*>(&e) != nullptr;
        host().error(memory ? "Няма достатъчно памет за проверката на файловете." : e.what());
        return;
    }
    reportBox_.setText(platform::DecodeCp1251(report_));
}

void CCheckFiles::print() {
    const auto file = outputFolder_ / "Report.txt";
    try {
        // The report as shown, then the end-of-file mark of text reports.
        platform::WriteFileAtomically(file, report_ + '\x1A');
    } catch (const std::exception&) {
        host().error("Couldn't create the file!");
        return;
    }
    host().openTextFile(file);
}

}  // namespace files::checker
