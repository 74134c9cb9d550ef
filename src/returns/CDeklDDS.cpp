#include "returns/CDeklDDS.h"

#include <algorithm>

#include "platform/Money.h"
#include "platform/UserError.h"
#include "returns/CDeklRazdelA.h"
#include "returns/CDeklRazdelB.h"
#include "returns/CDeklRazdelC.h"
#include "ui/Host.h"

namespace returns {

namespace money = platform::money;

namespace {

// Geometry in dialog units. Cells stand in one column: the caption on the
// left, word-wrapped, the amount on the right.
constexpr int kWidth = 520, kHeight = 330;
constexpr int kSheetX = 6, kSheetY = 6, kSheetWidth = kWidth - 12, kSheetHeight = 296;
constexpr int kFrameX = 6, kFrameWidth = kSheetWidth - 12;
constexpr int kCaptionX = 14, kCaptionWidth = 396;
constexpr int kCellX = 418, kCellWidth = 72, kCellHeight = 12;
constexpr int kLineHeight = 8, kRowGap = 3, kFirstTop = 6;
constexpr int kFrameTop = 13, kFrameBottom = 3, kSectionGap = 6;
constexpr int kCellLimit = 15;  // characters of every cell

// The typing rule of the cells the user fills: digits and at most one
// decimal separator, '.' or ','. No sign: none of these cells is negative.
bool TypedAmountIsValid(std::string_view text) {
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    const auto separators =
        std::count_if(text.begin(), text.end(), [](char c) { return c == '.' || c == ','; });
    const auto digits = std::count_if(text.begin(), text.end(), isDigit);
    return separators <= 1 && separators + digits == static_cast<std::ptrdiff_t>(text.size());
}

int RowHeight(int lines) {
    return std::max(kCellHeight, lines * kLineHeight + 2);
}

}  // namespace

// ---- TypedCell ----

TypedCell::TypedCell(ui::Edit& edit, std::string field, int normaliseLimit)
    : edit_(edit), field_(std::move(field)), normaliseLimit_(normaliseLimit) {}

std::string TypedCell::invalidMessage() const {
    return "Некоректна стойност на поле '" + field_ + "'";
}

std::optional<std::string> TypedCell::normalised() const {
    std::string text = edit_.text();
    if (!money::NormaliseMoneyText(text, normaliseLimit_)) return std::nullopt;
    return text;
}

bool TypedCell::differsFromStored() const {
    if (!TypedAmountIsValid(edit_.text())) return true;
    return money::FromTypedText(edit_.text(), money::Rounding::HalfUp).value_or(0) !=
           money::FromStoredLeva(stored_.value_or(0));
}

// ---- DeklPage ----

DeklPage::DeklPage(CDeklDDS& sheet, std::string id, std::string title)
    : sheet_(sheet),
      page_(sheet.addPage(sheet.sheet_, std::move(id), std::move(title))),
      top_(kFirstTop) {}

void DeklPage::activate() {
    const bool first = !displayed_;
    displayed_ = true;
    show(first);
}

db::Database& DeklPage::db() const {
    return sheet_.database();
}
const ReturnScope& DeklPage::scope() const {
    return sheet_.scope();
}
ui::Host& DeklPage::host() const {
    return sheet_.host();
}
void DeklPage::setFocus(ui::Control& control) {
    sheet_.setFocus(control);
}

db::ReturnRow DeklPage::readRow() const {
    const auto row = db::FindReturn(db(), scope().vin, scope().klon, scope().period);
    if (!row)
        throw platform::UserError("Справката-декларация за периода " + scope().period + " липсва");
    return *row;
}

void DeklPage::storeCells(std::initializer_list<std::pair<const char*, double>> cells) {
    StoreReturnCells(db(), scope(), cells);
}

void DeklPage::section(std::string caption) {
    sectionCaption_ = std::move(caption);
    sectionTop_ = top_;
    top_ += kFrameTop;
}

// The frame is declared after its rows; it takes no focus, so the tab order
// is that of the rows.
void DeklPage::endSection() {
    top_ += kFrameBottom - kRowGap;
    sheet_
        .addGroup(std::move(sectionCaption_),
                  {kFrameX, sectionTop_, kFrameWidth, top_ - sectionTop_})
        .on(page_);
    top_ += kSectionGap;
}

ui::Label& DeklPage::heading(std::string text, int lines) {
    const int height = RowHeight(lines);
    auto& label =
        sheet_.addLabel(std::move(text), {kCaptionX, top_, kCaptionWidth, height}).on(page_);
    top_ += height + kRowGap;
    return label;
}

ui::Button& DeklPage::button(std::string id, std::string caption) {
    constexpr int kButtonWidth = 60, kButtonHeight = 14;
    auto& button =
        sheet_
            .addButton(std::move(id), std::move(caption),
                       {kCellX + kCellWidth - kButtonWidth, top_, kButtonWidth, kButtonHeight})
            .on(page_);
    top_ += kButtonHeight + kRowGap;
    return button;
}

ui::Edit& DeklPage::cell(std::string id, std::string caption, int lines) {
    const int height = RowHeight(lines);
    auto& edit = sheet_
                     .addEdit(std::move(id), std::move(caption),
                              {kCellX, top_ + (height - kCellHeight) / 2, kCellWidth, kCellHeight})
                     .labelAt({kCaptionX, top_, kCaptionWidth, height})
                     .limit(kCellLimit)
                     .alignRight()
                     .setReadOnly()
                     .on(page_);
    top_ += height + kRowGap;
    return edit;
}

TypedCell& DeklPage::typedCell(std::string id, std::string caption, std::string field,
                               int normaliseLimit) {
    ui::Edit& edit = cell(std::move(id), std::move(caption)).setReadOnly(false);
    return typed_.emplace_back(edit, std::move(field), normaliseLimit);
}

TypedCell* DeklPage::typedCellOf(const ui::Edit& edit) {
    for (auto& cell : typed_)
        if (&cell.edit() == &edit) return &cell;
    return nullptr;
}

void DeklPage::refuse(TypedCell& cell, const std::string& message) {
    host().error(message);
    setFocus(cell.edit());
}

std::optional<std::string> DeklPage::accepted(TypedCell& cell) {
    auto text = cell.normalised();
    if (!text) {
        refuse(cell, cell.invalidMessage());
    } else if (const auto why = refusal(cell, *text); !why.empty()) {
        refuse(cell, why);
        text.reset();
    }
    return text;
}

void DeklPage::changed(ui::Edit& edit) {
    if (TypedCell* cell = typedCellOf(edit); cell && !TypedAmountIsValid(edit.text()))
        refuse(*cell, cell->invalidMessage());
}

// A text refused while typing is checked again here, so that it cannot be
// left behind.
void DeklPage::left(ui::Edit& edit) {
    if (TypedCell* cell = typedCellOf(edit))
        if (const auto text = accepted(*cell)) edit.setText(*text);
}

bool DeklPage::modified() const {
    for (const auto& cell : typed_)
        if (cell.differsFromStored()) return true;
    return false;
}

// The cells keep their texts: an empty one stays empty (and is stored as 0).
bool DeklPage::readyToSave() {
    for (auto& cell : typed_)
        if (cell.edit().enabled() && !accepted(cell)) return false;
    return true;
}

std::string_view Art82Paragraphs(const std::string& period) {
    return period < "202004" ? "ал.2-5" : "ал.2-6";
}

// ---- CDeklDDS ----

CDeklDDS::CDeklDDS(ui::Host& host, db::Database& db, ReturnScope scope,
                   std::function<void()> printRequest)
    : ReturnDialog(host, "Справка декларация за ДДС", {kWidth, kHeight}, db, std::move(scope),
                   std::move(printRequest)),
      sheet_(addSheet("sheet", {kSheetX, kSheetY, kSheetWidth, kSheetHeight}).anchored(ui::kGrows)),
      a_(std::make_unique<CDeklRazdelA>(*this)),
      b_(std::make_unique<CDeklRazdelB>(*this)),
      c_(std::make_unique<CDeklRazdelC>(*this)),
      ok_(addButton("ok", "Добре", {kWidth - 186, kHeight - 22, 56, 14})
              .anchored(ui::kFollowsBottomRight)),
      cancel_(addButton("cancel", "Откажи", {kWidth - 124, kHeight - 22, 56, 14})
                  .anchored(ui::kFollowsBottomRight)),
      apply_(addButton("apply", "Потвърди", {kWidth - 62, kHeight - 22, 56, 14})
                 .anchored(ui::kFollowsBottomRight)) {
    // A larger window gives the pages room around their cells.
    setResizable({kWidth, kHeight});
}

CDeklDDS::~CDeklDDS() = default;

std::vector<DeklPage*> CDeklDDS::pages() const {
    return {a_.get(), b_.get(), c_.get()};
}

DeklPage* CDeklDDS::pageOf(const ui::Control& control) const {
    for (DeklPage* page : pages())
        if (control.page() == &page->page()) return page;
    return nullptr;
}

// An engine error here is shown by the dialog layer: on opening the sheet
// then closes, on a later page it stays open.
void CDeklDDS::opened() {
    ComputeVatReturn(database(), scope());
}

void CDeklDDS::pageActivated(ui::Page& page) {
    for (DeklPage* each : pages())
        if (&each->page() == &page) each->activate();
}

void CDeklDDS::changed(ui::Control& control) {
    if (DeklPage* page = pageOf(control); page && control.kind() == ui::Kind::Edit)
        page->changed(static_cast<ui::Edit&>(control));
}

void CDeklDDS::left(ui::Control& control) {
    if (DeklPage* page = pageOf(control); page && control.kind() == ui::Kind::Edit)
        page->left(static_cast<ui::Edit&>(control));
}

// An engine error leaves the row as it was (the transaction rolls back) and
// is shown by the dialog layer; the pages then keep their reference values.
bool CDeklDDS::confirm() {
    for (DeklPage* page : pages())
        if (page->displayed() && !page->readyToSave()) return false;
    {
        db::Transaction transaction(database());
        for (DeklPage* page : pages())
            if (page->displayed()) page->save();
        transaction.commit();
    }
    for (DeklPage* page : pages())
        if (page->displayed()) page->saved();
    return true;
}

void CDeklDDS::pressed(ui::Button& button) {
    if (&button == &ok_) {
        if (confirm()) close(ui::Result::Ok);
    } else if (&button == &apply_) {
        confirm();
    } else if (&button == &cancel_) {
        close(ui::Result::Cancel);
    } else if (&button == &c_->printButton()) {
        print();
    }
}

void CDeklDDS::enter(ui::Control* focused) {
    if (focused == &ok_ || focused == &cancel_ || focused == &apply_)
        pressed(static_cast<ui::Button&>(*focused));
}

void CDeklDDS::refresh() {
    bool modified = false;
    for (DeklPage* page : pages()) modified = modified || (page->displayed() && page->modified());
    apply_.setEnabled(modified);
    cancel_.setEnabled(modified);
    c_->printButton().setEnabled(canPrint());
}

}  // namespace returns
