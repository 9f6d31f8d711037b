#pragma once

#include "history/RecItems.h"

#include <QString>

#include <array>
#include <cstdint>

namespace pelmar::test {

// A record whose ten grade-level formulas spread around `grade` (tenths), with counts that give
// plausible ratios: `words` words in `sentences` sentences.
inline TRecItem* addGraphRecord(TRecItems& items, const QString& title, int grade,
                                std::uint8_t style = 0, int sentences = 10, int words = 150) {
    TRecItem* item = items.Add(title, QStringLiteral("2024/01/01 10:00:%1").arg(items.Count()));
    static constexpr std::array<int, 10> spread{0, -8, 4, 10, 18, -14, 22, 14, -4, 6};
    item->Values = {sentences, sentences + 4, sentences * 3, words, words * 3 / 2,
                    words * 3 / 5, words / 10, words * 2, words * 4};
    for (std::size_t f = 0; f < spread.size(); ++f)
        item->Values[9 + f] = grade + spread[f];
    item->Values[19] = 650;
    item->Style = style;
    return item;
}

// The same value for every grade-level formula.
inline void setAllGrades(TRecItem& item, int tenths) {
    for (int f = 0; f < 10; ++f)
        item.Values[static_cast<std::size_t>(9 + f)] = tenths;
}

} // namespace pelmar::test
