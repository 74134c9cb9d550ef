#pragma once
// The protocol report ("СПРАВКА-ПРОТОКОЛ") of one period: the column sums of
// both journals beside the cells of the VAT return, the result section of the
// return and the error codes stored with the documents. It is built from
// what the database holds, one document at a time, and written as UTF-8 text
// with CR LF line ends; ReportProtokol.txt holds it in Windows-1251.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "db/ErrorSet.h"
#include "db/Rows.h"
#include "platform/Money.h"

namespace files::protocol {

using platform::money::Stotinki;

// A document of the period as the report sees it.
struct StoredDocument {
    std::string_view type;
    long long number = 0;             // NUMBER; a NULL reads as 0
    std::span<const double> amounts;  // in the order of db::PurchaseAmount / db::SaleAmount
    db::ErrorSet errors;              // ERROR1..ERROR3
};

// The error codes stored with one document, named by its NUMBER.
struct StoredErrors {
    long long number = 0;
    db::ErrorSet errors;
};

template <std::size_t N>
struct JournalTotals {
    long long count = 0;                   // every document of the period
    std::array<Stotinki, N> sums{};        // of the documents whose type the report sums
    std::vector<StoredErrors> withErrors;  // in NUMBER order
};

// The cells of the return the report shows, in stotinki (DR33 in hundredths).
struct ReturnCells {
    Stotinki dr33 = 0, ds20 = 0, dr40 = 0, dr50 = 0, dr60 = 0;
    Stotinki dr70 = 0, dr71 = 0, dr80 = 0, dr81 = 0, dr82 = 0;
};
ReturnCells CellsOf(const db::ReturnRow& row);

struct ProtocolData {
    std::string today;  // DD/MM/YYYY
    std::string vin, name, period, filer;
    JournalTotals<db::kSaleAmounts> sales;
    JournalTotals<db::kPurchaseAmounts> purchases;
    ReturnCells cells;

    // Counts the document, adds its amounts when its type is summed and keeps
    // its codes; documents come in NUMBER order.
    void addSale(const StoredDocument& document);
    void addPurchase(const StoredDocument& document);
};

// The report text, UTF-8, every line ending in CR LF.
std::string BuildProtocolReport(const ProtocolData& data);

}  // namespace files::protocol
