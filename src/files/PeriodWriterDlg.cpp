#include "files/PeriodWriterDlg.h"

#include "ui/Host.h"

namespace files {
namespace {

ui::SaveFileRequest SaveRequest(const PeriodFiles& files) {
    ui::SaveFileRequest request;
    request.title = "Save file";
    request.folder = files.folder();
    request.proposedName = files.proposedName();
    request.defaultExtension = "txt";
    request.filters = {{"Text file", "*.txt"}, {"All Files", "*.*"}};
    return request;
}

}  // namespace

PeriodWriterDlg::PeriodWriterDlg(ui::Host& host, db::Database& db, WriterSession session,
                                 std::string title, int listWidth)
    : Dialog(host, std::move(title), {listWidth + 82, 134}),
      db_(db),
      session_(std::move(session)),
      periods_(addListView("periods", "", {7, 7, listWidth, 120}).column("ПЕРИОД")),
      write_(addButton("write", "Запис", {listWidth + 15, 7, 60, 14}).makeDefault()),
      close_(addButton("close", "Затваряне", {listWidth + 15, 25, 60, 14})) {}

void PeriodWriterDlg::pressed(ui::Button& button) {
    if (&button == &close_) return close(ui::Result::Cancel);
    if (const auto period = chosenCell(periods_, 0, "Не сте избрали ПЕРИОД!")) write(*period);
}

void PeriodWriterDlg::tellWhere(const std::filesystem::path& folder) {
    if (host().ask(
            "Файловете са записани в папка\r\n" + folder.string() + "\r\nДа отворя ли папката?",
            ui::Buttons::YesNo, ui::Icon::Information) == ui::Answer::Yes)
        host().openFolder(folder);
}

// Cancelling the save dialog ends the command without a word.
void PeriodWriterDlg::write(const std::string& period) {
    auto files = prepare(period);
    if (files.stopped()) return host().error(files.stopped()->message);
    const auto chosen = host().saveFile(SaveRequest(files));
    if (!chosen) return;
    const auto result = files.write(*chosen);
    if (result.stop) return host().error(result.stop->message);
    tellWhere(result.folder);
}

}  // namespace files
