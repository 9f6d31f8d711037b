#include "fly/FlyTendency.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace pelmar {

std::array<TGauge, 4> PlanTendency(const TStyleScores& styles,
                                   const std::function<int(const QString&)>& textWidth) {
    const std::array<int, 4> scores = {styles.dia, styles.com, styles.tec, styles.gen};
    std::array<TGauge, 4> gauges;
    for (std::size_t k = 0; k < gauges.size(); ++k) {
        TGauge& gauge = gauges[k];
        const int x = GaugeLefts[k];
        gauge.score = scores[k];
        gauge.box = {x, 24, x + 33, 57};
        gauge.colour = GaugeColours[k];
        gauge.wedge = gauge.score > 0;
        if (gauge.wedge) {
            const double theta = gauge.score * std::numbers::pi / 50;
            gauge.from = QPoint(x + RoundEven((1 + std::sin(theta)) * 16.5),
                                24 + RoundEven((1 - std::cos(theta)) * 16.5));
            gauge.to = QPoint(x + 16, 24);
            // A stored score beyond 100 still fills the circle once, never wraps round.
            const double degrees = 3.6 * std::min(gauge.score, 100);
            gauge.spanAngle16 = RoundEven(degrees * 16);
            gauge.startAngle16 = RoundEven((90 - degrees) * 16);
        }
        gauge.text = QString::number(gauge.score);
        gauge.textAt = QPoint(x + 16 - textWidth(gauge.text) / 2, 42);
    }
    return gauges;
}

} // namespace pelmar
