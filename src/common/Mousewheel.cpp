#include "Mousewheel.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QScrollBar>
#include <QTreeView>
#include <QWheelEvent>
#include <QWidget>
#include <cstdlib>

namespace common {

namespace {

/** Watches the wheel events that reach the hooked window or any widget inside it. */
class WheelHook : public QObject {
public:
    QPointer<QWidget> hooked;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Wheel || !hooked || !watched->isWidgetType())
            return false;
        auto *target = static_cast<QWidget *>(watched);
        if (target->window() != hooked)
            return false;
        auto *wheel = static_cast<QWheelEvent *>(event);
        // Only a vertical notch is the hook's; a horizontal wheel or a tilt (buttons 6 and 7)
        // goes on to whatever lies under the mouse, which scrolls sideways or ignores it.
        const QPoint angle = wheel->angleDelta();
        if (angle.x() != 0 && std::abs(angle.x()) >= std::abs(angle.y()))
            return false;
        const QPoint at = wheel->globalPosition().toPoint();
        const int delta = angle.y();
        // A notch over the tree scrolls it one line here; it must not scroll it again itself.
        return OnMouseWheel(int(wheel->buttons()), delta, at.x(), at.y());
    }
};

QPointer<QTreeView> &treeSlot()
{
    static QPointer<QTreeView> tree;
    return tree;
}

WheelHook *&hookSlot()
{
    static WheelHook *hook = nullptr;
    return hook;
}

} // namespace

void HookMouseWheel(QWidget *window)
{
    if (hookSlot() || !window || !qApp)
        return;
    auto *hook = new WheelHook;
    hook->hooked = window;
    qApp->installEventFilter(hook);
    hookSlot() = hook;
}

void UnhookMouseWheel()
{
    WheelHook *hook = hookSlot();
    if (!hook)
        return;
    if (qApp)
        qApp->removeEventFilter(hook);
    delete hook;
    hookSlot() = nullptr;
}

bool MouseWheelHooked()
{
    return hookSlot() != nullptr;
}

bool OnMouseWheel(int, int delta, int x, int y)
{
    QTreeView *tree = treeSlot();
    if (!tree)
        return false;
    // The tree's own scroll bars are part of it.
    const QWidget *under = QApplication::widgetAt(x, y);
    if (!under || (under != tree && !tree->isAncestorOf(under)))
        return false;
    tree->verticalScrollBar()->triggerAction(delta > 0 ? QAbstractSlider::SliderSingleStepSub
                                                       : QAbstractSlider::SliderSingleStepAdd);
    return true;
}

bool EnumChildProc(QWidget *window, long)
{
    if (auto *tree = qobject_cast<QTreeView *>(window)) {
        treeSlot() = tree;
        return false;
    }
    return true;
}

void FindTreeView(QWidget *control)
{
    if (!control || !EnumChildProc(control))
        return;
    for (QWidget *child : control->findChildren<QWidget *>()) {
        if (!EnumChildProc(child))
            return;
    }
}

QWidget *TreeViewHwnd()
{
    return treeSlot();
}

void ResetTreeViewHwnd()
{
    treeSlot() = nullptr;
}

} // namespace common
