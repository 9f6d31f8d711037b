#include "fly/FlyScale.h"
#include "fly/FlyTendency.h"

#include "FlyTestSupport.h"
#include "desktop/GraphColours.h"

#include <gtest/gtest.h>

#include <climits>

namespace pelmar {
namespace {

using test::MakeFlies;

std::array<std::int32_t, FlyCount> spread(std::int32_t low, std::int32_t high) {
    std::array<std::int32_t, FlyCount> tenths{};
    for (int n = 0; n < FlyCount; ++n)
        tenths[std::size_t(n)] =
            std::int32_t(low + (std::int64_t(high) - low) * n / (FlyCount - 1));
    return tenths;
}

TEST(FlyScale, RangeWidensInThreeGradeSteps) {
    struct Case {
        std::int32_t low, high;
        std::int64_t scaleMin, scaleMax;
    };
    const Case cases[] = {
        {5, 135, 5, 135}, {6, 100, 5, 135},   {5, 140, 5, 165},     {5, 165, 5, 165},
        {5, 166, 5, 195}, {3, 135, -25, 135}, {-25, 135, -25, 135}, {-26, 135, -55, 135},
    };
    for (const Case& c : cases) {
        const TGLFlies flies = MakeFlies(spread(c.low, c.high));
        EXPECT_EQ(flies.ScaleMax, c.scaleMax) << c.low << ".." << c.high;
        EXPECT_EQ(flies.ScaleMin, c.scaleMin) << c.low << ".." << c.high;
    }
    // Values at the ends of the 32-bit range widen the scale without overflowing it.
    const TGLFlies wild = MakeFlies(spread(INT_MIN, INT_MAX));
    EXPECT_GE(wild.ScaleMax, std::int64_t(INT_MAX));
    EXPECT_EQ((wild.ScaleMax - 135) % 30, 0);
    EXPECT_LE(wild.ScaleMin, std::int64_t(INT_MIN));
    EXPECT_EQ((5 - wild.ScaleMin) % 30, 0);
}

TEST(FlyScale, FlySizeKeepsTheDesignAspectRatio) {
    const TGLFlies flies = MakeFlies(spread(5, 135));
    EXPECT_EQ(flies.FlyWidth, 125);
    EXPECT_EQ(flies.FlyHeight, 33);
    EXPECT_EQ(flies.entries[3].Image.rect.size(), QSize(125, 33));
    EXPECT_FALSE(flies.entries[0].AltImage.visible);
}

TScalePlan designPlan(std::int64_t scaleMax, std::int64_t scaleMin) {
    TScaleInput in;
    in.graph = QSize(692, 401);
    in.windowHeight = 466;
    in.flyWidth = 125;
    in.scaleMax = scaleMax;
    in.scaleMin = scaleMin;
    in.logo = QSize(168, 46);
    return PlanScale(in, test::TFixedMetrics());
}

TEST(FlyScale, BandsOfTheDefaultScale) {
    const TScalePlan plan = designPlan(135, 5);
    EXPECT_NEAR(plan.u, 30.846154, 1e-5);
    EXPECT_FLOAT_EQ(plan.y13, plan.u);
    EXPECT_EQ(plan.x0, 18 + 125);
    EXPECT_EQ(plan.x1, 691);
    // Grade 13 one grade high at the top, silver; then 10-12, 7-9, 4-6, 1-3; the silver band
    // for -2..0 starts on the last row, below the bitmap but for its outline.
    struct Band {
        long long grade;
        std::uint32_t colour;
        TEdges edges;
    };
    const Band expected[] = {
        {13, 0xC0C0C0, {0, -1, 691, 31}},  {10, 0xEDDC8F, {0, 30, 691, 123}},
        {7, 0x92DE94, {0, 122, 691, 216}}, {4, 0x8F8FED, {0, 215, 691, 308}},
        {1, 0x8FEAED, {0, 307, 691, 401}}, {-2, 0xC0C0C0, {0, 400, 691, 494}},
    };
    ASSERT_EQ(plan.bands.size(), std::size(expected));
    for (std::size_t i = 0; i < plan.bands.size(); ++i) {
        EXPECT_EQ(plan.bands[i].grade, expected[i].grade) << i;
        EXPECT_EQ(plan.bands[i].colour, expected[i].colour) << i;
        EXPECT_EQ(plan.bands[i].edges, expected[i].edges) << i;
        EXPECT_EQ(plan.bands[i].labels, 3) << i;
    }
}

TEST(FlyScale, GradeNumbersStagesHeadingsAndLogo) {
    const TScalePlan plan = designPlan(135, 5);
    // Three numbers a band, since three grades are taller than four digit heights.
    ASSERT_EQ(plan.gradeLabels.size(), 18u);
    const std::pair<QString, int> labels[] = {
        {QStringLiteral("13"), 9},  {QStringLiteral("10"), 102}, {QStringLiteral("11"), 71},
        {QStringLiteral("12"), 40}, {QStringLiteral(" 1"), 380}, {QStringLiteral("-2"), 472}};
    const std::size_t at[] = {0, 3, 4, 5, 12, 15};
    for (std::size_t i = 0; i < std::size(labels); ++i) {
        EXPECT_EQ(plan.gradeLabels[at[i]].text, labels[i].first) << i;
        EXPECT_EQ(plan.gradeLabels[at[i]].y, labels[i].second) << i;
        EXPECT_EQ(plan.gradeLabels[at[i]].x, 125) << i;
    }

    EXPECT_EQ(plan.high, (TEdges{143, 30, 691, 154}));
    const std::array<QPoint, 4> middle = {QPoint(143, 153), QPoint(690, 153), QPoint(690, 247),
                                          QPoint(143, 278)};
    const std::array<QPoint, 4> elementary = {QPoint(143, 278), QPoint(690, 247), QPoint(690, 400),
                                              QPoint(143, 400)};
    EXPECT_EQ(plan.middle, middle);
    EXPECT_EQ(plan.elementary, elementary);
    EXPECT_EQ(plan.lineFrom, QPoint(143, 0));
    EXPECT_EQ(plan.lineTo, QPoint(143, 466));

    ASSERT_EQ(plan.headings.size(), 2u);
    EXPECT_EQ(plan.headings[0].text,
              QStringLiteral("Reading Grade Level for English Native Speakers"));
    EXPECT_EQ(QPoint(plan.headings[0].x, plan.headings[0].y), QPoint(151, 15));
    EXPECT_EQ(plan.headings[1].text, QStringLiteral("for Japanese"));
    EXPECT_EQ(QPoint(plan.headings[1].x, plan.headings[1].y), QPoint(8, 15));

    EXPECT_EQ(plan.stagePoints, 62);
    const std::tuple<QString, int, int> stages[] = {
        {QStringLiteral("高"), -15, 41},         {QStringLiteral("中"), -15, 134},
        {QStringLiteral("小"), -15, 226},        {QStringLiteral("小"), -15, 319},
        {QStringLiteral("High"), 583, 57},       {QStringLiteral("Middle"), 521, 180},
        {QStringLiteral("Elementary"), 397, 304}};
    ASSERT_EQ(plan.stageNames.size(), std::size(stages));
    for (std::size_t i = 0; i < std::size(stages); ++i) {
        const auto& [text, x, y] = stages[i];
        EXPECT_EQ(plan.stageNames[i].text, text) << i;
        EXPECT_EQ(QPoint(plan.stageNames[i].x, plan.stageNames[i].y), QPoint(x, y)) << i;
        EXPECT_EQ(plan.stageNames[i].colour, 0xCCCCCCu) << i;
    }
    EXPECT_EQ(plan.logo, QPoint(508, 353));
}

TEST(FlyScale, HighValueAddsBandsAboveAndMovesTheStagesDown) {
    const TScalePlan plan = designPlan(165, 5);
    EXPECT_NEAR(plan.u, 4010.0 / 160, 1e-4);
    ASSERT_GE(plan.bands.size(), 2u);
    EXPECT_EQ(plan.bands[0].grade, 16);
    EXPECT_EQ(plan.bands[0].colour, colours::Silver);
    EXPECT_EQ(plan.bands[1].grade, 13);
    EXPECT_FLOAT_EQ(plan.y13, 4 * plan.u);
    // Numbers only at each band's foot once three grades are no taller than four digits.
    const TScalePlan squeezed = designPlan(435, -25);
    EXPECT_EQ(squeezed.gradeLabels.size(), squeezed.bands.size());
    for (const TScaleBand& band : squeezed.bands)
        EXPECT_EQ(band.labels, 1) << band.grade;
}

TEST(FlyScale, WildValuesDrawEachPixelRowOnce) {
    // A sentence of a million words puts FKGL near grade 400,000.
    const TScalePlan plan = designPlan(4'000'005, -4'000'015);
    EXPECT_LE(plan.bands.size(), 402u);
    bool hasBand13 = false;
    for (const TScaleBand& band : plan.bands) {
        hasBand13 = hasBand13 || band.grade == 13;
        EXPECT_GE(band.grade, -8); // no band starts lower
    }
    EXPECT_TRUE(hasBand13);
}

TEST(FlyTendency, WedgesCoverTheScoreClockwiseFromTwelve) {
    TStyleScores styles;
    styles.dia = 0;
    styles.com = 100;
    styles.tec = 25;
    styles.gen = 50;
    const auto gauges =
        PlanTendency(styles, [](const QString& text) { return 6 * int(text.size()); });

    // 0 draws no wedge but still shows its digit.
    EXPECT_FALSE(gauges[0].wedge);
    EXPECT_EQ(gauges[0].box, (TEdges{496, 24, 529, 57}));
    EXPECT_EQ(gauges[0].text, QStringLiteral("0"));
    EXPECT_EQ(gauges[0].textAt, QPoint(496 + 16 - 3, 42));

    // 100 fills the circle: the pie starts and ends at twelve o'clock.
    EXPECT_TRUE(gauges[1].wedge);
    EXPECT_EQ(gauges[1].from, QPoint(544 + 16, 24));
    EXPECT_EQ(gauges[1].to, QPoint(544 + 16, 24));
    EXPECT_EQ(gauges[1].spanAngle16, 360 * 16);
    EXPECT_EQ(gauges[1].colour, 0x16EAE8u);
    EXPECT_EQ(gauges[1].textAt, QPoint(544 + 16 - 9, 42));

    // A quarter runs from twelve to three o'clock.
    EXPECT_EQ(gauges[2].from, QPoint(592 + 33, 24 + 16));
    EXPECT_EQ(gauges[2].startAngle16, 0);
    EXPECT_EQ(gauges[2].spanAngle16, 90 * 16);
    // A half from twelve to six.
    EXPECT_EQ(gauges[3].from.y(), 24 + 33);
    EXPECT_EQ(gauges[3].startAngle16, -90 * 16);
    EXPECT_EQ(gauges[3].spanAngle16, 180 * 16);

    // A damaged record's score fills the circle once and never wraps.
    styles.dia = 250;
    EXPECT_EQ(PlanTendency(styles, [](const QString&) { return 0; })[0].spanAngle16, 360 * 16);
}

} // namespace
} // namespace pelmar
