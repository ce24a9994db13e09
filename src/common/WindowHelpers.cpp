#include "WindowHelpers.h"

#include "TitleWidth.h"
#include "VbConvert.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCursor>
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
// Set on a window holding a lent on-top state once it has been the active window: from then on
// the user leaving it ends the loan.
const char *const kLentWasActiveProperty = "morvaneLentWasActive";
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
    w->setProperty(kLentWasActiveProperty, QVariant());
    setOnTopHint(w, false);
}

// True when `w` was opened from `from`: `from` is its parent window or the window the window
// system keeps it above, directly or through other such windows (a message box, a picker).
bool openedFrom(const QWidget *w, const QWidget *from)
{
    const QWindow *fromHandle = from->windowHandle();
    for (int depth = 0; w && depth < 16; ++depth) {
        const QWidget *parent = w->parentWidget() ? w->parentWidget()->window() : nullptr;
        if (parent == from)
            return true;
        const QWindow *handle = w->windowHandle();
        const QWindow *owner = handle ? handle->transientParent() : nullptr;
        if (owner && fromHandle && owner == fromHandle)
            return true;
        if (!parent && owner) {
            for (QWidget *top : QApplication::topLevelWidgets()) {
                if (top->windowHandle() == owner) {
                    parent = top;
                    break;
                }
            }
        }
        w = parent;
    }
    return false;
}

// A lent state serves only to bring a window in front of the program's "On Top" window for the
// user. Once the user has been in the window and leaves it, for another program's window, the
// "On Top" window or an ordinary window of the program, the loan ends and the window is an
// ordinary one again that other windows may come over. It goes on while the keyboard is in a
// window opened from it or in another window brought up over the "On Top" one (a message box
// lent in its turn): the window the user works from does not drop under the "On Top" window
// meanwhile, and is still in front when the keyboard comes back to it.
void returnLentOnTopOfWindowsLeft()
{
    QWidget *active = QApplication::activeWindow();
    // A modal window holds the keyboard until it is answered: when the keyboard comes back to it,
    // it comes in front of the "On Top" window again, so that the user sees what the keys act on.
    if (active && active->isModal())
        LendOnTopIfNeeded(active);
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (!top->property(kLentOnTopProperty).toBool())
            continue;
        if (top == active) {
            top->setProperty(kLentWasActiveProperty, true);
            continue;
        }
        // A window that has not had the keyboard yet is still on its way to the front.
        if (!top->property(kLentWasActiveProperty).toBool())
            continue;
        if (active && (active->property(kLentOnTopProperty).toBool() || openedFrom(active, top)))
            continue;
        returnLentOnTop(top);
    }
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
    explicit OnTopLender(QObject *parent) : QObject(parent)
    {
        m_afterHiding.setSingleShot(true);
        m_afterHiding.setInterval(kFocusAfterHidingMs);
        connect(&m_afterHiding, &QTimer::timeout, this, [] { returnLentOnTopOfWindowsLeft(); });
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate) {
            if (!watched->isWidgetType() || !static_cast<QWidget *>(watched)->isWindow())
                return false;
            // The active window being hidden leaves the program without one until the window
            // manager hands the keyboard on, to the window it was opened from as a rule: the
            // user has not left for another program, so the loans are looked at again later.
            if (!QApplication::activeWindow() && static_cast<QWidget *>(watched)->isHidden()) {
                m_afterHiding.start();
                return false;
            }
            returnLentOnTopOfWindowsLeft();
            return false;
        }
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

private:
    // How long the window manager is given to hand the keyboard on after a window was hidden.
    static constexpr int kFocusAfterHidingMs = 1000;
    QTimer m_afterHiding;
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
    window->setProperty(kLentWasActiveProperty, QVariant());
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
    // A window lent the state while it has the keyboard already is left by the next change.
    if (window == QApplication::activeWindow())
        window->setProperty(kLentWasActiveProperty, true);
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
