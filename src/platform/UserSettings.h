#pragma once
/** The per-user settings store, one INI file per application name. */
#include <QString>
#include <memory>

class QSettings;

/** The store of `application`: inside $VEXLO_HOME when it is set (so a run confined to its
 *  program folder writes nothing elsewhere), else the user's configuration folder. */
std::unique_ptr<QSettings> OpenUserSettings(const QString &application);

/** `store` when its file may be written (a regular file, a link to one, or a new file);
 *  otherwise the refusal is told once on standard error, with the path and the reason, and a
 *  store that keeps its values only while the program runs takes its place, so that the device,
 *  FIFO or folder in the file's place is never replaced. */
std::unique_ptr<QSettings> WritableStoreOrDetached(std::unique_ptr<QSettings> store);
