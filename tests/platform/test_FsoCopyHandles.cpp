// Copies, moves and the removal of a failed copy go by descriptors: a chain of folders nested
// far deeper than a lowered open-file limit allows descriptors is copied and moved whole (and a
// failing copy of it removed) holding a few at a time, and the removal of a copy never changes
// the mode of what a link put in its way leads to.
#include "Fso.h"
#include "FsoTestSupport.h"
#include "FsoCopy.h"
#include "BoundedChild.h"
#include "PathCodec.h"
#include "ProcessLimits.h"
#include "TestFiles.h"
#include "WithoutPermissionOverride.h"

#include <QDir>
#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

using fsotest::exists;
using fsotest::raw;
using fsotest::statOf;

// The folder "top" with `depth` folders "d" nested in it, one in the other, and the file
// "bottom.txt" in the deepest; every tenth folder also holds a file and a link. The times and
// modes of a few folders far from both ends are set, to see them kept.
constexpr int Depth = 200;
constexpr time_t Kept = 1500000000;

QString levelPath(const QString &top, int level)
{
    QString path = top;
    for (int i = 0; i < level; ++i)
        path += QStringLiteral("/d");
    return path;
}

void makeChain(const QString &top)
{
    QString path = top;
    ASSERT_EQ(::mkdir(raw(path).constData(), 0755), 0);
    for (int level = 1; level <= Depth; ++level) {
        path += QStringLiteral("/d");
        ASSERT_EQ(::mkdir(raw(path).constData(), 0755), 0) << level;
        if (level % 10 == 0) {
            testfiles::writeRawFile(raw(path + QStringLiteral("/f.txt")), QByteArray::number(level));
            ASSERT_EQ(::symlink("f.txt", raw(path + QStringLiteral("/l")).constData()), 0);
        }
    }
    testfiles::writeRawFile(raw(path + QStringLiteral("/bottom.txt")), QByteArray(100000, 'b'));
    for (const int level : {50, 100, 150}) {
        const QByteArray at = raw(levelPath(top, level));
        const struct timespec times[2] = {{Kept - level, 0}, {Kept + level, 0}};
        ASSERT_EQ(::chmod(at.constData(), 0751), 0);
        ASSERT_EQ(::utimensat(AT_FDCWD, at.constData(), times, 0), 0);
    }
}

// Whether the chain at `top` is the one makeChain() made, level by level.
void expectChain(const QString &top)
{
    for (int level = 1; level <= Depth; ++level) {
        const QString at = levelPath(top, level);
        const struct stat st = statOf(at);
        ASSERT_TRUE(S_ISDIR(st.st_mode)) << level;
        if (level == 50 || level == 100 || level == 150) {
            EXPECT_EQ(st.st_mode & 07777, 0751u) << level;
            EXPECT_EQ(st.st_mtim.tv_sec, Kept + level) << level;
        }
        if (level % 10 == 0) {
            EXPECT_EQ(testfiles::readFile(at + QStringLiteral("/f.txt")), QByteArray::number(level)) << level;
            EXPECT_TRUE(S_ISLNK(statOf(at + QStringLiteral("/l")).st_mode)) << level;
        }
    }
    EXPECT_EQ(testfiles::readFile(levelPath(top, Depth) + QStringLiteral("/bottom.txt")), QByteArray(100000, 'b'));
}

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

} // namespace

