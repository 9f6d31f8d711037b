#pragma once

#include <QPoint>
#include <QTableView>

#include <functional>

namespace pelmar {

class THistoryTableModel;

// One of the two lists of the history window. Besides the usual selection it moves rows by a
// drag with the right mouse button (a right click without a drag opens the pop-up menu) and
// scrolls near its edges while dragging.
class THistoryTableView : public QTableView {
    Q_OBJECT
public:
    explicit THistoryTableView(QWidget* parent = nullptr);

    // Whether a drag may start now (the window refuses it while a sample is selected).
    std::function<bool()> canStartDrag;
    // Whether a row takes a drop.
    std::function<bool(int row)> acceptsDrop;

    [[nodiscard]] bool dragging() const { return m_dragging; }
    // Rows are brought into view up and down only: the lists keep their sideways position.
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    // The column that takes what the list shows beside the columns before it (never less than
    // `least`), so its header with its sort mark stays in view; until the user sizes it.
    void setFillColumn(int column, int least);

Q_SIGNALS:
    void rowsDropped(int row);
    void popupRequested(QPoint globalPosition);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void fitFillColumn();
    THistoryTableModel* historyModel() const;
    void endDrag();

    bool m_rightPressed = false;
    bool m_dragging = false;
    bool m_dragAllowed = false; // pressed without a modifier key
    QPoint m_pressPosition;
    int m_lastRow = -1;
    int m_fillColumn = -1;
    int m_fillLeast = 0;
    bool m_fitting = false;
};

} // namespace pelmar
