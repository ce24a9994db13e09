#pragma once
// The program as a process on a virtual display with a window manager, looked at and typed into
// with xdotool, as a user sees it.
#include "WaitUntil.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QSize>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

/** A virtual display with a window manager, and xdotool to look at it and type into it. */
class DesktopSession {
public:
    bool available() const
    {
        for (const char *tool : {"Xvfb", "openbox", "xdotool"})
            if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
                return false;
        return true;
    }

    bool start()
    {
        for (int attempt = 0; attempt < 2; ++attempt) {
            if (startOnce())
                return true;
            stop();
        }
        return false;
    }

    bool startOnce()
    {
        const QString screen = QStringLiteral("%1x%2x24").arg(screenSize.width()).arg(screenSize.height());
        m_x.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                                           QStringLiteral("0"), screen, QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        if (!m_x.waitForStarted())
            return false;
        QByteArray number;
        QDeadlineTimer deadline(StartLimitMs);
        while (!number.contains('\n') && !deadline.hasExpired() && m_x.waitForReadyRead(int(deadline.remainingTime())))
            number += m_x.readAllStandardOutput();
        if (!number.contains('\n'))
            return false;
        display = u':' + QString::fromLatin1(number.trimmed());
        m_wm.setProcessEnvironment(environment());
        m_wm.start(QStringLiteral("openbox"), {});
        if (!m_wm.waitForStarted())
            return false;
        // The window manager is ready once it announces the desktops.
        return waitUntil([this] { return !tool({QStringLiteral("get_desktop")}).isNull(); }, StartLimitMs);
    }

    ~DesktopSession() { stop(); }

