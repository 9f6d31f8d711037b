#include "history/GraphPlane.h"

#include "history/GraphStyle.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace pelmar {

namespace {

// Grades beyond this many tenths only come from damaged records.
constexpr std::int64_t TenthsLimit = 100000;
// Pixel coordinates stay well inside what the painter handles.
constexpr std::int64_t PixelLimit = 1 << 24;

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

std::int64_t ceilDiv(std::int64_t a, std::int64_t b) { return -floorDiv(-a, b); }

int toPixel(std::int64_t value) {
    return static_cast<int>(std::clamp(value, -PixelLimit, PixelLimit));
}

} // namespace

TGradeRange GradeRangeFor(int maxGradeTenths, int minGradeTenths) {
    const std::int64_t top = ceilDiv(std::clamp<std::int64_t>(maxGradeTenths, -TenthsLimit,
                                                              TenthsLimit), 10);
    const std::int64_t bottom = ceilDiv(std::clamp<std::int64_t>(minGradeTenths, -TenthsLimit,
                                                                 TenthsLimit), 10);
    // The smallest -2 + 3k above the top grade, and the largest 10 - 3k not above the bottom.
    const std::int64_t upper = -2 + 3 * (floorDiv(top + 2, 3) + 1);
    const std::int64_t lower = 10 - 3 * ceilDiv(10 - bottom, 3);
    return TGradeRange{static_cast<int>(std::min<std::int64_t>(lower, 1)),
                       static_cast<int>(std::max<std::int64_t>(upper, 13))};
}

TGradeRange GradeRangeOf(const TRecItems& items) {
    return GradeRangeFor(items.MaxGrade(), items.MinGrade());
}

int VisibleColumns(int plotWidth, int step, int count) {
    if (step <= 0)
        return 0;
    return std::max(0, std::min((plotWidth - GraphSize::LeftMargin) / step, count));
}

TGraphScroll ScrollAfterLayout(int count, int visible) {
    TGraphScroll scroll;
    scroll.maximum = std::max(0, count - 1);
    scroll.page = visible;
    scroll.largeChange = std::max(10, visible * 3 / 4);
    scroll.last = std::max(0, count - visible);
    scroll.position = scroll.last;
    return scroll;
}

int ClampScroll(int position, int count, int visible) {
    return std::clamp(position, 0, std::max(0, count - visible));
}

int ZoomScrollPosition(int position, int oldVisible, int newVisible, int pointerX, int plotWidth,
                       int count) {
    if (plotWidth <= 0)
        return ClampScroll(position, count, newVisible);
    const std::int64_t shift =
        static_cast<std::int64_t>(oldVisible - newVisible) * pointerX / plotWidth;
    return ClampScroll(toPixel(position + shift), count, newVisible);
}

int ScrollToSelection(int position, int visible, int count, int selected) {
    if (visible <= 0 || selected < 0 || selected >= count)
        return position;
    const int last = std::max(0, count - visible);
    int next = position;
    if (selected >= position + visible)
        next = std::min(last, position + visible / 2);
    else if (selected < position)
        next = std::max(0, position - visible / 2);
    else
        return position;
    // Half a page follows a selection moved by a key; a record further away is centred, so a
    // click in the list always brings its record into view.
    if (selected < next || selected >= next + visible)
        next = std::clamp(selected - visible / 2, 0, last);
    return next;
}

int TGraphPlane::Y(std::int64_t tenths) const {
    const std::int64_t span = Range.Upper - Range.Lower;
    if (span == 0)
        return 0;
    const std::int64_t numerator = (std::int64_t{Range.Upper} * 10 - tenths - 5) * Height;
    return toPixel(numerator / span / 10);
}

std::vector<TGraphBand> TGraphPlane::Bands() const {
    std::vector<TGraphBand> bands;
    const std::int64_t span = Range.Upper - Range.Lower;
    if (span <= 0)
        return bands;
    for (std::int64_t g = Range.Lower; g <= Range.Upper; g += GraphSize::BandGrades) {
        TGraphBand band;
        band.grade = static_cast<int>(g);
        band.yBottom = toPixel(std::int64_t{Height - 1} * (Range.Upper - g) / span);
        band.yTop = toPixel((Range.Upper - g - GraphSize::BandGrades) * std::int64_t{Height - 1} /
                            span);
        bands.push_back(band);
    }
    return bands;
}

int TGraphPlane::GradeLineY(int grade) const {
    const std::int64_t span = Range.Upper - Range.Lower;
    if (span == 0)
        return 0;
    return toPixel(floorDiv(std::int64_t{Height} * (Range.Upper - grade), span));
}

int TGraphPlane::GradeRowMiddle(int grade) const {
    return (GradeLineY(grade) + GradeLineY(grade + 1)) / 2;
}

namespace {

// From the bottom up (each y above the one before), which to keep so that kept ones are at
// least `gap` apart; the lowest always.
std::vector<bool> keepApart(const std::vector<int>& ys, int gap) {
    std::vector<bool> kept(ys.size(), false);
    for (std::size_t i = 0, last = 0; i < ys.size(); ++i) {
        if (i == 0 || ys[last] - ys[i] >= gap) {
            kept[i] = true;
            last = i;
        }
    }
    return kept;
}

} // namespace

