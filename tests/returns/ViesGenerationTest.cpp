#include "returns/ViesGeneration.h"

#include <gtest/gtest.h>

#include "ReturnsFixture.h"

using namespace returns_test;

namespace {

// A VIES row reduced to what the return shows.
struct Row {
    int number;
    std::string knum, knumz, period1;
    double ss15, ss17, ss25;
    bool operator==(const Row&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Row& r) {
    return out << "{" << r.number << " " << r.knum << " " << r.knumz << " " << r.period1 << " "
               << r.ss15 << " " << r.ss17 << " " << r.ss25 << "}";
}

class Vies : public ::testing::Test, protected PeriodData {
  protected:
    Vies() : PeriodData("202611") {}
    std::vector<Row> generate(int section, const std::string& klon = "",
                              const std::string& period = "202611") {
        returns::GenerateViesReturn(t.db(), {"BG121212121", klon, period});
        std::vector<Row> rows;
        for (const auto& v : db::ViesRows(t.db(), "BG121212121", klon, period, section))
            rows.push_back({v.number, v.knum, v.knumz, v.period1, v.ss15, v.ss17, v.ss25});
        return rows;
    }
};

}  // namespace

TEST_F(Vies, OneRowPerCounterpartAndMonth) {
    add({.knum = "DE123456789", .date = "03/11/2026", .ss15 = 100});
    add({.knum = "DE123456789", .date = "20/11/2026", .ss15 = 50});
    add({.knum = "DE123456789", .date = "28/10/2026", .ss15 = 7});
    add({.knum = "AT12345678", .date = "01/11/2026", .ss17 = 30, .ss25 = 4});
    EXPECT_EQ(generate(1), (std::vector<Row>{
                               {1, "AT12345678", "", "11/2026", 0, 30, 4},
                               {2, "DE123456789", "", "10/2026", 7, 0, 0},
                               {3, "DE123456789", "", "11/2026", 150, 0, 0},
                           }));
}

TEST_F(Vies, ACancelledMonthGivesNoRowUnlessTheFirstSourceRowWasNotZero) {
    add({.knum = "FR12345678901", .date = "03/11/2026", .ss15 = 10.10});
    add({.knum = "FR12345678901", .date = "04/11/2026", .ss15 = 20.20});
    add({.knum = "FR12345678901", .date = "05/11/2026", .type = "03", .ss15 = -30.30});
    EXPECT_TRUE(generate(1).empty()) << "same VIES_TYPE: summed by the query to nothing";

    add({.knum = "IT12345678901", .date = "03/11/2026", .ss15 = 40, .viesType = "1"});
    add({.knum = "IT12345678901",
         .date = "04/11/2026",
         .type = "03",
         .ss15 = -40,
         .viesType = "6"});
    EXPECT_EQ(generate(1), (std::vector<Row>{{1, "IT12345678901", "", "11/2026", 0, 0, 0}}));
}

TEST_F(Vies, ExemptColumnAnalysisAndTheAdvanceMark) {
    add({.knum = "DE111111111", .date = "01/11/2026", .ss19 = 80, .viesType = "2"});
    add({.knum = "DE222222222", .date = "01/11/2026", .ss19 = 80, .viesType = "3"});
    add({.knum = "DE333333333", .date = "01/11/2026", .ss25 = 5, .ss19 = 80, .viesType = "7"});
    add({.knum = "DE444444444", .date = "01/11/2026", .ss25 = 5, .ss19 = 80, .viesType = ""});
    EXPECT_EQ(generate(1), (std::vector<Row>{
                               {1, "DE111111111", "", "11/2026", 80, 0, 0},
                               {2, "DE222222222", "", "11/2026", 0, 80, 0},
                               {3, "DE333333333", "", "11/2026", 80, 0, 0},
                               {4, "DE444444444", "", "11/2026", 0, 0, 5},
                           }));
}

TEST_F(Vies, MemberStatesAreJudgedByTheDocumentsMonth) {
    add({.knum = "XI123456789", .date = "01/11/2026", .ss15 = 1, .ss17 = 200});
    add({.knum = "GB123456789", .date = "15/12/2020", .ss15 = 10}, "202101");
    add({.knum = "GB987654321", .date = "15/01/2021", .ss15 = 10}, "202101");
    add({.knum = "BG999999999", .date = "01/11/2026", .ss15 = 10});
    add({.knum = "04", .date = "01/11/2026", .type = "09", .ss15 = 10});
    EXPECT_EQ(generate(1), (std::vector<Row>{{1, "XI123456789", "", "11/2026", 1, 0, 0}}))
        << "XI keeps no services; BG and short numbers are no member state";
    EXPECT_EQ(generate(1, "", "202101"),
              (std::vector<Row>{{1, "GB123456789", "", "12/2020", 10, 0, 0}}))
        << "GB only until 202012";
}

TEST_F(Vies, OtherDocumentTypesAreLeftOut) {
    add({.knum = "DE123456789", .date = "01/11/2026", .type = "81", .ss15 = 10});
    add({.knum = "DE123456789", .date = "01/11/2026", .type = "09", .ss15 = 3});
    EXPECT_EQ(generate(1), (std::vector<Row>{{1, "DE123456789", "", "11/2026", 3, 0, 0}}));
}

TEST_F(Vies, CallOffStockOperations) {
    const Sale base{.date = "10/11/2026", .type = "04"};
    auto op = [&](std::string knum, std::string code, std::string other = "") {
        Sale s = base;
        s.knum = std::move(knum), s.ss8a = std::move(code), s.sdelka = std::move(other);
        add(s);
    };
    op("DE111111111", "41");
    op("FR11111111111", "43", "FR22222222222");
    op("AT11111111", "43", "US12");  // the earlier recipient is no EU number
    op("NL111111111B01", "46", "NL222222222B01");
    op("NL222222222B01", "48");  // same as the first row of the 46: once only
    op("PL1111111111", "48");
    op("PL2222222222", "44");               // no operation
    op("DE111111111", "41", "other text");  // another source row, the same operation
    op("SE111111111101 ", "41");            // written trimmed
    op("  SE222222222201", "41");           // leading spaces hide the member state
    EXPECT_EQ(generate(2), (std::vector<Row>{
                               {1, "DE111111111", "", "11/2026", 1, 0, 0},
                               {2, "FR11111111111", "FR22222222222", "11/2026", 3, 0, 0},
                               {3, "NL222222222B01", "", "11/2026", 2, 0, 0},
                               {4, "NL111111111B01", "", "11/2026", 1, 0, 0},
                               {5, "PL1111111111", "", "11/2026", 2, 0, 0},
                               {6, "SE111111111101", "", "11/2026", 1, 0, 0},
                           }));
}

TEST_F(Vies, ASectionOneAmountEqualToAnOperationCodeDoesNotHideACallOffRow) {
    add({.knum = "DE111111111", .date = "10/11/2026", .ss15 = 1});
    add({.knum = "DE111111111", .date = "10/11/2026", .type = "04", .ss8a = "41"});
    EXPECT_EQ(generate(2).size(), 1u);
}

TEST_F(Vies, HeadOfficeCoversBranchesAndRegenerationIsStable) {
    add({.knum = "DE123456789", .date = "01/11/2026", .ss15 = 100});
    add({.knum = "DE123456789", .date = "01/11/2026", .ss15 = 5, .klon = "0001"});
    add({.knum = "DE987654321", .date = "01/11/2026", .ss15 = 7, .klon = "0002"});
    add({.knum = "DE111111111", .date = "01/11/2026", .type = "04", .ss8a = "41", .klon = "0001"});

    const auto branch = generate(1, "0001");
    EXPECT_EQ(branch, (std::vector<Row>{{1, "DE123456789", "", "11/2026", 5, 0, 0}}));
    EXPECT_EQ(generate(2, "0001").size(), 1u);

    const auto head = generate(1);
    EXPECT_EQ(head, (std::vector<Row>{{1, "DE123456789", "", "11/2026", 105, 0, 0},
                                      {2, "DE987654321", "", "11/2026", 7, 0, 0}}));
    EXPECT_EQ(generate(2).size(), 1u) << "the branch's own rows do not hide the head office's";
    EXPECT_EQ(generate(1), head);
    EXPECT_EQ(generate(1, "0001"), branch) << "each scope keeps its own rows";
}
