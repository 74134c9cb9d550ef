// The file checker on a large folder: 1,000,000 sales lines and 1,000,000
// purchase lines with their return and VIES return, generated once.
//
// CheckRun: one check run, as the dialog and zoreva-check make it, against a
// `cat` of the same files to /dev/null in the same iterations.
// PlainRead: that `cat` alone.
// CheckRunPeakMemory: the peak resident memory of a process that makes one
// check run, against the size of the files.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "ChildPeakMemory.h"
#include "files/checker/CheckRun.h"

namespace {

namespace fs = std::filesystem;
using files::checker::CheckState;
using files::checker::RunCheck;
using files::checker::RunKind;

constexpr int kLines = 1'000'000;
constexpr int kEuCounterparts = 1000;  // every 1000th sale is an intra-Community supply
const platform::LocalDateTime kToday{2023, 6, 15, 10, 0, 0};

std::string Pad(std::string text, std::size_t width, bool right = false) {
    if (text.size() < width) text.insert(right ? 0 : text.size(), width - text.size(), ' ');
    return text;
}

std::string Amount(std::int64_t stotinki, std::size_t width = 15) {
    char text[32];
    std::snprintf(text, sizeof text, "%lld.%02lld", static_cast<long long>(stotinki / 100),
                  static_cast<long long>(stotinki % 100));
    return Pad(text, width, true);
}

std::string Head(int number, const char* docPrefix, const std::string& counterpart) {
    char date[16];
    std::snprintf(date, sizeof date, "%02d/05/2023", 1 + number % 28);
    return Pad("BG175074752", 15) + "202305" + "    " + Pad(std::to_string(number), 15, true) +
           "01" + Pad(docPrefix + std::to_string(number), 20) + date + Pad(counterpart, 15) +
           Pad("Counterpart Ltd", 50) + Pad("Goods", 30);
}

std::string EuCounterpart(int j) {
    char text[16];
    std::snprintf(text, sizeof text, "DE%09d", j);
    return text;
}

// The folder, written once per benchmark program and removed at its end.
class Folder {
  public:
    Folder() : path_(fs::temp_directory_path() / ("zoreva-bench-" + std::to_string(getpid()))) {
        fs::create_directories(path_);
        std::array<std::int64_t, 7> purchaseSums{};
        std::array<std::int64_t, 17> salesSums{};
        writePurchases(purchaseSums);
        writeSales(salesSums);
        writeReturn(purchaseSums, salesSums);
        writeVies();
    }
    ~Folder() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }
    std::uintmax_t bytes() const {
        std::uintmax_t total = 0;
        for (const auto& entry : fs::directory_iterator(path_)) total += entry.file_size();
        return total;
    }

  private:
    void writePurchases(std::array<std::int64_t, 7>& sums) {
        std::ofstream out(path_ / "POKUPKI.TXT", std::ios::binary);
        for (int n = 1; n <= kLines; ++n) {
            const std::int64_t base = 500 * (1 + n % 997), vat = base / 5;
            const std::array<std::int64_t, 7> a{0, base, vat, 0, 0, 0, 0};
            std::string line = Head(n, "P", "BG123456786");
            for (std::size_t k = 0; k < a.size(); ++k) {
                line += Amount(a[k]);
                sums[k] += a[k];
            }
            out << line << "  \r\n";
        }
    }

    void writeSales(std::array<std::int64_t, 17>& sums) {
        std::ofstream out(path_ / "PRODAGBI.TXT", std::ios::binary);
        for (int n = 1; n <= kLines; ++n) {
            std::array<std::int64_t, 17> a{};
            const std::int64_t base = 500 * (1 + n % 991);
            const bool supply = n % kEuCounterparts == 0;
            if (supply) {
                a[0] = a[11] = base;  // SS10 and SS15
            } else {
                a[0] = a[2] = base;      // SS10, SS11
                a[1] = a[3] = base / 5;  // SS20, SS21
            }
            const std::string counterpart =
                supply ? EuCounterpart(n / kEuCounterparts % kEuCounterparts) : "BG123456786";
            std::string line = Head(n, "S", counterpart);
            for (std::size_t k = 0; k < a.size(); ++k) {
                line += Amount(a[k]);
                sums[k] += a[k];
            }
            out << line << "  \r\n";
            if (supply) viesGoods_[n / kEuCounterparts % kEuCounterparts] += base;
        }
    }

    void writeReturn(const std::array<std::int64_t, 7>& p, const std::array<std::int64_t, 17>& s) {
        // The cells in the order of the line, from the sums: DS01 .. DS19,
        // DB30 .. DB43, DR33 (written apart), DR40 .. DR82.
        const std::int64_t credit = p[2] + p[4] + p[5];  // DR33 is 1.00
        const std::int64_t due = s[1] - credit;
        const std::array<std::int64_t, 30> cells{s[0],
                                                 s[1],
                                                 s[2],
                                                 s[3],
                                                 s[4] + s[5],
                                                 s[6],
                                                 s[7],
                                                 s[8],
                                                 s[9],
                                                 s[10],
                                                 s[11],
                                                 s[12],
                                                 s[13],
                                                 s[14] + s[16],
                                                 s[15],
                                                 p[0] + p[6],
                                                 p[1],
                                                 p[2],
                                                 p[3],
                                                 p[4],
                                                 p[5],
                                                 0 /* DR33 */,
                                                 credit,
                                                 due >= 0 ? due : 0,
                                                 due < 0 ? -due : 0,
                                                 0,
                                                 0,
                                                 0,
                                                 0,
                                                 0};
        std::string line = Pad("BG175074752", 15) + Pad("Benchmark Ltd", 50) + "202305" +
                           Pad("7501010004/Ivan Petrov", 50) +
                           Pad(std::to_string(kLines), 15, true) +
                           Pad(std::to_string(kLines), 15, true);
        for (std::size_t i = 0; i < cells.size(); ++i)
            line += i == 21 ? std::string("1.00") : Amount(cells[i]);
        std::ofstream(path_ / "DEKLAR.TXT", std::ios::binary) << line << "\r\n";
    }

