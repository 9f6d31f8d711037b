#include "fly/FlyValues.h"

namespace pelmar {

TFlyValues FlyValuesOf(const TTextCounts& totals, const TWholeTextValues& whole) {
    TFlyValues values;
    for (std::size_t i = 0; i < values.tenths.size(); ++i)
        values.tenths[i] = whole.tenths[i];
    values.words = totals.Words;
    values.CIV = whole.ratios.CIV;
    values.PPS = whole.ratios.PPS;
    values.WPS = whole.ratios.WPS;
    values.PSy3 = whole.ratios.PSy3;
    values.styles = whole.styles;
    return values;
}

} // namespace pelmar
