#pragma once

#include <QApplication>
#include <QCursor>

namespace pelmar {

// Shows the busy cursor (an arrow with a clock: the stop button can still be clicked) for as
// long as it lives.
class TBusyCursor {
public:
    TBusyCursor() { QApplication::setOverrideCursor(QCursor(Qt::BusyCursor)); }
    ~TBusyCursor() { QApplication::restoreOverrideCursor(); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
};

} // namespace pelmar
