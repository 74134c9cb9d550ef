#pragma once
// "Данни за задълженото лице": the identity of a registered person or of one
// of its branches, as typed by the user. The form checks the values and
// writes nothing; its owner (the person chooser) fills it, shows it and, on
// acceptance, reads the values back and stores the row. In the editing mode
// the identification number and the branch cannot change.

#include <array>
#include <cstddef>
#include <string>

#include "db/Database.h"
#include "db/Rows.h"
#include "ui/Dialog.h"

namespace persons {

class CAddEmployer : public ui::Dialog {
  public:
    enum class Mode { Adding, Editing };

    CAddEmployer(db::Database& db, ui::Host& host);

    // Shows the row's values (an empty row clears the form). FL_PREDST "A"
    // chooses "Пълномощник", anything else "Представляващ".
    void fill(const db::PersonRow& person, Mode mode);
    // `person` with the form's values written over it; the columns the form
    // does not show (LAST and those kept from older databases) stay as given.
    db::PersonRow valuesOver(db::PersonRow person) const;
    Mode mode() const { return mode_; }

  protected:
    void entered(ui::Control& control) override;
    void pressed(ui::Button& button) override;
    void refresh() override;

  private:
    // A text field and the EDANNI column it holds.
    struct Field {
        ui::Edit* edit;
        std::string db::PersonRow::*column;
    };
    // A test of one field when "Запиши" is pressed.
    struct Rule {
        enum Test { Filled, AtMost, Exactly, AtLeast };
        ui::Edit* field;
        Test test;
        std::size_t characters;
        const char* message;
        bool holds() const;
    };
    std::array<Field, 16> fields() const;
    std::array<Rule, 17> fieldRules() const;

    // The identification number and branch: their form, and in the adding
    // mode that no row has them yet. False after an error box.
    bool identificationHolds();
    bool acceptable();
    bool vatNumberHolds();
    bool refuse(ui::Control& field, const std::string& message);

    db::Database& db_;
    Mode mode_ = Mode::Adding;

    ui::GroupBox& personGroup_ = addGroup("Регистрирано лице", {7, 4, 326, 112});
    ui::Edit& bulstat_ = addEdit("bulstat", "ИН на регистрираното лице", {128, 16, 56, 12})
                             .labelAt({14, 18, 112, 8})
                             .accept(ui::Chars::Digits);
    ui::Edit& klon_ = addEdit("klon", "Клон", {216, 16, 28, 12})
                          .labelAt({194, 18, 20, 8})
                          .accept(ui::Chars::Digits);
    ui::Edit& vin_ = addEdit("vin", "ИН по ЗДДС", {128, 32, 64, 12}).labelAt({14, 34, 112, 8});
    ui::Edit& name_ = addEdit("name", "Наименование", {128, 48, 198, 12}).labelAt({14, 50, 112, 8});
    ui::Edit& adress_ =
        addEdit("adress", "Адрес за кореспонденция", {128, 64, 198, 12}).labelAt({14, 66, 112, 8});
    ui::Edit& bPost_ =
        addEdit("bPost", "Длъжност за СД ЗДДС", {128, 80, 198, 12}).labelAt({14, 82, 112, 8});
    ui::Edit& bName_ =
        addEdit("bName", "Представляващ за СД ЗДДС", {128, 96, 198, 12}).labelAt({14, 98, 112, 8});

    ui::GroupBox& filerGroup_ = addGroup("Подаващ данните", {7, 120, 326, 176});
    ui::Edit& faceEgn_ =
        addEdit("faceEgn", "ЕГН/ЛНЧ/Сл.№ на ТАВО", {128, 132, 56, 12}).labelAt({14, 134, 112, 8});
    ui::ComboBox& capacity_ =
        addComboBox("capacity", "в качеството на", {252, 132, 74, 40}).labelAt({192, 134, 58, 8});
    ui::Edit& face_ =
        addEdit("face", "Име на ДЗЛ (кратко)", {128, 148, 198, 12}).labelAt({14, 150, 112, 8});
    ui::Edit& phone_ = addEdit("phone", "Телефон", {128, 164, 90, 12}).labelAt({14, 166, 112, 8});

    ui::GroupBox& namesGroup_ =
        addGroup("Трите имена по документ за самоличност", {14, 182, 312, 58});
    ui::Edit& face1_ = addEdit("face1", "Име", {128, 194, 192, 12}).labelAt({20, 196, 100, 8});
    ui::Edit& face2_ = addEdit("face2", "Презиме", {128, 210, 192, 12}).labelAt({20, 212, 100, 8});
    ui::Edit& face3_ = addEdit("face3", "Фамилия", {128, 226, 192, 12}).labelAt({20, 228, 100, 8});

    ui::GroupBox& addressGroup_ = addGroup("Адрес за кореспонденция", {14, 244, 312, 44});
    ui::Edit& faceGrad_ =
        addEdit("faceGrad", "Населено място", {128, 256, 120, 12}).labelAt({20, 258, 100, 8});
    ui::Edit& facePk_ = addEdit("facePk", "ПК", {274, 256, 46, 12}).labelAt({258, 258, 14, 8});
    ui::Edit& faceAdr1_ =
        addEdit("faceAdr1", "Адрес", {128, 272, 192, 12}).labelAt({20, 274, 100, 8});

    ui::Button& save_ = addButton("save", "Запиши", {222, 302, 52, 14});
    ui::Button& cancel_ = addButton("cancel", "Отказ", {280, 302, 52, 14});
};

}  // namespace persons
