#pragma once
// Page "Раздел Б" of the VAT return: the tax credit. The user types the
// coefficient of field 33, which counts only when there is partial-credit VAT
// (field 42); field 40 follows from it.
//
// The first time the page is shown it stores the coefficient (0 when field 42
// is 0) and field 40; on confirmation it stores them again. Field 40 is exact
// stotinki, 41 + 42 x 33 + 43, where the share 42 x 33 rounds half up when
// positive and is cut when negative (ComputeResult), as the computation of
// the return and the file check make it.

#include <vector>

#include "returns/CDeklDDS.h"

namespace returns {

class CDeklRazdelB : public DeklPage {
  public:
    explicit CDeklRazdelB(CDeklDDS& sheet);

    void save() override;
    void saved() override;

  protected:
    void show(bool first) override;
    // Field 33 above 1.00.
    std::string refusal(const TypedCell& cell, const std::string& text) const override;

  private:
    struct Shown {
        ui::Edit* edit;
        double db::ReturnRow::*value;
    };
    std::vector<Shown> shown_;  // the cells of the row shown as they are
    ui::Edit* db41_ = nullptr;
    ui::Edit* db42_ = nullptr;
    ui::Edit* db43_ = nullptr;
    TypedCell* coefficient_ = nullptr;
    ui::Edit* dr40_ = nullptr;
    // What save() stored: the coefficient in hundredths and field 40.
    Stotinki savedCoefficient_ = 0, savedCredit_ = 0;
};

}  // namespace returns
