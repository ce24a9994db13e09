#pragma once
/**
 * Wheel scrolling of the main window's folder tree: while the hook is in place, each vertical
 * wheel notch over the tree (its scroll bars included) scrolls it by exactly one line, up (away
 * from the user) or down, whatever the size of the notch. The tree does not scroll a second time
 * by itself for the same notch. A horizontal wheel or a tilt, and wheel events anywhere else, go
 * on unchanged.
 */
#include <QPointer>

class QObject;
class QWidget;

namespace common {

/** Puts the hook on `window` (the main window). A second hook while one is in place does
 *  nothing. */
void HookMouseWheel(QWidget *window);
/** Takes the hook off again. */
void UnhookMouseWheel();
/** Whether the hook is in place. */
bool MouseWheelHooked();

/** Handles one wheel notch with `delta` (+120 away from the user) at the screen position
 *  (x, y): scrolls the tree one line when the widget there is the tree. Returns true when it
 *  scrolled. */
bool OnMouseWheel(int keys, int delta, int x, int y);

/** The search for the tree's inner list: remembers `window` when it is a tree view and returns
 *  false (stop), else true (go on). */
bool EnumChildProc(QWidget *window, long lParam = 0);
/** Runs EnumChildProc on `control` and then on its children until it stops. */
void FindTreeView(QWidget *control);
/** The tree found, or null. */
QWidget *TreeViewHwnd();
/** Forgets the tree (as before it was found). */
void ResetTreeViewHwnd();

} // namespace common
