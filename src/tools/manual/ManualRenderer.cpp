#include "tools/manual/ManualRenderer.h"

#include "tools/manual/ManualSource.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QImageReader>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>

#include <vector>

namespace pelmar::manual {

namespace {

constexpr qreal BodyPoints = 10.5;
constexpr qreal FixedPoints = 9;
constexpr qreal HeadingPoints[] = {0, 20, 15, 12.5, 11};
constexpr qreal TabStop = 48; // screen pixels
constexpr qreal LineSpacing = 135; // percent of the font's own
const QColor HeadingColor(0x1c, 0x4f, 0x86);
const QColor RuleColor(0xb7, 0xc4, 0xd3);
const QColor ShadeColor(0xee, 0xf3, 0xf8);

struct TPage {
    QSizeF body;      // device units
    qreal footer = 0; // height of the band with the page number
};

QString loadFamily(const QString& path, QString* error) {
    const int id = QFontDatabase::addApplicationFont(path);
    const QStringList families = id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty())
        *error = QStringLiteral("%1: not a font that can be loaded").arg(path);
    return families.value(0);
}

std::vector<QTextBlock> blocks(const QTextDocument& document) {
    std::vector<QTextBlock> all;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        all.push_back(block);
    return all;
}

bool isCodeBlock(const QTextBlock& block) {
    return block.blockFormat().hasProperty(QTextFormat::BlockCodeFence) ||
           block.blockFormat().hasProperty(QTextFormat::BlockCodeLanguage) ||
           block.blockFormat().nonBreakableLines();
}

// Fonts, sizes and spacing of every paragraph; fixed-width text gets the fixed font.
void styleText(QTextDocument& document, const QString& regular, const QString& fixed) {
    for (const QTextBlock& block : blocks(document)) {
        QTextCursor cursor(block);
        const int level = block.blockFormat().headingLevel();
        QTextBlockFormat format = block.blockFormat();
        if (level > 0) {
            QTextCharFormat heading;
            heading.setFontFamilies({regular});
            heading.setFontPointSize(HeadingPoints[std::min(level, 4)]);
            heading.setFontWeight(QFont::Bold);
            heading.setForeground(HeadingColor);
            cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
            cursor.mergeCharFormat(heading);
            format.setTopMargin(level == 1 ? 0 : 14);
            format.setBottomMargin(level == 1 ? 16 : 6);
            if (level == 1 && block.position() > 0)
                format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(block).setBlockFormat(format);
            continue;
        }
        const bool code = isCodeBlock(block);
        bool picture = false;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextCharFormat chars = fragment.charFormat();
            picture = picture || chars.isImageFormat();
            const bool fixedText = code || chars.fontFixedPitch();
            chars.setFontFamilies({fixedText ? fixed : regular});
            chars.setFontPointSize(fixedText ? FixedPoints : BodyPoints);
            QTextCursor range(&document);
            range.setPosition(fragment.position());
            range.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            range.setCharFormat(chars);
        }
        if (code) {
            // A long result line wraps rather than running off the page.
            format.setNonBreakableLines(false);
            format.setBackground(ShadeColor);
            format.setLeftMargin(8);
            format.setRightMargin(8);
        } else if (!picture) {
            // Airy lines for reading; a picture's line keeps the picture's own height.
            format.setLineHeight(LineSpacing, QTextBlockFormat::ProportionalHeight);
        }
        QTextCursor(block).setBlockFormat(format);
    }
}

void styleTables(QTextFrame* frame) {
    for (QTextFrame* child : frame->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(child)) {
            QTextTableFormat format = table->format();
            format.setBorder(1);
            format.setBorderBrush(RuleColor);
            format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
            format.setBorderCollapse(true);
            format.setCellSpacing(0);
            format.setCellPadding(4);
            format.setHeaderRowCount(1);
            format.setTopMargin(4);
            format.setBottomMargin(10);
            table->setFormat(format);
            for (int column = 0; column < table->columns(); ++column) {
                QTextTableCell cell = table->cellAt(0, column);
                QTextCharFormat head = cell.format();
                head.setBackground(ShadeColor);
                head.setFontWeight(QFont::Bold);
                cell.setFormat(head);
            }
        }
        styleTables(child);
    }
}

