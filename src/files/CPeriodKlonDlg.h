#pragma once
// "Запис на дневници на клон върху дискета": a branch chooses a period in
// which it has documents and writes its merge files for the head office.

#include "db/Database.h"
#include "files/SubmissionWriter.h"
#include "ui/Dialog.h"

namespace files {

// A period of the list with the branch's document counts; a count of a kind
// the period has none of stays blank.
struct BranchPeriod {
    std::string period, purchases, sales;
    bool operator==(const BranchPeriod&) const = default;
};

// The periods in which the branch has documents of either kind, newest first.
std::vector<BranchPeriod> branchPeriods(db::Database& db, const std::string& vin,
                                        const std::string& klon);

class CPeriodKlonDlg : public ui::Dialog {
  public:
    CPeriodKlonDlg(ui::Host& host, db::Database& db, WriterSession session);

  protected:
    void opened() override;
    void pressed(ui::Button& button) override;

  private:
    db::Database& db_;
    WriterSession session_;
    ui::ListView& periods_ = addListView("periods", "", {7, 7, 190, 120})
                                 .column("ПЕРИОД")
                                 .column("БРОЙ Покупки", ui::Align::Right)
                                 .column("БРОЙ Продажби", ui::Align::Right);
    ui::Button& write_ = addButton("write", "Запис", {205, 7, 60, 14}).makeDefault();
    ui::Button& close_ = addButton("close", "Затваряне", {205, 25, 60, 14});
};

}  // namespace files
