#pragma once

#include "fly/FlyScale.h"
#include "measure/Formulas.h"

#include <QPoint>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>

namespace pelmar {

// One pie gauge of the header: a white circle, a wedge clockwise from twelve o'clock covering
// the score's share, and the score written below the centre.
struct TGauge {
    int score = 0;
    TEdges box;               // the circle's bounding box
    bool wedge = false;       // no wedge for 0 (or less)
    std::uint32_t colour = 0; // the wedge's
    // The wedge as the window system's pie takes it: from the radial point `from`
    // counter-clockwise to `to` at twelve o'clock; the same point twice fills the circle.
    QPoint from, to;
    // And as angles in sixteenths of a degree, counter-clockwise from three o'clock.
    int startAngle16 = 0, spanAngle16 = 0;
    QString text;
    QPoint textAt; // top-left corner
};

inline constexpr std::array<std::uint32_t, 4> GaugeColours = {0x00FF00, 0x16EAE8, 0x8080FF,
                                                              0xFFFF00};
inline constexpr std::array<int, 4> GaugeLefts = {496, 544, 592, 640};

// The four gauges of dialogue, complex, technical and general; `textWidth` measures in the
// header's font.
[[nodiscard]] std::array<TGauge, 4>
PlanTendency(const TStyleScores& styles, const std::function<int(const QString&)>& textWidth);

} // namespace pelmar
