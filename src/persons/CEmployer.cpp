#include "persons/CEmployer.h"

#include "db/Rows.h"
#include "persons/TextSort.h"
#include "ui/Host.h"

namespace persons {
namespace {

PersonKey CurrentKey(db::Database& db) {
    const auto current = db::CurrentPerson(db);
    return current ? PersonKey{current->bulstat, current->klon} : PersonKey{};
}

}  // namespace

CEmployer::CEmployer(db::Database& db, ui::Host& host)
    : Dialog(host, "Избор на задължено лице", {320, 200}), db_(db), editor_(db, host) {
    // Wide enough for a branch's 13 digits and a name of 50 characters.
    list_.column("BULSTAT", ui::Align::Left, 62).column("Име на фирма", ui::Align::Left, 172);
}

void CEmployer::opened() {
    remembered_ = CurrentKey(db_);
    reload();
}

void CEmployer::reload() {
    auto& rows = list_.table();
    rows.clear();
    list_.clearSelection();
    listed_.clear();
    for (const auto& entry : ListPersons(db_)) {
        rows.add(
            {{entry.key.text(), entry.name}, false, static_cast<std::int64_t>(listed_.size())});
        listed_.push_back(entry.key);
    }
    if (listed_.empty()) return add();

    if (sorted_) SortByText(list_, sort_);
    for (std::size_t i = 0; i < listed_.size(); ++i)
        if (listed_[i] == remembered_) list_.select(*rows.find(static_cast<std::int64_t>(i)));
    setFocus(list_);
}

PersonKey CEmployer::target() const {
    if (list_.documentSelected())
        return listed_.at(static_cast<std::size_t>(list_.table().row(list_.selectedRow()).key));
    for (const auto& key : listed_)
        if (key == remembered_) return key;
    return {};
}

void CEmployer::pressed(ui::Button& button) {
    if (&button == &cancel_) return close(ui::Result::Cancel);
    if (&button == &choose_) choose();
    if (&button == &add_) add();
    if (&button == &edit_) edit();
    if (&button == &remove_) remove();
}

void CEmployer::choose() {
    const PersonKey key = target();
    db::MakeCurrent(db_, key.bulstat, key.klon);
    close(ui::Result::Ok);
}

void CEmployer::add() {
    editor_.fill(db::PersonRow{}, CAddEmployer::Mode::Adding);
    if (host().runModal(editor_) != ui::Result::Ok) {
        if (listed_.empty()) return close(ui::Result::Cancel);
        return reload();
    }
    const db::PersonRow person = editor_.valuesOver(db::PersonRow{});
    if (db::FindPerson(db_, person.bulstat, person.klon)) {
        host().error("Вече има фирма с такова ЕИК");
    } else {
        db::InsertPerson(db_, person);
        // The new row is the one selected afterwards, a branch included.
        remembered_ = {person.bulstat, person.klon};
    }
    reload();
}

void CEmployer::edit() {
    const PersonKey key = target();
    const auto stored = db::FindPerson(db_, key.bulstat, key.klon);
    if (!stored) return;
    editor_.fill(*stored, CAddEmployer::Mode::Editing);
    if (host().runModal(editor_) != ui::Result::Ok) return;
    db::UpdatePerson(db_, key.bulstat, key.klon, editor_.valuesOver(*stored));
    remembered_ = key;
    reload();
}

void CEmployer::remove() {
    if (!list_.documentSelected()) return;
    const PersonKey key = target();
    const std::string question =
        "Наистина ли искате да изтриете всички въведени данни (включително регистрационни "
        "данни, въведени справки-декларации, VIES-декларации и отчетни регистри по ЗДДС) за "
        "регистрираното лице с Булстат-" +
        key.text() + "?";
    if (host().ask(question, ui::Buttons::YesNo, ui::Icon::Warning) != ui::Answer::Yes) return;
    RemovePerson(db_, key);
    remembered_ = CurrentKey(db_);
    reload();
}

void CEmployer::headerClicked(ui::ListView&, int column) {
    sort_.click(column);
    sorted_ = true;
    SortByText(list_, sort_);
}

void CEmployer::refresh() {
    const bool target = !this->target().empty();
    choose_.setEnabled(target);
    edit_.setEnabled(target);
    remove_.setEnabled(list_.documentSelected());
}

}  // namespace persons
