#include "journals/DuplicateRows.h"

#include <algorithm>

namespace journals {

DuplicateRows::DuplicateRows(db::Journal journal) {
    for (const auto& column : ListColumns(journal))
        if (column.kind != ColumnKind::Empty) columns_.push_back(column);
}

void DuplicateRows::show(std::vector<DuplicateDocument> documents, std::string period) {
    period_ = std::move(period);
    rows_.clear();
    for (auto& d : documents) {
        const bool repeat = !d.earliest;
        rows_.push_back({std::move(d), repeat});
    }
    changed();
}

void DuplicateRows::clear() {
    show({}, "");
}

void DuplicateRows::checkRepeats() {
    for (auto& row : rows_)
        if (!row.duplicate.earliest) row.checked = true;
    changed();
}

void DuplicateRows::uncheckAll() {
    for (auto& row : rows_) row.checked = false;
    changed();
}

int DuplicateRows::checkedCount() const {
    return static_cast<int>(
        std::count_if(rows_.begin(), rows_.end(), [](const auto& r) { return r.checked; }));
}

std::vector<std::int64_t> DuplicateRows::checkedIds() const {
    std::vector<std::int64_t> ids;
    for (const auto& row : rows_)
        if (row.checked) ids.push_back(row.duplicate.document.id);
    return ids;
}

void DuplicateRows::sort(const ui::SortState& sort) {
    const auto less = DocumentLess(columns_.at(sort.column));
    if (!less) return;
    std::stable_sort(rows_.begin(), rows_.end(), [&](const Listed& a, const Listed& b) {
        return sort.descending ? less(b.duplicate.document, a.duplicate.document)
                               : less(a.duplicate.document, b.duplicate.document);
    });
    changed();
}

std::string DuplicateRows::cell(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= static_cast<int>(columns_.size()))
        return "";
    return DocumentCell(rows_[row].duplicate.document, columns_[column], period_);
}

bool DuplicateRows::checked(int row) const {
    return row >= 0 && row < rowCount() && rows_[row].checked;
}

void DuplicateRows::setChecked(int row, bool checked) {
    if (row < 0 || row >= rowCount()) return;
    rows_[row].checked = checked;
    changed();
}

}  // namespace journals
