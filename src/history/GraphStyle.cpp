#include "history/GraphStyle.h"

#include "measure/NumberFormat.h"
#include "measure/Vocabulary.h"

#include <algorithm>

namespace pelmar {

namespace {

QString utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

bool isOn(const std::vector<int>& measures, int measure) {
    return std::find(measures.begin(), measures.end(), measure) != measures.end();
}

using colours::FormulaLineColours;
constexpr std::array<TSeriesStyle, SeriesCount> Series{{
    {FormulaLineColours[0], TMarkType::Square},
    {FormulaLineColours[1], TMarkType::Diamond},
    {FormulaLineColours[2], TMarkType::Diamond},
    {FormulaLineColours[3], TMarkType::None},
    {FormulaLineColours[4], TMarkType::TriangleUp},
    {FormulaLineColours[5], TMarkType::BowTie},
    {FormulaLineColours[6], TMarkType::TriangleDown},
    {FormulaLineColours[7], TMarkType::Upright},
    {FormulaLineColours[8], TMarkType::Flat},
    {FormulaLineColours[9], TMarkType::None},
    {FormulaLineColours[10], TMarkType::None},
}};

constexpr std::array<TAuxMeasure, 11> Aux{{
    {22, 0x404040, 0x80FF80, true},   // WPS
    {23, 0x404040, 0x80FF80, false},  // WPC
    {24, 0x00959E, 0x77FAFF, true},   // WPP
    {25, 0xFF0000, 0xFFFE8D, false},  // SyPW
    {26, 0x000080, 0x419AFF, true},   // PSy3
    {27, 0x0000FF, 0x008000, false},  // LPW
    {28, 0xFF0000, 0xFF8080, false},  // CIV
    {29, 0xC000C0, 0xFF80FF, false},  // PPC
    {30, 0xC000C0, 0xFF80FF, false},  // CPS
    {31, 0xC000C0, 0xFF80FF, false},  // PPS
    {32, 0x0000FF, 0xFFFF00, false},  // Sy3PP
}};

constexpr std::array<TColorRef, StyleCount> StyleColors{
    0, 0xADCAFF, 0x97FFA1, 0xFFC0B9, 0x72E9FE, 0xFFC3FD, 0xFFEFC3, 0xC3C3FF};

constexpr std::array<TColorRef, 3> LevelColors{0xFEFF97, 0x72E9FE, 0xFF97FE};

} // namespace

TColorRef Darker(TColorRef c) {
    const auto down = [](int v) { return static_cast<TColorRef>(std::max(0, v - 64)); };
    return down(RedOf(c)) | (down(GreenOf(c)) << 8) | (down(BlueOf(c)) << 16);
}

const TSeriesStyle& SeriesStyle(int formula) {
    return Series[static_cast<std::size_t>(std::clamp(formula, 0, SeriesCount - 1))];
}

TMarkShape MarkShape(TMarkType type, int x, int y, int r) {
    using P = TGraphPoint;
    const auto rect = [](int l, int t, int rt, int b) {
        return TMarkShape{true, {P{l, t}, P{rt, t}, P{rt, b}, P{l, b}}};
    };
    switch (type) {
    case TMarkType::None: return {};
    case TMarkType::Square: return rect(x - r, y - r, x + r, y + r);
    case TMarkType::Diamond: return {false, {P{x - r, y}, P{x, y + r}, P{x + r, y}, P{x, y - r}}};
    case TMarkType::TriangleUp: return {false, {P{x - r, y + r}, P{x + r, y + r}, P{x, y - r}}};
    case TMarkType::BowTie:
        return {false, {P{x - r, y - r}, P{x + r, y + r}, P{x + r, y - r}, P{x - r, y + r}}};
    case TMarkType::TriangleDown: return {false, {P{x - r, y - r}, P{x + r, y - r}, P{x, y + r}}};
    case TMarkType::Upright: return rect(x - r + 1, y - r - 1, x + r - 1, y + r + 1);
    case TMarkType::Flat: return rect(x - r - 1, y - r + 1, x + r + 1, y + r - 1);
    }
    return {};
}

TBandStyle BandStyle(int grade) {
    const TColorRef colour = colours::BandColour(grade);
    switch (grade) {
    case 1: return {colour, utf8(vocab::LevelMarks[0]), utf8(vocab::SchoolLevels[0])};
    case 4: return {colour, utf8(vocab::LevelMarks[1]), QString()};
    case 7: return {colour, utf8(vocab::LevelMarks[2]), utf8(vocab::SchoolLevels[1])};
    case 10: return {colour, utf8(vocab::LevelMarks[3]), utf8(vocab::SchoolLevels[2])};
    default: return {colour, QString(), QString()};
    }
}

const std::array<TAuxMeasure, 11>& AuxMeasures() { return Aux; }

const TAuxMeasure* FindAuxMeasure(int measure) {
    for (const TAuxMeasure& aux : Aux) {
        if (aux.measure == measure)
            return &aux;
    }
    return nullptr;
}

bool HasStyleColor(int style) { return style >= 1 && style < StyleCount; }

TColorRef StyleColor(int style) {
    return HasStyleColor(style) ? StyleColors[static_cast<std::size_t>(style)] : colours::White;
}

QString StyleName(int style) {
    return HasStyleColor(style) ? utf8(vocab::GenreNames[static_cast<std::size_t>(style)])
                                : QString();
}

TColorRef SampleLevelColor(int level) {
    return LevelColors[static_cast<std::size_t>(std::clamp(level, 0, 2))];
}

QString SampleLevelLabel(int level) {
    return utf8(vocab::SampleLevelCaptions[static_cast<std::size_t>(std::clamp(level, 0, 2))]);
}

std::vector<TScaleLabel> ScaleLabels(const std::vector<int>& measures, int bandCount) {
    std::vector<TScaleLabel> labels;
    const auto add = [&](int band, bool atTop, int dx, const QString& text) {
        if (band <= bandCount)
            labels.push_back(TScaleLabel{band, atTop, dx, text});
    };
    // Measures of the tenth scale read 0, 10, 20 per band; whole ones 0, 1, 2, ...
    if (isOn(measures, 22) || isOn(measures, 24) || isOn(measures, 26)) {
        add(1, false, 6, QStringLiteral("0"));
        add(2, false, 12, QStringLiteral("10"));
        add(3, false, 12, QStringLiteral("20"));
    } else if (isOn(measures, 31) || isOn(measures, 25)) {
        for (int n = 1; n <= bandCount; ++n)
            add(n, false, 6, QString::number(n - 1));
    }
    if (isOn(measures, 28)) {
        for (int n = 1; n <= 5; ++n)
            add(n, true, 30, QString::number(n) + QStringLiteral(" sec"));
    }
    return labels;
}

QString GraphCaption() {
    return QStringLiteral("Major 8 GL Formulas in USA ＋ Dorn Grade Level for Native English "
                          "Speakers in USA and Dorn Grade Level for non-Native English Speakers "
                          "in Japan");
}

QString GraphTopText() { return QStringLiteral("内声チャンク長予測による読みやすさ指標（適応学年）"); }

QString RaiseRangeHint() { return QStringLiteral("グラフの上限を上げる"); }
QString LowerRangeHint() { return QStringLiteral("グラフの上限を下げる"); }

QString FormulaKey(int formula) {
    return utf8(vocab::ColumnKeys[static_cast<std::size_t>(std::clamp(formula, 0, 10) + 9)]);
}

QString MeasureKey(int measure) {
    if (measure < FirstAuxMeasure || measure > LastAuxMeasure)
        return QString();
    return utf8(vocab::ColumnKeys[static_cast<std::size_t>(measure)]);
}

QString MeasureLongName(int measure) {
    if (measure < FirstAuxMeasure || measure > LastAuxMeasure)
        return QString();
    return utf8(vocab::RatioNames[static_cast<std::size_t>(measure - FirstAuxMeasure)]);
}

QString PointHint(const TRecItem& item, int formula) {
    const QString name = utf8(vocab::IndexNames[static_cast<std::size_t>(std::clamp(formula, 0, 10))]);
    return FormulaKey(formula) + QStringLiteral(" / ") + name + QLatin1Char('\n') +
           QStringLiteral("GL / ") + FormatFixed(item.Tenths(formula) / 10.0L, 1) +
           QLatin1Char('\n') + item.Title;
}

} // namespace pelmar
