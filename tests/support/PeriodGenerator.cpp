#include "support/PeriodGenerator.h"

#include <algorithm>
#include <cstdio>

#include "files/SubmissionWriter.h"
#include "files/checker/CheckRun.h"
#include "journals/JournalRulesMoney.h"
#include "journals/JournalRulesTypes.h"
#include "journals/JournalStore.h"
#include "persons/IdentifierChecks.h"
#include "platform/Money.h"
#include "returns/CDeklDDS.h"
#include "support/DialogDriver.h"
#include "support/ScriptedHost.h"

namespace testing_support {
namespace {

namespace money = platform::money;
using money::Stotinki;
using Amounts = std::vector<Stotinki>;

// Member states whose numbers are accepted in every period from 2010 on.
const std::vector<std::string> kStablePrefixes = {"DE", "FR", "AT", "NL", "IT", "PL",
                                                  "CZ", "ES", "SE", "BE", "PT", "DK"};
constexpr const char* kPlaceholder = "999999999999999";

// YYYYMM plus `months` (which may be negative).
std::string AddMonths(const std::string& period, int months) {
    const int index =
        std::stoi(period.substr(0, 4)) * 12 + std::stoi(period.substr(4, 2)) - 1 + months;
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02d", index / 12, index % 12 + 1);
    return text;
}

bool IsOneOf(const std::string& s, std::initializer_list<const char*> values) {
    return std::any_of(values.begin(), values.end(), [&](const char* v) { return s == v; });
}

int TypeNumber(const std::string& type) {
    return std::stoi(type);
}

void SetAmounts(db::JournalRow& row, const Amounts& amounts) {
    for (std::size_t i = 0; i < amounts.size(); ++i)
        row.amounts[i] = money::ToStoredLeva(amounts[i]);
}

}  // namespace

int PeriodGenerator::Uniform(int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random_);
}

bool PeriodGenerator::Chance(int percent) {
    return Uniform(1, 100) <= percent;
}

std::string PeriodGenerator::Digits(int count) {
    std::string digits;
    for (int i = 0; i < count; ++i) digits += static_cast<char>('0' + Uniform(0, 9));
    return digits;
}

// Eight random digits and the one check digit that makes them an EIK.
std::string PeriodGenerator::ValidEik() {
    const std::string body = Digits(8);
    for (char check = '0'; check <= '9'; ++check)
        if (persons::IsValidEik(body + check, nullptr)) return body + check;
    return ValidEik();
}

std::string PeriodGenerator::BulgarianIdentifier() {
    switch (Uniform(0, 2)) {
        case 0:
            return "BG" + ValidEik();
        case 1:
            return ValidEik();
        default:
            return "BG" + Digits(10);
    }
}

std::string PeriodGenerator::EuVatNumber(const std::string& prefix) {
    const std::string state = prefix.empty() ? Pick(kStablePrefixes) : prefix;
    if (state == "AT") return "ATU" + Digits(8);
    if (state == "NL") return "NL" + Digits(9) + "B01";
    if (state == "FR" || state == "IT") return state + Digits(11);
    return state + Digits(Uniform(8, 10));
}

// Mostly small amounts with any stotinka, now and then large ones.
Stotinki PeriodGenerator::AmountStotinki() {
    // At most 9,999,999.99 a document: the sums of a dozen still fit the 12
    // columns of the VIES file's amounts.
    const int digits = Chance(10) ? Uniform(7, 9) : Uniform(2, 7);
    Stotinki amount = 0;
    for (int i = 0; i < digits; ++i) amount = amount * 10 + Uniform(0, 9);
    return std::max<Stotinki>(amount, 1);
}

std::string PeriodGenerator::DateIn(const std::string& month) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d/%s/%s", Uniform(1, 28), month.substr(4, 2).c_str(),
                  month.substr(0, 4).c_str());
    return text;
}

