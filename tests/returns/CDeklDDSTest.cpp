// The VAT return sheet driven as a person uses it: what each page shows and
// enables, the typing and leaving rules of the typed cells, and what each of
// OK, "Потвърди" and "Откажи" leaves in the DEKLAR row.
#include "returns/CDeklDDS.h"

#include <gtest/gtest.h>

#include <optional>
#include <string_view>

#include "ReturnsFixture.h"
#include "support/CaseTable.h"

using namespace returns_test;
using testing_support::CaseTable;
using testing_support::DialogDriver;

namespace {

constexpr const char* kPeriod = "202306";

class Sheet : public ::testing::Test, protected ReturnDialog<returns::CDeklDDS> {
  protected:
    Sheet() : ReturnDialog(kPeriod) {}
    void sale(db::SaleAmount column, double amount, const std::string& type = "01") {
        AddAmounts<db::SaleAmount>(t.db(), db::Journal::Sales, "", kPeriod, type,
                                   {{column, amount}});
    }
    void purchase(std::initializer_list<std::pair<db::PurchaseAmount, double>> amounts) {
        AddAmounts(t.db(), db::Journal::Purchases, "", kPeriod, "01", amounts);
    }
    // A return computed and stored before, with these cells set.
    void storedReturn(std::initializer_list<std::pair<const char*, double>> cells) {
        returns::ComputeVatReturn(t.db(), {kVin, "", kPeriod});
        for (auto [column, value] : cells)
            t.db().execute(std::string("UPDATE DEKLAR SET ") + column + " = ?", value);
    }
    std::optional<double> stored(const std::string& column, const std::string& period = kPeriod) {
        auto s = t.db().query("SELECT " + column + " FROM DEKLAR WHERE VIN = ? AND PERIOD = ?",
                              kVin, period);
        if (!s.step() || s.isNull(0)) return std::nullopt;
        return s.real(0);
    }
};

}  // namespace

// ---- page А ----

TEST_F(Sheet, OpeningComputesTheReturnAndPageAShowsIt) {
    sale(db::SS20, 20.5);
    sale(db::SS15, 1000);
    sale(db::SS15, 999, "04");  // a type outside the return
    auto& d = open();
    EXPECT_EQ(d.title(), "Справка декларация за ДДС");
    EXPECT_EQ(d.text("DS20"), "20.50");
    EXPECT_EQ(d.text("DS15"), "1000.00");
    EXPECT_EQ(d.text("DS01"), "0.00");
    EXPECT_EQ(stored("SNUMBER"), 3.0);
    EXPECT_FALSE(d.enabled("Потвърди"));
    EXPECT_FALSE(d.enabled("Откажи"));
    d.press("ok");
    EXPECT_EQ(d.result(), ui::Result::Ok);
    EXPECT_FALSE(stored("DR70")) << "page В was never shown";
}

TEST_F(Sheet, CaptionsFollowTheFormOfThePeriod) {
    const CaseTable<std::string_view(std::string period, std::string cell)> cases = {
        {"201112", "DS13", "13.ДО на облагаемите доставки със ставка 7%/ 9%"},
        {"201206", "DS13", "13.ДО на облагаемите доставки със ставка 9%"},
        {"201112", "DS24", "24.Начислен ДДС 7%/ 9%"},
        {"201312", "DS16", "16.ДО на доставки по чл.140, 146 и чл.173, ал.1 и 4 ЗДДС"},
        {"201401", "DS16", "16.ДО на доставки по чл. 140, 146 и чл.173 ЗДДС"},
        {"201602", "DS16", "16.ДО на доставки по чл. 140, 146 и чл.173 ЗДДС*"},
        {"201601", "DS19", "19.ДО на освободените доставки и освободените ВОП"},
        {"201602", "DS19", "19.ДО на освободените доставки и освободените ВОП***"},
        {"201601", "DS23", "23.Начислен данък (20%) в други случаи, предвидени в ЗДДС"},
        {"201602", "DS23", "23.Начислен данък за доставки на стоки и услуги за лични нужди****"},
        {"202003", "DS12", "12.ДО на ВОП и ДО на получени доставки по чл.82, ал.2-5 ЗДДС"},
        {"202004", "DS12", "12.ДО на ВОП и ДО на получени доставки по чл.82, ал.2-6 ЗДДС"},
        {"202003", "DS22", "22.Начислен ДДС за ВОП и за получени доставки по чл.82, ал.2-5 ЗДДС"},
        {"202004", "DS22", "22.Начислен ДДС за ВОП и за получени доставки по чл.82, ал.2-6 ЗДДС"},
        {"202004", "DB30",
         "30.ДО и данък на получените доставки, ВОП, получените доставки по чл.82, ал.2-6 ЗДДС "
         "и вноса без право на данъчен кредит или без данък"},
    };
    cases.expectEachCall([this](const std::string& period, const std::string& cell) {
        returns::CDeklDDS s(host, t.db(), {kVin, "", period});
        return s.find(cell)->caption();
    });
    returns::CDeklDDS before(host, t.db(), {kVin, "", "201601"});
    returns::CDeklDDS after(host, t.db(), {kVin, "", "201602"});
    EXPECT_EQ(after.find("DS18")->caption(), before.find("DS18")->caption() + "**");
}

