#include "desktop/RunPacer.h"

#include <gtest/gtest.h>

namespace pelmar {
namespace {

TEST(RunPacer, PumpsOnceTheIntervalHasPassedSinceTheLastPump) {
    qint64 now = 1000;
    TRunPacer pacer([&] { return now; }, 50);
    struct Step {
        qint64 at;
        bool due;
    } steps[] = {{1000, false}, {1049, false}, {1050, true}, {1051, false},
                 {1099, false}, {1100, true},  {1400, true}, {1449, false}};
    for (const Step& step : steps) {
        now = step.at;
        EXPECT_EQ(pacer.due(), step.due) << "at " << step.at;
    }
    EXPECT_EQ(pacer.elapsed(), 449);
}

TEST(RunPacer, WithoutAClockItUsesTheSteadyOne) {
    TRunPacer pacer(nullptr, 0);
    EXPECT_TRUE(pacer.due());
    EXPECT_GE(pacer.elapsed(), 0);
}

} // namespace
} // namespace pelmar
