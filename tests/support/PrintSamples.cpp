#include "support/PrintSamples.h"

#include <cstdio>
#include <string>

#include "returns/VatReturnComputation.h"

namespace testing_support {
namespace {

constexpr const char* kVin = "BG175074752";

const char* const kSuppliers[] = {
    "Електроразпределение Юг ЕАД",  // 27 characters: two lines
    "Софийска вода АД",
    "Виваком България ЕАД",
    "Лукойл България ЕООД",
    "Канцеларски материали Иванов и синове ООД",
    "Доставки на строителни материали ЕООД",
};
const char* const kGoods[] = {"електроенергия",           "вода",
                              "далекосъобщителни услуги", "гориво",
                              "канцеларски материали",    "строителни материали"};

// "MM/YYYY" of the period `months` before the period YYYYMM.
std::string MonthOf(const std::string& period, int monthsBefore = 0) {
    const int index =
        std::stoi(period.substr(0, 4)) * 12 + std::stoi(period.substr(4, 2)) - 1 - monthsBefore;
    char text[16];
    std::snprintf(text, sizeof text, "%02d/%04d", index % 12 + 1, index / 12);
    return text;
}

db::JournalRow Document(db::Journal journal, const std::string& period, int number) {
    auto row = db::EmptyJournalRow(journal);
    row.vin = kVin, row.period = period, row.number = number, row.type = "01";
    row.docNo = std::to_string(1000000 + number * 37);
    row.date =
        (number % 28 + 1 < 10 ? "0" : "") + std::to_string(number % 28 + 1) + "/" + MonthOf(period);
    row.knum = std::to_string(100000000 + number * 7919 % 900000000);
    const int pick = number % 6;
    row.kname = kSuppliers[pick];
    row.sdelka = kGoods[pick];
    return row;
}

void Purchases(db::Database& db, const std::string& period) {
    for (int n = 1; n <= kSamplePurchases; ++n) {
        auto row = Document(db::Journal::Purchases, period, n);
        const double base = 100.0 * n + n * 0.37;
        if (n % 5 == 0) {
            row.amounts[db::BS30] = base;  // no credit
        } else if (n % 7 == 0) {
            row.amounts[db::BS32] = base, row.amounts[db::BS42] = base * 0.2;
        } else {
            row.amounts[db::BS31] = base, row.amounts[db::BS41] = base * 0.2;
        }
        db::InsertJournalRow(db, db::Journal::Purchases, row);
    }
}

void Sales(db::Database& db, const std::string& period) {
    for (int n = 1; n <= 12; ++n) {
        auto row = Document(db::Journal::Sales, period, n);
        const double base = 250.0 * n;
        row.kname =
            n % 3 ? "Клиент " + std::to_string(n) + " ООД" : "Търговска верига Фантастико ЕООД";
        row.sdelka = "продажба на стоки";
        if (n % 4 == 0) {
            row.knum = "DE" + std::to_string(100000000 + n);
            row.amounts[db::SS10] = base, row.amounts[db::SS15] = base;
            row.sdelka = "ВОД на стоки";
        } else {
            row.amounts[db::SS10] = base, row.amounts[db::SS20] = base * 0.2;
            row.amounts[db::SS11] = base, row.amounts[db::SS21] = base * 0.2;
        }
        db::InsertJournalRow(db, db::Journal::Sales, row);
    }
}

db::ViesRow Vies(const std::string& period, int section, int number, const std::string& knum) {
    db::ViesRow v;
    v.vin = kVin, v.period = period, v.section = section, v.number = number;
    v.knum = knum, v.period1 = MonthOf(period);
    return v;
}

void ViesReturn(db::Database& db, const std::string& period) {
    auto de = Vies(period, 1, 1, "DE100000004");
    de.ss15 = 1000;
    auto de2 = Vies(period, 1, 2, "DE100000008");
    de2.ss15 = 2000, de2.period1 = MonthOf(period, 1);
    auto at = Vies(period, 1, 3, "ATU12345678");
    at.ss17 = 450.5, at.ss25 = 120;
    auto fr = Vies(period, 1, 4, "FR12345678901");
    fr.ss15 = 3000;
    for (const auto& v : {de, de2, at, fr}) db::InsertViesRow(db, v);
    auto callOff = Vies(period, 2, 1, "DE100000004");
    callOff.ss15 = 1;
    auto replaced = Vies(period, 2, 2, "NL123456789B01");
    replaced.ss15 = 3, replaced.knumz = "DE100000008";
    for (const auto& v : {callOff, replaced}) db::InsertViesRow(db, v);
}

}  // namespace

db::PersonRow FillPrintSamples(db::Database& db, const std::string& period) {
    db::PersonRow p;
    p.bulstat = "175074752", p.vin = kVin, p.name = "Зорница Трейд ЕООД";
    p.adress = "гр. София 1000, ул. „Цар Шишман“ № 14";
    p.bName = "Иван Петров Иванов", p.bPost = "управител";
    p.face = "Мария Георгиева Петрова", p.faceEgn = "8001010000";
    p.faceAdr1 = "ж.к. Лозенец, ул. „Криволак“ № 3", p.faceGrad = "София", p.facePk = "1164";
    p.flPredst = "A", p.last = true;
    if (!db::FindPerson(db, p.bulstat, "")) db::InsertPerson(db, p);
    Purchases(db, period);
    Sales(db, period);
    returns::ComputeVatReturn(db, {kVin, "", period});
    ViesReturn(db, period);
    return p;
}

}  // namespace testing_support
