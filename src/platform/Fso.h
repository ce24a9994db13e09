#pragma once
/**
 * File-system operations of the program. Moves and copies never overwrite an existing target;
 * failures come back as a Status with the classic numbers and texts ("File already exists",
 * "File not found", "Path not found", "Permission denied"). Every path is used as the bytes the
 * name codec gives it (names that are not UTF-8 included), never in the toolkit's encoding.
 *
 * A copy, and a move to another file system (a copy, then the source removed), takes regular
 * files, folders and symbolic links only: a link as a link, files and folders with their
 * modification and access times and permission bits, and all three with their owner and group
 * where the process may set them (as root; another user keeps what it makes). A FIFO, a socket or a device is never
 * opened: a copy skips it and names it in its failure, and a move of it, or of a folder holding
 * it, is refused with nothing changed.
 *
 * A copy (and so a move to another file system) is made under a temporary name beside the
 * target, the target's name + ".incomplete-copy-" + six letters or digits, and takes the
 * target's name only when it is whole: a file or folder under the target's name is never part
 * of a copy, whenever the copy stops. A failing copy removes its temporary; one whose process
 * was killed leaves it under that name, in plain sight. However deep the folders, a copy or
 * move holds only a few descriptors at a time.
 */
#include "VbError.h"

#include <QString>
#include <QStringList>

namespace fso {

bool FileExists(const QString &path);
bool FolderExists(const QString &path);

/** Creates the folder `path` with every missing folder above it, by the name's own bytes (as
 *  mkdir -p does). True when `path` is a folder afterwards. */
bool MakeFolders(const QString &path);
/** The names of the regular files in the folder `path` (links to files included), decoded by
 *  the name codec so that each opens its own file; in the order the folder gives them. */
QStringList FolderFiles(const QString &path);

/** The last component of a path ("/a/b/" and "/a/b" give "b"). */
QString ItemName(const QString &path);
/** The folder that holds a path's last component, without a final "/" ("/a/b/" and "/a/b" give
 *  "/a", "/a" gives "/", a bare name "."). */
QString ParentOf(const QString &path);

/** Refuses a name that no file can have: empty, ".", "..", holding "/" or NUL, or longer than
 *  255 bytes in UTF-8 (Status BadFileNameOrNumber). */
vb::Status CheckItemName(const QString &name);

/** Moves or renames a file; the target must not exist. A symbolic link is an item of its own,
 *  moved as itself whether its target exists or not. */
vb::Status MoveFile(const QString &source, const QString &target);
/** Moves or renames a folder with its contents; the target must not exist. */
vb::Status MoveFolder(const QString &source, const QString &target);
/**
 * Renames items one after another by name inside their folder ("folder" ends in "/"), each of
 * a kind (`isFolder` or not) the caller has just looked up, never over an existing item. The
 * folder is opened once for the items that follow in it, not walked to for every item; after a
 * folder is renamed it is opened again by path. Only when the rename fails is the item looked
 * at: MoveFile or MoveFolder on the full paths give the answer (and the fallbacks).
 */
class ItemRenamer {
public:
    ItemRenamer() = default;
    ~ItemRenamer();
    ItemRenamer(const ItemRenamer &) = delete;
    ItemRenamer &operator=(const ItemRenamer &) = delete;

    vb::Status rename(const QString &folder, const QString &oldName, const QString &newName, bool isFolder);

private:
    void forgetFolder();
    QString m_folder;
    int m_fd = -1;
};

/** Copies a file (a link as a link); the target must not exist. */
vb::Status CopyFile(const QString &source, const QString &target);
/** Copies a folder with its contents; the target must not exist. Items skipped for their kind
 *  are named in the failure; everything else stays copied. */
vb::Status CopyFolder(const QString &source, const QString &target);
vb::Status DeleteFile(const QString &path);

/** The system calls a move goes through: a rename with renameat2's flags, and a hard link. Both
 *  return 0 or -1 with errno set, as the system calls do. */
struct MoveCalls {
    int (*rename)(const char *from, const char *to, unsigned flags);
    int (*link)(const char *from, const char *to);
};
/** The system's own calls. */
MoveCalls systemMoveCalls();
/** Puts `calls` in place for every later move (tests put stand-ins here that behave as other
 *  file systems do); returns the calls that were in place. */
MoveCalls setMoveCalls(MoveCalls calls);

/** Maps an errno value to the program's error number. */
int errorNumberFromErrno(int err);

} // namespace fso
