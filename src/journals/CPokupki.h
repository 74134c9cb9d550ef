#pragma once
// The purchase journal: "Дневник за покупките - " and the VAT number of the
// current registered person (see JournalScreen for what both journals share).

#include "journals/JournalScreen.h"

namespace journals {

class CPokupki : public JournalScreen {
  public:
    CPokupki(ui::Host& host, session::Session& session);

  private:
    void setPeriodCaptions(std::string_view period) override;
    void typeChosen() override;
    void enableJournalFields() override;
    bool validateDocument() override;
    void moneyLeft(int column) override;

    bool validateDates();
    bool validateCallOffStock();
    bool validateCounterpart();
    bool validateColumnGroups();
    bool validateRates();

    ui::Edit& col9_;
    ui::Edit& col10_;
    ui::Edit& col11_;
    ui::Edit& col12_;
    ui::Edit& col13_;
    ui::Edit& col14_;
    ui::Edit& col15_;
};

}  // namespace journals
