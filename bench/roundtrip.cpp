// A long seeded run of the round trip of the suite: random valid periods
// stored, their returns typed, their files written and checked. Any error
// the check finds stops the run with the seed and period that make it again.
// Run: bench_roundtrip --benchmark_filter=. (the seed is the argument).

#include <benchmark/benchmark.h>

#include <iostream>

#include "support/PeriodGenerator.h"
#include "support/TempDir.h"
#include "support/TestDatabase.h"

namespace {

void BM_RoundTrip(benchmark::State& state) {
    testing_support::TestDatabase t;
    t.db().executeScript("PRAGMA synchronous = OFF;");
    testing_support::TempDir out;
    const auto seed = static_cast<std::uint64_t>(state.range(0));
    testing_support::PeriodGenerator generator(seed);
    long periods = 0;
    for (auto _ : state) {
        const auto p = generator.Store(t.db());
        generator.TypeReturn(t.db(), p);
        const auto errors =
            testing_support::WriteAndCheck(t.db(), p, out.path(), {2026, 12, 31, 12, 0, 0});
        ++periods;
        if (!errors.empty()) {
            for (const auto& e : errors)
                std::cerr << "seed " << seed << ", period " << periods - 1 << ": " << e << "\n";
            state.SkipWithError("the check found errors in written files");
            break;
        }
    }
    state.counters["periods"] = static_cast<double>(periods);
}

}  // namespace

BENCHMARK(BM_RoundTrip)
    ->Arg(1001)
    ->Arg(1002)
    ->Arg(1003)
    ->Iterations(1000)
    ->Unit(benchmark::kMillisecond);
