#pragma once

#include "history/GraphPlane.h"

namespace pelmar {

// The two pairs of range buttons and the vertical track bar beside them. The track bar spans
// the laid-out range with its selection mirrored (the top of the bar is the lower grade), so
// the selection start stands for the upper bound shown and the selection end for the lower.
class TGraphRangeButtons {
public:
    // After a layout: the whole range is shown; neither bound can widen further.
    void Layout(TGradeRange range);

    [[nodiscard]] TGradeRange Shown() const { return TGradeRange{m_lower, m_upper}; }
    [[nodiscard]] int Minimum() const { return m_minimum; }
    [[nodiscard]] int Maximum() const { return m_maximum; }
    [[nodiscard]] int SelStart() const { return m_maximum + m_minimum - m_upper; }
    [[nodiscard]] int SelEnd() const { return m_maximum + m_minimum - m_lower; }

    // Each returns true when it changed a bound (the graph then redraws).
    bool UpperDown();
    bool UpperUp();
    bool LowerUp();
    bool LowerDown();

    bool UpperUpEnabled = false;
    bool UpperDownEnabled = false;
    bool LowerUpEnabled = false;
    bool LowerDownEnabled = false;

private:
    void enableNarrowing();
    void afterUpperPair();
    void afterLowerPair();

    int m_minimum = -2;
    int m_maximum = 19;
    int m_lower = -2;
    int m_upper = 19;
};

} // namespace pelmar
