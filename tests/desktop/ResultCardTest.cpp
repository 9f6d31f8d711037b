#include "desktop/ResultCard.h"

#include <gtest/gtest.h>

namespace pelmar {
namespace {

// 42 words in 3 sentences with 7 phrases; 189 letters; grades and styles chosen by hand.
TResultCard sampleCard() {
    TTextCounts totals;
    totals.Sentences = 3;
    totals.Phrases = 7;
    totals.Words = 42;
    totals.Syllables = 57;
    totals.Letters = 189;
    TWholeTextValues whole;
    whole.tenths[std::size_t(ReadabilityIndex::PMJP)] = 73;
    whole.tenths[std::size_t(ReadabilityIndex::PMEN)] = -5;
    whole.tenths[std::size_t(ReadabilityIndex::FKGL)] = 0;
    whole.tenths[std::size_t(ReadabilityIndex::FRES)] = 815;
    whole.tenths[std::size_t(ReadabilityIndex::CLI)] = 999; // not on the card
    whole.styles = {45, 0, 100, 55};
    return MakeResultCard(totals, whole);
}

TEST(ResultCard, CopyGivesTwentyLinesWithTheValuesAsShown) {
    const QStringList expected = {
        QStringLiteral("語数"),
        QStringLiteral("単語数\t42"),
        QStringLiteral("文の数\t3"),
        QStringLiteral("音節数\t57"),
        QStringLiteral("文字数\t189"),
        QStringLiteral("平均"),
        QStringLiteral("文内のフレーズ数\t2.3"),
        QStringLiteral("文内の単語数\t14.0"),
        QStringLiteral("単語内の文字数\t4.5"),
        QStringLiteral("適応学年"),
        QStringLiteral("PMJP\t7.3"),
        QStringLiteral("PMEN\t-0.5"),
        QStringLiteral("Flesch-Kinkaid\t0.0"),
        QStringLiteral("読みやすさ"),
        QStringLiteral("Flesch Reading Ease\t81.5"),
        QStringLiteral("テキストの傾向"),
        QStringLiteral("会話度\t45 %"),
        QStringLiteral("複雑度\t0 %"),
        QStringLiteral("専門度\t100 %"),
        QStringLiteral("一般度\t55 %"),
    };
    const TResultCard card = sampleCard();
    EXPECT_EQ(ResultCardLines(card), expected);
    EXPECT_EQ(ResultCardCopyText(card),
              expected.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

TEST(ResultCard, AveragesRoundToOneDecimal) {
    struct Case {
        std::int32_t total, per;
        const char* shown;
    };
    // Letters per word 7 / 2; half away from zero on the exact quotient.
    const Case cases[] = {{7, 2, "3.5"},  {42, 3, "14.0"}, {1, 8, "0.1"},
                          {1, 16, "0.1"}, {1, 32, "0.0"},  {2147483647, 1, "2147483647.0"}};
    for (const Case& c : cases) {
        TTextCounts totals;
        totals.Sentences = 1;
        totals.Words = c.per;
        totals.Letters = c.total;
        EXPECT_EQ(MakeResultCard(totals, {}).value(TCardValue::LettersPerWord),
                  QString::fromLatin1(c.shown))
            << c.total << "/" << c.per;
    }
}

TEST(ResultCard, NeedsASentenceAndAWord) {
    TTextCounts totals;
    EXPECT_FALSE(CanShowResultCard(totals));
    totals.Sentences = 1;
    EXPECT_FALSE(CanShowResultCard(totals));
    totals.Words = 1;
    EXPECT_TRUE(CanShowResultCard(totals));
    // 65536 * 65536 wraps to 0 in 32 bits; the card still shows.
    totals.Sentences = 65536;
    totals.Words = 65536;
    EXPECT_TRUE(CanShowResultCard(totals));
}

} // namespace
} // namespace pelmar
