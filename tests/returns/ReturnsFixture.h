#pragma once
// What the tests of the returns share: documents of one VAT number stored
// with just the amounts a test is about, and a return dialog opened afresh.

#include <initializer_list>
#include <optional>
#include <string>
#include <utility>

#include "db/Rows.h"
#include "returns/ReturnStore.h"
#include "support/DialogDriver.h"
#include "support/ScriptedHost.h"
#include "support/TestDatabase.h"

namespace returns_test {

inline constexpr const char* kVin = "BG121212121";

// A document of kVin with these amounts, everything else empty.
template <class Column>
void AddAmounts(db::Database& db, db::Journal journal, const std::string& klon,
                const std::string& period, const std::string& type,
                std::initializer_list<std::pair<Column, double>> amounts) {
    auto row = db::EmptyJournalRow(journal);
    row.vin = kVin, row.klon = klon, row.period = period, row.type = type;
    for (auto [column, value] : amounts) row.amounts[column] = value;
    db::InsertJournalRow(db, journal, row);
}

// A sale of kVin as the VIES return sees it.
struct Sale {
    std::string knum{}, date{}, type = "01";
    double ss15 = 0, ss17 = 0, ss25 = 0, ss19 = 0;
    std::string viesType{}, ss8a{}, sdelka{}, klon{};
};
void AddSale(db::Database& db, const Sale& sale, const std::string& period);

// kVin's documents on a fresh database, of the test's period unless it says
// otherwise.
class PeriodData {
  public:
    explicit PeriodData(std::string period) : defaultPeriod(std::move(period)) {}
    void add(const Sale& sale) { AddSale(t.db(), sale, defaultPeriod); }
    void add(const Sale& sale, const std::string& period) { AddSale(t.db(), sale, period); }

    testing_support::TestDatabase t;
    const std::string defaultPeriod;
};

// A return dialog of kVin's head office; each open() makes a new one, as
// opening the return again does.
template <class Dialog>
class ReturnDialog : public PeriodData {
  public:
    using PeriodData::PeriodData;
    testing_support::DialogDriver& open() { return open(defaultPeriod); }
    testing_support::DialogDriver& open(const std::string& period) {
        driver_.reset();
        dialog_.emplace(host, t.db(), returns::ReturnScope{kVin, "", period});
        return driver_.emplace(*dialog_);
    }

    testing_support::ScriptedHost host;

  private:
    std::optional<Dialog> dialog_;
    std::optional<testing_support::DialogDriver> driver_;
};

}  // namespace returns_test
