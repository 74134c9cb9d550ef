#pragma once
// "Справки": the period chooser from which the VAT return, the VIES return
// and the protocol report of a period are opened. The period is typed as
// YYYYMM; the buttons that open them are enabled only while it is a whole,
// valid period.

#include <functional>
#include <string_view>

#include "returns/VatReturnComputation.h"
#include "session/Session.h"
#include "ui/Dialog.h"

namespace returns {

class CDDSPeriod : public ui::Dialog {
  public:
    // Opens the protocol report of the scope's period. The report belongs to
    // the files, above the returns, so the caller gives the way to it.
    using OpenProtocol = std::function<void(ui::Host&, const ReturnScope&)>;

    CDDSPeriod(ui::Host& host, session::Session& session, OpenProtocol openProtocol = {});

  protected:
    void changed(ui::Control& control) override;
    void pressed(ui::Button& button) override;
    void refresh() override;

  private:
    // Whether the typed period is whole and valid; once it has six
    // characters, a refusal says why and keeps the focus on the period.
    bool periodAccepted();
    ReturnScope scope() const;

    session::Session& session_;
    OpenProtocol openProtocol_;
    bool periodValid_ = false;
    ui::Edit& period_ = addEdit("period", "Период", {44, 10, 40, 12})
                            .labelAt({10, 12, 32, 8})
                            .limit(6)
                            .accept(ui::Chars::Digits);
    ui::Button& vatReturn_ = addButton("vatReturn", "Декларация ДДС", {100, 8, 70, 14});
    ui::Button& vies_ = addButton("vies", "VIES", {100, 26, 70, 14});
    ui::Button& protocol_ = addButton("protocol", "Протокол", {100, 44, 70, 14});
    ui::Button& close_ = addButton("close", "Затваряне", {100, 66, 70, 14});
};

}  // namespace returns
