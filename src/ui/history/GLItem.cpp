#include "ui/history/GLItem.h"

#include "ui/history/GraphPaint.h"

#include <QPainter>

namespace pelmar {

TGLItem::TGLItem(int number, TGLItems* owner)
    : Number(number), Owner(owner), Color(BgrColor(SeriesStyle(number).color)),
      MarkType(SeriesStyle(number).mark) {}

void TGLItem::DrawLine(QPainter& painter, int penWidth) const {
    if (Points.size() < 2)
        return;
    painter.setPen(QPen(Color, penWidth, PenStyle));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(ToPolygon(Points));
}

void TGLItem::DrawMarks(QPainter& painter, int size) const {
    for (const TGraphPoint& point : Points)
        DrawMark(painter, point, size);
}

void TGLItem::DrawMark(QPainter& painter, TGraphPoint at, int size) const {
    const TMarkShape shape = MarkShape(MarkType, at.x, at.y, size);
    if (shape.points.empty())
        return;
    const TColorRef line = SeriesStyle(Number).color;
    painter.setPen(QPen(BgrColor(Darker(line)), 1));
    painter.setBrush(Color);
    if (shape.rectangle)
        DrawBoxCorners(painter, shape.points[0].x, shape.points[0].y, shape.points[2].x,
                       shape.points[2].y);
    else
        painter.drawPolygon(ToPolygon(shape.points));
}

} // namespace pelmar
