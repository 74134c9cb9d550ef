#pragma once
// Small dialogs built the way the program's screens are, to test the dialog
// layer, its driver and its Qt view.

#include <algorithm>
#include <string>
#include <vector>

#include "ui/Dialog.h"
#include "ui/Host.h"

namespace forms {

// Picks a counterpart from a list, as the journals' "Контрагенти" does.
class Picker : public ui::Dialog {
  public:
    explicit Picker(ui::Host& host) : Dialog(host, "Избор на контрагент", {200, 150}) {
        list.column("ИН").column("Име");
        list.table().add({{"121212121", "Алфа"}});
        list.table().add({{"221212121", "Бета"}});
    }
    ui::ListView& list = addListView("list", "", {5, 5, 190, 110});
    ui::Button& choose = addButton("choose", "Избери", {5, 125, 50, 14}).makeDefault();
    ui::Button& cancel = addButton("cancel", "Отказ", {60, 125, 50, 14});
    std::string chosen;

  protected:
    void pressed(ui::Button& button) override {
        if (&button == &cancel) return close(ui::Result::Cancel);
        if (!list.documentSelected()) {
            host().error("Не сте избрали контрагент");
            return setFocus(list);
        }
        chosen = list.source().cell(list.selectedRow(), 0);
        close(ui::Result::Ok);
    }
    void refresh() override { choose.setEnabled(list.rowCount() > 0); }
};

// A document form: a period checked when it is left, a type with its name
// shown beside it, a counterpart field filled from a nested picker, and
// buttons whose captions follow the state. Enter moves to the next field;
// Escape does not close it.
class Journal : public ui::Dialog {
  public:
    explicit Journal(ui::Host& host) : Dialog(host, "Дневник", {300, 200}) {
        setEnterMovesToNextField(true);
        type.setItems({"01", "02", "07"});
    }
    ui::Edit& period = addEdit("period", "Период", {60, 10, 40, 14})
                           .labelAt({8, 12, 50, 8})
                           .limit(6)
                           .accept(ui::Chars::Digits);
    ui::ComboBox& type = addComboBox("type", "3.Вид документ", {60, 30, 30, 60});
    ui::Edit& typeName = addEdit("typeName", "", {95, 30, 150, 14}).setReadOnly();
    ui::DatePicker& date = addDatePicker("date", "5.Дата на документа", {60, 50, 60, 14});
    ui::Button& counterparts = addButton("counterparts", "Контрагенти", {130, 50, 60, 14});
    ui::Edit& knum = addEdit("knum", "6.ИН на контрагента", {60, 70, 80, 14}).limit(15);
    ui::Edit& amount = addEdit("amount", "9", {60, 90, 80, 14}).limit(15).alignRight();
    ui::CheckBox& advance = addCheckBox("advance", "авансово плащане", {60, 110, 120, 10});
    ui::Button& save = addButton("save", "Добави", {10, 180, 60, 14});
    ui::Button& edit = addButton("edit", "Редакция", {80, 180, 60, 14});
    ui::Button& closeButton = addButton("close", "Затвори", {230, 180, 60, 14});

    int saves = 0;
    std::vector<std::string> leftFields;  // ids of the fields left, in order

  protected:
    void changed(ui::Control& control) override {
        if (&control == &type) {
            static const char* const kNames[] = {"Фактура", "Дебитно известие", "Митническа"};
            typeName.setText(kNames[type.selected()]);
            if (type.selectedText() == "07") knum.setText("999999999999999");
        }
    }
    void left(ui::Control& control) override {
        leftFields.push_back(control.id());
        if (&control == &period && !period.text().empty() && period.text().size() != 6) {
            host().error("Некоректна стойност на поле 'Период'");
            setFocus(period);
        }
    }
    void pressed(ui::Button& button) override {
        if (&button == &save) ++saves;
        if (&button == &edit) editing_ = !editing_;
        if (&button == &closeButton) close(ui::Result::Ok);
        if (&button == &counterparts) {
            Picker picker(host());
            if (host().runModal(picker) == ui::Result::Ok) {
                knum.setText(picker.chosen);
                setFocus(knum);
            }
        }
    }
    void closeRequested(ui::CloseRequest request) override {
        if (request == ui::CloseRequest::WindowClose && !editing_) close(ui::Result::Cancel);
    }
    void refresh() override {
        const bool periodEntered = period.text().size() == 6;
        type.setEnabled(periodEntered);
        knum.setEnabled(periodEntered && type.selectedText() != "07");
        save.setEnabled(type.selected() >= 0);
        save.setCaption(editing_ ? "Актуализирай" : "Добави");
        edit.setCaption(editing_ ? "Отказ" : "Редакция");
        closeButton.setEnabled(!editing_);
    }

