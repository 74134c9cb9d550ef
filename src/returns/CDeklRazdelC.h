#pragma once
// Page "Раздел В, Г и Д" of the VAT return: the result of the period (fields
// 50 and 60, from fields 20 and 40), and the amounts the user types: the
// payable tax of fields 70 and 71, which count only when there is tax to pay,
// and the refunds of fields 80 to 82 (81 and 82 only when there is tax to
// refund, 80 always).
//
// The result is decided in stotinki of fields 20 and 40 as shown, so that a
// result shown as 0.00 is neither payable nor refundable.

#include <array>
#include <optional>
#include <vector>

#include "returns/CDeklDDS.h"
#include "returns/VatReturnComputation.h"

namespace returns {

class CDeklRazdelC : public DeklPage {
  public:
    explicit CDeklRazdelC(CDeklDDS& sheet);

    void save() override;
    void saved() override;
    ui::Button& printButton() const { return *print_; }

  protected:
    void show(bool first) override;

  private:
    enum Typed { F70, F71, F80, F81, F82, kTyped };

    // Field 20 minus field 40 of the row, in stotinki.
    Stotinki result() const;
    // Shows the result in field 50 or 60 and enables the typed cells it
    // allows; a cell it disables shows its stored value, or nothing.
    void showResult(Stotinki difference);
    void reloadStoredCells();
    // The typed cells as stored in the row; nullopt for a cell never filled.
    std::vector<std::optional<double>> storedCells() const;

    ui::Edit* dr50_ = nullptr;
    ui::Edit* dr60_ = nullptr;
    ui::Button* print_ = nullptr;
    std::array<TypedCell*, kTyped> typed_{};
    std::vector<double> savedValues_;
};

}  // namespace returns
