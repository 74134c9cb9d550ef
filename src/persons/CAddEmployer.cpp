#include "persons/CAddEmployer.h"

#include "persons/IdentifierChecks.h"
#include "platform/CodePage.h"
#include "ui/Host.h"

namespace persons {
namespace {

constexpr int kRepresentative = 0;  // "Представляващ", FL_PREDST "R"
constexpr int kAuthorised = 1;      // "Пълномощник", FL_PREDST "A"

std::size_t Length(const std::string& text) {
    return platform::Utf8Length(text);
}

}  // namespace

CAddEmployer::CAddEmployer(db::Database& db, ui::Host& host)
    : Dialog(host, "Данни за задълженото лице", {340, 322}), db_(db) {
    setEnterMovesToNextField(true);
    capacity_.setItems({"Представляващ", "Пълномощник"});
    capacity_.select(kRepresentative);
}

std::array<CAddEmployer::Field, 16> CAddEmployer::fields() const {
    using P = db::PersonRow;
    return {{{&bulstat_, &P::bulstat},
             {&klon_, &P::klon},
             {&vin_, &P::vin},
             {&name_, &P::name},
             {&adress_, &P::adress},
             {&bPost_, &P::bPost},
             {&bName_, &P::bName},
             {&faceEgn_, &P::faceEgn},
             {&face_, &P::face},
             {&phone_, &P::phone},
             {&face1_, &P::face1},
             {&face2_, &P::face2},
             {&face3_, &P::face3},
             {&faceGrad_, &P::faceGrad},
             {&facePk_, &P::facePk},
             {&faceAdr1_, &P::faceAdr1}}};
}

void CAddEmployer::fill(const db::PersonRow& person, Mode mode) {
    mode_ = mode;
    for (const auto& field : fields()) field.edit->setText(person.*field.column);
    capacity_.select(person.flPredst == "A" ? kAuthorised : kRepresentative);
}

db::PersonRow CAddEmployer::valuesOver(db::PersonRow person) const {
    for (const auto& field : fields()) person.*field.column = field.edit->text();
    person.flPredst = capacity_.selected() == kAuthorised ? "A" : "R";
    return person;
}

void CAddEmployer::refresh() {
    const bool adding = mode_ == Mode::Adding;
    bulstat_.setEnabled(adding);
    klon_.setEnabled(adding);
}

bool CAddEmployer::refuse(ui::Control& field, const std::string& message) {
    host().error(message);
    setFocus(field);
    return false;
}

// Run as the focus enters the name, the address, the telephone or the
// postcode, and before the acceptance tests. A stored row keeps its
// identification number and branch, so the editing mode skips it: the fields
// are disabled and could not take the focus back.
bool CAddEmployer::identificationHolds() {
    const std::string& id = bulstat_.text();
    if (mode_ == Mode::Editing || id.empty()) return true;
    if (Length(id) == 9) {
        if (!IsValidEik(id, &host())) return refuse(bulstat_, "Грешен ИН на регистрираното лице");
    } else if (Length(id) != 10) {
        return refuse(bulstat_, "ИН на регистрираното лице трябва да бъде 9 или 10 разряден");
    }
    const std::string& branch = klon_.text();
    if (!branch.empty()) {
        if (Length(branch) != 4)
            return refuse(klon_, "Клона на регистрираното лице трябва да бъде 4 разряден");
        if (!IsValidEik(id + branch, &host()))
            return refuse(klon_, "Грешен клон на регистрираното лице");
    }
    if (db::FindPerson(db_, id, branch))
        return refuse(bulstat_, "Вече има фирма с такова ИН+клон на регистрираното лице");
    return true;
}

void CAddEmployer::entered(ui::Control& control) {
    if (&control == &name_ || &control == &phone_ || &control == &adress_ || &control == &facePk_)
        identificationHolds();
}

void CAddEmployer::pressed(ui::Button& button) {
    if (&button == &cancel_) return close(ui::Result::Cancel);
    if (identificationHolds() && acceptable()) close(ui::Result::Ok);
}

bool CAddEmployer::vatNumberHolds() {
    const std::string& id = bulstat_.text();
    const std::string& vin = vin_.text();
    if (vin.empty()) return refuse(vin_, "VIN трябва да бъде BG + 9 или 10");
    if (!vin.starts_with("BG")) return refuse(vin_, "VIN трябва да започва с BG");
    // A 10-digit number (a natural person) binds the VAT number only when it
    // has the full length of "BG" and ten digits.
    const bool bound = Length(id) == 9 || Length(vin) == 12;
    if (bound && vin.substr(2) != id)
        return refuse(vin_, "VIN трябва да съвпада с BG + ИН на регистрираното лице");
    return true;
}

bool CAddEmployer::Rule::holds() const {
    const std::size_t n = Length(field->text());
    switch (test) {
        case Filled:
            return n > 0;
        case AtMost:
            return n <= characters;
        case Exactly:
            return n == characters;
        case AtLeast:
            return n >= characters;
    }
    return true;
}

std::array<CAddEmployer::Rule, 17> CAddEmployer::fieldRules() const {
    using enum Rule::Test;
    return {{
        {&name_, Filled, 0, "Полето 'Наименование' трябва да е попълнено"},
        {&name_, AtMost, 50, "Полето 'Наименование' не може да е по-дълго от 50 символа"},
        {&adress_, AtMost, 50,
         "Полето 'Адрес на кореспонденция' не може да е по-дълго от 50 символа"},
        {&bPost_, AtMost, 35, "Полето 'Длъжност за СД ЗДДС' не може да е по-дълго от 35 символа"},
        {&bName_, AtMost, 39,
         "Полето 'Представляващ за СД ЗДДС' не може да е по-дълго от 39 символа"},
        {&face_, AtMost, 50, "Полето 'Име на ДЗЛ(кратко)' не може да е по-дълго от 50 символа"},
        {&faceEgn_, Exactly, 10, "Полето 'ЕГН/ЛНЧ/Сл....' трябва да е 10 символа"},
        {&face1_, AtMost, 50, "Полето 'Име' не може да е по-дълго от 50 символа"},
        {&face2_, AtMost, 50, "Полето 'Презиме' не може да е по-дълго от 50 символа"},
        {&face3_, AtMost, 50, "Полето 'Фамилия' не може да е по-дълго от 50 символа"},
        {&faceGrad_, AtMost, 50, "Полето 'Населено място' не може да е по-дълго от 50 символа"},
        {&facePk_, AtMost, 4, "Полето 'ПКОД' не може да е по-дълго от 4 цифри"},
        {&faceAdr1_, AtMost, 50, "Полето 'Адрес' не може да е по-дълго от 50 символа"},
        {&faceGrad_, Filled, 0, "Полето 'Населено място' трябва да е попълнено"},
        {&facePk_, AtLeast, 4, "Не сте попълнили пощенски код"},
        {&adress_, Filled, 0, "Полето 'Адрес ...' трябва да е попълнено"},
        {&phone_, AtMost, 20, "'Телефона' не може да е по-дълъг от 20 символа"},
    }};
}

// The tests of "Запиши", in their order; the first that fails is reported.
bool CAddEmployer::acceptable() {
    if (bulstat_.text().empty())
        return refuse(bulstat_, "ИН на регистрираното лице трябва да бъде 9 или 10");
    if (!vatNumberHolds()) return false;
    for (const auto& rule : fieldRules())
        if (!rule.holds()) return refuse(*rule.field, rule.message);
    return true;
}

}  // namespace persons
