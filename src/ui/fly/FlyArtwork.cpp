#include "ui/fly/FlyArtwork.h"

#include "desktop/GraphColours.h"
#include "fly/GLFlies.h"
#include "measure/Vocabulary.h"
#include "ui/common/BgrColor.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace pelmar {

namespace {

QColor mix(const QColor& a, const QColor& b, double share) {
    return QColor::fromRgbF(float(a.redF() * (1 - share) + b.redF() * share),
                            float(a.greenF() * (1 - share) + b.greenF() * share),
                            float(a.blueF() * (1 - share) + b.blueF() * share));
}

QFont badgeFont(int pixels) {
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Nimbus Sans"),
                      QStringLiteral("IPAPGothic")});
    font.setPixelSize(pixels);
    font.setBold(true);
    return font;
}

} // namespace

QImage FlyBadge(int entry, bool mirrored) {
    const int w = FlyDesignWidth;
    const int h = FlyDesignHeight;
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    const QColor line =
        BgrColor(colours::FormulaLineColours[std::size_t(qBound(0, entry, FlyCount - 1))]);
    const QColor body = mix(line, Qt::white, 0.78);
    const QColor edge = mix(line, Qt::black, 0.35);

    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath capsule;
    capsule.addRoundedRect(QRectF(1.5, 1.5, w - 3, h - 3), (h - 3) / 2.0, (h - 3) / 2.0);

    QLinearGradient shade(0, 0, 0, h);
    shade.setColorAt(0, mix(body, Qt::white, 0.5));
    shade.setColorAt(1, body);
    p.fillPath(capsule, shade);

    // The head: the capsule's rounded end and a little more, in the line colour.
    const int headWidth = h + 6;
    const QRectF headArea =
        mirrored ? QRectF(w - headWidth, 0, headWidth, h) : QRectF(0, 0, headWidth, h);
    QPainterPath head;
    head.addRect(headArea);
    QLinearGradient headShade(0, 0, 0, h);
    headShade.setColorAt(0, mix(line, Qt::white, 0.25));
    headShade.setColorAt(1, mix(line, Qt::black, 0.15));
    p.fillPath(capsule.intersected(head), headShade);

    // A highlight on the head, so it reads as the front of the fly.
    const qreal eyeX = mirrored ? w - headWidth / 2.0 - 4 : headWidth / 2.0 + 4;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 170));
    p.drawEllipse(QPointF(eyeX, h * 0.36), 7, 7);

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(edge, 2.5));
    p.drawPath(capsule);

    const auto key = vocab::ColumnKeys[std::size_t(qBound(0, entry, FlyCount - 1) + 9)];
    p.setFont(badgeFont(30));
    p.setPen(mix(line, Qt::black, 0.6));
    const QRectF textArea = mirrored ? QRectF(8, 0, w - headWidth - 12, h)
                                     : QRectF(headWidth + 4, 0, w - headWidth - 12, h);
    p.drawText(textArea, Qt::AlignCenter, QString::fromLatin1(key.data(), qsizetype(key.size())));
    return image;
}

QImage HeaderBackground(QSize size) {
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient sky(0, 0, 0, image.height());
    sky.setColorAt(0, QColor(0xDD, 0xEC, 0xFA));
    sky.setColorAt(1, QColor(0xFB, 0xFD, 0xFF));
    p.fillRect(image.rect(), sky);
    // A faint band of the scale's stage colours along the bottom edge.
    const std::uint32_t stages[] = {0x8FEAED, 0x8F8FED, 0x92DE94, 0xEDDC8F};
    const int step = (image.width() + 3) / 4;
    for (int i = 0; i < 4; ++i) {
        QColor c = BgrColor(stages[i]);
        c.setAlpha(140);
        p.fillRect(QRect(i * step, image.height() - 3, step, 3), c);
    }
    return image;
}

QImage FlyLogo() {
    QImage image(168, 46, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QColor grey(0x90, 0x90, 0x90);
    QFont word = badgeFont(28);
    word.setItalic(true);
    p.setFont(word);
    p.setPen(grey);
    p.drawText(QRect(0, 0, 112, 46), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Pelmar"));
    p.setFont(badgeFont(22));
    p.setPen(grey.lighter(115));
    p.drawText(QRect(112, 0, 56, 46), Qt::AlignCenter, QStringLiteral("8+2"));
    return image;
}

QIcon FlyButtonIcon() {
    const QImage badge =
        FlyBadge(0, false).scaled(40, 11, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return QIcon(QPixmap::fromImage(badge));
}

} // namespace pelmar
