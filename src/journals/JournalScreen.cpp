#include "journals/JournalScreen.h"

#include <cstdio>
#include <cstdlib>
#include <initializer_list>

#include "journals/JournalStore.h"
#include "persons/CKontrag.h"
#include "persons/IdentifierChecks.h"
#include "platform/Currency.h"
#include "platform/Money.h"
#include "platform/Text.h"
#include "ui/Host.h"

namespace journals {

namespace money = platform::money;
namespace {

constexpr const char* kBadPeriod = "Некоректна стойност на поле 'Период'";
constexpr const char* kNotEuCounterpart =
    "Полето 'ИН на контрагент' задължително\r\nтрябва да е попълнено с ИН по ДДС на "
    "контрагент от друга държава членка на ЕС!";
// The list keeps room for its header, half a dozen documents and the totals.
constexpr int kLeastListHeight = 80;

// How the open code lists name a code: "01 – Фактура"; the blank item and a
// code without a name stay as they are.
std::string CodeWithName(std::string_view code, std::string_view name) {
    if (code.empty() || name.empty()) return std::string(code);
    return std::string(code) + " – " + std::string(name);
}

// A stored code as the lists hold it: "%02d" of its number ("5" -> "05").
std::string TwoDigitCode(const std::string& stored) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d", std::atoi(stored.c_str()));
    return buffer;
}

}  // namespace

JournalScreen::JournalScreen(ui::Host& host, session::Session& session, db::Journal journal,
                             std::string title, ui::Size size)
    : Dialog(host, std::move(title), size),
      period_(addEdit("period", "Период", {40, 6, 34, 12})
                  .labelAt({6, 8, 32, 8})
                  .limit(6)
                  .accept(ui::Chars::Digits)),
      klon_(addEdit("klon", "2.Клон", {118, 6, 26, 12}).labelAt({88, 8, 28, 8}).limit(4)),
      type_(addComboBox("type", "3.Вид документ", {70, 22, 30, 120}).labelAt({6, 24, 62, 8})),
      typeName_(addLabel("", {104, 22, 440, 16}, "typeName")),
      docNo_(addEdit("docNo", "4.Номер на документа", {90, 40, 90, 12})
                 .labelAt({6, 42, 82, 8})
                 .limit(20)),
      date_(addDatePicker("date", "5.Дата на документа", {272, 40, 62, 12})
                .labelAt({192, 42, 78, 8})),
      counterparts_(addButton("counterparts", "Контрагенти", {346, 39, 60, 14})),
      knum_(addEdit("knum", "6.ИН на контрагента", {90, 56, 70, 12})
                .labelAt({6, 58, 82, 8})
                .limit(15)),
      kname_(addEdit("kname", "7.Име на контрагента", {252, 56, 240, 12})
                 .labelAt({172, 58, 78, 8})
                 .limit(50)),
      sdelka_(addEdit("sdelka", "8.Вид на стоката/услугата", {110, 72, 150, 12})
                  .labelAt({6, 74, 102, 8})
                  .limit(30)),
      code8a_(addComboBox("code8a", "8а.Доставка по чл. 163а или внос по чл. 167а от ЗДДС",
                          {214, 88, 30, 120})
                  .labelAt({6, 90, 206, 8})),
      code8aName_(addLabel("", {248, 88, 400, 16}, "code8aName")),
      levaEntry_(
          addCheckBox("levaEntry", "Документ в лева (записва се в евро)", {272, 72, 200, 12})),
      session_(session),
      journal_(journal),
      rows_(journal) {
    setEnterMovesToNextField(true);
}

JournalScreen::~JournalScreen() = default;

ui::Edit& JournalScreen::addMoney(int column, std::string caption, ui::Rect rect, ui::Rect label) {
    ui::Edit& field = addEdit("col" + std::to_string(column), std::move(caption), rect)
                          .labelAt(label)
                          .limit(15)
                          .alignRight();
    money_.push_back(&field);
    return field;
}

ui::Rect MoneyGrid::label(int column) const {
    const int place = column - 9;
    return {6 + place % perRow * step, top + place / perRow * rowHeight, step - 4, labelHeight};
}

ui::Rect MoneyGrid::field(int column) const {
    const ui::Rect above = label(column);
    return {above.x, above.y + labelHeight + 2, above.width, 12};
}

