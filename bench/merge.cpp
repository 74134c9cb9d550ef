// The merge import of a large branch: prodagbix.txt of 1,000,000 sales lines
// and pokupkix.txt of 1,000,000 purchase lines, generated once, loaded as
// "Файлове от клон" does and added to a head office's database as "Прибави"
// does (one unit of work with the renumbering of the period).
//
// LoadAndAdd: the load and the add, each on a fresh database; the CPU and
// elapsed seconds of each step, and the loaded lines the checker found a
// code in (0: the generated files are clean).
// LoadAndAddPeakMemory: the peak resident memory of a process that makes
// one load and one add, against the size of the files.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>

#include "ChildPeakMemory.h"
#include "db/Database.h"
#include "files/checker/BranchFiles.h"
#include "files/merge/MergeImport.h"

namespace {

namespace fs = std::filesystem;
using files::checker::CheckState;

constexpr int kLines = 1'000'000;
const platform::LocalDateTime kNow{2023, 6, 20, 14, 5, 0};

std::string Pad(std::string text, std::size_t width, bool right = false) {
    if (text.size() < width) text.insert(right ? 0 : text.size(), width - text.size(), ' ');
    return text;
}

std::string Amount(std::int64_t stotinki) {
    char text[32];
    std::snprintf(text, sizeof text, "%lld.%02lld", static_cast<long long>(stotinki / 100),
                  static_cast<long long>(stotinki % 100));
    return Pad(text, 15, true);
}

// One of 5,000 counterparts, each a valid Bulgarian VAT number, spread over
// the lines as real journals spread them (the KNUM index is not appended
// to in order).
std::string Counterpart(int number) {
    const int base = 10'000'000 + (number * 7919) % 5000;
    const std::string digits = std::to_string(base);
    int sum = 0, wide = 0;
    for (int i = 0; i < 8; ++i) {
        sum += (digits[i] - '0') * (i + 1);
        wide += (digits[i] - '0') * (i + 3);
    }
    int check = sum % 11;
    if (check == 10) check = wide % 11 == 10 ? 0 : wide % 11;
    return "BG" + digits + std::to_string(check);
}

// Columns 1-167 of a line of branch 1.
std::string Head(int number, const char* docPrefix) {
    char date[16];
    std::snprintf(date, sizeof date, "%02d/05/2023", 1 + number % 28);
    return Pad("BG175074752", 15) + "202305" + "   1" + Pad(std::to_string(number), 15, true) +
           "01" + Pad(docPrefix + std::to_string(number), 20) + date +
           Pad(Counterpart(number), 15) + Pad("Counterpart Ltd", 50) + Pad("Goods", 30);
}

class BranchFolder {
  public:
    BranchFolder()
        : path_(fs::temp_directory_path() / ("zoreva-merge-bench-" + std::to_string(getpid()))) {
        fs::create_directories(path_);
        std::ofstream purchases(path_ / "pokupkix.txt", std::ios::binary);
        std::ofstream sales(path_ / "prodagbix.txt", std::ios::binary);
        for (int n = 1; n <= kLines; ++n) {
            const std::int64_t base = 500 * (1 + n % 997), vat = base / 5;
            std::string line = Head(n, "P") + Amount(0) + Amount(base) + Amount(vat);
            for (int k = 0; k < 4; ++k) line += Amount(0);
            purchases << line << "  \r\n";
            line = Head(n, "S") + Amount(base) + Amount(vat) + Amount(base) + Amount(vat);
            for (int k = 0; k < 13; ++k) line += Amount(0);
            sales << line << "  0\r\n";
        }
    }
    ~BranchFolder() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }
    double megabytes() const {
        return static_cast<double>(fs::file_size(path_ / "pokupkix.txt") +
                                   fs::file_size(path_ / "prodagbix.txt")) /
               1e6;
    }

  private:
    fs::path path_;
};

const BranchFolder& Folder() {
    static const BranchFolder generated;
    return generated;
}

double ProcessCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// Where the time of one import went: the load, then the add.
struct Phases {
    double loadCpu = 0, addCpu = 0;    // CPU time of the process
    double loadWall = 0, addWall = 0;  // elapsed time
    long long withCodes = 0;           // loaded lines the checker found a code in
};

double WallSeconds() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// One load and one add into a new database in `dbFile`; the documents added.
long long LoadAndAddOnce(const fs::path& dbFile, Phases& phases) {
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        fs::remove(dbFile.string() + suffix);
    db::Database db = db::Database::create(dbFile);
    const double start = ProcessCpuSeconds(), startWall = WallSeconds();
    CheckState state;
    files::checker::LoadBranchFiles(state, Folder().path(), kNow);
    const double loaded = ProcessCpuSeconds(), loadedWall = WallSeconds();
    const auto added =
        files::merge::AddLoadedDocuments(db, state, files::merge::SalesSource::MergeFile, kNow);
    phases = {loaded - start, ProcessCpuSeconds() - loaded, loadedWall - startWall,
              WallSeconds() - loadedWall, 0};
    for (const auto* records : {&state.purchases, &state.sales})
        for (const auto& record : *records) phases.withCodes += record.errors.any() ? 1 : 0;
    return added.purchases + added.sales;
}

void LoadAndAdd(benchmark::State& state) {
    const fs::path dbFile = Folder().path() / "ZORV.MDB";
    long long added = 0;
    Phases phases;
    for (auto _ : state) added = LoadAndAddOnce(dbFile, phases);
    state.counters["added"] = static_cast<double>(added);
    state.counters["load_cpu_s"] = phases.loadCpu;
    state.counters["add_cpu_s"] = phases.addCpu;
    state.counters["load_s"] = phases.loadWall;
    state.counters["add_s"] = phases.addWall;
    state.counters["lines_with_codes"] = static_cast<double>(phases.withCodes);
    state.counters["files_MB"] = Folder().megabytes();
}
BENCHMARK(LoadAndAdd)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

void LoadAndAddPeakMemory(benchmark::State& state) {
    const fs::path dbFile = Folder().path() / "ZORV.MDB";
    long peakKb = 0;
    for (auto _ : state) {
        const auto peak = ChildPeakResidentKb([&] {
            Phases phases;
            return LoadAndAddOnce(dbFile, phases) == 2LL * kLines;
        });
        if (!peak) {
            state.SkipWithError("the import failed");
            return;
        }
        peakKb = *peak;
    }
    state.counters["peak_RSS_MB"] = peakKb * 1024.0 / 1e6;
    state.counters["files_MB"] = Folder().megabytes();
}
BENCHMARK(LoadAndAddPeakMemory)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace
