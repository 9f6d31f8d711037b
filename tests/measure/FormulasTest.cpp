#include "measure/Formulas.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <limits>

namespace pelmar {
namespace {

using RI = ReadabilityIndex;

// Counts in the order sent, clau, phra, word, syll, syl1, syl3, cons, lett.
TTextCounts counts(std::int32_t sent, std::int32_t clau, std::int32_t phra, std::int32_t word,
                   std::int32_t syll, std::int32_t syl1, std::int32_t syl3, std::int32_t cons,
                   std::int32_t lett) {
    return TTextCounts{sent, clau, phra, word, syll, syl1, syl3, cons, lett};
}

// Two texts whose values were worked out by hand (and checked in double precision).
const TTextCounts Long = counts(5, 6, 12, 100, 140, 70, 10, 250, 450);
const TTextCounts Short = counts(3, 4, 7, 24, 30, 19, 1, 52, 95);

TEST(Ratios, QuotientsOfTheCounts) {
    const TRatios r = ComputeRatios(Long);
    const std::pair<int, double> expected[] = {
        {22, 20.0}, {23, 16.666667}, {24, 8.333333}, {25, 1.4},  {26, 10.0},  {27, 4.5},
        {28, 3.066667}, {29, 2.0},   {30, 1.2},      {31, 2.4},  {32, 0.833333}};
    for (const auto& [position, value] : expected)
        EXPECT_NEAR(r.byPosition(position), value, 1e-5) << position;
    EXPECT_EQ(r.byPosition(21), 0.0f);
    EXPECT_EQ(r.byPosition(33), 0.0f);
}

TEST(Ratios, DivisionByZeroGivesZeroAndCivFallsBackOnLetters) {
    const TRatios none = ComputeRatios(TTextCounts{});
    for (int position = 22; position <= 32; ++position)
        EXPECT_EQ(none.byPosition(position), 0.0f) << position;

    // No consonant count: 40 ms per syllable and 80 per letter instead.
    TTextCounts noConsonants = Short;
    noConsonants.Consonants = 0;
    EXPECT_NEAR(ComputeRatios(noConsonants).CIV, (40.0 * 30 + 80.0 * 95) / 7 / 1000, 1e-6);
    EXPECT_NEAR(ComputeRatios(Short).CIV, (120.0 * 30 + 80.0 * 52) / 7 / 1000, 1e-6);
}

// 100 * syl3 and 120 * syll pass the 32-bit range on a large text.
TEST(Ratios, ProductsDoNotOverflow) {
    const TRatios r = ComputeRatios(counts(1, 1, 40'000'000, 40'000'000, 20'000'000, 0,
                                           30'000'000, 1, 0));
    EXPECT_NEAR(r.PSy3, 75.0, 1e-4);
    EXPECT_NEAR(r.CIV, (120.0 * 20e6 + 80.0) / 40e6 / 1000, 1e-6);
}

TEST(Indices, HandComputedValues) {
    struct Case {
        RI index;
        double longLine, shortLine; // per line: D is the clause count
    };
    const Case cases[] = {
        {RI::PMJP, 12.750897, 8.621782}, {RI::PMEN, 8.619541, 3.734835},
        {RI::FKGL, 8.73, 2.28},          {RI::CLI, 9.225, 3.814583},
        {RI::FORC, 9.5, 8.125},          {RI::FryG, 9.0, 3.0},
        {RI::GFog, 12.0, 4.866667},      {RI::SMOG, 11.208143, 6.427356},
        {RI::LWF, 12.0, 3.333333},       {RI::ARI, 9.765, 1.21375},
        {RI::FRES, 68.095, 92.965},
    };
    for (const auto& c : cases) {
        const auto longValue = LineIndex(c.index, Long);
        const auto shortValue = LineIndex(c.index, Short);
        ASSERT_TRUE(longValue && shortValue) << int(c.index);
        EXPECT_NEAR(*longValue, c.longLine, 1e-4) << int(c.index);
        EXPECT_NEAR(*shortValue, c.shortLine, 1e-4) << int(c.index);
    }
    // Over the whole text D is the sentence total.
    EXPECT_NEAR(IndexPMJP(5, 12, 140, 250), 13.378488, 1e-4);
    EXPECT_NEAR(IndexPMEN(3, 7, 30, 52), 6.177887, 1e-4);
}

TEST(Indices, LinsearWriteKeepsRAboveTwentyOnly) {
    EXPECT_FLOAT_EQ(IndexLWF(20, 0, 1), 9.0f);   // r = 20: 18 / 2
    EXPECT_FLOAT_EQ(IndexLWF(10, 5, 1), 9.0f);   // three points per long word, still 20
    EXPECT_FLOAT_EQ(IndexLWF(41, 0, 2), 10.25f); // r = 20.5
    EXPECT_FLOAT_EQ(IndexLWF(201, 0, 10), 10.05f);
}

TEST(Indices, FryGraphReading) {
    struct Case {
        std::int32_t sent, word, syll;
        double grade;
    };
    const Case cases[] = {
        {5, 100, 140, 9.0},      // on the 5.0 mark: the full band fraction is added
        {4, 60, 80, 6.916667},   // between 6.7 and 6.3: a fraction of 0.9167
        {5, 100, 175, 16.0},     // more than 174 syllables per 100 words
        {1, 100, 200, 16.0},     // whatever the sentence rate
        {30, 100, 174, 11.0},    // 174 is still on the graph
        {30, 100, 175, 16.0},
        {26, 100, 140, 2.0},     // above 25 sentences: on the top mark, no fraction
        {25, 100, 140, 3.0},     // on the 25.0 mark
        {2, 100, 123, 9.0},      // at or below 2.0: position 390
        {12, 500, 615, 8.0},     // between 2.0 and 2.5: position 380
    };
    for (const auto& c : cases)
        EXPECT_NEAR(IndexFryG(c.sent, c.word, c.syll), c.grade, 1e-4)
            << c.sent << " " << c.word << " " << c.syll;
}

TEST(StyleScores, DialogueRamp) {
    const std::pair<float, int> cases[] = {
        {0.0f, 100}, {1.19f, 100}, {1.2f, 100}, {1.85f, 50}, {2.49f, 1}, {2.5f, 0}, {4.0f, 0}};
    for (const auto& [civ, score] : cases)
        EXPECT_EQ(DialogueScore(civ), score) << civ;
}

TEST(StyleScores, ComplexAndTechnicalPairs) {
    struct Case {
        float a, b;
        int complex, technical;
    };
    // Complex reads (WPS, PPS) against 5.3..16.3 and 1.4..2.1, technical reads (PSy3, Sy3PP)
    // against 2.9..12.4 and 0.3..1.1.
    const Case cases[] = {
        {20.0f, 3.0f, 100, 100},  // both above both bands
        {16.3f, 2.1f, 100, 100},  // the single values sit a hair below the tops: 99.99.. -> 100
        {5.3f, 3.0f, 0, 50},      // at the bottom of the complex band; technical 25 and 100
        {20.0f, 1.4f, 0, 100},    // the second value at its bottom ends it too
        {10.8f, 3.0f, 71, 91},    // half way: Round(sqrt(50 * 100)); technical sqrt(83 * 100)
        {20.0f, 1.75f, 71, 100},
        {5.4f, 3.0f, 10, 51},     // 1 * 100
        {2.9f, 3.0f, 0, 0},
        {7.65f, 0.7f, 0, 50},     // sqrt(50 * 50)
        {12.5f, 0.3f, 0, 0},
        {10.0f, 0.833333f, 0, 71}, // sqrt(75 * 67)
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ComplexScore(c.a, c.b), c.complex) << c.a << " " << c.b;
        EXPECT_EQ(TechnicalScore(c.a, c.b), c.technical) << c.a << " " << c.b;
    }
}

// Values a hair from a .5 where extended and single constants round apart: the thresholds
// and the spans 1.3, 0.7 and 0.8 are extended, so 1.2845 is 93.49999.. and not 93.50000...
TEST(StyleScores, ConstantsKeepTheirPrecision) {
    EXPECT_EQ(DialogueScore(1.2845f), 93);
    EXPECT_EQ(ComplexScore(20.0f, 1.6135f), 55);  // sqrt(100 * 30), not sqrt(100 * 31)
    EXPECT_EQ(ComplexScore(5.35500002f, 3.0f), 10); // 0.5000002 above 5.3: sqrt(1 * 100)
    EXPECT_EQ(TechnicalScore(20.0f, 0.456f), 45); // sqrt(100 * 20), not sqrt(100 * 19)
}

TEST(ToTenths, RoundsTiesToEvenAndStaysInRange) {
    const std::pair<float, std::int32_t> cases[] = {
        {7.25f, 72},  {7.35f, 73},   {7.15f, 72}, {0.25f, 2},    {0.75f, 8},
        {-0.25f, -2}, {-7.25f, -72}, {68.095f, 681}, {0.0f, 0},
        {std::numeric_limits<float>::quiet_NaN(), 0},
        {std::numeric_limits<float>::infinity(), std::numeric_limits<std::int32_t>::max()},
        {-1e10f, std::numeric_limits<std::int32_t>::min()},
    };
    for (const auto& [value, tenths] : cases)
        EXPECT_EQ(ToTenths(value), tenths) << value;
}

TEST(LineIndex, GuardsOnTheLinesOwnCounts) {
    // A line may hold clauses before its sentence is closed, or a sentence without phrases.
    const TTextCounts openSentence = counts(0, 1, 2, 5, 6, 4, 0, 10, 20);
    const TTextCounts noPhrase = counts(1, 1, 0, 5, 6, 4, 0, 10, 20);
    const TTextCounts noClause = counts(1, 0, 2, 5, 6, 4, 0, 10, 20);
    const TTextCounts noWord = counts(1, 1, 1, 0, 0, 0, 0, 0, 0);
    for (const RI phraseIndex : {RI::PMJP, RI::PMEN}) {
        EXPECT_TRUE(LineIndex(phraseIndex, openSentence).has_value());
        EXPECT_FALSE(LineIndex(phraseIndex, noPhrase).has_value());
        EXPECT_FALSE(LineIndex(phraseIndex, noClause).has_value());
        EXPECT_FALSE(LineIndex(phraseIndex, noWord).has_value());
    }
    for (const RI other : {RI::FKGL, RI::CLI, RI::FORC, RI::FryG, RI::GFog, RI::SMOG, RI::LWF,
                           RI::ARI, RI::FRES}) {
        EXPECT_FALSE(LineIndex(other, openSentence).has_value()) << int(other);
        EXPECT_TRUE(LineIndex(other, noPhrase).has_value()) << int(other);
        EXPECT_TRUE(LineIndex(other, noClause).has_value()) << int(other);
        EXPECT_FALSE(LineIndex(other, noWord).has_value()) << int(other);
    }
}

// A row's indices are worked out together, from shared terms and a table of logarithms; each
// must be bit for bit the index worked out alone, also past the table's edges and for any
// choice of indices.
TEST(LineIndices, EqualEachIndexWorkedOutAlone) {
    std::array<bool, IndexCount> all;
    all.fill(true);
    std::array<bool, IndexCount> some{};
    some[std::size_t(RI::PMEN)] = some[std::size_t(RI::SMOG)] = some[std::size_t(RI::FRES)] = true;
    for (std::int32_t sent : {0, 1, 3})
        for (std::int32_t clau : {0, 1, 2, 15, 16, 17, 40})
            for (std::int32_t phra : {0, 1, 5, 63, 64, 65, 200})
                for (std::int32_t word : {0, 1, 12, 90}) {
                    const TTextCounts line = counts(sent, clau, phra, word, word * 3 / 2,
                                                    word / 2, word / 5, word * 2, word * 5);
                    for (const auto& wanted : {all, some}) {
                        const LineIndexValues values = LineIndices(line, wanted);
                        for (int i = 0; i < IndexCount; ++i) {
                            const auto alone = LineIndex(static_cast<RI>(i), line);
                            if (!wanted[std::size_t(i)] || !alone) {
                                EXPECT_FALSE(values[std::size_t(i)].has_value()) << i;
                                continue;
                            }
                            ASSERT_TRUE(values[std::size_t(i)].has_value()) << i;
                            EXPECT_EQ(std::bit_cast<std::uint32_t>(*values[std::size_t(i)]),
                                      std::bit_cast<std::uint32_t>(*alone))
                                << i << " " << sent << " " << clau << " " << phra << " " << word;
                        }
                    }
                }
}

TEST(WholeText, TenthsRatiosAndStylesOfTheTotals) {
    const TWholeTextValues v = ComputeWholeText(Long);
    const std::pair<RI, std::int32_t> tenths[] = {
        {RI::PMJP, 134}, {RI::PMEN, 102}, {RI::FKGL, 87}, {RI::CLI, 92},  {RI::FORC, 95},
        {RI::FryG, 90},  {RI::GFog, 120}, {RI::SMOG, 112}, {RI::LWF, 120}, {RI::ARI, 98},
        {RI::FRES, 681}};
    for (const auto& [index, value] : tenths)
        EXPECT_EQ(v.tenths[std::size_t(index)], value) << int(index);
    EXPECT_FLOAT_EQ(v.ratios.WPS, 20.0f);
    EXPECT_EQ(v.styles.dia, 0); // CIV 3.07
    EXPECT_EQ(v.styles.gen, 100);
    EXPECT_EQ(v.styles.com, 100);
    EXPECT_EQ(v.styles.tec, 71); // Round(sqrt(75 * 67))
}

TEST(WholeText, TooLittleTextLeavesEverythingZero) {
    TTextCounts noSentence = Long;
    noSentence.Sentences = 0;
    TTextCounts noWord = Long;
    noWord.Words = 0;
    for (const TTextCounts& t : {noSentence, noWord}) {
        const TWholeTextValues v = ComputeWholeText(t);
        for (const auto tenth : v.tenths)
            EXPECT_EQ(tenth, 0);
        for (int position = 22; position <= 32; ++position)
            EXPECT_EQ(v.ratios.byPosition(position), 0.0f) << position;
        EXPECT_EQ(v.styles.dia, 0);
        EXPECT_EQ(v.styles.com, 0);
        EXPECT_EQ(v.styles.tec, 0);
        EXPECT_EQ(v.styles.gen, 0);
    }

    // Without phrases only the two phrase indices stay 0.
    TTextCounts noPhrase = Long;
    noPhrase.Phrases = 0;
    const TWholeTextValues v = ComputeWholeText(noPhrase);
    EXPECT_EQ(v.tenths[std::size_t(RI::PMJP)], 0);
    EXPECT_EQ(v.tenths[std::size_t(RI::PMEN)], 0);
    EXPECT_EQ(v.tenths[std::size_t(RI::FKGL)], 87);
}

} // namespace
} // namespace pelmar