// ---- page Б ----

TEST_F(Sheet, PageBStoresCoefficientAndExactCreditWhenFirstShown) {
    purchase({{db::BS41, 100}, {db::BS42, 10.01}});
    storedReturn({{"DR33", 0.5}});
    auto& d = open();
    EXPECT_DOUBLE_EQ(*stored("DR40"), 105.01) << "the computation: 5.005 rounds half up";
    d.showPage("Раздел Б");
    EXPECT_EQ(d.text("DR33"), "0.50");
    EXPECT_TRUE(d.enabled("DR33"));
    EXPECT_EQ(d.text("DB42"), "10.01");
    EXPECT_EQ(d.text("DR40"), "105.01");
    EXPECT_DOUBLE_EQ(*stored("DR40"), 105.01) << "shown: the same stotinki";
    d.press("ok");
    EXPECT_DOUBLE_EQ(*stored("DR40"), 105.01) << "confirmed: the same again";
}

TEST_F(Sheet, WithoutPartialCreditTheCoefficientIsEmptiedDisabledAndStoredAsZero) {
    purchase({{db::BS41, 30}, {db::BS43, -5}});
    storedReturn({{"DR33", 0.75}});
    auto& d = open();
    d.showPage("Раздел Б");
    EXPECT_EQ(d.text("DR33"), "");
    EXPECT_FALSE(d.enabled("DR33"));
    EXPECT_EQ(d.text("DR40"), "25.00");
    EXPECT_EQ(stored("DR33"), 0.0) << "stored at once";
    d.escape();
    EXPECT_EQ(stored("DR33"), 0.0) << "and kept when the sheet is cancelled";
}

TEST_F(Sheet, ConfirmedCreditIsExactStotinki) {
    struct Case {
        double db41, db42, db43;
        const char* coefficient;
        const char* credit;
    };
    const Case cases[] = {
        {100, 10.01, 0, "0,5", "105.01"},        // 5.005 rounds up
        {100, -10.01, 0, "0.5", "95.00"},        // -5.005 is cut to -5.00
        {50, 0.03, 0, "0.5", "50.02"},           // 0.015 rounds up
        {0, -0.03, 0, ".5", "-0.01"},            // -0.015 is cut
        {0, 10, -3, "1", "7.00"},                // a negative adjustment lowers it
        {200.1, 33.33, 0.05, "0.33", "211.15"},  // 10.9989 rounds to 11.00
    };
    for (const auto& c : cases) {
        t.db().execute("DELETE FROM POKUPKI");
        t.db().execute("DELETE FROM DEKLAR");
        purchase({{db::BS41, c.db41}, {db::BS42, c.db42}, {db::BS43, c.db43}});
        auto& d = open();
        d.showPage("Раздел Б").type("DR33", c.coefficient).press("Потвърди");
        EXPECT_EQ(d.text("DR40"), c.credit) << c.db42 << " x " << c.coefficient;
        EXPECT_DOUBLE_EQ(*stored("DR40"), std::stod(c.credit)) << c.db42;
        d.escape();
    }
}

TEST_F(Sheet, FieldThirtyThreeWhenLeft) {
    struct Case {
        const char* typed;
        const char* message;  // "" for none
        const char* shown;
    };
    const Case cases[] = {
        {"0,75", "", "0.75"},
        {"1", "", "1.00"},
        {"1.00", "", "1.00"},
        {"1.5", "Поле '33' не може да бъде по-голямо от 1.00", "1.5"},
        {"1.001", "Поле '33' не може да бъде по-голямо от 1.00", "1.001"},
        {"10", "Некоректна стойност на поле '33'", "10"},  // 10.00 is longer than 4
        {".", "Некоректна стойност на поле '33'", "."},
    };
    purchase({{db::BS42, 10}});
    for (const auto& c : cases) {
        auto& d = open();
        d.showPage("Раздел Б").type("DR33", c.typed).leave();
        if (*c.message) {
            host.expectError(c.message);
            EXPECT_EQ(d.focused(), "DR33") << c.typed;
        } else {
            EXPECT_NE(d.focused(), "DR33") << c.typed;
        }
        host.expectNoMoreBoxes();
        EXPECT_EQ(d.text("DR33"), c.shown) << c.typed;
        d.closeWindow();
    }
}

