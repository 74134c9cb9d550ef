// Printing a purchase journal of 100,000 documents of one period to a PDF
// file through the Qt printer surface: about 3,100 landscape pages. Reported:
// the time of the whole printout (reading the documents, laying them out,
// drawing, writing the file), its pages and size, and the peak resident
// memory of the process, which the printout must keep bounded: the documents
// are streamed, never held.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QFileInfo>
#include <QGuiApplication>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "db/Database.h"
#include "db/Rows.h"
#include "platform/Clock.h"
#include "print/CZorevaView.h"
#include "qt/Printing.h"

namespace {

constexpr int kDocuments = 100'000;
const std::string kVin = "BG175074752";
const std::string kPeriod = "202405";

const char* const kNames[] = {"Електроразпределение Юг ЕАД", "Софийска вода АД",
                              "Виваком България ЕАД", "Лукойл България ЕООД",
                              "Канцеларски материали Иванов и синове ООД"};

class Fixture {
  public:
    Fixture()
        : folder_(std::filesystem::temp_directory_path() /
                  ("zoreva-bench-print-" + std::to_string(::getpid()))),
          db_((std::filesystem::create_directories(folder_),
               db::Database::create(folder_ / "ZORV.MDB"))) {
        db::Transaction unit(db_);
        for (int n = 1; n <= kDocuments; ++n) {
            auto row = db::EmptyJournalRow(db::Journal::Purchases);
            row.vin = kVin, row.period = kPeriod, row.number = n, row.type = "01";
            row.docNo = std::to_string(2000000000 + n);
            row.date = "15/05/2024";
            row.knum = std::to_string(100000000 + n % 9000);
            row.kname = kNames[n % 5];
            row.sdelka = n % 3 ? "стоки за препродажба" : "далекосъобщителни услуги";
            row.amounts[db::BS31] = 100 + n * 0.01;
            row.amounts[db::BS41] = 20 + n * 0.002;
            db::InsertJournalRow(db_, db::Journal::Purchases, row);
        }
        unit.commit();
        person_.vin = kVin;
    }
    ~Fixture() { std::filesystem::remove_all(folder_); }

    db::Database& db() { return db_; }
    const db::PersonRow& person() const { return person_; }
    std::filesystem::path pdf() const { return folder_ / "journal.pdf"; }

  private:
    std::filesystem::path folder_;
    db::Database db_;
    db::PersonRow person_;
};

Fixture& TheFixture() {
    static Fixture fixture;
    return fixture;
}

void PrintPurchaseJournalToPdf(benchmark::State& state) {
    Fixture& f = TheFixture();
    platform::FixedClock clock({2024, 6, 3, 0, 0, 0});
    print::CZorevaView view(f.db(), clock, f.person());
    const QString file = QString::fromStdString(f.pdf().string());
    for (auto _ : state)
        if (!qt::PrintToPdf(view, ui::PrintKind::Purchases, kPeriod, file))
            state.SkipWithError("the printout was abandoned");
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["documents"] = kDocuments;
    state.counters["pdf_MB"] = static_cast<double>(QFileInfo(file).size()) / 1e6;
    state.counters["peak_RSS_MB"] = usage.ru_maxrss * 1024.0 / 1e6;
}
BENCHMARK(PrintPurchaseJournalToPdf)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);

// The same printout on a surface that draws nothing: reading the documents
// and laying them out, without Qt.
class CountingSurface : public print::Surface {
  public:
    bool beginPage() override { return ++pages > 0; }
    void endPage() override {}
    int textWidth(std::string_view text, const print::Font& font) override {
        return static_cast<int>(text.size()) * font.height() / 2;
    }
    void text(const print::Box&, std::string_view, const print::Font&, print::Align) override {
        ++texts;
    }
    void line(print::Point, print::Point) override {}
    void frame(const print::Box&) override {}
    long pages = 0, texts = 0;
};

void LayOutPurchaseJournal(benchmark::State& state) {
    Fixture& f = TheFixture();
    platform::FixedClock clock({2024, 6, 3, 0, 0, 0});
    print::CZorevaView view(f.db(), clock, f.person());
    CountingSurface surface;
    for (auto _ : state) view.print(ui::PrintKind::Purchases, kPeriod, surface);
    state.counters["pages"] = static_cast<double>(surface.pages);
    state.counters["texts"] = static_cast<double>(surface.texts);
}
BENCHMARK(LayOutPurchaseJournal)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication application(argc, argv);
    TheFixture();  // the database is made before the measurement
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
