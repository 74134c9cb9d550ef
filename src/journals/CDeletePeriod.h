#pragma once
// "Изтриване на период": removes everything entered for one period of the
// current person or branch (documents, VAT return, VIES return). A head
// office whose branches have documents in the period chooses whether theirs
// go too.
//
// Listed are the periods with a VAT return or with documents, newest first:
// a period whose documents have no return yet can be removed as well.

#include "session/Session.h"
#include "ui/Dialog.h"

namespace journals {

class CDeletePeriod : public ui::Dialog {
  public:
    CDeletePeriod(ui::Host& host, session::Session& session);

  protected:
    void opened() override;
    void pressed(ui::Button& button) override;

  private:
    void fill();
    void remove(const std::string& period);

    session::Session& session_;
    ui::ListView& periods_ = addListView("periods", "", {7, 7, 80, 120}).column("ПЕРИОД");
    ui::Button& delete_ = addButton("delete", "Изтрий", {95, 7, 55, 14}).makeDefault();
    ui::Button& close_ = addButton("close", "Затваряне", {95, 25, 55, 14});
};

}  // namespace journals
