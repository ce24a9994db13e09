#pragma once
/**
 * The copy and removal behind the file-system object's copies and its moves across file
 * systems. Paths are the kernel's bytes (as pathcodec::encode() gives them) and every name
 * inside a folder is taken from the folder as bytes, so a name that is not UTF-8 is copied and
 * removed as itself and never confused with a look-alike.
 *
 * Only regular files, folders and symbolic links are copied (a link as a link, never followed);
 * anything else (a FIFO, a socket, a device) is never opened: it is skipped and listed. Files
 * and folders keep their modification and access times and their permission bits; files,
 * folders and links keep their owner and group where the process may set them (root sets both,
 * another user at most a group of its own), and a set-user-ID or set-group-ID bit stays only
 * with the owner or group it was given for.
 */
#include <QByteArray>
#include <QList>
#include <QString>

namespace fso::detail {

/** Copies the item at `source` whole under a new temporary name beside `target` (in the folder
 *  `target` names it in), from which the caller gives it its name: a name that only ever holds a
 *  whole copy. The temporary name says what it is, in plain sight: the final name +
 *  ".incomplete-copy-" + six random letters or digits, the final name shortened where needed so
 *  that the whole stays within 255 bytes. Until it is complete a file is readable by its maker
 *  only (0600) and a folder 0700; then each takes its own bits, times and owner. Folders are
 *  walked a level at a time with descriptors held for the deepest few levels only.
 *
 *  Returns 0 with `temporary` set to the copy's path, or the errno of the first failure with
 *  nothing left behind. A source that is not copied for its kind gives 0 and an empty
 *  `temporary`. Items not copied for their kind are added to `skipped` (their paths below
 *  `source`); everything else is in the copy. */
int copyToTemporary(const QByteArray &source, const QByteArray &target, QByteArray &temporary,
                    QList<QByteArray> &skipped);

/** Removes the item at `path`: a folder with everything in it, a link as itself. Returns 0 or
 *  the errno of the first item that could not be removed. */
int removeItem(const QByteArray &path);

/** Removes a copy this program made (a temporary of copyToTemporary()) as removeItem() does,
 *  opening up first each folder in it that lacks its maker's read, write or search permission
 *  (copied from a read-only folder). The permission is given through a handle of the folder
 *  itself, never by a name that may have become a link meanwhile. */
int removeCopy(const QByteArray &path);

/** Whether the item at `path` (not followed when it is a link) is one the copy can take. */
bool copyableKind(const QByteArray &path);

/** The message for items a copy skipped: each path and what it is; `action` is "copied" or
 *  "moved". */
QString skippedMessage(const QList<QByteArray> &skipped, const QString &action);

} // namespace fso::detail
