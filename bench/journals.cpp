// The purchase journal on a large database: 1,000,000 purchase documents, of
// which 100,000 belong to the benchmarked person and period, mixed with the
// documents of nine other persons as they would arrive over time. The
// argument is how many documents of one person arrive together: 1 mixes them
// row by row (the period's documents are spread over every page of the
// table, the hardest case), 100 has the accountant type a person's batch at a
// time.
//
// Measured as the accountant meets them: opening the period in the journal
// (one query, the list and its totals), storing one more document (insert and
// renumbering in one unit of work), and deleting the first document of the
// period, which renumbers every other one, then shows the period again.
//
// The second argument is the version of the tables: 1, this program's (the
// journals kept in order of VAT number, period and ID), or 0, the first
// version's (in order of entry, a period's rows spread over the table), which
// this program still works on until the file is carried over; both with this
// version's page size and key, so that only the storage differs.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "SilentHost.h"
#include "db/Database.h"
#include "db/Rows.h"
#include "journals/CPokupki.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "session/Session.h"
#include "ui/Host.h"

namespace {

constexpr int kRows = 1'000'000;
constexpr int kPersons = 10;  // the benchmarked person holds every tenth row
const std::string kVin = "BG175074752";
const std::string kPeriod = "202311";

struct World {
    std::filesystem::path folder;
    std::unique_ptr<db::Database> db;
    platform::FixedClock clock{{2024, 3, 15, 9, 30, 0}};
    std::unique_ptr<session::Session> session;

