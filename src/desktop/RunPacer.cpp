#include "desktop/RunPacer.h"

#include <chrono>
#include <utility>

namespace pelmar {

TMsClock SteadyClock() {
    return [] {
        return static_cast<qint64>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                       std::chrono::steady_clock::now().time_since_epoch())
                                       .count());
    };
}

TRunPacer::TRunPacer(TMsClock clock, qint64 intervalMs)
    : m_clock(clock ? std::move(clock) : SteadyClock()), m_interval(intervalMs),
      m_start(m_clock()), m_last(m_start) {}

bool TRunPacer::due() {
    const qint64 now = m_clock();
    if (now - m_last < m_interval)
        return false;
    m_last = now;
    return true;
}

qint64 TRunPacer::elapsed() const { return m_clock() - m_start; }

} // namespace pelmar
