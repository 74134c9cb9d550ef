#include "files/CPeriodDlg.h"

#include "files/SubmissionStore.h"

namespace files {

CPeriodDlg::CPeriodDlg(ui::Host& host, db::Database& db, WriterSession session)
    : PeriodWriterDlg(host, db, std::move(session), "Запис на дневници върху дискета", 110) {}

// Only periods with a head-office VAT return can be written, newest first.
void CPeriodDlg::opened() {
    for (const auto& period : PeriodsWithReturn(db_, session_.vin))
        periods_.table().add({{period}});
}

void CPeriodDlg::write(const std::string& period) {
    WriteSubmissionFiles(db_, host(), session_, period);
}

}  // namespace files
