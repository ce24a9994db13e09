#pragma once
// Waiting on a condition that another program or the window system brings about.
#include <QCoreApplication>
#include <QDeadlineTimer>

#include <functional>

/** Runs the event loop until `done` answers true (asked once per turn: a condition read from
 *  another program may hold once and not at the next look) or `ms` have passed. */
inline bool waitUntil(const std::function<bool()> &done, int ms = 5000)
{
    QDeadlineTimer deadline(ms);
    for (;;) {
        if (done())
            return true;
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}
