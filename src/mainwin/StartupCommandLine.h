#pragma once
/**
 * The three ways Vexlo can be started: with no arguments, as a rename-drop run (a ".rnp" file
 * followed by the dropped files and folders) or as an open-files run (paths joined by "|").
 */
#include <QString>
#include <QStringList>

namespace mainwin {

enum class StartMode { Normal, RenameDrop, OpenFiles };

/** The mode of a command line given as the program's arguments: none is a normal start, a single
 *  argument holding "|" opens files, anything else is a rename-drop run. */
StartMode startModeOf(const QStringList &arguments);

/** Splits one command-line text into arguments at blanks outside double quotes, with the
 *  backslash-quote rules of the drop handler's lines; a run of blanks is one separator. An
 *  empty line gives no arguments. */
QStringList ParseCommandLine(const QString &line);

/** Splits an open-files line at every "|", taking the parts as they stand. An empty line gives
 *  no arguments. */
QStringList SplitCommandLine(const QString &line);

/** A dropped item (a command-line argument) as a full path without a trailing "/", so that its
 *  folder and name split apart with GetPathPart. A relative one is taken from `workingFolder`
 *  when given (asked of the system once for many items), else from the current folder. */
QString DroppedItemPath(const QString &argument, const QString &workingFolder = QString());

/** The name of a path (after its last "/"), or with `folder` its folder up to and including
 *  the last "/" (empty when it holds none). */
QString GetPathPart(const QString &path, bool folder);

} // namespace mainwin
