#include "fly/FlyScale.h"

#include "desktop/GraphColours.h"
#include "measure/Vocabulary.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace pelmar {

namespace {

QString utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

int RoundEven(double value) {
    // Far outside any window; keeps the conversion defined.
    const double clamped = std::clamp(value, -1e9, 1e9);
    return int(std::nearbyint(clamped));
}

float PixelsPerGrade(int height, std::int64_t scaleMax, std::int64_t scaleMin) {
    return float(std::int64_t(height) * 10) / float(scaleMax - scaleMin);
}

QString GradeLabel(long long grade) {
    return (QStringLiteral("  ") + QString::number(grade)).right(2);
}

TScalePlan PlanScale(const TScaleInput& in, const TFlyTextMetrics& metrics) {
    TScalePlan plan;
    const int width = in.graph.width();
    const int height = in.graph.height();
    const float u = PixelsPerGrade(height, in.scaleMax, in.scaleMin);
    plan.u = u;
    const QString nine = QStringLiteral("9");
    const int digitHeight = metrics.height(TFlyFont::Window, 0, nine);
    plan.x0 = metrics.width(TFlyFont::Window, 0, QStringLiteral("99 ")) + in.flyWidth;
    plan.x1 = width - 1;

    // School-stage bands, top down. The first is one grade high (the half-grade row at the top
    // plus one), every later one three grades, g to g + 2 from the bottom up. Bands start
    // where (g + 9) mod 3 is 1 with the remainder signed like g + 9, so none starts below -8.
    const bool threeLabels = 3 * u > 4 * float(digitHeight);
    float top = 0;
    float bottom = u;
    int lastBottom = INT_MIN;
    const long long gLast = in.scaleMin / 10 - 3;
    long long g = in.scaleMax / 10;
    while (g >= gLast && (g + 9) % 3 != 1)
        --g;
    for (; g >= gLast && g + 9 >= 0; g -= 3) {
        if (g == 13)
            plan.y13 = bottom;
        const int rowTop = RoundEven(top) - 1;
        const int rowBottom = RoundEven(bottom);
        if (rowTop >= height && g < 13)
            break; // this band and all after it lie below the graph
        // On a scale squeezed by wild values many bands share one pixel row; draw it once.
        if (rowBottom != lastBottom || g == 13) {
            lastBottom = rowBottom;
            const std::size_t before = plan.gradeLabels.size();
            auto label = [&](long long grade, float rows) {
                plan.gradeLabels.push_back(
                    {GradeLabel(grade), in.flyWidth,
                     RoundEven(double(bottom) - (double(digitHeight) + double(rows)) / 2),
                     TFlyFont::Window, 0x000000});
            };
            label(g, u);
            if (threeLabels) {
                label(g + 1, 3 * u);
                label(g + 2, 5 * u);
            }
            plan.bands.push_back({g,
                                  colours::BandColour(g),
                                  {0, rowTop, plan.x1, rowBottom},
                                  int(plan.gradeLabels.size() - before)});
        }
        top = bottom;
        bottom = top + 3 * u;
    }

    // Native-speaker stages in the right area, four grades each: High 9..12, Middle and
    // Elementary split by a line that rises from grade 4.5 at the left to 5.5 at the right.
    const int x0 = plan.x0;
    const int x1 = plan.x1;
    top = plan.y13;
    bottom = top + 4 * u;
    plan.high = {x0, RoundEven(top) - 1, x1, RoundEven(bottom)};
    top = bottom;
    bottom = top + 4 * u;
    plan.middle = {QPoint(x0, RoundEven(top) - 1), QPoint(x1 - 1, RoundEven(top) - 1),
                   QPoint(x1 - 1, RoundEven(bottom - u)), QPoint(x0, RoundEven(bottom))};
    top = bottom;
    bottom = top + 4 * u;
    plan.elementary = {QPoint(x0, RoundEven(top)), QPoint(x1 - 1, RoundEven(top - u)),
                       QPoint(x1 - 1, RoundEven(bottom) - 1), QPoint(x0, RoundEven(bottom) - 1)};

    plan.lineFrom = QPoint(x0, 0);
    plan.lineTo = QPoint(x0, in.windowHeight);

    const int headingY = RoundEven(u) - 4 - digitHeight;
    plan.headings.push_back(
        {QString::fromLatin1(NativeHeading), x0 + 8, headingY, TFlyFont::Window, HeadingColour});
    plan.headings.push_back(
        {QString::fromLatin1(JapaneseHeading), 8, headingY, TFlyFont::Window, HeadingColour});

    // Faint stage names, as large as two grades: the Japanese school stages in the left column,
    // the native-speaker stages at the right edge.
    const int points = RoundEven(2 * double(u));
    plan.stagePoints = points;
    const QString h = QStringLiteral("h");
    {
        const int hWidth = metrics.width(TFlyFont::StageJa, points, h);
        const int kanjiHeight = metrics.height(TFlyFont::StageJa, points, QStringLiteral("高"));
        float stageTop = plan.y13;
        for (int mark = 3; mark >= 0; --mark) {
            plan.stageNames.push_back({utf8(vocab::LevelMarks[std::size_t(mark)]), -(hWidth / 2),
                                       RoundEven(double(stageTop + 3 * u) - kanjiHeight),
                                       TFlyFont::StageJa, StageNameColour});
            stageTop = stageTop + 3 * u;
        }
    }
    {
        const int hWidth = metrics.width(TFlyFont::StageEn, points, h);
        const int capitalHeight = metrics.height(TFlyFont::StageEn, points, QStringLiteral("I"));
        float stageTop = plan.y13;
        for (int level = 2; level >= 0; --level) {
            const QString name = utf8(vocab::SchoolLevels[std::size_t(level)]);
            plan.stageNames.push_back(
                {name, width - metrics.width(TFlyFont::StageEn, points, name) + hWidth / 2,
                 RoundEven(double(stageTop + 3.5f * u) - capitalHeight), TFlyFont::StageEn,
                 StageNameColour});
            stageTop = stageTop + 4 * u;
        }
    }

    plan.logo = QPoint(width - in.logo.width() - 16, height - in.logo.height() - 2);
    return plan;
}

} // namespace pelmar
