#include "journals/CProdagbi.h"

#include <array>

#include "journals/ViesType.h"
#include "persons/IdentifierChecks.h"
#include "platform/CodePage.h"
#include "platform/Money.h"
#include "ui/Host.h"

namespace journals {

namespace money = platform::money;
namespace {

using persons::EuPrefixVariant;

// Columns 9 to 17 stand in the first row, 18 to 25 in the second, each under
// its caption.
constexpr MoneyGrid kGrid{.perRow = 9, .step = 72, .top = 106, .labelHeight = 48, .rowHeight = 66};

// The captions of the columns that do not change with the period, and the
// latest captions of those that do.
std::string Caption(int column) {
    static const std::array<const char*, 17> kCaptions = {
        "9.Общ размер на ДО за облагане с ДДС.",
        "10.Всичко начислен ДДС.",
        "11.ДО на обл. достав- ки 20%, вкл...",
        "12.Начислен ДДС за дост. по к.11 и нач. данък(20%), предвиден в закона в др.случаи",
        "13.ДО на ВОП",
        "14.ДО по пол. д-ки по чл.82, ал.2-6 ЗДДС.",
        "15.Начислен ДДС за ВОП и доставки по к.14",
        "16.Начислен данък за доставки на стоки и услуги за лични нужди",
        "17 ДО на облагаемите доставки със ставка 9%",
        "18.Начислен ДДС 9%",
        "19.ДО на доставките със ставка 0% по глава трета от ЗДДС.",
        "20.ДО на ВОД.",
        "21.ДО на доставки по чл. 140, 146, чл. 173 ЗДДС",
        "22.ДО на дост.на услуги по чл.21,ал.2 ЗДДС, с място на изп...",
        "23.ДО на дост.по чл.69,ал.2 ЗДДС, вкл. ДО на дост. при дист. продажби,с място на изп...",
        "24.ДО на освободени доставки и освободените ВОП.",
        "25.ДО на доставки като посредник в тристранни операции.",
    };
    return kCaptions.at(column - 9);
}

const PeriodCaption kPeriodCaptions[] = {
    {12, "12.Начислен ДДС за доставки по к.11", "201602"},
    {16, "16.Начислен ДДС 20%, в др.случаи, предвидени в ЗДДС", "201602"},
    {14, "14.ДО по пол. д-ки по чл.82, ал.2-5 ЗДДС.", "202004"},
    {17, "17.ДО на облагаемите доставки със ставка 7%/ 9%", "201206"},
    {18, "18.Начислен ДДС 7%/ 9%", "201206"},
    {21, "21.ДО на дост. 0% по чл.140, чл.146 и чл.173, ал.1 и 4 ЗДДС.", "201401"},
};

bool IsOneOf(std::string_view value, std::initializer_list<std::string_view> options) {
    for (const auto option : options)
        if (value == option) return true;
    return false;
}

bool IsCashAccountingOrProtocol(std::string_view type) {
    return IsOneOf(type, {"11", "12", "13", "91", "92", "93", "94", "95"});
}

constexpr const char* kNotEuMeantFor =
    "Полето '8.Вид на стоката/услугата' задължително\r\nтрябва да е попълнено с ИН по ДДС на "
    "контрагент от друга държава членка на ЕС!";
constexpr const char* kDifferentMemberStates =
    "Посочените  ИН по ДДС в поле „ИН по ДДС на лицето, за което стоките са предназначени (вкл. "
    "знака)“ и в поле “ИН по ДДС на лицето, за което стоките са били предназначени при "
    "заместване по чл. 15а, ал. 4 от ЗДДС (вкл. знака)” са издадени от различни държави "
    "членки\r\nИскате ли да го редактирате?";

constexpr DateCheck kDateChecks[] = {
    {DateRule::AfterPeriod},           {DateRule::Type23Before202306},
    {DateRule::SalesTypeBefore202207}, {DateRule::Field8aBefore202207},
    {DateRule::Type50Outside2022H2},
};

}  // namespace

CProdagbi::CProdagbi(ui::Host& host, session::Session& session)
    : JournalScreen(host, session, db::Journal::Sales,
                    "Дневник за продажбите - " + session.person().vin, {660, 492}),
      col24_(addMoneyColumns(9, 24, kGrid, Caption)),
      viesColumn_(addComboBox("viesColumn", "Аналитична на кл. 24 (VIES)", {108, 238, 230, 100})
                      .labelAt({6, 240, 100, 8})),
      col25_(addMoneyColumns(25, 25, kGrid, Caption)),
      advance_(addCheckBox("advance", "авансово плащане, което не се включва във VIES",
                           {350, 238, 230, 12})) {
    captionsChangeWithPeriod(kPeriodCaptions);
    declareCommands({6, 256, 648, 196}, {6, 456, 648, 30});
    rebuildViesColumn();
}

void CProdagbi::typeChosen() {
    rebuildViesColumn();
}

void CProdagbi::rebuildViesColumn() {
    std::vector<std::string> items;
    for (const auto item : ViesColumnItems(type())) items.emplace_back(item);
    // The same list keeps its choice: leaving column 24 again loses nothing.
    if (items != viesColumn_.items()) viesColumn_.setItems(std::move(items));
}

void CProdagbi::enableJournalFields() {
    const std::string t = type();
    if (shownPeriod().empty() || shownPeriod() >= "202004")
        enableFrom202004(t);
    else
        enableBefore202004(t);
    // The VIES analysis of column 24 and the advance mark of column 25 only
    // while their columns hold an amount.
    viesColumn_.setEnabled(col24_.enabled() && amount(24) != 0);
    if (!col24_.enabled()) viesColumn_.select(-1);
    advance_.setEnabled(col25_.enabled() && amount(25) != 0);
    if (!advance_.enabled()) advance_.setChecked(false);
}

void CProdagbi::enableFrom202004(const std::string& t) {
    const bool period = periodEntered();
    // "Entered": a period, and not a call-off-stock register (type 04).
    const bool entered = period && t != "04";
    enableMoney(9, period);
    for (int column : {10, 11, 12}) enableMoney(column, entered);
    enableMoney(13, entered && t == "09");
    for (int column : {17, 18}) enableMoney(column, period && !IsOneOf(t, {"84", "85"}));
    const bool others =
        entered && !IsCashAccountingOrProtocol(t) && !IsOneOf(t, {"50", "83", "84", "85"});
    for (int column : {14, 15, 16, 19, 21, 23, 24}) enableMoney(column, others);
    for (int column : {20, 22}) enableMoney(column, others && !IsOneOf(t, {"23", "29"}));
    enableMoney(25, entered && IsOneOf(t, {"01", "02", "03", "09"}));
}

void CProdagbi::enableBefore202004(const std::string& t) {
    const bool period = periodEntered();
    for (int column : {9, 10, 11, 12, 17, 18}) enableMoney(column, period);
    enableMoney(13, period && t == "09");
    enableMoney(25, period && (t < "07" || t == "09"));
    const bool closedByType = shownPeriod().substr(0, 4) > "2013" && IsCashAccountingOrProtocol(t);
    for (int column : {14, 15, 16, 19, 20, 21, 22, 23, 24})
        enableMoney(column, period && !closedByType);
}

void CProdagbi::moneyLeft(int column) {
    if (column == 11) setAmount(12, ProposedVat20(typedAmount(11)));
    if ((column == 13 || column == 14) && typedAmount(15) == 0)
        setAmount(15, ProposedVat20(typedAmount(13) + typedAmount(14)));
    if (column == 24) {
        rebuildViesColumn();
        if (typedAmount(24) == 0) viesColumn_.select(-1);
    }
}

void CProdagbi::writeJournalColumns(db::JournalRow& row) const {
    row.viesType = EncodeViesType({viesColumn_.selected(), advance_.checked()});
}

void CProdagbi::readJournalColumns(const db::JournalRow& row) {
    const auto analysis = DecodeViesType(row.viesType, money::FromStoredLeva(row.amount(db::SS19)),
                                         money::FromStoredLeva(row.amount(db::SS25)));
    rebuildViesColumn();
    const int items = static_cast<int>(viesColumn_.items().size());
    viesColumn_.select(analysis.item < items ? analysis.item : -1);
    advance_.setChecked(analysis.advance);
}

void CProdagbi::clearJournalFields() {
    rebuildViesColumn();
    viesColumn_.select(-1);
    advance_.setChecked(false);
}

// ---- validation ----

bool CProdagbi::validateDocument() {
    if (!validateDates(kDateChecks)) return false;
    if (sdelka_.text().empty()) return refuse("Вида на стоката\\услугата е празнo", sdelka_);
    if (!validateCallOffStock() || !validateCounterpart() || !validateColumns()) return false;
    // An identifier of no known form is recorded, not asked.
    if (!ClassifyCounterpart(db::Journal::Sales, type(), counterpart(), documentMonth()))
        record(Warning::SalesUnknownForm);
    return true;
}

// Codes 43 and 46: field 8 holds the VAT number of the person the goods were
// meant for; with 43 it is expected from the counterpart's member state.
bool CProdagbi::validateGoodsMeantFor(const std::string& code8a, const std::string& month) {
    if (code8a != "43" && code8a != "46") return true;
    const std::string meantFor = trimmedText(sdelka_);
    if (!persons::IsEuVatPrefixValid(EuPrefixVariant::B, meantFor, month) ||
        platform::Utf8Length(meantFor) > 15)
        return refuse(kNotEuMeantFor, sdelka_);
    if (code8a == "43" &&
        platform::Utf8Prefix(meantFor, 2) != platform::Utf8Prefix(counterpart(), 2) &&
        !acceptOrEdit(kDifferentMemberStates, sdelka_, Warning::CallOffStockMemberStates))
        return false;
    return true;
}

bool CProdagbi::validateCounterpart() {
    const std::string t = type();
    const std::string id = counterpart();
    if (id.empty() && IsOneOf(t, {"01", "02", "03", "04", "23"}))
        return refuse("ИН на контрагента е празен!", knum_);
    if (id.empty() && IsOneOf(t, {"09", "29"}) &&
        !acceptOrEdit("ИН на контрагента е празен\r\nИскате ли да го редактирате?", knum_, {}))
        return false;
    if (!id.empty() && trimmedText(kname_).empty() && t != "50")
        return refuse("Името на контрагента е празнo!", kname_);
    if (id == session().person().vin &&
        !acceptOrEdit("VIN на контрагента е еднакво с това на регистрираното лице", knum_,
                      Warning::SalesOwnIdentifier))
        return false;
    return true;
}

bool CProdagbi::validateColumns() {
    const std::string t = type();
    const auto all = amounts();
    if (amount(24) != 0 && viesColumn_.selected() < 0)
        return refuse("При попълнена кл.24 трябва да се избере 'Колона за VIES'", viesColumn_);
    if (HasMixedSigns(db::Journal::Sales, all)) return refuse(kMixedSignsMessage, money(9));
    if (amount(13) != 0 && t != "09" &&
        !acceptOrEdit(
            "Грешен вид документ за ВОП-\r\nтрябва да е 09\r\nИскате ли да го редактирате?",
            money(13), Warning::SalesAcquisitionType))
        return false;
    if (amount(25) != 0 && !IsOneOf(t, {"01", "02", "03", "09"}) &&
        !acceptOrEdit("Грешен вид документ за тристранна операция-\r\nтрябва да е 01, 02, 03 или "
                      "09\r\nИскате ли да го редактирате?",
                      col25_, Warning::SalesTriangularType))
        return false;
    const int euColumn = amount(20) != 0 ? 20 : amount(22) != 0 ? 22 : amount(25) != 0 ? 25 : 0;
    if (euColumn != 0 &&
        !persons::IsEuVatPrefixValid(EuPrefixVariant::B, counterpart(), documentMonth()) &&
        !acceptOrEdit("Грешен ИН на контрагент при попълнени полета 20, 22 и 25-\r\nтрябва да е ИН "
                      "по ДДС от друга държава членка на ЕС\r\nИскате ли да го редактирате?",
                      money(euColumn), Warning::SalesEuCounterpart))
        return false;
    return validateSumsAndRates();
}

bool CProdagbi::validateSumsAndRates() {
    const std::string t = type();
    const auto all = amounts();
    for (const Warning breach : SumRuleBreaches(t, all)) {
        const bool base = breach == Warning::SalesSum9;
        const char* question =
            base ? "Общия размер на ДО за облагане с ДДС (к.9)\r\nсе различава сбора на "
                   "ДО\r\nИскате ли да го редактирате?"
                 : "Всичко начислен ДДС(к.10), се различава\r\nот сбора на съответните "
                   "колони\r\nИскате ли да го редактирате?";
        if (!acceptOrEdit(question, money(base ? 9 : 10), breach)) return false;
    }
    for (const Warning breach : RateRuleBreaches(db::Journal::Sales, all, shownPeriod())) {
        const char* question = nullptr;
        int column = 17;
        switch (breach) {
            case Warning::SalesVat12:
                question =
                    "Стойността на ДДС в колона 12 е различна от 20% от стойността на колона 11";
                column = 12;
                break;
            case Warning::SalesVat15:
                question =
                    "Стойността на ДДС в колона 15 е различна от 20% от стойността на колони 13 и "
                    "14";
                column = 14;
                break;
            case Warning::SalesVat18Before201206:
                question =
                    "Стойността на ДДС в колона 18 е различна от 7/9% от стойността на колона 17";
                break;
            default:
                question =
                    "Стойността на ДДС в колона 18 е различна от 9% от стойността на колона 17";
                break;
        }
        if (!acceptOrEdit(std::string(question) + "\r\nИскате ли да го редактирате?", money(column),
                          breach))
            return false;
    }
    return true;
}

}  // namespace journals
