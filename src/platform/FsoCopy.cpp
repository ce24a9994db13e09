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
#include <vector>

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

// The names in the open folder `fd` but "." and "..", read whole through a listing of its own
// that is closed again before this returns (removing or adding while reading may skip entries).
int readNames(int fd, QList<QByteArray> &names)
{
    const int listing = ::dup(fd);
    DIR *dir = listing >= 0 ? ::fdopendir(listing) : nullptr;
    if (!dir) {
        const int err = errno;
        if (listing >= 0)
            ::close(listing);
        return err;
    }
    int err = 0;
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
    ::closedir(dir);
    return err;
}

// The folders from the top of a walk down to where it is, a level for each folder entered, in
// one tree or in two walked in step (a source and its copy). Only the deepest few levels are held
// open: the one above them is closed as the walk goes deeper, and opened again from the folder
// below it ("..", never a link) when the walk comes back up, refused unless it is the same folder
// (device and inode) it was. So a walk holds a few descriptors however deep the tree. (The
// folder below was searched on the way down, so ".." may be looked up in it; a copy's folder
// is given its own, maybe narrower, bits only after the one above is open again.)
class FolderChain {
public:
    explicit FolderChain(int trees) : m_trees(trees) {}
    ~FolderChain()
    {
        while (!m_levels.empty())
            drop();
    }
    FolderChain(const FolderChain &) = delete;
    FolderChain &operator=(const FolderChain &) = delete;

    // Enters a level, taking the open folders `fds` (one for each tree). Returns 0, or the errno
    // of a failure (the folders are closed then).
    int push(const int fds[2])
    {
        Level level;
        for (int t = 0; t < m_trees; ++t) {
            level.fd[t] = fds[t];
            struct stat st;
            if (::fstat(fds[t], &st) != 0) {
                const int err = errno;
                for (int u = 0; u < m_trees; ++u)
                    ::close(fds[u]);
                return err;
            }
            level.dev[t] = st.st_dev;
            level.ino[t] = st.st_ino;
        }
        m_levels.push_back(level);
        if (m_levels.size() > Kept)
            closeLevel(m_levels[m_levels.size() - 1 - Kept]);
        return 0;
    }

    bool empty() const { return m_levels.empty(); }
    size_t depth() const { return m_levels.size(); }
    // The deepest level's folder in tree `t`.
    int fd(int t) const { return m_levels.back().fd[t]; }

    // Opens the level above the deepest again where it was closed. Returns 0 or an errno
    // (ESTALE when ".." is no longer the folder that level was: moved meanwhile).
    int reopenAbove()
    {
        const Level &below = m_levels.back();
        Level &above = m_levels[m_levels.size() - 2];
        for (int t = 0; t < m_trees; ++t) {
            if (above.fd[t] >= 0)
                continue;
            const int fd = ::openat(below.fd[t], "..", O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (fd < 0)
                return errno;
            struct stat st;
            if (::fstat(fd, &st) != 0 || st.st_dev != above.dev[t] || st.st_ino != above.ino[t]) {
                ::close(fd);
                return ESTALE;
            }
            above.fd[t] = fd;
        }
        return 0;
    }

    // Leaves the deepest level, closing its folders.
    void drop()
    {
        closeLevel(m_levels.back());
        m_levels.pop_back();
    }

private:
    static constexpr size_t Kept = 4;
    struct Level {
        int fd[2] = {-1, -1};
        dev_t dev[2] = {};
        ino_t ino[2] = {};
    };
    static void closeLevel(Level &level)
    {
        for (int &fd : level.fd) {
            if (fd >= 0)
                ::close(fd);
            fd = -1;
        }
    }
    int m_trees;
    std::vector<Level> m_levels;
};

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
        if (S_ISDIR(st.st_mode))
            return copyTree(srcDir, srcName, dstDir, dstName, st, shown);
        return copyItem(srcDir, srcName, dstDir, dstName, st, shown);
    }

