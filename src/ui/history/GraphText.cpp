#include "ui/history/GraphText.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <functional>

namespace pelmar {

namespace {

// Marks that lie along the line in horizontal text and so turn with it in vertical text.
bool turnsWithTheLine(char32_t c) {
    return (c >= 0x3008 && c <= 0x3011) || (c >= 0x3014 && c <= 0x301C) || c == 0x30FC ||
           c == 0xFF08 || c == 0xFF09 || c == 0xFF0D || c == 0xFF1D || c == 0xFF3B ||
           c == 0xFF3D || c == 0xFF5B || c == 0xFF5D || c == 0xFF5E || c == 0xFF5F ||
           c == 0xFF60;
}

// Commas and full stops move to the top right of their cell in vertical text.
bool sitsTopRight(char32_t c) { return c == 0x3001 || c == 0x3002 || c == 0xFF0C || c == 0xFF0E; }

enum class Piece { Turned, Upright };

// Walks the text down its column: each piece with its offset from the top and its length
// along the column. Stops once the column is longer than `limit`.
int walkVertical(const QFontMetrics& metrics, const QString& text, int limit,
                 const std::function<void(Piece, const QString&, int)>& piece) {
    int length = 0;
    QString run;
    const auto flush = [&] {
        if (run.isEmpty())
            return;
        if (piece)
            piece(Piece::Turned, run, length);
        length += metrics.horizontalAdvance(run);
        run.clear();
    };
    for (char32_t c : text.toUcs4()) {
        if (length > limit)
            break;
        if (!IsUprightInVerticalText(c)) {
            run.append(QString::fromUcs4(&c, 1));
            continue;
        }
        flush();
        const QString character = QString::fromUcs4(&c, 1);
        if (piece)
            piece(Piece::Upright, character, length);
        length += metrics.horizontalAdvance(character);
    }
    flush();
    return length;
}

int deviceHeight(const QPainter& painter) {
    return painter.device() != nullptr ? painter.device()->height() : 1 << 20;
}

} // namespace

QFont GothicFont(int pixelSize) {
    QFont font;
    font.setFamilies({QStringLiteral("MS Gothic"), QStringLiteral("ＭＳ ゴシック"),
                      QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans CJK JP"),
                      QStringLiteral("DejaVu Sans")});
    font.setPixelSize(std::max(1, pixelSize));
    return font;
}

QFont HeavyFont(int pixelSize) {
    QFont font;
    font.setFamilies({QStringLiteral("Arial Black"), QStringLiteral("DejaVu Sans")});
    font.setWeight(QFont::Black);
    font.setPixelSize(std::max(1, pixelSize));
    return font;
}

std::optional<QFont> FontFitting(QFont font, const QStringList& texts, int length,
                                 int minPixelSize) {
    for (int size = font.pixelSize(); size >= minPixelSize && size > 0; --size) {
        font.setPixelSize(size);
        const QFontMetrics metrics(font);
        if (std::all_of(texts.begin(), texts.end(), [&](const QString& text) {
                return metrics.horizontalAdvance(text) <= length;
            }))
            return font;
    }
    return std::nullopt;
}

int PointsToPixels(int points) { return (points * 96 + 36) / 72; }

bool IsUprightInVerticalText(char32_t c) {
    if (turnsWithTheLine(c))
        return false;
    return (c >= 0x1100 && c <= 0x11FF) || (c >= 0x2460 && c <= 0x24FF) ||
           (c >= 0x25A0 && c <= 0x27BF) || (c >= 0x2E80 && c <= 0x33FF) ||
           (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) ||
           (c >= 0xAC00 && c <= 0xD7FF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF01 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFF);
}

QSize RotatedTextExtent(const QFont& font, const QString& text, int angle) {
    const QFontMetrics metrics(font);
    const QSize flat(metrics.horizontalAdvance(text), metrics.height());
    return (angle % 180 == 0) ? flat : flat.transposed();
}

void DrawRotatedText(QPainter& painter, int x, int y, const QString& text, int angle,
                     std::optional<QColor> background) {
    const QFontMetrics metrics(painter.font());
    const int w = metrics.horizontalAdvance(text);
    const int h = metrics.height();
    angle = ((angle % 360) + 360) % 360;
    if (background)
        painter.fillRect(QRect(QPoint(x, y), RotatedTextExtent(painter.font(), text, angle)),
                         *background);
    painter.save();
    switch (angle) {
    case 90:
        painter.translate(x, y + w);
        painter.rotate(-90);
        break;
    case 180:
        painter.translate(x + w, y + h);
        painter.rotate(180);
        break;
    case 270:
        painter.translate(x + h, y);
        painter.rotate(90);
        break;
    default:
        painter.translate(x, y);
        break;
    }
    painter.drawText(0, metrics.ascent(), text);
    painter.restore();
}

QSize VerticalTextExtent(const QFont& font, const QString& text) {
    const QFontMetrics metrics(font);
    return QSize(metrics.height(), walkVertical(metrics, text, 1 << 20, {}));
}

void DrawVerticalText(QPainter& painter, int x, int y, const QString& text,
                      std::optional<QColor> background) {
    const QFontMetrics metrics(painter.font());
    const int width = metrics.height();
    // Nothing below the picture's bottom is drawn, so a long title costs no more than a short one.
    const int limit = deviceHeight(painter) - y;
    if (background) {
        const int length = walkVertical(metrics, text, limit, {});
        painter.fillRect(QRect(x, y, width, length), *background);
    }
    walkVertical(metrics, text, limit, [&](Piece kind, const QString& piece, int offset) {
        if (kind == Piece::Turned) {
            painter.save();
            painter.translate(x + width, y + offset);
            painter.rotate(90);
            painter.drawText(0, metrics.ascent(), piece);
            painter.restore();
            return;
        }
        const int advance = metrics.horizontalAdvance(piece);
        int left = x + (width - advance) / 2;
        int baseline = y + offset + (advance + metrics.ascent() - metrics.descent()) / 2;
        if (sitsTopRight(piece.front().unicode())) {
            left += advance * 3 / 5;
            baseline -= advance * 3 / 5;
        }
        painter.drawText(left, baseline, piece);
    });
}

} // namespace pelmar
