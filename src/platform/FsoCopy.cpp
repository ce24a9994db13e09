#include "FsoCopy.h"

#include "PathCodec.h"

#include <QStringList>

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <ctime>

namespace fso::detail {

namespace {

bool isDotOrDotDot(const char *name)
{
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

bool copyable(mode_t mode)
{
    return S_ISREG(mode) || S_ISDIR(mode) || S_ISLNK(mode);
}

QString kindText(mode_t mode)
{
    if (S_ISFIFO(mode))
        return QStringLiteral("a FIFO");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("a device");
    return QStringLiteral("not a regular file, folder or link");
}

// The times of `st` as utimensat() takes them: access, then modification.
void timesOf(const struct stat &st, struct timespec times[2])
{
    times[0] = st.st_atim;
    times[1] = st.st_mtim;
}

// The mode bits a copy may take once its owner and group are set: a set-user-ID or set-group-ID
// bit is only kept with the owner or group it was given for, as cp -p and mv do, so a copy owned
// by the one who made it never runs as another user's program.
mode_t keptMode(const struct stat &st, const struct stat &made)
{
    mode_t mode = st.st_mode & 07777;
    if (made.st_uid != st.st_uid)
        mode &= ~mode_t(S_ISUID);
    if (made.st_gid != st.st_gid)
        mode &= ~mode_t(S_ISGID);
    return mode;
}

// Gives the open copy `fd` the owner and group of `st` where the process may set them: root sets
// both, another user at most the group (one of its own). Failing that is no failure of the copy;
// the copy keeps what it was made with. Returns the copy's mode bits to set afterwards (a change
// of owner clears the set-user-ID bits, so the mode always comes second).
mode_t takeOwner(int fd, const struct stat &st)
{
    if (::fchown(fd, st.st_uid, st.st_gid) != 0)
        (void)::fchown(fd, uid_t(-1), st.st_gid);
    struct stat made;
    if (::fstat(fd, &made) != 0)
        return st.st_mode & 0777;
    return keptMode(st, made);
}

int closeChecked(int fd, int err)
{
    if (::close(fd) != 0 && err == 0)
        return errno;
    return err;
}

int copyContents(int in, int out)
{
    static constexpr size_t BufferSize = 1 << 16;
    QByteArray buffer(BufferSize, Qt::Uninitialized);
    char *buf = buffer.data();
    for (;;) {
        const ssize_t n = ::read(in, buf, BufferSize);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            return 0;
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = ::write(out, buf + done, size_t(n - done));
            if (w < 0) {
                if (errno == EINTR)
                    continue;
                return errno;
            }
            done += w;
        }
    }
}

class Copier {
public:
    explicit Copier(QList<QByteArray> &skipped) : m_skipped(skipped) {}

    // Whether the copy made anything: the item first given to copy() is the first it makes, so
    // a copy that made nothing left nothing under its name (and found it taken on EEXIST).
    bool madeAnything() const { return m_made; }

    // Copies `srcName` of the folder `srcDir` to `dstName` of `dstDir`; `shown` is the source's
    // path for the list of skipped items.
    int copy(int srcDir, const char *srcName, int dstDir, const char *dstName, const QByteArray &shown)
    {
        struct stat st;
        if (::fstatat(srcDir, srcName, &st, AT_SYMLINK_NOFOLLOW) != 0)
            return errno;
        if (S_ISLNK(st.st_mode))
            return copyLink(srcDir, srcName, dstDir, dstName, st);
        if (S_ISREG(st.st_mode))
            return copyFile(srcDir, srcName, dstDir, dstName, st, shown);
        if (S_ISDIR(st.st_mode))
            return copyFolder(srcDir, srcName, dstDir, dstName, st, shown);
        m_skipped.append(shown);
        return 0;
    }

private:
    int copyLink(int srcDir, const char *srcName, int dstDir, const char *dstName, const struct stat &st)
    {
        QByteArray target(qsizetype(st.st_size > 0 ? st.st_size : 256) + 1, Qt::Uninitialized);
        for (;;) {
            const ssize_t n = ::readlinkat(srcDir, srcName, target.data(), size_t(target.size()));
            if (n < 0)
                return errno;
            if (n < target.size()) {
                target.truncate(n);
                break;
            }
            target.resize(target.size() * 2);
        }
        if (::symlinkat(target.constData(), dstDir, dstName) != 0)
            return errno;
        m_made = true;
        // The link itself, never what it leads to; as for a file, a user who may not give it away
        // keeps it, with the group where that one is the user's own.
        if (::fchownat(dstDir, dstName, st.st_uid, st.st_gid, AT_SYMLINK_NOFOLLOW) != 0)
            (void)::fchownat(dstDir, dstName, uid_t(-1), st.st_gid, AT_SYMLINK_NOFOLLOW);
        struct timespec times[2];
        timesOf(st, times);
        (void)::utimensat(dstDir, dstName, times, AT_SYMLINK_NOFOLLOW);
        return 0;
    }

