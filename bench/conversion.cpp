// Carrying a user's database of the first version (1 KB pages, the key
// stretched from a text, journals in order of entry) into a newly delivered
// ZORV1.MDB at start-up: 500,000 purchase and 500,000 sales documents of ten
// persons over twelve periods, entered in turn, with their persons, returns
// and counterparts. Measured from the start of the conversion until the new
// ZORV.MDB is in place and ZORV1.MDB gone.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

#include "app/Conversion.h"
#include "db/Database.h"
#include "platform/Clock.h"
#include "platform/Files.h"

namespace {

namespace fs = std::filesystem;

constexpr int kDocumentsPerJournal = 500'000;
constexpr int kPersons = 10;
constexpr int kPeriods = 12;

std::string Vin(int person) {
    return "BG10000000" + std::to_string(person);
}

std::string Period(int i) {
    const int month = i % kPeriods + 1;
    return "2023" + std::string(month < 10 ? "0" : "") + std::to_string(month);
}

// The first version's tables, as the tests keep them.
db::Database CreateVersion0(const fs::path& file) {
    auto db = db::Database::create(file, {db::Key::legacyBuiltIn(), db::PageFormat::Legacy});
    std::string drop;
    {
        auto tables = db.query(
            "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite%'");
        while (tables.step()) drop += "DROP TABLE " + tables.text(0) + ";";
    }
    const auto schema =
        platform::ReadWholeFile(fs::path(ZOREVA_SOURCE_DIR) / "tests/support/schemas/version0.sql");
    db.executeScript("BEGIN;" + drop + schema + "PRAGMA user_version = 0; COMMIT;");
    return db;
}

void Fill(db::Database& db) {
    db::Transaction unit(db);
    for (int p = 0; p < kPersons; ++p) {
        db.execute("INSERT INTO EDANNI (BULSTAT, KLON, VIN, NAME, LAST) VALUES (?, '', ?, ?, ?)",
                   Vin(p).substr(2), Vin(p), "Фирма " + std::to_string(p), p == 0);
        db.execute("INSERT INTO KONTRAG (KN, KI, VIN) VALUES (?, 'Доставчик ООД', ?)",
                   "12345678" + std::to_string(p), Vin(p));
        for (int m = 0; m < kPeriods; ++m)
            db.execute("INSERT INTO DEKLAR (VIN, KLON, PERIOD, DS01, DR33) VALUES (?, '', ?, 1, 1)",
                       Vin(p), Period(m));
    }
    auto purchase = db.prepare(
        "INSERT INTO POKUPKI (VIN, KLON, PERIOD, NUMBER, TYPE, DOCNO, DDATE, KNUM, KNAME, SDELKA, "
        "BS30, BS31, BS41, BS32, BS42, BS43, BS44, BS8A, ERROR1, ERROR2, ERROR3, DATE_CREATE) "
        "VALUES (?, '', ?, ?, '01', ?, '10/11/2023', 'BG123456786', 'Доставчик ООД', "
        "'Стоки и услуги', 0, ?, ?, 0, 0, 0, 0, '', 0, 0, 0, '2023/11/20 10:00')");
    auto sale = db.prepare(
        "INSERT INTO PRODAGBI (VIN, KLON, PERIOD, NUMBER, TYPE, DOCNO, DDATE, KNUM, KNAME, "
        "SDELKA, SS10, SS20, SS11, SS21, VIES_TYPE, ERROR1, ERROR2, ERROR3, DATE_CREATE) "
        "VALUES (?, '', ?, ?, '01', ?, '12/11/2023', '999999999999999', 'Купувач', 'Услуги', "
        "?, ?, ?, ?, '0', 0, 0, 0, '2023/11/20 10:00')");
    // Ordinals per person and period, in order of entry.
    std::vector<int> purchases(kPersons * kPeriods), sales(kPersons * kPeriods);
    for (int i = 0; i < kDocumentsPerJournal; ++i) {
        const int person = i % kPersons, period = i / kPersons % kPeriods;
        const double base = 100 + i % 997;
        const int slot = person * kPeriods + period;
        purchase.bindAll(Vin(person), Period(period), double(++purchases[slot]),
                         "П" + std::to_string(i), base, base / 5);
        purchase.run();
        purchase.reset();
        sale.bindAll(Vin(person), Period(period), double(++sales[slot]), "Ф" + std::to_string(i),
                     base, base / 5, base, base / 5);
        sale.run();
        sale.reset();
    }
    unit.commit();
}

// The user's database and a delivered one, made once and copied for each run.
struct Originals {
    fs::path folder = fs::temp_directory_path() /
                      ("zoreva-bench-conversion-" + std::to_string(std::random_device{}()));
    Originals() {
        fs::create_directories(folder / "originals");
        {
            auto db = CreateVersion0(folder / "originals/ZORV.MDB");
            Fill(db);
        }
        db::Database::create(folder / "originals/ZORV1.MDB");
    }
    ~Originals() { fs::remove_all(folder); }
    fs::path data() const { return folder / "data"; }
    void lay() const {
        fs::remove_all(data());
        fs::create_directories(data());
        fs::copy_file(folder / "originals/ZORV.MDB", data() / "ZORV.MDB");
        fs::copy_file(folder / "originals/ZORV1.MDB", data() / "ZORV1.MDB");
    }
};

void BM_ConvertMillionDocuments(benchmark::State& state) {
    static const Originals originals;
    platform::FixedClock clock({2024, 1, 10, 9, 0, 0});
    app::ConversionReport report;
    for (auto _ : state) {
        state.PauseTiming();
        originals.lay();
        state.ResumeTiming();
        report = app::TakeOverDeliveredDatabase(originals.data(), clock);
    }
    if (report.outcome != app::ConversionOutcome::Converted) state.SkipWithError("not converted");
    state.counters["documents"] = double(report.carried.purchases + report.carried.sales);
}
BENCHMARK(BM_ConvertMillionDocuments)->Unit(benchmark::kSecond)->Iterations(2);

}  // namespace
