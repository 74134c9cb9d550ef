#include "files/PeriodWriterDlg.h"

#include "ui/Host.h"

namespace files {

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
    if (!periods_.documentSelected()) {
        host().error("Не сте избрали ПЕРИОД!");
        return setFocus(periods_);
    }
    if (const auto folder = write(periods_.source().cell(periods_.selectedRow(), 0)))
        tellWhere(*folder);
}

void PeriodWriterDlg::tellWhere(const std::filesystem::path& folder) {
    if (host().ask(
            "Файловете са записани в папка\r\n" + folder.string() + "\r\nДа отворя ли папката?",
            ui::Buttons::YesNo, ui::Icon::Information) == ui::Answer::Yes)
        host().openFolder(folder);
}

}  // namespace files
