#include "ui/history/GraphRangeBar.h"

#include "history/GraphPlane.h"

#include <QPainter>

namespace pelmar {

namespace {
constexpr int Margin = 4;
} // namespace

TGraphRangeBar::TGraphRangeBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("RangeBar"));
    setMinimumSize(12, 40);
}

void TGraphRangeBar::setRange(int minimum, int maximum) {
    m_minimum = minimum;
    m_maximum = std::max(minimum, maximum);
    update();
}

void TGraphRangeBar::setSelection(int start, int end) {
    m_start = start;
    m_end = end;
    update();
}

int TGraphRangeBar::yOf(int value) const {
    const int span = m_maximum - m_minimum;
    const int track = std::max(1, height() - 2 * Margin - 1);
    return Margin + (span == 0 ? 0 : (value - m_minimum) * track / span);
}

void TGraphRangeBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int middle = width() / 2;
    const QPalette& colours = palette();
    painter.fillRect(QRect(QPoint(middle - 2, yOf(m_start)), QPoint(middle + 2, yOf(m_end))),
                     colours.color(QPalette::Highlight));
    painter.setPen(colours.color(QPalette::Mid));
    painter.drawLine(middle, yOf(m_minimum), middle, yOf(m_maximum));
    painter.setPen(colours.color(QPalette::WindowText));
    if (m_maximum - m_minimum > 3 * height())
        return; // a damaged record's range: ticks would merge into a block
    for (int v = m_minimum; v <= m_maximum; v += GraphSize::BandGrades)
        painter.drawLine(middle + 4, yOf(v), middle + 7, yOf(v));
}

} // namespace pelmar