  private:
    bool editing_ = false;
};

// A property sheet with two pages and OK / apply / cancel.
class Return : public ui::Dialog {
  public:
    explicit Return(ui::Host& host) : Dialog(host, "Справка декларация за ДДС", {250, 200}) {}
    ui::Sheet& sheet = addSheet("sheet", {5, 5, 240, 165});
    ui::Page& pageA = addPage(sheet, "a", "Раздел А");
    ui::Page& pageB = addPage(sheet, "b", "Раздел Б");
    ui::Edit& cellA =
        addEdit("DS01", "01.", {100, 10, 60, 14}).on(pageA).labelAt({10, 12, 80, 8}).setReadOnly();
    ui::Edit& cellB = addEdit("DR33", "33.", {100, 10, 60, 14}).on(pageB).limit(4);
    ui::Button& ok = addButton("ok", "OK", {80, 178, 50, 14});
    ui::Button& apply = addButton("apply", "Потвърди", {135, 178, 50, 14});
    ui::Button& cancel = addButton("cancel", "Откажи", {190, 178, 50, 14});

    std::vector<std::string> activated;

  protected:
    void opened() override { cellA.setText("100.00"); }
    void pageActivated(ui::Page& page) override { activated.push_back(page.id()); }
    void changed(ui::Control&) override { dirty_ = true; }
    void pressed(ui::Button& button) override {
        if (&button == &apply) dirty_ = false;
        if (&button == &ok) close(ui::Result::Ok);
        if (&button == &cancel) close(ui::Result::Cancel);
    }
    void enter(ui::Control* focused) override {
        if (focused && focused->kind() == ui::Kind::Button) Dialog::enter(focused);
    }
    void refresh() override {
        apply.setEnabled(dirty_);
        cancel.setEnabled(dirty_);
    }

  private:
    bool dirty_ = false;
};

// A list of documents with check boxes, several rows selected at once, a
// totals row, sorting by header clicks and a counter of checked rows.
class Documents : public ui::Dialog {
  public:
    explicit Documents(ui::Host& host) : Dialog(host, "Изтриване на дублирани", {300, 200}) {
        list.column(" № ", ui::Align::Right).column("Име").column("9", ui::Align::Right);
        list.table().add({{"1", "Бета", "10.00"}, false, 101});
        list.table().add({{"2", "Алфа", "2.50"}, false, 102});
        list.table().add({{"3", "Гама", "-1.00"}, false, 103});
        list.table().setTotals({"Общо", "", "11.50"});
    }
    ui::ListView& list =
        addListView("list", "Покупки", {5, 5, 290, 150}).withCheckBoxes().withMultiSelect();
    ui::Label& counter = addLabel("Избрани: 0", {5, 160, 100, 8}, "counter");
    ui::Button& remove = addButton("remove", "Изтрий", {5, 180, 50, 14});

  protected:
    void rowChecked(ui::ListView&, int row) override {
        // Checking one of several selected rows gives them all its state.
        const auto selection = list.selection();
        if (std::find(selection.begin(), selection.end(), row) == selection.end()) return;
        for (int selected : selection)
            list.table().setChecked(selected, list.source().checked(row));
    }
    void headerClicked(ui::ListView&, int column) override {
        sort_.click(column);
        list.table().sort([&](const ui::Row& a, const ui::Row& b) {
            const auto& x = a.cells[column];
            const auto& y = b.cells[column];
            const bool less = column == 1 ? x < y : std::stod(x) < std::stod(y);
            const bool greater = column == 1 ? y < x : std::stod(y) < std::stod(x);
            return sort_.descending ? greater : less;
        });
        list.showSort(sort_);
    }
    void refresh() override {
        int checked = 0;
        for (int row = 0; row < list.table().documentCount(); ++row)
            checked += list.source().checked(row);
        counter.setCaption("Избрани: " + std::to_string(checked));
        remove.setEnabled(checked > 0);
    }

  private:
    ui::SortState sort_;
};

}  // namespace forms
