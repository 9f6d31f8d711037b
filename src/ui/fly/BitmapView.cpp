#include "ui/fly/BitmapView.h"

#include <QPainter>

namespace pelmar {

TBitmapView::TBitmapView(QWidget* parent) : QWidget(parent) {}

void TBitmapView::setBitmap(QImage bitmap) {
    m_bitmap = std::move(bitmap);
    refresh();
}

void TBitmapView::refresh() {
    if (!m_transparent) {
        m_shown = m_bitmap;
    } else {
        m_shown = m_bitmap.convertToFormat(QImage::Format_ARGB32);
        const QRgb key = *m_transparent & 0xFFFFFF;
        for (int y = 0; y < m_shown.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(m_shown.scanLine(y));
            for (int x = 0; x < m_shown.width(); ++x) {
                if ((line[x] & 0xFFFFFF) == key)
                    line[x] = 0;
            }
        }
    }
    update();
}

void TBitmapView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_stretched)
        painter.drawImage(rect(), m_shown);
    else
        painter.drawImage(QPoint(0, 0), m_shown);
}

} // namespace pelmar
