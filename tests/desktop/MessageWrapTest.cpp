#include "desktop/MessageWrap.h"

#include <gtest/gtest.h>

namespace pelmar {
namespace {

using namespace Qt::StringLiterals;

// Latin characters and blanks 6 pixels wide, Japanese ones 12.
int widthOf(const QString& text) {
    int width = 0;
    for (const QChar c : text)
        width += c.unicode() >= 0x3000 ? 12 : 6;
    return width;
}

QStringList wrap(const QString& text, int preferred, int widest) {
    return WrapMessageText(text, {preferred, widest}, widthOf);
}

TEST(MessageWrap, LatinBreaksAtBlanksOnlyAndKeepsParagraphs) {
    EXPECT_EQ(wrap(u"aaaa bbbb cccc dddd"_s, 60, 200), QStringList({"aaaa bbbb", "cccc dddd"}));
    // Blanks at a break are dropped; a paragraph's own indent and empty lines stay.
    EXPECT_EQ(wrap(u"one   two\r\n\r\n  three"_s, 24, 200),
              QStringList({"one", "two", "", "  three"}));
    EXPECT_EQ(wrap(u"  aaaa bbbb"_s, 24, 200), QStringList({"  aaaa", "bbbb"}));
    // A word without blanks stays on one line as far as the screen allows, wider than preferred.
    const QString word(50, QLatin1Char('w'));
    EXPECT_EQ(wrap(word + u" x"_s, 120, 400), QStringList({word, "x"}));
    // Beyond the screen it must be split, into lines that fit.
    const QString longWord(100, QLatin1Char('w'));
    const QStringList split = wrap(longWord, 120, 400);
    EXPECT_EQ(split, QStringList({longWord.left(66), longWord.mid(66)}));
}

TEST(MessageWrap, APathStaysWholeWhereTheScreenAllows) {
    const QString path = u"/home/t/.local/share/pelmar/datas/Reading_Unit_3.hst"_s; // 312 pixels
    const QString message = u"履歴ファイル "_s + path + u" を読み込めません"_s;
    EXPECT_EQ(wrap(message, 120, 600), QStringList({"履歴ファイル", path, "を読み込めません"}));
    // Too wide for the screen, it is split after the last separator that fits.
    EXPECT_EQ(wrap(message, 120, 150),
              QStringList({"履歴ファイル", "/home/t/.local/share/", "pelmar/datas/",
                           "Reading_Unit_3.hst を読み", "込めません"}));
}

TEST(MessageWrap, JapaneseBreaksBetweenCharactersButNotAtForbiddenPlaces) {
    struct Case {
        const char16_t* text;
        int width;
        QStringList lines;
    } cases[] = {
        {u"ああああああ", 48, {"ああああ", "ああ"}},
        // Not before a full stop or a small kana, not after an opening bracket.
        {u"ああああ。いい", 48, {"あああ", "あ。いい"}},
        {u"ああちょっと", 36, {"ああ", "ちょっ", "と"}},
        {u"ああ「いい」", 36, {"ああ", "「い", "い」"}},
        // A Latin run among Japanese stays whole; a break may fall on either side of it.
        {u"Unit3の読解", 24, {"Unit3", "の読", "解"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(wrap(QString::fromUtf16(c.text), c.width, 400), c.lines)
            << QString::fromUtf16(c.text).toStdString();
}

TEST(MessageWrap, WidthsLeaveRoomForTheIconAndMargins) {
    const TMsgTextWidths info = MessageTextWidths(6, TMsgKind::Information, QSize(1024, 768));
    EXPECT_EQ(info.preferred, 512);
    EXPECT_EQ(info.widest, 1024 - 2 * 12 - 32 - 15 - 16);
    EXPECT_EQ(MessageTextWidths(6, TMsgKind::Custom, QSize(1024, 768)).widest, 1024 - 2 * 12 - 16);
}

} // namespace
} // namespace pelmar
