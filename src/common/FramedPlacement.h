#pragma once
/**
 * Placing a window by the frame the window manager draws around it: against a widget of another
 * window (centred under the widget, above it when there is no room below, wholly on the widget's
 * screen), or wholly on its own screen. A window manager frames a window only once the window is
 * on the screen, so a window shown for the first time is placed by the frame of another window of
 * the program until its own frame is known, and placed again then.
 */

class QPoint;
class QRect;
class QSize;
class QWidget;

namespace common {

/** Where a window whose frame is `frame` in size opens under `anchor` (global pixels) within
 *  `area`: centred under the anchor with its top at the anchor's bottom edge; above the anchor
 *  when there is no room below; moved in as far as needed to lie wholly inside the area (its
 *  left and top edges first when it is larger). Returns the frame's top-left corner. */
QPoint PlaceUnder(const QRect &anchor, const QSize &frame, const QRect &area);
/** PlaceUnder() for a frame of `frame` under the widget `anchor`, within the available area of
 *  the anchor's screen. */
QPoint PlaceUnder(const QWidget *anchor, const QSize &frame);

/** Where the frame `frame` (global pixels) goes to lie wholly inside `area`: no larger than the
 *  area, and moved in as far as needed (its left and top edges first when it cannot be made
 *  small enough). Returns the frame's new rectangle; a frame inside the area already stays. */
QRect FitInside(const QRect &frame, const QRect &area);

/**
 * Shows `window` under the widget `anchor` (PlaceUnder), kept above the anchor's window
 * (KeepAboveOwner), raised. A window on the screen already moves under the new anchor.
 *
 * A window shown for the first time is placed before its window system window is made, by the
 * frame its window manager will draw: the frame of the anchor's window stands in for it, and the
 * position is the frame's, which the window manager keeps. Once the window is framed it is placed
 * again by its own frame, should that differ. `window` is of a transient type (Qt::Dialog or
 * Qt::Tool) without a widget parent.
 */
void ShowUnder(QWidget *window, const QWidget *anchor);

/**
 * Makes the top-level `window`, its frame included, lie wholly on the available area of its
 * screen (FitInside): a window larger than the area is made smaller, one reaching out of it is
 * moved in as far as needed, so a window centred on the screen stays centred. A maximized or
 * full-screen window is left alone.
 *
 * Called as the window is shown. Until the window manager has framed the window, the frame of
 * another framed window of the program stands in for its own; once the window is framed it is
 * fitted again by its own frame, should that differ.
 */
void FitOnScreen(QWidget *window);

} // namespace common