private:
    // A folder being copied: its source's status, the names read from it and how many are done.
    struct Folder {
        struct stat st;
        QByteArray shown;
        QList<QByteArray> names;
        qsizetype next = 0;
    };

    // Copies an item that is not a folder: a link, a file, or nothing (skipped for its kind).
    int copyItem(int srcDir, const char *srcName, int dstDir, const char *dstName, const struct stat &st,
                 const QByteArray &shown)
    {
        if (S_ISLNK(st.st_mode))
            return copyLink(srcDir, srcName, dstDir, dstName, st);
        if (S_ISREG(st.st_mode))
            return copyFile(srcDir, srcName, dstDir, dstName, st, shown);
        m_skipped.append(shown);
        return 0;
    }

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
        // The link itself, never what it leads to, and held by a handle: should the name have
        // been given to another item meanwhile (a hard link to someone else's file), that item
        // keeps its owner. As for a file, a user who may not give the link away keeps it, with
        // the group where that one is the user's own.
        const int link = ::openat(dstDir, dstName, O_PATH | O_NOFOLLOW | O_CLOEXEC);
        if (link < 0)
            return errno;
        struct stat made;
        if (::fstat(link, &made) != 0 || !S_ISLNK(made.st_mode)) {
            ::close(link);
            return EEXIST;
        }
        if (::fchownat(link, "", st.st_uid, st.st_gid, AT_EMPTY_PATH | AT_SYMLINK_NOFOLLOW) != 0)
            (void)::fchownat(link, "", uid_t(-1), st.st_gid, AT_EMPTY_PATH | AT_SYMLINK_NOFOLLOW);
        struct timespec times[2];
        timesOf(st, times);
        if (::utimensat(link, "", times, AT_EMPTY_PATH | AT_SYMLINK_NOFOLLOW) != 0)
            (void)::utimensat(dstDir, dstName, times, AT_SYMLINK_NOFOLLOW);  // (a kernel before 5.8)
        ::close(link);
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

    // Opens the source folder `srcName`, reads its names, and makes and opens its copy `dstName`
    // (writable for its contents; its own bits are given when it is full): a new level of `chain`.
    int enter(int srcDir, const char *srcName, int dstDir, const char *dstName, const struct stat &st,
              const QByteArray &shown, FolderChain &chain, std::vector<Folder> &folders)
    {
        Folder folder{st, shown, {}, 0};
        int fds[2] = {::openat(srcDir, srcName, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC), -1};
        if (fds[0] < 0)
            return errno;
        int err = readNames(fds[0], folder.names);
        if (err == 0 && ::mkdirat(dstDir, dstName, 0700) != 0)
            err = errno;
        if (err == 0) {
            m_made = true;
            fds[1] = ::openat(dstDir, dstName, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (fds[1] < 0)
                err = errno;
        }
        if (err != 0) {
            ::close(fds[0]);
            return err;
        }
        if ((err = chain.push(fds)) != 0)
            return err;
        folders.push_back(std::move(folder));
        return 0;
    }

    // Copies a folder with everything in it, a level at a time, holding descriptors for only the
    // deepest few levels (see FolderChain).
    int copyTree(int srcDir, const char *srcName, int dstDir, const char *dstName, const struct stat &st,
                 const QByteArray &shown)
    {
        FolderChain chain(2);
        std::vector<Folder> folders;
        int err = enter(srcDir, srcName, dstDir, dstName, st, shown, chain, folders);
        while (!folders.empty()) {
            Folder &folder = folders.back();
            if (err == 0 && folder.next < folder.names.size()) {
                const QByteArray name = folder.names[folder.next++];
                const QByteArray path = folder.shown + '/' + name;
                struct stat child;
                if (::fstatat(chain.fd(0), name.constData(), &child, AT_SYMLINK_NOFOLLOW) != 0)
                    err = errno;
                else if (S_ISDIR(child.st_mode))
                    err = enter(chain.fd(0), name.constData(), chain.fd(1), name.constData(), child, path, chain,
                                folders);
                else
                    err = copyItem(chain.fd(0), name.constData(), chain.fd(1), name.constData(), child, path);
                continue;
            }
            // Done with the folder: the one above is opened again first (".." needs the search
            // permission the copy may lose), then the copy takes its owner, bits and times, the
            // times last as every entry made in it has changed them.
            if (err == 0 && chain.depth() > 1)
                err = chain.reopenAbove();
            struct timespec times[2];
            timesOf(folder.st, times);
            if (err == 0 && ::fchmod(chain.fd(1), takeOwner(chain.fd(1), folder.st)) != 0)
                err = errno;
            if (err == 0 && ::futimens(chain.fd(1), times) != 0)
                err = errno;
            chain.drop();
            folders.pop_back();
        }
        return err;
    }

    QList<QByteArray> &m_skipped;
    bool m_made = false;
};

