#pragma once
/** Window helpers: centring, bringing to the front, top-most and owned windows, cursor position,
 *  list scroll extents, combo widths. Placing a window against a widget: FramedPlacement.h. */
#include <QtGlobal>

class QWidget;
class QListWidget;
class QComboBox;

namespace common {

/** Centres the window on its screen and shows it modeless. */
void CenterForm(QWidget *form);
/** Shows the window (restoring it when minimized), raises it above the program's other
 *  windows and makes it the active window. */
void BringToFront(QWidget *form);
/** Puts the window into the top-most band or takes it out; returns 1 when it was put on top,
 *  0 otherwise. */
int SetWindowTopMost(QWidget *window, bool onTop);
/** From now on, a window of the program that comes on the screen while another of its windows
 *  is kept on top is lent the same on-top state, so that what the program opens is seen above
 *  its own "On Top" windows. Message boxes and dialogs included. The loan ends when the window
 *  is hidden, when no window is kept on top any more, or when the user, having been in the
 *  window, leaves it for another program's window or a window of the program that was neither
 *  opened from it nor lent the state itself (the "On Top" window, say).
 *  A window narrower than its title with the frame's buttons is widened as it comes up. */
void KeepOpenedWindowsAboveOnTop();
/** Makes `window` a window the window manager keeps above the window of `owner` (its transient),
 *  from its next showing on; a window on the screen already is shown again for it. `window` must
 *  be of a transient type (Qt::Dialog or Qt::Tool) and stays without a widget parent. Its window
 *  system window is made here: a window to be placed by its frame is moved before the first call. */
void KeepAboveOwner(QWidget *window, const QWidget *owner);
/** True while the window holds an on-top state lent to it (not its own "On Top"). */
bool HasLentOnTop(const QWidget *window);
/** Gives a window the on-top state when another window of the program is kept on top; the
 *  openers call it for a window that is already on the screen. */
void LendOnTopIfNeeded(QWidget *window);
/** The cursor position in pixels, in the window's coordinates when one is given. */
int GetCursorX(const QWidget *window = nullptr);
int GetCursorY(const QWidget *window = nullptr);
/** Gives a list a horizontal scroll extent when one of its items is wider than the list. */
void SetListHScroll(QListWidget *list);
/** The horizontal extent SetListHScroll last gave a list (0: none). */
int ListHScrollExtent(const QListWidget *list);
/** Sets the width of a combo box's drop-down list in pixels. */
void SetComboDropWidth(QComboBox *combo, int width);
/** Widens a combo box's drop-down list to its widest item + 30 pixels. */
void AutoSizeCombo(QComboBox *combo);

} // namespace common
