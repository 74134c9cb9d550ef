// A list that holds its rows before its window is built, as the registers do
// (they read their tables as they open), shows its declared column widths.
#include <QTableView>

#include <gtest/gtest.h>

#include "ShownView.h"
#include "db/Rows.h"
#include "persons/CKontrag.h"
#include "qt/DialogUnits.h"
#include "support/TestDatabase.h"

TEST(ListColumns, RowsPresentAtOpeningGetTheDeclaredWidths) {
    testing_support::ScriptedHost host;
    testing_support::TestDatabase t;
    db::InsertCounterpart(t.db(), {"121212121", "Алфа Консулт ООД", "BG123456786", ""});
    persons::CKontrag register_(t.db(), host, "BG123456786");
    const auto view = testing_support::Show(register_);

    const auto& list = static_cast<const ui::ListView&>(*register_.find("list"));
    auto* table = testing_support::WidgetOf<QTableView>(*view, list);
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->model()->rowCount(), 1);
    const qt::DialogUnits units(view->font());
    for (int column = 0; column < 3; ++column)
        EXPECT_EQ(table->columnWidth(column), units.x(list.columns()[column].width)) << column;
}
