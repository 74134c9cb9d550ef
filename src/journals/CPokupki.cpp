#include "journals/CPokupki.h"

#include "persons/IdentifierChecks.h"
#include "ui/Host.h"

namespace journals {
namespace {

using persons::EuPrefixVariant;

// The money fields stand side by side, each under its caption.
constexpr MoneyGrid kGrid{.perRow = 7, .step = 92, .top = 104, .labelHeight = 78, .rowHeight = 0};

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
constexpr const char* kOldParagraphs = "ал.2-5";
constexpr std::string_view kNewParagraphsFrom = "202004";

std::string Caption(int column) {
    switch (column) {
        case 9:
            return Caption9(kNewParagraphs);
        case 10:
            return Caption10or12(10, kNewParagraphs, "пълен");
        case 11:
            return "11.ДДС с право на пълен данъчен кредит.";
        case 12:
            return Caption10or12(12, kNewParagraphs, "частичен");
        case 13:
            return "13.ДДС с право на частичен данъчен кредит.";
        case 14:
            return "14.Годишна корекция по чл.73,ал.8 ЗДДС";
        default:
            return "15.ДО при придо- биване на стоки от посредник в трист- ранна операция";
    }
}

// The thirteen-months rule only warns, between the rules that refuse.
constexpr DateCheck kDateChecks[] = {
    {DateRule::AfterPeriod},
    {DateRule::Type23Before202306},
    {DateRule::ThirteenMonthsBefore, Warning::ThirteenMonths},
    {DateRule::Field8aBefore202207},
};

}  // namespace

CPokupki::CPokupki(ui::Host& host, session::Session& session)
    : JournalScreen(host, session, db::Journal::Purchases,
                    "Дневник за покупките - " + session.person().vin, {660, 446}) {
    addMoneyColumns(9, 15, kGrid, Caption);
    const PeriodCaption changed[] = {
        {9, Caption9(kOldParagraphs), kNewParagraphsFrom},
        {10, Caption10or12(10, kOldParagraphs, "пълен"), kNewParagraphsFrom},
        {12, Caption10or12(12, kOldParagraphs, "частичен"), kNewParagraphsFrom},
    };
    captionsChangeWithPeriod(changed);
    declareCommands({6, 202, 648, 198}, {6, 404, 648, 36});
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
    if (!validateDates(kDateChecks) || !validateCallOffStock()) return false;
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

// Code 53: field 8 holds the VAT number of the person the goods were meant for.
bool CPokupki::validateGoodsMeantFor(const std::string& code8a, const std::string& month) {
    if (code8a != "53") return true;
    const std::string meantFor = trimmedText(sdelka_);
    const bool accepted = meantFor.starts_with("BG")
                              ? persons::IsBulgarianVatNumberForm(meantFor)
                              : persons::IsEuVatPrefixValid(EuPrefixVariant::B, meantFor, month);
    if (!accepted)
        return refuse(
            "Полето '8.Вид на стоката/услугата' задължително\r\nтрябва да е попълнено с ИН "
            "по ДДС на контрагент!",
            sdelka_);
    return true;
}

bool CPokupki::validateColumnGroups() {
    const auto all = amounts();
    if (amount(15) != 0) {
        if (BreaksTriangularGroup(all)) return refuse(kTriangularGroupMessage, money(15));
        if (!persons::IsEuVatPrefixValid(EuPrefixVariant::B, counterpart(), documentMonth()))
            return acceptOrEdit(
                "Грешен ИН на контрагент при тристранна операция-\r\nтрябва да е ИН по ДДС от "
                "друга държава членка на ЕС\r\nИскате ли да го редактирате?",
                money(15), Warning::TriangularCounterpart);
        return true;
    }
    if (amount(14) != 0) {
        if (BreaksAnnualCorrectionGroup(all))
            return refuse(kAnnualCorrectionGroupMessage, money(14));
        return true;
    }
    // Mixed signs among columns 9-13: the first of them holds the focus
    // (column 14 is closed for most types).
    if (HasMixedSigns(db::Journal::Purchases, all)) return refuse(kMixedSignsMessage, money(9));
    return true;
}

bool CPokupki::validateRates() {
    for (const Warning breach :
         RateRuleBreaches(db::Journal::Purchases, amounts(), shownPeriod())) {
        const bool full = breach == Warning::PurchaseVat11;
        const std::string question =
            full ? "Стойността на ДДС в колона 11 е различна от 20% от стойността на колона 10"
                 : "Стойността на ДДС в колона 13 е различна от 20% от стойността на колона 12";
        if (!acceptOrEdit(question + "\r\nИскате ли да го редактирате?", money(full ? 11 : 13),
                          breach))
            return false;
    }
    return true;
}

}  // namespace journals
