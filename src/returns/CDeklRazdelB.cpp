#include "returns/CDeklRazdelB.h"

#include "returns/DeklCells.h"

namespace returns {
namespace {

// Field 33 is left as at most four characters, 0.00 to 1.00.
constexpr int kCoefficientLength = 4;
constexpr double kMaxCoefficient = 1.00;

std::string Caption30(const std::string& p) {
    return std::string(
               "30.ДО и данък на получените доставки, ВОП, получените доставки по чл.82, ") +
           (p < "202004" ? "ал.2-5" : "ал.2-6") +
           " ЗДДС и вноса без право на данъчен кредит или без данък";
}

std::string PurchasesHeading(const std::string& p) {
    return std::string("ДО и данък на получените доставки, ВОП, получените доставки по чл.82, ") +
           (p < "202004" ? "ал.2-5" : "ал.2-6") +
           " ЗДДС и вноса, както и ДО на получените доставки, използвани за извършване на "
           "доставки по чл.69, ал.2 ЗДДС:";
}

journals::Stotinki StotinkiOf(const ui::Edit& cell) {
    return journals::ToStotinki(cell.text(), journals::Rounding::HalfUp);
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
    shown("DB30", Caption30(p), &R::db30, 2);
    heading(PurchasesHeading(p), 2);
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
    for (const auto& c : shown_) c.edit->setText(FormatLeva(row.*c.value));

    const bool partialCredit = journals::LevaToStotinki(row.db42) != 0;
    const double coefficient = partialCredit ? row.dr33 : 0;
    coefficient_->edit().setText(partialCredit ? FormatLeva(coefficient) : "");
    coefficient_->edit().setEnabled(partialCredit);
    const double credit = row.db41 + row.db42 * coefficient + row.db43;  // floating point
    storeCells({{"DR33", coefficient}, {"DR40", credit}});
    coefficient_->setStored(coefficient);
    dr40_->setText(FormatLeva(credit));
}

std::string CDeklRazdelB::refusal(const TypedCell& cell, const std::string& text) const {
    if (&cell == coefficient_ && LeadingNumber(text) > kMaxCoefficient)
        return "Поле '33' не може да бъде по-голямо от 1.00";
    return "";
}

// Exact stotinki: the cells as shown, the coefficient in hundredths (its
// text is known to be valid: readyToSave() came first).
void CDeklRazdelB::save() {
    savedCoefficient_ =
        coefficient_->edit().enabled() ? TypedStotinki(*coefficient_->normalised()) : 0;
    savedCredit_ = StotinkiOf(*db41_) +
                   journals::CoefficientShare(StotinkiOf(*db42_), savedCoefficient_) +
                   StotinkiOf(*db43_);
    storeCells({{"DR33", savedCoefficient_ / 100.0}, {"DR40", savedCredit_ / 100.0}});
}

void CDeklRazdelB::saved() {
    coefficient_->setStored(savedCoefficient_ / 100.0);
    if (coefficient_->edit().enabled())
        coefficient_->edit().setText(FormatStotinki(savedCoefficient_));
    dr40_->setText(FormatStotinki(savedCredit_));
}

}  // namespace returns
