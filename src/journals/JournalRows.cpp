#include "journals/JournalRows.h"

#include <algorithm>
#include <functional>

#include "journals/JournalStore.h"
#include "journals/ViesType.h"
#include "platform/Money.h"

namespace journals {

namespace money = platform::money;
namespace {

using db::Journal;
using F = ListedDocument::Field;

std::vector<ListColumn> Columns(Journal journal) {
    std::vector<ListColumn> columns = {
        {" № ", ColumnKind::Number},        {"Период", ColumnKind::Period},
        {" 3 ", ColumnKind::Text, F::Type}, {"4", ColumnKind::Text, F::DocNo},
        {"5", ColumnKind::Date, F::Date},   {"6", ColumnKind::Text, F::Knum},
        {"7", ColumnKind::Text, F::Kname},  {"8", ColumnKind::Text, F::Sdelka},
    };
    if (journal == Journal::Purchases) {
        for (int a = 0; a < db::kPurchaseAmounts; ++a)
            columns.push_back({std::to_string(9 + a), ColumnKind::Amount, a});
    } else {
        for (int a = db::SS10; a <= db::SS19; ++a)
            columns.push_back({std::to_string(9 + a), ColumnKind::Amount, a});
        columns.push_back({"Колона VIES", ColumnKind::ViesColumn});
        columns.push_back({"      25      ", ColumnKind::Amount, db::SS25});
        columns.push_back({"Авансово", ColumnKind::Advance});
    }
    columns.insert(columns.end(), {
                                      {"Дата създаване", ColumnKind::Text, F::DateCreate},
                                      {"Дата промяна", ColumnKind::Text, F::DateModified},
                                      {"ID", ColumnKind::Id},
                                      {"Грешен", ColumnKind::Errors},
                                      {"Клон", ColumnKind::Text, F::Klon},
                                      {" 8a ", ColumnKind::Text, F::Code8a},
                                      {"", ColumnKind::Empty},
                                  });
    return columns;
}

// "DD/MM/YYYY" as "YYYYMMDD", so that dates compare in time order.
std::string DateKey(std::string_view date) {
    return std::string(date.substr(6, 4)) + std::string(date.substr(3, 2)) +
           std::string(date.substr(0, 2));
}

}  // namespace

// ---- ListedDocument ----

ListedDocument ListedDocument::from(const db::JournalRow& row) {
    ListedDocument d;
    d.id = row.id;
    d.number = row.number;
    d.errors = row.errors;
    for (std::size_t a = 0; a < row.amounts.size() && a < d.amounts.size(); ++a)
        d.amounts[a] = money::FromStoredLeva(row.amounts[a]);
    d.setFields({row.klon, row.type, row.docNo, row.date, row.knum, row.kname, row.sdelka,
                 row.code8a, row.viesType, row.dateCreate, row.dateModified});
    return d;
}

std::string_view ListedDocument::field(Field f) const {
    const std::uint32_t begin = f == 0 ? 0 : ends_[f - 1];
    return std::string_view(text_).substr(begin, ends_[f] - begin);
}

void ListedDocument::setFields(const std::array<std::string_view, kFields>& fields) {
    std::size_t size = 0;
    for (const auto& f : fields) size += f.size();
    text_.clear();
    text_.reserve(size);
    for (int f = 0; f < kFields; ++f) {
        text_ += fields[f];
        ends_[f] = static_cast<std::uint32_t>(text_.size());
    }
}

const std::vector<ListColumn>& ListColumns(Journal journal) {
    static const std::vector<ListColumn> purchases = Columns(Journal::Purchases);
    static const std::vector<ListColumn> sales = Columns(Journal::Sales);
    return journal == Journal::Purchases ? purchases : sales;
}

// ---- JournalRows ----

JournalRows::JournalRows(Journal journal) : journal_(journal), columns_(ListColumns(journal)) {}

std::optional<std::string> JournalRows::load(db::Database& db, const std::string& vin,
                                             const std::optional<std::string>& branch,
                                             const std::string& period) {
    documents_.clear();
    period_ = period;
    shown_ = true;
    std::optional<std::string> failure;
    try {
        documents_ = LoadPeriodDocuments(db, journal_, vin, branch, period);
    } catch (const db::Error& e) {
        failure = e.what();
    }
    std::sort(documents_.begin(), documents_.end(), [](const auto& a, const auto& b) {
        return a.number != b.number ? a.number < b.number : a.id < b.id;
    });
    // In sequence: numbered 1, 2, 3 ... in the order of entry (ID).
    inSequence_ = !failure;
    for (int i = 0; inSequence_ && i < documentCount(); ++i)
        inSequence_ =
            documents_[i].number == i + 1 && (i == 0 || documents_[i - 1].id < documents_[i].id);
    recomputeTotals();
    changed();
    return failure;
}

void JournalRows::clear() {
    documents_.clear();
    period_.clear();
    shown_ = false;
    inSequence_ = false;
    recomputeTotals();
    changed();
}

std::optional<int> JournalRows::find(std::int64_t id) const {
    for (int row = 0; row < documentCount(); ++row)
        if (documents_[row].id == id) return row;
    return std::nullopt;
}

void JournalRows::append(ListedDocument document) {
    const auto last = std::max_element(documents_.begin(), documents_.end(),
                                       [](const auto& a, const auto& b) { return a.id < b.id; });
    inSequence_ = inSequence_ && document.number == documentCount() + 1 &&
                  (last == documents_.end() || last->id < document.id);
    documents_.push_back(std::move(document));
    recomputeTotals();
    changed();
}

void JournalRows::replace(int row, ListedDocument document) {
    documents_.at(row) = std::move(document);
    recomputeTotals();
    changed();
}

void JournalRows::removeRenumbered(int row) {
    const std::int64_t removed = documents_.at(row).id;
    documents_.erase(documents_.begin() + row);
    for (auto& d : documents_)
        if (d.id > removed) --d.number;
    recomputeTotals();
    changed();
}

void JournalRows::recomputeTotals() {
    totals_.fill(0);
    for (const auto& d : documents_)
        for (std::size_t a = 0; a < totals_.size(); ++a) totals_[a] += d.amounts[a];
}

void JournalRows::sort(const ui::SortState& sort) {
    const auto less = DocumentLess(columns_.at(sort.column));
    if (!less) return;  // every document shows the same
    if (sort.descending)
        std::stable_sort(documents_.begin(), documents_.end(),
                         [&](const auto& a, const auto& b) { return less(b, a); });
    else
        std::stable_sort(documents_.begin(), documents_.end(), less);
    changed();
}

int JournalRows::rowCount() const {
    return documentCount() + (shown_ ? 1 : 0);
}

bool JournalRows::isTotalsRow(int row) const {
    return shown_ && row == documentCount();
}

std::string JournalRows::cell(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= static_cast<int>(columns_.size()))
        return "";
    const ListColumn& c = columns_[column];
    if (!isTotalsRow(row)) return DocumentCell(documents_[row], c, period_);
    if (column == 0) return "Общо";
    return c.kind == ColumnKind::Amount ? money::ToScreenText(totals_[c.index]) : "";
}

