#pragma once
/**
 * The three ways Vexlo can be started: with no arguments, as a rename-drop run (a ".rnp" file
 * followed by the dropped files and folders) or as an open-files run (paths joined by "|").
 */
#include <QHash>
#include <QString>
#include <QStringList>

namespace mainwin {

enum class StartMode { Normal, RenameDrop, OpenFiles };

/** The mode of a command line given as the program's arguments: none is a normal start, one
 *  single argument holding "|" opens files, anything else is a rename-drop run (whose names may
 *  hold "|"). */
StartMode startModeOf(const QStringList &arguments);

/** Splits one command-line text into arguments at blanks outside double quotes, with the
 *  backslash-quote rules of the drop handler's lines; a run of blanks is one separator. An
 *  empty line gives no arguments. */
QStringList ParseCommandLine(const QString &line);

/** Splits an open-files line at every "|", taking the parts as they stand. An empty line gives
 *  no arguments. */
QStringList SplitCommandLine(const QString &line);

/**
 * The dropped items of one run (command-line arguments) as full paths without a trailing "/",
 * so that folder and name split apart with GetPathPart. A path is never cleaned by its text:
 * the folder part is resolved as the kernel resolves it ("link/.." is the folder above the
 * link's target), and the last component stays the item itself, a symbolic link included.
 * The working folder is asked for once, and each folder is resolved once, however often the
 * arguments come back to it (a folder given before the files inside it).
 */
class DroppedItemPaths {
public:
    QString path(const QString &argument);

    /** True when path() gives `argument` as a bare name in the folder path() resolved last,
     *  the working folder: the item's folder is then resolvedFolder() and its name `argument`. */
    bool isBareName(const QString &argument) const;
    /** The folder path() resolved last, ending in "/". */
    QString resolvedFolder() const;

    /** For an argument that NamesDotItem(): the folder whose entry it names, ending in "/" ("."
     *  and ".." alone: the working folder). */
    QString dotItemFolder(const QString &argument);

private:
    /** A folder's resolution: the real folder, or (`real` false: it could not be resolved) the
     *  folder's own text. */
    struct Resolved {
        QString text;
        bool real = false;
    };
    /** `folder` (absolute) resolved, each folder text once: one whose parent is resolved costs a
     *  look at its last part. */
    Resolved resolve(const QString &folder);

    QString m_workingFolder;
    QString m_folder;
    QString m_resolved;
    /** Each folder text resolved so far (and the folders above it), to its resolution. */
    QHash<QString, Resolved> m_resolvedFolders;
};

/** True when `argument` is "." or "..", or ends in "/." or "/.." (trailing "/" aside): a
 *  folder's own entry, which is never an item to rename. */
bool NamesDotItem(const QString &argument);

/** The last component of such an argument: "." or "..". */
QString DotItemName(const QString &argument);

/** The name of a path (after its last "/"), or with `folder` its folder up to and including
 *  the last "/" (empty when it holds none). */
QString GetPathPart(const QString &path, bool folder);

} // namespace mainwin
