#include "ui/common/CopyScreenRect.h"

#include "desktop/GraphColours.h"
#include "ui/common/BgrColor.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPixmap>
#include <QWidget>

#include <algorithm>

namespace pelmar {

void WhitenBandColours(QImage& image) {
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32)
        image.convertTo(QImage::Format_RGB32);
    std::array<QRgb, colours::WhitenedColours.size()> targets{};
    std::transform(colours::WhitenedColours.begin(), colours::WhitenedColours.end(),
                   targets.begin(), [](std::uint32_t bgr) { return QRgb(BgrToRgb(bgr)); });
    const QRgb white = qRgb(255, 255, 255);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb colour = line[x] & 0xFFFFFF;
            if (std::find(targets.begin(), targets.end(), colour) != targets.end())
                line[x] = white;
        }
    }
}

QImage CopyScreenRect(QWidget* widget, const QRect& area, bool whiten,
                      const std::function<void(const QString&)>& tell) {
    QImage picture = widget->grab(area).toImage().convertToFormat(QImage::Format_RGB32);
    if (whiten)
        WhitenBandColours(picture);
    picture.convertTo(QImage::Format_RGB888);
    QGuiApplication::clipboard()->setImage(picture);
    if (tell)
        tell(QString::fromUtf8(PictureCopiedMessage));
    return picture;
}

} // namespace pelmar
