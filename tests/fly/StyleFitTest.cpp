#include "fly/StyleFit.h"

#include "FlyTestSupport.h"

#include <gtest/gtest.h>

namespace pelmar {
namespace {

TEST(StyleFit, ScoresEachMeasureOnlyWhenStrictlyAbove) {
    struct Case {
        float civ, pps, wps, psy3;
        int score;
    };
    const Case cases[] = {
        {0, 0, 0, 0, 0},
        {3.5f, 2.5f, 15, 8, 4},
        {5.0f, 0, 0, 0, 1}, // exactly 5.0 is not
                            // above it
        {5.01f, 0, 0, 0, 2},
        {3.0f, 0, 0, 0, 0},
        {0, 3.0f, 0, 0, 1},
        {0, 3.01f, 0, 0, 2},
        {0, 2.0f, 0, 0, 0},
        {0, 0, 30, 0, 2}, // exactly 30 adds 2
        {0, 0, 30.01f, 0, 3},
        {0, 0, 20, 0, 1},
        {0, 0, 10, 0, 0},
        {0, 0, 0, 10, 1},
        {0, 0, 0, 10.5f, 2},
        {0, 0, 0, 7, 0},
        {9, 9, 99, 99, 9},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StyleFit(c.civ, c.pps, c.wps, c.psy3), c.score)
            << c.civ << " " << c.pps << " " << c.wps << " " << c.psy3;
}

TEST(StyleFit, ScoreDecidesTheMinorTail) {
    const int expected[] = {3, 4, 4, 4, 5, 10, 2, 2, 2, 2};
    for (int score = 0; score <= 9; ++score)
        EXPECT_EQ(FirstMinorEntry(score), expected[score]) << score;
}

TEST(StyleFit, PrepareMarksMinorEntries) {
    TGLFlies flies(test::DesignGraph, test::DesignClientWidth);
    TFlyValues values;
    values.tenths = {60, 62, 64, 66, 68, 70, 72, 74, 76, 78};
    values.CIV = 3.5f;
    values.PPS = 2.5f;
    values.WPS = 15;
    values.PSy3 = 8;
    flies.Prepare(values);
    for (int n = 0; n < FlyCount; ++n)
        EXPECT_EQ(flies.entries[std::size_t(n)].Minor, n >= 5) << n;

    // A score of 5 makes none minor by style, but grades below 0 or above 20 always are.
    values.CIV = 3.5f;
    values.PPS = 2.5f;
    values.WPS = 15;
    values.PSy3 = 10.5f;
    values.tenths[1] = -1;
    values.tenths[2] = 201;
    values.tenths[3] = 200;
    values.tenths[4] = 0;
    flies.Prepare(values);
    for (int n = 0; n < FlyCount; ++n)
        EXPECT_EQ(flies.entries[std::size_t(n)].Minor, n == 1 || n == 2) << n;
}

TEST(StyleFit, NearMajorLooksForMajorEntriesWithinThreeGrades) {
    TGLFlies flies(test::DesignGraph, test::DesignClientWidth);
    TFlyValues values;
    // Style fit 0: PMJP, PMEN and FKGL are major, the rest minor.
    values.tenths = {100, 50, 150, 79, 80, 121, 200, 15, 250, 100};
    flies.Prepare(values);
    const bool expected[] = {
        false, // PMJP takes no part
        false, // major itself, and no other major lies near
        false,
        true,  // 2.9 grades above PMEN
        false, // 3.0 grades away is not near
        true,  // 2.9 grades below FKGL
        false,
        false, // only minor entries and PMJP nearby
        false, // minor by value, FKGL 10 grades away
        false, // PMJP at the same value does not count
    };
    for (int n = 0; n < FlyCount; ++n)
        EXPECT_EQ(flies.entries[std::size_t(n)].NearMajor, expected[n]) << n;
}

} // namespace
} // namespace pelmar
