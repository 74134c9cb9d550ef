#include "returns/VatReturnComputation.h"

#include <gtest/gtest.h>

#include <iterator>
#include <limits>

#include "ReturnsFixture.h"

using namespace returns_test;
using returns::ComputeVatReturn;
using testing_support::TestDatabase;

namespace {

class Computation : public ::testing::Test {
  protected:
    // A sales document of the scope's VIN with the given amounts.
    void sale(const std::string& klon, const std::string& type,
              std::initializer_list<std::pair<db::SaleAmount, double>> amounts,
              const std::string& period = "202611") {
        AddAmounts(t.db(), db::Journal::Sales, klon, period, type, amounts);
    }
    void purchase(const std::string& klon, const std::string& type,
                  std::initializer_list<std::pair<db::PurchaseAmount, double>> amounts) {
        AddAmounts(t.db(), db::Journal::Purchases, klon, "202611", type, amounts);
    }
    db::ReturnRow compute(const std::string& klon = "") {
        return ComputeVatReturn(t.db(), {"BG121212121", klon, "202611"});
    }
    TestDatabase t;
};

}  // namespace

TEST_F(Computation, APeriodWithoutDocumentsIsAllZero) {
    const auto r = compute();
    EXPECT_GT(r.id, 0);
    for (const auto& cell : db::ReturnCells()) EXPECT_EQ(r.*(cell.member), 0.0) << cell.column;
    auto s = t.db().query("SELECT DR70, DR82, DR33 FROM DEKLAR WHERE ID = ?", r.id);
    ASSERT_TRUE(s.step());
    EXPECT_TRUE(s.isNull(0)) << "the user's cells stay empty until typed";
    EXPECT_TRUE(s.isNull(1));
    EXPECT_FALSE(s.isNull(2)) << "a new return has coefficient 0";
}

TEST_F(Computation, SalesCellsCombineTheirColumns) {
    sale("", "01",
         {{db::SS10, 100},
          {db::SS20, 20},
          {db::SS11, 100},
          {db::SS21, 20},
          {db::SS12, 5},
          {db::SS26, 7},
          {db::SS18, 3},
          {db::SS25, 4},
          {db::SS19, 9}});
    sale("", "04", {{db::SS10, 1000}});  // call-off stock: counted, not summed
    const auto r = compute();
    EXPECT_DOUBLE_EQ(r.ds01, 100);
    EXPECT_DOUBLE_EQ(r.ds20, 20);
    EXPECT_DOUBLE_EQ(r.ds12, 12);
    EXPECT_DOUBLE_EQ(r.ds18, 7);
    EXPECT_DOUBLE_EQ(r.ds19, 9);
    EXPECT_EQ(r.snumber, 2);
}

TEST_F(Computation, PurchaseCellsAndANewRowsCoefficientOfZero) {
    purchase("", "01",
             {{db::BS30, 10},
              {db::BS44, 5},
              {db::BS31, 100},
              {db::BS41, 20},
              {db::BS32, 50},
              {db::BS42, 10},
              {db::BS43, -3}});
    purchase("", "05", {{db::BS41, 999}});
    const auto r = compute();
    EXPECT_DOUBLE_EQ(r.db30, 15);
    EXPECT_DOUBLE_EQ(r.db42, 10);
    EXPECT_DOUBLE_EQ(r.dr40, 17) << "DB41 + DB43 while the coefficient is 0; DB43 lowers it";
    EXPECT_EQ(r.bnumber, 2);
}

TEST_F(Computation, HeadOfficeSumsEveryBranchABranchOnlyItsOwn) {
    sale("", "01", {{db::SS10, 100}});
    sale("0001", "01", {{db::SS10, 10}});
    sale("0002", "01", {{db::SS10, 1}});
    EXPECT_DOUBLE_EQ(compute().ds01, 111);
    const auto branch = compute("0001");
    EXPECT_DOUBLE_EQ(branch.ds01, 10);
    EXPECT_EQ(branch.snumber, 1);
    EXPECT_EQ(branch.klon, "0001");
    EXPECT_DOUBLE_EQ(db::FindReturn(t.db(), "BG121212121", "", "202611")->ds01, 111)
        << "each scope has its own row";
}

