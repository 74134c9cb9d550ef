#pragma once
// "Избиране на период": the period whose duplicate documents are looked for,
// one of those for which the person or branch has a VAT return, newest first.

#include <string>

#include "session/Session.h"
#include "ui/Dialog.h"

namespace journals {

class CDeleteDubl : public ui::Dialog {
  public:
    CDeleteDubl(ui::Host& host, session::Session& session);

    // The period chosen with "Избери"; "" when the dialog was closed otherwise.
    const std::string& period() const { return period_; }

  protected:
    void opened() override;
    void pressed(ui::Button& button) override;

  private:
    session::Session& session_;
    std::string period_;
    ui::ListView& periods_ = addListView("periods", "", {7, 7, 80, 120}).column("ПЕРИОД");
    ui::Button& choose_ = addButton("choose", "Избери", {95, 7, 50, 14}).makeDefault();
};

}  // namespace journals
