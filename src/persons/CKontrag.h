#pragma once
// "Избор на контрагент": the counterparts register of one registered person.
// The two text fields both filter the list by leading characters and hold a
// new entry; "Само за този ИН" switches between the person's own entries and
// the entries shared by all. The journals open it to pick a counterpart:
//
//     persons::CKontrag picker(db, host, doc.person().vin);
//     if (host.runModal(picker) == ui::Result::Ok) knum.setText(picker.chosenId());

#include <cstdint>
#include <optional>
#include <string>

#include "db/Database.h"
#include "db/Rows.h"
#include "ui/Dialog.h"

namespace persons {

class CKontrag : public ui::Dialog {
  public:
    // ownerVin: the VAT number of the current registered person.
    CKontrag(db::Database& db, ui::Host& host, std::string ownerVin);

    // The entry picked with "Избери" (the dialog then closes with Result::Ok);
    // "" until one is picked.
    const std::string& chosenId() const { return chosenId_; }
    const std::string& chosenName() const { return chosenName_; }

  protected:
    void opened() override;
    void changed(ui::Control& control) override;
    void pressed(ui::Button& button) override;
    void headerClicked(ui::ListView& list, int column) override;
    void refresh() override;

  private:
    // The owner whose entries the list shows: the person's VAT number or "ALL".
    std::string listedOwner() const;
    void load();
    void choose();
    void add();
    // An existing entry with the typed identifier, made shared or renamed
    // when the person says so; the entry as it is now, or nullopt for "Не".
    std::optional<db::CounterpartRow> changeExisting(const db::CounterpartRow& existing,
                                                     const std::string& name);
    void select(const db::CounterpartRow& entry);
    void remove();

    db::Database& db_;
    std::string owner_;
    std::string chosenId_, chosenName_;
    // The filter texts of the last load: typing reloads only when they moved.
    std::string loadedId_, loadedName_;
    ui::SortState sort_;
    bool sorted_ = false;  // the list keeps table order until a header is clicked
    std::int64_t nextKey_ = 0;

    ui::Edit& id_ =
        addEdit("kn", "ИН на контрагент", {75, 7, 80, 12}).labelAt({7, 9, 66, 8}).limit(15);
    ui::Edit& name_ =
        addEdit("name", "Наименование", {75, 23, 185, 12}).labelAt({7, 25, 66, 8}).limit(50);
    ui::CheckBox& ownOnly_ = addCheckBox("ownOnly", "Само за този ИН", {170, 8, 90, 10});
    // A larger window gives the list the room; the commands keep to the right.
    ui::ListView& list_ = addListView("list", "", {7, 41, 253, 182}).anchored(ui::kGrows);
    ui::Button& choose_ =
        addButton("choose", "Избери", {268, 7, 55, 14}).makeDefault().anchored(ui::kFollowsRight);
    ui::Button& cancel_ =
        addButton("cancel", "Отказ", {268, 25, 55, 14}).anchored(ui::kFollowsRight);
    ui::Button& add_ = addButton("add", "Прибави", {268, 50, 55, 14}).anchored(ui::kFollowsRight);
    ui::Button& delete_ =
        addButton("delete", "Изтрий", {268, 68, 55, 14}).anchored(ui::kFollowsRight);
};

}  // namespace persons
