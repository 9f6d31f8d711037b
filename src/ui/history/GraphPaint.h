#pragma once

#include "history/GraphStyle.h"
#include "ui/common/BgrColor.h"

#include <QColor>
#include <QPainter>
#include <QPolygon>

#include <vector>

namespace pelmar {

[[nodiscard]] inline QPolygon ToPolygon(const std::vector<TGraphPoint>& points) {
    QPolygon polygon;
    polygon.reserve(static_cast<qsizetype>(points.size()));
    for (const TGraphPoint& p : points)
        polygon.append(QPoint(p.x, p.y));
    return polygon;
}

// A rectangle from corner to corner, outlined with the pen and filled with the brush, covering
// the pixels from the smaller coordinate up to one before the larger, as the program's
// pictures always have; an empty one draws nothing.
inline void DrawBoxCorners(QPainter& painter, int x1, int y1, int x2, int y2) {
    const int left = std::min(x1, x2);
    const int right = std::max(x1, x2);
    const int top = std::min(y1, y2);
    const int bottom = std::max(y1, y2);
    if (right - left < 1 || bottom - top < 1)
        return;
    painter.drawRect(left, top, right - left - 1, bottom - top - 1);
}

} // namespace pelmar