// Pictures no wider than the text, keeping their proportions.
void fitImages(QTextDocument& document, const QString& folder, qreal textWidth) {
    for (const QTextBlock& block : blocks(document)) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            QTextImageFormat image = it.fragment().charFormat().toImageFormat();
            if (!image.isValid())
                continue;
            const QSize size = QImageReader(QDir(folder).filePath(image.name())).size();
            if (!size.isValid() || size.width() <= 0)
                continue;
            const qreal width = std::min<qreal>(size.width(), textWidth);
            image.setWidth(width);
            image.setHeight(width * size.height() / size.width());
            QTextCursor cursor(&document);
            cursor.setPosition(it.fragment().position());
            cursor.setPosition(it.fragment().position() + it.fragment().length(),
                               QTextCursor::KeepAnchor);
            cursor.setCharFormat(image);
        }
    }
}

int pageOf(const QTextDocument& document, const QTextBlock& block) {
    const QRectF box = document.documentLayout()->blockBoundingRect(block);
    return int(box.top() / document.pageSize().height());
}

// A heading that would end a page moves to the next one with its text.
void keepHeadingsWithText(QTextDocument& document) {
    for (bool moved = true; moved;) {
        moved = false;
        for (const QTextBlock& block : blocks(document)) {
            const QTextBlock next = block.next();
            if (block.blockFormat().headingLevel() == 0 || !next.isValid())
                continue;
            if (block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
                continue;
            if (pageOf(document, block) == pageOf(document, next))
                continue;
            QTextBlockFormat format = block.blockFormat();
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(block).setBlockFormat(format);
            // Qt lays out only from the changed block on and leaves tables further down where
            // they were: everything is laid out again.
            document.markContentsDirty(0, document.characterCount());
            moved = true;
            break;
        }
    }
}

// Cursors, not blocks or positions: they follow the edits that come after.
struct TContentsLine {
    QTextCursor line;    // the line in the contents
    QTextCursor heading; // the chapter or section it names
};

QTextBlock findBlock(const QTextDocument& document, const QString& text) {
    for (const QTextBlock& block : blocks(document))
        if (block.text() == text)
            return block;
    return {};
}

// Replaces the contents paragraph by one line per chapter and section after it, each with a
// right-aligned place for its page number.
std::vector<TContentsLine> insertContents(QTextDocument& document, const QString& regular,
                                          qreal textWidth) {
    const QTextBlock placeholder = findBlock(document, QString::fromUtf8(ContentsDirective));
    if (!placeholder.isValid())
        return {};
    std::vector<QTextBlock> targets;
    for (const QTextBlock& block : blocks(document)) {
        const int level = block.blockFormat().headingLevel();
        if (block.position() > placeholder.position() && (level == 1 || level == 2))
            targets.push_back(block);
    }
    QTextCursor cursor(placeholder);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    const QTextBlockFormat original = placeholder.blockFormat();
    std::vector<int> positions;
    for (std::size_t i = 0; i < targets.size(); ++i) {
        const bool chapter = targets[i].blockFormat().headingLevel() == 1;
        if (i > 0)
            cursor.insertBlock();
        QTextBlockFormat format = original;
        format.setTopMargin(chapter ? 8 : 0);
        format.setTabPositions({QTextOption::Tab(textWidth - 1, QTextOption::RightTab)});
        cursor.setBlockFormat(format);
        QTextCharFormat chars;
        chars.setFontFamilies({regular});
        chars.setFontPointSize(BodyPoints);
        chars.setFontWeight(chapter ? QFont::Bold : QFont::Normal);
        positions.push_back(cursor.position());
        // Sections are set in by a wide space, not a margin, so every number ends at one tab.
        const QString indent = chapter ? QString() : QStringLiteral("\u3000");
        cursor.insertText(indent + targets[i].text() + QStringLiteral("\t000"), chars);
    }
    std::vector<TContentsLine> lines;
    for (std::size_t i = 0; i < targets.size(); ++i) {
        QTextCursor line(&document);
        line.setPosition(positions[i]);
        lines.push_back({line, QTextCursor(targets[i])});
    }
    return lines;
}

// Writes each heading's page into its contents line; the line keeps its length in lines.
void numberContents(QTextDocument& document, const std::vector<TContentsLine>& lines) {
    for (const TContentsLine& entry : lines) {
        const QTextBlock line = entry.line.block();
        const int tab = int(line.text().lastIndexOf(QLatin1Char('\t')));
        QTextCursor cursor(&document);
        cursor.setPosition(line.position() + tab + 1);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        cursor.insertText(QString::number(pageOf(document, entry.heading.block()) + 1));
    }
}

TPage pageGeometry(QPdfWriter& writer) {
    const QRectF paint = writer.pageLayout().paintRectPixels(writer.resolution());
    const qreal footer = writer.resolution() * 0.4; // 0.4 inch for the page number
    return {QSizeF(paint.width(), paint.height() - footer), footer};
}

} // namespace

