#include "history/HistoryWindowSettings.h"

#include "desktop/WindowPlacement.h"
#include "measure/Vocabulary.h"

#include <QSettings>

#include <algorithm>

namespace pelmar {

namespace {

QString key(const char* section, std::string_view name) {
    return QString::fromLatin1(section) + QLatin1Char('/') +
           QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

QString auxiliaryKey(int measure) {
    return key("Graph", vocab::ColumnKeys[static_cast<std::size_t>(measure)]);
}

QString formulaKey(int formula) {
    return key("GraphFormulas", vocab::ColumnKeys[static_cast<std::size_t>(formula + 9)]);
}

int readInt(QSettings& settings, const QString& name, int fallback) {
    bool ok = false;
    const int value = settings.value(name, fallback).toInt(&ok);
    return ok ? value : fallback;
}

} // namespace

THistoryWindowSettings ReadHistoryWindowSettings(QSettings& settings, QSize primaryScreen,
                                                 const QList<QRect>& screens) {
    THistoryWindowSettings s;
    const int width = std::max(1, readInt(settings, QStringLiteral("GraphPos/width"), primaryScreen.width() * 4 / 5));
    const int height = std::max(1, readInt(settings, QStringLiteral("GraphPos/height"), primaryScreen.height() * 4 / 5));
    const QPoint saved(readInt(settings, QStringLiteral("GraphPos/left"), primaryScreen.width() / 10),
                       readInt(settings, QStringLiteral("GraphPos/top"), primaryScreen.height() / 10));
    s.geometry = QRect(ClampWindowPosition(saved, QSize(width, height), screens), QSize(width, height));
    s.titleWidth = std::max(30, readInt(settings, QStringLiteral("GraphPos/titlewidth"), 222));
    const int sample = readInt(settings, QStringLiteral("Graph/Sample"), 1);
    s.view.samples = sample == 0 ? SampleDisplay::All : sample == 2 ? SampleDisplay::None : SampleDisplay::Part;
    for (int level = 0; level < 3; ++level)
        s.view.levels[static_cast<std::size_t>(level)] =
            readInt(settings, QStringLiteral("Graph/L%1").arg(level), 1) != 0;
    for (std::size_t i = 0; i < AuxiliaryMeasures.size(); ++i)
        s.auxiliary[i] = readInt(settings, auxiliaryKey(AuxiliaryMeasures[i]), 0) != 0;
    for (int f = 0; f < 10; ++f)
        s.formulas[static_cast<std::size_t>(f)] = readInt(settings, formulaKey(f), 1) != 0;
    return s;
}

void WriteHistoryWindowSettings(QSettings& settings, const THistoryWindowSettings& s) {
    settings.setValue(QStringLiteral("GraphPos/left"), s.geometry.x());
    settings.setValue(QStringLiteral("GraphPos/top"), s.geometry.y());
    settings.setValue(QStringLiteral("GraphPos/width"), s.geometry.width());
    settings.setValue(QStringLiteral("GraphPos/height"), s.geometry.height());
    settings.setValue(QStringLiteral("GraphPos/titlewidth"), s.titleWidth);
    settings.setValue(QStringLiteral("GraphPos/HStep"), s.step);
    settings.setValue(QStringLiteral("Graph/Sample"), static_cast<int>(s.view.samples));
    for (int level = 0; level < 3; ++level)
        settings.setValue(QStringLiteral("Graph/L%1").arg(level), s.view.levels[static_cast<std::size_t>(level)] ? 1 : 0);
    for (std::size_t i = 0; i < AuxiliaryMeasures.size(); ++i)
        settings.setValue(auxiliaryKey(AuxiliaryMeasures[i]), s.auxiliary[i] ? 1 : 0);
    for (int f = 0; f < 10; ++f)
        settings.setValue(formulaKey(f), s.formulas[static_cast<std::size_t>(f)] ? 1 : 0);
}

} // namespace pelmar
