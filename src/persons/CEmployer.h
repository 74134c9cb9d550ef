#pragma once
// "Избор на задължено лице": the list of registered persons and branches,
// from which the user chooses the one all work refers to, and adds, edits and
// removes them. The choice is the EDANNI row marked LAST; the session reads
// it again when the chooser has closed, whatever its result.
//
// One chooser serves a whole run: the order the user gave the list by a
// header click holds at the next opening too.

#include <optional>
#include <string>
#include <vector>

#include "db/Database.h"
#include "persons/CAddEmployer.h"
#include "persons/PersonStore.h"
#include "ui/Dialog.h"

namespace persons {

class CEmployer : public ui::Dialog {
  public:
    CEmployer(db::Database& db, ui::Host& host);

  protected:
    void opened() override;
    void pressed(ui::Button& button) override;
    void headerClicked(ui::ListView& list, int column) override;
    void refresh() override;

  private:
    // Lists every row again, selecting the remembered one; an empty table
    // starts "Добави" at once.
    void reload();
    // The key of the selected row or, with none selected, the remembered key;
    // empty when that names no listed row.
    PersonKey target() const;
    void choose();
    void add();
    void edit();
    void remove();

    db::Database& db_;
    CAddEmployer editor_;
    std::vector<PersonKey> listed_;  // the keys of the list's rows, by row key
    PersonKey remembered_;
    ui::SortState sort_;
    bool sorted_ = false;  // the list keeps table order until a header is clicked

    ui::ListView& list_ = addListView("list", "", {7, 7, 240, 186});
    ui::Button& choose_ = addButton("choose", "Избери", {255, 7, 58, 14}).makeDefault();
    ui::Button& cancel_ = addButton("cancel", "Отказ", {255, 25, 58, 14});
    ui::Button& add_ = addButton("add", "Добави", {255, 55, 58, 14});
    ui::Button& edit_ = addButton("edit", "Редакция", {255, 73, 58, 14});
    ui::Button& remove_ = addButton("remove", "Премахни", {255, 91, 58, 14});
};

}  // namespace persons