    int copyFile(int srcDir, const char *srcName, int dstDir, const char *dstName, const struct stat &st,
                 const QByteArray &shown)
    {
        // Opened without following a link and without waiting: should the item have become a
        // FIFO since it was looked at, the open returns at once and the check below skips it.
        const int in = ::openat(srcDir, srcName, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (in < 0)
            return errno;
        struct stat opened;
        if (::fstat(in, &opened) != 0 || !S_ISREG(opened.st_mode)) {
            ::close(in);
            m_skipped.append(shown);
            return 0;
        }
        const int out = ::openat(dstDir, dstName, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (out < 0) {
            const int err = errno;
            ::close(in);
            return err;
        }
        m_made = true;
        int err = copyContents(in, out);
        ::close(in);
        struct timespec times[2];
        timesOf(st, times);
        if (err == 0 && ::fchmod(out, takeOwner(out, st)) != 0)
            err = errno;
        if (err == 0 && ::futimens(out, times) != 0)
            err = errno;
        err = closeChecked(out, err);
        if (err != 0)
            ::unlinkat(dstDir, dstName, 0);
        return err;
    }

    int copyFolder(int srcDir, const char *srcName, int dstDir, const char *dstName, const struct stat &st,
                   const QByteArray &shown)
    {
        const int from = ::openat(srcDir, srcName, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (from < 0)
            return errno;
        // Made writable for its contents; its own bits are given when it is full.
        if (::mkdirat(dstDir, dstName, 0700) != 0) {
            const int err = errno;
            ::close(from);
            return err;
        }
        m_made = true;
        const int to = ::openat(dstDir, dstName, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (to < 0) {
            const int err = errno;
            ::close(from);
            return err;
        }
        int err = 0;
        const int listing = ::dup(from);
        DIR *dir = listing >= 0 ? ::fdopendir(listing) : nullptr;
        if (!dir) {
            err = errno;
            if (listing >= 0)
                ::close(listing);
        }
        while (dir && err == 0) {
            errno = 0;
            const dirent *entry = ::readdir(dir);
            if (!entry) {
                err = errno;
                break;
            }
            if (isDotOrDotDot(entry->d_name))
                continue;
            const QByteArray name(entry->d_name);
            err = copy(from, entry->d_name, to, entry->d_name, shown + '/' + name);
        }
        if (dir)
            ::closedir(dir);
        struct timespec times[2];
        timesOf(st, times);
        // The folder's time last: every entry made in it has changed it.
        if (err == 0 && ::fchmod(to, takeOwner(to, st)) != 0)
            err = errno;
        if (err == 0 && ::futimens(to, times) != 0)
            err = errno;
        ::close(from);
        ::close(to);
        return err;
    }

    QList<QByteArray> &m_skipped;
    bool m_made = false;
};

// Removes the item `name` of the folder `dirFd`, a folder with everything in it. With `openUp`,
// a folder is first given its owner's read, write and search permission (only for a copy this
// program made, never for the user's own folders).
int removeAt(int dirFd, const char *name, bool openUp)
{
    struct stat st;
    if (::fstatat(dirFd, name, &st, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT ? 0 : errno;
    if (!S_ISDIR(st.st_mode))
        return ::unlinkat(dirFd, name, 0) == 0 ? 0 : errno;
    if (openUp && (st.st_mode & S_IRWXU) != S_IRWXU)
        (void)::fchmodat(dirFd, name, (st.st_mode & 07777) | S_IRWXU, 0);
    const int fd = ::openat(dirFd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return errno;
    DIR *dir = ::fdopendir(fd);
    if (!dir) {
        const int err = errno;
        ::close(fd);
        return err;
    }
    int err = 0;
    // The names are read first: removing while reading may skip entries.
    QList<QByteArray> names;
    for (;;) {
        errno = 0;
        const dirent *entry = ::readdir(dir);
        if (!entry) {
            err = errno;
            break;
        }
        if (!isDotOrDotDot(entry->d_name))
            names.append(QByteArray(entry->d_name));
    }
    for (const QByteArray &child : std::as_const(names)) {
        if (err != 0)
            break;
        err = removeAt(fd, child.constData(), openUp);
    }
    ::closedir(dir);
    if (err == 0 && ::unlinkat(dirFd, name, AT_REMOVEDIR) != 0)
        err = errno;
    return err;
}

// Six letters or digits, different from call to call and from process to process.
QByteArray randomTag()
{
    static constexpr char Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    static std::atomic<unsigned long long> calls{0};
    unsigned char bytes[6];
    if (::getrandom(bytes, sizeof bytes, GRND_NONBLOCK) != ssize_t(sizeof bytes)) {
        // Before the system's random pool is ready: the time, the process and a count. (A name
        // that is taken all the same is passed for another.)
        struct timespec now {};
        ::clock_gettime(CLOCK_REALTIME, &now);
        const unsigned long long mix = (unsigned long long)now.tv_nsec * 0x9E3779B97F4A7C15ull
                                       ^ ((unsigned long long)::getpid() << 24) ^ calls.fetch_add(1);
        for (size_t i = 0; i < sizeof bytes; ++i)
            bytes[i] = (unsigned char)(mix >> (8 * i));
    }
    QByteArray tag(sizeof bytes, Qt::Uninitialized);
    for (size_t i = 0; i < sizeof bytes; ++i)
        tag[qsizetype(i)] = Alphabet[bytes[i] % (sizeof Alphabet - 1)];
    return tag;
}

// name + ".incomplete-copy-" + tag, with name cut short (not inside a UTF-8 sequence) where the
// whole would pass the 255 bytes a name may have. Not hidden: a copy whose process was killed
// leaves it in plain sight, saying what it is.
QByteArray temporaryName(const QByteArray &name, const QByteArray &tag)
{
    static constexpr QByteArrayView Marker = ".incomplete-copy-";
    constexpr qsizetype NameMax = 255;
    qsizetype keep = qMin(name.size(), NameMax - Marker.size() - tag.size());
    if (keep < name.size()) {
        // Back to the first byte of a character (a continuation byte is 10xxxxxx).
        for (int back = 0; back < 3 && keep > 0 && (uchar(name[keep]) & 0xC0) == 0x80; ++back)
            --keep;
    }
    return name.left(keep) + Marker.toByteArray() + tag;
}

} // namespace

int copyToTemporary(const QByteArray &source, const QByteArray &target, QByteArray &temporary,
                    QList<QByteArray> &skipped)
{
    temporary.clear();
    QByteArray path = target;
    while (path.size() > 1 && path.endsWith('/'))
        path.chop(1);
    const qsizetype slash = path.lastIndexOf('/');
    const QByteArray folder = path.left(slash + 1);
    const QByteArray name = path.mid(slash + 1);
    // A name already taken (by another copy's temporary) is passed for another.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray candidate = folder + temporaryName(name, randomTag());
        Copier copier(skipped);
        const int err = copier.copy(AT_FDCWD, source.constData(), AT_FDCWD, candidate.constData(), source);
        if (!copier.madeAnything()) {
            if (err == EEXIST)
                continue;
            return err;
        }
        if (err != 0) {
            removeCopy(candidate);
            return err;
        }
        temporary = candidate;
        return 0;
    }
    return EEXIST;
}

int removeItem(const QByteArray &path)
{
    return removeAt(AT_FDCWD, path.constData(), false);
}

int removeCopy(const QByteArray &path)
{
    return removeAt(AT_FDCWD, path.constData(), true);
}

bool copyableKind(const QByteArray &path)
{
    struct stat st;
    return ::lstat(path.constData(), &st) == 0 && copyable(st.st_mode);
}

QString skippedMessage(const QList<QByteArray> &skipped, const QString &action)
{
    QStringList lines;
    constexpr qsizetype Shown = 10;
    for (qsizetype i = 0; i < skipped.size() && i < Shown; ++i) {
        struct stat st;
        const QString kind =
            ::lstat(skipped[i].constData(), &st) == 0 ? kindText(st.st_mode) : QStringLiteral("gone");
        lines << QStringLiteral("\"%1\" (%2)").arg(pathcodec::printable(pathcodec::decode(skipped[i])), kind);
    }
    if (skipped.size() > Shown)
        lines << QStringLiteral("and %1 more").arg(skipped.size() - Shown);
    const QString items = lines.join(QStringLiteral(", "));
    if (action == QLatin1String("moved"))
        return QStringLiteral("Nothing was moved: %1 is neither a file, a folder nor a link, and cannot be copied to "
                              "the other file system.")
            .arg(items);
    return QStringLiteral("Not %1, being neither a file, a folder nor a link: %2").arg(action, items);
}

} // namespace fso::detail
