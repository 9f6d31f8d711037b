#include "measure/Vocabulary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

namespace pelmar {
namespace {

using namespace std::string_view_literals;

// Column keys are the keys of saved records: a duplicate would make two values share one key.
TEST(Vocabulary, ColumnKeysAreUniqueAndSitAtTheirRunningPositions) {
    std::set<std::string_view> seen;
    for (const auto key : vocab::ColumnKeys) {
        EXPECT_FALSE(key.empty());
        EXPECT_TRUE(seen.insert(key).second) << key;
    }
    const std::pair<int, std::string_view> anchors[] = {
        {0, "sent"}, {8, "lett"}, {9, "PMJP"}, {10, "PMEN"}, {18, "ARI"}, {19, "FRES"},
        {20, "DATE"}, {21, "TITL"}, {22, "WPS"}, {28, "CIV"}, {32, "Sy3PP"}};
    for (const auto& [position, key] : anchors)
        EXPECT_EQ(vocab::ColumnKeys[std::size_t(position)], key) << position;
    // Index names describe the key at the same index position.
    EXPECT_EQ(vocab::IndexNames[0].substr(0, 4), vocab::ColumnKeys[9]);
    EXPECT_EQ(vocab::IndexNames[1].substr(0, 4), vocab::ColumnKeys[10]);
    EXPECT_EQ(vocab::IndexNames[10], "Flesch Reading Ease score");
}

TEST(Vocabulary, SpacingAndQuotesAreKeptExactly) {
    EXPECT_EQ(vocab::FleschBands[0], "90 -100 Very Easy");
    EXPECT_EQ(vocab::FleschBands[6], " 0 - 30 Very Confusing");
    EXPECT_EQ(vocab::FormulaTemplates[7], "SMOG = 3.1291 + 1.043 * Sqrt ( 30 * Sy3PS ) ");
    EXPECT_EQ(vocab::UnitDefinitions[3],
              "a sequence of words devided by \". ! ? ;\" and is almost equal to a sentence");
    EXPECT_EQ(vocab::UnitDefinitions[4], "a sequence of words devided by \". ! ?\"");
    EXPECT_EQ(vocab::CountNamesJa[5], "1 音節単語数"sv);
    EXPECT_EQ(vocab::CountNamesJa[6], "長音節（３音節以上）単語数"sv);
    EXPECT_EQ(vocab::VariableNamesJa[6], "平方根 √"sv);
    EXPECT_EQ(vocab::RuleNames[4], "過去形、３単現、複数形の -Ced, -Ces"sv);
    EXPECT_EQ(vocab::ResultItemNames[9], "3+ 音節単語数"sv);
    EXPECT_EQ(vocab::GenreNames[0], "");
    EXPECT_EQ(vocab::SampleLevelCaptions[0], "Authentic Materials L0");
    EXPECT_EQ(vocab::FormulaYears[8], "1967 ?");
    EXPECT_EQ(vocab::FormulaAuthors[0], vocab::OwnMaker);
    EXPECT_EQ(vocab::FormulaAuthors[1], vocab::OwnMaker);
    EXPECT_EQ(vocab::FormulaAuthors[4], "Caylor, Sticht, and Ford");
}

// Note lines are joined by CR LF plus TAB so they line up under the block's TAB; only FKGL's
// last line starts at the margin.
TEST(Vocabulary, FormulaNoteLinesAreJoinedByLineBreakAndTab) {
    for (std::size_t i = 0; i < vocab::FormulaNotes.size(); ++i) {
        const std::string note(vocab::FormulaNotes[i]);
        int breaks = 0, untabbed = 0;
        for (std::size_t p = note.find('\n'); p != std::string::npos; p = note.find('\n', p + 1)) {
            ++breaks;
            EXPECT_TRUE(p > 0 && note[p - 1] == '\r') << i;
            if (p + 1 >= note.size() || note[p + 1] != '\t')
                ++untabbed;
        }
        EXPECT_EQ(std::count(note.begin(), note.end(), '\r'), breaks) << i;
        EXPECT_EQ(untabbed, i == 2 ? 1 : 0) << i;
        EXPECT_NE(note.back(), '\n') << i;
    }
    EXPECT_EQ(vocab::FormulaNotes[2], "教材評価に高い定評がある。\r\n\t"
                                      "文と単語が長くなるほど読みにくいと評価する\r\n"
                                      "アメリカの一般的文書は FKGL=７あたりと言われる"sv);
    EXPECT_EQ(vocab::FormulaNotes[4], "１音節単語が多いほど低学年向けとなる"sv);
}

} // namespace
} // namespace pelmar
