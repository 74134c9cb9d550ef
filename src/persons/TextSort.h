#pragma once
// The header-click sort of the register lists: every column compares as
// text, and the selected row stays selected wherever it moves.

#include "ui/Controls.h"

namespace persons {

// Sorts the rows of the list's own table by the column of `sort` (rows must
// carry distinct keys) and shows the sort in the header.
void SortByText(ui::ListView& list, const ui::SortState& sort);

}  // namespace persons
