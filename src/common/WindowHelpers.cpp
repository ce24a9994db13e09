#include "WindowHelpers.h"

#include "VbConvert.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QListWidget>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace common {

namespace {
const char *const kExtentProperty = "morvaneHScrollExtent";
}

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

void BringToFront(QWidget *form)
{
    if (!form)
        return;
    if (form->isMinimized())
        form->setWindowState(form->windowState() & ~Qt::WindowMinimized);
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
    const bool visible = window->isVisible();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (visible)
        window->show();
    return onTop ? 1 : 0;
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
