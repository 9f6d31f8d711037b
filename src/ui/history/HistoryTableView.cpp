#include "ui/history/HistoryTableView.h"

#include "ui/history/HistoryTableModel.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

#include <algorithm>

namespace pelmar {

namespace {
constexpr int DragDistance = 2;  // pixels the pointer moves before a drag starts
constexpr int EdgeZone = 32;     // pixels from the top or bottom edge that scroll
constexpr int EdgeScroll = 30;   // pixels scrolled per row change there
} // namespace

THistoryTableView::THistoryTableView(QWidget* parent) : QTableView(parent) {
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setWordWrap(false);
    setShowGrid(false);
    setAlternatingRowColors(false);
    // The right button drags rows; the pop-up menu opens when it is released without a drag.
    setContextMenuPolicy(Qt::PreventContextMenu);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int section) {
        if (m_fitting || m_fillColumn < 0)
            return;
        if (section == m_fillColumn)
            m_fillColumn = -1; // sized by hand: it keeps that width
        else if (section < m_fillColumn)
            fitFillColumn();
    });
}

void THistoryTableView::scrollTo(const QModelIndex& index, ScrollHint hint) {
    const int sideways = horizontalScrollBar()->value();
    QTableView::scrollTo(index, hint);
    horizontalScrollBar()->setValue(sideways);
}

void THistoryTableView::setFillColumn(int column, int least) {
    m_fillColumn = column;
    m_fillLeast = least;
    fitFillColumn();
}

void THistoryTableView::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    fitFillColumn();
}

void THistoryTableView::fitFillColumn() {
    if (m_fillColumn < 0 || m_fitting)
        return;
    const QHeaderView* header = horizontalHeader();
    int before = 0;
    for (int c = 0; c < m_fillColumn; ++c)
        before += header->isSectionHidden(c) ? 0 : header->sectionSize(c);
    const int width = std::max(m_fillLeast, viewport()->width() - before);
    if (width == header->sectionSize(m_fillColumn))
        return;
    m_fitting = true;
    setColumnWidth(m_fillColumn, width);
    m_fitting = false;
}

THistoryTableModel* THistoryTableView::historyModel() const {
    return qobject_cast<THistoryTableModel*>(model());
}

void THistoryTableView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        // Like a list of the desktop: a right click on a row outside the selection selects it.
        const QModelIndex index = indexAt(event->position().toPoint());
        if (index.isValid() && !selectionModel()->isRowSelected(index.row(), QModelIndex())) {
            selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                         QItemSelectionModel::Rows);
        }
        m_rightPressed = true;
        m_dragging = false;
        m_dragAllowed = event->modifiers() == Qt::NoModifier;
        m_pressPosition = event->position().toPoint();
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
}

void THistoryTableView::mouseMoveEvent(QMouseEvent* event) {
    if (!m_rightPressed) {
        QTableView::mouseMoveEvent(event);
        return;
    }
    const QPoint at = event->position().toPoint();
    if (!m_dragging) {
        if (!m_dragAllowed || (at - m_pressPosition).manhattanLength() < DragDistance)
            return;
        if (canStartDrag && !canStartDrag()) {
            m_rightPressed = false;
            return;
        }
        m_dragging = true;
        m_lastRow = -1;
    }
    const int row = rowAt(at.y());
    if (row != m_lastRow) {
        m_lastRow = row;
        const int height = viewport()->height();
        if (at.y() < EdgeZone)
            verticalScrollBar()->setValue(verticalScrollBar()->value() - EdgeScroll);
        else if (at.y() > height - EdgeZone)
            verticalScrollBar()->setValue(verticalScrollBar()->value() + EdgeScroll);
    }
    if (THistoryTableModel* m = historyModel())
        m->setDropRow(row >= 0 && acceptsDrop && acceptsDrop(row) ? row : -1);
    event->accept();
}

void THistoryTableView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::RightButton || !m_rightPressed) {
        QTableView::mouseReleaseEvent(event);
        return;
    }
    const bool dragged = m_dragging;
    const int row = rowAt(event->position().toPoint().y());
    endDrag();
    event->accept();
    if (!dragged) {
        Q_EMIT popupRequested(event->globalPosition().toPoint());
        return;
    }
    if (row >= 0 && acceptsDrop && acceptsDrop(row))
        Q_EMIT rowsDropped(row);
}

void THistoryTableView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Menu) {
        Q_EMIT popupRequested(viewport()->mapToGlobal(visualRect(currentIndex()).center()));
        return;
    }
    if (event->key() == Qt::Key_Escape && m_dragging) {
        endDrag();
        return;
    }
    QTableView::keyPressEvent(event);
}

void THistoryTableView::endDrag() {
    m_rightPressed = false;
    m_dragging = false;
    m_lastRow = -1;
    if (THistoryTableModel* m = historyModel())
        m->setDropRow(-1);
}

} // namespace pelmar
