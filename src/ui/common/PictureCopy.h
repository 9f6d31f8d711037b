#pragma once

#include <QImage>
#include <QRect>

class QWidget;

namespace pelmar {

// Turns every pixel that is exactly one of the graphs' band colours white, so a picture prints
// on a white page without its coloured background; every other colour stays as it is.
void WhitenBandColors(QImage& image);

// An area of a window as it is shown, as an opaque picture, whitened on request. The window
// draws itself into the picture, so it works on every display server and offscreen.
[[nodiscard]] QImage GrabPicture(QWidget* source, const QRect& area, bool whiten);

// Puts the area's picture on the clipboard; false when there was nothing to take. The caller
// then says so (CopiedPictureMessage).
bool CopyScreenRect(QWidget* source, const QRect& area, bool whiten);

} // namespace pelmar
