#pragma once
// A list view's rows as a Qt item model. Cells are read from the row source
// when the view paints them, so a list of any length opens at once and is
// never copied.

#include <QAbstractTableModel>
#include <cstdint>
#include <string>
#include <vector>

#include "ui/Controls.h"

namespace qt {

class RowSourceModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    RowSourceModel(ui::ListView& list, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // Shows the list anew where it changed since it was last shown; returns
    // whether anything changed.
    bool refresh();

  signals:
    // A person clicked the check box of a row.
    void checkToggled(int row, bool checked);

  private:
    bool exists(const QModelIndex& index) const;

    ui::ListView& list_;
    const ui::RowSource* shownSource_ = nullptr;
    std::uint64_t shownRevision_ = 0;
    int shownRows_ = 0;
    std::vector<ui::Column> shownColumns_;
};

}  // namespace qt
