#pragma once
/** The per-user settings stores (window places, the dialogs' state), one INI file each. */
#include <QString>
#include <functional>
#include <memory>

class QSettings;

/** The store of `application`: inside $VEXLO_HOME when it is set (so a run confined to its
 *  program folder writes nothing elsewhere), else the user's configuration folder. */
std::unique_ptr<QSettings> OpenUserSettings(const QString &application);

/** The per-user store `<organization>/<application>.ini`: in $VEXLO_HOME when it is set (where
 *  the program puts the user's stores then), else in the user's configuration folder. */
std::unique_ptr<QSettings> OpenUserStore(const QString &organization, const QString &application);

/** The store kept in the file `path`, when that file may be written (a regular file, a link to
 *  one, or a new file). The file is kept as every program file is: read without waiting and only
 *  when it is a regular file; rewritten, when the store goes and only when its values changed, as
 *  a whole (AtomicFile), keeping its owner, group and permissions, through a link that leads to
 *  it. The store's changes are merged into the file as it is then, so values written since by
 *  another store are kept. Otherwise the file is neither read nor written: the refusal is told
 *  once on standard error, with the path and the reason, and a store that keeps its values only
 *  while the program runs takes its place, so the device, FIFO or folder there is never
 *  replaced. A failed save is told on standard error. */
std::unique_ptr<QSettings> OpenStoreFile(const QString &path);

/** Runs `work` (a file dialog) while the toolkit's own store of `organization` (its file dialogs
 *  keep the folders visited and their view in "QtProject") is kept as the program's stores are
 *  (see OpenStoreFile): the toolkit works on a private copy of the store's file, and what it
 *  changed there is merged into that file when the work is done. */
void WithToolkitStore(const QString &organization, const std::function<void()> &work);

/** A name of `path` under which the toolkit's file classes (which take names as UTF-8 text)
 *  reach the very file the name codec's bytes name: `path` itself when it is UTF-8, else the
 *  same file reached through its folder, which is created when missing and held open for the
 *  rest of the run. A file name that is itself not UTF-8 is given back as it is. */
QString QtOpenablePath(const QString &path);
