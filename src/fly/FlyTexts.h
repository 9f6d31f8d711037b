#pragma once

#include <QString>

#include <cstdint>

namespace pelmar {

// The word count under the title: "%D words" while there is a title, else empty.
[[nodiscard]] QString FlyWordsText(const QString& title, std::int32_t words);

// What a press on a fly explains: its grade, then the description of its formula (column
// position 9..18), each line ended by a line break.
[[nodiscard]] QString FlyPressText(std::int32_t tenths, int column);

// What a click on a gauge caption explains, for style 0..3 (dialogue .. general).
[[nodiscard]] QString StyleCaptionText(int style);

// The gauge captions, left to right.
[[nodiscard]] QString GaugeCaption(int style);

} // namespace pelmar
