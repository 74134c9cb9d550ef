#pragma once
// What the purchase journal (CPokupki) and the sales journal (CProdagbi)
// share: the screen of one journal of the current registered person for one
// tax period. A form for one document above the list of the period's
// documents with its totals row, and a notes pane with the warnings stored
// with the selected document.
//
// The screen checks the period as it is typed and loads its documents; checks
// each field as it is left (money normalised, the VAT proposed, the
// counterpart classified and its name looked up); and validates the whole
// document in a fixed order before it stores it. Errors are boxes after which
// the focus returns to the field concerned; breaches the accountant may accept
// are Yes/No questions whose No records a warning code with the document.
//
// In a euro period a document issued in leva is typed in leva: with the box
// "levaEntry" checked the money fields take leva, the notes pane shows each
// amount converted (LevaEntry.h), and the document is judged and stored in
// euro.
//
// A derived screen declares its money fields (addMoney, addMoneyColumns) and
// any controls of its own in tab order, then the commands (declareCommands),
// and supplies the journal's own rules through the hooks below.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "db/Rows.h"
#include "journals/ErrorCatalogue.h"
#include "journals/JournalRows.h"
#include "journals/JournalRules.h"
#include "journals/LevaEntry.h"
#include "session/Session.h"
#include "ui/Dialog.h"

namespace journals {

// Where the money fields stand: from column 9 side by side, `perRow` to a
// row, each under its caption.
struct MoneyGrid {
    int perRow, step, top, labelHeight, rowHeight;
    ui::Rect field(int column) const;
    ui::Rect label(int column) const;
};

// A money caption that changed with the period: `before` is its text for
// periods before `from`, the caption it was declared with from then on.
struct PeriodCaption {
    int column;
    std::string before;
    std::string_view from;
};

// A date rule checked on save, in the journal's order: a breach stops the
// save with the rule's box or, for a rule with a warning, is shown (OK
// only) and the warning recorded.
struct DateCheck {
    DateRule rule;
    std::optional<Warning> warning = std::nullopt;
};

class JournalScreen : public ui::Dialog {
  public:
    ~JournalScreen() override;

    db::Journal journal() const { return journal_; }
    // The period whose documents the list shows; "" for none.
    const std::string& shownPeriod() const { return shownPeriod_; }
    bool editing() const { return editingId_.has_value(); }

  protected:
    JournalScreen(ui::Host& host, session::Session& session, db::Journal journal, std::string title,
                  ui::Size size);

    // ---- declaration, in tab order, by the derived constructor ----
    // The field of journal money column `column` (9 for the first).
    ui::Edit& addMoney(int column, std::string caption, ui::Rect rect, ui::Rect label);
    // The fields of columns first..last in the grid, captioned by `caption`;
    // returns the last.
    ui::Edit& addMoneyColumns(int first, int last, const MoneyGrid& grid,
                              std::string (*caption)(int column));
    // After the money fields: the captions set anew when a period is loaded.
    void captionsChangeWithPeriod(std::span<const PeriodCaption> captions);
    // The commands, the list and the notes pane, after every field.
    void declareCommands(ui::Rect list, ui::Rect notes);

    // ---- the journal's own rules ----
    // After the common part of choosing a type.
    virtual void typeChosen() {}
    // The enabling of the money fields and the journal's own controls; a
    // money field disabled is emptied (enableMoney).
    virtual void enableJournalFields() = 0;
    // Validation steps after the common ones (type, number, date); false
    // stops the save (the step has shown its box and moved the focus).
    virtual bool validateDocument() = 0;
    // What a call-off-stock register with the 8а code `code8a` requires of
    // field 8 in the document month `month`; false stops the save.
    virtual bool validateGoodsMeantFor(const std::string& code8a, const std::string& month) = 0;
    // After a money field was left with a valid amount.
    virtual void moneyLeft(int /*column*/) {}
    // The journal's own columns of the row stored, and of the row edited.
    virtual void writeJournalColumns(db::JournalRow& /*row*/) const {}
    virtual void readJournalColumns(const db::JournalRow& /*row*/) {}
    // Clears the journal's own controls with the form.
    virtual void clearJournalFields() {}