// The month of a document of the period: mostly the period's own, else one
// of the eleven before it, never before `earliest`.
std::string PeriodGenerator::DocumentMonth(const std::string& period, const std::string& earliest) {
    if (Chance(70)) return period;
    const std::string month = AddMonths(period, -Uniform(1, 11));
    return month < earliest ? period : month;
}

void PeriodGenerator::Common(db::JournalRow& row, const GeneratedPeriod& p,
                             const std::string& earliestMonth) {
    row.vin = p.vin;
    row.period = p.period;
    row.klon = p.branches.empty() || Chance(40) ? "" : Pick(p.branches);
    row.docNo = std::to_string(Uniform(1, 999'999'999));
    row.date = DateIn(DocumentMonth(p.period, earliestMonth));
    row.kname = Pick(std::vector<std::string>{"Контрагент ООД", "O'Brien Ltd", "Бета ЕООД",
                                              "Гама-\"Трейд\" АД", "Mueller GmbH"});
    row.sdelka = Pick(std::vector<std::string>{"Стоки", "Услуги", "Наем", "Ремонт на машини"});
    row.dateCreate = "2023/12/01 10:00";
}

// A code of field 8а for a type that takes the ordinary codes; 07 and 08
// only where both the period and the document month allow them.
static std::string OrdinaryField8a(std::mt19937_64& random, const std::string& period,
                                   std::string& earliestMonth) {
    std::vector<std::string> codes = {"", "", "", "01", "02", "03"};
    if (period >= "202207") codes.insert(codes.end(), {"07", "08"});
    const std::string code =
        codes[std::uniform_int_distribution<std::size_t>(0, codes.size() - 1)(random)];
    if (code == "07" || code == "08")
        earliestMonth = std::max<std::string>(earliestMonth, "202207");
    return code;
}

std::string PeriodGenerator::PickType(db::Journal journal, const std::string& period) {
    const auto types = journals::DocumentTypesFor(journal, period);
    return std::string(
        types[static_cast<std::size_t>(Uniform(0, static_cast<int>(types.size()) - 1))]);
}

db::JournalRow PeriodGenerator::Purchase(const GeneratedPeriod& p) {
    using db::BS30, db::BS31, db::BS41, db::BS32, db::BS42, db::BS43, db::BS44;
    auto row = db::EmptyJournalRow(db::Journal::Purchases);
    row.type = PickType(db::Journal::Purchases, p.period);
    std::string earliest = "200701";
    Amounts a(db::kPurchaseAmounts, 0);
    if (row.type == "05") {
        earliest = "202001";
        row.code8a = Pick(std::vector<std::string>{"51", "53", "54", "58"});
        if (Chance(30)) a[BS30] = AmountStotinki();
    } else {
        if (row.type == "23") earliest = "202306";
        row.code8a = OrdinaryField8a(random_, p.period, earliest);
    }
    Common(row, p, earliest);

    const bool eu = row.type != "07" && Chance(30);
    row.knum = row.type == "07" ? kPlaceholder : eu ? EuVatNumber() : BulgarianIdentifier();
    // A call-off-stock register names its counterpart with a VAT number.
    if (row.type == "05" && !eu && !row.knum.starts_with("BG")) row.knum = "BG" + row.knum;
    if (row.type == "05" && row.code8a == "53") row.sdelka = EuVatNumber();
    if (row.type == "05") {
        SetAmounts(row, a);
        return row;
    }
    const bool annualAndTriangular = TypeNumber(row.type) < 10 || row.type == "23";
    const int kind = Uniform(0, annualAndTriangular ? 4 : 2);
    const Stotinki sign = IsOneOf(row.type, {"03", "13", "23"}) ? -1 : 1;
    if (kind == 3) {
        a[BS43] = AmountStotinki() * (Chance(50) ? 1 : -1);  // the annual correction alone
    } else if (kind == 4 && eu) {
        a[BS44] = sign * AmountStotinki();  // a triangular operation alone
    } else {
        // Any of: no credit, full credit, partial credit, with the VAT a
        // screen proposes.
        if (Chance(40)) a[BS30] = sign * AmountStotinki();
        if (Chance(60)) a[BS31] = sign * AmountStotinki();
        if (Chance(50)) a[BS32] = sign * AmountStotinki();
        a[BS41] = journals::ProposedVat20(a[BS31]);
        a[BS42] = journals::ProposedVat20(a[BS32]);
    }
    SetAmounts(row, a);
    return row;
}