ui::Edit& JournalScreen::addMoneyColumns(int first, int last, const MoneyGrid& grid,
                                         std::string (*caption)(int column)) {
    for (int column = first; column < last; ++column)
        addMoney(column, caption(column), grid.field(column), grid.label(column));
    return addMoney(last, caption(last), grid.field(last), grid.label(last));
}

void JournalScreen::captionsChangeWithPeriod(std::span<const PeriodCaption> captions) {
    for (const auto& c : captions) periodCaptions_.push_back({c, money(c.column).caption()});
}

// The window grows and shrinks with the list: the form keeps its place, the
// commands keep to the right edge and the notes to the bottom.
void JournalScreen::declareCommands(ui::Rect list, ui::Rect notes) {
    const int x = size().width - 76;
    save_ = &addButton("save", "Добави", {x, 6, 70, 14})
                 .makeDefault()
                 .pressedBy(ui::Shortcut::CtrlEnter)
                 .tip("Записва документа след проверките му (Ctrl+Enter)")
                 .anchored(ui::kFollowsRight);
    edit_ = &addButton("edit", "Редакция", {x, 24, 70, 14}).anchored(ui::kFollowsRight);
    delete_ = &addButton("delete", "Изтрий", {x, 42, 70, 14}).anchored(ui::kFollowsRight);
    print_ = &addButton("print", "Печат", {x - 76, 60, 70, 14}).anchored(ui::kFollowsRight);
    close_ = &addButton("close", "Затвори", {x, 60, 70, 14}).anchored(ui::kFollowsRight);
    list_ = &addListView("list", "", list).anchored(ui::kGrows);
    for (const auto& c : ListColumns(journal_))
        list_->column(c.title, c.kind == ColumnKind::Amount ? ui::Align::Right : ui::Align::Left);
    list_->setSource(rows_);
    notes_ = &addTextBox("notes", "", notes).anchored(ui::kGrowsWideFollowsBottom);
    setResizable({size().width, size().height - list.height + kLeastListHeight});
}

// ---- events ----

void JournalScreen::opened() {
    klon_.setText(session_.person().klon);
    rebuild8a();
    setFocus(period_);
}

void JournalScreen::changed(ui::Control& control) {
    if (&control == &period_) return periodChanged();
    if (&control == &type_) return chooseType();
    if (&control == &code8a_) return show8aName();
    if (&control == &levaEntry_) return showLevaConversion();
}

void JournalScreen::left(ui::Control& control) {
    if (&control == &period_) return periodLeft();
    if (&control == &knum_) return counterpartLeft();
    for (std::size_t i = 0; i < money_.size(); ++i)
        if (&control == money_[i]) return moneyFieldLeft(*money_[i], static_cast<int>(i) + 9);
}

void JournalScreen::pressed(ui::Button& button) {
    if (&button == save_) return save();
    if (&button == edit_) return editing() ? cancelEdit() : startEdit();
    if (&button == delete_) return deleteDocument();
    if (&button == close_) return close(ui::Result::Ok);
    if (&button == &counterparts_) return pickCounterpart();
    if (&button == print_) return printJournal();
}

// The journal of the period shown is printed while the screen stays open.
void JournalScreen::printJournal() {
    const auto kind =
        journal_ == db::Journal::Purchases ? ui::PrintKind::Purchases : ui::PrintKind::Sales;
    host().print({kind, shownPeriod_});
}

// The identifier picked from the register goes into field 6; leaving the
// field then looks its name up.
void JournalScreen::pickCounterpart() {
    persons::CKontrag picker(session_.database(), host(), session_.person().vin);
    if (host().runModal(picker) != ui::Result::Ok || picker.chosenId().empty()) return;
    knum_.setText(picker.chosenId());
    setFocus(knum_);
}

void JournalScreen::rowSelected(ui::ListView&) {
    showNotes();
}

void JournalScreen::headerClicked(ui::ListView& list, int column) {
    const int selected = list.documentSelected() ? list.selectedRow() : -1;
    const auto id = selected >= 0 ? std::optional(rows_.document(selected).id) : std::nullopt;
    sort_.click(column);
    rows_.sort(sort_);
    list.showSort(sort_);
    // The selection follows its document.
    if (id) list.select(*rows_.find(*id));
}

