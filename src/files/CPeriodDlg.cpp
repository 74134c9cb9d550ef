#include "files/CPeriodDlg.h"

namespace files {

CPeriodDlg::CPeriodDlg(ui::Host& host, db::Database& db, WriterSession session)
    : Dialog(host, "Запис на дневници върху дискета", {192, 134}),
      db_(db),
      session_(std::move(session)) {}

// Only periods with a head-office VAT return can be written, newest first.
void CPeriodDlg::opened() {
    auto s = db_.query("SELECT PERIOD FROM DEKLAR WHERE VIN = ? AND KLON = '' ORDER BY PERIOD DESC",
                       session_.vin);
    while (s.step()) periods_.table().add({{s.text(0)}});
}

void CPeriodDlg::pressed(ui::Button& button) {
    if (&button == &close_) return close(ui::Result::Cancel);
    if (!periods_.documentSelected()) {
        host().error("Не сте избрали ПЕРИОД!");
        return setFocus(periods_);
    }
    WriteSubmissionFiles(db_, host(), session_, periods_.source().cell(periods_.selectedRow(), 0));
}

}  // namespace files
