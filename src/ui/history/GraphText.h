#pragma once

#include <QColor>
#include <QFont>
#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>

class QPainter;

namespace pelmar {

// The graph's faces: a gothic with Japanese glyphs, and a heavy sans for the band names.
// Sizes are in pixels, so a picture looks the same on every screen.
[[nodiscard]] QFont GothicFont(int pixelSize);
[[nodiscard]] QFont HeavyFont(int pixelSize);
// A size given in points at the 96 dots per inch the graph was designed for.
[[nodiscard]] int PointsToPixels(int points);

// The font, made smaller where needed so that none of the texts is longer than `length`
// pixels; nothing when it would have to be smaller than `minPixelSize` to fit.
[[nodiscard]] std::optional<QFont> FontFitting(QFont font, const QStringList& texts, int length,
                                               int minPixelSize);

// Text turned by 0, 90, 180 or 270 degrees counterclockwise; (x, y) is the top-left corner of
// the turned text's box, which a background colour fills first.
void DrawRotatedText(QPainter& painter, int x, int y, const QString& text, int angle,
                     std::optional<QColor> background = std::nullopt);
[[nodiscard]] QSize RotatedTextExtent(const QFont& font, const QString& text, int angle);

// Vertical writing, reading downwards: Japanese characters stand upright one under the other,
// Latin text and the marks that lie along the line (long vowels, dashes, brackets) are turned
// a quarter clockwise. (x, y) is the top-left corner of the column, which is as wide as the
// font is high.
void DrawVerticalText(QPainter& painter, int x, int y, const QString& text,
                      std::optional<QColor> background = std::nullopt);
[[nodiscard]] QSize VerticalTextExtent(const QFont& font, const QString& text);

// Whether a character stands upright in vertical writing.
[[nodiscard]] bool IsUprightInVerticalText(char32_t c);

} // namespace pelmar