// Enter moves to the next field, passing over the counterparts button (a
// person moving on from the date means the counterpart field) and the leva
// box (most documents of a euro period are in euro; the box is ticked with
// the mouse, or reached with Tab); on a button it presses the button.
void JournalScreen::enter(ui::Control* focused) {
    if (focused && focused->kind() == ui::Kind::Button)
        return pressed(static_cast<ui::Button&>(*focused));
    ui::Control* next = nextInTabOrder(focused);
    while (next == &counterparts_ || next == &levaEntry_) next = nextInTabOrder(next);
    if (next) userFocus(*next);
}

// Escape does not close the journal; the window's close box does, unless a
// document is being edited.
void JournalScreen::closeRequested(ui::CloseRequest request) {
    if (request == ui::CloseRequest::WindowClose && !editing()) close(ui::Result::Cancel);
}

void JournalScreen::refresh() {
    const bool entered = periodEntered();
    period_.setEnabled(!editing());
    klon_.setEnabled(entered && !session_.onBranch());
    for (ui::Control* c :
         std::initializer_list<ui::Control*>{&type_, &docNo_, &date_, &kname_, &sdelka_, list_})
        c->setEnabled(entered);
    code8a_.setEnabled(entered && IsField8aSelectable(journal_, type()));
    levaEntry_.setEnabled(entered &&
                          money::CurrencyOfPeriod(shownPeriod_) == money::Currency::Euro);
    const bool counterpartOpen = entered && !UsesPlaceholderCounterpart(journal_, type());
    knum_.setEnabled(counterpartOpen);
    counterparts_.setEnabled(counterpartOpen);
    enableJournalFields();
    save_->setCaption(editing() ? "Актуализирай" : "Добави");
    save_->setEnabled(entered && type_.selected() >= 0);
    edit_->setCaption(editing() ? "Отказ" : "Редакция");
    edit_->setEnabled(editing() || list_->documentSelected());
    delete_->setEnabled(!editing() && list_->documentSelected());
    print_->setEnabled(!shownPeriod_.empty());
    close_->setEnabled(!editing());
}

// ---- period ----

bool JournalScreen::periodEntered() const {
    return !shownPeriod_.empty() && period_.text() == shownPeriod_;
}

std::optional<std::string_view> JournalScreen::periodError(bool leaving) const {
    const std::string& text = period_.text();
    if (text.size() != 6) return leaving ? std::optional(kBadPeriod) : std::nullopt;
    return PeriodYearMonthError(text, LastPeriodYear(session_.clock().now()));
}

void JournalScreen::periodChanged() {
    const std::string& text = period_.text();
    if (text.empty()) return showPeriod("");
    if (text.size() != 6) return;
    if (const auto error = periodError(false)) {
        refuse(*error, period_);
        return;
    }
    warnings_.clearAll();
    date_.setValue(platform::Date{std::atoi(text.substr(0, 4).c_str()),
                                  std::atoi(text.substr(4, 2).c_str()), 1});
    showPeriod(text);
}

void JournalScreen::periodLeft() {
    if (period_.text().empty()) return;
    if (const auto error = periodError(true)) {
        refuse(*error, period_);
        return;
    }
    showPeriod(period_.text());
}

void JournalScreen::showPeriod(const std::string& period) {
    if (period == shownPeriod_) return;
    typeName_.setCaption("");
    notes_->setText("");
    levaEntry_.setChecked(false);
    list_->clearSelection();
    std::vector<std::string> types, labels;
    for (const auto code : DocumentTypesFor(journal_, period)) {
        types.emplace_back(code);
        labels.push_back(CodeWithName(code, DocumentTypeName(journal_, code, period)));
    }
    type_.setItems(std::move(types), std::move(labels));
    rebuild8a();
    shownPeriod_ = period;
    if (period.empty()) return rows_.clear();
    // A failed read shows what was read; the screen stays usable.
    rows_.load(session_.database(), session_.person().vin, branchFilter(), period);
    sortRows();
    setPeriodCaptions(period);
}

void JournalScreen::setPeriodCaptions(std::string_view period) {
    for (const auto& [c, declared] : periodCaptions_)
        money(c.column).setCaption(period < c.from ? c.before : declared);
}

// The documents load in NUMBER order, the list's first order.
void JournalScreen::sortRows() {
    if (sort_.column != 0 || sort_.descending) rows_.sort(sort_);
}

