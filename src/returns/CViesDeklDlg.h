#pragma once
// "VIES Декларация": the VIES return of a period, generated anew from the
// sales journal when the dialog opens and shown in two lists, the
// intra-Community supplies (section "ВОД") and, from period 202004 on, the
// call-off-stock operations. Nothing in it is edited.

#include <functional>

#include "returns/ReturnDialog.h"

namespace returns {

class CViesDeklDlg : public ReturnDialog {
  public:
    // `printRequest` prints the VIES return of the scope's period ("Печат",
    // enabled when either list has a row).
    CViesDeklDlg(ui::Host& host, db::Database& db, ReturnScope scope,
                 std::function<void()> printRequest = {});

  protected:
    void opened() override;
    void pressed(ui::Button& button) override;
    void refresh() override;

  private:
    void fillSupplies();
    void fillCallOffStock();
    // PERIOD1 as the lists show it: empty when it is the return's own period.
    std::string monthShown(const std::string& period1) const;

    ui::ListView& supplies_;
    ui::ListView& callOffStock_;
    ui::Button& print_;
    ui::Button& close_;
};

}  // namespace returns
