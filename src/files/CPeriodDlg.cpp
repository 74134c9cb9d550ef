#include "files/CPeriodDlg.h"

namespace files {

CPeriodDlg::CPeriodDlg(ui::Host& host, db::Database& db, WriterSession session)
    : PeriodWriterDlg(host, db, std::move(session), "Запис на дневници върху дискета", 110) {}

// Only periods with a head-office VAT return can be written, newest first.
void CPeriodDlg::opened() {
    auto s = db_.query("SELECT PERIOD FROM DEKLAR WHERE VIN = ? AND KLON = '' ORDER BY PERIOD DESC",
                       session_.vin);
    while (s.step()) periods_.table().add({{s.text(0)}});
}

void CPeriodDlg::write(const std::string& period) {
    WriteSubmissionFiles(db_, host(), session_, period);
}

}  // namespace files
