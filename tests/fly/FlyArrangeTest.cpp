#include "FlyTestSupport.h"

#include <gtest/gtest.h>

namespace pelmar {
namespace {

// Flies of the design window already landed where `tops` says (entries 1..9; 0 is ignored),
// all at the landing column, none of them moving.
TGLFlies landed(const std::array<int, FlyCount>& tops) {
    TGLFlies flies = test::MakeFlies({});
    for (int n = 0; n < FlyCount; ++n) {
        TGLFly& fly = flies.entries[std::size_t(n)];
        fly.FinalX = 187;
        fly.FinalY = tops[std::size_t(n)];
        fly.Image.rect = QRect(187, fly.FinalY, flies.FlyWidth, flies.FlyHeight);
        fly.Landed = true;
    }
    return flies;
}

// Tops far apart for every entry, so only the ones a test moves overlap.
std::array<int, FlyCount> apart() {
    std::array<int, FlyCount> tops{};
    for (int n = 0; n < FlyCount; ++n)
        tops[std::size_t(n)] = 50 + 40 * n;
    return tops;
}

int leftOf(const TGLFlies& flies, int n) {
    return flies.entries[std::size_t(n)].Image.rect.left();
}

TEST(FlyArrange, OverlapPushesSidewaysByHowMuchThePicturesOverlap) {
    struct Case {
        const char* name;
        int dy;    // entry 2's top below entry 1's
        int shift; // how far entry 2 moves right of entry 1
    };
    const Case cases[] = {
        {"level", 0, 125},                // a whole width
        {"half a height apart", 16, 109}, // round(sqrt(1 - 16^2/33^2) * 125)
        {"one pixel short of a height", 32, 31},
        {"a whole height apart", 33, 0}, // no overlap at all
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::array<int, FlyCount> tops = apart();
        tops[2] = tops[1] + c.dy;
        TGLFlies flies = landed(tops);
        flies.Arrange();
        EXPECT_EQ(leftOf(flies, 1), 187);
        EXPECT_EQ(leftOf(flies, 2), 187 + c.shift);
        for (int n = 3; n < FlyCount; ++n)
            EXPECT_EQ(leftOf(flies, n), 187) << n;
        // A moved picture goes under the others, still above the graph.
        EXPECT_EQ(flies.zOrder.front() == 2, c.shift > 0);
        for (int n = 1; n < FlyCount; ++n) {
            EXPECT_TRUE(flies.entries[std::size_t(n)].Settled) << n;
            EXPECT_TRUE(flies.entries[std::size_t(n)].Neighbours.empty()) << n;
        }
    }
}

TEST(FlyArrange, TheMostCrowdedEntryIsResolvedFirst) {
    // Entry 5 overlaps 4 and 6; those two are 24 pixels apart and overlap each other too.
    std::array<int, FlyCount> tops = apart();
    tops[4] = 210;
    tops[5] = 222;
    tops[6] = 234;
    TGLFlies flies = landed(tops);
    flies.BuildNeighbours();
    EXPECT_EQ(flies.entries[5].Neighbours, (std::vector<int>{4, 6}));
    EXPECT_EQ(flies.entries[4].Neighbours, (std::vector<int>{5, 6}));
    flies.Arrange();
    // 4 resolves first (two neighbours, the lowest number) and pushes 5 and 6 by how much they
    // overlap it; then 5 pushes 6 once more, past itself.
    EXPECT_EQ(leftOf(flies, 4), 187);
    EXPECT_EQ(leftOf(flies, 5), 187 + 116);
    EXPECT_EQ(leftOf(flies, 6), 187 + 116 + 116);
}

TEST(FlyArrange, ARowPushedPastTheEdgeIsSqueezedBack) {
    std::array<int, FlyCount> tops{};
    tops.fill(200);
    TGLFlies flies = landed(tops);
    flies.Arrange();
    // Each level picture went a width further right, then the row was squeezed so the
    // rightmost ends 8 pixels beyond the graph's right edge and the leftmost stays.
    EXPECT_EQ(leftOf(flies, 1), 187);
    EXPECT_EQ(leftOf(flies, 9) + flies.FlyWidth, 692 + 8);
    for (int n = 2; n < FlyCount; ++n)
        EXPECT_GT(leftOf(flies, n), leftOf(flies, n - 1)) << n;

    // Running it again (PMJP landing last) finds nothing left to do.
    std::vector<int> before;
    for (int n = 1; n < FlyCount; ++n)
        before.push_back(leftOf(flies, n));
    flies.Arrange();
    for (int n = 1; n < FlyCount; ++n)
        EXPECT_EQ(leftOf(flies, n), before[std::size_t(n - 1)]) << n;
}

TEST(FlyArrange, SqueezeLeavesARowWithoutSpreadAlone) {
    std::array<int, FlyCount> tops = apart();
    TGLFlies flies = landed(tops);
    flies.Graph.setWidth(100); // narrower than one picture: the row cannot fit, nor be spread
    flies.Squeeze();
    for (int n = 1; n < FlyCount; ++n)
        EXPECT_EQ(leftOf(flies, n), 187) << n;
}

TEST(FlyArrange, WaitsUntilEveryEntryHasLanded) {
    std::array<int, FlyCount> tops = apart();
    tops[2] = tops[1];
    TGLFlies flies = landed(tops);
    // Entry 3 is still resting in the queue: nothing is resolved yet.
    TGLFly& late = flies.entries[3];
    late.Landed = false;
    late.RestTimer.enabled = true;
    flies.Arrange();
    EXPECT_EQ(leftOf(flies, 2), 187);
    EXPECT_FALSE(flies.entries[1].Settled);

    late.RestTimer.enabled = false;
    late.Landed = true;
    flies.Arrange();
    EXPECT_EQ(leftOf(flies, 2), 187 + 125);
}

} // namespace
} // namespace pelmar
