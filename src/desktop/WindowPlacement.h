#pragma once

#include <QList>
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

namespace pelmar {

// The rectangle spanned by all monitors, always holding the origin.
[[nodiscard]] QRect DesktopBounds(const QList<QRect>& screens);

// A saved window position moved inside the desktop, so a window saved on a monitor that is gone
// reappears where it can be seen. The left and top edges win when the window is larger than
// the desktop. (The main window uses PlaceWindow, which also fits the size and the frame.)
[[nodiscard]] QPoint ClampWindowPosition(QPoint saved, QSize window, const QList<QRect>& screens);

// The position that centres a window on a screen of the given size.
[[nodiscard]] QPoint CenteredPosition(QSize screen, QSize window);

// What a window's place is restored from. The saved values may be missing or damaged.
struct TPlacementInput {
    std::optional<int> left, top;     // the frame's top-left corner, as saved
    std::optional<int> width, height; // the client area, as saved
    QSize defaultSize;                // used where a saved size is missing or impossible
    QSize minimumSize;
    QMargins frame;                   // the frame the window manager draws around the client
    QList<QRect> screens;             // the available area of each screen
    int primary = 0;                  // the screen a window without a saved place is centred on
};

struct TPlacement {
    QPoint framePosition;
    QSize clientSize;
};

// Fits a window, frame included, into the available area of one screen: the screen the saved
// place overlaps most, else the nearest one. The size shrinks to fit (never below the minimum);
// the position moves inside, the left and top edges winning when the window is still larger.
// A missing or impossible size (zero, negative) is the default; a missing position centres the
// window on the primary screen.
[[nodiscard]] TPlacement PlaceWindow(const TPlacementInput& in);

} // namespace pelmar
