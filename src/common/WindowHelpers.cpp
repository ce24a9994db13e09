#include "WindowHelpers.h"

#include "TitleWidth.h"
#include "VbConvert.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QListWidget>
#include <QPointer>
#include <QScopedValueRollback>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace common {

namespace {
const char *const kExtentProperty = "morvaneHScrollExtent";
const char *const kLentOnTopProperty = "morvaneLentOnTop";
// Set while a window takes or gives up its own on-top state: showing it again then lends nothing.
bool settingOwnOnTop = false;

// Frames the window manager stacks: plain windows and dialogs, not menus, tips or splashes.
bool isFramedWindow(const QWidget *w)
{
    if (!w || !w->isWindow())
        return false;
    switch (w->windowType()) {
    case Qt::Window:
    case Qt::Dialog:
    case Qt::Sheet:
    case Qt::Tool:
        return true;
    default:
        return false;
    }
}

// On top by its own choice (an "On Top" box, a picker), not by a lent state.
bool ownOnTop(const QWidget *w)
{
    return w->windowFlags().testFlag(Qt::WindowStaysOnTopHint) && !w->property(kLentOnTopProperty).toBool();
}

bool anotherKeptOnTop(const QWidget *except)
{
    for (QWidget *top : QApplication::topLevelWidgets())
        if (top != except && isFramedWindow(top) && top->isVisible() && ownOnTop(top))
            return true;
    return false;
}

// Changes the on-top hint without taking the window off the screen: the window system is told
// directly, the widget only records it.
void setOnTopHint(QWidget *w, bool onTop)
{
    Qt::WindowFlags flags = w->windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, onTop);
    w->overrideWindowFlags(flags);
    if (QWindow *window = w->windowHandle())
        window->setFlags(flags);
}

void returnLentOnTop(QWidget *w)
{
    if (!w->property(kLentOnTopProperty).toBool())
        return;
    w->setProperty(kLentOnTopProperty, QVariant());
    setOnTopHint(w, false);
}

// Once no window of the program is kept on top any more, the lent states go back.
void returnLentOnTopWhenAlone()
{
    if (anotherKeptOnTop(nullptr))
        return;
    for (QWidget *top : QApplication::topLevelWidgets())
        returnLentOnTop(top);
}

// A window manager may give every window its full set of frame buttons whatever the window asks
// for, so a narrow window is made wide enough for its title with all of them.
void keepTitleReadable(QWidget *w)
{
    if (QGuiApplication::platformName() == QLatin1String("offscreen") || w->windowTitle().isEmpty())
        return;
    const int need = titlewidth::readableTitleWidth(w->windowTitle());
    if (w->width() >= need)
        return;
    if (w->minimumWidth() == w->maximumWidth()) {
        w->setFixedWidth(need);
    } else {
        w->setMinimumWidth(std::max(w->minimumWidth(), need));
        w->resize(need, w->height());
    }
}

class OnTopLender : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Show && event->type() != QEvent::Hide)
            return false;
        if (!watched->isWidgetType())
            return false;
        auto *w = static_cast<QWidget *>(watched);
        if (!isFramedWindow(w))
            return false;
        if (event->type() == QEvent::Show) {
            keepTitleReadable(w);
            if (!settingOwnOnTop)
                LendOnTopIfNeeded(w);
        } else {
            returnLentOnTop(w);
            if (ownOnTop(w))
                returnLentOnTopWhenAlone();
        }
        return false;
    }
};

} // namespace

void CenterForm(QWidget *form)
{
    QScreen *screen = form->screen() ? form->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QRect area = screen->geometry();
        const QRect avail = screen->availableGeometry();
        const QSize size = form->frameGeometry().size();
        int x = area.x() + (area.width() - size.width()) / 2;
        int y = area.y() + (area.height() - size.height()) / 2;
        // Panels may take part of the screen: the window stays within the free area.
        x = std::max(avail.left(), std::min(x, avail.right() + 1 - size.width()));
        y = std::max(avail.top(), std::min(y, avail.bottom() + 1 - size.height()));
        form->move(x, y);
    }
    form->show();
}

namespace {

// A window manager gives the focus to a window it maps, and it maps the program's windows some
// time after they were shown. The window asked to the front last is therefore raised and
// activated again whenever another window of the program reaches the screen after the request.
class FrontKeeper : public QObject {
public:
    static FrontKeeper &instance()
    {
        static auto *keeper = new FrontKeeper(QCoreApplication::instance());
        return *keeper;
    }

    void request(QWidget *form)
    {
        m_front = form;
        for (QWidget *top : QApplication::topLevelWidgets()) {
            QWindow *window = top->windowHandle();
            if (top != form && top->isVisible() && window && !window->isExposed())
                window->installEventFilter(this);
        }
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose) {
            auto *window = static_cast<QWindow *>(watched);
            if (window->isExposed()) {
                window->removeEventFilter(this);
                if (m_front && m_front->isVisible() && m_front->windowHandle() != window) {
                    m_front->raise();
                    m_front->activateWindow();
                }
            }
        }
        return false;
    }

private:
    using QObject::QObject;
    QPointer<QWidget> m_front;
};

} // namespace

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