// With no more than 64 open files (a chain of 200 folders took about three for each before), a
// copy and a move to another file system take the whole chain, files, links, modes and times
// with it; a copy that fails at the deepest file (a full disk) leaves nothing. Each runs in a
// child process of its own, across /dev/shm where it is another file system and always with a
// rename that answers "cross-device". The removal of such a copy whose folders have lost their
// owner's permissions goes whole under the same limit.
TEST(FsoCopyHandles, DeepChainsGoWholeUnderALowOpenFileLimit)
{
    testfiles::TempDir here;
    ASSERT_TRUE(here.isValid());
    struct Way {
        const char *name;
        QString root;
        bool injected;
    };
    std::vector<Way> ways;
    std::unique_ptr<testfiles::TempDir> shm;
    struct stat hereSt {}, shmSt {};
    if (::stat("/dev/shm", &shmSt) == 0 && ::stat(raw(here.path()).constData(), &hereSt) == 0
        && hereSt.st_dev != shmSt.st_dev) {
        shm = std::make_unique<testfiles::TempDir>(QStringLiteral("/dev/shm/fso-deep-XXXXXX"));
        if (shm->isValid())
            ways.push_back({"a second file system", shm->path(), false});
    }
    ways.push_back({"an injected cross-device rename", here.filePath(QStringLiteral("elsewhere")), true});

    enum Action { Copy, Move, FailingCopy, RemoveReadOnlyCopy };
    struct Case {
        const char *name;
        Action action;
    };
    const Case cases[] = {{"copy", Copy},
                          {"move", Move},
                          {"copy failing at the deepest file", FailingCopy},
                          {"removal of a copy whose folders are read-only, without the permission override",
                           RemoveReadOnlyCopy}};
    for (const Way &way : ways) {
        for (const Case &c : cases) {
            SCOPED_TRACE(std::string(way.name) + ", " + c.name);
            const QString src = here.filePath(QStringLiteral("src")), to = way.root + QStringLiteral("/to");
            testfiles::removeTree(src);
            testfiles::removeTree(to);
            ASSERT_TRUE(QDir().mkpath(src));
            ASSERT_TRUE(QDir().mkpath(to));
            makeChain(src + QStringLiteral("/top"));
            const QString source = src + QStringLiteral("/top"), target = to + QStringLiteral("/top");
            if (c.action == RemoveReadOnlyCopy) {
                for (int level = Depth; level >= 1; --level)
                    ASSERT_EQ(::chmod(raw(levelPath(source, level)).constData(), level % 2 ? 0500 : 0000), 0);
            }

            const std::optional<int> code = testfiles::runInChild([&] {
                const fsotest::MoveCallsFor restore(way.injected);
                const rlimit few{64, 64};
                if (::setrlimit(RLIMIT_NOFILE, &few) != 0)
                    return 100;
                std::unique_ptr<testfiles::FileSizeLimit> full;
                if (c.action == FailingCopy)
                    full = std::make_unique<testfiles::FileSizeLimit>(50000);
                if (c.action == RemoveReadOnlyCopy) {
                    WithoutPermissionOverride user;
                    return !user.ok() ? 101 : fso::detail::removeCopy(raw(source)) == 0 ? 0 : 1;
                }
                const vb::Status st = c.action == Move ? fso::MoveFolder(source, target)
                                                       : fso::CopyFolder(source, target);
                return st ? 0 : 1;
            });
            ASSERT_TRUE(code.has_value()) << "the child ended by a signal or never did";
            if (c.action == RemoveReadOnlyCopy) {
                if (*code == 101)
                    continue;  // (root's permission override could not be given up)
                EXPECT_EQ(*code, 0);
                EXPECT_FALSE(exists(source));
                continue;
            }
            if (c.action == FailingCopy) {
                EXPECT_EQ(*code, 1);
                EXPECT_EQ(entries(to), QStringList()) << "neither the final name nor a temporary";
                expectChain(source);
                continue;
            }
            EXPECT_EQ(*code, 0);
            if (*code != 0)
                continue;
            EXPECT_EQ(entries(to), QStringList({QStringLiteral("top")}));
            expectChain(target);
            if (c.action == Move)
                EXPECT_FALSE(exists(source));
            else
                expectChain(source);
        }
    }
}

