#include "FramedPlacement.h"

#include "WindowHelpers.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace common {

QPoint PlaceUnder(const QRect &anchor, const QSize &frame, const QRect &area)
{
    int x = anchor.x() + anchor.width() / 2 - frame.width() / 2;
    int y = anchor.y() + anchor.height();
    const int areaRight = area.x() + area.width();
    const int areaBottom = area.y() + area.height();
    if (y + frame.height() > areaBottom && anchor.y() - frame.height() >= area.y())
        y = anchor.y() - frame.height();
    x = std::max(area.x(), std::min(x, areaRight - frame.width()));
    y = std::max(area.y(), std::min(y, areaBottom - frame.height()));
    return {x, y};
}

QPoint PlaceUnder(const QWidget *anchor, const QSize &frame)
{
    QScreen *screen = anchor->screen() ? anchor->screen() : QGuiApplication::primaryScreen();
    const QRect field(anchor->mapToGlobal(QPoint(0, 0)), anchor->size());
    const QRect area = screen ? screen->availableGeometry() : QRect(field.topLeft(), frame);
    return PlaceUnder(field, frame, area);
}

namespace {

const char *const kFramedPlacerName = "morvaneFramedPlacer";

// The window system knows the frame drawn around the window.
bool knowsFrame(const QWindow *handle)
{
    return handle && !handle->frameMargins().isNull();
}

// A window the window manager has framed on the screen.
bool isFramed(const QWindow *handle)
{
    return knowsFrame(handle) && handle->isExposed();
}

// The size of the frame `window` has or, before its frame is known, the size the frame of the
// anchor's window would have around it. A window manager frames a program's windows alike but
// for a resize handle, which a fixed-size window lacks: the guess is then a little large, and the
// window opened above its anchor stays clear of it until its own frame places it again.
QSize expectedFrame(const QWidget *window, const QWidget *anchor)
{
    if (knowsFrame(window->windowHandle()))
        return window->frameGeometry().size();
    const QWidget *owner = anchor->window();
    const QWindow *ownerHandle = owner ? owner->windowHandle() : nullptr;
    const QMargins margins = knowsFrame(ownerHandle) ? ownerHandle->frameMargins() : QMargins();
    return window->size().grownBy(margins);
}

// A window manager frames a window, and may move it, only once the window is on the screen. The
// placer keeps the window where it belongs under its anchor by its real frame until the window is
// framed there, then leaves it to the user. A window manager that never frames the window ends it
// after a while.
class FramedPlacer : public QObject {
public:
    FramedPlacer(QWidget *window, const QWidget *anchor) : QObject(window), m_window(window), m_anchor(anchor)
    {
        setObjectName(QLatin1String(kFramedPlacerName));
        window->windowHandle()->installEventFilter(this);
        m_limit.start();
        // The frame's size arrives without an event of the window's own: it is looked for too.
        auto *tick = new QTimer(this);
        connect(tick, &QTimer::timeout, this, [this] { correct(); });
        tick->start(TickMs);
        queueCorrection();
    }

    /** The placer of `window` still waiting for its frame, or null. */
    static FramedPlacer *pending(QWidget *window)
    {
        return static_cast<FramedPlacer *>(
            window->findChild<QObject *>(QLatin1String(kFramedPlacerName), Qt::FindDirectChildrenOnly));
    }

    void setAnchor(const QWidget *anchor)
    {
        m_anchor = anchor;
        m_limit.start();
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::Expose:
        case QEvent::Move:
        case QEvent::Resize:
            queueCorrection();
            break;
        default:
            break;
        }
        return false;
    }

private:
    void queueCorrection()
    {
        if (!m_queued) {
            m_queued = true;
            QMetaObject::invokeMethod(this, [this] { correct(); }, Qt::QueuedConnection);
        }
    }

    void correct()
    {
        m_queued = false;
        if (m_done)
            return;
        QWindow *handle = m_window->windowHandle();
        if (!m_anchor || !m_window->isVisible() || !handle || m_limit.elapsed() > LimitMs) {
            finish();
            return;
        }
        // Before the frame is known, a move would place the window itself where its frame goes.
        if (!isFramed(handle))
            return;
        const QPoint target = PlaceUnder(m_anchor, m_window->frameGeometry().size());
        if (m_window->frameGeometry().topLeft() != target)
            m_window->move(target);
        else
            finish();
    }

    void finish()
    {
        m_done = true;
        setObjectName(QString());
        if (QWindow *handle = m_window->windowHandle())
            handle->removeEventFilter(this);
        deleteLater();
    }

    static constexpr int TickMs = 50;
    static constexpr qint64 LimitMs = 15000;
    QWidget *m_window;
    QPointer<const QWidget> m_anchor;
    QElapsedTimer m_limit;
    bool m_queued = false;
    bool m_done = false;
};

} // namespace

void ShowUnder(QWidget *window, const QWidget *anchor)
{
    if (!window)
        return;
    if (!anchor) {
        window->show();
        window->raise();
        return;
    }
    // Moved before its window system window is made, a window is placed by its frame's corner,
    // which the window manager keeps whatever size the frame turns out to have.
    if (!window->isVisible())
        window->move(PlaceUnder(anchor, expectedFrame(window, anchor)));
    KeepAboveOwner(window, anchor);
    window->show();
    // Showing may have widened the window (a readable title); a window on the screen already
    // moves under its new anchor.
    const QPoint target = PlaceUnder(anchor, expectedFrame(window, anchor));
    if (window->frameGeometry().topLeft() != target)
        window->move(target);
    if (!isFramed(window->windowHandle()) && window->windowHandle()
        && QGuiApplication::platformName() != QLatin1String("offscreen")) {
        if (FramedPlacer *placer = FramedPlacer::pending(window))
            placer->setAnchor(anchor);
        else
            new FramedPlacer(window, anchor);
    }
    window->raise();
}

} // namespace common
