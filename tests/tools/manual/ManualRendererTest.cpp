#include "tools/manual/ManualRenderer.h"

#include <QAbstractTextDocumentLayout>
#include <memory>
#include <QFile>
#include <QImage>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <gtest/gtest.h>

namespace pelmar::manual {
namespace {

using namespace Qt::StringLiterals;

TRenderOptions options(const QString& folder) {
    TRenderOptions o;
    o.regularFont = QStringLiteral(PELMAR_MANUAL_FONT);
    o.fixedFont = QStringLiteral(PELMAR_MANUAL_FIXED_FONT);
    o.title = u"Test"_s;
    o.imageFolder = folder;
    return o;
}

const QString Manual = u"# 表紙\n\n{{contents}}\n\n# 第一章\n\n本文。\n\n## 節\n\n"
                       "| a | b |\n| --- | --- |\n| 1 | 2 |\n\n![画面](wide.png)\n\n"
                       "```\n$ pelmar-count\nwords\t4\n```\n\n# 第二章\n\n`code` です。\n"_s;

class ManualRendererTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        // A picture far wider than a page.
        QImage wide(3000, 300, QImage::Format_RGB32);
        wide.fill(Qt::white);
        ASSERT_TRUE(wide.save(m_dir.filePath(u"wide.png"_s)));
    }
    QTemporaryDir m_dir;
};

TEST_F(ManualRendererTest, ChaptersStartPagesAndTheContentsNameThem) {
    QPdfWriter writer(m_dir.filePath(u"layout.pdf"_s));
    QTextDocument document;
    ASSERT_EQ(detail::LayOutManual(document, Manual, options(m_dir.path()), writer), QString());
    EXPECT_EQ(document.pageCount(), 3);
    QStringList contents;
    // The contents are the first lines with a tab; the example block has one too.
    for (QTextBlock block = document.begin(); block.isValid() && contents.size() < 3;
         block = block.next())
        if (block.text().contains(u'\t'))
            contents << block.text();
    EXPECT_EQ(contents, (QStringList{u"第一章\t2"_s, u"\u3000節\t2"_s, u"第二章\t3"_s}));
}

// Many sections of different lengths, so that several headings fall at the foot of a page and
// move to the next one, with the tables under them.
TEST_F(ManualRendererTest, MovingHeadingsLeavesTheLayoutAFreshOneWouldGive) {
    QString markdown = u"# 表紙\n\n{{contents}}\n\n# 本文\n\n"_s;
    for (int n = 0; n < 60; ++n) {
        for (int line = 0; line < n % 7 + 1; ++line)
            markdown += u"英文の音節を数えて、読みやすさを確かめるための段落です。"_s.repeated(3) + u"\n\n"_s;
        // A heading straight above a table moves with the table's first row.
        markdown += u"## 節 %1\n\n| a | b |\n| --- | --- |\n"_s.arg(n);
        for (int row = 0; row < n % 4 + 1; ++row)
            markdown += u"| %1 | %2 |\n"_s.arg(row).arg(n);
        markdown += u"\n"_s;
    }
    QPdfWriter writer(m_dir.filePath(u"long.pdf"_s));
    QTextDocument document;
    ASSERT_EQ(detail::LayOutManual(document, markdown, options(m_dir.path()), writer), QString());
    ASSERT_GT(document.pageCount(), 10);

    // The layout after the moves must be the one a fresh layout of the same text gives:
    // Qt relays out only from a changed paragraph on, and had left tables further down
    // where they were, drawn over the text that moved onto them.
    std::unique_ptr<QTextDocument> fresh(document.clone());
    fresh->setDefaultFont(document.defaultFont());
    fresh->setDefaultTextOption(document.defaultTextOption());
    fresh->documentLayout()->setPaintDevice(&writer);
    fresh->setPageSize(document.pageSize());
    EXPECT_EQ(document.pageCount(), fresh->pageCount());

    int moved = 0;
    QTextBlock other = fresh->begin();
    for (QTextBlock block = document.begin(); block.isValid() && other.isValid();
         block = block.next(), other = other.next()) {
        if (block.blockFormat().headingLevel() == 0)
            continue;
        const qreal top = document.documentLayout()->blockBoundingRect(block).top();
        const qreal freshTop = fresh->documentLayout()->blockBoundingRect(other).top();
        EXPECT_NEAR(top, freshTop, 1.0) << block.text().toStdString();
        if (block.blockFormat().headingLevel() == 2 &&
            block.blockFormat().pageBreakPolicy() != QTextFormat::PageBreak_Auto)
            ++moved;
    }
    EXPECT_GT(moved, 0) << "no heading had to move: the test proves nothing";
}

TEST_F(ManualRendererTest, WritesAPdfWithTheFontsEmbedded) {
    const QString pdf = m_dir.filePath(u"manual.pdf"_s);
    const TRenderResult result = RenderManual(Manual, pdf, options(m_dir.path()));
    ASSERT_EQ(result.error, QString());
    EXPECT_EQ(result.pages, 3);
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString bytes = QString::fromLatin1(file.readAll());
    EXPECT_TRUE(bytes.startsWith(u"%PDF-"_s));
    static const QRegularExpression page(u"/Type\\s*/Page[^s]"_s);
    EXPECT_EQ(bytes.count(page), 3);
    // Every font is one of the two given, and carried inside the file.
    static const QRegularExpression font(u"/BaseFont\\s*/(\\S+)"_s);
    QStringList fonts;
    for (auto it = font.globalMatch(bytes); it.hasNext();)
        fonts << it.next().captured(1);
    ASSERT_FALSE(fonts.isEmpty());
    for (const QString& name : fonts)
        EXPECT_TRUE(name.contains(u"IPA"_s)) << name.toStdString();
    EXPECT_GE(bytes.count(u"/FontFile2"_s), 2);
}

TEST_F(ManualRendererTest, FailuresAreReportedNotWritten) {
    TRenderOptions badFont = options(m_dir.path());
    badFont.fixedFont = m_dir.filePath(u"wide.png"_s);
    EXPECT_TRUE(RenderManual(Manual, m_dir.filePath(u"a.pdf"_s), badFont)
                    .error.contains(u"not a font"_s));
    EXPECT_TRUE(RenderManual(Manual, m_dir.filePath(u"no/such/folder/a.pdf"_s),
                             options(m_dir.path()))
                    .error.contains(u"cannot be written"_s));
}

} // namespace
} // namespace pelmar::manual
