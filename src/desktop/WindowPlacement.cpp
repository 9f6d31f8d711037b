#include "desktop/WindowPlacement.h"

#include <algorithm>

namespace pelmar {

QRect DesktopBounds(const QList<QRect>& screens) {
    int left = 0, top = 0, right = 0, bottom = 0; // right and bottom exclusive
    for (const QRect& screen : screens) {
        left = std::min(left, screen.left());
        top = std::min(top, screen.top());
        right = std::max(right, screen.left() + screen.width());
        bottom = std::max(bottom, screen.top() + screen.height());
    }
    return QRect(left, top, right - left, bottom - top);
}

QPoint ClampWindowPosition(QPoint saved, QSize window, const QList<QRect>& screens) {
    const QRect bounds = DesktopBounds(screens);
    const int right = bounds.left() + bounds.width();
    const int bottom = bounds.top() + bounds.height();
    return {std::max(bounds.left(), std::min(right - window.width(), saved.x())),
            std::max(bounds.top(), std::min(bottom - window.height(), saved.y()))};
}

QPoint CenteredPosition(QSize screen, QSize window) {
    return {(screen.width() - window.width()) / 2, (screen.height() - window.height()) / 2};
}

} // namespace pelmar
