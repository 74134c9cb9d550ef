// The duplicate documents dialog and its period chooser, driven as the
// accountant does.
#include "journals/CDublirani.h"

#include <gtest/gtest.h>

#include "JournalFixture.h"
#include "db/Renumber.h"
#include "journals/CDeleteDubl.h"
#include "journals/DuplicateStore.h"

using journals_test::kVin;

namespace {

using testing_support::DialogDriver;
using Strings = std::vector<std::string>;

constexpr const char* kPeriod = "202403";
// Positions of columns in the lists: "ID" after the amounts, "Клон" two later.
constexpr int kPurchaseId = 17, kSaleId = 29, kSaleBranch = 31;

// Purchases with documents entered in a known order.
class DuplicatesFixture : public journals_test::JournalFixture {
  protected:
    std::int64_t purchase(const std::string& docNo, const std::string& knum,
                          const std::string& type = "01", const std::string& klon = "") {
        return add(db::Journal::Purchases, docNo, knum, type, klon);
    }
    std::int64_t sale(const std::string& docNo, const std::string& klon = "",
                      const std::string& type = "01") {
        return add(db::Journal::Sales, docNo, "BG999999999", type, klon);
    }
    std::int64_t add(db::Journal journal, const std::string& docNo, const std::string& knum,
                     const std::string& type, const std::string& klon,
                     const std::string& period = kPeriod, const std::string& vin = kVin) {
        auto row = db::EmptyJournalRow(journal);
        row.vin = vin;
        row.klon = klon;
        row.period = period;
        row.type = type;
        row.docNo = docNo;
        row.knum = knum;
        row.date = "05/03/2024";
        row.dateCreate = "2024/03/05 10:00";
        const auto id = db::InsertJournalRow(t.db(), journal, row);
        db::RenumberPeriod(t.db(), vin, period);
        return id;
    }
    // A VAT return of the period, which lets the chooser list it.
    void withReturn(const std::string& period = kPeriod, const std::string& klon = "") {
        db::ReturnRow r;
        r.vin = kVin;
        r.klon = klon;
        r.period = period;
        db::SaveReturn(t.db(), r);
    }
    // Opens the dialog and chooses the period with "Период".
    std::unique_ptr<journals::CDublirani> openFor(const std::string& period = kPeriod) {
        auto dialog = std::make_unique<journals::CDublirani>(host, session());
        driver = std::make_unique<DialogDriver>(*dialog);
        host.onDialog<journals::CDeleteDubl>([period](journals::CDeleteDubl&, DialogDriver& p) {
            const auto periods = p.column("periods", 0);
            const auto at = std::find(periods.begin(), periods.end(), period);
            ASSERT_NE(at, periods.end());
            p.select("periods", static_cast<int>(at - periods.begin())).press("Избери");
        });
        driver->press("Период");
        return dialog;
    }
    // The IDs a list shows, in its order.
    Strings ids(const std::string& list) { return driver->column(list, idColumn(list)); }
    static int idColumn(const std::string& list) { return list == "sales" ? kSaleId : kPurchaseId; }
    std::vector<bool> checks(const std::string& list) {
        std::vector<bool> checked;
        for (int row = 0; row < driver->rowCount(list); ++row)
            checked.push_back(driver->rowChecked(list, row));
        return checked;
    }
    std::vector<int> numbers(db::Journal journal) {
        std::vector<int> result;
        for (const auto& row : rows(journal)) result.push_back(row.number);
        return result;
    }

    std::unique_ptr<DialogDriver> driver;
};

}  // namespace

TEST_F(DuplicatesFixture, OnlyTheSameDocumentOfTheSameCounterpartIsADuplicate) {
    withReturn();
    const auto first = purchase("1", "121212121");
    purchase("1", "131313131");  // invoice 1 of another supplier
    const auto again = purchase("1", "121212121");
    purchase("2", "999999999999999");  // no identifier: never compared
    purchase("2", "999999999999999");
    purchase("5", "121212121", "07");  // customs documents take no part
    purchase("5", "121212121", "07");
    auto dialog = openFor();
    EXPECT_EQ(ids("purchases"), (Strings{std::to_string(first), std::to_string(again)}));
    EXPECT_EQ(checks("purchases"), (std::vector<bool>{false, true}));
    EXPECT_EQ(driver->caption("purchasesTotal"), "2");
    EXPECT_EQ(driver->caption("purchasesChosen"), "1");
}

