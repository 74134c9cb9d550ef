#include "files/checker/CCheckFiles.h"

#include <exception>
#include <new>

#include "platform/CodePage.h"
#include "platform/Files.h"
#include "ui/Host.h"

namespace files::checker {

CCheckFiles::CCheckFiles(ui::Host& host, std::filesystem::path outputFolder,
                         const platform::Clock& clock, bool showOemConversion,
                         std::optional<MergeTarget> target)
    : Dialog(host, "Проверка на файлове", {420, 260}),
      outputFolder_(std::move(outputFolder)),
      clock_(clock),
      target_(std::move(target)),
      reportBox_(addTextBox("report", "", {8, 8, 404, 222}).fixedPitch().anchored(ui::kGrows)),
      folderButton_(addButton("folder", "Папка", {8, 238, 54, 14}).anchored(ui::kFollowsBottom)),
      branchButton_(addButton("branch", "Файлове от клон", {68, 238, 72, 14})
                        .anchored(ui::kFollowsBottom)),
      addButton_(addButton("add", "Прибави", {146, 238, 54, 14}).anchored(ui::kFollowsBottom)),
      printButton_(addButton("print", "Печат", {206, 238, 54, 14}).anchored(ui::kFollowsBottom)),
      oemButton_(addButton("oem", "OEM -> ANSI", {266, 238, 60, 14}).anchored(ui::kFollowsBottom)),
      closeButton_(
          addButton("close", "Затвори", {358, 238, 54, 14}).anchored(ui::kFollowsBottomRight)) {
    oemButton_.setVisible(showOemConversion);
    // The report takes what room the window is given; the row of buttons
    // keeps its width.
    setResizable({420, 140});
}

void CCheckFiles::pressed(ui::Button& button) {
    if (&button == &folderButton_) checkFolder();
    if (&button == &branchButton_) loadBranchFiles();
    if (&button == &addButton_) addLoaded();
    if (&button == &oemButton_) repeatAsOem();
    if (&button == &printButton_) print();
    if (&button == &closeButton_) close(ui::Result::Ok);
}

void CCheckFiles::refresh() {
    printButton_.setEnabled(!report_.empty());
    oemButton_.setEnabled(!report_.empty());
    addButton_.setEnabled(!report_.empty() && mergeSource_ && target_);
}

std::optional<std::filesystem::path> CCheckFiles::chooseFolder() {
    ui::FolderRequest request;
    request.title = "Избор на папка";
    request.prompt = "Избрете къде се намират файловете!";
    if (folder_) request.start = *folder_;
    const auto chosen = host().chooseFolder(request);
    if (chosen) folder_ = *chosen;
    return chosen;
}

void CCheckFiles::checkFolder() {
    if (!chooseFolder()) return;
    // The journals of submission files may be added as well.
    mergeSource_ = true;
    run(RunKind::Folder);
}

void CCheckFiles::repeatAsOem() {
    if (folder_) run(RunKind::OemToAnsi);
}

void CCheckFiles::run(RunKind kind) {
    salesSource_ = merge::SalesSource::SubmissionFile;
    load([&] { return RunCheck(state_, *folder_, kind, clock_.now()); });
}

void CCheckFiles::load(const std::function<std::string()>& read) {
    report_.clear();
    reportBox_.setText({});
    alreadyAdded_ = false;
    try {
        report_ = read();
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
