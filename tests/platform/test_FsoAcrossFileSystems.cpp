// Moves to another file system (copy and remove) and copies: names byte for byte, only files,
// folders and links copied, times, permission bits, owner and group kept. Each case runs across
// a real second file system when the machine has one beside the temporary folder (/dev/shm),
// and always with a rename that answers "cross-device" as a second file system would.
#include "Fso.h"
#include "FsoTestSupport.h"
#include "PathCodec.h"
#include "WithoutPermissionOverride.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <fcntl.h>
#include <ftw.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

using fsotest::exists;
using fsotest::raw;
using fsotest::statOf;

// A name of raw bytes, held as the program holds it.
QString rawName(const char *bytes) { return pathcodec::decode(QByteArray(bytes)); }

void makeFile(const QString &path, const QByteArray &bytes, mode_t mode = 0644)
{
    const int fd = ::open(raw(path).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(fd, 0) << raw(path).constData();
    ASSERT_EQ(::write(fd, bytes.constData(), size_t(bytes.size())), bytes.size());
    ::close(fd);
    ASSERT_EQ(::chmod(raw(path).constData(), mode), 0);
}

QByteArray contents(const QString &path)
{
    const int fd = ::open(raw(path).constData(), O_RDONLY);
    if (fd < 0)
        return {};
    QByteArray out;
    char buf[4096];
    for (ssize_t n; (n = ::read(fd, buf, sizeof buf)) > 0;)
        out.append(buf, n);
    ::close(fd);
    return out;
}

void makeFolder(const QString &path, mode_t mode = 0755)
{
    ASSERT_EQ(::mkdir(raw(path).constData(), 0700), 0) << raw(path).constData();
    ASSERT_EQ(::chmod(raw(path).constData(), mode), 0);
}

// Sets the access and modification times (seconds and nanoseconds) of an item, not following a link.
void setTimes(const QString &path, time_t seconds, long nanoseconds = 0)
{
    const struct timespec times[2] = {{seconds - 100, 0}, {seconds, nanoseconds}};
    ASSERT_EQ(::utimensat(AT_FDCWD, raw(path).constData(), times, AT_SYMLINK_NOFOLLOW), 0);
}

void removeTree(const QString &path)
{
    ::nftw(raw(path).constData(), [](const char *p, const struct stat *, int, FTW *) { return ::remove(p); }, 16,
           FTW_DEPTH | FTW_PHYS);
}

// One way of reaching another file system: the folder targets go to, and whether renames are
// made to answer "cross-device".
struct Way {
    const char *name;
    QString targetRoot;
    bool injected;
};

class FsoAcrossFileSystems : public ::testing::Test {
protected:
    QTemporaryDir sourceDir;
    std::unique_ptr<QTemporaryDir> otherDir;
    std::vector<Way> ways;

    void SetUp() override
    {
        ASSERT_TRUE(sourceDir.isValid());
        struct stat here {}, shm {};
        if (::stat("/dev/shm", &shm) == 0 && S_ISDIR(shm.st_mode)
            && ::stat(QFile::encodeName(sourceDir.path()).constData(), &here) == 0 && here.st_dev != shm.st_dev) {
            otherDir = std::make_unique<QTemporaryDir>(QStringLiteral("/dev/shm/fso-XXXXXX"));
            if (otherDir->isValid())
                ways.push_back({"a second file system", otherDir->path(), false});
        }
        ways.push_back({"an injected cross-device rename", sourceDir.filePath(QStringLiteral("elsewhere")), true});
    }

    void TearDown() override
    {
        // QTemporaryDir cannot remove names that are not UTF-8.
        removeTree(sourceDir.path() + QStringLiteral("/src"));
        if (otherDir)
            removeTree(otherDir->path() + QStringLiteral("/to"));
        removeTree(sourceDir.filePath(QStringLiteral("elsewhere")));
    }

    // A fresh source folder and target folder for one way.
    void fresh(const Way &way, QString &src, QString &to)
    {
        removeTree(sourceDir.path() + QStringLiteral("/src"));
        removeTree(way.targetRoot + QStringLiteral("/to"));
        QDir().mkpath(way.targetRoot);
        src = sourceDir.path() + QStringLiteral("/src");
        to = way.targetRoot + QStringLiteral("/to");
        makeFolder(src);
        makeFolder(to);
    }
};

} // namespace

