#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace pelmar {

// The rectangle spanned by all monitors, always holding the origin.
[[nodiscard]] QRect DesktopBounds(const QList<QRect>& screens);

// A saved window position moved inside the desktop, so a window saved on a monitor that is gone
// reappears where it can be seen. The left and top edges win when the window is larger than
// the desktop.
[[nodiscard]] QPoint ClampWindowPosition(QPoint saved, QSize window, const QList<QRect>& screens);

// The position that centres a window on a screen of the given size.
[[nodiscard]] QPoint CenteredPosition(QSize screen, QSize window);

} // namespace pelmar