TEST_F(Computation, TheResultSplitsBySignOfTwentyMinusForty) {
    sale("", "01", {{db::SS20, 100}});
    purchase("", "01", {{db::BS41, 100}});
    auto r = compute();
    EXPECT_EQ(r.dr50, 0);
    EXPECT_EQ(r.dr60, 0);

    purchase("", "01", {{db::BS41, 0.01}});
    r = compute();
    EXPECT_EQ(r.dr50, 0);
    EXPECT_NEAR(r.dr60, 0.01, 1e-9);
}

TEST_F(Computation, TheUsersCellsSurviveRecomputation) {
    purchase("", "01", {{db::BS41, 100}, {db::BS42, 10.01}});
    const auto first = compute();
    t.db().execute("UPDATE DEKLAR SET DR33 = 0.5, DR70 = 12.5, DR81 = 3 WHERE ID = ?", first.id);
    purchase("", "01", {{db::BS41, 1}});
    const auto again = compute();
    EXPECT_EQ(again.id, first.id);
    EXPECT_DOUBLE_EQ(again.dr33, 0.5);
    EXPECT_DOUBLE_EQ(again.dr40, 106.01) << "exact stotinki: 5.005 rounds half up";
    auto s = t.db().query("SELECT DR70, DR81, DR71 FROM DEKLAR WHERE ID = ?", first.id);
    ASSERT_TRUE(s.step());
    EXPECT_DOUBLE_EQ(s.real(0), 12.5);
    EXPECT_DOUBLE_EQ(s.real(1), 3);
    EXPECT_TRUE(s.isNull(2));
}

TEST_F(Computation, OtherPeriodsAreLeftOut) {
    sale("", "01", {{db::SS10, 100}}, "202610");
    EXPECT_EQ(compute().ds01, 0);
    EXPECT_EQ(compute().snumber, 0);
}

// Each sum is the sum of the amounts the documents show, as the files write
// them and the file check adds them up: three amounts stored as 0.004 show
// 0.00 each, so their sum is 0.00, not the 0.01 of the stored values.
TEST_F(Computation, SumsAreOfTheAmountsAsShown) {
    for (int i = 0; i < 3; ++i) sale("", "01", {{db::SS10, 0.004}, {db::SS20, 1.005}});
    const auto r = compute();
    EXPECT_EQ(r.ds01, 0.0);
    EXPECT_DOUBLE_EQ(r.ds20, 3.00) << "1.005 is stored just below the half: 1.00 each";
}

TEST(ComputeResult, CreditAndResultInStotinkiAsTheCheckTestsThem) {
    const struct {
        const char* what;
        returns::Stotinki ds20, db41, db42, db43, coefficient;
        returns::Stotinki credit, payable, refundable;
    } cases[] = {
        {"a half stotinka of share rounds up", 0, 100, 1, 0, 50, 101, 0, 101},
        {"10.01 x 0.50 = 5.005", 0, 10000, 1001, 0, 50, 10501, 0, 10501},
        {"a negative share is truncated", 0, 0, -1001, 0, 50, -500, 500, 0},
        {"319.50 x 0.51 = 162.945", 230849, 2670, 31950, 0, 51, 18965, 211884, 0},
        {"the annual correction lowers the credit", 10000, 5000, 0, -2000, 100, 3000, 7000, 0},
        {"nothing due", 10001, 10001, 0, 0, 0, 10001, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto r = returns::ComputeResult(c.ds20, c.db41, c.db42, c.db43, c.coefficient);
        EXPECT_EQ(r.credit, c.credit);
        EXPECT_EQ(r.payable, c.payable);
        EXPECT_EQ(r.refundable, c.refundable);
    }
}

// Each amount is converted once for the sums, the VIES return and the file
// line; the conversion must be the money module's, zero included.
TEST(ShownAmounts, EachAmountShowsWhatTheMoneyModuleReadsFromIt) {
    const double stored[] = {
        0.0,       -0.0,  0.004,  -0.004,  1.005,
        0.1 + 0.2, 1.125, -1.125, 2.675,   1e15,
        -7.5,      1e17,  1e-300, -1e-300, std::numeric_limits<double>::quiet_NaN()};
    static_assert(std::size(stored) <= db::kSaleAmounts);
    returns::DocumentAmounts shown;
    shown.fill(-1);
    const auto got = returns::ShownAmounts(stored, shown);
    ASSERT_EQ(got.size(), std::size(stored));
    for (std::size_t i = 0; i < got.size(); ++i)
        EXPECT_EQ(got[i], platform::money::FromStoredLeva(stored[i])) << stored[i];
    EXPECT_EQ(shown[got.size()], -1) << "nothing written beyond the amounts given";
}