// Opens the folder `name` of `dirFd` for removing what is in it, never through a link. With
// `openUp`, the folder is first given its owner's read, write and search permission, through a
// handle of the folder itself: its name may have been given to a link meanwhile, and what such a
// link leads to keeps its mode. Returns the descriptor, or -1 with errno set.
int openForRemoval(int dirFd, const char *name, bool openUp)
{
    const int fd = ::openat(dirFd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    struct stat st;
    if (fd >= 0) {
        if (openUp && ::fstat(fd, &st) == 0 && (st.st_mode & S_IRWXU) != S_IRWXU)
            (void)::fchmod(fd, (st.st_mode & 07777) | S_IRWXU);
        return fd;
    }
    if (!openUp || errno != EACCES)
        return -1;
    // Not readable by its owner (and no permission override): held by a path handle, whose own
    // entry in /proc names the very folder held, then opened for reading through it.
    const int held = ::openat(dirFd, name, O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (held < 0)
        return -1;
    int opened = -1;
    if (::fstat(held, &st) == 0 && S_ISDIR(st.st_mode)) {
        const QByteArray self = "/proc/self/fd/" + QByteArray::number(held);
        if (::chmod(self.constData(), (st.st_mode & 07777) | S_IRWXU) == 0)
            opened = ::openat(held, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    } else {
        errno = ENOTDIR;
    }
    const int err = errno;
    ::close(held);
    errno = err;
    return opened;
}

// Removes the item `name` of the folder `dirFd`, a folder with everything in it, a level at a
// time and holding descriptors for only the deepest few levels. With `openUp`, each folder is
// first given its owner's read, write and search permission (only for a copy this program made,
// never for the user's own folders).
int removeAt(int dirFd, const char *name, bool openUp)
{
    struct stat st;
    if (::fstatat(dirFd, name, &st, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT ? 0 : errno;
    if (!S_ISDIR(st.st_mode))
        return ::unlinkat(dirFd, name, 0) == 0 ? 0 : errno;

    struct Folder {
        QByteArray name;
        QList<QByteArray> names;
        qsizetype next = 0;
    };
    FolderChain chain(1);
    std::vector<Folder> folders;
    const auto enter = [&](int parent, const QByteArray &child) {
        int fds[2] = {openForRemoval(parent, child.constData(), openUp), -1};
        if (fds[0] < 0)
            return errno;
        Folder folder{child, {}, 0};
        int err = readNames(fds[0], folder.names);
        if (err != 0) {
            ::close(fds[0]);
            return err;
        }
        if ((err = chain.push(fds)) == 0)
            folders.push_back(std::move(folder));
        return err;
    };
    int err = enter(dirFd, QByteArray(name));
    while (!folders.empty()) {
        Folder &folder = folders.back();
        if (err == 0 && folder.next < folder.names.size()) {
            const QByteArray child = folder.names[folder.next++];
            if (::fstatat(chain.fd(0), child.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
                err = errno == ENOENT ? 0 : errno;
            else if (S_ISDIR(st.st_mode))
                err = enter(chain.fd(0), child);
            else if (::unlinkat(chain.fd(0), child.constData(), 0) != 0)
                err = errno;
            continue;
        }
        if (err == 0 && chain.depth() > 1)
            err = chain.reopenAbove();
        const QByteArray done = folder.name;
        chain.drop();
        folders.pop_back();
        if (err == 0 && ::unlinkat(chain.empty() ? dirFd : chain.fd(0), done.constData(), AT_REMOVEDIR) != 0)
            err = errno;
    }
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
