#include "fly/FlyTexts.h"

#include "measure/FormulaDescription.h"
#include "measure/NumberFormat.h"
#include "measure/Vocabulary.h"

#include <QStringList>

namespace pelmar {

namespace {

const QString LineBreak = QStringLiteral("\r\n");

QString utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

QString FlyWordsText(const QString& title, std::int32_t words) {
    if (title.isEmpty())
        return {};
    return QString::number(words) + QStringLiteral(" words");
}

QString FlyPressText(std::int32_t tenths, int column) {
    QStringList lines;
    lines << QStringLiteral("GL = ") + FormatFixed(tenths / 10.0L, 1) << QString();
    DescribeFormula(column, &lines);
    return lines.join(LineBreak) + LineBreak;
}

QString StyleCaptionText(int style) {
    if (style < 0 || style >= int(vocab::StyleNames.size()))
        return {};
    const auto k = std::size_t(style);
    return utf8(vocab::StyleNames[k]) + LineBreak + utf8(vocab::StyleNamesJa[k]) + LineBreak +
           QString(17, QLatin1Char('-')) + LineBreak + LineBreak +
           utf8(vocab::StyleDescriptions[k]);
}

QString GaugeCaption(int style) {
    if (style < 0 || style >= int(vocab::StyleNames.size()))
        return {};
    return utf8(vocab::StyleNames[std::size_t(style)]);
}

} // namespace pelmar
