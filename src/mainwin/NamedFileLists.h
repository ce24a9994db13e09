#pragma once
/**
 * The named file lists: one file per list in the folder "FileLists/" of the program folder,
 * named after the list with ".lst" appended and holding one full path per line. A list's name
 * never leaves that folder: names that are ".", "..", hold "/" or NUL, or make too long a file
 * name are refused.
 */
#include "VbError.h"

#include <QString>
#include <QStringList>

namespace mainwin {

class NamedFileLists {
public:
    /** AppFolder() + "/FileLists/". */
    static QString Folder();
    /** The file of the list `name`. */
    static QString PathOf(const QString &name);

    /** Creates the folder when it does not exist; false when it cannot be made. */
    static bool EnsureFolder();
    /**
     * The names of the stored lists: every file of the folder whose name ends in ".lst" (case
     * counts, so "b.LST" is not listed) before that ending, in the order the folder lists them.
     * Creates the folder when it does not exist.
     */
    static QStringList Names();

    /** Why `name` cannot name a list (empty when it can). */
    static QString NameRefusal(const QString &name);

    /**
     * Writes the paths, one a line, as the list `name`, replacing a list of that name only when
     * everything was written. A path that cannot sit on a line refuses the whole save with a
     * text naming it; nothing is written then.
     */
    static vb::Status Save(const QString &name, const QStringList &paths);
    /** Reads the lines of the list `name`. */
    static vb::Status Read(const QString &name, QStringList &paths);
    /** Deletes the file of the list `name`. */
    static vb::Status Remove(const QString &name);
};

} // namespace mainwin
