#pragma once
/**
 * The toolkit's start for a run: whether the run opens a window is known from its arguments and
 * the settings file before anything is built, so a run that opens none needs no display at all,
 * and a run that does but finds no display says so plainly instead of the toolkit aborting.
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
 * (kept by reference; they must outlive it): a QApplication when the run opens windows or a
 * display can show its message boxes, else a QCoreApplication, which needs no display (its
 * message boxes go to standard error). When the run opens windows and no display can show them
 * (none is set, the platform is "offscreen" or "minimal", the display cannot be opened), the
 * reason is told on standard error and the result is null, or the process ends with exit 2 when
 * the toolkit gives up on the display while it starts.
 */
std::unique_ptr<QCoreApplication> CreateApplication(int &argc, char **argv, const QStringList &arguments);

} // namespace app
