#include "AtomicFile.h"

#include "PathCodec.h"

#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace textfile {

namespace {

OpenCall g_open = [](const char *path, int flags, mode_t mode) { return ::open(path, flags, mode); };

QString kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("a folder");
    if (S_ISCHR(mode))
        return QStringLiteral("a character device");
    if (S_ISBLK(mode))
        return QStringLiteral("a block device");
    if (S_ISFIFO(mode))
        return QStringLiteral("a FIFO");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    return QStringLiteral("not a regular file");
}

vb::Status refused(const QString &why)
{
    return vb::Status::fail(vb::PathFileAccessError, why);
}

// The umask the process started with: read while the program is still single-threaded (static
// initialisation runs before main), the only moment umask(), which sets as it reads, is safe.
const mode_t StartUmask = [] {
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}();

// The process's umask now, read from "/proc/self/status" without changing it (so any thread
// may ask); the one it started with where the system does not show it there.
mode_t currentUmask()
{
    const int fd = ::open("/proc/self/status", O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return StartUmask;
    QByteArray status;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        status.append(buffer, qsizetype(n));
    }
    ::close(fd);
    const qsizetype at = status.indexOf("\nUmask:");
    if (at < 0)
        return StartUmask;
    const qsizetype end = status.indexOf('\n', at + 1);
    bool ok = false;
    const uint mask = status.mid(at + 7, end < 0 ? -1 : end - at - 7).trimmed().toUInt(&ok, 8);
    return ok ? mode_t(mask & 0777) : StartUmask;
}

QString linkText(const QByteArray &link)
{
    QByteArray text(PATH_MAX, '\0');
    const ssize_t n = ::readlink(link.constData(), text.data(), size_t(text.size()));
    return n < 0 ? QString() : pathcodec::printable(pathcodec::decode(text.left(n)));
}

} // namespace

vb::Status systemFailure(int err)
{
    switch (err) {
    case ENOSPC:
        return vb::Status::fail(vb::DiskFull);
    case EDQUOT:
        return vb::Status::fail(vb::DiskFull, QStringLiteral("Disk full (quota exceeded)"));
    case EFBIG:  // a file-size limit: the disk is full as far as this file goes
        return vb::Status::fail(vb::DiskFull, QStringLiteral("Disk full (file size limit)"));
    case EACCES:
    case EPERM:
        return vb::Status::fail(vb::PermissionDenied);
    case ENOENT:
    case ENOTDIR:
        return vb::Status::fail(vb::PathNotFound);
    case EROFS:
        return vb::Status::fail(vb::PermissionDenied, QStringLiteral("Permission denied (read-only file system)"));
    case ENAMETOOLONG:
        return vb::Status::fail(vb::BadFileNameOrNumber, QStringLiteral("Bad file name or number (name too long)"));
    default:
        return vb::Status::fail(vb::PathFileAccessError,
                                QStringLiteral("Path/File access error (%1)").arg(QString::fromLocal8Bit(std::strerror(err))));
    }
}

QString saveFailureText(const QString &what, const QString &path, const vb::Status &failure)
{
    QString text = QStringLiteral("The %1 \"%2\" could not be saved: %3").arg(what, pathcodec::printable(path), failure.description);
    if (!text.endsWith(u'.'))
        text += u'.';
    return text;
}

vb::Status resolveWriteTarget(const QString &path, QString &target)
{
    const QByteArray native = pathcodec::encode(path);
    struct stat st {};
    if (::lstat(native.constData(), &st) != 0) {
        if (errno == ENOENT) {
            target = path;  // a new file (a missing folder is reported when it is created)
            return vb::Status::ok();
        }
        return systemFailure(errno);
    }
    if (S_ISREG(st.st_mode)) {
        target = path;
        return vb::Status::ok();
    }
    if (!S_ISLNK(st.st_mode))
        return refused(QStringLiteral("it is %1, not a regular file").arg(kindOf(st.st_mode)));

    const QString leadsTo = linkText(native);
    char *real = ::realpath(native.constData(), nullptr);
    if (!real) {
        const int err = errno;
        if (err == ENOENT)
            return refused(QStringLiteral("it is a link to \"%1\", which does not exist").arg(leadsTo));
        if (err == ELOOP)
            return refused(QStringLiteral("it is a link that leads round in a circle"));
        return systemFailure(err);
    }
    const QByteArray resolved(real);
    std::free(real);
    if (::stat(resolved.constData(), &st) != 0)
        return systemFailure(errno);
    if (!S_ISREG(st.st_mode))
        return refused(QStringLiteral("it is a link to \"%1\", %2, not to a regular file")
                           .arg(leadsTo, kindOf(st.st_mode) == QLatin1String("not a regular file")
                                             ? QStringLiteral("which is not a regular file")
                                             : kindOf(st.st_mode)));
    target = pathcodec::decode(resolved);
    return vb::Status::ok();
}

