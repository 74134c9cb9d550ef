#include "qt/RowSourceModel.h"

#include <QFont>

#include "qt/Convert.h"

namespace qt {
namespace {

bool SameColumns(const std::vector<ui::Column>& a, const std::vector<ui::Column>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].title != b[i].title || a[i].align != b[i].align) return false;
    return true;
}

}  // namespace

RowSourceModel::RowSourceModel(ui::ListView& list, QObject* parent)
    : QAbstractTableModel(parent), list_(list) {
    refresh();
}

// The counts are those last shown: the rows may change while a message box
// is open, and the view learns of it only through refresh().
int RowSourceModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shownRows_;
}

int RowSourceModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(shownColumns_.size());
}

bool RowSourceModel::exists(const QModelIndex& index) const {
    return index.isValid() && index.row() < list_.rowCount() &&
           index.column() < static_cast<int>(list_.columns().size());
}

QVariant RowSourceModel::data(const QModelIndex& index, int role) const {
    if (!exists(index)) return {};
    const auto& source = list_.source();
    switch (role) {
        case Qt::DisplayRole:
            return QString::fromStdString(source.cell(index.row(), index.column()));
        case Qt::CheckStateRole:
            if (!list_.checkBoxes() || index.column() != 0 || source.isTotalsRow(index.row()))
                return {};
            return source.checked(index.row()) ? Qt::Checked : Qt::Unchecked;
        case Qt::FontRole:
            if (source.isTotalsRow(index.row())) {
                QFont bold;
                bold.setBold(true);
                return bold;
            }
            return {};
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Alignment(list_.columns()[index.column()].align));
        default:
            return {};
    }
}

QVariant RowSourceModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section >= static_cast<int>(shownColumns_.size()))
        return {};
    if (role == Qt::DisplayRole) return QString::fromStdString(shownColumns_[section].title);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Alignment(shownColumns_[section].align));
    return {};
}

Qt::ItemFlags RowSourceModel::flags(const QModelIndex& index) const {
    if (!exists(index)) return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (list_.checkBoxes() && index.column() == 0 && !list_.source().isTotalsRow(index.row()))
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

bool RowSourceModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::CheckStateRole || !(flags(index) & Qt::ItemIsUserCheckable)) return false;
    emit checkToggled(index.row(), value.toInt() == Qt::Checked);
    return true;
}

bool RowSourceModel::refresh() {
    const auto& source = list_.source();
    if (&source != shownSource_ || source.rowCount() != shownRows_ ||
        list_.columns().size() != shownColumns_.size()) {
        beginResetModel();
        shownSource_ = &source;
        shownRows_ = source.rowCount();
        shownColumns_ = list_.columns();
        shownRevision_ = source.revision();
        endResetModel();
        return true;
    }
    bool changed = false;
    if (!SameColumns(list_.columns(), shownColumns_)) {
        shownColumns_ = list_.columns();
        if (columnCount() > 0) emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
        changed = true;
    }
    if (source.revision() != shownRevision_) {
        shownRevision_ = source.revision();
        if (shownRows_ > 0 && columnCount() > 0)
            emit dataChanged(index(0, 0), index(shownRows_ - 1, columnCount() - 1));
        changed = true;
    }
    return changed;
}

}  // namespace qt
