#pragma once

#include "history/RecItems.h"

#include <QAbstractTableModel>
#include <QIcon>

#include <array>

namespace pelmar {

// The records as one table for both lists of the history window. Row r shows the item at
// position Count - 1 - r, so the newest record is on top and the samples at the bottom.
class THistoryTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit THistoryTableModel(TRecItems& items, QObject* parent = nullptr);

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;

    [[nodiscard]] int positionOfRow(int row) const { return m_items.Count() - 1 - row; }
    [[nodiscard]] int rowOfPosition(int position) const { return m_items.Count() - 1 - position; }
    [[nodiscard]] TRecItem* itemAtRow(int row) const { return m_items.Item(positionOfRow(row)); }

    // Call around every change of the collection's items or order.
    void beginChange() { beginResetModel(); }
    void endChange() { endResetModel(); }
    // The texts of the rows changed (a title was renamed).
    void refresh();
    // The row a drag would drop on, highlighted in both lists; -1 for none.
    void setDropRow(int row);
    [[nodiscard]] int dropRow() const { return m_dropRow; }

private:
    TRecItems& m_items;
    std::array<QIcon, 3> m_kindIcons; // unassigned, sample, group member
    int m_dropRow = -1;
};

} // namespace pelmar
