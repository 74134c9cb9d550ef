#include "persons/CKontrag.h"

#include "persons/CounterpartStore.h"
#include "persons/IdentifierChecks.h"
#include "persons/TextSort.h"
#include "ui/Host.h"

namespace persons {
namespace {

// Counterpart identifiers are judged as the journals judge them, with the
// member-state table of this period.
constexpr std::string_view kRegisterPeriod = "202101";

enum ListColumn { kIdColumn, kNameColumn, kOwnerColumn };

// An identifier holds no white space at either end; "123456789 " would
// otherwise pass the EIK check and never be found by the journals.
std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

CKontrag::CKontrag(db::Database& db, ui::Host& host, std::string ownerVin)
    : Dialog(host, "Избор на контрагент", {330, 230}), db_(db), owner_(std::move(ownerVin)) {
    ownOnly_.setChecked(true);
    setResizable({330, 140});
    list_.column("ИН на котрагент", ui::Align::Left, 62)
        .column("Име на котрагент", ui::Align::Left, 112)
        .column("ИН на титуляр", ui::Align::Left, 58)
        .column("");
}

std::string CKontrag::listedOwner() const {
    return ownOnly_.checked() ? owner_ : kSharedOwner;
}

void CKontrag::opened() {
    load();
}

void CKontrag::load() {
    list_.table().clear();
    list_.clearSelection();
    for (const auto& entry : CounterpartsOf(db_, listedOwner())) {
        // Both filters compare the leading characters exactly.
        if (!entry.ki.starts_with(name_.text()) || !entry.kn.starts_with(id_.text())) continue;
        list_.table().add({{entry.kn, entry.ki, entry.vin, ""}, false, nextKey_++});
    }
    loadedId_ = id_.text();
    loadedName_ = name_.text();
    if (sorted_) SortByText(list_, sort_);
}

void CKontrag::changed(ui::Control& control) {
    const bool filterMoved = id_.text() != loadedId_ || name_.text() != loadedName_;
    if (&control == &ownOnly_ || filterMoved) load();
}

void CKontrag::pressed(ui::Button& button) {
    if (&button == &cancel_) return close(ui::Result::Cancel);
    if (&button == &choose_) choose();
    if (&button == &add_) add();
    if (&button == &delete_) remove();
}

void CKontrag::choose() {
    if (!list_.documentSelected()) {
        host().error("Не сте избрали контрагент");
        return setFocus(list_);
    }
    const int row = list_.selectedRow();
    chosenId_ = list_.table().cell(row, kIdColumn);
    chosenName_ = list_.table().cell(row, kNameColumn);
    close(ui::Result::Ok);
}

void CKontrag::add() {
    const std::string kn = Trimmed(id_.text());
    const std::string& name = name_.text();
    if (!IsKnownIdentifierForm(kn, EuPrefixVariant::B, kRegisterPeriod, false)) {
        host().error("Некоректен ИН на котрагент");
        return setFocus(id_);
    }
    const auto existing =
        ownOnly_.checked() ? FindCounterpart(db_, kn, owner_) : FindCounterpartOfAnyOwner(db_, kn);
    db::CounterpartRow stored{kn, name, listedOwner(), ""};
    if (!existing) {
        db::InsertCounterpart(db_, stored);
    } else if (const auto changed = changeExisting(*existing, name)) {
        stored = *changed;
    } else {
        return setFocus(id_);
    }
    // The emptied fields filter nothing: the whole list again, the entry
    // just stored selected, ready to be chosen.
    id_.setText("");
    name_.setText("");
    load();
    select(stored);
}

std::optional<db::CounterpartRow> CKontrag::changeExisting(const db::CounterpartRow& existing,
                                                           const std::string& name) {
    const bool anothersOwn =
        !ownOnly_.checked() && existing.vin != owner_ && existing.vin != kSharedOwner;
    if (anothersOwn) {
        if (host().ask("Вече има такъв ИН на котрагент!\r\nДа го променя ли общ за всички?",
                       ui::Buttons::YesNo, ui::Icon::None) != ui::Answer::Yes)
            return std::nullopt;
        ShareCounterpart(db_, existing.kn, existing.vin, name);
        return db::CounterpartRow{existing.kn, name, kSharedOwner, existing.kb};
    }
    if (host().ask("Вече има такъв ИН на котрагент!\r\nДа го променя ли?", ui::Buttons::YesNo,
                   ui::Icon::None) != ui::Answer::Yes)
        return std::nullopt;
    RenameCounterpart(db_, existing.kn, existing.vin, name);
    return db::CounterpartRow{existing.kn, name, existing.vin, existing.kb};
}

void CKontrag::select(const db::CounterpartRow& entry) {
    const auto& rows = list_.table();
    for (int row = 0; row < rows.documentCount(); ++row)
        if (rows.cell(row, kIdColumn) == entry.kn && rows.cell(row, kOwnerColumn) == entry.vin)
            return list_.select(row);
}

// The entry goes for the owner the list shows. A shared entry goes for every
// registered person, so the person is asked first.
void CKontrag::remove() {
    const int row = list_.selectedRow();
    const std::string kn = list_.table().cell(row, kIdColumn);
    const std::string owner = list_.table().cell(row, kOwnerColumn);
    if (owner == kSharedOwner &&
        host().ask("Контрагентът " + kn +
                       " е общ за всички регистрирани лица.\r\nДа го изтрия ли за всички?",
                   ui::Buttons::YesNo, ui::Icon::None) != ui::Answer::Yes)
        return;
    DeleteCounterpart(db_, kn, owner);
    list_.table().remove(row);
    list_.clearSelection();
}

void CKontrag::headerClicked(ui::ListView&, int column) {
    sort_.click(column);
    sorted_ = true;
    SortByText(list_, sort_);
}

void CKontrag::refresh() {
    const bool selected = list_.documentSelected();
    choose_.setEnabled(selected);
    delete_.setEnabled(selected);
    add_.setEnabled(!id_.text().empty() && !name_.text().empty());
}

}  // namespace persons