    void stop()
    {
        for (QProcess *p : {&m_wm, &m_x}) {
            if (p->state() != QProcess::NotRunning) {
                p->terminate();
                if (!p->waitForFinished(5000))
                    p->kill();
                p->waitForFinished(5000);
            }
        }
    }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display);
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        return env;
    }

    /** Runs xdotool; its output trimmed, or a null string when it failed or did not end within
     *  `limitMs`. */
    QString tool(const QStringList &arguments, int limitMs = StartLimitMs) const
    {
        QProcess p;
        p.setProcessEnvironment(environment());
        p.start(QStringLiteral("xdotool"), arguments);
        if (!p.waitForFinished(limitMs)) {
            p.kill();
            p.waitForFinished();
            return {};
        }
        if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
            return {};
        return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
    }

    /** The title of the active window, or "" while there is none. */
    QString activeTitle() const
    {
        const QString title = tool({QStringLiteral("getactivewindow"), QStringLiteral("getwindowname")});
        return title.isNull() ? QString() : title;
    }

    /** The visible window whose title is exactly `title`, waiting for it to appear. Each look is
     *  a search of its own: one search gives up when a window it walks past goes away meanwhile
     *  (the splash screen does), and a program starting on a machine busy with many tests at
     *  once may take long to show its window, hence the wide limit. */
    QString window(const QString &title) const
    {
        QString found;
        waitUntil([&] {
            found = tool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                          u'^' + QRegularExpression::escape(title) + u'$'})
                        .section(u'\n', 0, 0);
            return !found.isEmpty();
        }, WindowLimitMs);
        return found;
    }

    /** True when a window titled exactly `title` is on the screen now (no waiting). */
    bool shows(const QString &title) const
    {
        return !tool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                      u'^' + QRegularExpression::escape(title) + u'$'})
                    .isEmpty();
    }

    /** The program's windows with a title, bottom to top, as the window manager stacks them. */
    QStringList stackingTitles() const
    {
        QProcess p;
        p.setProcessEnvironment(environment());
        p.start(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST_STACKING")});
        if (!p.waitForFinished(StartLimitMs))
            return {};
        const QString text = QString::fromLocal8Bit(p.readAllStandardOutput());
        QStringList titles;
        static const QRegularExpression id(QStringLiteral("0x[0-9a-fA-F]+"));
        for (const QRegularExpressionMatch &m : id.globalMatch(text)) {
            bool ok = false;
            const qulonglong window = m.captured().toULongLong(&ok, 16);
            const QString title = tool({QStringLiteral("getwindowname"), QString::number(window)});
            if (ok && !title.isEmpty())
                titles << title;
        }
        return titles;
    }

    /** The window's client area on the screen, or an empty rectangle when it cannot be read. */
    QRect clientRect(const QString &window) const
    {
        const QString info = run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), window});
        static const QRegularExpression x(QStringLiteral("Absolute upper-left X:\\s+(-?\\d+)"));
        static const QRegularExpression y(QStringLiteral("Absolute upper-left Y:\\s+(-?\\d+)"));
        static const QRegularExpression w(QStringLiteral("Width:\\s+(\\d+)"));
        static const QRegularExpression h(QStringLiteral("Height:\\s+(\\d+)"));
        const QRegularExpressionMatch mx = x.match(info), my = y.match(info), mw = w.match(info), mh = h.match(info);
        if (!mx.hasMatch() || !my.hasMatch() || !mw.hasMatch() || !mh.hasMatch())
            return {};
        return {mx.captured(1).toInt(), my.captured(1).toInt(), mw.captured(1).toInt(), mh.captured(1).toInt()};
    }

    /** The window's rectangle on the screen with the frame the window manager drew around it, or
     *  an empty rectangle while the window is not framed. */
    QRect frameRect(const QString &window) const
    {
        const QString extents = run(QStringLiteral("xprop"), {QStringLiteral("-id"), window, QStringLiteral("_NET_FRAME_EXTENTS")});
        static const QRegularExpression ltrb(QStringLiteral("=\\s*(\\d+),\\s*(\\d+),\\s*(\\d+),\\s*(\\d+)"));
        const QRegularExpressionMatch m = ltrb.match(extents);
        const QRect client = clientRect(window);
        if (!m.hasMatch() || client.isEmpty())
            return {};
        return client.adjusted(-m.captured(1).toInt(), -m.captured(3).toInt(), m.captured(2).toInt(), m.captured(4).toInt());
    }

    /** The frame window the window manager put `window` into (the root window's child that holds
     *  it), or 0 when it cannot be read. */
    qulonglong frameWindow(const QString &window) const
    {
        static const QRegularExpression root(QStringLiteral("Root window id: 0x([0-9a-fA-F]+)"));
        static const QRegularExpression parent(QStringLiteral("Parent window id: 0x([0-9a-fA-F]+)"));
        qulonglong id = window.toULongLong();
        for (int depth = 0; id != 0 && depth < 8; ++depth) {
            const QString tree = run(QStringLiteral("xwininfo"), {QStringLiteral("-tree"), QStringLiteral("-id"), QString::number(id)});
            const QRegularExpressionMatch r = root.match(tree), p = parent.match(tree);
            if (!r.hasMatch() || !p.hasMatch())
                return 0;
            const qulonglong up = p.captured(1).toULongLong(nullptr, 16);
            if (up == r.captured(1).toULongLong(nullptr, 16))
                return id;
            id = up;
        }
        return 0;
    }

    /** True when the window manager keeps the window in its layer above the others (On Top). */
    bool keptAbove(const QString &window) const
    {
        return run(QStringLiteral("xprop"), {QStringLiteral("-id"), window, QStringLiteral("_NET_WM_STATE")})
            .contains(QStringLiteral("_NET_WM_STATE_ABOVE"));
    }

    /** How long the display, the window manager or a program may take to come up on a busy
     *  machine before the test gives up: bounds for waits on a condition, not timings. */
    static constexpr int StartLimitMs = 60000;
    static constexpr int WindowLimitMs = 120000;

    /** The size of the virtual screen; set before start(). */
    QSize screenSize{1280, 1024};

    QString display;

private:
    /** Runs an X tool on the display; its standard output, or "" when it failed. */
    QString run(const QString &program, const QStringList &arguments) const
    {
        QProcess p;
        p.setProcessEnvironment(environment());
        p.start(program, arguments);
        if (!p.waitForFinished(StartLimitMs)) {
            p.kill();
            p.waitForFinished();
            return {};
        }
        return p.exitCode() == 0 ? QString::fromLocal8Bit(p.readAllStandardOutput()) : QString();
    }

    QProcess m_x;
    QProcess m_wm;
};
