#include "desktop/WindowPlacement.h"

#include <algorithm>
#include <cstdint>

namespace pelmar {
namespace {

std::int64_t area(const QRect& r) {
    return r.isValid() ? std::int64_t(r.width()) * r.height() : 0;
}

// The squared distance between a rectangle's centre and another rectangle.
std::int64_t distance(const QRect& from, const QRect& to) {
    const QPoint c = from.center();
    const std::int64_t dx = std::max({std::int64_t(to.left()) - c.x(), std::int64_t(0),
                                      std::int64_t(c.x()) - to.right()});
    const std::int64_t dy = std::max({std::int64_t(to.top()) - c.y(), std::int64_t(0),
                                      std::int64_t(c.y()) - to.bottom()});
    return dx * dx + dy * dy;
}

int fitLength(std::optional<int> saved, int fallback, int minimum, int room) {
    int length = saved && *saved > 0 ? *saved : fallback;
    length = std::min(length, room);
    return std::max(length, minimum);
}

int fitStart(int start, int length, int areaStart, int areaLength) {
    return std::max(areaStart, std::min(areaStart + areaLength - length, start));
}

} // namespace

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

TPlacement PlaceWindow(const TPlacementInput& in) {
    const int frameWidth = in.frame.left() + in.frame.right();
    const int frameHeight = in.frame.top() + in.frame.bottom();
    const QRect primary = in.screens.isEmpty()
                              ? QRect(QPoint(0, 0), in.defaultSize.grownBy(in.frame))
                              : in.screens.value(in.primary, in.screens.front());

    // The screen the saved place lies on, judged with the size as it would be there.
    QRect screen = primary;
    if (in.left && in.top && !in.screens.isEmpty()) {
        const QSize wanted(in.width && *in.width > 0 ? *in.width : in.defaultSize.width(),
                           in.height && *in.height > 0 ? *in.height : in.defaultSize.height());
        const QRect saved(QPoint(*in.left, *in.top),
                          QSize(std::clamp(wanted.width(), 1, 1 << 20) + frameWidth,
                                std::clamp(wanted.height(), 1, 1 << 20) + frameHeight));
        std::int64_t best = -1;
        for (const QRect& s : in.screens) {
            const std::int64_t overlap = area(s.intersected(saved));
            if (overlap > best) {
                best = overlap;
                screen = s;
            }
        }
        if (best == 0) {
            screen = *std::min_element(in.screens.begin(), in.screens.end(),
                                       [&](const QRect& a, const QRect& b) {
                                           return distance(saved, a) < distance(saved, b);
                                       });
        }
    }

    TPlacement p;
    p.clientSize = QSize(fitLength(in.width, in.defaultSize.width(), in.minimumSize.width(),
                                   screen.width() - frameWidth),
                         fitLength(in.height, in.defaultSize.height(), in.minimumSize.height(),
                                   screen.height() - frameHeight));
    const QSize framed = p.clientSize.grownBy(in.frame);
    if (!in.left || !in.top) {
        p.framePosition = screen.topLeft() + CenteredPosition(screen.size(), framed);
        return p;
    }
    p.framePosition = QPoint(fitStart(*in.left, framed.width(), screen.left(), screen.width()),
                             fitStart(*in.top, framed.height(), screen.top(), screen.height()));
    return p;
}

} // namespace pelmar
