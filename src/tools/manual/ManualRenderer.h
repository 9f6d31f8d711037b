#pragma once

#include <QString>

class QPdfWriter;
class QTextDocument;

namespace pelmar::manual {

struct TRenderOptions {
    QString regularFont;   // font file of the text (proportional)
    QString fixedFont;     // font file of commands, results and formula blocks
    QString title;         // the PDF's document title
    QString imageFolder;   // where relative picture paths start
};

struct TRenderResult {
    QString error; // empty on success
    int pages = 0;
};

// Lays out the manual's Markdown on A4 pages, with the two fonts embedded, and writes the PDF.
// Each top-level chapter starts a page, a heading never ends a page, pictures are scaled down
// to the text width, and the "{{contents}}" paragraph becomes a table of contents with page
// numbers. Needs a QGuiApplication (the offscreen platform will do).
[[nodiscard]] TRenderResult RenderManual(const QString& markdown, const QString& pdfPath,
                                         const TRenderOptions& options);

namespace detail {
// The layout step alone: fonts loaded, Markdown read and styled, pages set for the writer, the
// contents numbered. Returns an error text, empty on success.
[[nodiscard]] QString LayOutManual(QTextDocument& document, const QString& markdown,
                                   const TRenderOptions& options, QPdfWriter& writer);
} // namespace detail

} // namespace pelmar::manual
