#include "Fso.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fso {

namespace {

QByteArray native(const QString &path) { return QFile::encodeName(path); }

bool statPath(const QString &path, struct stat &st) { return ::lstat(native(path).constData(), &st) == 0; }

vb::Status fromErrno(int err) { return vb::Status::fail(errorNumberFromErrno(err)); }

QString parentOf(const QString &path)
{
    QString p = path;
    while (p.size() > 1 && p.endsWith(u'/'))
        p.chop(1);
    qsizetype slash = p.lastIndexOf(u'/');
    if (slash < 0)
        return QStringLiteral(".");
    return slash == 0 ? QStringLiteral("/") : p.left(slash);
}

// Checks the target's name and folder before any change is made.
vb::Status checkTarget(const QString &target)
{
    vb::Status st = CheckItemName(ItemName(target));
    if (!st)
        return st;
    if (!FolderExists(parentOf(target)))
        return vb::Status::fail(vb::PathNotFound);
    struct stat s;
    if (statPath(target, s))
        return vb::Status::fail(vb::FileAlreadyExists);
    return vb::Status::ok();
}

// The error of a failed no-replace rename whose source was there: a missing target folder is
// "Path not found", and a file system that cannot rename without replacing reports an existing
// target as such.
vb::Status moveFailure(int err, const QString &target)
{
    if (err == ENOENT && !FolderExists(parentOf(target)))
        return vb::Status::fail(vb::PathNotFound);
    struct stat s;
    if ((err == EINVAL || err == ENOSYS || err == ENOTSUP) && statPath(target, s))
        return vb::Status::fail(vb::FileAlreadyExists);
    return fromErrno(err);
}

// Renames without ever replacing an existing target.
int renameNoReplace(const QString &source, const QString &target, bool isFile)
{
    const QByteArray s = native(source), t = native(target);
    if (::renameat2(AT_FDCWD, s.constData(), AT_FDCWD, t.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    int err = errno;
    if ((err == EINVAL || err == ENOSYS || err == ENOTSUP) && isFile) {
        // File systems without the no-replace flag: a hard link fails on an existing target.
        if (::link(s.constData(), t.constData()) != 0)
            return errno;
        if (::unlink(s.constData()) != 0) {
            int e = errno;
            ::unlink(t.constData());
            return e;
        }
        return 0;
    }
    return err;
}

vb::Status copyFileContents(const QString &source, const QString &target)
{
    int in = ::open(native(source).constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return fromErrno(errno);
    struct stat st;
    ::fstat(in, &st);
    int out = ::open(native(target).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, st.st_mode & 07777);
    if (out < 0) {
        int e = errno;
        ::close(in);
        return fromErrno(e);
    }
    char buf[1 << 16];
    int err = 0;
    for (;;) {
        ssize_t n = ::read(in, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            err = errno;
            break;
        }
        if (n == 0)
            break;
        for (ssize_t done = 0; done < n;) {
            ssize_t w = ::write(out, buf + done, size_t(n - done));
            if (w < 0) {
                if (errno == EINTR)
                    continue;
                err = errno;
                break;
            }
            done += w;
        }
        if (err)
            break;
    }
    ::close(in);
    if (::close(out) != 0 && !err)
        err = errno;
    if (err) {
        ::unlink(native(target).constData());
        return fromErrno(err);
    }
    return vb::Status::ok();
}

vb::Status copyTree(const QString &source, const QString &target)
{
    struct stat st;
    if (!statPath(source, st))
        return fromErrno(errno);
    if (::mkdir(native(target).constData(), st.st_mode & 07777) != 0)
        return fromErrno(errno);
    const QFileInfoList entries = QDir(source).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &e : entries) {
        const QString to = target + u'/' + e.fileName();
        vb::Status r;
        if (e.isSymLink()) {
            QByteArray link = QFile::encodeName(e.symLinkTarget());
            char buf[4096];
            ssize_t n = ::readlink(native(e.filePath()).constData(), buf, sizeof buf);
            if (n >= 0)
                link = QByteArray(buf, n);
            r = ::symlink(link.constData(), native(to).constData()) == 0 ? vb::Status::ok() : fromErrno(errno);
        } else if (e.isDir()) {
            r = copyTree(e.filePath(), to);
        } else {
            r = copyFileContents(e.filePath(), to);
        }
        if (!r)
            return r;
    }
    return vb::Status::ok();
}

} // namespace

int errorNumberFromErrno(int err)
{
    switch (err) {
    case 0: return vb::NoError;
    case EEXIST:
    case ENOTEMPTY: return vb::FileAlreadyExists;
    case ENOENT: return vb::FileNotFound;
    case ENOTDIR: return vb::PathNotFound;
    case EACCES:
    case EPERM:
    case EROFS: return vb::PermissionDenied;
    case ENAMETOOLONG: return vb::BadFileNameOrNumber;
    case ENOSPC:
    case EDQUOT: return vb::DiskFull;
    case EINVAL: return vb::InvalidProcedureCall;
    case ENOMEM: return vb::OutOfMemory;
    default: return vb::PathFileAccessError;
    }
}

QString ItemName(const QString &path)
{
    QString p = path;
    while (p.size() > 1 && p.endsWith(u'/'))
        p.chop(1);
    return p.mid(p.lastIndexOf(u'/') + 1);
}

bool FileExists(const QString &path)
{
    struct stat st;
    return !path.isEmpty() && ::stat(native(path).constData(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool FolderExists(const QString &path)
{
    struct stat st;
    return !path.isEmpty() && ::stat(native(path).constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

vb::Status CheckItemName(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")
        || name.contains(u'/') || name.contains(QChar(0)) || name.toUtf8().size() > 255)
        return vb::Status::fail(vb::BadFileNameOrNumber);
    return vb::Status::ok();
}

vb::Status MoveFile(const QString &source, const QString &target)
{
    if (!FileExists(source))
        return vb::Status::fail(vb::FileNotFound);
    if (vb::Status st = CheckItemName(ItemName(target)); !st)
        return st;
    // The no-replace rename itself refuses an existing target; only a copy checks first.
    int err = renameNoReplace(source, target, true);
    if (err == EXDEV) {
        if (vb::Status st = checkTarget(target); !st)
            return st;
        if (vb::Status st = copyFileContents(source, target); !st)
            return st;
        if (::unlink(native(source).constData()) != 0) {
            int e = errno;
            ::unlink(native(target).constData());
            return fromErrno(e);
        }
        return vb::Status::ok();
    }
    return err ? moveFailure(err, target) : vb::Status::ok();
}

vb::Status MoveFolder(const QString &source, const QString &target)
{
    if (!FolderExists(source))
        return vb::Status::fail(vb::PathNotFound);
    if (vb::Status st = CheckItemName(ItemName(target)); !st)
        return st;
    int err = renameNoReplace(source, target, false);
    if (err == EXDEV) {
        if (vb::Status st = checkTarget(target); !st)
            return st;
        if (vb::Status st = copyTree(source, target); !st) {
            QDir(target).removeRecursively();
            return st;
        }
        if (!QDir(source).removeRecursively())
            return vb::Status::fail(vb::PermissionDenied);
        return vb::Status::ok();
    }
    return err ? moveFailure(err, target) : vb::Status::ok();
}

vb::Status RenameItem(const QString &source, const QString &target, bool folder)
{
    if (CheckItemName(ItemName(target)) && renameNoReplace(source, target, !folder) == 0)
        return vb::Status::ok();
    // Whatever stopped it, the checked move gives the answer (and copies across file systems).
    return folder ? MoveFolder(source, target) : MoveFile(source, target);
}

ItemRenamer::~ItemRenamer()
{
    forgetFolder();
}

void ItemRenamer::forgetFolder()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_folder.clear();
}

vb::Status ItemRenamer::rename(const QString &folder, const QString &oldName, const QString &newName, bool isFolder)
{
    if (CheckItemName(newName) && !oldName.contains(u'/')) {
        if (m_fd < 0 || folder != m_folder) {
            forgetFolder();
            m_fd = ::open(native(folder).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
            if (m_fd >= 0)
                m_folder = folder;
        }
        if (m_fd >= 0
            && ::renameat2(m_fd, native(oldName).constData(), m_fd, native(newName).constData(), RENAME_NOREPLACE) == 0) {
            // Paths below a renamed folder name other items now: the next one walks to its folder again.
            if (isFolder)
                forgetFolder();
            return vb::Status::ok();
        }
    }
    // Whatever stopped it, the checked move by path gives the answer (and the fallbacks).
    const QString source = folder + oldName;
    const QString target = folder + newName;
    return isFolder ? MoveFolder(source, target) : MoveFile(source, target);
}

vb::Status CopyFile(const QString &source, const QString &target)
{
    if (!FileExists(source))
        return vb::Status::fail(vb::FileNotFound);
    if (vb::Status st = checkTarget(target); !st)
        return st;
    return copyFileContents(source, target);
}

vb::Status CopyFolder(const QString &source, const QString &target)
{
    if (!FolderExists(source))
        return vb::Status::fail(vb::PathNotFound);
    if (vb::Status st = checkTarget(target); !st)
        return st;
    if (QDir::cleanPath(target).startsWith(QDir::cleanPath(source) + u'/'))
        return vb::Status::fail(vb::InvalidProcedureCall);
    vb::Status st = copyTree(source, target);
    if (!st)
        QDir(target).removeRecursively();
    return st;
}

vb::Status DeleteFile(const QString &path)
{
    if (!FileExists(path))
        return vb::Status::fail(vb::FileNotFound);
    return ::unlink(native(path).constData()) == 0 ? vb::Status::ok() : fromErrno(errno);
}

} // namespace fso
