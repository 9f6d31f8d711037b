#pragma once

#include <QImage>
#include <QRect>
#include <QString>

#include <functional>

class QWidget;

namespace pelmar {

inline constexpr char PictureCopiedMessage[] =
    "クリップボードにコピーしました\r\n画像ソフトやワードに貼り付けられます";

// Turns white every pixel that is exactly one of the graphs' band colours or silver; any other
// colour, even one step away, stays. For pictures pasted into a worksheet or a handout, where
// the coloured bands would only cost ink.
void WhitenBandColours(QImage& image);

// Copies what `widget` shows in `area` (widget coordinates) as a 24-bit picture, whitened when
// asked, puts it on the clipboard and tells the user through `tell`. Returns the picture.
QImage CopyScreenRect(QWidget* widget, const QRect& area, bool whiten,
                      const std::function<void(const QString&)>& tell);

} // namespace pelmar
