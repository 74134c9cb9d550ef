#pragma once
// Page "Раздел А" of the VAT return: the VAT charged, computed from the sales
// journal and only shown. Its captions follow the wording of the form in
// force in the period.

#include "returns/CDeklDDS.h"

namespace returns {

class CDeklRazdelA : public DeklPage {
  public:
    explicit CDeklRazdelA(CDeklDDS& sheet);

  protected:
    void show(bool first) override;

  private:
    struct Cell {
        ui::Edit& edit;
        double db::ReturnRow::*value;
    };
    std::vector<Cell> cells_;
};

}  // namespace returns
