// The flight of the pictures: fly in from a random point, line up at the right edge, rest, land
// beside the scale.
#include "desktop/GraphColours.h"
#include "fly/FlyRandom.h"
#include "fly/GLFlies.h"

#include <vector>

namespace pelmar {

namespace {

constexpr int FlyTickMs = 100;
constexpr int RestTickMs = 300;
constexpr int LandTickMs = 300;

// Tick counts wrap like the system's millisecond counter.
std::uint32_t later(std::uint32_t now, int milliseconds) {
    return now + static_cast<std::uint32_t>(milliseconds);
}

} // namespace

void TGLFlies::LaunchFlies(std::uint32_t now, TFlyRandom& random) {
    // A flight still under way gives up its timers: two flights never steer one picture.
    StopPhases();
    const int queueX = Graph.width() - FlyWidth;
    int y = Graph.top() + FlyHeight / 2;
    std::vector<int> remaining;
    for (int n = 0; n < FlyCount; ++n)
        remaining.push_back(n);
    while (!remaining.empty()) {
        const int pick = random.Random(int(remaining.size()));
        TGLFly& fly = entries[std::size_t(remaining[std::size_t(pick)])];
        remaining.erase(remaining.begin() + pick);
        const std::uint32_t duration = std::uint32_t(random.Random(1000) + 1500);
        StartFly(fly, queueX, y, duration, now, random);
        fly.FinalX = FlyWidth * 3 / 2;
        // Centred on its value; 64-bit so that extreme values cannot overflow the product.
        const std::int64_t span = ScaleMax - ScaleMin;
        const std::int64_t fromTop = (ScaleMax - fly.Value) * Graph.height() / span;
        fly.FinalY = std::int32_t(fromTop + Graph.top() - FlyHeight / 2);
        y += FlyHeight;
    }
    entries[0].FinalX = 0;
}

void TGLFlies::StartFly(TGLFly& fly, int x, int y, std::uint32_t duration, std::uint32_t now,
                        TFlyRandom& random) {
    fly.QueueX = x;
    fly.QueueY = y;
    fly.FlyUntil = now + duration;
    fly.Landed = false;
    // The start's left edge takes the graph's top offset, not its left one; the graph sits at
    // the window's left edge, so this only shifts the starting points a little to the right.
    const int left = random.Random(Graph.width()) + Graph.top();
    const int top = random.Random(Graph.height());
    fly.Image.rect = QRect(left, top, FlyWidth, FlyHeight);
    fly.Image.visible = true;
    if (fly.Index == 0)
        fly.AltImage.visible = false;
    fly.FlyTimer.interval = FlyTickMs;
    fly.FlyTimer.enabled = true;
}

void TGLFlies::FlyTick(int entry, std::uint32_t now, TFlyRandom& random) {
    TGLFly* fly = item(entry);
    if (!fly || !fly->FlyTimer.enabled)
        return;
    if (now <= fly->FlyUntil) {
        // A jittery approach: a fresh fraction of the way in each direction on every tick.
        const int a = random.Random(5) + 3;
        const int b = random.Random(5) + 3;
        const QRect& r = fly->Image.rect;
        placeAt(*fly, (r.left() * (a - 1) + fly->QueueX) / a,
                (r.top() * (b - 1) + fly->QueueY) / b);
        return;
    }
    placeAt(*fly, fly->QueueX, fly->QueueY);
    fly->FlyTimer.enabled = false;
    fly->RestUntil = later(now, random.Random(500) + 1000);
    fly->RestTimer.interval = RestTickMs;
    fly->RestTimer.enabled = true;
}

void TGLFlies::RestTick(int entry, std::uint32_t now, TFlyRandom& random) {
    TGLFly* fly = item(entry);
    if (!fly || !fly->RestTimer.enabled)
        return;
    if (now <= fly->RestUntil) {
        const QRect& r = fly->Image.rect;
        placeAt(*fly, (r.left() + fly->QueueX) / 2, (r.top() + fly->QueueY) / 2);
        return;
    }
    placeAt(*fly, fly->QueueX, fly->QueueY);
    fly->RestTimer.enabled = false;
    fly->LandUntil = later(now, random.Random(500) + 1500);
    fly->LandTimer.interval = LandTickMs;
    fly->LandTimer.enabled = true;
}

std::optional<TLandingDot> TGLFlies::LandTick(int entry, std::uint32_t now, TFlyRandom& random) {
    TGLFly* fly = item(entry);
    if (!fly || !fly->LandTimer.enabled)
        return std::nullopt;
    if (now <= fly->LandUntil) {
        const QRect& r = fly->Image.rect;
        placeAt(*fly, (r.left() + fly->FinalX) / 2, (r.top() + fly->FinalY) / 2);
        return std::nullopt;
    }
    placeAt(*fly, fly->FinalX, fly->FinalY);

    TLandingDot dot;
    dot.x = DigitsWidth + FlyWidth + random.Random(FlyWidth / 2 - 4 - DigitsWidth);
    dot.y = fly->FinalY - Graph.top() + FlyHeight / 2;
    dot.colour = colours::FormulaLineColours[std::size_t(fly->Index)];

    fly->LandTimer.enabled = false;
    fly->Landed = true;
    if (fly->Index == 0) {
        // PMJP faces the other way in its own column.
        fly->AltImage.rect = QRect(0, fly->FinalY, FlyWidth, FlyHeight);
        fly->Image.visible = false;
        fly->AltImage.visible = true;
    } else if (fly->Minor && !fly->NearMajor) {
        // Two thirds of the size, still centred on its value.
        fly->Image.rect =
            QRect(fly->FinalX, fly->FinalY + FlyHeight / 6, FlyWidth * 2 / 3, FlyHeight * 2 / 3);
    }
    Arrange();
    return dot;
}

} // namespace pelmar
