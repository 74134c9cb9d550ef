#include "persons/TextSort.h"

#include <optional>

namespace persons {

void SortByText(ui::ListView& list, const ui::SortState& sort) {
    auto& rows = list.table();
    const int selected = list.selectedRow();
    const auto selectedKey = selected >= 0 ? std::optional(rows.row(selected).key) : std::nullopt;

    const auto column = static_cast<std::size_t>(sort.column);
    rows.sort([&](const ui::Row& a, const ui::Row& b) {
        return sort.descending ? b.cells.at(column) < a.cells.at(column)
                               : a.cells.at(column) < b.cells.at(column);
    });
    list.showSort(sort);
    if (selectedKey)
        if (const auto moved = rows.find(*selectedKey)) list.select(*moved);
}

}  // namespace persons
