#pragma once

#include <QtGlobal>

#include <functional>

namespace pelmar {

// A monotonic clock in milliseconds. The window uses a steady clock; tests pass their own so
// that what a run does between pumps never depends on how fast the machine is.
using TMsClock = std::function<qint64()>;
[[nodiscard]] TMsClock SteadyClock();

// Where a long job on the window's thread stands when it offers to pump the window's events.
enum class TRunStep { Loading, Collecting, Measuring, Showing };

// Paces a long job that runs on the window's thread: the job asks at every small step whether
// the window's events are due, and they are once the interval has passed since the last time.
// Often enough for the stop button, the progress bar and the busy cursor; rarely enough that
// a long text runs at the machine's speed.
class TRunPacer {
public:
    static constexpr qint64 DefaultIntervalMs = 50;

    explicit TRunPacer(TMsClock clock, qint64 intervalMs = DefaultIntervalMs);

    // True when the interval has passed since the start or the last time it said so.
    [[nodiscard]] bool due();
    // Milliseconds since the pacer was made.
    [[nodiscard]] qint64 elapsed() const;

private:
    TMsClock m_clock;
    qint64 m_interval;
    qint64 m_start;
    qint64 m_last;
};

} // namespace pelmar
