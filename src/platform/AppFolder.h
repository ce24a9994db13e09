#pragma once
#include <QString>

/** The program folder, without a trailing "/": $VEXLO_HOME when set, else the per-user data
 *  folder. Created on first use. */
QString AppFolder();

/** A file in the program folder: AppFolder() + "/" + name. */
QString AppFile(const QString &name);

/** A read-only asset: the program folder first, then beside the executable, then the built-in
 *  resources (":/assets/" + name). Empty when none has it. */
QString FindAsset(const QString &name);
