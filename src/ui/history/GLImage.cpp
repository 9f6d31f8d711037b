#include "ui/history/GLImage.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>

namespace pelmar {

TGraphImage::TGraphImage(QWidget* parent, bool transparent)
    : QWidget(parent), m_transparent(transparent) {
    setAttribute(Qt::WA_OpaquePaintEvent, !transparent);
    if (transparent)
        setAttribute(Qt::WA_TransparentForMouseEvents);
    Fit();
}

void TGraphImage::Fit() {
    const QSize size(std::max(1, width()), std::max(1, height()));
    if (m_picture.size() != size)
        m_picture = QImage(size, m_transparent ? QImage::Format_ARGB32_Premultiplied
                                               : QImage::Format_RGB32);
    Clear();
}

void TGraphImage::Clear() {
    m_picture.fill(m_transparent ? Qt::transparent : Qt::white);
    update();
}

void TGraphImage::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawImage(event->rect(), m_picture, event->rect());
}

TGLImage::TGLImage(QWidget* parent) : TGraphImage(parent) {
    setObjectName(QStringLiteral("GLImage"));
    setMouseTracking(true);
}

void TGLImage::enterEvent(QEnterEvent* event) {
    Q_EMIT pointerEntered(event->position().toPoint());
}

void TGLImage::leaveEvent(QEvent*) { Q_EMIT pointerLeft(); }

void TGLImage::mouseMoveEvent(QMouseEvent* event) {
    Q_EMIT pointerMoved(event->position().toPoint());
}

void TGLImage::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked(event->position().toPoint());
}

} // namespace pelmar
