#include "ui/fly/FlyCanvas.h"

#include "desktop/GraphColours.h"
#include "ui/common/BgrColor.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>

namespace pelmar {

namespace {

// The window system's rectangles leave out their right and bottom edges; a pen one pixel wide
// outlines the pixels inside.
void gdiRectangle(QPainter& p, const TEdges& e) {
    p.drawRect(QRect(e.left, e.top, e.right - e.left - 1, e.bottom - e.top - 1));
}

// Text on the scale is drawn without smoothing: smoothed edges mix the text's colour with the
// band's, and a whitened copy would keep those mixed pixels as a coloured fringe.
void text(QPainter& p, QFont font, std::uint32_t colour, int x, int y, const QString& s) {
    font.setStyleStrategy(QFont::NoAntialias);
    p.setFont(font);
    p.setPen(BgrColor(colour));
    p.drawText(QPoint(x, y + QFontMetrics(font).ascent()), s);
}

// Points as the classic desktop sizes them: 96 pixels to the inch, whatever the screen says.
int pointsToPixels(int points) {
    return std::max(1, (points * 96 + 36) / 72);
}

} // namespace

QFont TFlyFonts::font(TFlyFont which, int points) const {
    if (which == TFlyFont::Window)
        return window;
    QFont f = which == TFlyFont::StageJa ? stageJa : stageEn;
    f.setPixelSize(pointsToPixels(points));
    return f;
}

TFlyFonts MakeFlyFonts(const QFont& windowFont) {
    TFlyFonts fonts;
    fonts.window = windowFont;
    fonts.stageJa.setFamilies({QStringLiteral("MS Gothic"), QStringLiteral("IPAGothic"),
                               QStringLiteral("Noto Sans Mono CJK JP"),
                               QStringLiteral("DejaVu Sans")});
    fonts.stageEn.setFamilies({QStringLiteral("Arial Black"), QStringLiteral("DejaVu Sans"),
                               QStringLiteral("Nimbus Sans")});
    fonts.stageEn.setWeight(QFont::Black);
    return fonts;
}

int TQtFlyMetrics::width(TFlyFont font, int points, const QString& text) const {
    return QFontMetrics(m_fonts.font(font, points)).horizontalAdvance(text);
}

int TQtFlyMetrics::height(TFlyFont font, int points, const QString&) const {
    return QFontMetrics(m_fonts.font(font, points)).height();
}

void PaintScale(QImage& graph, const TScalePlan& plan, const TFlyFonts& fonts, const QImage& logo) {
    QPainter p(&graph);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(graph.rect(), BgrColor(colours::Silver));
    const QPen grey(BgrColor(colours::Grey), 1);
    p.setPen(grey);

    // Each band, then its numbers; the next band may cover what overhangs.
    std::size_t next = 0;
    for (const TScaleBand& band : plan.bands) {
        p.setPen(grey);
        p.setBrush(BgrColor(band.colour));
        gdiRectangle(p, band.edges);
        for (int i = 0; i < band.labels && next < plan.gradeLabels.size(); ++i, ++next) {
            const TScaleText& label = plan.gradeLabels[next];
            text(p, fonts.window, label.colour, label.x, label.y, label.text);
        }
    }

    p.setPen(grey);
    p.setBrush(BgrColor(HighColour));
    gdiRectangle(p, plan.high);
    p.setBrush(BgrColor(MiddleColour));
    p.drawPolygon(plan.middle.data(), int(plan.middle.size()));
    p.setBrush(BgrColor(ElementaryColour));
    p.drawPolygon(plan.elementary.data(), int(plan.elementary.size()));
    p.drawLine(plan.lineFrom, plan.lineTo);

    for (const TScaleText& heading : plan.headings)
        text(p, fonts.window, heading.colour, heading.x, heading.y, heading.text);
    for (const TScaleText& name : plan.stageNames)
        text(p, fonts.font(name.font, plan.stagePoints), name.colour, name.x, name.y, name.text);
    p.drawImage(plan.logo, logo);
}

void PaintTendency(QImage& overlay, const std::array<TGauge, 4>& gauges, const QFont& font) {
    QPainter p(&overlay);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(overlay.rect(), BgrColor(colours::Silver));
    auto box = [](const TEdges& e) {
        return QRect(e.left, e.top, e.right - e.left - 1, e.bottom - e.top - 1);
    };
    p.setPen(BgrColor(colours::Grey));
    p.setBrush(Qt::white);
    for (const TGauge& g : gauges)
        p.drawEllipse(box(g.box));
    p.setPen(Qt::black);
    for (const TGauge& g : gauges) {
        if (!g.wedge)
            continue;
        p.setBrush(BgrColor(g.colour));
        if (g.spanAngle16 >= 360 * 16)
            p.drawEllipse(box(g.box));
        else
            p.drawPie(box(g.box), g.startAngle16, g.spanAngle16);
    }
    // Crisp digits as well: a smoothed edge would leave a silver fringe once silver turns
    // transparent.
    for (const TGauge& g : gauges)
        text(p, font, 0x000000, g.textAt.x(), g.textAt.y(), g.text);
}

void PaintLandingDot(QImage& graph, const TLandingDot& dot) {
    QPainter p(&graph);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(BgrColor(colours::Grey));
    p.setBrush(BgrColor(dot.colour));
    p.drawEllipse(QRect(dot.x - 4, dot.y - 4, 7, 7));
}

} // namespace pelmar
