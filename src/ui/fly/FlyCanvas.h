#pragma once

#include "fly/FlyScale.h"
#include "fly/FlyTendency.h"
#include "fly/GLFlies.h"

#include <QFont>
#include <QImage>

#include <array>

namespace pelmar {

// The fonts the fly graph draws with.
struct TFlyFonts {
    QFont window;
    // The stage names' faces; their size is set per drawing.
    QFont stageJa;
    QFont stageEn;
    [[nodiscard]] QFont font(TFlyFont which, int points) const;
};
[[nodiscard]] TFlyFonts MakeFlyFonts(const QFont& windowFont);

// Measures text in those fonts for the core's layout.
class TQtFlyMetrics : public TFlyTextMetrics {
public:
    explicit TQtFlyMetrics(const TFlyFonts& fonts) : m_fonts(fonts) {}
    [[nodiscard]] int width(TFlyFont font, int points, const QString& text) const override;
    [[nodiscard]] int height(TFlyFont font, int points, const QString& text) const override;

private:
    const TFlyFonts& m_fonts;
};

// Paints the grade scale on the graph's bitmap: fills, bands and stages in exact colours (no
// smoothing, so a whitened copy finds them), then the texts and the logo.
void PaintScale(QImage& graph, const TScalePlan& plan, const TFlyFonts& fonts, const QImage& logo);

// Paints the four gauges on the header's overlay, silver where nothing is.
void PaintTendency(QImage& overlay, const std::array<TGauge, 4>& gauges, const QFont& font);

// The dot a landing leaves on the graph.
void PaintLandingDot(QImage& graph, const TLandingDot& dot);

} // namespace pelmar
