// The protocol report of a period: its bytes against a report written by
// hand, the lines that change with the period, and the dialog that shows and
// saves it.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <regex>

#include "files/protocol/CProtokolDDS.h"
#include "platform/CodePage.h"
#include "support/DialogDriver.h"
#include "support/GoldenFiles.h"
#include "support/ScriptedHost.h"
#include "support/TempDir.h"
#include "support/TestDatabase.h"

using files::protocol::CProtokolDDS;
using namespace testing_support;

namespace {

constexpr const char* kVin = "BG175074752";

struct Amount {
    int column;
    double leva;
};

class Protocol : public ::testing::Test {
  protected:
    // The head office, current, and its branch 0001.
    Protocol() {
        db::PersonRow person;
        person.bulstat = "175074752", person.vin = kVin, person.name = "Зорева ООД";
        person.face1 = "Иван Петров", person.last = true;
        db::InsertPerson(t.db(), person);
        person.klon = "0001", person.name = "Клон Пловдив", person.last = false;
        db::InsertPerson(t.db(), person);
    }

    // The session of the head office or of a branch.
    session::Session& SessionOf(const std::string& klon) {
        db::MakeCurrent(t.db(), "175074752", klon);
        session.emplace(t.db(), clock, out / "data", out.path());
        return *session;
    }

    // A document with its amounts and stored codes.
    void Document(db::Journal journal, const std::string& klon, const std::string& period,
                  int number, const std::string& type, std::initializer_list<Amount> amounts,
                  std::initializer_list<int> codes = {}) {
        auto row = db::EmptyJournalRow(journal);
        row.vin = kVin, row.klon = klon, row.period = period, row.number = number;
        row.type = type, row.docNo = "1", row.date = "01/05/2023";
        for (auto [column, leva] : amounts) row.amounts[column] = leva;
        for (int code : codes) row.errors.set(code);
        db::InsertJournalRow(t.db(), journal, row);
    }

    // The report of the period as the dialog builds it, and the dialog's
    // host, checked to have shown nothing.
    std::string Report(const std::string& period, const std::string& klon = "") {
        ScriptedHost host;
        CProtokolDDS dialog(host, SessionOf(klon), period);
        DialogDriver d(dialog);
        EXPECT_EQ(d.title(), "СПРАВКА-ПРОТОКОЛ");
        EXPECT_EQ(d.text("report"), dialog.report());
        host.expectNoMoreBoxes();
        return dialog.report();
    }

    TestDatabase t;
    TempDir out;
    platform::FixedClock clock{{2023, 7, 10, 9, 30, 0}};
    std::optional<session::Session> session;
};

// Head office and branch documents of 202305 with stored warnings and fatal
// codes, and a return whose credit exceeds its VAT: a refund of 150.00.
class ProtocolOfAPeriod : public Protocol {
  protected:
    void SetUp() override {
        using namespace db;
        Document(Journal::Sales, "", "202305", 1, "01",
                 {{SS10, 1000}, {SS20, 200}, {SS11, 1000}, {SS21, 200}, {SS15, -250}});
        // Counted, but not summed by the report; the return sums it.
        Document(Journal::Sales, "", "202305", 3, "50",
                 {{SS10, 300}, {SS20, 60}, {SS11, 300}, {SS21, 60}}, {76});
        Document(Journal::Sales, "0001", "202305", 2, "01",
                 {{SS10, 500}, {SS20, 100}, {SS11, 500}, {SS21, 100}, {SS19, 75.5}}, {37, 43});
        Document(Journal::Purchases, "0001", "202305", 2, "01", {{BS32, 100}, {BS42, 20}},
                 {26, 33});
        Document(Journal::Purchases, "", "202305", 1, "01", {{BS31, 2000}, {BS41, 500}});
        // A merge import stores the words unsigned: code 32 is the top bit.
        t.db().execute("UPDATE POKUPKI SET ERROR1 = ERROR1 + 2147483648.0 WHERE KLON = '0001'");
        // Another period and another person add nothing.
        Document(Journal::Sales, "", "202306", 1, "01", {{SS10, 9}});
        db::ReturnRow stored;
        stored.vin = kVin, stored.period = "202305", stored.dr33 = 0.5, stored.dr80 = 150;
        db::SaveReturn(t.db(), stored);
    }
};

}  // namespace

TEST_F(ProtocolOfAPeriod, IsTheReportWrittenByHandByteForByte) {
    ScriptedHost host;
    CProtokolDDS dialog(host, SessionOf(""), "202305");
    DialogDriver d(dialog);
    d.press("Печат");
    const auto file = out / "ReportProtokol.txt";
    EXPECT_EQ(ReadFile(file), Golden("202305-ReportProtokol.txt"));
    EXPECT_EQ(host.openedFiles(), std::vector<std::filesystem::path>{file});
    EXPECT_EQ(platform::ToCp1251(d.text("report")) + '\x1A', ReadFile(file));

    // A second print replaces the file; no temporary file is left beside it.
    d.press("Печат");
    EXPECT_EQ(ReadFile(file), Golden("202305-ReportProtokol.txt"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(out.path()), {}), 1)
        << "no temporary file is left";
    d.press("Затвори");
    EXPECT_FALSE(d.isOpen());
    host.expectNoMoreBoxes();
}