TEST_F(Sheet, FieldThirtyThreeWhileTyping) {
    purchase({{db::BS42, 10}});
    auto& d = open();
    d.showPage("Раздел Б").type("DR33", "0.5");
    host.expectNoMoreBoxes();
    EXPECT_TRUE(d.enabled("Потвърди"));
    EXPECT_TRUE(d.enabled("Откажи"));

    d.type("DR33", "0.0");
    EXPECT_FALSE(d.enabled("Потвърди")) << "the same value as stored";

    d.type("DR33", "0,5,");
    host.expectError("Некоректна стойност на поле '33'");
    d.type("DR33", "-");
    host.expectError("Некоректна стойност на поле '33'");
    EXPECT_EQ(d.text("DR33"), "-") << "the text stays for the user to correct";
    d.leave();
    host.expectError("Некоректна стойност на поле '33'");
    EXPECT_EQ(d.focused(), "DR33") << "nor can it be left so";
}

// ---- page В, Г и Д ----

TEST_F(Sheet, PageCFollowsTheSignOfTheResult) {
    struct Case {
        double charged, credit;
        const char* payable;
        const char* refundable;
        bool payableCells, refundCells;
    };
    const Case cases[] = {
        {100, 40, "60.00", "", true, false},
        {100, 100, "0.00", "", false, false},
        {40, 100, "", "60.00", false, true},
        {100, 100.01, "", "0.01", false, true},
    };
    for (const auto& c : cases) {
        t.db().execute("DELETE FROM POKUPKI");
        t.db().execute("DELETE FROM PRODAGBI");
        sale(db::SS20, c.charged);
        purchase({{db::BS41, c.credit}});
        auto& d = open();
        d.showPage("Раздел В, Г и Д");
        EXPECT_EQ(d.text("DR50"), c.payable) << c.charged << " - " << c.credit;
        EXPECT_EQ(d.text("DR60"), c.refundable);
        EXPECT_EQ(d.enabled("DR70"), c.payableCells);
        EXPECT_EQ(d.enabled("DR71"), c.payableCells);
        EXPECT_TRUE(d.enabled("DR80"));
        EXPECT_EQ(d.enabled("DR81"), c.refundCells);
        EXPECT_EQ(d.enabled("DR82"), c.refundCells);
        EXPECT_EQ(d.text("DR81"), "");
        d.escape();
    }
}

TEST_F(Sheet, AResultShownAsZeroIsNeitherPayableNorRefundable) {
    sale(db::SS20, 0.1);
    sale(db::SS20, 0.2);
    purchase({{db::BS41, 0.3}});  // 0.1 + 0.2 - 0.3 is not 0 in binary
    auto& d = open();
    d.showPage("Раздел В, Г и Д");
    EXPECT_EQ(d.text("DR50"), "0.00");
    EXPECT_FALSE(d.enabled("DR70"));
    EXPECT_FALSE(d.enabled("DR81"));
    d.press("ok");
    EXPECT_EQ(stored("DR50"), 0.0);
    EXPECT_EQ(stored("DR60"), 0.0);
}

TEST_F(Sheet, PageCShowsStoredCellsAndEmptyOnesAsEmpty) {
    sale(db::SS20, 40);
    purchase({{db::BS41, 100}});
    storedReturn({{"DR70", 12.5}, {"DR81", 3}});
    auto& d = open();
    d.showPage("Раздел В, Г и Д");
    EXPECT_EQ(d.text("DR70"), "12.50") << "a stored value shows though the cell is disabled";
    EXPECT_FALSE(d.enabled("DR70"));
    EXPECT_EQ(d.text("DR71"), "");
    EXPECT_EQ(d.text("DR80"), "") << "never filled";
    EXPECT_EQ(d.text("DR81"), "3.00");
}

TEST_F(Sheet, TypedCellsOfPageC) {
    sale(db::SS20, 100);
    auto& d = open();
    d.showPage("Раздел В, Г и Д");
    for (const char* field : {"70", "71", "80"}) {
        const std::string id = std::string("DR") + field;
        d.type(id, "7a");
        host.expectError(std::string("Некоректна стойност на поле '") + field + "'");
        d.leave();
        host.expectError(std::string("Некоректна стойност на поле '") + field + "'");
        EXPECT_EQ(d.focused(), id);
        d.type(id, "7,5").leave();
        EXPECT_EQ(d.text(id), "7.50");
    }
    host.expectNoMoreBoxes();
    EXPECT_TRUE(d.enabled("Потвърди"));
}

