#pragma once
// The purchase journal: "Дневник за покупките - " and the VAT number of the
// current registered person (see JournalScreen for what both journals share).

#include "journals/JournalScreen.h"

namespace journals {

class CPokupki : public JournalScreen {
  public:
    CPokupki(ui::Host& host, session::Session& session);

  private:
    void typeChosen() override;
    void enableJournalFields() override;
    bool validateDocument() override;
    bool validateGoodsMeantFor(const std::string& code8a, const std::string& month) override;
    void moneyLeft(int column) override;

    bool validateColumnGroups();
    bool validateRates();
};

}  // namespace journals