// The removal of a copy gives each folder in it its owner's permissions before going in, never
// through a link: a link in a copy (or one that takes a folder's name while the removal runs)
// is removed as itself, and the folder it leads to keeps its mode and contents. Folders without
// their owner's read, write or search permission go all the same, also for a user without
// root's permission override.
TEST(FsoCopyHandles, RemovingACopyNeverChangesWhatALinkLeadsTo)
{
    testfiles::TempDir here;
    ASSERT_TRUE(here.isValid());
    const QString victim = here.filePath(QStringLiteral("victim"));
    ASSERT_EQ(::mkdir(raw(victim).constData(), 0700), 0);
    testfiles::writeRawFile(raw(victim + QStringLiteral("/keep.txt")), "kept");
    ASSERT_EQ(::chmod(raw(victim).constData(), 0500), 0);
    const auto victimWhole = [&] {
        EXPECT_EQ(statOf(victim).st_mode & 07777, 0500u) << "the mode of a link's target is never changed";
        EXPECT_EQ(testfiles::readFile(victim + QStringLiteral("/keep.txt")), QByteArray("kept"));
    };

    // A copy whose nested folders have lost their owner's permissions in different ways, each
    // holding a link to the victim, named as a folder would be.
    const mode_t modes[] = {0000, 0100, 0300, 0500, 0555, 0700};
    for (const bool asUser : {false, true}) {
        SCOPED_TRACE(asUser ? "without the permission override" : "with root's permissions");
        const QString copy = here.filePath(QStringLiteral("copy"));
        QString path = copy;
        ASSERT_EQ(::mkdir(raw(path).constData(), 0700), 0);
        std::vector<QString> folders{path};
        for (const mode_t mode : modes) {
            ASSERT_EQ(::symlink(raw(victim).constData(), raw(path + QStringLiteral("/link")).constData()), 0);
            testfiles::writeRawFile(raw(path + QStringLiteral("/f.txt")), "x");
            path += QStringLiteral("/m%1").arg(mode, 4, 8, QChar(u'0'));
            ASSERT_EQ(::mkdir(raw(path).constData(), 0700), 0);
            folders.push_back(path);
        }
        for (size_t i = folders.size() - 1; i >= 1; --i)
            ASSERT_EQ(::chmod(raw(folders[i]).constData(), modes[i - 1]), 0);
        int err = 0;
        {
            WithoutPermissionOverride user;
            if (asUser && !user.ok())
                GTEST_SKIP() << "cannot give up the permission override of root";
            err = fso::detail::removeCopy(raw(copy));
        }
        EXPECT_EQ(err, 0) << std::strerror(err);
        EXPECT_FALSE(exists(copy));
        victimWhole();
    }

    // A folder of the copy and a link to the victim trading names (renameat2's exchange) as fast
    // as they can while the copy is removed, again and again: the removal may fail when it meets
    // the link where it found the folder, but never opens up the victim. (A race: the mode used
    // to be given by name between a look at the item and its opening, and was caught here within
    // a few hundred rounds; no round catches every interleaving.)
    const QString item = here.filePath(QStringLiteral("item")), link = here.filePath(QStringLiteral("link"));
    std::atomic<bool> stop{false};
    std::thread trader([&] {
        while (!stop.load())
            (void)::renameat2(AT_FDCWD, raw(item).constData(), AT_FDCWD, raw(link).constData(), RENAME_EXCHANGE);
    });
    for (int round = 0; round < 5000 && statOf(victim).st_mode == (S_IFDIR | 0500); ++round) {
        // One folder (read-only, so that the removal opens it up) and one link, under either name.
        for (const QString &name : {item, link}) {
            struct stat a {}, b {};
            const bool hasItem = ::lstat(raw(item).constData(), &a) == 0;
            const bool hasLink = ::lstat(raw(link).constData(), &b) == 0;
            if (exists(name))
                continue;
            if (!(hasItem && S_ISDIR(a.st_mode)) && !(hasLink && S_ISDIR(b.st_mode)))
                ::mkdir(raw(name).constData(), 0500);
            else
                ::symlink(raw(victim).constData(), raw(name).constData());
        }
        (void)fso::detail::removeCopy(raw(item));
    }
    stop = true;
    trader.join();
    victimWhole();
    ::chmod(raw(victim).constData(), 0700);
}
