#include "files/CPeriodDlg.h"

#include "files/SubmissionStore.h"

namespace files {

CPeriodDlg::CPeriodDlg(ui::Host& host, db::Database& db, WriterSession session)
    : PeriodWriterDlg(host, db, std::move(session), "Запис на дневници върху дискета", 110) {}

// The writer computes the return anew, so a period with documents and no
// return yet is offered as well as one with a return; newest first.
void CPeriodDlg::opened() {
    for (const auto& period : PeriodsToWrite(db_, session_.vin)) periods_.table().add({{period}});
}

PeriodFiles CPeriodDlg::prepare(const std::string& period) {
    return PeriodFiles::Submission(db_, session_, period);
}

}  // namespace files
