#pragma once
/**
 * The toolkit's start for a run: whether the run opens a window is known from its arguments and
 * the settings file before anything is built, so a run that opens none needs no display at all
 * (a display that cannot be opened stops it no more than a missing one), and a run that does
 * but finds no display says so plainly instead of the toolkit aborting.
 */
#include <QCoreApplication>
#include <QStringList>
#include <memory>

namespace app {

/** True when the run started with `arguments` opens a window: every start but a rename-drop run
 *  whose preference "Show Rename Drop dialog." is off. The settings file is only read. */
bool RunOpensWindows(const QStringList &arguments);

/**
 * The application object for a run started with `arguments`, created on `argc` and `argv`
 * (kept by reference; they must outlive it).
 *
 * A run that opens no window gets a QCoreApplication, which needs no display, when none is
 * named; where one is named, a QApplication on it so that its messages show as boxes, or, when
 * that display cannot be opened (or the platform named cannot start), one on a platform that
 * shows nothing, after a line on standard error saying so. Either way it runs.
 *
 * A run that opens windows gets a QApplication on the display. When no display can show its
 * windows (none is set, the platform is "offscreen" or "minimal", the display cannot be opened,
 * a list of platforms fell back to one that shows nothing) the reason is told on standard error
 * and the result is null, or the process ends with modMain::NothingRan when the toolkit gives up
 * on the display while it starts.
 */
std::unique_ptr<QCoreApplication> CreateApplication(int &argc, char **argv, const QStringList &arguments);

/** False when the application was created by CreateApplication() where no window can be seen
 *  (a QCoreApplication, or a platform that shows nothing); true for a QApplication made
 *  otherwise. A window opened while it is false would wait for a user who cannot see it. */
bool WindowsCanShow();

} // namespace app
