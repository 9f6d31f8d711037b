#include "fly/GLFlies.h"

#include "fly/StyleFit.h"

#include <algorithm>
#include <limits>

namespace pelmar {

void TGLFly::SetValue(std::int32_t v) {
    Value = v;
    // Below grade 0 or above grade 20 no formula means much.
    Minor = v > 200 || v < 0;
    NearMajor = false;
    Neighbours.clear();
    Settled = false;
}

TGLFlies::TGLFlies(QRect graph, int clientWidth) : Graph(graph), ClientWidth(clientWidth) {
    entries.resize(FlyCount);
    for (int n = 0; n < FlyCount; ++n) {
        TGLFly& fly = entries[std::size_t(n)];
        fly.Index = n;
        fly.Image.rect = QRect(0, 0, FlyDesignWidth, FlyDesignHeight);
    }
    entries[0].AltImage.rect = QRect(0, 0, FlyDesignWidth, FlyDesignHeight);
    for (int id = 0; id <= AltPictureId; ++id)
        zOrder.push_back(id);
}

TGLFly* TGLFlies::item(int position) {
    if (position < 0 || position >= int(entries.size()))
        return nullptr;
    return &entries[std::size_t(position)];
}

void TGLFlies::setFlyWidth(int width) {
    FlyWidth = width;
    for (TGLFly& fly : entries)
        fly.Image.rect.setWidth(width);
}

void TGLFlies::setFlyHeight(int height) {
    FlyHeight = height;
    for (TGLFly& fly : entries)
        fly.Image.rect.setHeight(height);
}

std::int32_t TGLFlies::MaxValue() const {
    std::int32_t result = -9999;
    for (const TGLFly& fly : entries)
        result = std::max(result, fly.Value);
    return result;
}

std::int32_t TGLFlies::MinValue() const {
    std::int32_t result = 9999;
    for (const TGLFly& fly : entries)
        result = std::min(result, fly.Value);
    return result;
}

void TGLFlies::Prepare(const TFlyValues& values) {
    for (int n = 0; n < FlyCount; ++n)
        entries[std::size_t(n)].SetValue(values.tenths[std::size_t(n)]);
    MarkMinorFrom(FirstMinorEntry(StyleFit(values.CIV, values.PPS, values.WPS, values.PSy3)));
    FindNearMajor();
}

void TGLFlies::MarkMinorFrom(int first) {
    for (int n = std::max(first, 0); n < FlyCount; ++n)
        entries[std::size_t(n)].Minor = true;
}

void TGLFlies::FindNearMajor() {
    // PMJP lands in a column of its own, so it neither has nor gives a major neighbour.
    for (int i = 1; i < FlyCount; ++i) {
        TGLFly& fly = entries[std::size_t(i)];
        const std::int64_t v = fly.Value;
        for (int j = 1; j < FlyCount; ++j) {
            const TGLFly& other = entries[std::size_t(j)];
            if (j == i || other.Minor)
                continue;
            if (v - 30 < other.Value && other.Value < v + 30) {
                fly.NearMajor = true;
                break;
            }
        }
    }
}

void TGLFlies::StopPhases() {
    for (TGLFly& fly : entries) {
        fly.FlyTimer.enabled = false;
        fly.RestTimer.enabled = false;
        fly.LandTimer.enabled = false;
    }
}

bool TGLFlies::moving() const {
    return std::any_of(entries.begin(), entries.end(),
                       [](const TGLFly& fly) { return fly.moving(); });
}

void TGLFlies::FitFlySize() {
    setFlyWidth(ClientWidth * 2 / 11);
    // The mirrored picture carries the aspect ratio from one drawing to the next.
    TPicturePlace& alt = entries[0].AltImage;
    const int altWidth = alt.rect.width() > 0 ? alt.rect.width() : FlyDesignWidth;
    const int altHeight = alt.rect.width() > 0 ? alt.rect.height() : FlyDesignHeight;
    setFlyHeight(altHeight * FlyWidth / altWidth);
    alt.visible = false;
}

void TGLFlies::FitScale() {
    // Half a grade above and below whole grades, widened in steps of three grades, so the
    // bands keep starting at grades 1, 4, 7 and 10.
    const std::int64_t high = MaxValue();
    const std::int64_t low = MinValue();
    ScaleMax = 135;
    if (high > ScaleMax)
        ScaleMax += (high - ScaleMax + 29) / 30 * 30;
    ScaleMin = 5;
    if (low < ScaleMin)
        ScaleMin -= (ScaleMin - low + 29) / 30 * 30;
}

void TGLFlies::SendToBack(int pictureId) {
    const auto at = std::find(zOrder.begin(), zOrder.end(), pictureId);
    if (at == zOrder.end())
        return;
    zOrder.erase(at);
    zOrder.insert(zOrder.begin(), pictureId);
}

void TGLFlies::placeAt(TGLFly& fly, int left, int top) {
    fly.Image.rect = QRect(left, top, FlyWidth, FlyHeight);
}

} // namespace pelmar
