#pragma once
// "Запис на дневници на клон върху дискета": a branch chooses a period in
// which it has documents and writes its merge files for the head office.

#include <string>
#include <vector>

#include "db/Database.h"
#include "files/PeriodWriterDlg.h"

namespace files {

// A period of the list with the branch's document counts; a count of a kind
// the period has none of stays blank.
struct BranchPeriod {
    std::string period, purchases, sales;
    bool operator==(const BranchPeriod&) const = default;
};

// The periods in which the branch has documents of either kind, newest first.
std::vector<BranchPeriod> BranchPeriods(db::Database& db, const std::string& vin,
                                        const std::string& klon);

class CPeriodKlonDlg : public PeriodWriterDlg {
  public:
    CPeriodKlonDlg(ui::Host& host, db::Database& db, WriterSession session);

  protected:
    void opened() override;
    PeriodFiles prepare(const std::string& period) override;
};

}  // namespace files
