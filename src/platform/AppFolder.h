#pragma once
#include <QStandardPaths>
#include <QString>

/** The program folder, without a trailing "/": $VEXLO_HOME when set, else the per-user data
 *  folder. Both are taken byte for byte through the name codec, so a folder whose name is not
 *  UTF-8 is that very folder. Created on first use (by its own bytes). */
QString AppFolder();

/** Why the program folder cannot hold the program's files, as a sentence for the user; empty
 *  when it is a folder (made by AppFolder() where it was missing). Says when the path, or a
 *  part of it on the way, is not a folder, and names $VEXLO_HOME when that chose it. */
QString AppFolderProblem();

/** A file in the program folder: AppFolder() + "/" + name. */
QString AppFile(const QString &name);

/** A read-only asset: the program folder first, then beside the executable, then the built-in
 *  resources (":/assets/" + name). Empty when none has it. */
QString FindAsset(const QString &name);

/** The environment variable `name` as a path, its bytes decoded by the name codec; empty when
 *  it is not set. */
QString EnvironmentPath(const char *name);

/** The user's folder `location` as QStandardPaths names it, but with the bytes of $HOME or the
 *  XDG variable it comes from kept as they are (decoded by the name codec) where they are not
 *  UTF-8. */
QString UserFolder(QStandardPaths::StandardLocation location);
