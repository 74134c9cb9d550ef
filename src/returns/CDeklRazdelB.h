#pragma once
// Page "Раздел Б" of the VAT return: the tax credit. The user types the
// coefficient of field 33, which counts only when there is partial-credit VAT
// (field 42); field 40 follows from it.
//
// The first time the page is shown it stores the coefficient (0 when field 42
// is 0) and field 40 in floating point. On confirmation it stores them again,
// field 40 now in exact stotinki: 41 + 42 x 33 + 43, where the share 42 x 33
// rounds half up when positive and is cut when negative.

#include <optional>
#include <vector>

#include "journals/JournalRulesMoney.h"
#include "returns/CDeklDDS.h"

namespace returns {

class CDeklRazdelB : public DeklPage {
  public:
    explicit CDeklRazdelB(CDeklDDS& sheet);

    void changed(ui::Edit& cell) override;
    void left(ui::Edit& cell) override;
    bool modified() const override;
    bool readyToSave() override;
    void save() override;
    void saved() override;

  protected:
    void show(bool first) override;

  private:
    // Field 33 normalised, after the checks of leaving it; nullopt after
    // the message, the focus back on the field.
    std::optional<std::string> acceptedCoefficient();
    void refuse(const std::string& message);

    struct Shown {
        ui::Edit* edit;
        double db::ReturnRow::*value;
    };
    std::vector<Shown> shown_;  // the cells of the row shown as they are
    ui::Edit* db41_ = nullptr;
    ui::Edit* db42_ = nullptr;
    ui::Edit* db43_ = nullptr;
    std::optional<TypedCell> coefficient_;
    ui::Edit* dr40_ = nullptr;
    // What save() stored: the coefficient in hundredths and field 40.
    journals::Stotinki savedCoefficient_ = 0, savedCredit_ = 0;
};

}  // namespace returns
