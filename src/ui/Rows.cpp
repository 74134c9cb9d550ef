#include "ui/Rows.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace ui {

int TableRows::rowCount() const {
    return documentCount() + (totals_ ? 1 : 0);
}

const Row& TableRows::row(int index) const {
    if (index == documentCount() && totals_) return *totals_;
    return rows_.at(static_cast<std::size_t>(index));
}

Row& TableRows::at(int row) {
    return const_cast<Row&>(std::as_const(*this).row(row));
}

std::string TableRows::cell(int row, int column) const {
    const auto& cells = this->row(row).cells;
    return column >= 0 && static_cast<std::size_t>(column) < cells.size() ? cells[column] : "";
}

bool TableRows::checked(int row) const {
    return this->row(row).checked;
}

void TableRows::setChecked(int row, bool checked) {
    at(row).checked = checked;
    changed();
}

bool TableRows::isTotalsRow(int row) const {
    return totals_ && row == documentCount();
}

void TableRows::clear() {
    rows_.clear();
    totals_.reset();
    changed();
}

void TableRows::add(Row row) {
    rows_.push_back(std::move(row));
    changed();
}

void TableRows::insert(int index, Row row) {
    if (index < 0 || index > documentCount()) throw std::out_of_range("TableRows::insert");
    rows_.insert(rows_.begin() + index, std::move(row));
    changed();
}

void TableRows::remove(int index) {
    if (index < 0 || index >= documentCount()) throw std::out_of_range("TableRows::remove");
    rows_.erase(rows_.begin() + index);
    changed();
}

void TableRows::setCell(int row, int column, std::string text) {
    auto& cells = at(row).cells;
    if (column < 0) throw std::out_of_range("TableRows::setCell");
    if (cells.size() <= static_cast<std::size_t>(column)) cells.resize(column + 1);
    cells[column] = std::move(text);
    changed();
}

void TableRows::setTotals(std::vector<std::string> cells) {
    totals_ = Row{std::move(cells)};
    changed();
}

void TableRows::clearTotals() {
    totals_.reset();
    changed();
}

void TableRows::sort(const std::function<bool(const Row&, const Row&)>& less) {
    std::stable_sort(rows_.begin(), rows_.end(), less);
    changed();
}

std::optional<int> TableRows::find(std::int64_t key) const {
    for (int i = 0; i < documentCount(); ++i)
        if (rows_[i].key == key) return i;
    return std::nullopt;
}

void SortState::click(int clicked) {
    descending = clicked == column ? !descending : false;
    column = clicked;
}

}  // namespace ui
