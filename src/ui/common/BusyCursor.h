#pragma once

#include <QApplication>
#include <QCursor>

namespace pelmar {

// Shows a busy cursor for as long as it lives. The default, an arrow with a clock, says that
// the window still answers (a stop button can be clicked); a window that takes no input
// meanwhile shows the plain wait cursor.
class TBusyCursor {
public:
    explicit TBusyCursor(Qt::CursorShape shape = Qt::BusyCursor) {
        QApplication::setOverrideCursor(QCursor(shape));
    }
    ~TBusyCursor() { QApplication::restoreOverrideCursor(); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
};

} // namespace pelmar
