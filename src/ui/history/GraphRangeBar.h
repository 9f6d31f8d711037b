#pragma once

#include <QWidget>

namespace pelmar {

// The vertical track bar beside the range buttons: it spans the laid-out grade range with a
// tick every three grades, has no slider, and highlights its selection. The selection is
// mirrored, so the highest grade shown is at the top.
class TGraphRangeBar : public QWidget {
    Q_OBJECT
public:
    explicit TGraphRangeBar(QWidget* parent = nullptr);

    void setRange(int minimum, int maximum);
    void setSelection(int start, int end);
    [[nodiscard]] int minimum() const { return m_minimum; }
    [[nodiscard]] int maximum() const { return m_maximum; }
    [[nodiscard]] int selectionStart() const { return m_start; }
    [[nodiscard]] int selectionEnd() const { return m_end; }

    [[nodiscard]] QSize sizeHint() const override { return {16, 60}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    [[nodiscard]] int yOf(int value) const;

    int m_minimum = 1;
    int m_maximum = 13;
    int m_start = 1;
    int m_end = 13;
};

} // namespace pelmar