db::JournalRow PeriodGenerator::Sale(const GeneratedPeriod& p) {
    using namespace db;
    auto row = db::EmptyJournalRow(db::Journal::Sales);
    row.type = PickType(db::Journal::Sales, p.period);
    const std::string& t = row.type;
    std::string earliest = "201001";
    Amounts a(db::kSaleAmounts, 0);
    const Stotinki sign = IsOneOf(t, {"03", "13", "23"}) ? -1 : 1;

    if (t == "04") {
        // Call-off stock: the destined person of another member state, for
        // code 43 the replacing one of the same state, for 46 the corrected.
        earliest = "202001";
        row.code8a = Pick(std::vector<std::string>{"41", "43", "46", "48"});
        Common(row, p, earliest);
        row.knum = EuVatNumber();
        if (row.code8a == "43") row.sdelka = EuVatNumber(row.knum.substr(0, 2));
        if (row.code8a == "46") row.sdelka = EuVatNumber();
        if (Chance(50)) a[SS10] = AmountStotinki();
        SetAmounts(row, a);
        return row;
    }
    if (IsOneOf(t, {"23", "29"})) earliest = "202306";
    if (IsOneOf(t, {"50", "83", "84", "85"})) earliest = "202207";
    if (IsOneOf(t, {"50", "83"}))
        row.code8a = "";
    else if (t == "84")
        row.code8a = "07";
    else if (t == "85")
        row.code8a = "08";
    else
        row.code8a = OrdinaryField8a(random_, p.period, earliest);
    Common(row, p, earliest);

    const bool placeholder = IsOneOf(t, {"07", "50"});
    const bool euAllowed = IsOneOf(t, {"01", "02", "03", "09"});
    const bool eu = euAllowed && Chance(40);
    row.knum = placeholder ? kPlaceholder : eu ? EuVatNumber() : BulgarianIdentifier();
    if (IsOneOf(t, {"81", "82"}) && Chance(30)) row.knum = "";

    // The columns a document of the type may fill.
    std::vector<SaleAmount> columns;
    const int number = TypeNumber(t);
    if (IsOneOf(t, {"84", "85"}))
        columns = {SS11};
    else if (number > 10 && !IsOneOf(t, {"81", "82", "23", "29"}))
        columns = {SS11, SS13};
    else
        columns = {SS11, SS13, SS14, SS16, SS18, SS23, SS26};
    if (eu) columns.insert(columns.end(), {SS15, SS17, SS25});
    if (t == "09") columns.push_back(SS12);

    const int count = Uniform(1, 3);
    for (int i = 0; i < count; ++i) a[Pick(columns)] = sign * AmountStotinki();
    a[SS21] = journals::ProposedVat20(a[SS11]);
    a[SS22] = journals::ProposedVat20(a[SS12] + a[SS26]);
    a[SS24] = journals::TruncatedPercent(a[SS13], journals::VatRate::Rate9);
    a[SS10] = a[SS11] + a[SS12] + a[SS26] + a[SS13] + a[SS14] + a[SS15] + a[SS16];
    a[SS20] = a[SS21] + a[SS22] + a[SS23] + a[SS24];
    SetAmounts(row, a);
    return row;
}

