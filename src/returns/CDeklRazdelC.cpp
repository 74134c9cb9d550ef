#include "returns/CDeklRazdelC.h"

#include "platform/Money.h"

namespace returns {

namespace money = platform::money;

namespace {

constexpr int kAmountLength = 15;
constexpr const char* kTypedColumns[] = {"DR70", "DR71", "DR80", "DR81", "DR82"};

std::string ShownLeva(double leva) {
    return money::ToScreenText(money::FromStoredLeva(leva));
}

// The amount of a cell: a typed text rounds half up on a third decimal, the
// shown results have two decimals; ',' counts as '.'; empty is 0.
double StoredAmountOf(const ui::Edit& cell) {
    return money::ToStoredLeva(
        money::FromTypedText(cell.text(), money::Rounding::HalfUp).value_or(0));
}

}  // namespace

CDeklRazdelC::CDeklRazdelC(CDeklDDS& sheet) : DeklPage(sheet, "razdelC", "Раздел В, Г и Д") {
    auto typed = [&](Typed cell, const char* field, std::string caption) {
        typed_[cell] = &typedCell(kTypedColumns[cell], std::move(caption), field, kAmountLength);
    };
    section("Раздел В: Резултат за периода");
    dr50_ = &cell("DR50", "50.ДДС за внасяне\r\n(кл.20 - кл.40) >= 0", 2);
    dr60_ = &cell("DR60", "60.ДДС за възстановяване\r\n(кл.20 - кл.40) < 0", 2);
    endSection();
    section("Раздел Г: ДДС за внасяне");
    typed(F70, "70", "70.Данък за внасяне от кл.50, приспаднат по реда на чл.92, ал.1 ЗДДС");
    typed(F71, "71", "71.Данък за внасяне от кл.50, внесен ефективно");
    endSection();
    section("Раздел Д: ДДС, подлежащ на възстановяване");
    typed(F80, "80",
          "80.Съгласно чл.92, ал.1 ЗДДС в 30-дневен срок от подаването на тази декларация");
    typed(F81, "81",
          "81.Съгласно чл.92, ал.3 ЗДДС в 30-дневен срок от подаването на тази декларация");
    typed(F82, "82",
          "82.Съгласно чл.92, ал.4 ЗДДС в 30-дневен срок от подаването на тази декларация");
    endSection();
    print_ = &button("print", "Печат");
}

Stotinki CDeklRazdelC::result() const {
    const auto row = readRow();
    return money::FromStoredLeva(row.ds20) - money::FromStoredLeva(row.dr40);
}

std::vector<std::optional<double>> CDeklRazdelC::storedCells() const {
    return StoredTypedCells(db(), scope());
}

void CDeklRazdelC::showResult(Stotinki difference) {
    const bool payable = difference >= 0;
    dr50_->setText(payable ? money::ToScreenText(difference) : "");
    dr60_->setText(payable ? "" : money::ToScreenText(-difference));
    const bool enabled[kTyped] = {difference > 0, difference > 0, true, !payable, !payable};
    for (int i = 0; i < kTyped; ++i) {
        ui::Edit& edit = typed_[i]->edit();
        const bool emptied = payable ? (i == F81 || i == F82) : (i == F70 || i == F71);
        if (emptied) {
            const auto& stored = typed_[i]->stored();
            edit.setText(stored ? ShownLeva(*stored) : "");
        }
        edit.setEnabled(enabled[i]);
    }
}

void CDeklRazdelC::reloadStoredCells() {
    const auto stored = storedCells();
    for (int i = 0; i < kTyped; ++i) {
        typed_[i]->setStored(stored[i]);
        typed_[i]->edit().setText(stored[i] ? ShownLeva(*stored[i]) : "");
    }
}

// Every time the page comes to the front the result is read anew; the typed
// cells show their stored values the first time, and keep what the user
// typed after that.
void CDeklRazdelC::show(bool first) {
    if (first) reloadStoredCells();
    showResult(result());
}

// Runs after page Б has stored field 40, so the result is read again: a
// coefficient confirmed together with these cells changes fields 50 and 60.
void CDeklRazdelC::save() {
    showResult(result());
    savedValues_.clear();
    for (const TypedCell* cell : typed_) savedValues_.push_back(StoredAmountOf(cell->edit()));
    storeCells({{"DR50", StoredAmountOf(*dr50_)},
                {"DR60", StoredAmountOf(*dr60_)},
                {kTypedColumns[F70], savedValues_[F70]},
                {kTypedColumns[F71], savedValues_[F71]},
                {kTypedColumns[F80], savedValues_[F80]},
                {kTypedColumns[F81], savedValues_[F81]},
                {kTypedColumns[F82], savedValues_[F82]}});
}

void CDeklRazdelC::saved() {
    for (int i = 0; i < kTyped; ++i) typed_[i]->setStored(savedValues_[i]);
}

}  // namespace returns
