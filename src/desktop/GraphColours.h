#pragma once

#include <array>
#include <cstdint>

// Colours the graphs share, written as the stored colour values are: 0xBBGGRR.
namespace pelmar::colours {

inline constexpr std::uint32_t White = 0xFFFFFF;
inline constexpr std::uint32_t Silver = 0xC0C0C0;
inline constexpr std::uint32_t Grey = 0x808080;

// The school-stage band that starts at grade g (1, 4, 7, 10); silver for any other grade.
[[nodiscard]] constexpr std::uint32_t BandColour(long long g) {
    switch (g) {
    case 1:
        return 0x8FEAED;
    case 4:
        return 0x8F8FED;
    case 7:
        return 0x92DE94;
    case 10:
        return 0xEDDC8F;
    default:
        return Silver;
    }
}

// What a whitened picture copy turns white: the four band colours and silver.
inline constexpr std::array<std::uint32_t, 5> WhitenedColours = {0x8FEAED, 0x8F8FED, 0x92DE94,
                                                                 0xEDDC8F, Silver};

// The line colour of each grade formula, by formula number (PMJP .. FRES).
inline constexpr std::array<std::uint32_t, 11> FormulaLineColours = {
    0x0055EE, 0x0066FF, 0x800080, 0x00FFFF, 0xFF8800, 0xFF00FF,
    0x008080, 0x000080, 0x21B8FF, 0xFFFF00, 0xFF0066};

} // namespace pelmar::colours
