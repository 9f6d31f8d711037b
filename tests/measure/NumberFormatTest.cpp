#include "measure/NumberFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace pelmar {
namespace {

struct FixedCase {
    long double value;
    int decimals;
    const char* text;
};

// Ties round away from zero, and "tie" means the exact binary value: 0.15 as a double is just
// below 0.15, 99.95 just above.
TEST(NumberFormat, RoundsHalfAwayFromZeroOnTheExactValue) {
    const FixedCase cases[] = {
        {7.25, 1, "7.3"},      {-7.25, 1, "-7.3"},    {0.125, 2, "0.13"},
        {2.5, 0, "3"},         {-2.5, 0, "-3"},       {0.5, 0, "1"},
        {1.5, 0, "2"},         {7.24, 1, "7.2"},      {0.15, 1, "0.1"},
        {1.005, 2, "1.00"},    {2.675, 2, "2.67"},    {99.95, 1, "100.0"},
        {-0.05, 1, "-0.1"},    {0.05f, 1, "0.1"},     {0.1f, 2, "0.10"},
        {9.96, 1, "10.0"},     {999.5, 0, "1000"},    {-9.99, 1, "-10.0"},
        {20.0, 2, "20.00"},    {72 / 10.0L, 1, "7.2"}, {123456789.0, 2, "123456789.00"},
        {1e20L, 0, "100000000000000000000"}, {0.07496L, 5, "0.07496"}, {19.554L, 3, "19.554"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatFixed(c.value, c.decimals), QString::fromLatin1(c.text))
            << double(c.value) << " with " << c.decimals << " decimals";
}

// Rounding an already rounded shorter text would turn 0.0499... into 0.05 and then 0.1.
TEST(NumberFormat, LooksAtEveryDigitNotARoundedCopy) {
    EXPECT_EQ(FormatFixed(std::nextafter(0.05L, 0.0L), 1), "0.0");
    EXPECT_EQ(FormatFixed(std::nextafter(0.05L, 1.0L), 1), "0.1");
    EXPECT_EQ(FormatFixed(std::nextafter(2.5L, 0.0L), 0), "2");
    EXPECT_EQ(FormatFixed(std::nextafter(9.95L, 0.0L), 1), "9.9");
}

// A value that rounds to zero shows no sign: "-0.0" would suggest a negative score.
TEST(NumberFormat, ZeroAndTinyValuesHaveNoSign) {
    const FixedCase cases[] = {
        {0.0, 1, "0.0"},   {-0.0, 1, "0.0"},  {-0.04, 1, "0.0"}, {-0.004, 2, "0.00"},
        {0.049, 1, "0.0"}, {-0.4, 0, "0"},    {1e-30L, 2, "0.00"},
        {std::numeric_limits<long double>::denorm_min(), 3, "0.000"},
        {-std::numeric_limits<long double>::denorm_min(), 1, "0.0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatFixed(c.value, c.decimals), QString::fromLatin1(c.text))
            << double(c.value) << " with " << c.decimals << " decimals";
}

TEST(NumberFormat, ExtremesAndNonNumbers) {
    const QString largest = FormatFixed(std::numeric_limits<long double>::max(), 2);
    EXPECT_EQ(largest.size(), 4933 + 3);
    EXPECT_TRUE(largest.startsWith(QStringLiteral("1189731495357231765")))
        << largest.left(30).toStdString();
    EXPECT_TRUE(largest.endsWith(QStringLiteral(".00")));
    EXPECT_EQ(FormatFixed(std::numeric_limits<long double>::quiet_NaN(), 1), "NAN");
    EXPECT_EQ(FormatFixed(std::numeric_limits<long double>::infinity(), 1), "INF");
    EXPECT_EQ(FormatFixed(-std::numeric_limits<long double>::infinity(), 1), "-INF");
    EXPECT_EQ(FormatFixed(3.7, -1), "4"); // fewer than no decimals is none
}

} // namespace
} // namespace pelmar