// Where the window goes under its anchor now, as the top-left corner of its frame.
QPoint placeUnder(const QWidget *window, const QWidget *anchor)
{
    return PlaceUnder(anchor, window->frameGeometry().size());
}

// A window manager frames a window, and may move it, only once the window is on the screen; the
// frame's size counts for keeping the window on the screen. The placer keeps the window where it
// belongs under its anchor until the window is framed there, then leaves it to the user. A window
// manager that never frames the window ends it after a while.
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
        QWindow *handle = m_window->windowHandle();
        if (m_done)
            return;
        if (!m_anchor || !m_window->isVisible() || !handle || m_limit.elapsed() > LimitMs) {
            finish();
            return;
        }
        // Before the frame is known, a move would place the window itself where its frame goes.
        if (!handle->isExposed() || handle->frameMargins().isNull())
            return;
        const QPoint target = placeUnder(m_window, m_anchor);
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
    if (anchor)
        window->move(placeUnder(window, anchor));
    window->show();
    if (anchor) {
        // Showing may have widened the window (a readable title).
        window->move(placeUnder(window, anchor));
        // A window framed on the screen already was placed with its frame.
        QWindow *handle = window->windowHandle();
        const bool framed = handle && handle->isExposed() && !handle->frameMargins().isNull();
        if (handle && !framed && QGuiApplication::platformName() != QLatin1String("offscreen")) {
            auto *pending = window->findChild<QObject *>(QLatin1String(kFramedPlacerName), Qt::FindDirectChildrenOnly);
            if (pending)
                static_cast<FramedPlacer *>(pending)->setAnchor(anchor);
            else
                new FramedPlacer(window, anchor);
        }
    }
    window->raise();
}

void KeepAboveOwner(QWidget *window, const QWidget *owner)
{
    if (!window || !owner)
        return;
    const QWidget *top = owner->window();
    QWindow *ownerWindow = top ? top->windowHandle() : nullptr;
    if (!ownerWindow || top == window)
        return;
    window->winId();
    QWindow *handle = window->windowHandle();
    if (!handle || handle->transientParent() == ownerWindow)
        return;
    handle->setTransientParent(ownerWindow);
    // The window system learns the owner as the window is mapped.
    if (window->isVisible()) {
        window->hide();
        window->show();
    }
}

void BringToFront(QWidget *form)
{
    if (!form)
        return;
    if (form->isMinimized())
        form->setWindowState(form->windowState() & ~Qt::WindowMinimized);
    // A window asked to the front comes above the program's "On Top" windows too: the keyboard
    // goes to a window the user sees.
    LendOnTopIfNeeded(form);
    form->show();
    // A display without stacking (the offscreen one of unattended runs) has nothing to raise.
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        form->raise();
    form->activateWindow();
    if (QCoreApplication::instance())
        FrontKeeper::instance().request(form);
}

int SetWindowTopMost(QWidget *window, bool onTop)
{
    if (!window)
        return 0;
    // The window's own choice replaces a state it was lent.
    window->setProperty(kLentOnTopProperty, QVariant());
    const bool visible = window->isVisible();
    const QScopedValueRollback own(settingOwnOnTop, true);
    window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (visible)
        window->show();
    if (!onTop && QCoreApplication::instance())
        returnLentOnTopWhenAlone();
    return onTop ? 1 : 0;
}

void KeepOpenedWindowsAboveOnTop()
{
    static QPointer<OnTopLender> lender;
    if (!lender && QCoreApplication::instance()) {
        lender = new OnTopLender(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(lender);
    }
}

bool HasLentOnTop(const QWidget *window)
{
    return window && window->property(kLentOnTopProperty).toBool();
}

void LendOnTopIfNeeded(QWidget *window)
{
    if (!isFramedWindow(window) || window->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        return;
    if (!anotherKeptOnTop(window))
        return;
    window->setProperty(kLentOnTopProperty, true);
    setOnTopHint(window, true);
}

int GetCursorX(const QWidget *window)
{
    const QPoint p = QCursor::pos();
    return window ? window->mapFromGlobal(p).x() : p.x();
}

int GetCursorY(const QWidget *window)
{
    const QPoint p = QCursor::pos();
    return window ? window->mapFromGlobal(p).y() : p.y();
}

void SetListHScroll(QListWidget *list)
{
    if (!list)
        return;
    const int w = list->width();
    const QFontMetrics fm(list->font());
    for (int i = 0; i < list->count(); ++i) {
        if (fm.horizontalAdvance(list->item(i)->text() + u' ') > w) {
            const int extent = vb::CLng(2.0 * w + 1).valueOr(0);
            list->setProperty(kExtentProperty, extent);
            list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
            list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
            return;
        }
    }
}

int ListHScrollExtent(const QListWidget *list) { return list ? list->property(kExtentProperty).toInt() : 0; }

void SetComboDropWidth(QComboBox *combo, int width)
{
    if (combo && combo->view())
        combo->view()->setMinimumWidth(width);
}

void AutoSizeCombo(QComboBox *combo)
{
    const QFontMetrics fm(combo->font());
    int widest = 0;
    for (int i = 0; i < combo->count(); ++i)
        widest = std::max(widest, fm.horizontalAdvance(combo->itemText(i)));
    SetComboDropWidth(combo, widest + 30);
}

} // namespace common