std::string DocumentCell(const ListedDocument& d, const ListColumn& c, std::string_view period) {
    switch (c.kind) {
        case ColumnKind::Number:
            return std::to_string(d.number);
        case ColumnKind::Period:
            return std::string(period);
        case ColumnKind::Text:
        case ColumnKind::Date:
            return std::string(d.field(static_cast<F>(c.index)));
        case ColumnKind::Amount:
            return money::ToScreenText(d.amounts[c.index]);
        case ColumnKind::Id:
            return std::to_string(d.id);
        case ColumnKind::Errors:
            return d.errors.any() ? "Да" : "";
        case ColumnKind::ViesColumn: {
            // The item of the document's own type's list.
            const auto analysis =
                DecodeViesType(d.field(F::ViesType), d.amounts[db::SS19], d.amounts[db::SS25]);
            const auto items = ViesColumnItems(d.field(F::Type));
            if (analysis.item < 0 || analysis.item >= static_cast<int>(items.size())) return "";
            return std::string(items[analysis.item]);
        }
        case ColumnKind::Advance:
            return DecodeViesType(d.field(F::ViesType), d.amounts[db::SS19], d.amounts[db::SS25])
                           .advance
                       ? "Да"
                       : "";
        case ColumnKind::Empty:
            break;
    }
    return "";
}

DocumentOrder DocumentLess(const ListColumn& column) {
    // Texts compare byte by byte.
    switch (column.kind) {
        case ColumnKind::Number:
            return [](const auto& a, const auto& b) { return a.number < b.number; };
        case ColumnKind::Id:
            return [](const auto& a, const auto& b) { return a.id < b.id; };
        case ColumnKind::Amount:
            return [i = column.index](const auto& a, const auto& b) {
                return a.amounts[i] < b.amounts[i];
            };
        case ColumnKind::Date:
            return [](const auto& a, const auto& b) {
                const auto x = a.field(F::Date), y = b.field(F::Date);
                if (x.size() == 10 && y.size() == 10) return DateKey(x) < DateKey(y);
                return x < y;
            };
        case ColumnKind::Text:
            return [f = static_cast<F>(column.index)](const auto& a, const auto& b) {
                return a.field(f) < b.field(f);
            };
        case ColumnKind::Period:
        case ColumnKind::Empty:
            return {};
        case ColumnKind::Errors:
        case ColumnKind::ViesColumn:
        case ColumnKind::Advance:
            return [column](const auto& a, const auto& b) {
                return DocumentCell(a, column, "") < DocumentCell(b, column, "");
            };
    }
    return {};
}

}  // namespace journals