std::vector<bool> TGraphPlane::AxisGradesShown(int textHeight) const {
    std::vector<int> middles;
    for (const TGraphBand& band : Bands())
        middles.push_back(GradeRowMiddle(band.grade));
    return keepApart(middles, textHeight);
}

std::vector<bool> TGraphPlane::AxisTicksShown(int minGap) const {
    std::vector<int> ys;
    for (const TGraphBand& band : Bands())
        ys.push_back(band.yBottom);
    return keepApart(ys, minGap);
}

int TGraphPlane::PixelsPerBand() const {
    const int span = Range.Upper - Range.Lower;
    return span == 0 ? 0 : Height * GraphSize::BandGrades / span;
}

int TGraphPlane::AuxBarWidth() const { return std::max(1, std::min(5, Step / 4)); }

std::vector<TAuxBar> TGraphPlane::AuxBars(int k, const TRecItem& item,
                                          const std::vector<int>& measures) const {
    std::vector<TAuxBar> bars;
    const int width = AuxBarWidth();
    const int pixelsPerBand = PixelsPerBand();
    int x = ColumnX(k) - width * 3 / 2;
    const TDerivedMeasures derived = item.Derived();
    for (int measure : measures) {
        const TAuxMeasure* aux = FindAuxMeasure(measure);
        if (aux == nullptr)
            continue;
        // Rounded to the nearest pixel, ties to even.
        const double scaled = static_cast<double>(derived.byNumber(measure)) * pixelsPerBand;
        const double limited = std::clamp(std::nearbyint(scaled), -double(PixelLimit),
                                          double(PixelLimit));
        std::int64_t h = static_cast<std::int64_t>(limited);
        if (aux->tenthScale)
            h /= 10;
        bars.push_back(TAuxBar{measure, x, width, toPixel(Height - h), Height});
        x += width;
    }
    return bars;
}

std::vector<TGraphPoint> TGraphPlane::SeriesPoints(const TRecItems& items, int formula) const {
    std::vector<TGraphPoint> points;
    points.reserve(static_cast<std::size_t>(std::max(0, Visible)));
    for (int k = 0; k < Visible; ++k) {
        const TRecItem* item = items.Item(First + k);
        if (item == nullptr)
            break;
        points.push_back(TGraphPoint{ColumnX(k), Y(item->Tenths(formula))});
    }
    return points;
}

int TGraphPlane::TitleRecordAt(int pointerX) const {
    for (int k = 0; k < Visible; ++k) {
        if (ColumnX(k) > pointerX - 4)
            return First + k;
    }
    return -1;
}

int TGraphPlane::HighlightColumnAt(int pointerX) const {
    for (int k = 0; k < Visible; ++k) {
        if (ColumnX(k) > pointerX - Step / 2)
            return k;
    }
    return -1;
}

int TGraphPlane::SampleBoundaryX(int position) const {
    return toPixel(std::int64_t{position - First} * Step + LeftMargin - Step / 2);
}

TLegendLayout LegendLayout(int plotHeight, int offset, int panelHeight, int auxiliaryRows,
                           int minPitch) {
    constexpr int Pitch = 20;
    constexpr int Gap = 10; // between the formulas and the auxiliary measures
    const int rows = GradeFormulaCount + std::max(0, auxiliaryRows) + 1 + StyleCount - 1;
    const int centred = std::max(0, (plotHeight - 180) / 2) + offset;
    if (centred + rows * Pitch + Gap <= panelHeight)
        return {centred, Pitch};
    if (panelHeight - rows * Pitch - Gap >= 0)
        return {panelHeight - rows * Pitch - Gap, Pitch};
    return {0, std::max(minPitch, (panelHeight - Gap) / rows)};
}

std::array<int, GradeFormulaCount> LegendOrder(const TRecItem& item) {
    std::array<int, GradeFormulaCount> order{};
    for (int f = 0; f < GradeFormulaCount; ++f)
        order[static_cast<std::size_t>(f)] = f;
    std::sort(order.begin(), order.end(), [&item](int a, int b) {
        const int va = item.Tenths(a);
        const int vb = item.Tenths(b);
        return va != vb ? va > vb : a > b;
    });
    return order;
}

std::optional<TPointHit>
PointNear(const std::array<std::vector<TGraphPoint>, GradeFormulaCount>& series,
          const std::array<bool, GradeFormulaCount>& visible, int x, int y) {
    for (int f = 0; f < GradeFormulaCount; ++f) {
        if (!visible[static_cast<std::size_t>(f)])
            continue;
        const auto& points = series[static_cast<std::size_t>(f)];
        for (std::size_t k = 0; k < points.size(); ++k) {
            if (std::abs(points[k].x - x) <= 3 && std::abs(points[k].y - y) <= 3)
                return TPointHit{f, static_cast<int>(k)};
        }
    }
    return std::nullopt;
}

} // namespace pelmar
