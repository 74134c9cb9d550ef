#include "journals/CDublirani.h"

#include <algorithm>

#include "journals/CDeleteDubl.h"
#include "ui/Host.h"

namespace journals {
namespace {

constexpr int kWidth = 620;
constexpr int kSideHeight = 182;

}  // namespace

CDublirani::CDublirani(ui::Host& host, session::Session& session)
    : Dialog(host, "Изтриване на дублирани", {kWidth, 2 * kSideHeight + 40}),
      session_(session),
      purchases_(declareSide(db::Journal::Purchases, "purchases", "Покупки", 4)),
      sales_(declareSide(db::Journal::Sales, "sales", "Продажби", 8 + kSideHeight)),
      choosePeriod_(addButton("period", "Период", {7, 2 * kSideHeight + 20, 60, 14})),
      delete_(addButton("delete", "Изтрий", {75, 2 * kSideHeight + 20, 60, 14})),
      close_(addButton("close", "Затвори", {kWidth - 67, 2 * kSideHeight + 20, 60, 14})) {
    purchases_.list.setSource(purchases_.rows);
    sales_.list.setSource(sales_.rows);
}

CDublirani::Side CDublirani::declareSide(db::Journal journal, const std::string& id,
                                         const std::string& caption, int top) {
    addGroup(caption, {4, top, kWidth - 8, kSideHeight});
    auto& list = addListView(id, "", {10, top + 12, kWidth - 20, kSideHeight - 36})
                     .withCheckBoxes()
                     .withMultiSelect();
    const int below = top + kSideHeight - 20;
    auto& checkAll = addButton(id + "All", "Избери всички", {10, below, 70, 14});
    auto& uncheckAll = addButton(id + "None", "Откажи всички", {86, below, 70, 14});
    addLabel("Всичко:", {kWidth - 180, below + 3, 30, 8});
    auto& total = addLabel("0", {kWidth - 148, below + 3, 40, 8}, id + "Total");
    addLabel("Избрани:", {kWidth - 100, below + 3, 34, 8});
    auto& chosen = addLabel("0", {kWidth - 64, below + 3, 40, 8}, id + "Chosen");
    Side side{DuplicateRows(journal), list, checkAll, uncheckAll, total, chosen};
    for (const auto& c : side.rows.columns())
        list.column(c.title, c.kind == ColumnKind::Amount ? ui::Align::Right : ui::Align::Left);
    return side;
}

CDublirani::Side* CDublirani::sideOf(const ui::ListView& list) {
    if (&list == &purchases_.list) return &purchases_;
    if (&list == &sales_.list) return &sales_;
    return nullptr;
}

void CDublirani::pressed(ui::Button& button) {
    if (&button == &close_) return close(ui::Result::Cancel);
    if (&button == &choosePeriod_) return choosePeriod();
    if (&button == &delete_) return deleteChecked();
    for (Side* side : sides()) {
        if (&button == &side->checkAll) side->rows.checkRepeats();
        if (&button == &side->uncheckAll) side->rows.uncheckAll();
    }
}

// Checking one of several selected rows checks (or unchecks) them all.
void CDublirani::rowChecked(ui::ListView& list, int row) {
    Side* side = sideOf(list);
    if (!side) return;
    const auto selected = list.selection();
    if (selected.size() < 2 || std::find(selected.begin(), selected.end(), row) == selected.end())
        return;
    const bool state = side->rows.checked(row);
    for (const int other : selected) side->rows.setChecked(other, state);
}

void CDublirani::headerClicked(ui::ListView& list, int column) {
    Side* side = sideOf(list);
    if (!side) return;
    side->sort.click(column);
    side->rows.sort(side->sort);
    list.showSort(side->sort);
}

void CDublirani::choosePeriod() {
    CDeleteDubl chooser(host(), session_);
    if (host().runModal(chooser) == ui::Result::Ok && !chooser.period().empty())
        fill(chooser.period());
}

void CDublirani::fill(const std::string& period) {
    period_ = period;
    auto& db = session_.database();
    const auto& vin = session_.person().vin;
    purchases_.rows.show(FindDuplicates(db, db::Journal::Purchases, vin, period), period);
    // The sales list shows its groups the other way round, last first.
    auto sales = FindDuplicates(db, db::Journal::Sales, vin, period);
    std::reverse(sales.begin(), sales.end());
    sales_.rows.show(std::move(sales), period);
    for (Side* side : sides()) {
        side->sort.column = -1;
        side->sort.descending = false;
        side->list.showSort(side->sort);
        side->list.clearSelection();
    }
}

void CDublirani::deleteChecked() {
    if (purchases_.rows.rowCount() == 0 && sales_.rows.rowCount() == 0) return;
    const auto deleted = DeleteDuplicates(session_.database(), session_.person().vin, period_,
                                          purchases_.rows.checkedIds(), sales_.rows.checkedIds());
    host().information("Изтрити са:\r\n" + std::to_string(deleted.purchases) +
                       " броя записи от Дневника за покупки и\r\n" + std::to_string(deleted.sales) +
                       " броя записи от Дневника за продажби!");
    fill(period_);
}

void CDublirani::refresh() {
    bool anyChecked = false;
    for (Side* side : sides()) {
        const int checked = side->rows.checkedCount();
        anyChecked = anyChecked || checked > 0;
        side->total.setCaption(std::to_string(side->rows.rowCount()));
        side->chosen.setCaption(std::to_string(checked));
        side->checkAll.setEnabled(side->rows.rowCount() > 0);
        side->uncheckAll.setEnabled(checked > 0);
    }
    delete_.setEnabled(anyChecked);
}

}  // namespace journals