namespace detail {

QString LayOutManual(QTextDocument& document, const QString& markdown,
                     const TRenderOptions& options, QPdfWriter& writer) {
    QString error;
    const QString regular = loadFamily(options.regularFont, &error);
    if (!error.isEmpty())
        return error;
    const QString fixed = loadFamily(options.fixedFont, &error);
    if (!error.isEmpty())
        return error;

    document.setDocumentMargin(0);
    document.setDefaultFont(QFont(regular, int(BodyPoints)));
    document.setBaseUrl(QUrl::fromLocalFile(QDir(options.imageFolder).absolutePath() + QLatin1Char('/')));
    document.setMarkdown(markdown);
    // Result rows are tab-separated: stops of eight narrow characters keep a row of twenty
    // short numbers on one line of the page.
    QTextOption tabs = document.defaultTextOption();
    tabs.setTabStopDistance(TabStop);
    document.setDefaultTextOption(tabs);
    const TPage page = pageGeometry(writer);

    // Styling touches every fragment: it is done before the document has a layout, which
    // would otherwise be redone after each change.
    // Picture widths are in screen pixels (a 96 dpi inch) whatever the device.
    const qreal textWidthScreen = page.body.width() * 96.0 / writer.resolution();
    styleText(document, regular, fixed);
    styleTables(document.rootFrame());
    fitImages(document, options.imageFolder, textWidthScreen);
    const std::vector<TContentsLine> contents = insertContents(document, regular, textWidthScreen);

    document.documentLayout()->setPaintDevice(&writer);
    document.setPageSize(page.body);
    keepHeadingsWithText(document);
    numberContents(document, contents);
    return {};
}

} // namespace detail

TRenderResult RenderManual(const QString& markdown, const QString& pdfPath,
                           const TRenderOptions& options) {
    QPdfWriter writer(pdfPath);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(20, 18, 20, 12), QPageLayout::Millimeter);
    writer.setResolution(300);
    writer.setTitle(options.title);
    writer.setCreator(QStringLiteral("Pelmar"));

    QTextDocument document;
    if (const QString error = detail::LayOutManual(document, markdown, options, writer);
        !error.isEmpty())
        return {error};
    const TPage page = pageGeometry(writer);

    QPainter painter;
    if (!painter.begin(&writer))
        return {QStringLiteral("%1: cannot be written").arg(pdfPath)};
    const int pages = document.pageCount();
    QFont footerFont(document.defaultFont());
    footerFont.setPointSizeF(9);
    for (int i = 0; i < pages; ++i) {
        if (i > 0)
            writer.newPage();
        painter.save();
        painter.translate(0, -i * page.body.height());
        const QRectF area(0, i * page.body.height(), page.body.width(), page.body.height());
        painter.setClipRect(area);
        // A line moved to the next page starts exactly at this page's foot; the layout would
        // draw it here too, and the clip lets the tips of its letters through.
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = area.adjusted(0, 0, 0, -1);
        document.documentLayout()->draw(&painter, context);
        painter.restore();
        // The title page goes without a number.
        if (i > 0) {
            painter.setFont(footerFont);
            painter.setPen(Qt::darkGray);
            painter.drawText(QRectF(0, page.body.height(), page.body.width(), page.footer),
                             Qt::AlignHCenter | Qt::AlignBottom, QString::number(i + 1));
        }
    }
    if (!painter.end())
        return {QStringLiteral("%1: cannot be written").arg(pdfPath)};
    return {QString(), pages};
}

} // namespace pelmar::manual
