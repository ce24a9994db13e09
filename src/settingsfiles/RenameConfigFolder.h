#pragma once
/**
 * The folder of the named rename configurations: one ".rfg" file per configuration, named
 * after it; the folder's contents are the list. Configuration names compare case-insensitively
 * (in upper case), so "Holiday" and "HOLIDAY" name one configuration and one file.
 */
#include "VbError.h"

#include <QString>
#include <QStringList>

namespace settingsfiles {

class RenameConfigFolder {
public:
    /** The program's own configuration folder, AppFolder() + "/RenConfigs/". */
    RenameConfigFolder();
    /** The folder at `path` (a trailing "/" is added when missing). */
    explicit RenameConfigFolder(QString path);

    /** The folder, ending in one "/". */
    const QString &path() const { return m_path; }
    bool exists() const;
    /** Creates the folder when it does not exist. */
    vb::Status create() const;

    /**
     * The configurations of the folder in name order: every file whose name ends in ".rfg"
     * (exactly these lower-case letters), without those four characters. Sub-folders and
     * other files are left out.
     */
    QStringList names() const;

    /**
     * Refuses a name that would not stay a file of this folder: one that is empty, "." or
     * "..", holds "/" or NUL, or is too long for a file name with the extension
     * (BadFileNameOrNumber). Blanks and every other character are allowed.
     */
    static vb::Status checkName(const QString &name);

    /** True when both names are one configuration (equal in upper case). */
    static bool sameName(const QString &a, const QString &b);

    /**
     * The file of configuration `name`: the file of exactly that name when there is one, else
     * the first ".rfg" file of the folder whose name is the same in upper case, else the
     * (new) file path() + name + ".rfg".
     */
    QString fileOf(const QString &name) const;

    /**
     * Deletes the file of configuration `name`. A missing file fails with FileNotFound; a
     * read-only file is not deleted (PermissionDenied).
     */
    vb::Status remove(const QString &name) const;

private:
    QString m_path;
};

} // namespace settingsfiles
