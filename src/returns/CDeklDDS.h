#pragma once
// "Справка декларация за ДДС": the VAT return of one period as a property
// sheet with the pages "Раздел А" (CDeklRazdelA), "Раздел Б" (CDeklRazdelB)
// and "Раздел В, Г и Д" (CDeklRazdelC). Opening the sheet computes the return
// from the journals; the user types the coefficient of field 33 on page Б and
// the amounts of fields 70 to 82 on page В.
//
// What is stored, and when:
// * opening: the computed cells (ComputeVatReturn);
// * page Б, the first time it is shown: DR33 and DR40;
// * "Потвърди" and "Добре": what the pages that were shown hold; "Добре" then closes.
//   Every typed cell is checked first, so nothing is stored unless all of
//   them are valid, and pages Б and В are stored in one transaction;
// * "Откажи", Escape and the close box: nothing more.
// "Потвърди" and "Откажи" are enabled while a typed cell differs from its
// stored value. Enter presses "Добре", "Откажи" or "Потвърди" when one of them has
// the focus and does nothing elsewhere.

#include <deque>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "db/Database.h"
#include "returns/ReturnDialog.h"
#include "returns/VatReturnComputation.h"
#include "ui/Dialog.h"

namespace returns {

class CDeklDDS;
class CDeklRazdelA;
class CDeklRazdelB;
class CDeklRazdelC;

// A cell the user types: the typing rule while typing, normalising when the
// cell is left, and the comparison with its stored value.
class TypedCell {
  public:
    TypedCell(ui::Edit& edit, std::string field, int normaliseLimit);

    ui::Edit& edit() const { return edit_; }
    // "Некоректна стойност на поле '33'" and so on.
    std::string invalidMessage() const;
    // The text normalised (1 -> 1.00, 0,5 -> 0.50); nullopt when it is no
    // amount. The cell keeps its text either way.
    std::optional<std::string> normalised() const;
    // The value stored in the row; nullopt for a cell never filled.
    const std::optional<double>& stored() const { return stored_; }
    void setStored(std::optional<double> leva) { stored_ = leva; }
    // The text in stotinki differs from the stored value as shown (an empty
    // cell counts as 0).
    bool differsFromStored() const;

  private:
    ui::Edit& edit_;
    std::string field_;
    int normaliseLimit_;
    std::optional<double> stored_;
};

// The paragraphs of art. 82 the captions of the return name: "ал.2-5" for a
// period before 202004, "ал.2-6" from then on.
std::string_view Art82Paragraphs(const std::string& period);

// One page of the sheet. Its controls are declared on the sheet's dialog,
// top to bottom; the sheet hands it the events of its controls.
class DeklPage {
  public:
    virtual ~DeklPage() = default;
    DeklPage(const DeklPage&) = delete;
    DeklPage& operator=(const DeklPage&) = delete;

    ui::Page& page() const { return page_; }
    // Whether the page has been shown since the sheet opened.
    bool displayed() const { return displayed_; }
    // The page has become the active page.
    void activate();

    // The rules of the typed cells. Typing: digits and one separator, else
    // the cell's message. Leaving: the text is normalised (and checked by
    // refusal()), else the message and the focus back on the cell.
    void changed(ui::Edit& edit);
    void left(ui::Edit& edit);
    // Whether a typed cell differs from its stored value.
    bool modified() const;
    // The leaving rule over every enabled typed cell, before they are
    // stored: false after the first refusal.
    bool readyToSave();
    // Stores the typed cells (inside the sheet's transaction), then, once it
    // has committed, takes the stored values as the new reference.
    virtual void save() {}
    virtual void saved() {}

  protected:
    DeklPage(CDeklDDS& sheet, std::string id, std::string title);
    // first: the page is shown for the first time.
    virtual void show(bool first) = 0;

    db::Database& db() const;
    const ReturnScope& scope() const;
    ui::Host& host() const;
    void setFocus(ui::Control& control);
    // The DEKLAR row of the sheet's person, branch and period.
    db::ReturnRow readRow() const;
    // Writes these cells of that row, and no others.
    void storeCells(std::initializer_list<std::pair<const char*, double>> cells);

    // Declaration, top to bottom. A section is a frame around the rows
    // declared between section() and endSection().
    void section(std::string caption);
    void endSection();
    ui::Label& heading(std::string text, int lines);
    // A button at the right of the page, below the rows before it.
    ui::Button& button(std::string id, std::string caption);
    // An amount cell, shown only; its caption takes `lines` lines.
    ui::Edit& cell(std::string id, std::string caption, int lines = 1);
    // A cell the user types; `field` names it in its message ("33").
    TypedCell& typedCell(std::string id, std::string caption, std::string field,
                         int normaliseLimit);
    // Why a typed cell's normalised text is refused beyond normalising, or "".
    virtual std::string refusal(const TypedCell& /*cell*/, const std::string& /*text*/) const {
        return "";
    }

  private:
    TypedCell* typedCellOf(const ui::Edit& edit);
    // The cell's text normalised and accepted; nullopt after the message.
    std::optional<std::string> accepted(TypedCell& cell);
    void refuse(TypedCell& cell, const std::string& message);

    CDeklDDS& sheet_;
    ui::Page& page_;
    int top_;
    int sectionTop_ = 0;
    std::string sectionCaption_;
    std::deque<TypedCell> typed_;  // a deque: the pages keep references
    bool displayed_ = false;
};

class CDeklDDS : public ReturnDialog {
  public:
    // `printRequest` prints the return of the scope's period ("Печат" on
    // page В); without one the button is disabled.
    CDeklDDS(ui::Host& host, db::Database& db, ReturnScope scope,
             std::function<void()> printRequest = {});
    ~CDeklDDS() override;

  protected:
    void opened() override;
    void changed(ui::Control& control) override;
    void left(ui::Control& control) override;
    void pressed(ui::Button& button) override;
    void pageActivated(ui::Page& page) override;
    void enter(ui::Control* focused) override;
    void refresh() override;

  private:
    friend class DeklPage;
    DeklPage* pageOf(const ui::Control& control) const;
    std::vector<DeklPage*> pages() const;
    // Stores the pages shown; false when a cell is refused.
    bool confirm();

    ui::Sheet& sheet_;
    std::unique_ptr<CDeklRazdelA> a_;
    std::unique_ptr<CDeklRazdelB> b_;
    std::unique_ptr<CDeklRazdelC> c_;
    ui::Button& ok_;
    ui::Button& cancel_;
    ui::Button& apply_;
};

}  // namespace returns