    World(int batch, int schema) {
        folder = std::filesystem::temp_directory_path() /
                 ("zoreva-bench-" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(folder);
        db = std::make_unique<db::Database>(db::Database::create(folder / "ZORV.MDB"));
        if (schema == 0) useFirstVersionTables();
        fill(batch, schema);
        session = std::make_unique<session::Session>(*db, clock, folder, folder);
    }
    ~World() {
        session.reset();
        db.reset();
        std::filesystem::remove_all(folder);
    }

    void useFirstVersionTables() {
        const auto tables = platform::ReadWholeFile(std::filesystem::path(ZOREVA_SOURCE_DIR) /
                                                    "tests/support/schemas/version0.sql");
        db->executeScript(
            "BEGIN; DROP TABLE EDANNI; DROP TABLE DEKLAR; DROP TABLE KONTRAG; DROP TABLE POKUPKI; "
            "DROP TABLE PRODAGBI; DROP TABLE VIES; DROP TABLE JOURNAL_IDS;" +
            tables + "PRAGMA user_version = 0; COMMIT;");
    }

    void fill(int batch, int schema) {
        db::PersonRow person;
        person.bulstat = "175074752";
        person.vin = kVin;
        person.last = true;
        db::InsertPerson(*db, person);
        db::Transaction unit(*db);
        auto insert = db->prepare(
            "INSERT INTO POKUPKI (ID, VIN, KLON, PERIOD, NUMBER, TYPE, DOCNO, DDATE, KNUM, KNAME, "
            "SDELKA, BS30, BS31, BS41, BS32, BS42, BS43, BS44, BS8A, ERROR1, ERROR2, ERROR3, "
            "DATE_CREATE) VALUES (?, ?, ?, ?, ?, '01', ?, '10/11/2023', 'BG123456786', "
            "'Доставчик ООД', 'Стоки и услуги', 0, ?, ?, 0, 0, 0, 0, '', 0, 0, 0, "
            "'2023/11/20 10:00')");
        std::vector<int> numbers(kPersons, 0);
        const std::int64_t firstId =
            schema == 0 ? 1 : db::ReserveJournalIds(*db, db::Journal::Purchases, kRows);
        for (int i = 0; i < kRows; ++i) {
            const int person = i / batch % kPersons;
            const std::string vin = person == 0 ? kVin : "BG10000000" + std::to_string(person);
            const double base = 100 + i % 997;
            db::Binder(insert) << firstId + i << vin << (i % 3 == 0 ? "0001" : "") << kPeriod
                               << double(++numbers[person]) << std::to_string(i) << base
                               << base / 5;
            insert.run();
            insert.reset();
        }
        unit.commit();
    }
};

// One database per batch size and version of the tables, built once per run;
// the one used before is dropped first, so that two never share the memory.
World& SharedWorld(const benchmark::State& state) {
    static std::pair<std::int64_t, std::int64_t> key{-1, -1};
    static std::unique_ptr<World> world;
    const std::pair arguments{state.range(0), state.range(1)};
    if (!world || key != arguments) {
        world.reset();
        world = std::make_unique<World>(static_cast<int>(arguments.first),
                                        static_cast<int>(arguments.second));
        key = arguments;
    }
    return *world;
}

// The journal opened, with the period typed in.
std::unique_ptr<journals::CPokupki> OpenPeriod(SilentHost& host, const benchmark::State& state) {
    auto screen = std::make_unique<journals::CPokupki>(host, *SharedWorld(state).session);
    screen->open();
    screen->userEdit(static_cast<ui::Edit&>(*screen->find("period")), kPeriod);
    return screen;
}

ui::Edit& FindEdit(ui::Dialog& d, const char* id) {
    return static_cast<ui::Edit&>(*d.find(id));
}

void BM_OpenPeriod(benchmark::State& state) {
    SilentHost host;
    SharedWorld(state);
    for (auto _ : state) {
        auto screen = OpenPeriod(host, state);
        benchmark::DoNotOptimize(screen->find("list"));
    }
    auto screen = OpenPeriod(host, state);
    state.counters["documents"] = static_cast<ui::ListView&>(*screen->find("list")).rowCount() - 1;
}

void BM_SaveDocument(benchmark::State& state) {
    SilentHost host;
    auto screen = OpenPeriod(host, state);
    auto& type = static_cast<ui::ComboBox&>(*screen->find("type"));
    auto& save = static_cast<ui::Button&>(*screen->find("save"));
    int n = 0;
    for (auto _ : state) {
        screen->userChoose(type, 0);
        screen->userEdit(FindEdit(*screen, "docNo"), "N" + std::to_string(++n));
        screen->userEdit(FindEdit(*screen, "knum"), "BG123456786");
        screen->userEdit(FindEdit(*screen, "sdelka"), "Стоки");
        screen->userEdit(FindEdit(*screen, "col10"), "100");
        screen->userPress(save);
    }
    if (host.messages != 0) state.SkipWithError("a box was shown");
}

void BM_DeleteFirstWithRenumbering(benchmark::State& state) {
    SilentHost host;
    auto screen = OpenPeriod(host, state);
    auto& list = static_cast<ui::ListView&>(*screen->find("list"));
    auto& remove = static_cast<ui::Button&>(*screen->find("delete"));
    for (auto _ : state) {
        screen->userSelectRows(list, {0});
        screen->userPress(remove);
    }
    if (host.messages != 0) state.SkipWithError("a box was shown");
}

// The three run one after another on each database, so that each is built once.
[[maybe_unused]] const int kRegistered = [] {
    for (const int schema : {1, 0}) {
        for (const int batch : {1, 100}) {
            benchmark::RegisterBenchmark("BM_OpenPeriod", BM_OpenPeriod)
                ->Args({batch, schema})
                ->Unit(benchmark::kMillisecond)
                ->Iterations(5);
            benchmark::RegisterBenchmark("BM_SaveDocument", BM_SaveDocument)
                ->Args({batch, schema})
                ->Unit(benchmark::kMillisecond)
                ->Iterations(20);
            benchmark::RegisterBenchmark("BM_DeleteFirstWithRenumbering",
                                         BM_DeleteFirstWithRenumbering)
                ->Args({batch, schema})
                ->Unit(benchmark::kMillisecond)
                ->Iterations(5);
        }
    }
    return 0;
}();

}  // namespace
