#pragma once
// The documents of one period as a journal screen lists them: read with one
// query, held compactly (a period may hold a hundred thousand documents),
// formatted cell by cell only when the view asks, followed by the totals row.
// Amounts are held in stotinki, so that the totals are exact sums of what the
// rows show.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "db/Database.h"
#include "db/ErrorSet.h"
#include "db/Rows.h"
#include "journals/JournalRulesMoney.h"
#include "ui/Controls.h"
#include "ui/Rows.h"

namespace journals {

// One listed document.
class ListedDocument {
  public:
    enum Field {
        Klon,
        Type,
        DocNo,
        Date,
        Knum,
        Kname,
        Sdelka,
        Code8a,
        ViesType,
        DateCreate,
        DateModified,
        kFields
    };

    ListedDocument() = default;
    static ListedDocument from(const db::JournalRow& row);

    std::int64_t id = 0;
    int number = 0;
    db::ErrorSet errors;
    // The amounts in table order (db::PurchaseAmount / db::SaleAmount).
    std::array<Stotinki, db::kSaleAmounts> amounts{};

    std::string_view field(Field f) const;
    // Sets every text field at once, in Field order.
    void setFields(const std::array<std::string_view, kFields>& fields);

  private:
    // The text fields one after the other: one allocation per document.
    std::string text_;
    std::array<std::uint32_t, kFields> ends_{};
};

// What a list column shows.
enum class ColumnKind {
    Number,
    Period,
    Text,
    Date,
    Amount,
    Id,
    Errors,
    ViesColumn,
    Advance,
    Empty
};

struct ListColumn {
    std::string title;
    ColumnKind kind;
    int index = 0;  // the ListedDocument::Field of a text column, the amount of an amount column
};

// The columns of a journal's list, in order.
const std::vector<ListColumn>& ListColumns(db::Journal journal);

// What a document shows in a list column; `period` is the period listed.
std::string DocumentCell(const ListedDocument& document, const ListColumn& column,
                         std::string_view period);
// The order of documents by a list column; empty for a column in which every
// document shows the same.
using DocumentOrder = std::function<bool(const ListedDocument&, const ListedDocument&)>;
DocumentOrder DocumentLess(const ListColumn& column);

class JournalRows : public ui::ChangingRows {
  public:
    explicit JournalRows(db::Journal journal);

    // The documents of the VAT number and period, in NUMBER order: of one
    // branch when `branch` is given, of the head office and all its branches
    // otherwise. A database error ends the load with the documents read so
    // far, and is returned.
    std::optional<std::string> load(db::Database& db, const std::string& vin,
                                    const std::optional<std::string>& branch,
                                    const std::string& period);
    // No period: no rows, no totals row.
    void clear();

    int documentCount() const { return static_cast<int>(documents_.size()); }
    const ListedDocument& document(int row) const { return documents_.at(row); }
    std::optional<int> find(std::int64_t id) const;
    void append(ListedDocument document);
    void replace(int row, ListedDocument document);
    // Removes a document of a list in sequence, whose period was renumbered
    // after the deletion: every later document moves up one number, which is
    // what the renumbering wrote. Keeps the order of the list.
    void removeRenumbered(int row);
    // Orders the documents by a column; equal documents keep their order.
    void sort(const ui::SortState& sort);
    Stotinki total(int amount) const { return totals_.at(amount); }
    // Whether the documents listed are numbered 1, 2, 3 ... in order of entry
    // (ID), as renumbering leaves them. Known for what was loaded and
    // appended since.
    bool numberedInSequence() const { return inSequence_; }

    // ui::RowSource
    int rowCount() const override;
    std::string cell(int row, int column) const override;
    bool isTotalsRow(int row) const override;

  private:
    void recomputeTotals();

    db::Journal journal_;
    const std::vector<ListColumn>& columns_;
    std::string period_;
    bool shown_ = false;  // a period is loaded: the totals row is shown
    bool inSequence_ = false;
    std::vector<ListedDocument> documents_;
    std::array<Stotinki, db::kSaleAmounts> totals_{};
};

}  // namespace journals
