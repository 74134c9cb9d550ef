#pragma once
// What the two return dialogs, the VAT return (CDeklDDS) and the VIES return
// (CViesDeklDlg), share: the database and the scope (person, branch, period)
// of the return shown, and the program's request to print it.

#include <functional>
#include <string>

#include "db/Database.h"
#include "returns/VatReturnComputation.h"
#include "ui/Dialog.h"

namespace returns {

class ReturnDialog : public ui::Dialog {
  public:
    db::Database& database() const { return db_; }
    const ReturnScope& scope() const { return scope_; }

  protected:
    // Without a `printRequest` the return cannot be printed from the dialog.
    ReturnDialog(ui::Host& host, std::string title, ui::Size size, db::Database& db,
                 ReturnScope scope, std::function<void()> printRequest);

    bool canPrint() const { return static_cast<bool>(printRequest_); }
    void print() const {
        if (printRequest_) printRequest_();
    }

  private:
    db::Database& db_;
    ReturnScope scope_;
    std::function<void()> printRequest_;
};

}  // namespace returns