TEST_F(DuplicatesFixture, SalesOfTheHeadOfficeAndOfABranchWithOneNumberAreNotDuplicates) {
    session();
    t.person(journals_test::kBulstat, "0001", kVin);
    withReturn();
    sale("100");
    sale("100", "0001");
    const auto branchFirst = sale("200", "0001");
    const auto branchAgain = sale("200", "0001");
    sale("300", "", "07");
    sale("300", "", "07");
    auto dialog = openFor();
    EXPECT_EQ(driver->rowCount("purchases"), 0);
    EXPECT_EQ(ids("sales"), (Strings{std::to_string(branchAgain), std::to_string(branchFirst)}))
        << "the sales list shows the last row first";
    EXPECT_EQ(checks("sales"), (std::vector<bool>{true, false}));
    EXPECT_EQ(driver->column("sales", kSaleBranch), (Strings{"0001", "0001"}))
        << "the branch column";
}

TEST_F(DuplicatesFixture, AGroupOfThreeLeavesTheFirstEnteredAndTheRenumberedPeriod) {
    withReturn();
    purchase("7", "121212121");
    const auto first = purchase("1", "121212121");
    purchase("9", "131313131");
    purchase("1", "121212121");
    purchase("1", "121212121");
    sale("1");
    sale("1");
    auto dialog = openFor();
    EXPECT_EQ(checks("purchases"), (std::vector<bool>{false, true, true}));
    EXPECT_EQ(driver->column("purchases", 0), (Strings{"2", "4", "5"})) << "their numbers";
    EXPECT_EQ(driver->column("purchases", 1), (Strings{kPeriod, kPeriod, kPeriod}));
    driver->press("Изтрий");
    host.expectInformation(
        "Изтрити са:\r\n2 броя записи от Дневника за покупки и\r\n1 броя записи от Дневника за "
        "продажби!");
    EXPECT_EQ(numbers(db::Journal::Purchases), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(rows(db::Journal::Purchases)[1].id, first);
    EXPECT_EQ(numbers(db::Journal::Sales), (std::vector<int>{1}));
    EXPECT_EQ(driver->rowCount("purchases"), 0) << "the lists are filled again";
    EXPECT_EQ(driver->rowCount("sales"), 0);
    EXPECT_FALSE(driver->enabled("delete"));
}

TEST_F(DuplicatesFixture, CheckingAllAndNoneSetsTheButtons) {
    withReturn();
    purchase("1", "121212121");
    purchase("1", "121212121");
    sale("1");
    sale("1");
    auto dialog = openFor();
    EXPECT_TRUE(driver->enabled("delete"));
    driver->press("purchasesNone");
    EXPECT_TRUE(driver->enabled("delete")) << "a sale is still checked";
    EXPECT_FALSE(driver->enabled("purchasesNone"));
    EXPECT_TRUE(driver->enabled("purchasesAll"));
    driver->press("salesNone");
    EXPECT_FALSE(driver->enabled("delete"));
    EXPECT_EQ(driver->caption("salesChosen"), "0");

    driver->checkRow("purchases", 0);  // the earliest, by hand
    driver->press("purchasesAll");
    EXPECT_EQ(checks("purchases"), (std::vector<bool>{true, true}))
        << "the earliest row keeps its state";
    driver->press("purchasesNone").press("purchasesAll");
    EXPECT_EQ(checks("purchases"), (std::vector<bool>{false, true}));
}

TEST_F(DuplicatesFixture, CheckingOneOfSeveralSelectedRowsChecksThemAll) {
    withReturn();
    for (int i = 0; i < 4; ++i) purchase("1", "121212121");
    auto dialog = openFor();
    driver->press("purchasesNone");
    driver->selectRows("purchases", {1, 3});
    driver->checkRow("purchases", 3);
    EXPECT_EQ(checks("purchases"), (std::vector<bool>{false, true, false, true}));
    driver->checkRow("purchases", 0);  // not selected: alone
    EXPECT_EQ(checks("purchases"), (std::vector<bool>{true, true, false, true}));
    driver->checkRow("purchases", 1, false);
    EXPECT_EQ(checks("purchases"), (std::vector<bool>{true, false, false, false}));
}

TEST_F(DuplicatesFixture, AHeaderClickSortsAndASecondReverses) {
    withReturn();
    const auto a = purchase("1", "121212121");
    const auto b = purchase("2", "121212121");
    const auto c = purchase("1", "121212121");
    const auto d = purchase("2", "121212121");
    auto dialog = openFor();
    const auto id = [](std::int64_t i) { return std::to_string(i); };
    EXPECT_EQ(ids("purchases"), (Strings{id(a), id(c), id(b), id(d)}));
    driver->clickHeader("purchases", kPurchaseId);
    EXPECT_EQ(ids("purchases"), (Strings{id(a), id(b), id(c), id(d)}));
    EXPECT_EQ(checks("purchases"), (std::vector<bool>{false, false, true, true}))
        << "the checks go with their rows";
    driver->clickHeader("purchases", kPurchaseId);
    EXPECT_EQ(ids("purchases"), (Strings{id(d), id(c), id(b), id(a)}));
}

TEST_F(DuplicatesFixture, ThePeriodChooserListsThePeriodsWithAReturnAndWantsOne) {
    withReturn("202401");
    withReturn("202403");
    withReturn("202402", "0001");  // a branch's return
    journals::CDeleteDubl chooser(host, session());
    DialogDriver d(chooser);
    EXPECT_EQ(d.title(), "Избиране на период");
    EXPECT_EQ(d.column("periods", 0), (Strings{"202403", "202401"}));
    d.press("Избери");
    host.expectError("Не сте избрали ПЕРИОД!");
    EXPECT_EQ(d.focused(), "periods");
    d.select("periods", 1).press("Избери");
    EXPECT_FALSE(d.isOpen());
    EXPECT_EQ(chooser.period(), "202401");
}

// A failure in the middle leaves the period as it was: nothing half deleted,
// nothing renumbered.
TEST_F(DuplicatesFixture, ADeletionThatFailsChangesNothing) {
    const auto first = purchase("1", "121212121");
    const auto again = purchase("1", "121212121");
    const auto saleFirst = sale("1");
    const auto saleAgain = sale("1");
    t.db().executeScript(
        "CREATE TRIGGER refuse BEFORE DELETE ON PRODAGBI BEGIN SELECT RAISE(ABORT, 'disk I/O "
        "error'); END;");
    const std::int64_t purchases[] = {first}, sales[] = {saleAgain};
    EXPECT_THROW(journals::DeleteDuplicates(t.db(), kVin, kPeriod, purchases, sales), db::Error);
    EXPECT_EQ(rows(db::Journal::Purchases).size(), 2u);
    EXPECT_EQ(numbers(db::Journal::Purchases), (std::vector<int>{1, 2}));
    EXPECT_EQ(rows(db::Journal::Purchases)[1].id, again);
    EXPECT_EQ(rows(db::Journal::Sales)[0].id, saleFirst);
}

// Which two documents of a journal make a group: the rules of both journals,
// pair by pair. The second document of each pair is entered later.
TEST_F(DuplicatesFixture, TheRulesOfAGroup) {
    using J = db::Journal;
    struct Document {
        std::string type = "01", docNo = "1", knum = "121212121", klon = "";
        std::string period = kPeriod, vin = kVin;
    };
    struct Case {
        const char* name;
        J journal;
        Document first, second;
        bool duplicates;
    };
    const std::string none = "999999999999999";
    const Case cases[] = {
        {"the same purchase twice", J::Purchases, {}, {}, true},
        {"an invoice and a debit note of one number and supplier",
         J::Purchases,
         {},
         {.type = "02"},
         true},
        {"protocols and notes of the list take part",
         J::Purchases,
         {.type = "09"},
         {.type = "13"},
         true},
        {"types 11 and 12", J::Purchases, {.type = "11"}, {.type = "12"}, true},
        {"another supplier", J::Purchases, {}, {.knum = "131313131"}, false},
        {"another branch", J::Purchases, {}, {.klon = "0001"}, false},
        {"another number", J::Purchases, {}, {.docNo = "2"}, false},
        {"a supplier without an identifier", J::Purchases, {.knum = none}, {.knum = none}, false},
        {"customs documents", J::Purchases, {.type = "07"}, {.type = "07"}, false},
        {"an invoice and a customs document", J::Purchases, {}, {.type = "07"}, false},
        {"another period", J::Purchases, {}, {.period = "202402"}, false},
        {"another person", J::Purchases, {}, {.vin = "BG121212121"}, false},
        {"the same sale twice", J::Sales, {}, {}, true},
        {"a sale to another buyer with the same number", J::Sales, {}, {.knum = "131313131"}, true},
        {"sales to buyers without an identifier", J::Sales, {.knum = none}, {.knum = none}, true},
        {"a sale of a branch", J::Sales, {}, {.klon = "0001"}, false},
        {"sales of type 07", J::Sales, {.type = "07"}, {.type = "07"}, false},
        {"a sale of another period", J::Sales, {}, {.period = "202402"}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        t.db().executeScript("DELETE FROM POKUPKI; DELETE FROM PRODAGBI;");
        for (const auto& d : {c.first, c.second})
            add(c.journal, d.docNo, d.knum, d.type, d.klon, d.period, d.vin);
        const auto found = journals::FindDuplicates(t.db(), c.journal, kVin, kPeriod);
        if (!c.duplicates) {
            EXPECT_TRUE(found.empty());
            continue;
        }
        ASSERT_EQ(found.size(), 2u);
        EXPECT_TRUE(found[0].earliest);
        EXPECT_FALSE(found[1].earliest);
        EXPECT_LT(found[0].document.id, found[1].document.id);
    }
}