// "photos\xFF" beside its look-alike "photos\uFFFD": the move takes exactly the named folder with
// its own contents, and the look-alike stays as it was.
TEST_F(FsoAcrossFileSystems, AFolderThatIsNotUtf8MovesAsItselfBesideItsLookAlike)
{
    const QString named = rawName("photos\xFF");
    const QString lookAlike = QStringLiteral("photos\uFFFD");
    for (const Way &way : ways) {
        SCOPED_TRACE(way.name);
        QString src, to;
        fresh(way, src, to);
        makeFolder(src + u'/' + named);
        makeFile(src + u'/' + named + QStringLiteral("/mine.jpg"), "mine");
        makeFile(src + u'/' + named + u'/' + rawName("\xE9t\xE9.jpg"), "summer");
        makeFolder(src + u'/' + lookAlike);
        makeFile(src + u'/' + lookAlike + QStringLiteral("/other.jpg"), "other");

        const fsotest::MoveCallsFor restore(way.injected);
        const vb::Status st = fso::MoveFolder(src + u'/' + named, to + u'/' + named);
        EXPECT_TRUE(st) << st.description.toStdString();

        EXPECT_EQ(contents(to + u'/' + named + QStringLiteral("/mine.jpg")), "mine");
        EXPECT_EQ(contents(to + u'/' + named + u'/' + rawName("\xE9t\xE9.jpg")), "summer");
        EXPECT_FALSE(exists(to + u'/' + named + QStringLiteral("/other.jpg")));
        EXPECT_FALSE(exists(to + u'/' + lookAlike));
        EXPECT_FALSE(exists(src + u'/' + named));
        EXPECT_EQ(contents(src + u'/' + lookAlike + QStringLiteral("/other.jpg")), "other");

        // And a file of such a name, the same way.
        makeFile(src + u'/' + rawName("n\xFF.txt"), "raw");
        makeFile(src + u'/' + QStringLiteral("n\uFFFD.txt"), "look-alike");
        EXPECT_TRUE(fso::MoveFile(src + u'/' + rawName("n\xFF.txt"), to + u'/' + rawName("n\xFF.txt")));
        EXPECT_EQ(contents(to + u'/' + rawName("n\xFF.txt")), "raw");
        EXPECT_EQ(contents(src + u'/' + QStringLiteral("n\uFFFD.txt")), "look-alike");
        EXPECT_FALSE(exists(to + u'/' + QStringLiteral("n\uFFFD.txt")));
    }
}

