// Field 40 and its result agree on the return's page, in DEKLAR.TXT and in the
// file check, also where partial credit lands on half a stotinka.

#include <gtest/gtest.h>

#include "files/Layouts.h"
#include "journals/JournalStore.h"
#include "returns/CDeklDDS.h"
#include "support/DialogDriver.h"
#include "support/PeriodGenerator.h"
#include "support/ScriptedHost.h"
#include "support/TempDir.h"
#include "support/TestDatabase.h"

using namespace testing_support;

namespace {

constexpr const char* kBulstat = "175074752";
constexpr const char* kVin = "BG175074752";
constexpr const char* kPeriod = "202305";

class Agreement : public ::testing::Test {
  protected:
    Agreement() {
        db::PersonRow p;
        p.bulstat = kBulstat, p.vin = kVin, p.name = "Алфа ООД", p.adress = "София";
        p.faceEgn = "7501010010", p.face = "Иван Петров", p.phone = "0888123456";
        p.faceGrad = "София", p.facePk = "1000", p.faceAdr1 = "ул. Витоша 1", p.flPredst = "A";
        db::InsertPerson(t.db(), p);
    }
    template <class Column>
    void add(db::Journal journal, std::initializer_list<std::pair<Column, double>> amounts) {
        auto row = db::EmptyJournalRow(journal);
        row.vin = kVin, row.period = kPeriod, row.type = "01", row.docNo = "1";
        row.date = "10/05/2023", row.knum = "BG123456786", row.kname = "Бета ООД";
        row.sdelka = "Стоки";
        for (auto [column, value] : amounts) row.amounts[column] = value;
        journals::AddDocument(t.db(), journal, row, journals::Numbering::InSequence);
        ++(journal == db::Journal::Purchases ? purchases : sales);
    }
    // Types the coefficient in the editor, confirms it, and reads fields
    // 40, 50 and 60 as the editor's pages show them when opened again.
    std::array<std::string, 3> editorFields(const std::string& coefficient) {
        ScriptedHost host;
        {
            returns::CDeklDDS sheet(host, t.db(), {kVin, "", kPeriod});
            DialogDriver d(sheet);
            d.showPage("Раздел Б").type("DR33", coefficient).leave().press("ok");
        }
        returns::CDeklDDS sheet(host, t.db(), {kVin, "", kPeriod});
        DialogDriver d(sheet);
        d.showPage("Раздел Б");
        const std::string dr40 = d.text("DR40");
        d.showPage("Раздел В, Г и Д");
        return {dr40, d.text("DR50"), d.text("DR60")};
    }
    // Fields 40, 50 and 60 of the DEKLAR.TXT the writer wrote.
    std::array<std::string, 3> fileFields() {
        // Windows-1251: one byte per column.
        const auto line = ReadFile(out / kBulstat / kPeriod / "Deklar.txt");
        std::array<std::string, 3> fields;
        const files::DeklarField cells[] = {files::kDR40, files::kDR50, files::kDR60};
        for (int i = 0; i < 3; ++i) {
            std::string field(files::Cut(line, files::kDeklarLayout[cells[i]].column));
            field.erase(0, field.find_first_not_of(' '));
            fields[i] = field;
        }
        return fields;
    }

    // Types the coefficient; fields 40, 50 and 60 as the editor shows them
    // and as DEKLAR.TXT holds them, whose check finds nothing.
    void expectFields(const std::string& coefficient, const std::array<std::string, 3>& onPage,
                      const std::array<std::string, 3>& inFile) {
        EXPECT_EQ(editorFields(coefficient), onPage);
        GeneratedPeriod p{kVin, kBulstat, kPeriod, {}, purchases, sales};
        EXPECT_EQ(WriteAndCheck(t.db(), p, out.path(), kToday), std::vector<std::string>{});
        EXPECT_EQ(fileFields(), inFile);
    }

    static constexpr platform::LocalDateTime kToday{2023, 6, 15, 10, 0, 0};
    TestDatabase t;
    TempDir out;
    int purchases = 0, sales = 0;
};

}  // namespace

// Credit 1.00 + 0.01 x 0.50 = 1.005: the file said 1.00 and the check wanted
// 1.01.
TEST_F(Agreement, HalfAStotinkaOfPartialCreditRoundsUpEverywhere) {
    add<db::PurchaseAmount>(db::Journal::Purchases, {{db::BS31, 5.00}, {db::BS41, 1.00}});
    add<db::PurchaseAmount>(db::Journal::Purchases, {{db::BS32, 0.05}, {db::BS42, 0.01}});
    expectFields("0.50", {"1.01", "", "1.01"}, {"1.01", "0.00", "1.01"});
}

// DS20 2308.49 - (26.70 + 319.50 x 0.51): the page showed 2118.85 and the
// file 2118.84.
TEST_F(Agreement, PayableTaxIsTheSameStotinkaOnThePageAndInTheFile) {
    add<db::SaleAmount>(
        db::Journal::Sales,
        {{db::SS10, 11542.45}, {db::SS20, 2308.49}, {db::SS11, 11542.45}, {db::SS21, 2308.49}});
    add<db::PurchaseAmount>(db::Journal::Purchases, {{db::BS31, 133.50}, {db::BS41, 26.70}});
    add<db::PurchaseAmount>(db::Journal::Purchases, {{db::BS32, 1597.50}, {db::BS42, 319.50}});
    expectFields("0.51", {"189.65", "2118.84", ""}, {"189.65", "2118.84", "0.00"});
}
