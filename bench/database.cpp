// The database settings side by side: this version's (4 KB pages, raw key,
// write-ahead log under the exclusive lock, 256 MB cache) against the
// settings of earlier versions rebuilt here (1 KB pages, a text key the
// engine stretches with 64,000 rounds, the rollback journal, the engine's
// 2 MB cache). Argument 0 is this version, 1 the earlier settings.
//
// Measured as the accountant meets them: storing one more purchase document
// through the journal (insert and renumbering in one unit of work, made
// durable) in a database of 200,000 documents, and a start of the program up
// to the main window (settings, open, session) on such a database.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "BenchHome.h"
#include "SilentHost.h"
#include "app/CZorevaApp.h"
#include "db/Database.h"
#include "db/Rows.h"
#include "journals/CPokupki.h"
#include "platform/Clock.h"
#include "session/Session.h"
#include "ui/Host.h"

namespace {

constexpr int kRows = 200'000;
constexpr int kPersons = 10;
const std::string kVin = "BG175074752";
const std::string kPeriod = "202311";

enum Settings { Now = 0, Earlier = 1 };

db::Lock LockOf(int settings) {
    return settings == Now ? db::Lock{db::Key::builtIn(), db::PageFormat::Current}
                           : db::Lock{db::Key::legacyBuiltIn(), db::PageFormat::Legacy};
}

// The journal and cache of earlier versions on an open connection.
void UseEarlierSettings(db::Database& db) {
    db.executeScript("PRAGMA journal_mode=DELETE; PRAGMA cache_size=-2000;");
}

// A home with the settings file and a data folder holding a database of
// kRows purchase documents made with the given settings.
struct World : BenchHome {
    explicit World(int settings) : BenchHome("zoreva-bench-db-") {
        auto db = db::Database::create(data() / "ZORV.MDB", LockOf(settings));
        fill(db);
    }

    static void fill(db::Database& db) {
        db::PersonRow person;
        person.bulstat = "175074752";
        person.vin = kVin;
        person.last = true;
        db::InsertPerson(db, person);
        db::Transaction unit(db);
        auto row = db::EmptyJournalRow(db::Journal::Purchases);
        row.period = kPeriod, row.type = "01", row.date = "10/11/2023";
        row.knum = "BG123456786", row.kname = "Доставчик ООД", row.sdelka = "Стоки и услуги";
        std::vector<int> numbers(kPersons, 0);
        for (int i = 0; i < kRows; ++i) {
            const int owner = i % kPersons;
            row.vin = owner == 0 ? kVin : "BG10000000" + std::to_string(owner);
            row.number = ++numbers[owner];
            row.docNo = std::to_string(i);
            db::InsertJournalRow(db, db::Journal::Purchases, row);
        }
        unit.commit();
    }
};

World& SharedWorld(int settings) {
    static std::map<int, std::unique_ptr<World>> worlds;
    auto& w = worlds[settings];
    if (!w) w = std::make_unique<World>(settings);
    return *w;
}

ui::Edit& FindEdit(ui::Dialog& d, const char* id) {
    return static_cast<ui::Edit&>(*d.find(id));
}

void BM_SaveOneMoreDocument(benchmark::State& state) {
    const int settings = static_cast<int>(state.range(0));
    const auto& world = SharedWorld(settings);
    const db::Lock lock = LockOf(settings);
    auto db = db::Database::open(world.data() / "ZORV.MDB", {&lock, 1});
    if (settings == Earlier) UseEarlierSettings(db);
    platform::FixedClock clock{{2024, 3, 15, 9, 30, 0}};
    session::Session session(db, clock, world.data(), world.root / "out");
    SilentHost host;
    journals::CPokupki screen(host, session);
    screen.open();
    screen.userEdit(FindEdit(screen, "period"), kPeriod);
    auto& type = static_cast<ui::ComboBox&>(*screen.find("type"));
    auto& save = static_cast<ui::Button&>(*screen.find("save"));
    int n = 0;
    for (auto _ : state) {
        screen.userChoose(type, 0);
        screen.userEdit(FindEdit(screen, "docNo"), "N" + std::to_string(++n));
        screen.userEdit(FindEdit(screen, "knum"), "BG123456786");
        screen.userEdit(FindEdit(screen, "sdelka"), "Стоки");
        screen.userEdit(FindEdit(screen, "col10"), "100");
        screen.userPress(save);
    }
    if (host.messages != 0) state.SkipWithError("a box was shown");
}
BENCHMARK(BM_SaveOneMoreDocument)
    ->Arg(Now)
    ->Arg(Earlier)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(30);

// Fails the run on any box: a start-up that shows one did not start.
class QuietHost : public SilentHost {
  public:
    void message(const std::string& text, ui::Icon) override {
        std::fprintf(stderr, "unexpected message: %s\n", text.c_str());
        std::abort();
    }
};

void BM_StartToMainWindow(benchmark::State& state) {
    const auto& world = SharedWorld(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        QuietHost host;
        platform::FixedClock clock{{2026, 3, 15, 9, 30, 0}};
        app::CZorevaApp zoreva(host, world.environment(), clock);
        if (!zoreva.InitInstance()) state.SkipWithError("the program did not start");
    }
}
BENCHMARK(BM_StartToMainWindow)
    ->Arg(Now)
    ->Arg(Earlier)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

}  // namespace
