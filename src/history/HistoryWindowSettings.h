#pragma once

#include "history/HistoryStore.h"

#include <QList>
#include <QRect>
#include <QSize>

#include <array>

class QSettings;

namespace pelmar {

// The measures of the six auxiliary check boxes, in their order: wps, civ, wpp, sypw, pps, psy3.
inline constexpr std::array<int, 6> AuxiliaryMeasures = {22, 28, 24, 25, 31, 26};

// What the history window keeps in pelmar.ini: its place ("GraphPos"), the sample and
// auxiliary choices ("Graph") and the formulas drawn ("GraphFormulas").
struct THistoryWindowSettings {
    QRect geometry;          // left, top, width, height
    int titleWidth = 222;
    int step = 2;            // written on close; every start begins at 2
    THistoryView view;
    std::array<bool, 6> auxiliary{};                      // by AuxiliaryMeasures
    std::array<bool, 10> formulas{true, true, true, true, true, true, true, true, true, true};
};

// Reads the settings. Absent sizes are four fifths of the primary screen and the position a
// tenth of it; the position is then kept inside the desktop the screens form.
[[nodiscard]] THistoryWindowSettings ReadHistoryWindowSettings(QSettings& settings, QSize primaryScreen,
                                                               const QList<QRect>& screens);
void WriteHistoryWindowSettings(QSettings& settings, const THistoryWindowSettings& values);

} // namespace pelmar
