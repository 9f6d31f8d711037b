#pragma once

#include "fly/GLFlies.h"

#include <QElapsedTimer>
#include <QObject>

#include <array>
#include <cstdint>
#include <functional>

class QTimer;

namespace pelmar {

enum class TFlyTimerKind { Fly, Rest, Land };

// The three phase timers of every entry, kept in step with the entries' timer states. They run
// on real time, or on a virtual clock that only advance() moves, so a test can fly every
// picture in a moment and the same way each time.
class TFlyTimers : public QObject {
public:
    using Handler = std::function<void(int entry, TFlyTimerKind kind)>;

    TFlyTimers(Handler handler, bool virtualClock, QObject* parent);

    // The tick count in milliseconds: real or virtual.
    [[nodiscard]] std::uint32_t now() const;
    // Starts, stops and re-times the timers as the entries say.
    void sync(const TGLFlies& flies);
    [[nodiscard]] bool anyRunning() const;
    // Virtual clock only: moves time on, firing each timer as often as it falls due, in the
    // order they fall due.
    void advance(int milliseconds);

private:
    struct Slot {
        QTimer* timer = nullptr;
        bool enabled = false;
        int interval = 0;
        std::uint64_t due = 0; // virtual clock
    };
    Slot& slot(int entry, TFlyTimerKind kind);
    void fire(int entry, TFlyTimerKind kind);

    Handler m_handler;
    bool m_virtual;
    QElapsedTimer m_clock;
    std::uint64_t m_virtualNow = 0;
    std::array<std::array<Slot, 3>, FlyCount> m_slots{};
};

} // namespace pelmar
