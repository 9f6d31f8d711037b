#pragma once

#include "history/RecItems.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace pelmar {

// Fixed sizes of the line graph's parts, in pixels.
namespace GraphSize {
inline constexpr int TopStrip = 33;  // the caption strip above the plot
inline constexpr int Titles = 232;   // the title image under the plot
inline constexpr int Axis = 60;      // the left axis image
inline constexpr int Legend = 77;    // the right legend image
inline constexpr int LeftMargin = 10; // x of the first point column
inline constexpr int BandGrades = 3;  // grades per background band
} // namespace GraphSize

// The horizontal-step track bar runs 1..6 and starts at 2 (22 pixels between columns).
inline constexpr int GraphStepMinPosition = 1;
inline constexpr int GraphStepMaxPosition = 6;
inline constexpr int GraphDefaultStepPosition = 2;
[[nodiscard]] constexpr int StepForPosition(int position) { return position * 10 + 2; }

struct TGraphPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const TGraphPoint&, const TGraphPoint&) = default;
};

// The grades the vertical axis spans. Both bounds are 1 modulo 3, so the bands start at the
// school grades 1, 4, 7 and 10.
struct TGradeRange {
    int Lower = -2;
    int Upper = 19;
    friend bool operator==(const TGradeRange&, const TGradeRange&) = default;
};

// The range that holds every stored grade (tenths): at least 1 to 13, widened in steps of three
// grades. Grades beyond ±10,000 count as ±10,000, so a damaged record cannot make the graph
// draw millions of bands.
[[nodiscard]] TGradeRange GradeRangeFor(int maxGradeTenths, int minGradeTenths);
[[nodiscard]] TGradeRange GradeRangeOf(const TRecItems& items);

// The horizontal scroll bar over the point columns.
struct TGraphScroll {
    int minimum = 0;
    int maximum = 0;     // Count - 1
    int page = 0;        // the columns shown
    int largeChange = 10;
    int position = 0;    // the first column shown
    int last = 0;        // the largest first column: the newest record in the last column
};

// Columns that fit the plot: Min((plot width - left margin) / step, count), never negative.
[[nodiscard]] int VisibleColumns(int plotWidth, int step, int count);
// The scroll bar after a layout: scrolled to the end, where the newest records are.
[[nodiscard]] TGraphScroll ScrollAfterLayout(int count, int visible);
// A scroll position kept inside 0 .. count - visible.
[[nodiscard]] int ClampScroll(int position, int count, int visible);

// Ctrl + wheel: the first column after the step changed, keeping the column under the pointer
// (x in plot coordinates) in place.
[[nodiscard]] int ZoomScrollPosition(int position, int oldVisible, int newVisible, int pointerX,
                                     int plotWidth, int count);

// Where the graph scrolls when the list selection changes to exactly the record at `selected`:
// half a page towards it, or, when that still leaves it outside, so that it stands in the
// middle. Returns the position unchanged when the record is shown already.
[[nodiscard]] int ScrollToSelection(int position, int visible, int count, int selected);

// One background band, from grade g to g + 3; yBottom lies below yTop.
struct TGraphBand {
    int grade = 0;
    int yBottom = 0;
    int yTop = 0;
};

// An auxiliary bar of one record: from (x, bottom) to (x + width, top), top above bottom.
struct TAuxBar {
    int measure = 0; // measure number 22..32
    int x = 0;
    int width = 0;
    int top = 0;
    int bottom = 0;
};

// Maps records and grades to pixels of the plot: what the drawing paints and the pointer
// handlers ask. Width and Height are the plot's; First is the scroll position.
class TGraphPlane {
public:
    int Width = 0;
    int Height = 0;
    TGradeRange Range;
    int Step = StepForPosition(GraphDefaultStepPosition);
    int LeftMargin = GraphSize::LeftMargin;
    int First = 0;
    int Visible = 0;
    int Count = 0;

    // x of shown column k (0 <= k < Visible).
    [[nodiscard]] int ColumnX(int k) const { return LeftMargin + Step * k; }
    // y of stored tenths, in the middle of the grade's row.
    [[nodiscard]] int Y(std::int64_t tenths) const;
    // The bands from the lower to the upper bound (the last one starts at Upper, above the plot).
    [[nodiscard]] std::vector<TGraphBand> Bands() const;
    // y of a whole grade's line, for the axis texts: Floor(H * (U - grade) / (U - L)).
    [[nodiscard]] int GradeLineY(int grade) const;
    // y of the middle of a grade's row, where the axis writes the band's grade.
    [[nodiscard]] int GradeRowMiddle(int grade) const;
    // By band, whether the axis writes its grade: from the bottom up, a grade whose box of
    // `textHeight` rows would overlap the one written below it is left out, so a short plot
    // over many bands shows every second or third grade instead of a black smear.
    [[nodiscard]] std::vector<bool> AxisGradesShown(int textHeight) const;
    // By band, whether the axis draws its tick: the same, for ticks at least `minGap` apart.
    [[nodiscard]] std::vector<bool> AxisTicksShown(int minGap) const;

    // Pixels per three grades and the width of one auxiliary bar.
    [[nodiscard]] int PixelsPerBand() const;
    [[nodiscard]] int AuxBarWidth() const;
    // The bars of shown column k for the measures switched on (ascending measure numbers).
    [[nodiscard]] std::vector<TAuxBar> AuxBars(int k, const TRecItem& item,
                                               const std::vector<int>& measures) const;

    // The points of one formula (0..9) over the shown columns.
    [[nodiscard]] std::vector<TGraphPoint> SeriesPoints(const TRecItems& items,
                                                        int formula) const;

    // The record under a click on the title image: the first shown column whose x is greater
    // than the pointer's x - 4; -1 when none.
    [[nodiscard]] int TitleRecordAt(int pointerX) const;
    // The shown column whose marks the title strip highlights: the first whose x is greater
    // than the pointer's x - Step / 2; -1 when none.
    [[nodiscard]] int HighlightColumnAt(int pointerX) const;

    // Sample level markers of the title image: the bar of a level runs from xs to xe.
    [[nodiscard]] int SampleBoundaryX(int position) const;
};

// Where the legend's rows go on the legend image, which runs the panel's height: the first
// row's y and the pixels from one row to the next. It is centred on the plot, 20 pixels a row;
// when that would run off the bottom it moves up, and when even that does not do, it starts at
// the top with rows as close as fits, never closer than `minPitch`. The rows: ten formulas,
// 10 pixels, one per auxiliary measure shown, one empty, seven style names.
struct TLegendLayout {
    int top = 0;
    int pitch = 20;
};
[[nodiscard]] TLegendLayout LegendLayout(int plotHeight, int offset, int panelHeight,
                                         int auxiliaryRows, int minPitch);

// The legend's rows: the ten formulas by their value in the given record, highest first, equal
// values with the higher formula number first.
[[nodiscard]] std::array<int, GradeFormulaCount> LegendOrder(const TRecItem& item);

// The hover readout: the first visible formula (lowest number first) with a point within 3
// pixels of the pointer in both directions, and the shown column of that point.
struct TPointHit {
    int formula = -1;
    int column = -1;
};
[[nodiscard]] std::optional<TPointHit>
PointNear(const std::array<std::vector<TGraphPoint>, GradeFormulaCount>& series,
          const std::array<bool, GradeFormulaCount>& visible, int x, int y);

} // namespace pelmar
