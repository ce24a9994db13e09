#pragma once
/** The per-user settings store, one INI file per application name. */
#include <QString>
#include <memory>

class QSettings;

/** The store of `application`: inside $VEXLO_HOME when it is set (so a run confined to its
 *  program folder writes nothing elsewhere), else the user's configuration folder. */
std::unique_ptr<QSettings> OpenUserSettings(const QString &application);