    // ---- for the derived screens ----
    session::Session& session() const { return session_; }
    bool periodEntered() const;
    // The chosen document type code, "" for none.
    std::string type() const { return type_.selectedText(); }
    ui::Edit& money(int column) const { return *money_.at(column - 9); }
    void enableMoney(int column, bool enabled);
    // The amount of a column as it will be stored: the amount in its field
    // (rounded half up on the third decimal; 0 for an empty field or one that
    // is not an amount), converted to euro while the fields take leva.
    Stotinki amount(int column) const;
    std::vector<Stotinki> amounts() const;
    // The amount in a money field as typed, in the currency the fields take.
    Stotinki typedAmount(int column) const;
    void setAmount(int column, Stotinki amount);
    // The month of the document date "YYYYMM" ("" without a date).
    std::string documentMonth() const;
    // The texts a DatedDocument views.
    struct DatedTexts {
        std::string type, code8a, date;
    };
    // The document as the date rules see it; it views `texts`.
    DatedDocument datedDocument(DatedTexts& texts) const;
    std::string trimmedText(const ui::Edit& edit) const;
    std::string counterpart() const { return trimmedText(knum_); }

    // An error box, then the focus on the field; false, for `return refuse(...)`.
    bool refuse(std::string_view message, ui::Control& field);
    // A Yes/No question (error icon). Yes: the focus goes to the field and
    // false stops the save. No: the warning is recorded and true goes on.
    bool acceptOrEdit(std::string_view question, ui::Control& field, std::optional<Warning> code);
    void record(Warning code) { warnings_.set(code); }
    bool validateDates(std::span<const DateCheck> checks);
    // A call-off-stock register (purchases "05", sales "04"): its date, its 8а
    // code, which must be chosen, what the code requires of field 8
    // (validateGoodsMeantFor), and a counterpart VAT number of another member
    // state. True for every other type.
    bool validateCallOffStock();
    // The focus on the field or, when it cannot be reached, the next one.
    void focusOn(ui::Control& field);

    ui::Edit& period_;
    ui::Edit& klon_;
    ui::ComboBox& type_;
    ui::Label& typeName_;
    ui::Edit& docNo_;
    ui::DatePicker& date_;
    ui::Button& counterparts_;
    ui::Edit& knum_;
    ui::Edit& kname_;
    ui::Edit& sdelka_;
    ui::ComboBox& code8a_;
    ui::Label& code8aName_;
    ui::CheckBox& levaEntry_;

  private:
    void opened() override;
    void changed(ui::Control& control) override;
    void left(ui::Control& control) override;
    void pressed(ui::Button& button) override;
    void rowSelected(ui::ListView& list) override;
    void headerClicked(ui::ListView& list, int column) override;
    void enter(ui::Control* focused) override;
    void closeRequested(ui::CloseRequest request) override;
    void refresh() override;

    // Period entry.
    std::optional<std::string_view> periodError(bool leaving) const;
    void setPeriodCaptions(std::string_view period);
    void periodChanged();
    void periodLeft();
    void showPeriod(const std::string& period);
    void sortRows();
    // Fields.
    void chooseType();
    void rebuild8a();
    void show8aName();
    void counterpartLeft();
    void moneyFieldLeft(ui::Edit& field, int column);
    // Leva entry: whether the fields take leva, their conversion, and the
    // note that shows it.
    bool enteringLeva() const;
    LevaConversion levaConversion() const;
    void showLevaConversion();
    // Commands.
    void save();
    bool validateCommon();
    db::JournalRow documentToStore() const;
    void showStored(const db::JournalRow& row);
    void clearForm();
    void startEdit();
    void cancelEdit();
    void deleteDocument();
    void pickCounterpart();
    void printJournal();
    void showNotes();
    std::string notesOf(const db::ErrorSet& errors) const;
    ErrorGroup errorGroup() const;
    std::optional<std::string> branchFilter() const;
    std::string now() const;

    session::Session& session_;
    db::Journal journal_;
    JournalRows rows_;
    ui::SortState sort_;
    WarningSet warnings_;
    std::string shownPeriod_;
    std::optional<std::int64_t> editingId_;
    db::JournalRow edited_;  // the row as read for editing: what the form does not show
    std::vector<ui::Edit*> money_;
    // The captions that change with the period, with the one declared.
    struct ChangingCaption {
        PeriodCaption caption;
        std::string declared;
    };
    std::vector<ChangingCaption> periodCaptions_;

    ui::Button* save_ = nullptr;
    ui::Button* edit_ = nullptr;
    ui::Button* delete_ = nullptr;
    ui::Button* print_ = nullptr;
    ui::Button* close_ = nullptr;
    ui::ListView* list_ = nullptr;
    ui::TextBox* notes_ = nullptr;
};

}  // namespace journals
