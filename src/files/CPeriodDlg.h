#pragma once
// "Запис на дневници върху дискета": the head office chooses a period whose
// VAT return exists and writes its submission files. The dialog stays open,
// so that several periods can be written one after another.

#include "db/Database.h"
#include "files/SubmissionWriter.h"
#include "ui/Dialog.h"

namespace files {

class CPeriodDlg : public ui::Dialog {
  public:
    CPeriodDlg(ui::Host& host, db::Database& db, WriterSession session);

  protected:
    void opened() override;
    void pressed(ui::Button& button) override;

  private:
    db::Database& db_;
    WriterSession session_;
    ui::ListView& periods_ = addListView("periods", "", {7, 7, 110, 120}).column("ПЕРИОД");
    ui::Button& write_ = addButton("write", "Запис", {125, 7, 60, 14}).makeDefault();
    ui::Button& close_ = addButton("close", "Затваряне", {125, 25, 60, 14});
};

}  // namespace files