// A FIFO, a socket or a device is never opened: a copy returns, copies everything else and names
// what it skipped; a move across file systems leaves such a folder where it is, whole.
TEST_F(FsoAcrossFileSystems, SpecialFilesAreSkippedAndToldNeverOpened)
{
    for (const Way &way : ways) {
        SCOPED_TRACE(way.name);
        QString src, to;
        fresh(way, src, to);
        const QString folder = src + QStringLiteral("/album");
        makeFolder(folder);
        makeFile(folder + QStringLiteral("/a.jpg"), "a");
        makeFolder(folder + QStringLiteral("/inner"));
        makeFile(folder + QStringLiteral("/inner/b.jpg"), "b");
        ASSERT_EQ(::mkfifo(raw(folder + QStringLiteral("/inner/pipe")).constData(), 0644), 0);
        const bool devices = ::mknod(raw(folder + QStringLiteral("/null")).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0;
        const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray socketPath = raw(folder + QStringLiteral("/sock"));
        const bool sockets = sock >= 0 && socketPath.size() < qsizetype(sizeof address.sun_path)
                             && (std::strcpy(address.sun_path, socketPath.constData()),
                                 ::bind(sock, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0);

        const fsotest::MoveCallsFor restore(way.injected);

        // The copy (of a folder on the same or another file system) returns and says what it left.
        const vb::Status copied = fso::CopyFolder(folder, to + QStringLiteral("/copy"));
        EXPECT_FALSE(copied);
        EXPECT_TRUE(copied.description.startsWith(QStringLiteral("Not copied, being neither a file, a folder nor a link: ")))
            << copied.description.toStdString();
        EXPECT_TRUE(copied.description.contains(QStringLiteral("/inner/pipe\" (a FIFO)"))) << copied.description.toStdString();
        if (devices) {
            EXPECT_TRUE(copied.description.contains(QStringLiteral("/null\" (a device)"))) << copied.description.toStdString();
        }
        if (sockets) {
            EXPECT_TRUE(copied.description.contains(QStringLiteral("/sock\" (a socket)"))) << copied.description.toStdString();
        }
        EXPECT_EQ(contents(to + QStringLiteral("/copy/a.jpg")), "a");
        EXPECT_EQ(contents(to + QStringLiteral("/copy/inner/b.jpg")), "b");
        EXPECT_FALSE(exists(to + QStringLiteral("/copy/inner/pipe")));
        EXPECT_FALSE(exists(to + QStringLiteral("/copy/null")));

        // The FIFO alone: neither copied nor moved, and told.
        const vb::Status fifoCopy = fso::CopyFile(folder + QStringLiteral("/inner/pipe"), to + QStringLiteral("/pipe"));
        EXPECT_TRUE(fifoCopy.description.contains(QStringLiteral("(a FIFO)"))) << fifoCopy.description.toStdString();
        EXPECT_FALSE(exists(to + QStringLiteral("/pipe")));
        const vb::Status fifoMove = fso::MoveFile(folder + QStringLiteral("/inner/pipe"), to + QStringLiteral("/pipe"));
        EXPECT_FALSE(fifoMove);
        EXPECT_TRUE(S_ISFIFO(statOf(folder + QStringLiteral("/inner/pipe")).st_mode));

        // The move of the folder: refused whole, nothing left at the target.
        const vb::Status moved = fso::MoveFolder(folder, to + QStringLiteral("/album"));
        EXPECT_FALSE(moved);
        EXPECT_TRUE(moved.description.contains(QStringLiteral("Nothing was moved"))) << moved.description.toStdString();
        EXPECT_TRUE(moved.description.contains(QStringLiteral("/inner/pipe\" (a FIFO)"))) << moved.description.toStdString();
        EXPECT_FALSE(exists(to + QStringLiteral("/album")));
        EXPECT_EQ(contents(folder + QStringLiteral("/inner/b.jpg")), "b");
        EXPECT_TRUE(S_ISFIFO(statOf(folder + QStringLiteral("/inner/pipe")).st_mode));
        if (sock >= 0)
            ::close(sock);
    }
}

// Copies and moves across file systems keep the modification times (to the nanosecond where the
// file system has them) and permission bits of files and folders at every depth; links are
// copied as links, dangling or not.
TEST_F(FsoAcrossFileSystems, TimesPermissionsAndLinksAreKept)
{
    const time_t dated = 978310861;  // 2001-01-01 01:01:01 UTC
    for (const Way &way : ways) {
        for (const bool move : {false, true}) {
            SCOPED_TRACE(std::string(way.name) + (move ? ", move" : ", copy"));
            QString src, to;
            fresh(way, src, to);
            const QString folder = src + QStringLiteral("/trip");
            makeFolder(folder, 0750);
            makeFolder(folder + QStringLiteral("/day1"), 0705);
            makeFile(folder + QStringLiteral("/day1/beach.jpg"), "beach", 0640);
            makeFile(folder + QStringLiteral("/notes.txt"), "notes", 0600);
            ASSERT_EQ(::symlink("day1/beach.jpg", raw(folder + QStringLiteral("/best")).constData()), 0);
            ASSERT_EQ(::symlink("nowhere", raw(folder + QStringLiteral("/dangling")).constData()), 0);
            setTimes(folder + QStringLiteral("/day1/beach.jpg"), dated, 123456789);
            setTimes(folder + QStringLiteral("/notes.txt"), dated + 1);
            setTimes(folder + QStringLiteral("/day1"), dated + 2);
            setTimes(folder, dated + 3);
            makeFile(src + QStringLiteral("/single.txt"), "single", 0604);
            setTimes(src + QStringLiteral("/single.txt"), dated + 4, 5000);
            const auto before = [&](const QString &rel) { return statOf(src + rel); };
            const struct stat beach = before(QStringLiteral("/trip/day1/beach.jpg"));
            const struct stat single = before(QStringLiteral("/single.txt"));

            const fsotest::MoveCallsFor restore(way.injected);
            const vb::Status folderDone = move ? fso::MoveFolder(folder, to + QStringLiteral("/trip"))
                                               : fso::CopyFolder(folder, to + QStringLiteral("/trip"));
            EXPECT_TRUE(folderDone) << folderDone.description.toStdString();
            const vb::Status fileDone = move ? fso::MoveFile(src + QStringLiteral("/single.txt"), to + QStringLiteral("/single.txt"))
                                             : fso::CopyFile(src + QStringLiteral("/single.txt"), to + QStringLiteral("/single.txt"));
            EXPECT_TRUE(fileDone) << fileDone.description.toStdString();
            EXPECT_EQ(exists(folder), !move);

            const struct {
                const char *rel;
                time_t seconds;
                mode_t mode;
            } expected[] = {
                {"/trip", dated + 3, 0750},
                {"/trip/day1", dated + 2, 0705},
                {"/trip/day1/beach.jpg", dated, 0640},
                {"/trip/notes.txt", dated + 1, 0600},
                {"/single.txt", dated + 4, 0604},
            };
            for (const auto &e : expected) {
                SCOPED_TRACE(e.rel);
                const struct stat st = statOf(to + QString::fromLatin1(e.rel));
                EXPECT_EQ(st.st_mtim.tv_sec, e.seconds);
                EXPECT_EQ(st.st_mode & 07777, e.mode);
            }
            EXPECT_EQ(statOf(to + QStringLiteral("/trip/day1/beach.jpg")).st_mtim.tv_nsec, beach.st_mtim.tv_nsec);
            EXPECT_EQ(statOf(to + QStringLiteral("/single.txt")).st_mtim.tv_nsec, single.st_mtim.tv_nsec);
            EXPECT_EQ(contents(to + QStringLiteral("/trip/day1/beach.jpg")), "beach");
            for (const char *link : {"/trip/best", "/trip/dangling"}) {
                SCOPED_TRACE(link);
                EXPECT_TRUE(S_ISLNK(statOf(to + QString::fromLatin1(link)).st_mode));
            }
            char target[64] = {};
            ASSERT_GT(::readlink(raw(to + QStringLiteral("/trip/best")).constData(), target, sizeof target - 1), 0);
            EXPECT_STREQ(target, "day1/beach.jpg");
        }
    }
}

// A link given as the item is copied and moved as a link, never as what it leads to.
TEST_F(FsoAcrossFileSystems, ALinkItemIsCopiedAndMovedAsALink)
{
    for (const Way &way : ways) {
        SCOPED_TRACE(way.name);
        QString src, to;
        fresh(way, src, to);
        makeFile(src + QStringLiteral("/real.txt"), "real");
        makeFolder(src + QStringLiteral("/realdir"));
        ASSERT_EQ(::symlink("real.txt", raw(src + QStringLiteral("/file-link")).constData()), 0);
        ASSERT_EQ(::symlink("realdir", raw(src + QStringLiteral("/dir-link")).constData()), 0);
        const fsotest::MoveCallsFor restore(way.injected);

        EXPECT_TRUE(fso::CopyFile(src + QStringLiteral("/file-link"), to + QStringLiteral("/copied-link")));
        EXPECT_TRUE(fso::MoveFile(src + QStringLiteral("/file-link"), to + QStringLiteral("/file-link")));
        EXPECT_TRUE(fso::MoveFolder(src + QStringLiteral("/dir-link"), to + QStringLiteral("/dir-link")));
        for (const char *name : {"/copied-link", "/file-link", "/dir-link"}) {
            SCOPED_TRACE(name);
            EXPECT_TRUE(S_ISLNK(statOf(to + QString::fromLatin1(name)).st_mode));
        }
        EXPECT_FALSE(exists(src + QStringLiteral("/file-link")));
        EXPECT_FALSE(exists(src + QStringLiteral("/dir-link")));
        EXPECT_EQ(contents(src + QStringLiteral("/real.txt")), "real");
        EXPECT_TRUE(S_ISDIR(statOf(src + QStringLiteral("/realdir")).st_mode));
    }
}

// A file whose source cannot be removed (its folder is read-only) is not left in two places: the
// copy goes again and the move fails with the reason.
TEST_F(FsoAcrossFileSystems, AFileThatCannotLeaveItsFolderStaysOnlyThere)
{
    for (const Way &way : ways) {
        SCOPED_TRACE(way.name);
        QString src, to;
        fresh(way, src, to);
        makeFolder(src + QStringLiteral("/locked"));
        makeFile(src + QStringLiteral("/locked/a.txt"), "a");
        ASSERT_EQ(::chmod(raw(src + QStringLiteral("/locked")).constData(), 0555), 0);
        const fsotest::MoveCallsFor restore(way.injected);
        vb::Status st;
        {
            WithoutPermissionOverride asUser;
            if (!asUser.ok())
                GTEST_SKIP() << "cannot give up the permission override of root";
            st = fso::MoveFile(src + QStringLiteral("/locked/a.txt"), to + QStringLiteral("/a.txt"));
        }
        ::chmod(raw(src + QStringLiteral("/locked")).constData(), 0755);
        EXPECT_EQ(st.description, QStringLiteral("Permission denied"));
        EXPECT_EQ(contents(src + QStringLiteral("/locked/a.txt")), "a");
        EXPECT_FALSE(exists(to + QStringLiteral("/a.txt")));
    }
}

// Copies and moves to another file system keep the owner and group of files, folders (and all
// inside them) and links, as root may set them; the mode is set after the owner, so a
// set-user-ID program keeps its bit. Moves as root above all: the user's private file stays
// the user's, readable by no one else and by its owner still.
TEST_F(FsoAcrossFileSystems, OwnerAndGroupAreKeptWhereTheProcessMaySetThem)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root may give a file to another user; run as root to check owners";
    constexpr uid_t User = 12345;
    constexpr gid_t Group = 12346;
    const auto owned = [&](const QString &path) {
        return ::lchown(raw(path).constData(), User, Group) == 0;
    };
    bool secondFileSystem = false;
    for (const Way &way : ways) {
        secondFileSystem = secondFileSystem || !way.injected;
        for (const bool move : {false, true}) {
            SCOPED_TRACE(std::string(way.name) + (move ? ", move" : ", copy"));
            QString src, to;
            fresh(way, src, to);
            const QString folder = src + QStringLiteral("/shared");
            makeFolder(folder, 02750);
            makeFolder(folder + QStringLiteral("/inner"), 0700);
            makeFile(folder + QStringLiteral("/inner/diary.txt"), "diary", 0600);
            makeFile(folder + QStringLiteral("/tool"), "#!/bin/sh\n", 06755);
            ASSERT_EQ(::symlink("inner/diary.txt", raw(folder + QStringLiteral("/latest")).constData()), 0);
            makeFile(src + QStringLiteral("/private.txt"), "private", 0600);
            for (const char *rel : {"/shared", "/shared/inner", "/shared/inner/diary.txt", "/shared/tool",
                                    "/shared/latest", "/private.txt"}) {
                if (!owned(src + QLatin1String(rel)))
                    GTEST_SKIP() << "this root may not give files to user " << User << " (" << std::strerror(errno)
                                 << "), as in a user namespace without that user";
            }
            // Set again: the change of owner cleared them.
            ASSERT_EQ(::chmod(raw(folder + QStringLiteral("/tool")).constData(), 06755), 0);
            ASSERT_EQ(::chmod(raw(folder).constData(), 02750), 0);

            const fsotest::MoveCallsFor restore(way.injected);
            const vb::Status folderDone = move ? fso::MoveFolder(folder, to + QStringLiteral("/shared"))
                                               : fso::CopyFolder(folder, to + QStringLiteral("/shared"));
            EXPECT_TRUE(folderDone) << folderDone.description.toStdString();
            const QString privateFile = src + QStringLiteral("/private.txt");
            const vb::Status fileDone = move ? fso::MoveFile(privateFile, to + QStringLiteral("/private.txt"))
                                             : fso::CopyFile(privateFile, to + QStringLiteral("/private.txt"));
            EXPECT_TRUE(fileDone) << fileDone.description.toStdString();
            EXPECT_EQ(exists(folder), !move);

            const struct {
                const char *rel;
                mode_t mode;  // 0 for a link, whose bits say nothing
            } expected[] = {
                {"/shared", 02750},
                {"/shared/inner", 0700},
                {"/shared/inner/diary.txt", 0600},
                {"/shared/tool", 06755},
                {"/shared/latest", 0},
                {"/private.txt", 0600},
            };
            for (const auto &e : expected) {
                SCOPED_TRACE(e.rel);
                const struct stat st = statOf(to + QLatin1String(e.rel));
                EXPECT_EQ(st.st_uid, User);
                EXPECT_EQ(st.st_gid, Group);
                if (e.mode != 0) {
                    EXPECT_EQ(st.st_mode & 07777, e.mode);
                }
            }
            EXPECT_EQ(contents(to + QStringLiteral("/private.txt")), "private");
        }
    }
    if (!secondFileSystem)
        GTEST_SKIP() << "/dev/shm is on the temporary folder's own file system: checked with an injected "
                        "cross-device rename only";
}

// Where the process may not give an item away, the copy is still made, owned by the one who made
// it, and a set-user-ID or set-group-ID bit is not kept for the new owner.
TEST_F(FsoAcrossFileSystems, AnOwnerThatCannotBeKeptLeavesTheCopyToItsMaker)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to give the source to another user first";
    for (const Way &way : ways) {
        SCOPED_TRACE(way.name);
        QString src, to;
        fresh(way, src, to);
        makeFile(src + QStringLiteral("/tool"), "#!/bin/sh\n", 0644);
        if (::chown(raw(src + QStringLiteral("/tool")).constData(), 12345, 12346) != 0)
            GTEST_SKIP() << "this root may not give files to another user (" << std::strerror(errno) << ")";
        ASSERT_EQ(::chmod(raw(src + QStringLiteral("/tool")).constData(), 06755), 0);
        const fsotest::MoveCallsFor restore(way.injected);
        vb::Status st;
        {
            WithoutPermissionOverride asUser({CAP_CHOWN});
            if (!asUser.ok())
                GTEST_SKIP() << "cannot give up the capabilities of root";
            st = fso::CopyFile(src + QStringLiteral("/tool"), to + QStringLiteral("/tool"));
        }
        EXPECT_TRUE(st) << st.description.toStdString();
        const struct stat made = statOf(to + QStringLiteral("/tool"));
        EXPECT_EQ(made.st_uid, ::geteuid());
        EXPECT_EQ(made.st_gid, ::getegid());
        EXPECT_EQ(made.st_mode & 07777, 0755);
        EXPECT_EQ(contents(to + QStringLiteral("/tool")), "#!/bin/sh\n");
    }
}
