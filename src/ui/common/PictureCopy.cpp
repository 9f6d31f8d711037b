#include "ui/common/PictureCopy.h"

#include "history/GraphStyle.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPixmap>
#include <QWidget>

#include <algorithm>
#include <array>

namespace pelmar {

void WhitenBandColors(QImage& image) {
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32)
        image = image.convertToFormat(QImage::Format_RGB32);
    std::array<QRgb, BandColors.size()> bands{};
    std::transform(BandColors.begin(), BandColors.end(), bands.begin(), [](TColorRef c) {
        return qRgb(RedOf(c), GreenOf(c), BlueOf(c));
    });
    const QRgb white = qRgb(255, 255, 255);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb colour = line[x] | 0xFF000000u;
            if (std::find(bands.begin(), bands.end(), colour) != bands.end())
                line[x] = white;
        }
    }
}

QImage GrabPicture(QWidget* source, const QRect& area, bool whiten) {
    if (source == nullptr || area.isEmpty())
        return {};
    QImage picture = source->grab(area).toImage().convertToFormat(QImage::Format_RGB32);
    if (whiten)
        WhitenBandColors(picture);
    return picture;
}

bool CopyScreenRect(QWidget* source, const QRect& area, bool whiten) {
    const QImage picture = GrabPicture(source, area, whiten);
    if (picture.isNull())
        return false;
    QGuiApplication::clipboard()->setImage(picture);
    return true;
}

} // namespace pelmar
