#pragma once

#include <QString>

namespace pelmar {

// Fixed-point text of a value with the given number of decimals, rounding half away from
// zero on the value's exact decimal expansion (how the program's formatter rounds).
[[nodiscard]] QString FormatFixed(long double value, int decimals);

} // namespace pelmar