GeneratedPeriod PeriodGenerator::Store(db::Database& db) {
    GeneratedPeriod p;
    p.bulstat = ValidEik();
    p.vin = "BG" + p.bulstat;
    char period[32];
    std::snprintf(period, sizeof period, "%04d%02d", Uniform(2011, lastYear_), Uniform(1, 12));
    p.period = period;

    db::PersonRow person;
    person.bulstat = p.bulstat, person.vin = p.vin;
    person.name = "Фирма " + std::to_string(++persons_) + " ООД";
    person.adress = "гр. София, ул. „Шипка“ " + std::to_string(Uniform(1, 99));
    person.faceEgn = "7501010010", person.face = "Иванка Петрова", person.phone = "0888123456";
    person.faceGrad = "София", person.facePk = std::to_string(Uniform(1000, 9999));
    person.faceAdr1 = "ул. Витоша 1", person.flPredst = Chance(50) ? "A" : "R";
    db::InsertPerson(db, person);
    for (int b = Uniform(0, 3); b > 0; --b) {
        char klon[32];
        std::snprintf(klon, sizeof klon, "%04d", b);
        p.branches.push_back(klon);
        person.klon = klon, person.name = std::string("Клон ") + klon;
        db::InsertPerson(db, person);
    }

    p.purchases = Uniform(0, 12), p.sales = Uniform(0, 12);
    for (int i = 0; i < p.purchases; ++i)
        journals::AddDocument(db, db::Journal::Purchases, Purchase(p),
                              journals::Numbering::InSequence);
    for (int i = 0; i < p.sales; ++i)
        journals::AddDocument(db, db::Journal::Sales, Sale(p), journals::Numbering::InSequence);
    return p;
}

void PeriodGenerator::TypeReturn(db::Database& db, const GeneratedPeriod& p) {
    ScriptedHost host;
    returns::CDeklDDS sheet(host, db, returns::ReturnScope{p.vin, "", p.period});
    DialogDriver d(sheet);
    d.showPage("Раздел Б");
    if (d.enabled("DR33")) {
        // Half a hundredth makes the half stotinki of partial credit.
        const std::string coefficient =
            Chance(40) ? "0.50"
                       : Pick(std::vector<std::string>{"0", "1", "0,75", "0.51", "0.3", "1.00"});
        d.type("DR33", coefficient).leave();
    }
    d.showPage("Раздел В, Г и Д");
    for (const char* cell : {"DR70", "DR71", "DR80", "DR81", "DR82"})
        if (d.enabled(cell) && Chance(50))
            d.type(cell, money::ToScreenText(AmountStotinki())).leave();
    d.press("ok");
    host.expectNoMoreBoxes();
}

std::vector<std::string> WriteAndCheck(db::Database& db, const GeneratedPeriod& p,
                                       const std::filesystem::path& folder,
                                       const platform::LocalDateTime& today) {
    const auto target = folder / p.bulstat / p.period;
    std::vector<std::string> errors;
    auto written = files::PeriodFiles::Submission(db, {p.vin, p.bulstat, "", folder}, p.period);
    if (written.stopped()) return {"the writer stopped: " + written.stopped()->message};
    if (const auto result = written.write(target / "Deklar.txt"); result.stop)
        return {"the writer stopped: " + result.stop->message};

    using namespace files::checker;
    CheckState state;
    RunCheck(state, target, RunKind::Folder, today);
    const auto note = [&](const std::string& where, const db::ErrorSet& set) {
        for (int code : set.codes()) errors.push_back(where + ": code " + std::to_string(code));
    };
    note("DEKLAR", state.returnErrors);
    for (std::size_t i = 0; i < state.purchases.size(); ++i)
        note("POKUPKI line " + std::to_string(i + 1), state.purchases[i].errors);
    for (std::size_t i = 0; i < state.sales.size(); ++i)
        note("PRODAGBI line " + std::to_string(i + 1), state.sales[i].errors);
    note("VIES header", state.vies.header);
    for (std::size_t i = 0; i < state.vies.section1.size(); ++i)
        note("VIR " + std::to_string(i + 1), state.vies.section1[i].errors);
    for (std::size_t i = 0; i < state.vies.section2.size(); ++i)
        note("COS " + std::to_string(i + 1), state.vies.section2[i].errors);
    if (state.purchases.size() != static_cast<std::size_t>(p.purchases) ||
        state.sales.size() != static_cast<std::size_t>(p.sales))
        errors.push_back("the files do not hold every document");
    return errors;
}

}  // namespace testing_support
