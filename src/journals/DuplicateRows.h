#pragma once
// One list of the duplicate documents dialog: the documents of a journal that
// have a duplicate, with the journal's list columns and a check box each (a
// checked document is to be deleted).

#include <cstdint>
#include <string>
#include <vector>

#include "journals/DuplicateStore.h"
#include "journals/JournalRows.h"
#include "ui/Rows.h"

namespace journals {

class DuplicateRows : public ui::ChangingRows {
  public:
    explicit DuplicateRows(db::Journal journal);

    // The journal's list columns, without the filler column of the journal screens.
    const std::vector<ListColumn>& columns() const { return columns_; }

    // Shows the documents in this order; every repeat checked, the earliest
    // of each group not.
    void show(std::vector<DuplicateDocument> documents, std::string period);
    void clear();

    // Checks every repeat; the earliest documents keep their state.
    void checkRepeats();
    void uncheckAll();
    int checkedCount() const;
    std::vector<std::int64_t> checkedIds() const;
    // Orders the documents by a column; equal documents keep their order.
    void sort(const ui::SortState& sort);

    // ui::RowSource
    int rowCount() const override { return static_cast<int>(rows_.size()); }
    std::string cell(int row, int column) const override;
    bool checked(int row) const override;
    void setChecked(int row, bool checked) override;

  private:
    struct Listed {
        DuplicateDocument duplicate;
        bool checked = false;
    };

    std::vector<ListColumn> columns_;
    std::string period_;
    std::vector<Listed> rows_;
};

}  // namespace journals