OpenCall setOpenCall(OpenCall call)
{
    const OpenCall previous = g_open;
    g_open = call;
    return previous;
}

int openForWriting(const char *path, int flags, mode_t mode)
{
    return g_open(path, flags, mode);
}

mode_t newFileMode()
{
    return 0666 & ~currentUmask();
}

AtomicFile::AtomicFile(QString path) : m_path(std::move(path)) {}

AtomicFile::~AtomicFile()
{
    cancel();
}

vb::Status AtomicFile::open()
{
    cancel();
    m_failure = vb::Status::ok();
    m_size = 0;
    if (vb::Status st = resolveWriteTarget(m_path, m_target); !st)
        return st;
    const QByteArray target = pathcodec::encode(m_target);
    // The temporary name: the file's own name with a random ending, in the same folder, so the
    // rename that replaces the file never crosses a file system. A name near the longest one a
    // folder takes gives up its end for the ending.
    constexpr qsizetype LongestName = 255;
    const qsizetype slash = target.lastIndexOf('/');
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray ending =
            '.' + QByteArray::number(QRandomGenerator::global()->generate() & 0xFFFFFF, 36) + ".tmp";
        const qsizetype nameLength = target.size() - slash - 1;
        const QByteArray name = target.left(target.size() - qMax<qsizetype>(0, nameLength + ending.size() - LongestName))
                                + ending;
        // Readable by the owner alone until the commit gives it the file's own permissions:
        // the new contents of a private file are never open to others, not even while they
        // are written or when the process dies before the commit.
        const int fd = openForWriting(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            m_fd = fd;
            m_temporary = name;
            return vb::Status::ok();
        }
        if (errno == EEXIST)
            continue;
        // (A missing folder is ENOENT: "Path not found".)
        return systemFailure(errno);
    }
    return systemFailure(EEXIST);
}

vb::Status AtomicFile::write(const QByteArray &bytes)
{
    if (m_fd < 0 && m_failure)
        m_failure = vb::Status::fail(vb::BadFileNameOrNumber);
    for (qsizetype done = 0; m_failure && done < bytes.size();) {
        const ssize_t n = ::write(m_fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            m_failure = systemFailure(n < 0 ? errno : ENOSPC);
            break;
        }
        done += n;
        m_size += n;
    }
    return m_failure;
}

vb::Status AtomicFile::commit()
{
    if (m_fd < 0 && m_failure)
        m_failure = vb::Status::fail(vb::BadFileNameOrNumber);
    if (!m_failure) {
        cancel();
        return m_failure;
    }
    // The new file takes the old one's permissions, owner and group; a process that may not
    // give a file away keeps its own owner (the old file's permissions still apply). A file
    // made anew gets the permissions any new file of the process gets.
    struct stat old {};
    const QByteArray target = pathcodec::encode(m_target);
    if (::stat(target.constData(), &old) == 0) {
        if (::fchown(m_fd, old.st_uid, old.st_gid) != 0)
            (void)::fchown(m_fd, uid_t(-1), old.st_gid);
        (void)::fchmod(m_fd, old.st_mode & 07777);
    } else {
        (void)::fchmod(m_fd, newFileMode());
    }
    const int fd = m_fd;
    m_fd = -1;
    // On disk before it takes the old file's name: after a power cut the name holds either the
    // old contents or the whole new ones, never an empty file. A file system that cannot sync
    // (EINVAL) has nothing to wait for.
    if (::fsync(fd) != 0 && errno != EINVAL) {
        const vb::Status st = systemFailure(errno);
        ::close(fd);
        cancel();
        return st;
    }
    if (::close(fd) != 0) {
        const vb::Status st = systemFailure(errno);
        cancel();
        return st;
    }
    if (::rename(m_temporary.constData(), target.constData()) != 0) {
        const vb::Status st = systemFailure(errno);
        cancel();
        return st;
    }
    m_temporary.clear();
    return vb::Status::ok();
}

void AtomicFile::cancel()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temporary.isEmpty()) {
        ::unlink(m_temporary.constData());
        m_temporary.clear();
    }
}

} // namespace textfile
