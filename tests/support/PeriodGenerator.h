#pragma once
// Random but valid tax periods for round-trip tests: a registered person
// with branches, the documents of one period of every type the period
// allows, stored through the program's own stores; its return typed through
// the VAT return editor; its files written by the program's writer and read
// by the program's checker. Every document passes the journals' rules and
// the file check, so a check of the written files must find nothing.

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "db/Database.h"
#include "db/Rows.h"
#include "platform/Clock.h"

namespace testing_support {

struct GeneratedPeriod {
    std::string vin, bulstat, period;
    std::vector<std::string> branches;  // "0001", ...
    int purchases = 0, sales = 0;
};

class PeriodGenerator {
  public:
    // Periods from 2011 to the last year, leva and euro periods alike.
    explicit PeriodGenerator(std::uint64_t seed, int lastYear = 2026)
        : random_(seed), lastYear_(lastYear) {}

    // Stores a new person (head office and branches) and the documents of
    // one period; each call makes a person of its own VAT number.
    GeneratedPeriod Store(db::Database& db);

    // Types field 33 and the enabled fields 70-82 of the period's return in
    // the VAT return editor and confirms them with OK.
    void TypeReturn(db::Database& db, const GeneratedPeriod& period);

  private:
    int Uniform(int low, int high);
    bool Chance(int percent);
    template <class T>
    const T& Pick(const std::vector<T>& items) {
        return items[static_cast<std::size_t>(Uniform(0, static_cast<int>(items.size()) - 1))];
    }
    std::string Digits(int count);
    std::string ValidEik();
    std::string BulgarianIdentifier();
    std::string EuVatNumber(const std::string& prefix = "");
    std::int64_t AmountStotinki();
    std::string PickType(db::Journal journal, const std::string& period);
    std::string DateIn(const std::string& month);  // DD/MM/YYYY of a YYYYMM month
    std::string DocumentMonth(const std::string& period, const std::string& earliest);

    db::JournalRow Purchase(const GeneratedPeriod& p);
    db::JournalRow Sale(const GeneratedPeriod& p);
    void Common(db::JournalRow& row, const GeneratedPeriod& p, const std::string& earliestMonth);

    std::mt19937_64 random_;
    int lastYear_;
    int persons_ = 0;
};

// Writes the four submission files of the period with the program's writer
// into `folder` and checks them with the program's checker on `today`: one
// text per error the check found, empty when the files are clean.
std::vector<std::string> WriteAndCheck(db::Database& db, const GeneratedPeriod& period,
                                       const std::filesystem::path& folder,
                                       const platform::LocalDateTime& today);

}  // namespace testing_support