std::optional<std::string> JournalScreen::branchFilter() const {
    if (!session_.onBranch()) return std::nullopt;
    return session_.person().klon;
}

// ---- fields ----

void JournalScreen::chooseType() {
    typeName_.setCaption(std::string(DocumentTypeName(journal_, type(), shownPeriod_)));
    rebuild8a();
    if (UsesPlaceholderCounterpart(journal_, type()))
        knum_.setText(std::string(kPlaceholderCounterpart));
    else if (knum_.text() == kPlaceholderCounterpart)
        knum_.setText("");  // the placeholder belongs to the type left
    typeChosen();
}

void JournalScreen::rebuild8a() {
    std::vector<std::string> items, labels;
    for (const auto code : Field8aCodesFor(journal_, type(), shownPeriod_)) {
        items.emplace_back(code);
        labels.push_back(CodeWithName(code, Field8aName(journal_, code)));
    }
    const bool single = items.size() == 1 && !items.front().empty();
    code8a_.setItems(std::move(items), std::move(labels));
    // A list of one code ("84", "85") has it chosen.
    if (single) code8a_.select(0);
    show8aName();
}

void JournalScreen::show8aName() {
    code8aName_.setCaption(std::string(Field8aName(journal_, code8a_.selectedText())));
}

void JournalScreen::counterpartLeft() {
    knum_.setText(std::string(platform::Trim(knum_.text())));
    const std::string& id = knum_.text();
    if (id.empty()) return kname_.setText("");
    if (id == kPlaceholderCounterpart) return;
    std::string month = documentMonth();
    if (month.empty()) month = shownPeriod_;
    if (!ClassifyCounterpart(journal_, type(), id, month))
        host().error("Некоректен ИН на контрагент");
    try {
        if (const auto name = LookUpCounterpartName(session_.database(), journal_, id))
            kname_.setText(*name);
    } catch (const db::Error& e) {
        host().error(e.what());
    }
}

void JournalScreen::moneyFieldLeft(ui::Edit& field, int column) {
    std::string text = field.text();
    if (!money::NormaliseMoneyText(text, 15)) {
        refuse("Некоректна стойност на поле '" + std::to_string(column) + "'", field);
        return;
    }
    field.setText(text);
    moneyLeft(column);
    if (enteringLeva()) showLevaConversion();
}

bool JournalScreen::enteringLeva() const {
    return levaEntry_.checked() && levaEntry_.enabled();
}

LevaConversion JournalScreen::levaConversion() const {
    std::vector<Stotinki> typed;
    for (std::size_t i = 0; i < money_.size(); ++i)
        typed.push_back(typedAmount(static_cast<int>(i) + 9));
    return ConvertLevaDocument(journal_, typed);
}

void JournalScreen::showLevaConversion() {
    notes_->setText(enteringLeva() ? LevaConversionNote(levaConversion()) : "");
}

void JournalScreen::enableMoney(int column, bool enabled) {
    ui::Edit& field = money(column);
    field.setEnabled(enabled);
    if (!enabled) field.setText("");
}

Stotinki JournalScreen::typedAmount(int column) const {
    return money::FromTypedText(money(column).text(), money::Rounding::HalfUp).value_or(0);
}

Stotinki JournalScreen::amount(int column) const {
    return enteringLeva() ? levaConversion().euro.at(static_cast<std::size_t>(column - 9))
                          : typedAmount(column);
}

std::vector<Stotinki> JournalScreen::amounts() const {
    if (enteringLeva()) return levaConversion().euro;
    std::vector<Stotinki> all;
    for (std::size_t i = 0; i < money_.size(); ++i)
        all.push_back(typedAmount(static_cast<int>(i) + 9));
    return all;
}

void JournalScreen::setAmount(int column, Stotinki value) {
    money(column).setText(money::ToScreenText(value));
}

std::string JournalScreen::documentMonth() const {
    if (!date_.value()) return "";
    const auto month = DocumentMonth(date_.value()->text());
    return month ? std::string(month->text()) : std::string();
}

DatedDocument JournalScreen::datedDocument(DatedTexts& texts) const {
    texts = {type(), code8a_.selectedText(), date_.value() ? date_.value()->text() : ""};
    return {journal_, shownPeriod_, texts.type, texts.code8a, texts.date};
}

