// Writing the submission files of a period of 1,000,000 sales documents.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "db/Rows.h"
#include "files/SubmissionWriter.h"
#include "platform/CodePage.h"

namespace {

const std::string kVin = "BG175074752";
const std::string kPeriod = "202611";

std::filesystem::path BenchFolder() {
    return std::filesystem::temp_directory_path() / "zoreva-bench-writers";
}

// A database with 1,000,000 sales documents of one period, built once.
db::Database& BenchDatabase() {
    static db::Database db = [] {
        std::filesystem::remove_all(BenchFolder());
        std::filesystem::create_directories(BenchFolder() / "out");
        auto d = db::Database::create(BenchFolder() / "ZORV.MDB");
        db::Transaction t(d);
        auto row = db::EmptyJournalRow(db::Journal::Sales);
        row.vin = kVin, row.period = kPeriod, row.type = "01", row.date = "15/11/2026";
        row.kname = "Гама АД", row.sdelka = "Стоки";
        for (int i = 1; i <= 1'000'000; ++i) {
            row.number = i;
            row.docNo = std::to_string(1000000000 + i);
            row.knum = i % 10 ? "831826092" : "DE123456789";
            row.klon = i % 3 ? "" : "0001";
            row.amounts[db::SS10] = (i % 997) * 1.01;
            row.amounts[db::SS20] = (i % 997) * 0.202;
            db::InsertJournalRow(d, db::Journal::Sales, row);
        }
        t.commit();
        return d;
    }();
    return db;
}

void WriteSubmissionFilesOfAMillionSales(benchmark::State& state) {
    auto& db = BenchDatabase();
    const auto out = BenchFolder() / "out";
    const auto file = out / "175074752" / kPeriod / "Deklar.txt";
    for (auto _ : state) {
        auto files = files::PeriodFiles::Submission(db, {kVin, "175074752", "", out}, kPeriod);
        if (files.stopped() || files.write(file).stop) {
            state.SkipWithError("the writer stopped");
            break;
        }
    }
    state.counters["Prodagbi.txt MB"] =
        std::filesystem::file_size(out / "175074752" / kPeriod / "Prodagbi.txt") / 1e6;
}
BENCHMARK(WriteSubmissionFilesOfAMillionSales)->Unit(benchmark::kMillisecond)->Iterations(3);

// The encoding of one line's texts into Windows-1251, in the writer for
// every line: a counterpart's name, a document kind and an address.
void EncodeALineInWindows1251(benchmark::State& state) {
    const std::string texts =
        "ЕТ Иван Петров - Търговия на едро и дребно ООД          "
        "Доставка на стоки по договор 12/2026 гр. София, ул. Раковска 1";
    std::string out;
    for (auto _ : state) {
        out.clear();
        benchmark::DoNotOptimize(platform::AppendCp1251(out, texts));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * texts.size()));
}
BENCHMARK(EncodeALineInWindows1251);

}  // namespace
