#include "FlyTestSupport.h"

#include "desktop/GraphColours.h"

#include <gtest/gtest.h>

namespace pelmar {
namespace {

using test::MakeFlies;
using test::RunPhases;
using test::TScriptedRandom;

// Entries 1..9 1.4 grades apart, far enough that no two pictures overlap.
const std::array<std::int32_t, FlyCount> Spaced = {5, 15, 29, 43, 57, 71, 85, 99, 113, 127};

// Values whose style makes no entry minor.
TGLFlies majorFlies(const std::array<std::int32_t, FlyCount>& tenths) {
    TGLFlies flies = MakeFlies(tenths);
    for (TGLFly& fly : flies.entries)
        fly.Minor = false;
    return flies;
}

TEST(FlyPhases, LaunchLinesUpAtTheRightEdgeAndWorksOutTheLandingPlaces) {
    TGLFlies flies = majorFlies(Spaced);
    TScriptedRandom random; // always the first of the remaining entries, shortest flights
    flies.LaunchFlies(1000, random);
    for (int n = 0; n < FlyCount; ++n) {
        const TGLFly& fly = flies.entries[std::size_t(n)];
        SCOPED_TRACE(n);
        EXPECT_EQ(fly.QueueX, 692 - 125);
        EXPECT_EQ(fly.QueueY, 65 + 16 + 33 * n);
        EXPECT_EQ(fly.FlyUntil, 2500u);
        EXPECT_EQ(fly.FinalX, n == 0 ? 0 : 187);
        EXPECT_EQ(fly.FinalY, int((135 - Spaced[std::size_t(n)]) * 401 / 130 + 65 - 16));
        // Starts at a random point; its left edge takes the graph's top offset.
        EXPECT_EQ(fly.Image.rect, QRect(65, 0, 125, 33));
        EXPECT_TRUE(fly.Image.visible);
        EXPECT_TRUE(fly.FlyTimer.enabled);
        EXPECT_EQ(fly.FlyTimer.interval, 100);
    }
    EXPECT_EQ(flies.entries[0].FinalY, 401 + 49);
    EXPECT_EQ(flies.entries[9].FinalY, 24 + 49);

    // The order is random: the first pick goes to the top of the queue.
    TScriptedRandom picks;
    picks.script = {9, 0, 0, 0, 0, 0};
    flies.LaunchFlies(0, picks);
    EXPECT_EQ(flies.entries[9].QueueY, 81);
    EXPECT_EQ(flies.entries[0].QueueY, 81 + 33);
}

TEST(FlyPhases, EachTickMovesAStepAndTheLastOneStartsTheNextPhase) {
    TGLFlies flies = majorFlies(Spaced);
    TScriptedRandom random;
    flies.LaunchFlies(0, random);
    TGLFly& fly = flies.entries[4];

    // Fly-in: a fresh fraction a = 5, b = 3 of the way on each axis.
    random.script = {2, 0};
    flies.FlyTick(4, 1500, random);
    EXPECT_EQ(fly.Image.rect.topLeft(), QPoint((65 * 4 + 567) / 5, (0 * 2 + 81 + 132) / 3));
    random.script = {499};
    flies.FlyTick(4, 1501, random);
    EXPECT_EQ(fly.Image.rect.topLeft(), QPoint(567, 213));
    EXPECT_FALSE(fly.FlyTimer.enabled);
    EXPECT_TRUE(fly.RestTimer.enabled);
    EXPECT_EQ(fly.RestTimer.interval, 300);
    EXPECT_EQ(fly.RestUntil, 1501u + 499 + 1000);

    // Rest: halfway back to the queue place each tick.
    fly.Image.rect.moveTo(467, 113);
    flies.RestTick(4, 3000, random);
    EXPECT_EQ(fly.Image.rect.topLeft(), QPoint(517, 163));
    flies.RestTick(4, 3001, random);
    EXPECT_EQ(fly.Image.rect.topLeft(), QPoint(567, 213));
    EXPECT_FALSE(fly.RestTimer.enabled);
    EXPECT_TRUE(fly.LandTimer.enabled);
    EXPECT_EQ(fly.LandUntil, 3001u + 1500);

    // Landing: halfway to the landing place each tick, then onto it.
    flies.LandTick(4, 4000, random);
    EXPECT_EQ(fly.Image.rect.topLeft(), QPoint((567 + 187) / 2, (213 + fly.FinalY) / 2));
    EXPECT_FALSE(flies.LandTick(4, 4500, random).has_value());
    const auto dot = flies.LandTick(4, 4502, random);
    ASSERT_TRUE(dot.has_value());
    EXPECT_EQ(fly.Image.rect, QRect(187, fly.FinalY, 125, 33));
    EXPECT_FALSE(fly.moving());
    EXPECT_TRUE(fly.Landed);
    EXPECT_EQ(dot->y, fly.FinalY - 65 + 16);
    EXPECT_EQ(dot->colour, colours::FormulaLineColours[4]);

    // A tick of a timer that is not running does nothing.
    flies.FlyTick(4, 5000, random);
    EXPECT_EQ(fly.Image.rect, QRect(187, fly.FinalY, 125, 33));
}

TEST(FlyPhases, AfterThePhasesEveryPictureSitsAtItsLandingPlace) {
    TGLFlies flies = majorFlies(Spaced);
    TScriptedRandom random;
    random.fallback = 7;
    std::uint32_t now = 0;
    flies.LaunchFlies(now, random);
    std::vector<TLandingDot> dots;
    RunPhases(flies, random, now, &dots);
    ASSERT_FALSE(flies.moving());
    for (int n = 1; n < FlyCount; ++n) {
        const TGLFly& fly = flies.entries[std::size_t(n)];
        EXPECT_EQ(fly.Image.rect, QRect(187, fly.FinalY, 125, 33)) << n;
    }
    // PMJP shows its mirrored picture in the left column.
    const TGLFly& pmjp = flies.entries[0];
    EXPECT_FALSE(pmjp.Image.visible);
    EXPECT_TRUE(pmjp.AltImage.visible);
    EXPECT_EQ(pmjp.AltImage.rect, QRect(0, pmjp.FinalY, 125, 33));

    // One dot each, in the formula's colour, between the scale's numbers and the picture.
    ASSERT_EQ(dots.size(), std::size_t(FlyCount));
    for (const TLandingDot& dot : dots) {
        EXPECT_EQ(dot.x, 18 + 125 + 7);
        EXPECT_LE(dot.x + 4, 187);
    }
}

TEST(FlyPhases, MinorEntriesFarFromMajorOnesShrink) {
    // Style fit 0: entries 3..9 are minor. CLI lies 2.9 grades from FKGL, FORC 3.0.
    std::array<std::int32_t, FlyCount> tenths = {60, 130, 100, 71, 70, 20, 40, 120, 15, 5};
    TGLFlies flies = MakeFlies(tenths);
    TScriptedRandom random;
    std::uint32_t now = 0;
    flies.LaunchFlies(now, random);
    RunPhases(flies, random, now);
    const TGLFly& near = flies.entries[3];
    EXPECT_EQ(near.Image.rect.size(), QSize(125, 33));
    const TGLFly& far = flies.entries[4];
    EXPECT_EQ(far.Image.rect.size(), QSize(83, 22));
    // Still centred on its value.
    EXPECT_EQ(far.Image.rect.top(), far.FinalY + 5);
    EXPECT_EQ(far.Image.rect.top() + far.Image.rect.height() / 2, far.FinalY + 33 / 2);
}

TEST(FlyPhases, ANewLaunchStopsTheRunningPhases) {
    TGLFlies flies = majorFlies(Spaced);
    TScriptedRandom random;
    std::uint32_t now = 0;
    flies.LaunchFlies(now, random);
    // Part of the way: some rest, some land.
    for (int n = 0; n < FlyCount; ++n)
        flies.FlyTick(n, 3000, random);
    flies.RestTick(2, 10000, random);
    ASSERT_TRUE(flies.entries[2].LandTimer.enabled);

    flies.LaunchFlies(10000, random);
    for (const TGLFly& fly : flies.entries) {
        EXPECT_TRUE(fly.FlyTimer.enabled) << fly.Index;
        EXPECT_FALSE(fly.RestTimer.enabled) << fly.Index;
        EXPECT_FALSE(fly.LandTimer.enabled) << fly.Index;
        EXPECT_FALSE(fly.Landed) << fly.Index;
    }
    flies.StopPhases();
    EXPECT_FALSE(flies.moving());
}

} // namespace
} // namespace pelmar