std::string JournalScreen::trimmedText(const ui::Edit& edit) const {
    return std::string(platform::Trim(edit.text()));
}

void JournalScreen::focusOn(ui::Control& field) {
    ui::Control* target = field.reachable() ? &field : nextInTabOrder(&field);
    if (target) setFocus(*target);
}

bool JournalScreen::refuse(std::string_view message, ui::Control& field) {
    host().error(std::string(message));
    focusOn(field);
    return false;
}

bool JournalScreen::acceptOrEdit(std::string_view question, ui::Control& field,
                                 std::optional<Warning> code) {
    if (host().ask(std::string(question), ui::Buttons::YesNo, ui::Icon::Error) == ui::Answer::Yes) {
        focusOn(field);
        return false;
    }
    if (code) warnings_.set(*code);
    return true;
}

bool JournalScreen::validateDates(std::span<const DateCheck> checks) {
    DatedTexts texts;
    const DatedDocument document = datedDocument(texts);
    for (const auto& check : checks) {
        if (!BreaksDateRule(check.rule, document)) continue;
        if (!check.warning) return refuse(DateRuleMessage(check.rule), date_);
        host().warning(std::string(DateRuleMessage(check.rule)));
        record(*check.warning);
    }
    return true;
}

bool JournalScreen::validateCallOffStock() {
    if (!IsCallOffStockType(journal_, type())) return true;
    constexpr DateCheck kRegisterDate[] = {{DateRule::CallOffStockBefore2020}};
    if (!validateDates(kRegisterDate)) return false;
    const std::string code = code8a_.selectedText();
    if (code.empty())
        return refuse("Не сте избрали 8а.Доставка по чл. 163а или внос по чл. 167а от ЗДДС",
                      code8a_);
    const std::string month = documentMonth();
    if (!validateGoodsMeantFor(code, month)) return false;
    if (!persons::IsEuVatPrefixValid(persons::EuPrefixVariant::B, counterpart(), month))
        return refuse(kNotEuCounterpart, knum_);
    return true;
}

// ---- save ----

void JournalScreen::save() {
    // The warnings are those accepted in this attempt: a breach answered No
    // before and corrected since is not recorded.
    warnings_.clearAll();
    if (!validateCommon() || !validateDocument()) return;
    db::JournalRow row = documentToStore();
    // The user checks the conversion of a leva document against it after the save.
    const std::string conversionNote = enteringLeva() ? LevaConversionNote(levaConversion()) : "";
    try {
        if (editing()) {
            row.dateModified = now();
            UpdateDocument(session_.database(), journal_, row);
        } else {
            row.dateCreate = now();
            // The list of a head office holds the whole period.
            const bool inSequence = !session_.onBranch() && rows_.numberedInSequence();
            row = AddDocument(session_.database(), journal_, row,
                              inSequence ? Numbering::InSequence : Numbering::Unknown);
        }
    } catch (const db::Error& e) {
        // Nothing was stored; the form keeps the document as typed.
        host().error("Документът не е записан: " + std::string(e.what()));
        return;
    }
    showStored(row);
    if (!conversionNote.empty()) notes_->setText(notes_->text() + conversionNote);
}

bool JournalScreen::validateCommon() {
    if (type_.selected() < 0) return refuse("Некоректен вид на документа", type_);
    if (trimmedText(docNo_).empty())
        return refuse("Номера на документа не може да е празен", docNo_);
    if (!date_.value()) return refuse("Невалидна дата на документ", date_);
    return true;
}

db::JournalRow JournalScreen::documentToStore() const {
    db::JournalRow row = editing() ? edited_ : db::EmptyJournalRow(journal_);
    row.vin = session_.person().vin;
    row.period = shownPeriod_;
    row.klon = trimmedText(klon_);
    row.type = type();
    row.docNo = docNo_.text();
    row.date = date_.value()->text();
    row.knum = counterpart();
    row.kname = kname_.text();
    row.sdelka = sdelka_.text();
    row.amounts.clear();
    if (enteringLeva()) {
        for (const Stotinki euro : levaConversion().euro)
            row.amounts.push_back(money::ToStoredLeva(euro));
    } else {
        // As typed, with every decimal.
        for (const ui::Edit* field : money_)
            row.amounts.push_back(money::LevaFromText(field->text()));
    }
    row.code8a = code8a_.selectedText();
    row.errors = warnings_.errors();
    writeJournalColumns(row);
    return row;
}

