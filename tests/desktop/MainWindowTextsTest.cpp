#include "desktop/MainWindowTexts.h"

#include "platform/Cp932.h"

#include <QUrl>

#include <gtest/gtest.h>

namespace pelmar {
namespace {

using namespace Qt::StringLiterals;

TProgramInfo info() {
    TProgramInfo i;
    i.fileVersion = u"0.1.0"_s;
    i.fileTime = QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9));
    i.executablePath = u"/opt/pelmar/pelmar"_s;
    i.systemName = u"Debian GNU/Linux 12 (bookworm)"_s;
    i.systemVersion = u"6.1.0"_s;
    return i;
}

TEST(MainWindowTexts, ConditionsQuestionListsTheCheckedConditions) {
    TMeasureOptions options;
    EXPECT_EQ(ConditionsQuestion(options), QString());
    options.conditions[condition::LineBreakEnds] = true;
    options.conditions[condition::SemicolonKeeps] = true;
    EXPECT_EQ(ConditionsQuestion(options),
              u"特殊な測定条件が適用されています\r\nこのまま 測定しますか？\r\n\r\n"
              "------------------------------\r\n"
              "3 改行を文区切りとする\r\n5 セミコロンを文区切りとしない\r\n"_s);
}

TEST(MainWindowTexts, VersionMessageAndCaptions) {
    EXPECT_EQ(VersionMessage(info()),
              u"----- バージョン情報 -----\r\n\r\n\r\n名前： Pelmar\r\n\r\n"
              "製作・著作： Pelmar developers\r\n\r\nバージョン： 0.1.0\r\n\r\n"
              "作成日： 2024/05/06 07:08\r\n\r\n実行ファイル： /opt/pelmar/pelmar\r\n\r\n"
              "Debian GNU/Linux 12 (bookworm) - 6.1.0"_s);
    EXPECT_EQ(MainCaption(info()), u"Pelmar: 0.1.0"_s);
    EXPECT_EQ(FileCaption(u"/home/t/texts/lesson.one.txt"_s, info()), u"lesson.one - Pelmar"_s);
    EXPECT_EQ(MainCaption(TProgramInfo()), u"Pelmar: 不明"_s);
    EXPECT_EQ(LoadedStatusText(13), u"テキスト13 行"_s);
    EXPECT_EQ(BatchLabelText(0, 3), u"1/3"_s);
    EXPECT_EQ(DefaultSaveTitle(QString()), u"テキスト名 無題"_s);
    EXPECT_EQ(DefaultSaveTitle(u"/a/b/story.txt"_s), u"story"_s);
    EXPECT_EQ(InstructionLines().size(), 13);
}

TEST(MainWindowTexts, SupportMailKeepsItsEncodedLineBreaks) {
    const QString link = SupportMailLink(info(), TMailKind::Question);
    EXPECT_EQ(link, u"mailto:support@pelmar.invalid?cc= &subject=Pelmar質問&body=製品： Pelmar"
                    "%0D%0Aversion： 0.1.0%0D%0Awindows： Debian GNU/Linux 12 (bookworm) - 6.1.0"
                    "%0D%0A用件をお書きください"_s);
    EXPECT_TRUE(SupportMailLink(info(), TMailKind::Other).contains(u"subject=Pelmar利用者より&"_s));
    const QUrl url(link, QUrl::TolerantMode);
    ASSERT_TRUE(url.isValid());
    EXPECT_EQ(url.scheme(), u"mailto"_s);
    const QString encoded = url.toString(QUrl::FullyEncoded);
    EXPECT_TRUE(encoded.contains(u"Pelmar%0D%0Aversion"_s)) << encoded.toStdString();
    EXPECT_TRUE(encoded.contains(u"subject=Pelmar%E8%B3%AA%E5%95%8F&"_s)) << encoded.toStdString();
}

TEST(MainWindowTexts, PaneLinesAgreeWithTheirCount) {
    struct Case {
        QString text;
        std::vector<std::string> lines;
    } cases[] = {
        {u""_s, {}},
        {u"one"_s, {"one"}},
        {u"one\n"_s, {"one"}},
        {u"one\n\ntwo"_s, {"one", "", "two"}},
        {u"\n"_s, {""}},
        {u"a\r\nb\rc"_s, {"a", "b", "c"}},
        {u"日本 e\u0301"_s, {toCp932(u"日本 e\u0301")}},
        {u"a\n\uFEFF"_s, {"a", ""}}, // an invisible last line is still a line
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PaneLines(c.text), c.lines) << c.text.toStdString();
        EXPECT_EQ(PaneLineCount(c.text), static_cast<int>(c.lines.size())) << c.text.toStdString();
    }
    EXPECT_EQ(PaneTextOf(u"a\r\nb\rc\u2029d"_s), u"a\nb\nc\nd"_s);
}

TEST(MainWindowTexts, ResultPaneAndClipboard) {
    const ResultLines lines = {"words\tsylla.", "2\t3", "", "total\t5\t"};
    const QString pane = ResultPaneText(lines);
    EXPECT_EQ(pane, u"words\tsylla.\n2\t3\n\ntotal\t5\t"_s);
    EXPECT_EQ(ClipboardText(pane), QString::fromStdString(CopyText(lines)));
    EXPECT_EQ(ClipboardText(u"\n \tx\ty\t\n\n"_s), u"x\ty"_s);
    EXPECT_EQ(ClipboardText(QString()), QString());
}

} // namespace
} // namespace pelmar
