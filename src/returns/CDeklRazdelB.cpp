#include "returns/CDeklRazdelB.h"

#include "platform/Money.h"
#include "returns/VatReturnComputation.h"

namespace returns {

namespace money = platform::money;

namespace {

// Field 33 is left as at most four characters, 0.00 to 1.00.
constexpr int kCoefficientLength = 4;
constexpr double kMaxCoefficient = 1.00;

// A cell shows an amount with two decimals: nothing to round.
Stotinki StotinkiOf(const ui::Edit& cell) {
    return money::FromText(cell.text(), money::Rounding::Truncate).value_or(0);
}

std::string ShownLeva(double leva) {
    return money::ToScreenText(money::FromStoredLeva(leva));
}

}  // namespace

CDeklRazdelB::CDeklRazdelB(CDeklDDS& sheet) : DeklPage(sheet, "razdelB", "Раздел Б") {
    using R = db::ReturnRow;
    const std::string& p = scope().period;
    auto shown = [&](const char* id, std::string caption, double R::*value, int lines = 1) {
        ui::Edit& edit = cell(id, std::move(caption), lines);
        shown_.push_back({&edit, value});
        return &edit;
    };
    section("Раздел Б: Данни за упражнено право на данъчен кредит");
    const std::string art82(Art82Paragraphs(p));
    shown("DB30",
          "30.ДО и данък на получените доставки, ВОП, получените доставки по чл.82, " + art82 +
              " ЗДДС и вноса без право на данъчен кредит или без данък",
          &R::db30, 2);
    heading("ДО и данък на получените доставки, ВОП, получените доставки по чл.82, " + art82 +
                " ЗДДС и вноса, както и ДО на получените доставки, използвани за извършване на "
                "доставки по чл.69, ал.2 ЗДДС:",
            2);
    shown("DB31", "31. - с право на пълен данъчен кредит", &R::db31);
    db41_ = shown("DB41", "41.ДДС с право на пълен данъчен кредит", &R::db41);
    shown("DB32", "32. - с право на частичен данъчен кредит", &R::db32);
    db42_ = shown("DB42", "42.ДДС с право на частичен данъчен кредит", &R::db42);
    db43_ = shown("DB43", "43.Годишна корекция по чл.73, ал.8 ЗДДС (+/-)", &R::db43);
    coefficient_ =
        &typedCell("DR33", "33.Коефициент по чл.73, ал.5 ЗДДС", "33", kCoefficientLength);
    dr40_ = &cell("DR40", "40.Общо данъчен кредит\r\n(кл.41 + кл.42 х кл.33 + кл.43)", 2);
    endSection();
}

// The first display stores the coefficient it uses and field 40 at once.
void CDeklRazdelB::show(bool first) {
    if (!first) return;
    const auto row = readRow();
    for (const auto& c : shown_) c.edit->setText(ShownLeva(row.*c.value));

    using money::FromStoredLeva;
    const bool partialCredit = FromStoredLeva(row.db42) != 0;
    // The coefficient in hundredths, as the cell and the file show it.
    const Stotinki coefficient = partialCredit ? FromStoredLeva(row.dr33) : 0;
    coefficient_->edit().setText(partialCredit ? money::ToScreenText(coefficient) : "");
    coefficient_->edit().setEnabled(partialCredit);
    const Stotinki credit = ComputeResult(0, FromStoredLeva(row.db41), FromStoredLeva(row.db42),
                                          FromStoredLeva(row.db43), coefficient)
                                .credit;
    storeCells({{"DR33", money::ToStoredLeva(coefficient)}, {"DR40", money::ToStoredLeva(credit)}});
    coefficient_->setStored(money::ToStoredLeva(coefficient));
    dr40_->setText(money::ToScreenText(credit));
}

std::string CDeklRazdelB::refusal(const TypedCell& cell, const std::string& text) const {
    if (&cell == coefficient_ && money::LevaFromText(text) > kMaxCoefficient)
        return "Поле '33' не може да бъде по-голямо от 1.00";
    return "";
}

// Exact stotinki: the cells as shown, the coefficient in hundredths (its
// text is known to be valid: readyToSave() came first).
void CDeklRazdelB::save() {
    savedCoefficient_ =
        coefficient_->edit().enabled()
            ? money::FromTypedText(*coefficient_->normalised(), money::Rounding::HalfUp).value_or(0)
            : 0;
    savedCredit_ = ComputeResult(0, StotinkiOf(*db41_), StotinkiOf(*db42_), StotinkiOf(*db43_),
                                 savedCoefficient_)
                       .credit;
    storeCells({{"DR33", money::ToStoredLeva(savedCoefficient_)},
                {"DR40", money::ToStoredLeva(savedCredit_)}});
}

void CDeklRazdelB::saved() {
    coefficient_->setStored(money::ToStoredLeva(savedCoefficient_));
    if (coefficient_->edit().enabled())
        coefficient_->edit().setText(money::ToScreenText(savedCoefficient_));
    dr40_->setText(money::ToScreenText(savedCredit_));
}

}  // namespace returns
