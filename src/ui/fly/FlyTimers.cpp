#include "ui/fly/FlyTimers.h"

#include <QTimer>

#include <algorithm>

namespace pelmar {

TFlyTimers::TFlyTimers(Handler handler, bool virtualClock, QObject* parent)
    : QObject(parent), m_handler(std::move(handler)), m_virtual(virtualClock) {
    m_clock.start();
    for (int entry = 0; entry < FlyCount; ++entry) {
        for (int k = 0; k < 3; ++k) {
            const auto kind = TFlyTimerKind(k);
            Slot& s = slot(entry, kind);
            if (m_virtual)
                continue;
            s.timer = new QTimer(this);
            connect(s.timer, &QTimer::timeout, this, [this, entry, kind] { fire(entry, kind); });
        }
    }
}

std::uint32_t TFlyTimers::now() const {
    // Wraps like the system's millisecond counter.
    return std::uint32_t(m_virtual ? m_virtualNow : std::uint64_t(m_clock.elapsed()));
}

TFlyTimers::Slot& TFlyTimers::slot(int entry, TFlyTimerKind kind) {
    return m_slots[std::size_t(entry)][std::size_t(kind)];
}

void TFlyTimers::sync(const TGLFlies& flies) {
    for (int entry = 0; entry < FlyCount; ++entry) {
        const TGLFly& fly = flies.entries[std::size_t(entry)];
        const TPhaseTimer* states[3] = {&fly.FlyTimer, &fly.RestTimer, &fly.LandTimer};
        for (int k = 0; k < 3; ++k) {
            Slot& s = slot(entry, TFlyTimerKind(k));
            const TPhaseTimer& state = *states[k];
            // Enabling a timer, or changing the interval of a running one, starts it afresh.
            const bool restart = state.enabled && (!s.enabled || s.interval != state.interval);
            s.enabled = state.enabled;
            s.interval = state.interval;
            if (restart) {
                s.due = m_virtualNow + std::uint64_t(state.interval);
                if (s.timer)
                    s.timer->start(state.interval);
            } else if (!state.enabled && s.timer) {
                s.timer->stop();
            }
        }
    }
}

bool TFlyTimers::anyRunning() const {
    for (const auto& entry : m_slots) {
        for (const Slot& s : entry) {
            if (s.enabled)
                return true;
        }
    }
    return false;
}

void TFlyTimers::fire(int entry, TFlyTimerKind kind) {
    if (slot(entry, kind).enabled)
        m_handler(entry, kind);
}

void TFlyTimers::advance(int milliseconds) {
    if (!m_virtual)
        return;
    const std::uint64_t target = m_virtualNow + std::uint64_t(std::max(milliseconds, 0));
    for (;;) {
        Slot* next = nullptr;
        int nextEntry = 0;
        int nextKind = 0;
        for (int entry = 0; entry < FlyCount; ++entry) {
            for (int k = 0; k < 3; ++k) {
                Slot& s = slot(entry, TFlyTimerKind(k));
                if (s.enabled && s.due <= target && (!next || s.due < next->due)) {
                    next = &s;
                    nextEntry = entry;
                    nextKind = k;
                }
            }
        }
        if (!next)
            break;
        m_virtualNow = next->due;
        const std::uint64_t firedAt = next->due;
        fire(nextEntry, TFlyTimerKind(nextKind));
        // Unless the handler restarted it, it falls due again one interval on.
        if (next->enabled && next->due == firedAt)
            next->due += std::uint64_t(std::max(next->interval, 1));
    }
    m_virtualNow = target;
}

} // namespace pelmar
