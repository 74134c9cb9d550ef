#pragma once
// The VAT return of a period is derived data: every time it is shown, written
// to file or reported on, its DEKLAR row is computed again from the journals.
// Only the cells the user types (DR33, DR70, DR71, DR80, DR81, DR82) keep
// their stored values.
//
// Every computed cell is whole stotinki, computed as the file check tests
// them: the sums are sums of each document's amount as shown (two decimals),
// field 40 is 41 + 42 x 33 + 43 with the share 42 x 33 rounded half up when
// positive and truncated when negative, and fields 50 and 60 split 20 - 40.
// The row stores those stotinki, so that the editor's pages, the files and
// the reports all show the same amounts.

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "db/Database.h"
#include "db/Rows.h"
#include "platform/Money.h"
#include "returns/ReturnStore.h"

namespace returns {

using platform::money::Stotinki;

// Field 40 and its result, fields 50 and 60.
struct ReturnResult {
    Stotinki credit = 0;      // DR40
    Stotinki payable = 0;     // DR50, when DS20 - DR40 >= 0
    Stotinki refundable = 0;  // DR60, when DS20 - DR40 < 0, as a positive amount
};

// DR40 = DB41 + DB42 x coefficient / 100 + DB43 (the share by
// money::CoefficientShare: positive half up, negative truncated), and the
// split of DS20 - DR40.
ReturnResult ComputeResult(Stotinki ds20, Stotinki db41, Stotinki db42, Stotinki db43,
                           Stotinki coefficientHundredths);

// Room for the amounts of one document of either journal.
using DocumentAmounts = std::array<Stotinki, db::kSaleAmounts>;

// The stotinki each stored amount of a document shows, written into `shown`;
// one conversion serves the return sums, the VIES return and the file line.
std::span<const Stotinki> ShownAmounts(std::span<const double> stored, DocumentAmounts& shown);

// The journal sums of a return, added one document at a time.
class ReturnSums {
  public:
    // amounts in the order of db::SaleAmount / db::PurchaseAmount. Every
    // document counts; only the types that enter the return are summed.
    void addSale(std::string_view type, std::span<const double> amounts);
    void addPurchase(std::string_view type, std::span<const double> amounts);
    // The same with each amount already in the stotinki it shows, for a
    // reader that converts it once for other uses as well.
    void addSale(std::string_view type, std::span<const Stotinki> shown);
    void addPurchase(std::string_view type, std::span<const Stotinki> shown);

    // The computed cells of the row from the sums and the row's coefficient
    // (DR33): sums, counts, DR40, DR50 and DR60.
    void fill(db::ReturnRow& row) const;

  private:
    std::array<Stotinki, db::kSaleAmounts> sales_{};
    std::array<Stotinki, db::kPurchaseAmounts> purchases_{};
    long long salesCount_ = 0, purchaseCount_ = 0;
};

// Stores the return of the scope computed from the sums: creates or updates
// its DEKLAR row in one transaction and returns the row as stored.
db::ReturnRow StoreVatReturn(db::Database& db, const ReturnScope& scope, const ReturnSums& sums);

// Computes the return of the scope from the journals, creates or updates its
// DEKLAR row in one transaction, and returns the row as stored.
db::ReturnRow ComputeVatReturn(db::Database& db, const ReturnScope& scope);

}  // namespace returns
