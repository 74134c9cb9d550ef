#pragma once
// The sales journal: "Дневник за продажбите - " and the VAT number of the
// current registered person (see JournalScreen for what both journals share).
// Beyond the purchase journal it analyses column 24 for the VIES return and
// marks column 25 as an advance payment left out of it (VIES_TYPE).

#include "journals/JournalScreen.h"

namespace journals {

class CProdagbi : public JournalScreen {
  public:
    CProdagbi(ui::Host& host, session::Session& session);

  private:
    void typeChosen() override;
    void enableJournalFields() override;
    bool validateDocument() override;
    bool validateGoodsMeantFor(const std::string& code8a, const std::string& month) override;
    void moneyLeft(int column) override;
    void writeJournalColumns(db::JournalRow& row) const override;
    void readJournalColumns(const db::JournalRow& row) override;
    void clearJournalFields() override;

    void enableFrom202004(const std::string& type);
    void enableBefore202004(const std::string& type);
    void rebuildViesColumn();
    bool validateCounterpart();
    bool validateColumns();
    bool validateSumsAndRates();

    ui::Edit& col24_;  // columns 9 to 24, declared together
    ui::ComboBox& viesColumn_;
    ui::Edit& col25_;
    ui::CheckBox& advance_;
};

}  // namespace journals
