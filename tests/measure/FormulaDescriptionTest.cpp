#include "measure/FormulaDescription.h"

#include <gtest/gtest.h>

namespace pelmar {
namespace {

QStringList describe(int k) {
    QStringList list;
    DescribeFormula(k, &list);
    return list;
}

void expectLines(const QStringList& actual, const QStringList& expected) {
    EXPECT_EQ(actual.size(), expected.size());
    for (qsizetype i = 0; i < std::min(actual.size(), expected.size()); ++i)
        EXPECT_EQ(actual[i].toStdString(), expected[i].toStdString()) << "line " << i;
}

// PMJP's completed text is part of its block below.
TEST(FormulaText, OwnFormulasAreCompletedOnce) {
    EXPECT_EQ(FormulaText(1).toStdString(),
              "PMEN = 0.07662 * ( 3 * SyPP + 2 * CPP ) + 19.554 * LOG( PPC ) - 3.141");
    EXPECT_EQ(&FormulaText(1), &FormulaText(1));
    EXPECT_TRUE(FormulaText(-1).isEmpty());
    EXPECT_TRUE(FormulaText(11).isEmpty());
}

TEST(DescribeFormula, OwnIndexBlock) {
    expectLines(describe(9),
                {
                    "PMJP",
                    "----------------",
                    "PMJP (GL for Japanese Readers)",
                    "\t・2014",
                    "\t・Pelmar",
                    "",
                    "Formula",
                    "\t・PMJP = 0.07496 * ( 3 * SyPP + 2 * CPP ) + 7.926 * LOG( PPC ) + 4.618",
                    "\t\twhere",
                    "\t\tSyPP = Syllables Per Phrase  /  １フレーズに含まれる平均音節数",
                    "\t\tCPP = Consonants Per Phrase  /  １フレーズに含まれる平均子音数",
                    "\t\tPPC = Phrases Per Clause  /  １節に含まれる平均フレーズ数",
                    "\t\tPhrase = a sequence of words devided by non-letters",
                    "\t\tClause = a sequence of words devided by \". ! ? ;\" and is almost equal "
                    "to a sentence",
                    "\t\tLOG = Common Logarithm  /  常用対数",
                    "",
                    "Result Value",
                    "\t・Reading Grade Level  /  テキストの適応学年",
                    "\t\tGrade  /  １は小学１年、７は中学１年、１０は高校１年、１３は大学１年に相当する",
                    "",
                    "Feature",
                    "\t日本人英語学習者の適応学年を計算する\r\n\t日本の中高教科書を基準にしている\r\n\t"
                    "PMEN を日本人英語学習者向けにカスタマイズしたもの\r\n\t"
                    "BG 理論に基づき、内声のチャンク長に着目した\r\n\t"
                    "内声のチャンクと文が長くなるほど読みにくいと評価する",
                    "\tBG  /  Breath Group 呼気単位、一息の発声",
                    "\tBG理論  /  一息の発声は２秒程度に収斂される傾向があり、音声は２秒前後のまとまりを"
                    "単位とする",
                    "",
                });
}

TEST(DescribeFormula, GradeLevelBlock) {
    expectLines(describe(11),
                {
                    "FKGL",
                    "----------------",
                    "Flesch-Kincaid Grade Level",
                    "\t・1975",
                    "\t・Flesch and Kincaid",
                    "",
                    "Formula",
                    "\t・FKGL = 0.39 * WPS + 11.8 * SyPW - 15.59",
                    "\t\twhere",
                    "\t\tWPS = Words Per Sentence  /  １文に含まれる平均単語数",
                    "\t\tSyPW = Syllables Per Word  /  １単語に含まれる平均音節数",
                    "",
                    "Result Value",
                    "\t・Reading Grade Level  /  テキストの適応学年",
                    "",
                    "Feature",
                    "\t教材評価に高い定評がある。\r\n\t文と単語が長くなるほど読みにくいと評価する\r\n"
                    "アメリカの一般的文書は FKGL=７あたりと言われる",
                    "",
                });
}

TEST(DescribeFormula, ReadingEaseBlock) {
    expectLines(describe(19),
                {
                    "FRES",
                    "----------------",
                    "Flesch Reading Ease score",
                    "\t・1949",
                    "\t・Flesch",
                    "",
                    "Formula",
                    "\t・FRES = 206.835 - 1.015 * WPS - 84.6 * SyPW",
                    "\t\twhere",
                    "\t\tWPS = Words Per Sentence  /  １文に含まれる平均単語数",
                    "\t\tSyPW = Syllables Per Word  /  １単語に含まれる平均音節数",
                    "",
                    "Result Value",
                    "\t・Reading Ease Score  /  読みやすさ値（大きいほど読みやすい）",
                    "\t\t90 -100 Very Easy",
                    "\t\t80 - 90 Easy",
                    "\t\t70 - 80 Fairly Easy",
                    "\t\t60 - 70 Standard",
                    "\t\t50 - 60 Fairly Difficult",
                    "\t\t30 - 50 Difficult",
                    "\t\t 0 - 30 Very Confusing",
                    "",
                    "Feature",
                    "\tFKGL が作られる前の読みやすさ指標\r\n\t読みやすさを０から１００までの数値で表す\r\n\t"
                    "一般文書には６０－７０が推奨されている\r\n\t学年では FKGL=９程度にあたる",
                    "",
                });
}

// PMEN shares PMJP's variables and breath-group lines but not the grade scale line.
TEST(DescribeFormula, PmenBlockLeavesOutTheGradeScale) {
    const QStringList pmen = describe(10);
    ASSERT_EQ(pmen.size(), 24);
    EXPECT_EQ(pmen[17].toStdString(), "\t・Reading Grade Level  /  テキストの適応学年");
    EXPECT_EQ(pmen[18].toStdString(), "");
    EXPECT_EQ(pmen[21].toStdString(), "\tBG  /  Breath Group 呼気単位、一息の発声");
}

TEST(DescribeFormula, OtherPositionsOrNoListWriteNothing) {
    QStringList list{QStringLiteral("kept")};
    for (const int k : {-1, 0, 8, 20, 32, 45})
        DescribeFormula(k, &list);
    EXPECT_EQ(list, QStringList{QStringLiteral("kept")});
    DescribeFormula(9, nullptr); // must not crash

    // A block is appended after what the list already holds.
    DescribeFormula(13, &list);
    EXPECT_EQ(list[0], QStringLiteral("kept"));
    EXPECT_EQ(list[1], QStringLiteral("FORC"));
    EXPECT_EQ(list.back(), QString());
}

} // namespace
} // namespace pelmar
