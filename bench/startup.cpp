// Start-up to the point where the main window is made: settings read, the
// delivered database taken over when there is one, ZORV.MDB opened and the
// session loaded. Two cases: the first start after an installation (a fresh
// ZORV1.MDB waits in the data folder) and an everyday start of a database
// that holds a few hundred documents.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "BenchHome.h"
#include "app/CZorevaApp.h"
#include "db/Database.h"
#include "db/Rows.h"
#include "platform/Clock.h"
#include "ui/Host.h"

namespace {

// Fails the run on any box: a start-up that shows one did not start.
class QuietHost : public ui::Host {
  public:
    void message(const std::string& text, ui::Icon) override {
        std::fprintf(stderr, "unexpected message: %s\n", text.c_str());
        std::abort();
    }
    ui::Answer ask(const std::string&, ui::Buttons, ui::Icon) override { std::abort(); }
    ui::Result runModal(ui::Dialog&) override { std::abort(); }
    std::optional<std::filesystem::path> chooseFolder(const ui::FolderRequest&) override {
        std::abort();
    }
    std::optional<std::filesystem::path> saveFile(const ui::SaveFileRequest&) override {
        std::abort();
    }
    std::optional<std::filesystem::path> openFile(const ui::OpenFileRequest&) override {
        std::abort();
    }
    void print(const ui::PrintJob&) override {}
    void openTextFile(const std::filesystem::path&) override {}
    void openFolder(const std::filesystem::path&) override {}
};

bool Start(const BenchHome& home) {
    QuietHost host;
    platform::FixedClock clock{{2026, 3, 15, 9, 30, 0}};
    app::CZorevaApp zoreva(host, home.environment(), clock);
    return zoreva.InitInstance();
}

void BM_FirstStartAfterInstall(benchmark::State& state) {
    BenchHome home("zoreva-bench-start-");
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove(home.data() / "ZORV.MDB");
        db::Database::create(home.data() / "ZORV1.MDB");
        state.ResumeTiming();
        if (!Start(home)) state.SkipWithError("the program did not start");
    }
}
BENCHMARK(BM_FirstStartAfterInstall)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_EverydayStart(benchmark::State& state) {
    BenchHome home("zoreva-bench-start-");
    {
        auto db = db::Database::create(home.data() / "ZORV.MDB");
        db::PersonRow person;
        person.bulstat = "175074752";
        person.vin = "BG175074752";
        person.last = true;
        db::InsertPerson(db, person);
        db::Transaction unit(db);
        auto row = db::EmptyJournalRow(db::Journal::Purchases);
        row.vin = person.vin, row.period = "202602", row.type = "01", row.date = "10/02/2026";
        for (int i = 1; i <= 500; ++i) {
            row.number = i;
            row.docNo = std::to_string(i);
            db::InsertJournalRow(db, db::Journal::Purchases, row);
        }
        unit.commit();
    }
    for (auto _ : state)
        if (!Start(home)) state.SkipWithError("the program did not start");
}
BENCHMARK(BM_EverydayStart)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