void JournalScreen::showStored(const db::JournalRow& row) {
    const auto listed = rows_.find(row.id);
    if (listed) {
        rows_.replace(*listed, ListedDocument::from(row));
    } else {
        rows_.append(ListedDocument::from(row));
    }
    list_->select(listed.value_or(rows_.documentCount() - 1));
    notes_->setText(notesOf(row.errors));
    editingId_.reset();
    clearForm();
    setFocus(type_);
}

void JournalScreen::clearForm() {
    for (ui::Edit* field : {&docNo_, &knum_, &kname_, &sdelka_}) field->setText("");
    for (ui::Edit* field : money_) field->setText("");
    type_.select(-1);
    typeName_.setCaption("");
    rebuild8a();
    warnings_.clearAll();
    levaEntry_.setChecked(false);
    clearJournalFields();
}

std::string JournalScreen::now() const {
    const auto t = session_.clock().now();
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d/%02d/%02d %02d:%02d", t.year, t.month, t.day, t.hour,
                  t.minute);
    return buffer;
}

// ---- edit and delete ----

void JournalScreen::startEdit() {
    if (!list_->documentSelected()) return;
    const std::int64_t id = rows_.document(list_->selectedRow()).id;
    std::optional<db::JournalRow> row;
    try {
        row = db::LoadJournalRow(session_.database(), journal_, id);
    } catch (const db::Error& e) {
        host().error(e.what());
        return;
    }
    if (!row) return;
    edited_ = *row;
    editingId_ = id;
    levaEntry_.setChecked(false);  // the stored amounts are in the period's currency
    klon_.setText(std::string(platform::Trim(row->klon)));
    type_.selectText(TwoDigitCode(row->type));
    chooseType();
    docNo_.setText(row->docNo);
    date_.setValue(platform::Date::parse(row->date));
    knum_.setText(row->knum);
    kname_.setText(row->kname);
    sdelka_.setText(row->sdelka);
    for (std::size_t i = 0; i < money_.size(); ++i)
        money_[i]->setText(money::ToScreenText(money::FromStoredLeva(row->amounts.at(i))));
    if (!code8a_.selectText(TwoDigitCode(row->code8a)) && !code8a_.items().empty() &&
        code8a_.items().front().empty())
        code8a_.select(0);
    show8aName();
    readJournalColumns(*row);
    warnings_.clearAll();
    focusOn(type_);
}

void JournalScreen::cancelEdit() {
    editingId_.reset();
    clearForm();
    setFocus(type_);
}

void JournalScreen::deleteDocument() {
    if (!list_->documentSelected()) return;
    const int position = list_->selectedRow();
    const std::int64_t id = rows_.document(position).id;
    if (host().ask("Потвърждавате ли изтриването на записа?", ui::Buttons::YesNo,
                   ui::Icon::Warning) != ui::Answer::Yes)
        return;
    try {
        DeleteDocument(session_.database(), journal_, id, session_.person().vin, shownPeriod_);
    } catch (const db::Error& e) {
        host().error("Документът не е изтрит: " + std::string(e.what()));
        return;
    }
    // A head office's list in sequence is the period as renumbered, less the
    // document; any other list is read again.
    if (!session_.onBranch() && rows_.numberedInSequence()) {
        rows_.removeRenumbered(position);
    } else {
        rows_.load(session_.database(), session_.person().vin, branchFilter(), shownPeriod_);
        sortRows();
    }
    setFocus(*list_);
    list_->clearSelection();
    if (rows_.documentCount() > 0) list_->select(std::min(position, rows_.documentCount() - 1));
    showNotes();
}

// ---- notes ----

void JournalScreen::showNotes() {
    notes_->setText(list_->documentSelected() ? notesOf(rows_.document(list_->selectedRow()).errors)
                                              : "");
}

std::string JournalScreen::notesOf(const db::ErrorSet& errors) const {
    std::string notes;
    for (const int code : errors.codes()) notes += ErrorText(code, errorGroup(), kNoLine) + "\r\n";
    return notes;
}

ErrorGroup JournalScreen::errorGroup() const {
    return journal_ == db::Journal::Purchases ? ErrorGroup::Purchases : ErrorGroup::Sales;
}

}  // namespace journals
