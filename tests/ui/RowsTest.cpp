// Rows of list views and header-click sorting.
#include <gtest/gtest.h>

#include "ui/Rows.h"

namespace {

std::vector<std::string> FirstColumn(const ui::TableRows& rows) {
    std::vector<std::string> cells;
    for (int row = 0; row < rows.rowCount(); ++row) cells.push_back(rows.cell(row, 0));
    return cells;
}

}  // namespace

TEST(TableRows, TheTotalsRowStaysLastThroughInsertsAndSorts) {
    ui::TableRows rows;
    rows.add({{"2", "Бета"}, false, 20});
    rows.add({{"1", "Алфа"}, false, 10});
    rows.setTotals({"Общо"});
    rows.insert(rows.documentCount(), {{"3", "Гама"}, false, 30});
    EXPECT_EQ(FirstColumn(rows), (std::vector<std::string>{"2", "1", "3", "Общо"}));
    rows.sort([](const ui::Row& a, const ui::Row& b) { return a.cells[0] < b.cells[0]; });
    EXPECT_EQ(FirstColumn(rows), (std::vector<std::string>{"1", "2", "3", "Общо"}));
    EXPECT_TRUE(rows.isTotalsRow(3));
    EXPECT_FALSE(rows.isTotalsRow(2));
    EXPECT_EQ(rows.find(30), 2);
    EXPECT_EQ(rows.find(99), std::nullopt);
    EXPECT_EQ(rows.cell(3, 5), "") << "a cell past the row's end is empty";
}

TEST(TableRows, EveryChangeIsSeenInTheRevision) {
    ui::TableRows rows;
    auto revision = rows.revision();
    const std::function<void()> changes[] = {
        [&] { rows.add({{"1"}}); },        [&] { rows.setCell(0, 3, "x"); },
        [&] { rows.setChecked(0, true); }, [&] { rows.setTotals({"Общо"}); },
        [&] { rows.remove(0); },           [&] { rows.clear(); },
    };
    for (const auto& change : changes) {
        change();
        EXPECT_GT(rows.revision(), revision);
        revision = rows.revision();
    }
}

TEST(SortState, ASecondClickReversesAndAnotherColumnStartsAscending) {
    ui::SortState sort;
    const struct {
        int click;
        int column;
        bool descending;
    } steps[] = {{0, 0, true}, {0, 0, false}, {3, 3, false}, {3, 3, true}, {1, 1, false}};
    for (const auto& step : steps) {
        sort.click(step.click);
        EXPECT_EQ(sort.column, step.column);
        EXPECT_EQ(sort.descending, step.descending) << "click on " << step.click;
    }
}
