#pragma once

#include "history/GraphPlane.h"
#include "history/GraphStyle.h"

#include <QColor>

#include <vector>

class QPainter;

namespace pelmar {

class TGLItems;

// One formula's line over the shown columns, with its marks.
class TGLItem {
public:
    TGLItem(int number, TGLItems* owner);

    int Number;       // formula number 0..10
    TGLItems* Owner;
    QColor Color;
    Qt::PenStyle PenStyle = Qt::SolidLine;
    int PenWidth = 1;
    TMarkType MarkType;
    int MarkSize = 3;
    bool Visible = true;
    std::vector<TGraphPoint> Points; // the shown columns, left to right

    // The polyline through the points; a wider pen highlights it.
    void DrawLine(QPainter& painter, int penWidth) const;
    void DrawMarks(QPainter& painter, int size) const;
    // One mark: filled with the line colour, outlined in it 64 darker.
    void DrawMark(QPainter& painter, TGraphPoint at, int size) const;
};

} // namespace pelmar
