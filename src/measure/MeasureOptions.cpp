#include "measure/MeasureOptions.h"

#include <algorithm>

namespace pelmar {

TMeasureOptions::TMeasureOptions() {
    resultDisplay[display::Words] = true;
    resultDisplay[display::Syllables] = true;
    resultDisplay[display::Consonants] = true;
    resultDisplay[display::Letters] = true;
}

void TMeasureOptions::SetViewMode(bool full) {
    fullView = full;
    resultDisplay.fill(full);
    resultDisplay[display::Syllables] = true;
}

void TMeasureOptions::ApplyViewMode(ViewMode mode) {
    switch (mode) {
    case ViewMode::Full: SetViewMode(true); break;
    case ViewMode::Simple: SetViewMode(false); break;
    case ViewMode::Readability:
        SetViewMode(false);
        resultDisplay[display::Syllables] = false;
        resultDisplay[display::Summary] = true;
        break;
    }
}

bool TMeasureOptions::anyCondition() const {
    return std::any_of(conditions.begin(), conditions.end(), [](bool b) { return b; });
}

} // namespace pelmar
