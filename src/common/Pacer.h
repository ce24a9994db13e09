#pragma once
/**
 * Paces the work a long loop does for the screen: the message loop and the progress bar are
 * worth a turn about once a frame, not once a row. due() answers true on its first call after a
 * restart and then at most once every period.
 */
#include <QElapsedTimer>

namespace common {

class Pacer {
public:
    /** About one frame of a 60 Hz screen. */
    static constexpr qint64 FramePeriodMs = 16;

    explicit Pacer(qint64 periodMs = FramePeriodMs) : m_periodMs(periodMs) {}

    bool due()
    {
        if (m_clock.isValid() && m_clock.elapsed() < m_periodMs)
            return false;
        m_clock.start();
        return true;
    }

    /** 0 makes every call due. */
    void setPeriod(qint64 periodMs) { m_periodMs = periodMs; }

    /** The next due() is true again (a new run starts with a turn). */
    void restart() { m_clock.invalidate(); }

private:
    QElapsedTimer m_clock;
    qint64 m_periodMs;
};

} // namespace common
