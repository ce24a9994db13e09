#pragma once
/**
 * The one way the program replaces a file of its own (settings, logs, lists, the tool-bar
 * layout, the window places) or a file it rewrites (an MP3 file's tags): the new bytes go to a
 * temporary file beside the file, which replaces it only when every byte was written.
 *
 * The temporary file is readable and writable by the owner alone (0600) until the commit gives
 * it the old file's permissions, owner and group; a file that did not exist before gets the
 * permissions of any new file of the process (0666 without the bits of the umask).
 *
 * Only a regular file is ever replaced. A symbolic link to a regular file is written through:
 * the file it leads to is replaced in its own folder, and the link stays a link. A link to
 * anything else (a device, a FIFO, a socket, a folder), a dangling link, or a path that is
 * something other than a regular file is refused before anything is written, with the reason.
 * Failures carry the system's reason ("Disk full" for a full disk, "Disk full (quota exceeded)",
 * "Disk full (file size limit)", "Path not found" for a missing folder, a read-only file system
 * as such).
 */
#include "VbError.h"

#include <QByteArray>
#include <QString>

#include <sys/types.h>

namespace textfile {

/** The failure of a file operation that failed with the system error `err`. */
vb::Status systemFailure(int err);

/** How a window or the unattended run tells a file of the program that could not be saved:
 *  "The <what> "<path>" could not be saved: <reason>." (a reason that ends in a full stop gets
 *  no second one). */
QString saveFailureText(const QString &what, const QString &path, const vb::Status &failure);

/** The file a write of `path` replaces: `path` itself when it is a regular file or does not
 *  exist yet, the file a symbolic link leads to when that is a regular file. Anything else is
 *  refused (number "Path/File access error") with a text saying what the path is. */
vb::Status resolveWriteTarget(const QString &path, QString &target);

/** The call that creates files for writing (the temporary files and the appended logs); a test
 *  may put another in its place to play a failing disk. Returns the previous one. */
using OpenCall = int (*)(const char *path, int flags, mode_t mode);
OpenCall setOpenCall(OpenCall call);
/** Creates or opens a file through the current open call. */
int openForWriting(const char *path, int flags, mode_t mode);

/** The permissions a new file of the process gets: 0666 without the bits of the process's
 *  umask as it is now. The umask is read without being changed (from "/proc/self/status"), so
 *  any thread may ask; where the system does not show it, the umask the process started with. */
mode_t newFileMode();

/** A file replaced as a whole: open(), any number of write(), then commit(). The file is
 *  untouched until commit() succeeds; destroying the object before removes the temporary file. */
class AtomicFile {
public:
    explicit AtomicFile(QString path);
    ~AtomicFile();
    AtomicFile(const AtomicFile &) = delete;
    AtomicFile &operator=(const AtomicFile &) = delete;

    /** Checks the path and creates the temporary file beside the file it replaces. */
    vb::Status open();
    /** Appends bytes; the first failure is kept and returned by commit(). */
    vb::Status write(const QByteArray &bytes);
    /** Gives the new file the old one's permissions, owner and group (as far as the process may
     *  set them; newFileMode() when there was no old file) and renames it over the old file.
     *  Nothing is replaced after a failed write. */
    vb::Status commit();
    /** Removes the temporary file; the old file stays as it was. */
    void cancel();

    /** The file the commit replaces (the target of a link), known after open(). */
    const QString &targetPath() const { return m_target; }
    /** Bytes written to the temporary file so far. */
    qint64 size() const { return m_size; }
    /** The temporary file's descriptor while open, for a caller that checks what it wrote. */
    int handle() const { return m_fd; }

private:
    QString m_path;
    QString m_target;
    QByteArray m_temporary;
    int m_fd = -1;
    qint64 m_size = 0;
    vb::Status m_failure;
};

} // namespace textfile
