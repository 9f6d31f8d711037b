// Drawing the line graph: the plot, the strips around it, the titles and the legend.
#include "ui/history/GLItems.h"

#include "history/RecItems.h"
#include "ui/common/BusyCursor.h"
#include "ui/history/GLILable.h"
#include "ui/history/GLImage.h"
#include "ui/history/GraphPaint.h"
#include "ui/history/GraphText.h"

#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>

#include <algorithm>

namespace pelmar {

namespace {

constexpr int LegendX = 10;
// The axis names of the school levels: pixels kept between them, and their least size.
constexpr int AxisTextGap = 2;
constexpr int AxisTextMinPixels = 8;
// Ticks closer than this would run together into a black bar.
constexpr int AxisTickGap = 3;

// Text on the bands is drawn without smoothing: smoothed edges would blend with the band
// colours, and a whitened copy would keep a coloured fringe round every letter.
QFont sharp(QFont font) {
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

// Text with its box's top-left corner at (x, y), as the graph places all its texts.
void textAt(QPainter& painter, int x, int y, const QString& text) {
    painter.drawText(x, y + QFontMetrics(painter.font()).ascent(), text);
}

} // namespace

void TGLItems::draw(bool light) {
    m_pendingLight = m_pendingLight && light;
    if (m_drawing) {
        Dirty = true;
        return;
    }
    m_drawing = true;
    const QPointer<TGLItems> alive(this);
    Q_EMIT busyChanged(true);
    {
        const TBusyCursor busy(Qt::WaitCursor);
        for (;;) {
            const bool layout = m_layoutPending;
            const bool lightNow = m_pendingLight && !layout;
            m_layoutPending = false;
            m_pendingLight = true;
            Dirty = false;
            if (layout)
                computeLayout();
            const bool done = drawOnce(lightNow);
            if (!alive)
                return;
            if (done && !Dirty)
                break;
            // A drawing cut short is completed by the next one.
            m_pendingLight = m_pendingLight && lightNow;
        }
    }
    m_drawing = false;
    Q_EMIT busyChanged(false);
}

bool TGLItems::pause() {
    if (!pump)
        return !Dirty;
    const QPointer<TGLItems> alive(this);
    pump();
    return alive && !Dirty;
}

bool TGLItems::drawOnce(bool light) {
    ++m_drawCount;
    clearHighlight();
    clearImages(light);
    for (auto& series : m_series)
        series->Points.clear();
    TGraphPlane p = currentPlane();
    m_plane = p;
    if (p.Count == 0)
        return true;
    // The scroll bar keeps the columns inside the records; say so should that ever fail.
    if (p.First < 0)
        showMessage(QStringLiteral("sDisp error: %1").arg(p.First));
    else if (p.First + p.Visible - 1 >= p.Count)
        showMessage(QStringLiteral("sDisp + nDisp - 1 error: %1").arg(p.First + p.Visible - 1));
    p.First = std::clamp(p.First, 0, p.Count);
    p.Visible = std::clamp(p.Visible, 0, p.Count - p.First);
    m_plane = p;

    drawBands(p);
    drawScaleLabels(p);
    drawAxis(p);
    drawCaption(p);
    if (!pause())
        return false;
    drawAuxBars(p);
    if (!drawSeries(p))
        return false;
    if (!light) {
        drawTopText();
        drawAxisTexts(p);
        if (!pause())
            return false;
        drawSampleMarkers(p);
        drawTitles(p);
        if (!pause())
            return false;
    }
    drawLegend(p);
    if (!pause())
        return false;
    drawSelectionMarks(p);
    return true;
}

void TGLItems::clearImages(bool light) {
    m_plot->Clear();
    m_legend->Clear();
    for (QLabel* label : m_formulaLabels)
        label->hide();
    for (QLabel* label : m_auxLabels)
        label->hide();
    if (!light) {
        m_top->Clear();
        m_axis->Clear();
        m_titles->Clear();
    }
}

void TGLItems::drawBands(const TGraphPlane& p) {
    QPainter g(&m_plot->Picture());
    const QColor labelColour = BgrColor(GraphColor::BandLabel);
    for (const TGraphBand& band : p.Bands()) {
        const TBandStyle style = BandStyle(band.grade);
        g.setPen(BgrColor(colours::Grey));
        g.setBrush(BgrColor(style.color));
        g.drawPolygon(QPolygon({QPoint(0, band.yBottom), QPoint(p.Width - 1, band.yBottom),
                                QPoint(p.Width - 1, band.yTop), QPoint(0, band.yTop)}));
        if (style.left.isEmpty())
            continue;
        // The school level in large pale letters, as tall as two thirds of the band in points.
        const int size = PointsToPixels(std::max(1, (band.yBottom - band.yTop) * 2 / 3));
        g.setPen(labelColour);
        g.setFont(sharp(GothicFont(size)));
        const QFontMetrics gothic(g.font());
        textAt(g, -gothic.horizontalAdvance(QLatin1Char('h')) / 2,
               band.yBottom - gothic.height(), style.left);
        if (style.right.isEmpty())
            continue;
        g.setFont(sharp(HeavyFont(size)));
        const QFontMetrics heavy(g.font());
        const int divisor = band.grade == 7 ? 2 : 1;
        textAt(g,
               p.Width + heavy.horizontalAdvance(QLatin1Char('h')) / 2 -
                   heavy.horizontalAdvance(style.right),
               band.yBottom - heavy.height() / divisor, style.right);
    }
    m_plot->update();
}

void TGLItems::drawScaleLabels(const TGraphPlane& p) {
    const std::vector<TGraphBand> bands = p.Bands();
    const std::vector<TScaleLabel> labels =
        ScaleLabels(auxiliaryOn(), static_cast<int>(bands.size()));
    if (labels.empty())
        return;
    QPainter g(&m_plot->Picture());
    g.setFont(sharp(m_smallFont));
    g.setPen(BgrColor(colours::Grey));
    for (const TScaleLabel& label : labels) {
        const TGraphBand& band = bands[static_cast<std::size_t>(label.band - 1)];
        textAt(g, p.Width - label.dx, label.atTop ? band.yTop + 6 : band.yBottom - 14,
               label.text);
    }
}

void TGLItems::drawAxis(const TGraphPlane& p) {
    QPainter a(&m_axis->Picture());
    a.setFont(m_textFont);
    a.setPen(Qt::black);
    const QFontMetrics metrics(m_textFont);
    const int right = m_axis->width();
    const int offset = m_plot->y();
    const int tick = metrics.horizontalAdvance(QStringLiteral("999"));
    const int field = metrics.horizontalAdvance(QStringLiteral("99"));
    const std::vector<TGraphBand> bands = p.Bands();
    const std::vector<bool> written = p.AxisGradesShown(metrics.height());
    const std::vector<bool> ticked = p.AxisTicksShown(AxisTickGap);
    for (std::size_t i = 0; i < bands.size(); ++i) {
        const TGraphBand& band = bands[i];
        const int y = band.yBottom + offset;
        if (ticked[i])
            a.drawLine(right - 1, y, right - tick, y);
        if (!written[i])
            continue;
        // The grade, right-aligned in two characters, in the middle of its lowest row.
        const QString grade = QStringLiteral("%1").arg(band.grade, 2);
        textAt(a, right - 20 + field - metrics.horizontalAdvance(grade),
               p.GradeRowMiddle(band.grade) + offset - metrics.height() / 2, grade);
    }
    m_axis->update();
}

void TGLItems::drawCaption(const TGraphPlane& p) {
    QPainter g(&m_plot->Picture());
    g.setFont(sharp(m_smallFont));
    g.setPen(BgrColor(colours::Grey));
    const QString caption = GraphCaption();
    textAt(g, p.Width - 8 - QFontMetrics(m_smallFont).horizontalAdvance(caption), 4, caption);
}

void TGLItems::drawAuxBars(const TGraphPlane& p) {
    const std::vector<int> measures = auxiliaryOn();
    if (measures.empty())
        return;
    QPainter g(&m_plot->Picture());
    for (int k = 0; k < p.Visible; ++k) {
        const TRecItem* item = m_items->Item(p.First + k);
        if (item == nullptr)
            break;
        for (const TAuxBar& bar : p.AuxBars(k, *item, measures)) {
            const TAuxMeasure* aux = FindAuxMeasure(bar.measure);
            g.setPen(BgrColor(aux->pen));
            g.setBrush(BgrColor(aux->brush));
            DrawBoxCorners(g, bar.x, bar.bottom, bar.x + bar.width, bar.top);
        }
    }
    m_plot->update();
}

bool TGLItems::drawSeries(const TGraphPlane& p) {
    for (int f = GradeFormulaCount - 1; f >= 0; --f) {
        TGLItem& series = *m_series[static_cast<std::size_t>(f)];
        series.Points = p.SeriesPoints(*m_items, f);
        if (series.Visible) {
            QPainter g(&m_plot->Picture());
            series.DrawLine(g, series.PenWidth);
        }
        m_plot->update();
        if (!pause())
            return false;
    }
    QPainter g(&m_plot->Picture());
    for (int f = GradeFormulaCount - 1; f >= 0; --f) {
        const TGLItem& series = *m_series[static_cast<std::size_t>(f)];
        if (series.Visible)
            series.DrawMarks(g, series.MarkSize);
    }
    m_plot->update();
    return true;
}

void TGLItems::drawTopText() {
    QPainter t(&m_top->Picture());
    t.setFont(GothicFont(PointsToPixels(16)));
    t.setPen(Qt::black);
    const QString text = GraphTopText();
    textAt(t, (m_top->width() - QFontMetrics(t.font()).horizontalAdvance(text)) / 2, 10, text);
    m_top->update();
}

void TGLItems::drawAxisTexts(const TGraphPlane& p) {
    QPainter a(&m_axis->Picture());
    a.setFont(m_textFont);
    a.setPen(Qt::black);
    const int offset = m_plot->y();
    // Read upwards, each starting at its grade and running down the grades it names.
    DrawRotatedText(a, 10, GraphSize::TopStrip + 10 + m_scroll->height(),
                    QString::fromLatin1(AxisTitle), 90);
    // "SECONDARY" runs down from grade 12 towards grade 6, where "ELEMENTARY" starts: on a short
    // plot both get smaller to stay apart, and where they would be too small to read they are
    // left out (the bands name the schools as well).
    const QString elementary = QString::fromLatin1(AxisElementary);
    const QString secondary = QString::fromLatin1(AxisSecondary);
    const int room = p.GradeLineY(6) - p.GradeLineY(12) - AxisTextGap;
    if (const std::optional<QFont> font =
            FontFitting(m_textFont, {elementary, secondary}, room, AxisTextMinPixels)) {
        a.setFont(*font);
        DrawRotatedText(a, 24, p.GradeLineY(6) + offset, elementary, 90);
        DrawRotatedText(a, 24, p.GradeLineY(12) + offset, secondary, 90);
    }
    m_axis->update();
}

void TGLItems::drawSampleMarkers(const TGraphPlane& p) {
    // Sample positions only mean their levels while the collection keeps its loaded order.
    if (!m_sampleMarkers || m_items->SampleCount() == 0 || m_items->Sorted)
        return;
    QPainter g(&m_titles->Picture());
    g.setFont(m_smallFont);
    const int bottom = m_titles->height();
    const int barTop = bottom - 24;
    for (int level = 0; level < SampleLevelCount; ++level) {
        if (m_items->SampleLevelCounts[static_cast<std::size_t>(level)] == 0)
            continue;
        const int xs = p.SampleBoundaryX(m_items->SampleStart(level));
        const int xe = p.SampleBoundaryX(m_items->SampleEnd(level));
        g.fillRect(QRect(QPoint(xs, barTop), QPoint(xe - 1, barTop + 19)),
                   BgrColor(SampleLevelColor(level)));
        g.setPen(Qt::black);
        g.drawLine(xe, bottom - 8, xe, 8);
        const QString label = SampleLevelLabel(level);
        if (level == 0) {
            textAt(g, xe - 8 - QFontMetrics(m_smallFont).horizontalAdvance(label), barTop + 4,
                   label);
        } else {
            textAt(g, xs + 18, barTop + 4, label);
            textAt(g, xe - 28, barTop + 4, label);
        }
    }
    m_titles->update();
}

void TGLItems::drawTitles(const TGraphPlane& p) {
    QPainter g(&m_titles->Picture());
    g.setFont(m_titleFont);
    g.setPen(Qt::black);
    const int half = QFontMetrics(m_titleFont).height() / 2;
    for (int k = p.Visible - 1; k >= 0; --k) {
        const TRecItem* item = m_items->Item(p.First + k);
        if (item == nullptr)
            continue;
        std::optional<QColor> background;
        if (HasStyleColor(item->Style))
            background = BgrColor(StyleColor(item->Style));
        DrawVerticalText(g, p.ColumnX(k) - half, 10, item->Title, background);
    }
    m_titles->update();
}

void TGLItems::drawLegend(const TGraphPlane& p) {
    QPainter g(&m_legend->Picture());
    const int x = LegendX;
    const std::vector<int> measures = auxiliaryOn();
    const TLegendLayout layout =
        LegendLayout(p.Height, m_scroll->height() + GraphSize::TopStrip, m_legend->height(),
                     static_cast<int>(measures.size()), QFontMetrics(m_textFont).height());
    const int top = layout.top;
    const int pitch = layout.pitch;
    std::array<int, GradeFormulaCount> order{9, 8, 7, 6, 5, 4, 3, 2, 1, 0};
    if (const TRecItem* last = m_items->Item(p.First + p.Visible - 1))
        order = LegendOrder(*last);
    // Ten rows by the values in the last column, highest first; a formula switched off leaves
    // its row empty.
    for (int row = 0; row < GradeFormulaCount; ++row) {
        const int f = order[static_cast<std::size_t>(row)];
        const TGLItem& series = *m_series[static_cast<std::size_t>(f)];
        if (!series.Visible)
            continue;
        const int y = top + pitch * row;
        g.setPen(QPen(series.Color, series.PenWidth, series.PenStyle));
        g.drawLine(x, y + 8, x + 18, y + 8);
        series.DrawMark(g, TGraphPoint{x + 9, y + 8}, series.MarkSize);
        TGLILable* label = m_formulaLabels[static_cast<std::size_t>(f)];
        label->setText(FormulaKey(f));
        label->adjustSize();
        label->move(x + 22, y);
        label->show();
    }
    int y = top + pitch * GradeFormulaCount + 10;
    std::size_t next = 0;
    for (int measure : measures) {
        const TAuxMeasure* aux = FindAuxMeasure(measure);
        g.setPen(BgrColor(aux->pen));
        g.setBrush(BgrColor(aux->brush));
        DrawBoxCorners(g, x + 8, y, x + 12, y + 14);
        QLabel* label = m_auxLabels[next++];
        label->setText(MeasureKey(measure));
        label->setToolTip(MeasureLongName(measure));
        label->adjustSize();
        label->move(x + 22, y);
        label->show();
        y += pitch;
    }
    y += pitch;
    g.setFont(m_textFont);
    g.setPen(Qt::black);
    for (int style = 1; style < StyleCount; ++style) {
        const QString name = StyleName(style);
        g.fillRect(QRect(QPoint(x, y), RotatedTextExtent(m_textFont, name, 0)),
                   BgrColor(StyleColor(style)));
        textAt(g, x, y, name);
        y += pitch;
    }
    m_legend->update();
}

void TGLItems::drawSelectionMarks(const TGraphPlane& p) {
    QPainter g(&m_titles->Picture());
    g.setPen(Qt::NoPen);
    const int w = QFontMetrics(m_titleFont).horizontalAdvance(QLatin1Char('T'));
    for (int k = 0; k < p.Visible; ++k) {
        const int x = p.ColumnX(k);
        g.setBrush(isSelected(p.First + k) ? BgrColor(GraphColor::Selected) : QColor(Qt::white));
        g.drawPolygon(QPolygon({QPoint(x - w / 2, 1), QPoint(x, 9), QPoint(x + w / 2, 1)}));
    }
    m_titles->update();
}

void TGLItems::highlightFormula(int formula) {
    if (formula < 0 || formula >= GradeFormulaCount || m_drawing)
        return;
    const TGLItem& series = *m_series[static_cast<std::size_t>(formula)];
    m_overlay->Clear();
    {
        QPainter g(&m_overlay->Picture());
        series.DrawLine(g, series.PenWidth * 2);
        series.DrawMarks(g, series.MarkSize * 2);
    }
    m_overlay->show();
    m_overlay->raise();
}

void TGLItems::highlightColumn(int pointerX) {
    const int column = m_plane.HighlightColumnAt(pointerX);
    if (m_drawing || (column == m_highlightColumn && m_overlay->isVisible()))
        return;
    m_highlightColumn = column;
    m_overlay->Clear();
    {
        QPainter g(&m_overlay->Picture());
        for (const auto& series : m_series) {
            if (series->Visible && column >= 0 &&
                column < static_cast<int>(series->Points.size()))
                series->DrawMark(g, series->Points[static_cast<std::size_t>(column)],
                                 series->MarkSize * 2);
        }
    }
    m_overlay->show();
    m_overlay->raise();
}

void TGLItems::clearHighlight() {
    m_overlay->hide();
    m_overlay->Clear();
    m_highlightColumn = -1;
}

} // namespace pelmar
