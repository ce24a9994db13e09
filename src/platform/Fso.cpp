#include "Fso.h"

#include "FsoCopy.h"
#include "PathCodec.h"

#include <QDir>

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fso {

namespace {

QByteArray native(const QString &path) { return pathcodec::encode(path); }

int systemRename(const char *from, const char *to, unsigned flags)
{
    return ::renameat2(AT_FDCWD, from, AT_FDCWD, to, flags);
}

int systemLink(const char *from, const char *to) { return ::link(from, to); }

MoveCalls g_calls{systemRename, systemLink};

bool statPath(const QString &path, struct stat &st) { return ::lstat(native(path).constData(), &st) == 0; }

vb::Status fromErrno(int err) { return vb::Status::fail(errorNumberFromErrno(err)); }

// Checks the target's name and folder before any change is made.
vb::Status checkTarget(const QString &target)
{
    vb::Status st = CheckItemName(ItemName(target));
    if (!st)
        return st;
    if (!FolderExists(ParentOf(target)))
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
    if (err == ENOENT && !FolderExists(ParentOf(target)))
        return vb::Status::fail(vb::PathNotFound);
    struct stat s;
    if ((err == EINVAL || err == ENOSYS || err == ENOTSUP) && statPath(target, s))
        return vb::Status::fail(vb::FileAlreadyExists);
    return fromErrno(err);
}

// The no-replace fallback of a file system without RENAME_NOREPLACE: the target name is taken
// first (a hard link for a file, a new empty folder or file otherwise), which fails when it
// exists, and only then is the source moved there.
int renameByTakingTheName(const MoveCalls &calls, const QByteArray &s, const QByteArray &t, bool isFolder)
{
    if (!isFolder) {
        if (calls.link(s.constData(), t.constData()) == 0) {
            if (::unlink(s.constData()) != 0) {
                const int e = errno;
                ::unlink(t.constData());
                return e;
            }
            return 0;
        }
        const int err = errno;
        if (err != EPERM && err != EOPNOTSUPP && err != ENOTSUP && err != ENOSYS && err != EMLINK)
            return err;
    }
    // No hard link: an empty placeholder that only this call can have created.
    if (isFolder) {
        if (::mkdir(t.constData(), 0700) != 0)
            return errno;
    } else {
        const int fd = ::open(t.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0)
            return errno;
        ::close(fd);
    }
    if (calls.rename(s.constData(), t.constData(), 0) != 0) {
        const int e = errno;
        if (isFolder)
            ::rmdir(t.constData());
        else
            ::unlink(t.constData());
        return e;
    }
    return 0;
}

// Renames through `calls` without ever replacing an existing target.
int renameNoReplace(const MoveCalls &calls, const QByteArray &s, const QByteArray &t)
{
    if (calls.rename(s.constData(), t.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    const int err = errno;
    if (err != EINVAL && err != ENOSYS && err != ENOTSUP)
        return err;
    struct stat st;
    if (::lstat(s.constData(), &st) != 0)
        return errno;
    return renameByTakingTheName(calls, s, t, S_ISDIR(st.st_mode));
}

int renameNoReplace(const QString &source, const QString &target)
{
    return renameNoReplace(g_calls, native(source), native(target));
}

// Copies the item at `s` to `t` so that the name `t` only ever holds a whole copy: the copy is
// made under a temporary name beside `t` and renamed to `t` once complete, never over an item
// there. The temporary goes on every failure. A copy that left items out for their kind takes
// the name only `withSkipped`. (The rename stays in one folder, so the system's own call makes
// it whatever calls are in place for moves.)
int copyWhole(const QByteArray &s, const QByteArray &t, QList<QByteArray> &skipped, bool withSkipped)
{
    QByteArray temporary;
    int err = detail::copyToTemporary(s, t, temporary, skipped);
    if (err != 0 || temporary.isEmpty())
        return err;
    if (!skipped.isEmpty() && !withSkipped) {
        detail::removeCopy(temporary);
        return 0;
    }
    err = renameNoReplace(systemMoveCalls(), temporary, t);
    if (err != 0)
        detail::removeCopy(temporary);
    return err;
}

// The failure of a copy step: its errno, or the items it skipped for their kind.
vb::Status copyFailure(int err, const QList<QByteArray> &skipped, const QString &action)
{
    if (err != 0)
        return fromErrno(err);
    if (!skipped.isEmpty())
        return vb::Status::fail(vb::PathFileAccessError, detail::skippedMessage(skipped, action));
    return vb::Status::ok();
}

// A move across file systems: the item copied whole as itself (a link as a link, a folder with
// everything in it, times and permission bits kept) and given the target's name, then the
// source removed; stopped on the way, it leaves the source as it was and never part of a copy
// under the target's name. A folder holding an item the copy cannot take is not moved at all:
// removing the source would lose that item.
vb::Status moveByCopy(const QString &source, const QString &target)
{
    if (vb::Status st = checkTarget(target); !st)
        return st;
    const QByteArray s = native(source), t = native(target);
    QList<QByteArray> skipped;
    const int err = copyWhole(s, t, skipped, false);
    if (err != 0 || !skipped.isEmpty())
        return copyFailure(err, skipped, QStringLiteral("moved"));
    struct stat st;
    const bool folder = ::lstat(s.constData(), &st) == 0 && S_ISDIR(st.st_mode);
    if (const int e = detail::removeItem(s); e != 0) {
        // A file that stays where it was is not left twice; of a folder that could be removed
        // only in part, what is left stays beside the complete copy.
        if (!folder)
            detail::removeItem(t);
        return fromErrno(e);
    }
    return vb::Status::ok();
}

} // namespace

MoveCalls systemMoveCalls()
{
    return {systemRename, systemLink};
}

MoveCalls setMoveCalls(MoveCalls calls)
{
    const MoveCalls previous = g_calls;
    g_calls = calls;
    return previous;
}

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

QString ParentOf(const QString &path)
{
    QString p = path;
    while (p.size() > 1 && p.endsWith(u'/'))
        p.chop(1);
    qsizetype slash = p.lastIndexOf(u'/');
    if (slash < 0)
        return QStringLiteral(".");
    return slash == 0 ? QStringLiteral("/") : p.left(slash);
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

bool MakeFolders(const QString &path)
{
    const QByteArray bytes = native(path);
    if (bytes.isEmpty())
        return false;
    struct stat st;
    if (::stat(bytes.constData(), &st) == 0 && S_ISDIR(st.st_mode))
        return true;
    // Each folder on the way, from the top; those already there refuse and are passed.
    for (qsizetype slash = bytes.indexOf('/', 1); slash > 0; slash = bytes.indexOf('/', slash + 1))
        ::mkdir(bytes.left(slash).constData(), 0777);
    ::mkdir(bytes.constData(), 0777);
    return ::stat(bytes.constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

QStringList FolderFiles(const QString &path)
{
    QStringList names;
    DIR *dir = ::opendir(native(path).constData());
    if (!dir)
        return names;
    while (const dirent *entry = ::readdir(dir)) {
        struct stat st;
        if (::fstatat(::dirfd(dir), entry->d_name, &st, 0) == 0 && S_ISREG(st.st_mode))
            names << pathcodec::decode(entry->d_name);
    }
    ::closedir(dir);
    return names;
}

vb::Status CheckItemName(const QString &name)
{
    // A UTF-16 unit never takes more than three bytes on disk (a raw byte takes one, a pair four),
    // so a name of at most 85 units fits the 255 bytes without being encoded.
    const qsizetype n = name.size();
    const QChar *c = name.constData();
    bool bad = n == 0 || (c[0] == u'.' && (n == 1 || (n == 2 && c[1] == u'.')))
               || (n > 85 && native(name).size() > 255);
    for (qsizetype i = 0; i < n && !bad; ++i)
        bad = c[i] == u'/' || c[i] == u'\0';
    return bad ? vb::Status::fail(vb::BadFileNameOrNumber) : vb::Status::ok();
}

namespace {

// A file a move can take: anything but a folder, a symbolic link included, dangling or not.
bool movableFile(const QString &path)
{
    struct stat st;
    return !path.isEmpty() && statPath(path, st) && !S_ISDIR(st.st_mode);
}

// A folder a move can take: a folder, or a symbolic link that leads to one (moved as the link).
bool movableFolder(const QString &path)
{
    struct stat st;
    return FolderExists(path) || (!path.isEmpty() && statPath(path, st) && S_ISLNK(st.st_mode));
}

} // namespace

vb::Status MoveFile(const QString &source, const QString &target)
{
    if (!movableFile(source))
        return vb::Status::fail(vb::FileNotFound);
    if (vb::Status st = CheckItemName(ItemName(target)); !st)
        return st;
    // The no-replace rename itself refuses an existing target; only a copy checks first.
    int err = renameNoReplace(source, target);
    if (err == EXDEV)
        return moveByCopy(source, target);
    return err ? moveFailure(err, target) : vb::Status::ok();
}

vb::Status MoveFolder(const QString &source, const QString &target)
{
    if (!movableFolder(source))
        return vb::Status::fail(vb::PathNotFound);
    if (vb::Status st = CheckItemName(ItemName(target)); !st)
        return st;
    int err = renameNoReplace(source, target);
    if (err == EXDEV)
        return moveByCopy(source, target);
    return err ? moveFailure(err, target) : vb::Status::ok();
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
    // (A rename call put in place of the system's, as tests do, is always asked by path.)
    if (g_calls.rename == systemRename && CheckItemName(newName) && !oldName.contains(u'/')) {
        if (m_fd < 0 || folder != m_folder) {
            forgetFolder();
            m_fd = ::open(native(folder).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
            if (m_fd >= 0)
                m_folder = folder;
        }
        if (m_fd >= 0
            && ::renameat2(m_fd, pathcodec::NativePath(oldName).c_str(), m_fd, pathcodec::NativePath(newName).c_str(),
                           RENAME_NOREPLACE) == 0) {
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

namespace {

// A copy of the item at `source` as itself; what it skips for its kind is reported, the rest
// stays copied.
vb::Status copyChecked(const QString &source, const QString &target)
{
    if (vb::Status st = checkTarget(target); !st)
        return st;
    QList<QByteArray> skipped;
    const int err = copyWhole(native(source), native(target), skipped, true);
    return copyFailure(err, skipped, QStringLiteral("copied"));
}

bool isLink(const QString &path)
{
    struct stat st;
    return !path.isEmpty() && statPath(path, st) && S_ISLNK(st.st_mode);
}

} // namespace

vb::Status CopyFile(const QString &source, const QString &target)
{
    // A link is copied as a link; only a regular file is ever opened.
    if (!FileExists(source) && !(isLink(source) && !FolderExists(source)))
        return vb::Status::fail(vb::FileNotFound);
    if (!detail::copyableKind(native(source)))
        return copyFailure(0, {native(source)}, QStringLiteral("copied"));
    return copyChecked(source, target);
}

vb::Status CopyFolder(const QString &source, const QString &target)
{
    if (!FolderExists(source))
        return vb::Status::fail(vb::PathNotFound);
    if (vb::Status st = checkTarget(target); !st)
        return st;
    if (QDir::cleanPath(target).startsWith(QDir::cleanPath(source) + u'/'))
        return vb::Status::fail(vb::InvalidProcedureCall);
    return copyChecked(source, target);
}

vb::Status DeleteFile(const QString &path)
{
    if (!FileExists(path))
        return vb::Status::fail(vb::FileNotFound);
    return ::unlink(native(path).constData()) == 0 ? vb::Status::ok() : fromErrno(errno);
}

} // namespace fso
