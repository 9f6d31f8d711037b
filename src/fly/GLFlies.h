#pragma once

#include "fly/FlyValues.h"

#include <QRect>

#include <cstdint>
#include <optional>
#include <vector>

namespace pelmar {

class TFlyRandom;

// A picture's place in window coordinates and whether it is shown.
struct TPicturePlace {
    QRect rect;
    bool visible = false;
};

// One of the three phase timers of an entry. The window runs a real timer for each and calls
// the matching tick while it is enabled.
struct TPhaseTimer {
    bool enabled = false;
    int interval = 100; // milliseconds
};

// The design size of a fly picture; every picture keeps this aspect ratio.
inline constexpr int FlyDesignWidth = 229;
inline constexpr int FlyDesignHeight = 61;

// Picture ids in the stacking order: 0..9 the entries' pictures, 10 entry 0's mirrored one.
inline constexpr int AltPictureId = FlyCount;

// One grade formula on the fly graph.
struct TGLFly {
    std::int32_t Value = 0; // tenths of a grade
    int Index = 0;          // entry number 0..9
    TPicturePlace Image;
    TPicturePlace AltImage; // entry 0 only: the mirrored picture it shows once landed
    std::int32_t QueueX = 0, QueueY = 0;
    std::uint32_t FlyUntil = 0, RestUntil = 0, LandUntil = 0; // tick counts in milliseconds
    std::int32_t FinalX = 0, FinalY = 0;
    TPhaseTimer FlyTimer, RestTimer, LandTimer;
    bool Minor = false;     // de-emphasised: its formula does not suit this kind of text
    bool NearMajor = false; // a major entry lies within three grades
    bool Landed = false;
    bool Settled = false;        // overlap resolution is done with it
    std::vector<int> Neighbours; // entries overlapping it vertically, by entry number

    void SetValue(std::int32_t v);
    [[nodiscard]] bool moving() const {
        return FlyTimer.enabled || RestTimer.enabled || LandTimer.enabled;
    }
};

// A dot the landing leaves on the graph beside the picture, in graph coordinates.
struct TLandingDot {
    int x = 0, y = 0;
    std::uint32_t colour = 0; // 0xBBGGRR
};

// The ten entries and the geometry they fly in. Pictures, timers and the graph's scale are
// plain values here; the window draws and moves its controls after them.
class TGLFlies {
public:
    // `graph` is the graph's place in the window's client area.
    TGLFlies(QRect graph, int clientWidth);

    std::vector<TGLFly> entries; // in entry order

    int FlyWidth = FlyDesignWidth;
    int FlyHeight = FlyDesignHeight;
    // The scale's ends in tenths; 64-bit so that no value, however wild, overflows them.
    std::int64_t ScaleMax = 135;
    std::int64_t ScaleMin = 5;
    QRect Graph;
    int ClientWidth = 0;
    int DigitsWidth =
        0; // how wide "999" is in the window's font; the landing dots keep clear of it

    // Picture ids from the bottom of the stack to the top (see AltPictureId).
    std::vector<int> zOrder;

    // The entry at a position, or nothing outside 0..count - 1.
    [[nodiscard]] TGLFly* item(int position);
    void setFlyWidth(int width);
    void setFlyHeight(int height);

    [[nodiscard]] std::int32_t MaxValue() const;
    [[nodiscard]] std::int32_t MinValue() const;

    // Takes a text's values: each entry's value, which entries are minor and which minor ones
    // lie near a major one. Nothing moves yet.
    void Prepare(const TFlyValues& values);
    // Marks entries minor whatever their value from `first` on.
    void MarkMinorFrom(int first);
    void FindNearMajor();

    // Disables every phase timer, so no picture moves until the next launch.
    void StopPhases();
    [[nodiscard]] bool moving() const;

    // The fly size from the window's width and the scale from the values: the first steps of
    // drawing the scale.
    void FitFlySize();
    void FitScale();

    // Sends every picture off from a random point to its place in the queue at the right edge,
    // in random order, and works out where each will land.
    void LaunchFlies(std::uint32_t now, TFlyRandom& random);
    void StartFly(TGLFly& fly, int x, int y, std::uint32_t duration, std::uint32_t now,
                  TFlyRandom& random);

    // The three phase ticks. A tick while its phase lasts moves the picture a step; the first
    // tick after it ends places the picture and starts the next phase. Landing leaves a dot.
    void FlyTick(int entry, std::uint32_t now, TFlyRandom& random);
    void RestTick(int entry, std::uint32_t now, TFlyRandom& random);
    std::optional<TLandingDot> LandTick(int entry, std::uint32_t now, TFlyRandom& random);

    // Once entries 1..9 have all landed, pushes sideways those that overlap vertically and
    // squeezes the row back inside the graph.
    void Arrange();
    void BuildNeighbours();
    void ResolveOverlap(int a);
    void Squeeze();

    void SendToBack(int pictureId);

private:
    void placeAt(TGLFly& fly, int left, int top);
};

} // namespace pelmar
