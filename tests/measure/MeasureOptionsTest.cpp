#include "measure/MeasureOptions.h"

#include <gtest/gtest.h>

namespace pelmar {
namespace {

std::vector<int> checked(const TMeasureOptions& o) {
    std::vector<int> out;
    for (int i = 0; i < display::Count; ++i)
        if (o.resultDisplay[static_cast<std::size_t>(i)])
            out.push_back(i);
    return out;
}

TEST(MeasureOptions, DefaultsAndViewModes) {
    TMeasureOptions o;
    EXPECT_EQ(checked(o), (std::vector<int>{6, 7, 10, 11}));
    EXPECT_FALSE(o.anyCondition());
    EXPECT_EQ(o.readability, (std::array<bool, 11>{}));
    EXPECT_EQ(o.syllableRules, (std::array<bool, 6>{true, true, true, true, true, true}));

    o.ApplyViewMode(ViewMode::Full);
    EXPECT_EQ(checked(o).size(), 12u);
    EXPECT_TRUE(o.fullView);
    o.ApplyViewMode(ViewMode::Simple);
    EXPECT_EQ(checked(o), (std::vector<int>{display::Syllables}));
    EXPECT_FALSE(o.fullView);
    o.ApplyViewMode(ViewMode::Readability);
    EXPECT_EQ(checked(o), (std::vector<int>{display::Summary}));

    o.conditions[condition::SemicolonKeeps] = true;
    EXPECT_TRUE(o.anyCondition());
    EXPECT_TRUE(o.clauseColumns());
}

} // namespace
} // namespace pelmar