TEST_F(ProtocolOfAPeriod, OpeningComputesTheReturnAndTheViesReturn) {
    db::ViesRow stale;
    stale.vin = kVin, stale.period = "202305", stale.number = 1, stale.knum = "DE123456789";
    db::InsertViesRow(t.db(), stale);
    Report("202305");
    EXPECT_TRUE(db::ViesRows(t.db(), kVin, "", "202305", 1).empty()) << "generated anew";
    const auto row = db::FindReturn(t.db(), kVin, "", "202305");
    ASSERT_TRUE(row);
    EXPECT_DOUBLE_EQ(row->dr60, 150.0);
    EXPECT_DOUBLE_EQ(row->snumber, 3.0);
}

TEST_F(ProtocolOfAPeriod, ABranchSeesOnlyItsOwnDocuments) {
    const std::string report = Report("202305", "0001");
    EXPECT_TRUE(
        report.starts_with("СПРАВКА-ПРОТОКОЛ\r\nТекуща дата:10/07/2023\r\n\r\n"
                           "Идентификационен номер:BG175074752\r\n"
                           "Наименование:Клон Пловдив\r\n"));
    EXPECT_NE(report.find("Брой записи:               1\r\n/в deklar/:                1\r\n"),
              std::string::npos);
    EXPECT_NE(report.find(" 9. Общ размер на ДО за облагане с ДДС\t:         500.00 |"),
              std::string::npos);
    EXPECT_EQ(report.find("Продажби - Ред 3"), std::string::npos);
}

TEST_F(Protocol, APeriodWithoutDocumentsSaysThereIsNothingWrong) {
    const std::string report = Report("202305");
    EXPECT_NE(report.find("Брой записи:               0\r\n/в deklar/:                0\r\n"),
              std::string::npos);
    // Every amount of the report is zero.
    const std::regex amount(R"(-?\d+\.\d\d)");
    int amounts = 0;
    for (auto it = std::sregex_iterator(report.begin(), report.end(), amount);
         it != std::sregex_iterator(); ++it, ++amounts)
        EXPECT_EQ(it->str(), "0.00");
    EXPECT_EQ(amounts, 59);
    const std::string tail =
        "\r\nПроверка на файл DEKLAR\r\n\r\nНяма открити грешки в DEKLAR\r\n"
        "\r\nПроверка на файл ПОКУПКИ\r\n\r\nНяма открити грешки в ПОКУПКИ\r\n"
        "\r\nПроверка на файл ПРОДАЖБИ\r\n\r\nНяма открити грешки в ПРОДАЖБИ\r\n"
        "\r\nФАТАЛНИ ГРЕШКИ\r\n\r\nНяма открити фатални грешки\r\n";
    EXPECT_TRUE(report.ends_with(tail));
    // Nothing to pay and nothing to refund: the payable line has the amount.
    EXPECT_NE(report.find(
                  "ДДС за внасяне (кл.20-кл.40>=0)\t\t\t:           0.00 |           0.00\r\n"
                  "ДДС за възстановяване (кл.20-кл.40<0)\t\t:                |           0.00\r\n"),
              std::string::npos);
}

TEST_F(Protocol, WarningsAloneLeaveTheFatalSectionEmpty) {
    Document(db::Journal::Purchases, "", "202305", 1, "01", {}, {33, 34});
    const std::string report = Report("202305");
    EXPECT_NE(report.find("Покупки - Ред 1: Стойността на ДДС в поле 03-42"), std::string::npos);
    EXPECT_TRUE(report.ends_with("ФАТАЛНИ ГРЕШКИ\r\n\r\nНяма открити фатални грешки\r\n"));
}

TEST_F(Protocol, LinesThatChangeWithThePeriod) {
    struct Case {
        const char* period;
        const char* line;
    };
    const Case cases[] = {
        {"201105", "\r\n17. ДО на обл.доставки 7/9%\t\t\t:"},
        {"201206", "\r\n17. ДО на обл.доставки 9%\t\t\t:"},
        {"201312", "\r\n21. ДО по чл.140, 146, 173(1,4) от ЗДДС\t:"},
        {"201401", "\r\n21. ДО по чл.140, 146, 173 от ЗДДС\t\t:"},
        {"201601", "\r\n12. Начислен ДДС за доставки по к.11\t:"},
        {"201601", "\r\n16. Начислен данък 20% по ЗДДС - други\t:"},
        {"201602", "\r\n12. Начислен ДДС за доставки по к.11 и нач.\r\nданък 20%, предвиден"},
        {"201602", "\r\n16. Начислен данък за доставки на стоки\r\nи услуги за лични нужди\t"},
        {"202003", "\r\n14. ДО на пол.доставки по чл.82,ал2-5 ЗДДС:           0.00 |\r\n"},
        {"202004", "\r\n14. ДО на пол.доставки по чл.82,ал2-6 ЗДДС:           0.00 |\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_NE(Report(c.period).find(c.line), std::string::npos) << c.period << c.line;
}

TEST_F(Protocol, AReportThatCannotBeSavedIsNotOpened) {
    ScriptedHost host;
    db::MakeCurrent(t.db(), "175074752", "");
    session::Session elsewhere(t.db(), clock, out / "data", out / "missing");
    CProtokolDDS dialog(host, elsewhere, "202305");
    DialogDriver d(dialog);
    d.press("Печат");
    host.expectError("Couldn't create the file!");
    EXPECT_TRUE(host.openedFiles().empty());
    EXPECT_TRUE(d.isOpen());
}
