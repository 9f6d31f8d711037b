#include "ui/history/GLILable.h"

#include <QMouseEvent>

namespace pelmar {

TGLILable::TGLILable(int tag, QWidget* parent) : QLabel(parent), m_tag(tag) {
    setObjectName(QStringLiteral("GLILable%1").arg(tag));
    setCursor(Qt::PointingHandCursor);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
}

void TGLILable::enterEvent(QEnterEvent*) { Q_EMIT pointerEntered(m_tag); }

void TGLILable::leaveEvent(QEvent*) { Q_EMIT pointerLeft(m_tag); }

void TGLILable::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked(m_tag);
}

} // namespace pelmar
