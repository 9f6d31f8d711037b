#include "ui/history/HistoryTableModel.h"

#include "history/HistoryColumns.h"

#include <QBrush>
#include <QPainter>
#include <QPixmap>

namespace pelmar {

namespace {

QIcon dot(const QColor& colour) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(colour.darker(140));
    painter.setBrush(colour);
    painter.drawEllipse(QRectF(3.5, 3.5, 9, 9));
    return QIcon(pixmap);
}

} // namespace

THistoryTableModel::THistoryTableModel(TRecItems& items, QObject* parent)
    : QAbstractTableModel(parent), m_items(items) {
    // Red for the unassigned, green for samples, blue for group members.
    m_kindIcons = {dot(QColor(0xE0, 0x30, 0x30)), dot(QColor(0x30, 0xB0, 0x40)),
                   dot(QColor(0x30, 0x60, 0xE0))};
}

int THistoryTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_items.Count();
}

int THistoryTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : HistoryColumn::Count;
}

QVariant THistoryTableModel::data(const QModelIndex& index, int role) const {
    const TRecItem* item = index.isValid() ? itemAtRow(index.row()) : nullptr;
    if (!item)
        return {};
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole: return HistoryCellText(*item, column, index.row());
    case Qt::DecorationRole:
        if (column == HistoryColumn::No && item->Kind < m_kindIcons.size())
            return m_kindIcons[item->Kind];
        return {};
    case Qt::TextAlignmentRole:
        if (column == HistoryColumn::Title || column == HistoryColumn::Date)
            return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        if (index.row() == m_dropRow)
            return QBrush(QColor(0xC8, 0xDC, 0xFF));
        return {};
    case Qt::ToolTipRole:
        if (column == HistoryColumn::Title)
            return item->Title;
        return {};
    default: return {};
    }
}

QVariant THistoryTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::DisplayRole) {
        // The first column's header counts the records.
        if (section == HistoryColumn::No)
            return QString::number(m_items.Count());
        return HistoryColumnCaption(section);
    }
    if (role == Qt::TextAlignmentRole && section != HistoryColumn::Title && section != HistoryColumn::Date)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

void THistoryTableModel::refresh() {
    if (rowCount() > 0)
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

void THistoryTableModel::setDropRow(int row) {
    if (row == m_dropRow)
        return;
    const int old = m_dropRow;
    m_dropRow = row;
    for (int r : {old, row}) {
        if (r >= 0 && r < rowCount())
            Q_EMIT dataChanged(index(r, 0), index(r, columnCount() - 1), {Qt::BackgroundRole});
    }
}

} // namespace pelmar
