#include "journals/CPokupki.h"

#include "persons/IdentifierChecks.h"
#include "ui/Host.h"

namespace journals {
namespace {

using persons::EuPrefixVariant;

// The money fields stand side by side, each under its caption.
constexpr int kStep = 92;
ui::Rect MoneyField(int column) {
    return {6 + (column - 9) * kStep, 184, kStep - 4, 12};
}
ui::Rect MoneyLabel(int column) {
    return {6 + (column - 9) * kStep, 104, kStep - 4, 78};
}

// The captions of columns 9, 10 and 12 name art. 82(2)-(5) before 202004 and
// (2)-(6) from then on.
std::string Caption9(std::string_view paragraphs) {
    return "9.ДО и данък на пол. доставки, ВОП, пол.доставки по чл.82, " + std::string(paragraphs) +
           " ЗДДС и вносът без право на данъчен кредит (ДК) или без данък";
}
std::string Caption10or12(int column, std::string_view paragraphs, std::string_view credit) {
    return std::to_string(column) + ".ДО на пол. доставки, ВОП, пол.доставки по чл.82, " +
           std::string(paragraphs) +
           " ЗДДС, вносът, както и ДО на пол.доставки, използвани за извършване на доставки по "
           "чл.69, ал.2 ЗДДС с право на " +
           std::string(credit) + " ДК";
}

constexpr const char* kNewParagraphs = "ал.2-6";

}  // namespace

CPokupki::CPokupki(ui::Host& host, session::Session& session)
    : JournalScreen(host, session, db::Journal::Purchases,
                    "Дневник за покупките - " + session.person().vin, {660, 446}),
      col9_(addMoney(9, Caption9(kNewParagraphs), MoneyField(9), MoneyLabel(9))),
      col10_(
          addMoney(10, Caption10or12(10, kNewParagraphs, "пълен"), MoneyField(10), MoneyLabel(10))),
      col11_(
          addMoney(11, "11.ДДС с право на пълен данъчен кредит.", MoneyField(11), MoneyLabel(11))),
      col12_(addMoney(12, Caption10or12(12, kNewParagraphs, "частичен"), MoneyField(12),
                      MoneyLabel(12))),
      col13_(addMoney(13, "13.ДДС с право на частичен данъчен кредит.", MoneyField(13),
                      MoneyLabel(13))),
      col14_(
          addMoney(14, "14.Годишна корекция по чл.73,ал.8 ЗДДС", MoneyField(14), MoneyLabel(14))),
      col15_(addMoney(15, "15.ДО при придо- биване на стоки от посредник в трист- ранна операция",
                      MoneyField(15), MoneyLabel(15))) {
    declareCommands({6, 202, 648, 198}, {6, 404, 648, 36});
}

void CPokupki::setPeriodCaptions(std::string_view period) {
    const std::string_view paragraphs = period < "202004" ? "ал.2-5" : kNewParagraphs;
    col9_.setCaption(Caption9(paragraphs));
    col10_.setCaption(Caption10or12(10, paragraphs, "пълен"));
    col12_.setCaption(Caption10or12(12, paragraphs, "частичен"));
}

void CPokupki::typeChosen() {
    // A call-off-stock register carries no amounts of its own.
    if (type() == "05")
        for (int column = 9; column <= 15; ++column) money(column).setText("");
}

void CPokupki::enableJournalFields() {
    const bool entered = periodEntered();
    const std::string t = type();
    enableMoney(9, entered);
    for (int column = 10; column <= 13; ++column) enableMoney(column, entered && t != "05");
    enableMoney(14, entered && t == "09");
    enableMoney(15, entered && t != "05" && (t < "10" || t == "23"));
}

void CPokupki::moneyLeft(int column) {
    // The VAT at 20 % of a tax base is proposed when the base is left.
    if (column == 10) setAmount(11, ProposedVat20(typedAmount(10)));
    if (column == 12) setAmount(13, ProposedVat20(typedAmount(12)));
}

bool CPokupki::validateDocument() {
    if (!validateDates() || !validateCallOffStock()) return false;
    const std::string t = type();
    const std::string id = counterpart();
    if (id.empty() && (t == "01" || t == "02" || t == "03" || t == "05" || t == "07" || t == "23"))
        return refuse("ИН на контрагента е празен!", knum_);
    if (!id.empty() && trimmedText(kname_).empty())
        return refuse("Името на контрагента е празнo!", kname_);
    if (sdelka_.text().empty()) return refuse("Вида на стоката\\услугата е празнo", sdelka_);
    if (id == session().person().vin && t != "09" &&
        !acceptOrEdit("VIN на контрагента е еднакво с това на регистрираното лице\r\n"
                      "Искате ли да го редактирате?",
                      knum_, Warning::PurchaseOwnIdentifier))
        return false;
    if (!validateColumnGroups() || !validateRates()) return false;
    // An identifier of no known form (an empty one included) is recorded, not asked.
    if (!ClassifyCounterpart(db::Journal::Purchases, t, id, documentMonth()))
        record(Warning::PurchaseUnknownForm);
    return true;
}

bool CPokupki::validateDates() {
    DatedTexts texts;
    const DatedDocument document = datedDocument(texts);
    for (const DateRule rule : {DateRule::AfterPeriod, DateRule::Type23Before202306})
        if (BreaksDateRule(rule, document)) return refuse(DateRuleMessage(rule), date_);
    if (BreaksDateRule(DateRule::ThirteenMonthsBefore, document)) {
        host().warning(std::string(DateRuleMessage(DateRule::ThirteenMonthsBefore)));
        record(Warning::ThirteenMonths);
    }
    if (BreaksDateRule(DateRule::Field8aBefore202207, document))
        return refuse(DateRuleMessage(DateRule::Field8aBefore202207), date_);
    return true;
}

// A register of goods under call-off stock: the 8а code, the VAT number of the
// person the goods were meant for (code 53) and a member-state counterpart.
bool CPokupki::validateCallOffStock() {
    if (type() != "05") return true;
    if (!validateCallOffStockDateAnd8a()) return false;
    const std::string code = code8a_.selectedText();
    const std::string month = documentMonth();
    if (code == "53") {
        const std::string meantFor = trimmedText(sdelka_);
        const bool accepted =
            meantFor.starts_with("BG")
                ? persons::IsBulgarianVatNumberForm(meantFor)
                : persons::IsEuVatPrefixValid(EuPrefixVariant::B, meantFor, month);
        if (!accepted)
            return refuse(
                "Полето '8.Вид на стоката/услугата' задължително\r\nтрябва да е попълнено с ИН "
                "по ДДС на контрагент!",
                sdelka_);
    }
    if (!persons::IsEuVatPrefixValid(EuPrefixVariant::B, counterpart(), month))
        return refuse(
            "Полето 'ИН на контрагент' задължително\r\nтрябва да е попълнено с ИН по ДДС на "
            "контрагент от друга държава членка на ЕС!",
            knum_);
    return true;
}

bool CPokupki::validateColumnGroups() {
    const auto all = amounts();
    if (amount(15) != 0) {
        if (BreaksTriangularGroup(all)) return refuse(kTriangularGroupMessage, col15_);
        if (!persons::IsEuVatPrefixValid(EuPrefixVariant::B, counterpart(), documentMonth()))
            return acceptOrEdit(
                "Грешен ИН на контрагент при тристранна операция-\r\nтрябва да е ИН по ДДС от "
                "друга държава членка на ЕС\r\nИскате ли да го редактирате?",
                col15_, Warning::TriangularCounterpart);
        return true;
    }
    if (amount(14) != 0) {
        if (BreaksAnnualCorrectionGroup(all)) return refuse(kAnnualCorrectionGroupMessage, col14_);
        return true;
    }
    // Mixed signs among columns 9-13: the first of them holds the focus
    // (column 14 is closed for most types).
    if (HasMixedSigns(db::Journal::Purchases, all)) return refuse(kMixedSignsMessage, col9_);
    return true;
}

bool CPokupki::validateRates() {
    for (const Warning breach :
         RateRuleBreaches(db::Journal::Purchases, amounts(), shownPeriod())) {
        const bool full = breach == Warning::PurchaseVat11;
        const std::string question =
            full ? "Стойността на ДДС в колона 11 е различна от 20% от стойността на колона 10"
                 : "Стойността на ДДС в колона 13 е различна от 20% от стойността на колона 12";
        if (!acceptOrEdit(question + "\r\nИскате ли да го редактирате?", full ? col11_ : col13_,
                          breach))
            return false;
    }
    return true;
}

}  // namespace journals