TEST_F(Sheet, EmptyTypedCellsAreStoredAsZero) {
    sale(db::SS20, 100);
    purchase({{db::BS41, 40}});
    auto& d = open();
    d.showPage("Раздел В, Г и Д").type("DR80", "5").leave().press("ok");
    EXPECT_FALSE(d.isOpen());
    EXPECT_EQ(stored("DR50"), 60.0);
    EXPECT_EQ(stored("DR60"), 0.0);
    EXPECT_EQ(stored("DR70"), 0.0);
    EXPECT_EQ(stored("DR71"), 0.0);
    EXPECT_EQ(stored("DR80"), 5.0);
    EXPECT_EQ(stored("DR82"), 0.0);
}

// ---- confirming ----

TEST_F(Sheet, ApplyStoresTheShownPagesAndStaysOpen) {
    sale(db::SS20, 110);
    purchase({{db::BS41, 100}, {db::BS42, 10.01}});
    auto& d = open();
    d.showPage("Раздел В, Г и Д");
    EXPECT_EQ(d.text("DR50"), "10.00");
    d.type("DR71", "3").leave();
    d.showPage("Раздел Б").type("DR33", "0.5").press("Потвърди");
    EXPECT_TRUE(d.isOpen());
    EXPECT_FALSE(d.enabled("Потвърди"));
    EXPECT_FALSE(d.enabled("Откажи"));
    EXPECT_EQ(stored("DR33"), 0.5);
    EXPECT_EQ(stored("DR71"), 3.0);
    EXPECT_EQ(stored("DR50"), 4.99) << "the result follows the credit confirmed with it";
    d.showPage("Раздел В, Г и Д");
    EXPECT_EQ(d.text("DR50"), "4.99");
    EXPECT_EQ(d.text("DR71"), "3.00");
}

TEST_F(Sheet, CancelKeepsOnlyWhatWasStoredBeforeTyping) {
    sale(db::SS20, 100);
    purchase({{db::BS42, 10}});
    auto& d = open();
    d.showPage("Раздел Б").type("DR33", "0.5").leave();
    d.showPage("Раздел В, Г и Д").type("DR80", "9").leave();
    d.press("Откажи");
    EXPECT_EQ(d.result(), ui::Result::Cancel);
    EXPECT_EQ(stored("DR33"), 0.0);
    EXPECT_DOUBLE_EQ(*stored("DR40"), 0.0);
    EXPECT_FALSE(stored("DR80")) << "what page В held is not stored";
}

TEST_F(Sheet, ARefusedCellStoresNothingWhereverTheFocusIs) {
    sale(db::SS20, 100);
    purchase({{db::BS42, 10}});
    auto& d = open();
    d.showPage("Раздел Б").type("DR33", "0.5").leave();
    d.showPage("Раздел В, Г и Д").type("DR80", "9x");
    host.expectError("Некоректна стойност на поле '80'");
    d.showPage("Раздел А").press("ok");
    host.expectError("Некоректна стойност на поле '80'");
    EXPECT_TRUE(d.isOpen());
    EXPECT_EQ(d.focused(), "DR80") << "the refused cell's page comes to the front";
    EXPECT_EQ(stored("DR33"), 0.0) << "page Б is not stored either";
    EXPECT_FALSE(stored("DR80"));

    d.type("DR80", "9").press("ok");
    EXPECT_FALSE(d.isOpen());
    EXPECT_EQ(stored("DR33"), 0.5);
    EXPECT_EQ(stored("DR80"), 9.0);
}

TEST_F(Sheet, EnterActsOnlyOnTheSheetButtons) {
    purchase({{db::BS42, 10}});
    auto& d = open();
    d.showPage("Раздел Б").type("DR33", "1").enter();
    EXPECT_TRUE(d.isOpen());
    EXPECT_EQ(d.text("DR33"), "1") << "Enter does not leave the field";
    d.focus("apply").enter();
    EXPECT_EQ(stored("DR33"), 1.0);
    EXPECT_TRUE(d.isOpen());
    d.focus("ok").enter();
    EXPECT_FALSE(d.isOpen());
}

TEST_F(Sheet, AnEngineErrorOnOpeningIsShownAndTheSheetCloses) {
    t.db().execute("DROP TABLE DEKLAR");
    auto& d = open();
    const auto box = host.takeBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->icon, ui::Icon::Error);
    EXPECT_NE(box->text.find("DEKLAR"), std::string::npos) << box->text;
    EXPECT_FALSE(d.isOpen());
}

// A return removed while its sheet is open is a condition of the data, not of
// the engine: the page says so and the sheet stays open.
TEST_F(Sheet, APageWhoseReturnIsGoneSaysSoAndTheSheetStaysOpen) {
    auto& d = open();
    t.db().execute("DELETE FROM DEKLAR");
    d.showPage("Раздел Б");
    host.expectError("Справката-декларация за периода 202306 липсва");
    EXPECT_TRUE(d.isOpen());
}
