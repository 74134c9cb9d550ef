// The program's own files pass the program's own checker: random valid
// periods are stored through the stores, their returns typed in the editor,
// their files written by the writer and checked, and no check finds anything.
// A longer run of the same generator is the benchmark bench_roundtrip.

#include <gtest/gtest.h>

#include <iostream>

#include "support/PeriodGenerator.h"
#include "support/TempDir.h"
#include "support/TestDatabase.h"

using testing_support::GeneratedPeriod;
using testing_support::PeriodGenerator;
using testing_support::TempDir;
using testing_support::TestDatabase;

namespace {

// Periods up to the last year, checked on the last day of that year.
struct Years {
    int last;
    platform::LocalDateTime today;
};
constexpr Years k2023{2023, {2023, 12, 31, 12, 0, 0}};
constexpr Years k2026{2026, {2026, 12, 31, 12, 0, 0}};

// Runs `count` periods of the seed; every error is reported with the seed
// and period that make it again.
void RoundTrip(std::uint64_t seed, int count, const Years& years) {
    TestDatabase t;
    // The journals are not kept for after a crash of the test.
    t.db().executeScript("PRAGMA synchronous = OFF;");
    TempDir out;
    PeriodGenerator generator(seed, years.last);
    for (int i = 0; i < count; ++i) {
        const GeneratedPeriod p = generator.Store(t.db());
        generator.TypeReturn(t.db(), p);
        const auto errors = testing_support::WriteAndCheck(t.db(), p, out.path(), years.today);
        for (const auto& error : errors)
            ADD_FAILURE() << "seed " << seed << ", period " << i << " (" << p.vin << " " << p.period
                          << "): " << error;
        if (!errors.empty()) {
            for (const char* file : {"Deklar.txt", "Pokupki.txt", "Prodagbi.txt", "VIES.txt"})
                std::cerr << file << ":\n"
                          << testing_support::ReadFile(out / p.bulstat / p.period / file);
            return;
        }
    }
}

}  // namespace

TEST(RoundTrip, WrittenFilesOfRandomValidPeriodsPassTheCheck) {
    // Under a clock of 2023 the periods end with 2023; under one of 2026
    // they take in the leva periods of 2024 and 2025 and the euro ones.
    for (std::uint64_t seed : {1, 2}) RoundTrip(seed, 75, k2023);
    for (std::uint64_t seed : {3, 4}) RoundTrip(seed, 75, k2026);
}
