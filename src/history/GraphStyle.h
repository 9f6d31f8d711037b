#pragma once

#include "desktop/GraphColours.h"
#include "history/GraphPlane.h"
#include "history/RecItem.h"

#include <QString>

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace pelmar {

// Colours are written 0xBBGGRR, blue in the high byte, as the program's stored colour values
// have always been; the windows turn them into screen colours.
using TColorRef = std::uint32_t;
[[nodiscard]] constexpr int RedOf(TColorRef c) { return static_cast<int>(c & 0xFF); }
[[nodiscard]] constexpr int GreenOf(TColorRef c) { return static_cast<int>((c >> 8) & 0xFF); }
[[nodiscard]] constexpr int BlueOf(TColorRef c) { return static_cast<int>((c >> 16) & 0xFF); }
// 64 less in each of red, green and blue, not below 0: the outline of a mark.
[[nodiscard]] TColorRef Darker(TColorRef c);

// Besides the colours all graphs share: band outlines, scale labels and the caption are
// colours::Grey, a band of no school level colours::Silver.
namespace GraphColor {
inline constexpr TColorRef BandLabel = 0xCCCCCC;  // the large letters on the bands
inline constexpr TColorRef Selected = 0x0000FF;   // red selection triangle
} // namespace GraphColor

enum class TMarkType { None, Square, Diamond, TriangleUp, BowTie, TriangleDown, Upright, Flat };

// One series of the graph: formula number 0..10 (column position number + 9).
struct TSeriesStyle {
    TColorRef color;
    TMarkType mark;
};
inline constexpr int SeriesCount = 11;
[[nodiscard]] const TSeriesStyle& SeriesStyle(int formula);

// The outline of a mark around (x, y) with size r: four corners of a rectangle (drawn as a
// rectangle from the first to the third point) or the polygon's vertices.
struct TMarkShape {
    bool rectangle = false;
    std::vector<TGraphPoint> points;
};
[[nodiscard]] TMarkShape MarkShape(TMarkType type, int x, int y, int r);

// A grade band's colour and its large labels (empty when it has none).
struct TBandStyle {
    TColorRef color;
    QString left;
    QString right;
};
[[nodiscard]] TBandStyle BandStyle(int grade);

// The auxiliary measures drawn as bars, in drawing order.
struct TAuxMeasure {
    int measure;        // measure number 22..32
    TColorRef pen;
    TColorRef brush;
    bool tenthScale;    // a value of 10 stands one band high, else a value of 1
};
[[nodiscard]] const std::array<TAuxMeasure, 11>& AuxMeasures();
[[nodiscard]] const TAuxMeasure* FindAuxMeasure(int measure);
inline constexpr int FirstAuxMeasure = 22;
inline constexpr int LastAuxMeasure = 32;

// Sample text styles 1..7 and their title backgrounds; style 0 has none.
inline constexpr int StyleCount = 8;
[[nodiscard]] bool HasStyleColor(int style);
[[nodiscard]] TColorRef StyleColor(int style);
[[nodiscard]] QString StyleName(int style);

// Sample levels 0..2: the marker colour and its label.
[[nodiscard]] TColorRef SampleLevelColor(int level);
[[nodiscard]] QString SampleLevelLabel(int level);

// The scale labels written at the right edge of the bands for the switched-on measures:
// band numbers count from 1 at the lower bound.
struct TScaleLabel {
    int band = 0;          // 1, 2, 3, ...
    bool atTop = false;    // at (W - dx, yT + 6), else at (W - dx, yB - 14)
    int dx = 0;
    QString text;
};
[[nodiscard]] std::vector<TScaleLabel> ScaleLabels(const std::vector<int>& measures,
                                                   int bandCount);

// Fixed texts of the graph.
[[nodiscard]] QString GraphCaption();
[[nodiscard]] QString GraphTopText();
inline constexpr std::string_view AxisTitle = "Reading Grade Level";
inline constexpr std::string_view AxisElementary = "ELEMENTARY";
inline constexpr std::string_view AxisSecondary = "SECONDARY";
[[nodiscard]] QString RaiseRangeHint();
[[nodiscard]] QString LowerRangeHint();

// Legend and hints.
[[nodiscard]] QString FormulaKey(int formula);
[[nodiscard]] QString MeasureKey(int measure);
[[nodiscard]] QString MeasureLongName(int measure);
// The plot's hint over a point: key and long name, "GL" and the value, the record's title.
[[nodiscard]] QString PointHint(const TRecItem& item, int formula);

} // namespace pelmar
