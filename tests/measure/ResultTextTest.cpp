#include "measure/NumberFormat.h"
#include "measure/ResultText.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace pelmar {
namespace {

std::string fixed1(float v) {
    std::string s;
    detail::appendFixed1(s, v);
    return s;
}
std::string fixed2(float v) {
    std::string s;
    detail::appendFixed2(s, v);
    return s;
}

TEST(ResultText, FixedPointRoundsHalfAwayFromZeroOnTheExactValue) {
    EXPECT_EQ(fixed1(7.25f), "7.3"); // exactly representable tie
    EXPECT_EQ(fixed1(-7.25f), "-7.3");
    EXPECT_EQ(fixed1(0.35f), "0.3"); // 0.3499999940...
    EXPECT_EQ(fixed1(0.15f), "0.2"); // 0.1500000059...
    EXPECT_EQ(fixed1(0.0f), "0.0");
    EXPECT_EQ(fixed1(103.0f), "103.0");
    EXPECT_EQ(fixed2(2.125f), "2.13");
    EXPECT_EQ(fixed2(1.0f / 3.0f), "0.33");
    EXPECT_EQ(fixed2(0.05f), "0.05");
    EXPECT_EQ(fixed2(12.0f), "12.00");
    std::string t;
    detail::appendTenths(t, -5);
    detail::appendTenths(t, 72);
    detail::appendTenths(t, 0);
    EXPECT_EQ(t, "-0.57.20.0");
}

// The fast cell formatter must agree with the general one on every float.
TEST(ResultText, FastFormatterAgreesWithFormatFixed) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> value(-200.0f, 200.0f);
    for (int i = 0; i < 20000; ++i) {
        float v = value(rng);
        if (i % 4 == 0)
            v = std::round(v * 20.0f) / 20.0f; // many exact ties
        EXPECT_EQ(fixed1(v), FormatFixed(v, 1).toStdString()) << v;
        EXPECT_EQ(fixed2(v), FormatFixed(v, 2).toStdString()) << v;
    }
    // Any float at all: tiny, huge, at the edge of the fast path, infinite, not a number.
    for (int i = 0; i < 20000; ++i) {
        const auto bits = static_cast<std::uint32_t>(rng());
        float v;
        std::memcpy(&v, &bits, sizeof v);
        EXPECT_EQ(fixed1(v), FormatFixed(v, 1).toStdString()) << v;
    }
    for (float v : {99999999999999.9f, 1e14f, -1e14f, 1e15f, 0.05f, -0.05f, -0.04999f})
        EXPECT_EQ(fixed1(v), FormatFixed(v, 1).toStdString()) << v;
}

// Counts in rows are their plain decimal digits, at every length and at the 32-bit limits.
TEST(ResultText, CountsInRowsAreTheirDecimalDigits) {
    TMeasureOptions options;
    options.resultDisplay.fill(false);
    options.resultDisplay[display::Words] = true;
    options.resultDisplay[display::No] = true;
    std::vector<std::int32_t> values = {0, 1, 9, 10, 99, 100, 101, 999, 1000, 65535, 1000000,
                                        2147483647, -1, -10, -2147483647 - 1};
    for (std::int64_t v = 1; v < 2000000000; v = v * 7 + 3)
        values.push_back(static_cast<std::int32_t>(v));
    for (std::int32_t value : values) {
        TTextCounts counts;
        counts.Words = value;
        EXPECT_EQ(LineRow(value, counts, options), std::to_string(value) + "\t" + std::to_string(value));
    }
}

TEST(ResultText, CopyTextTrimsTheWholeTextOnly) {
    EXPECT_EQ(CopyText({"", "a\tb", "", "c\t", ""}), "a\tb\n\nc");
    EXPECT_EQ(CopyText({}), "");
    EXPECT_EQ(TrimCells(" \tx\ty\t"), "x\ty");
}

// Written in pieces of any size, the copy text is the same as written line by line.
TEST(ResultText, CopyTextWriterTakesPiecesOfAnySize) {
    const std::string text = "\n \t\nwords\tsylla.\n2\t3\n\n\t\nSentence Count\t1\n\n \n";
    const std::string whole = "words\tsylla.\n2\t3\n\n\t\nSentence Count\t1";
    std::mt19937 rng(11);
    for (int round = 0; round < 200; ++round) {
        std::string out;
        CopyTextWriter writer([&out](std::string_view piece) { out += piece; });
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t size = std::min<std::size_t>(rng() % 6, text.size() - at);
            writer.write(std::string_view(text).substr(at, size));
            at += size;
        }
        writer.finish();
        EXPECT_EQ(out, whole);
    }
}

TEST(ResultText, StatusTexts) {
    TTextCounts totals;
    totals.Words = 100;
    totals.Syllables = 126;
    totals.Consonants = 214;
    EXPECT_EQ(FinishedStatusText(totals), "計算終了 100 words, 126 sylables, 214 consonants");
    EXPECT_EQ(ElapsedText(0), "00:00");
    EXPECT_EQ(ElapsedText(754), "12:34");
}

} // namespace
} // namespace pelmar