    void writeVies() {
        std::int64_t total = 0;
        for (auto goods : viesGoods_) total += goods;
        std::ofstream out(path_ / "VIES.TXT", std::ios::binary);
        out << "VHR05/2023" << Pad(std::to_string(kEuCounterparts), 5, true) << "\r\n";
        out << "VDR" << Pad("7501010004", 15) << Pad("Ivan Petrov", 150) << Pad("Sofia", 50)
            << "1000" << Pad("1 Vitosha Blvd", 150) << "A\r\n";
        out << "VTR" << Pad("BG175074752", 15) << Pad("Benchmark Ltd", 150) << Pad("Sofia", 200)
            << "\r\n";
        out << "TTR" << Amount(total, 12) << Amount(total, 12) << "\r\n";
        for (int j = 0; j < kEuCounterparts; ++j)
            out << "VIR" << Pad(std::to_string(j + 1), 5, true) << Pad(EuCounterpart(j), 15)
                << Amount(viesGoods_[j], 12) << Amount(0, 12) << Amount(0, 12) << "       \r\n";
    }

    fs::path path_;
    std::array<std::int64_t, kEuCounterparts> viesGoods_{};
};

const Folder& BenchFolder() {
    static const Folder generated;
    return generated;
}

// The time of a plain `cat` of the files to /dev/null: wall clock and the
// CPU of the child, in seconds.
struct CatTimes {
    double wall = 0, cpu = 0;
};
CatTimes TimeCat(const Folder& f) {
    const std::string command = "cat '" + f.path().string() + "'/* > /dev/null";
    rusage before{}, after{};
    getrusage(RUSAGE_CHILDREN, &before);
    const auto start = std::chrono::steady_clock::now();
    if (std::system(command.c_str()) != 0) throw std::runtime_error("cat failed");
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
    getrusage(RUSAGE_CHILDREN, &after);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    const double cpu = seconds(after.ru_utime) - seconds(before.ru_utime) +
                       seconds(after.ru_stime) - seconds(before.ru_stime);
    return {wall.count(), cpu};
}

double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec +
           usage.ru_stime.tv_usec / 1e6;
}

// One check run per iteration, and a `cat` of the same files just before it
// (not timed): the counters give the run against `cat` in wall-clock time
// and in CPU time (both threads of the run; the child's for `cat`).
void CheckRun(benchmark::State& state) {
    const Folder& f = BenchFolder();
    bool clean = true;
    double catWall = 0, catCpu = 0, runWall = 0, runCpu = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const CatTimes cat = TimeCat(f);
        catWall += cat.wall;
        catCpu += cat.cpu;
        state.ResumeTiming();
        const double cpuBefore = ProcessCpuSeconds();
        const auto start = std::chrono::steady_clock::now();
        CheckState check;
        const std::string report = RunCheck(check, f.path(), RunKind::Folder, kToday);
        clean = !check.returnErrors.any() && !check.vies.header.any();
        benchmark::DoNotOptimize(report.data());
        const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
        runWall += wall.count();
        runCpu += ProcessCpuSeconds() - cpuBefore;
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["files_MB"] = static_cast<double>(f.bytes()) / 1e6;
    state.counters["clean"] = clean;  // 1 when the generated files have no error
    state.counters["cat_wall_ms"] = catWall / n * 1e3;
    state.counters["cat_cpu_ms"] = catCpu / n * 1e3;
    state.counters["run_cpu_ms"] = runCpu / n * 1e3;
    state.counters["x_cat_wall"] = runWall / catWall;
    state.counters["x_cat_cpu"] = runCpu / catCpu;
}
BENCHMARK(CheckRun)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void PlainRead(benchmark::State& state) {
    const Folder& f = BenchFolder();
    for (auto _ : state) TimeCat(f);
}
BENCHMARK(PlainRead)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// The peak resident memory of one check run.
void CheckRunPeakMemory(benchmark::State& state) {
    const Folder& f = BenchFolder();
    long peakKb = 0;
    for (auto _ : state) {
        const auto peak = ChildPeakResidentKb([&] {
            CheckState check;
            RunCheck(check, f.path(), RunKind::Folder, kToday);
            return true;
        });
        if (!peak) {
            state.SkipWithError("the check run failed");
            return;
        }
        peakKb = *peak;
    }
    const double files = static_cast<double>(f.bytes());
    state.counters["peak_RSS_MB"] = peakKb * 1024.0 / 1e6;
    state.counters["files_MB"] = files / 1e6;
    state.counters["peak_per_file_byte"] = peakKb * 1024.0 / files;
}
BENCHMARK(CheckRunPeakMemory)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace
