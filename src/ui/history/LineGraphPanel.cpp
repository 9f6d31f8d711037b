#include "ui/history/LineGraphPanel.h"

#include <QApplication>
#include <QClipboard>
#include <QPainter>

#include <algorithm>

namespace pelmar {

TLineGraphPanel::TLineGraphPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("GraphPanel"));
    setMinimumHeight(345);
    setAutoFillBackground(false);
}

void TLineGraphPanel::setFormulaVisible(int formula, bool visible) {
    if (formula >= 0 && formula < static_cast<int>(m_formulas.size()))
        m_formulas[static_cast<std::size_t>(formula)] = visible;
}

bool TLineGraphPanel::formulaVisible(int formula) const {
    return formula >= 0 && formula < static_cast<int>(m_formulas.size()) &&
           m_formulas[static_cast<std::size_t>(formula)];
}

void TLineGraphPanel::setAuxiliary(int measure, bool on) {
    if (measure >= 22 && measure <= 32)
        m_auxiliary[static_cast<std::size_t>(measure - 22)] = on;
}

bool TLineGraphPanel::auxiliary(int measure) const {
    return measure >= 22 && measure <= 32 && m_auxiliary[static_cast<std::size_t>(measure - 22)];
}

void TLineGraphPanel::setStepPosition(int position) {
    m_step = std::clamp(position, 1, 6) * 10 + 2;
}

void TLineGraphPanel::pressRange(RangeButton) {
    draw(true);
}

void TLineGraphPanel::layoutGraph() {
    Q_EMIT rangeButtonsChanged(false, true, true, false);
    draw(false);
}

void TLineGraphPanel::draw(bool) {
    update();
}

void TLineGraphPanel::showSelection(const std::vector<int>& positions) {
    m_selection = positions;
}

bool TLineGraphPanel::copyPicture(bool) {
    QApplication::clipboard()->setPixmap(grab());
    return true;
}

void TLineGraphPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
}

void TLineGraphPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    draw(false);
}

} // namespace pelmar
