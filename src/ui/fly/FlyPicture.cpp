#include "ui/fly/FlyPicture.h"

#include <QMouseEvent>
#include <QPainter>

namespace pelmar {

TFlyPicture::TFlyPicture(QImage picture, int tag, QWidget* parent)
    : QWidget(parent), m_picture(std::move(picture)), m_tag(tag) {
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_TranslucentBackground);
}

void TFlyPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), m_picture);
}

void TFlyPicture::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        Q_EMIT pressed(m_tag);
    QWidget::mousePressEvent(event);
}

} // namespace pelmar
