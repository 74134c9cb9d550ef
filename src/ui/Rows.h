#pragma once
// What a list view shows: a row source the view reads cell by cell, so that a
// list of any length is never copied into the view. TableRows is the source
// most dialogs use; SortState keeps the header-click rule of the lists.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ui {

class RowSource {
  public:
    virtual ~RowSource() = default;

    virtual int rowCount() const = 0;
    virtual std::string cell(int row, int column) const = 0;
    // The check box of a row, for lists that show check boxes.
    virtual bool checked(int /*row*/) const { return false; }
    virtual void setChecked(int /*row*/, bool /*checked*/) {}
    // A totals row ("Общо") is shown in bold and is not a document.
    virtual bool isTotalsRow(int /*row*/) const { return false; }
    // Grows whenever the rows change, so that the view knows to read them
    // again. A source whose rows never change may keep it at 0.
    virtual std::uint64_t revision() const { return 0; }
};

// A source whose rows change: it counts the changes, so that the view knows
// when to read the rows again.
class ChangingRows : public RowSource {
  public:
    std::uint64_t revision() const override { return revision_; }

  protected:
    // Every change of the rows, or of what they show, calls it.
    void changed() { ++revision_; }

  private:
    std::uint64_t revision_ = 1;
};

struct Row {
    std::vector<std::string> cells;
    bool checked = false;
    std::int64_t key = 0;  // what the dialog needs to find the row's record again, e.g. its ID
};

// Rows held in memory, with an optional totals row that always stays last.
class TableRows : public ChangingRows {
  public:
    int rowCount() const override;
    std::string cell(int row, int column) const override;
    bool checked(int row) const override;
    void setChecked(int row, bool checked) override;
    bool isTotalsRow(int row) const override;

    // Document rows, without the totals row.
    int documentCount() const { return static_cast<int>(rows_.size()); }
    const Row& row(int index) const;
    void clear();
    void add(Row row);
    void insert(int index, Row row);
    void remove(int index);
    void setCell(int row, int column, std::string text);
    void setTotals(std::vector<std::string> cells);
    void clearTotals();
    // Orders the document rows; equal rows keep their order; the totals row
    // stays last.
    void sort(const std::function<bool(const Row&, const Row&)>& less);
    // The first document row whose key is `key`.
    std::optional<int> find(std::int64_t key) const;

  private:
    Row& at(int row);

    std::vector<Row> rows_;
    std::optional<Row> totals_;
};

// The sort of a list by header clicks: a click on the sorted column reverses
// the direction, a click on another column sorts it ascending.
struct SortState {
    int column = 0;
    bool descending = false;

    void click(int clicked);
};

}  // namespace ui
