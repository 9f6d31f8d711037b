#include "history/GraphRangeButtons.h"

#include <algorithm>

namespace pelmar {

namespace {
constexpr int Band = GraphSize::BandGrades;
} // namespace

void TGraphRangeButtons::Layout(TGradeRange range) {
    m_minimum = range.Lower;
    m_maximum = range.Upper;
    m_lower = range.Lower;
    m_upper = range.Upper;
    UpperUpEnabled = false;
    LowerDownEnabled = false;
    enableNarrowing();
}

bool TGraphRangeButtons::UpperDown() {
    if (!(SelStart() + Band < SelEnd()))
        return false;
    m_upper = std::max(m_minimum, m_upper - Band);
    afterUpperPair();
    return true;
}

bool TGraphRangeButtons::UpperUp() {
    if (!(SelStart() - Band >= m_minimum))
        return false;
    m_upper = std::min(m_maximum, m_upper + Band);
    afterUpperPair();
    return true;
}

bool TGraphRangeButtons::LowerUp() {
    if (!(SelEnd() - Band > SelStart()))
        return false;
    m_lower = std::max(m_minimum, m_lower + Band);
    afterLowerPair();
    return true;
}

bool TGraphRangeButtons::LowerDown() {
    if (!(SelEnd() + Band <= m_maximum))
        return false;
    m_lower = std::max(m_minimum, m_lower - Band);
    afterLowerPair();
    return true;
}

void TGraphRangeButtons::enableNarrowing() {
    const bool room = SelStart() + Band < SelEnd();
    UpperDownEnabled = room;
    LowerUpEnabled = room;
}

void TGraphRangeButtons::afterUpperPair() {
    UpperUpEnabled = m_upper != m_maximum;
    enableNarrowing();
}

void TGraphRangeButtons::afterLowerPair() {
    LowerDownEnabled = m_lower != m_minimum;
    enableNarrowing();
}

} // namespace pelmar
