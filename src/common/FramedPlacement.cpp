#include "FramedPlacement.h"

#include "WindowHelpers.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <functional>

namespace common {

namespace {

// The top-left corner of a frame of `size` at `at`, moved into `area` as far as needed: its left
// and top edges first when it is larger.
QPoint moveInside(const QPoint &at, const QSize &size, const QRect &area)
{
    const int x = std::max(area.x(), std::min(at.x(), area.x() + area.width() - size.width()));
    const int y = std::max(area.y(), std::min(at.y(), area.y() + area.height() - size.height()));
    return {x, y};
}

} // namespace

QPoint PlaceUnder(const QRect &anchor, const QSize &frame, const QRect &area)
{
    const int x = anchor.x() + anchor.width() / 2 - frame.width() / 2;
    int y = anchor.y() + anchor.height();
    if (y + frame.height() > area.y() + area.height() && anchor.y() - frame.height() >= area.y())
        y = anchor.y() - frame.height();
    return moveInside({x, y}, frame, area);
}

QPoint PlaceUnder(const QWidget *anchor, const QSize &frame)
{
    QScreen *screen = anchor->screen() ? anchor->screen() : QGuiApplication::primaryScreen();
    const QRect field(anchor->mapToGlobal(QPoint(0, 0)), anchor->size());
    const QRect area = screen ? screen->availableGeometry() : QRect(field.topLeft(), frame);
    return PlaceUnder(field, frame, area);
}

QRect FitInside(const QRect &frame, const QRect &area)
{
    if (area.contains(frame))
        return frame;
    const QSize size = frame.size().boundedTo(area.size());
    return {moveInside(frame.topLeft(), size, area), size};
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

// The frame a window manager draws, or will draw, around `window`: its own once it is known;
// before that the frame around the window of `like` or, with no `like`, around another framed
// normal window of the program (a window manager frames a program's windows alike); none while
// there is no frame to go by.
QMargins expectedMargins(const QWidget *window, const QWidget *like)
{
    if (const QWindow *own = window->windowHandle(); knowsFrame(own))
        return own->frameMargins();
    if (like) {
        const QWidget *owner = like->window();
        const QWindow *ownerHandle = owner ? owner->windowHandle() : nullptr;
        return knowsFrame(ownerHandle) ? ownerHandle->frameMargins() : QMargins();
    }
    for (const QWidget *top : QApplication::topLevelWidgets())
        if (top != window && top->isVisible() && top->windowType() == Qt::Window && isFramed(top->windowHandle()))
            return top->windowHandle()->frameMargins();
    return {};
}

// The size of the frame `window` has or, before its frame is known, the size the frame of the
// anchor's window would have around it. A window manager frames a program's windows alike but
// for a resize handle, which a fixed-size window lacks: the guess is then a little large, and the
// window opened above its anchor stays clear of it until its own frame places it again.
QSize expectedFrame(const QWidget *window, const QWidget *anchor)
{
    if (knowsFrame(window->windowHandle()))
        return window->frameGeometry().size();
    return window->size().grownBy(expectedMargins(window, anchor));
}

// One placing of a window by its frame: true once the window is where it belongs, or when there
// is nothing left to place it by.
using PlaceStep = std::function<bool(QWidget *window)>;

// Puts the window, its frame `frame` included, wholly on the available area of its screen; true
// when it was there already (or is maximized, full-screen or without a screen).
bool fitByFrame(QWidget *window, const QMargins &frame)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen || window->isMaximized() || window->isFullScreen())
        return true;
    const QRect area = screen->availableGeometry();
    // A top-level widget's position is its frame's.
    const QRect before(window->pos(), window->size().grownBy(frame));
    const QRect fitted = FitInside(before, area);
    if (fitted == before)
        return true;
    if (fitted.size() != before.size())
        window->resize(fitted.size().shrunkBy(frame));
    // A window kept larger (by its minimum size) is moved in by the size it took.
    const QPoint at = FitInside(QRect(window->pos(), window->size().grownBy(frame)), area).topLeft();
    if (at != window->pos())
        window->move(at);
    return QRect(window->pos(), window->size().grownBy(frame)) == before;
}

// A window manager frames a window, and may move it, only once the window is on the screen. The
// placer places the window again by its real frame until the window is framed where it belongs,
// then leaves it to the user. A window manager that never frames the window ends it after a
// while.
class FramedPlacer : public QObject {
public:
    FramedPlacer(QWidget *window, PlaceStep step) : QObject(window), m_window(window), m_step(std::move(step))
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

    /** Places the window by `step` from now on, for as long again. */
    void setStep(PlaceStep step)
    {
        m_step = std::move(step);
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
        if (!m_window->isVisible() || !handle || m_limit.elapsed() > LimitMs) {
            finish();
            return;
        }
        // Before the frame is known, a move would place the window itself where its frame goes.
        if (!isFramed(handle))
            return;
        if (m_step(m_window))
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
    PlaceStep m_step;
    QElapsedTimer m_limit;
    bool m_queued = false;
    bool m_done = false;
};

// Places `window` by `step` again once its window manager has framed it, unless it is framed
// already; a placer waiting for the frame takes the new step.
void placeWhenFramed(QWidget *window, PlaceStep step)
{
    if (isFramed(window->windowHandle()) || !window->windowHandle()
        || QGuiApplication::platformName() == QLatin1String("offscreen"))
        return;
    if (FramedPlacer *placer = FramedPlacer::pending(window))
        placer->setStep(std::move(step));
    else
        new FramedPlacer(window, std::move(step));
}

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
    placeWhenFramed(window, [anchor = QPointer<const QWidget>(anchor)](QWidget *w) {
        if (!anchor)
            return true;
        const QPoint target = PlaceUnder(anchor, w->frameGeometry().size());
        if (w->frameGeometry().topLeft() == target)
            return true;
        w->move(target);
        return false;
    });
    window->raise();
}

void FitOnScreen(QWidget *window)
{
    if (!window || !window->isWindow())
        return;
    fitByFrame(window, expectedMargins(window, nullptr));
    placeWhenFramed(window, [](QWidget *w) { return fitByFrame(w, w->windowHandle()->frameMargins()); });
}

} // namespace common
