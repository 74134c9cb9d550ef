#pragma once
// "Запис на дневници върху дискета": the head office chooses a period with
// documents or a VAT return and writes its submission files.

#include "files/PeriodWriterDlg.h"

namespace files {

class CPeriodDlg : public PeriodWriterDlg {
  public:
    CPeriodDlg(ui::Host& host, db::Database& db, WriterSession session);

  protected:
    void opened() override;
    PeriodFiles prepare(const std::string& period) override;
};

}  // namespace files
