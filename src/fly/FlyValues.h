#pragma once

#include "engine/TextCounts.h"
#include "measure/Formulas.h"

#include <array>
#include <cstdint>

namespace pelmar {

// The fly graph shows the ten grade formulas PMJP .. ARI; entry n is formula number n and
// column position n + 9.
inline constexpr int FlyCount = 10;

// What one text hands the fly graph: its grade levels in tenths, its length, the ratios that say
// which formulas suit its style, and its style scores.
struct TFlyValues {
    std::array<std::int32_t, FlyCount> tenths{};
    std::int32_t words = 0;
    float CIV = 0, PPS = 0, WPS = 0, PSy3 = 0;
    TStyleScores styles;
};

// The values of a measured text, from its totals and whole-text results.
[[nodiscard]] TFlyValues FlyValuesOf(const TTextCounts& totals, const TWholeTextValues& whole);

} // namespace pelmar
