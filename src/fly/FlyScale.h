#pragma once

#include <QPoint>
#include <QSize>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace pelmar {

// The fonts the scale writes in: the window's own, and the large faint stage names, a Japanese
// face in the left column and a heavy Latin one in the right area.
enum class TFlyFont { Window, StageJa, StageEn };

// Text measurement in the fonts the window draws with; `points` is the size of the stage
// fonts and ignored for the window's font.
class TFlyTextMetrics {
public:
    virtual ~TFlyTextMetrics() = default;
    [[nodiscard]] virtual int width(TFlyFont font, int points, const QString& text) const = 0;
    [[nodiscard]] virtual int height(TFlyFont font, int points, const QString& text) const = 0;
};

// A rectangle as the window system fills it: right and bottom edges excluded.
struct TEdges {
    int left = 0, top = 0, right = 0, bottom = 0;
    friend bool operator==(const TEdges&, const TEdges&) = default;
};

struct TScaleBand {
    long long grade = 0; // the band's lowest grade; the first band is one grade high
    std::uint32_t colour = 0;
    TEdges edges;
    int labels = 0; // how many of the grade labels, in order, are written after this band
};

// Text drawn transparently with its top-left corner at (x, y).
struct TScaleText {
    QString text;
    int x = 0, y = 0;
    TFlyFont font = TFlyFont::Window;
    std::uint32_t colour = 0;
};

struct TScaleInput {
    QSize graph;          // W and H
    int windowHeight = 0; // the scale line runs this far down
    int flyWidth = 0;
    std::int64_t scaleMax = 135, scaleMin = 5; // tenths
    QSize logo;
};

// Everything the grade scale paints, in graph coordinates, in painting order: the silver fill,
// the school-stage bands across the whole width with their grade numbers, the native-speaker
// stages in the right area, the dividing line, the headings, the faint stage names, the logo.
struct TScalePlan {
    float u = 0; // pixels per grade
    int x0 = 0;  // where the right area starts
    int x1 = 0;
    float y13 = 0; // the height of grade 12.5, where the stages begin
    std::vector<TScaleBand> bands;
    std::vector<TScaleText> gradeLabels;
    TEdges high;                        // grades 9..12
    std::array<QPoint, 4> middle{};     // grades 5..8, its lower edge rising to the right
    std::array<QPoint, 4> elementary{}; // grades 1..4
    QPoint lineFrom, lineTo;
    std::vector<TScaleText> headings;
    int stagePoints = 0; // the stage names' size
    std::vector<TScaleText> stageNames;
    QPoint logo;
};

inline constexpr std::uint32_t HighColour = 0xEDDC8F;
inline constexpr std::uint32_t MiddleColour = 0x92DE94;
inline constexpr std::uint32_t ElementaryColour = 0x8FEAED;
inline constexpr std::uint32_t HeadingColour = 0x888888;
inline constexpr std::uint32_t StageNameColour = 0xCCCCCC;

inline constexpr char NativeHeading[] = "Reading Grade Level for English Native Speakers";
inline constexpr char JapaneseHeading[] = "for Japanese";

// Pixels per grade of a graph `height` pixels high showing the scale's span.
[[nodiscard]] float PixelsPerGrade(int height, std::int64_t scaleMax, std::int64_t scaleMin);

// The number written beside a band: two characters, right-aligned.
[[nodiscard]] QString GradeLabel(long long grade);

[[nodiscard]] TScalePlan PlanScale(const TScaleInput& in, const TFlyTextMetrics& metrics);

// Round half to even, as the scale rounds its pixel rows.
[[nodiscard]] int RoundEven(double value);

} // namespace pelmar
