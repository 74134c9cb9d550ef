#pragma once
// "Изтриване на дублирани": for one period, the purchase and the sales
// documents that have a duplicate, every repeat checked and the first one
// entered not; "Изтрий" deletes the checked documents and renumbers the
// period. The period is chosen with CDeleteDubl ("Период").
//
// Per list: "Избери всички" checks every repeat, "Откажи всички" unchecks all;
// checking one of several selected rows gives them all its state; a header
// click sorts by that column, a second click reverses. Below each list, the
// documents listed ("Всичко:") and checked ("Избрани:").

#include <array>
#include <string>

#include "journals/DuplicateRows.h"
#include "session/Session.h"
#include "ui/Dialog.h"

namespace journals {

class CDublirani : public ui::Dialog {
  public:
    CDublirani(ui::Host& host, session::Session& session);

  protected:
    void pressed(ui::Button& button) override;
    void rowChecked(ui::ListView& list, int row) override;
    void headerClicked(ui::ListView& list, int column) override;
    void refresh() override;

  private:
    // The list of one journal with its buttons and counters.
    struct Side {
        DuplicateRows rows;
        ui::ListView& list;
        ui::Button& checkAll;
        ui::Button& uncheckAll;
        ui::Label& total;
        ui::Label& chosen;
        ui::SortState sort{-1, false};
    };
    Side declareSide(db::Journal journal, const std::string& id, const std::string& caption,
                     int top);
    Side* sideOf(const ui::ListView& list);
    std::array<Side*, 2> sides() { return {&purchases_, &sales_}; }
    void choosePeriod();
    void fill(const std::string& period);
    void deleteChecked();

    session::Session& session_;
    std::string period_;
    Side purchases_;
    Side sales_;
    ui::Button& choosePeriod_;
    ui::Button& delete_;
    ui::Button& close_;
};

}  // namespace journals
