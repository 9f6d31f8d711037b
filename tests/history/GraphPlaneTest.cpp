#include "history/GraphPlane.h"
#include "history/GraphRangeButtons.h"
#include "history/GraphStyle.h"

#include "HistoryTestSupport.h"

#include <gtest/gtest.h>

#include <climits>

namespace pelmar {
namespace {

// A record with the given index tenths for PMJP..ARI (missing ones 0) and counts.
void addRecord(TRecItems& items, std::vector<int> tenths, std::array<int, 9> counts = {}) {
    TRecItem* item = items.Add(QStringLiteral("t"), QStringLiteral("k"));
    for (std::size_t i = 0; i < counts.size(); ++i)
        item->Values[i] = counts[i];
    for (std::size_t f = 0; f < tenths.size(); ++f)
        item->Values[9 + f] = tenths[f];
}

TGraphPlane plane13(int height = 300) {
    TGraphPlane p;
    p.Width = 670;
    p.Height = height;
    p.Range = TGradeRange{1, 13};
    return p;
}

TEST(GraphPlane, GradeRangeWidensInStepsOfThreeGrades) {
    struct Case {
        const char* name;
        int maxTenths;
        int minTenths;
        TGradeRange range;
    };
    const Case cases[] = {
        {"grades 2 to 12", 120, 20, {1, 13}},
        {"nothing loaded", -20, 10, {1, 13}},
        {"14.0 raises the top", 140, 20, {1, 16}},
        {"12.1 rounds up to 13", 121, 20, {1, 16}},
        {"0.0 adds a band below", 120, 0, {-2, 13}},
        {"0.1 keeps grade 1", 120, 1, {1, 13}},
        {"-0.1 rounds up to 0", 120, -1, {-2, 13}},
        {"-3.1 rounds up to -3", 120, -31, {-5, 13}},
        {"damaged record, top", INT_MAX, 20, {1, 10003}},
        {"damaged record, bottom", 120, INT_MIN, {-10001, 13}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GradeRangeFor(c.maxTenths, c.minTenths), c.range) << c.name;
    for (int t = -400; t <= 400; t += 7) {
        const TGradeRange r = GradeRangeFor(t, t);
        EXPECT_EQ(((r.Upper % 3) + 3) % 3, 1) << t;
        EXPECT_EQ(((r.Lower % 3) + 3) % 3, 1) << t;
    }

    TRecItems items;
    addRecord(items, {73, 140, 0});
    addRecord(items, {55, 60, 20, 30, 40, 50, 60, 70, 80, 90});
    // FRES is no grade: a reading ease of 95.0 widens nothing.
    items.Item(1)->Values[19] = 950;
    EXPECT_EQ(GradeRangeOf(items), (TGradeRange{-2, 16}));
}

TEST(GraphPlane, BandsAndValuesFromTheTopGradeDown) {
    const TGraphPlane p = plane13(301);
    const std::vector<TGraphBand> bands = p.Bands();
    ASSERT_EQ(bands.size(), 5u); // the loop reaches 13, above the plot
    const int expected[][3] = {{1, 300, 225}, {4, 225, 150}, {7, 150, 75}, {10, 75, 0},
                               {13, 0, -75}};
    for (std::size_t i = 0; i < bands.size(); ++i) {
        EXPECT_EQ(bands[i].grade, expected[i][0]);
        EXPECT_EQ(bands[i].yBottom, expected[i][1]) << bands[i].grade;
        EXPECT_EQ(bands[i].yTop, expected[i][2]) << bands[i].grade;
    }
    // A grade is drawn in the middle of its tenth's row; divisions truncate towards zero,
    // also above the plot.
    const TGraphPlane q = plane13(300);
    EXPECT_EQ(q.Y(10), 287);
    EXPECT_EQ(q.Y(73), 130);
    EXPECT_EQ(q.Y(130), -12);
    EXPECT_EQ(q.Y(140), -37);
    EXPECT_EQ(q.GradeLineY(6), 175);
    EXPECT_EQ(q.GradeLineY(12), 25);
    EXPECT_EQ(q.GradeLineY(14), -25);
    // A damaged value stays a drawable coordinate.
    EXPECT_LT(q.Y(INT_MIN), 1 << 25);
}

TEST(GraphPlane, ColumnsAndScrollBar) {
    EXPECT_EQ(StepForPosition(1), 12);
    EXPECT_EQ(StepForPosition(2), 22);
    EXPECT_EQ(StepForPosition(6), 62);
    EXPECT_EQ(VisibleColumns(670, 22, 100), 30);
    EXPECT_EQ(VisibleColumns(670, 22, 5), 5);
    EXPECT_EQ(VisibleColumns(5, 22, 5), 0);

    const TGraphScroll many = ScrollAfterLayout(100, 30);
    EXPECT_EQ(many.maximum, 99);
    EXPECT_EQ(many.page, 30);
    EXPECT_EQ(many.largeChange, 22);
    EXPECT_EQ(many.position, 70); // the newest record in the last column
    EXPECT_EQ(many.last, 70);
    const TGraphScroll few = ScrollAfterLayout(5, 5);
    EXPECT_EQ(few.position, 0);
    EXPECT_EQ(few.largeChange, 10);
    EXPECT_EQ(ScrollAfterLayout(0, 0).position, 0);
    EXPECT_EQ(ScrollAfterLayout(0, 0).last, 0);

    TGraphPlane p = plane13();
    p.Step = 62;
    p.First = 3;
    p.Visible = 4;
    EXPECT_EQ(p.ColumnX(0), 10);
    EXPECT_EQ(p.ColumnX(3), 196);
    // A click on the titles takes the first column right of the pointer - 4.
    EXPECT_EQ(p.TitleRecordAt(0), 3);
    EXPECT_EQ(p.TitleRecordAt(13), 3);
    EXPECT_EQ(p.TitleRecordAt(14), 4);
    EXPECT_EQ(p.TitleRecordAt(199), 6);
    EXPECT_EQ(p.TitleRecordAt(200), -1);
    EXPECT_EQ(p.HighlightColumnAt(40), 0);
    EXPECT_EQ(p.HighlightColumnAt(41), 1);
    EXPECT_EQ(p.SampleBoundaryX(3), 10 - 31);
    EXPECT_EQ(p.SampleBoundaryX(5), 10 + 124 - 31);
}

TEST(GraphPlane, WheelZoomKeepsTheColumnUnderThePointer) {
    struct Case {
        int position, oldVisible, newVisible, x, width, count, expected;
    };
    const Case cases[] = {
        {70, 30, 20, 330, 660, 100, 75}, // middle: five columns move out on the left
        {70, 30, 20, 0, 660, 100, 70},   // at the left edge the first column stays
        {70, 30, 20, 660, 660, 100, 80}, // at the right edge, clamped to the last position
        {0, 20, 30, 330, 660, 100, 0},   // zooming out at the start cannot go below 0
        {40, 20, 30, 330, 660, 100, 35},
        {5, 10, 12, 100, 0, 100, 5},     // no plot width: only clamped
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ZoomScrollPosition(c.position, c.oldVisible, c.newVisible, c.x, c.width,
                                     c.count),
                  c.expected)
            << c.position << " " << c.x;
    }
}

TEST(GraphPlane, SelectionScrollsItsRecordIntoView) {
    struct Case {
        const char* name;
        int position, selected, expected;
    };
    // 100 records, 20 shown.
    const Case cases[] = {
        {"shown already", 40, 45, 40},
        {"one right of the view: half a page", 40, 60, 50},
        {"one left of the view: half a page", 40, 39, 30},
        {"near the end: clamped", 75, 99, 80},
        {"near the start: clamped", 5, 4, 0},
        {"far right: centred", 0, 90, 80},
        {"far left: centred", 80, 30, 20},
        {"far left, near the start", 80, 3, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ScrollToSelection(c.position, 20, 100, c.selected), c.expected) << c.name;
    EXPECT_EQ(ScrollToSelection(7, 0, 100, 50), 7);
    EXPECT_EQ(ScrollToSelection(7, 20, 100, 100), 7);
}

TEST(GraphPlane, AuxiliaryBarsScaleByBandsAndSitSideBySide) {
    TRecItems items;
    // 2 sentences, 30 words, 45 syllables: WPS 15, SyPW 1.5.
    addRecord(items, {}, {2, 2, 4, 30, 45, 20, 5, 40, 120});
    TGraphPlane p = plane13(300); // 75 pixels per band
    EXPECT_EQ(p.PixelsPerBand(), 75);
    EXPECT_EQ(p.AuxBarWidth(), 5);
    const std::vector<TAuxBar> bars = p.AuxBars(2, *items.Item(0), {22, 25});
    ASSERT_EQ(bars.size(), 2u);
    // 15 words per sentence on the tenth scale: one and a half bands.
    EXPECT_EQ(bars[0].x, 10 + 44 - 7);
    EXPECT_EQ(bars[0].bottom, 300);
    EXPECT_EQ(bars[0].top, 300 - 112);
    // 1.5 syllables per word on the whole scale: 112.5 pixels, a tie rounded to even.
    EXPECT_EQ(bars[1].x, 10 + 44 - 7 + 5);
    EXPECT_EQ(bars[1].top, 300 - 112);
    p.Step = 12;
    EXPECT_EQ(p.AuxBarWidth(), 3);
    p.Step = 2;
    EXPECT_EQ(p.AuxBarWidth(), 1);
}

TEST(GraphPlane, LegendOrderAndPointUnderThePointer) {
    TRecItems items;
    addRecord(items, {50, 70, 70, 10, 90, 30, 30, 30, 60, 20});
    const std::array<int, GradeFormulaCount> order{4, 2, 1, 8, 0, 7, 6, 5, 9, 3};
    EXPECT_EQ(LegendOrder(*items.Item(0)), order);

    std::array<std::vector<TGraphPoint>, GradeFormulaCount> series;
    series[1] = {{10, 100}, {32, 50}};
    series[4] = {{10, 103}, {32, 60}};
    std::array<bool, GradeFormulaCount> visible{};
    visible.fill(true);
    const auto hit = PointNear(series, visible, 13, 103);
    ASSERT_TRUE(hit.has_value());
    EXPECT_EQ(hit->formula, 1); // lowest formula number first
    EXPECT_EQ(hit->column, 0);
    visible[1] = false;
    EXPECT_EQ(PointNear(series, visible, 13, 103)->formula, 4);
    EXPECT_EQ(PointNear(series, visible, 35, 57)->column, 1);
    EXPECT_FALSE(PointNear(series, visible, 36, 60).has_value());
}

TEST(GraphPlane, AxisGradesThatWouldOverlapAreLeftOut) {
    // Tall enough: every band's grade, also the one above the plot.
    EXPECT_EQ(plane13(300).AxisGradesShown(14), std::vector<bool>(5, true));
    // A short plot over a wide range: 6 pixels a band, so the grade of every third band from
    // the bottom up, and never two whose boxes share a row.
    TGraphPlane p = plane13(64);
    p.Range = {-5, 25};
    const std::vector<bool> shown = p.AxisGradesShown(14);
    const std::vector<TGraphBand> bands = p.Bands();
    ASSERT_EQ(shown.size(), bands.size());
    EXPECT_TRUE(shown.front()); // the lowest grade always
    int lastTop = 1 << 20;
    int count = 0;
    for (std::size_t i = 0; i < bands.size(); ++i) {
        if (!shown[i])
            continue;
        const int middle = (p.GradeLineY(bands[i].grade) + p.GradeLineY(bands[i].grade + 1)) / 2;
        EXPECT_LE(middle - 7 + 14, lastTop) << bands[i].grade;
        lastTop = middle - 7;
        ++count;
    }
    EXPECT_EQ(count, 4);
    EXPECT_EQ(p.AxisGradesShown(0), std::vector<bool>(bands.size(), true));
    // Ticks 6 pixels apart all stay; at 2 pixels a band every second one.
    EXPECT_EQ(p.AxisTicksShown(3), std::vector<bool>(bands.size(), true));
    p.Height = 20;
    const std::vector<bool> ticks = p.AxisTicksShown(3);
    EXPECT_EQ(std::count(ticks.begin(), ticks.end(), true), 6);
}

TEST(GraphPlane, LegendRowsCloseUpOnlyWhenThePanelIsTooShort) {
    struct Case {
        const char* name;
        int plotHeight, panelHeight, auxiliary;
        TLegendLayout layout;
    };
    // The panel is the plot, 49 pixels above it and 232 below; the legend needs 18 rows, one
    // more for each auxiliary measure shown, and 10 pixels.
    const Case cases[] = {
        {"tall: centred on the plot", 400, 681, 0, {159, 20}},
        {"tall with all six auxiliary measures", 400, 681, 6, {159, 20}},
        {"centred would run off: moved up", 300, 581, 6, {91, 20}},
        {"too short for 20 pixels a row", 64, 345, 0, {0, 18}},
        {"too short, all six: never below the text", 64, 345, 6, {0, 14}},
    };
    for (const Case& c : cases) {
        const TLegendLayout layout = LegendLayout(c.plotHeight, 49, c.panelHeight, c.auxiliary, 14);
        EXPECT_EQ(layout.top, c.layout.top) << c.name;
        EXPECT_EQ(layout.pitch, c.layout.pitch) << c.name;
    }
}

TEST(GraphRangeButtons, NarrowAndWidenWithTheMirroredSelection) {
    TGraphRangeButtons b;
    b.Layout({1, 13});
    EXPECT_EQ(b.SelStart(), 1);
    EXPECT_EQ(b.SelEnd(), 13);
    EXPECT_FALSE(b.UpperUpEnabled);
    EXPECT_FALSE(b.LowerDownEnabled);
    EXPECT_TRUE(b.UpperDownEnabled);
    EXPECT_TRUE(b.LowerUpEnabled);
    EXPECT_FALSE(b.UpperUp()); // already at the top
    EXPECT_FALSE(b.LowerDown());

    EXPECT_TRUE(b.UpperDown());
    EXPECT_EQ(b.Shown(), (TGradeRange{1, 10}));
    EXPECT_EQ(b.SelStart(), 4);
    EXPECT_TRUE(b.UpperUpEnabled);
    EXPECT_TRUE(b.UpperDown());
    EXPECT_TRUE(b.LowerUp());
    EXPECT_EQ(b.Shown(), (TGradeRange{4, 7}));
    EXPECT_TRUE(b.LowerDownEnabled);
    // One band left: neither bound can come closer.
    EXPECT_FALSE(b.UpperDownEnabled);
    EXPECT_FALSE(b.LowerUpEnabled);
    EXPECT_FALSE(b.UpperDown());
    EXPECT_FALSE(b.LowerUp());
    EXPECT_TRUE(b.LowerDown());
    EXPECT_FALSE(b.LowerDownEnabled);
    EXPECT_TRUE(b.UpperUp());
    EXPECT_TRUE(b.UpperUp());
    EXPECT_EQ(b.Shown(), (TGradeRange{1, 13}));
    EXPECT_FALSE(b.UpperUpEnabled);
    EXPECT_FALSE(b.UpperUp());
    // A new layout starts from the whole range again.
    b.UpperDown();
    b.Layout({-2, 16});
    EXPECT_EQ(b.Shown(), (TGradeRange{-2, 16}));
    EXPECT_EQ(b.Minimum(), -2);
    EXPECT_EQ(b.Maximum(), 16);
}

TEST(GraphStyle, ScaleLabelsOutlinesAndHint) {
    const auto texts = [](const std::vector<TScaleLabel>& labels) {
        QStringList out;
        for (const TScaleLabel& l : labels)
            out << QStringLiteral("%1:%2:%3:%4").arg(l.band).arg(int(l.atTop)).arg(l.dx).arg(l.text);
        return out.join(QLatin1Char(' '));
    };
    EXPECT_EQ(texts(ScaleLabels({22, 25}, 5)), "1:0:6:0 2:0:12:10 3:0:12:20");
    EXPECT_EQ(texts(ScaleLabels({25}, 3)), "1:0:6:0 2:0:6:1 3:0:6:2");
    EXPECT_EQ(texts(ScaleLabels({28}, 2)), "1:1:30:1 sec 2:1:30:2 sec");
    EXPECT_EQ(texts(ScaleLabels({}, 5)), "");

    EXPECT_EQ(Darker(0x0055EE), 0x0015AEu);
    EXPECT_EQ(Darker(0x21B8FF), 0x0078BFu);
    EXPECT_EQ(Darker(0x404040), 0x000000u);

    TRecItems items;
    addRecord(items, {73});
    items.Item(0)->Title = QStringLiteral("The Fox");
    EXPECT_EQ(PointHint(*items.Item(0), 0),
              QStringLiteral("PMJP / PMJP (GL for Japanese Readers)\nGL / 7.3\nThe Fox"));
    items.Item(0)->Values[12] = -15;
    EXPECT_EQ(PointHint(*items.Item(0), 3).section(QLatin1Char('\n'), 0, 1),
              QStringLiteral("CLI / Coleman-Liau Index\nGL / -1.5"));
}

} // namespace
} // namespace pelmar
