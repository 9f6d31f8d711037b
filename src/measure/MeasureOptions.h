#pragma once

#include <array>

namespace pelmar {

// Positions of the result-display list.
namespace display {
inline constexpr int Total = 0, Summary = 1, Legend = 2, No = 3, Sentences = 4, Phrases = 5,
                     Words = 6, Syllables = 7, Syllable1 = 8, Syllable3 = 9, Letters = 10,
                     Consonants = 11;
inline constexpr int Count = 12;
} // namespace display

// Positions of the measurement-condition list.
namespace condition {
inline constexpr int HyphenJoins = 0, LowerStart = 1, LineBreakEnds = 2, BlankLinesPassed = 3,
                     SemicolonKeeps = 4;
inline constexpr int Count = 5;
} // namespace condition

// Positions of the after-measurement list.
namespace after {
inline constexpr int ShowGraph = 0, SaveResult = 1;
} // namespace after

enum class ViewMode { Full, Simple, Readability };

// The check marks of the five option lists that steer a measurement. Never stored: every start
// begins with these defaults.
struct TMeasureOptions {
    std::array<bool, display::Count> resultDisplay{};
    std::array<bool, 11> readability{};
    std::array<bool, 2> afterMeasurement{};
    std::array<bool, condition::Count> conditions{};
    std::array<bool, 6> syllableRules{true, true, true, true, true, true};
    bool fullView = false;

    TMeasureOptions();

    // Records the mode and sets every result-display item to `full`, then checks the syllables.
    void SetViewMode(bool full);
    void ApplyViewMode(ViewMode mode);

    [[nodiscard]] bool anyCondition() const;
    // "5": the line's sentence count is the engine's own and clause columns appear.
    [[nodiscard]] bool clauseColumns() const { return conditions[condition::SemicolonKeeps]; }
};

} // namespace pelmar
