#include "fly/FlyTexts.h"

#include <gtest/gtest.h>

namespace pelmar {
namespace {

TEST(FlyTexts, PressShowsTheGradeThenTheFormulasDescription) {
    const QString text = FlyPressText(75, 9);
    EXPECT_TRUE(text.startsWith(QStringLiteral("GL = 7.5\r\n\r\nPMJP\r\n----------------\r\n"
                                               "PMJP (GL for Japanese Readers)\r\n")));
    EXPECT_TRUE(text.endsWith(QStringLiteral("\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("ARI")) == false);

    const std::pair<std::int32_t, const char*> grades[] = {{-5, "GL = -0.5\r\n"},
                                                           {0, "GL = 0.0\r\n"},
                                                           {135, "GL = 13.5\r\n"},
                                                           {1234, "GL = 123.4\r\n"}};
    for (const auto& [tenths, first] : grades)
        EXPECT_TRUE(FlyPressText(tenths, 18).startsWith(QString::fromLatin1(first))) << tenths;
    EXPECT_TRUE(FlyPressText(0, 18).contains(QStringLiteral("\r\nARI\r\n")));
}

TEST(FlyTexts, StyleCaptionsAndTheWordCount) {
    EXPECT_EQ(StyleCaptionText(1),
              QStringLiteral("Complex\r\n複雑で長い文章\r\n-----------------\r\n\r\n"
                             "a complex text style such as high school textbooks, speech scripts, "
                             "articles, theses and so on"));
    EXPECT_TRUE(StyleCaptionText(3).startsWith(QStringLiteral("General\r\n一般的な文章\r\n")));
    EXPECT_TRUE(StyleCaptionText(4).isEmpty());
    EXPECT_EQ(GaugeCaption(2), QStringLiteral("Technical"));

    EXPECT_EQ(FlyWordsText(QStringLiteral("Aesop"), 1234), QStringLiteral("1234 words"));
    EXPECT_EQ(FlyWordsText(QString(), 1234), QString());
}

} // namespace
} // namespace pelmar
