// A copy, and a move to another file system, reaches its name whole or not at all: killed
// midway (SIGKILL) it leaves no part of a file or folder under the final name, and a second try
// then succeeds; failing midway (a full disk) it leaves nothing at all. Each case runs across a
// real second file system when /dev/shm is one, and always with a rename that answers
// "cross-device" as a second file system would.
#include "Fso.h"
#include "FsoTestSupport.h"
#include "PathCodec.h"
#include "ProcessLimits.h"
#include "TestFiles.h"
#include "WithoutPermissionOverride.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <map>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using fsotest::exists;
using fsotest::raw;

// What a child run does, as "copy" or "move", "file" or "folder", and where (see the child test).
const char *const ChildVariable = "MORVANE_FSO_WHOLE_CHILD";

// The names in a folder, as the system gives them (decoded by the name codec).
QStringList entries(const QString &folder)
{
    QStringList names;
    DIR *dir = ::opendir(raw(folder).constData());
    if (!dir)
        return names;
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..")
            names << pathcodec::decode(name);
    }
    ::closedir(dir);
    names.sort();
    return names;
}

// A file of `size` bytes whose every 4 KB block begins with its own number, so a copy that is
// short or shifted shows.
void makeFile(const QString &path, qint64 size, int seed)
{
    QByteArray block(4096, Qt::Uninitialized);
    for (int i = 0; i < block.size(); ++i)
        block[i] = char((i + seed * 7) & 0xFF);
    QByteArray bytes;
    bytes.reserve(size + block.size());
    for (qint64 n = 0; bytes.size() < size; ++n)
        bytes += QByteArray::number(n).leftJustified(12, ' ') + block.mid(12);
    bytes.truncate(size);
    testfiles::writeRawFile(raw(path), bytes);
}

QByteArray contents(const QString &path) { return testfiles::readFile(path); }

// The files of a folder tree and their bytes, by path below the folder.
std::map<QString, QByteArray> tree(const QString &folder)
{
    std::map<QString, QByteArray> out;
    for (const QString &name : entries(folder)) {
        const QString path = folder + u'/' + name;
        struct stat st {};
        ::lstat(raw(path).constData(), &st);
        if (S_ISDIR(st.st_mode)) {
            for (const auto &[below, bytes] : tree(path))
                out[name + u'/' + below] = bytes;
        } else {
            out[name] = contents(path);
        }
    }
    return out;
}

vb::Status copyOrMove(bool move, bool folder, const QString &source, const QString &target)
{
    if (move)
        return folder ? fso::MoveFolder(source, target) : fso::MoveFile(source, target);
    return folder ? fso::CopyFolder(source, target) : fso::CopyFile(source, target);
}

// How a temporary of a copy to `name` is named: it says what it is.
QRegularExpression temporaryOf(const QString &name)
{
    return QRegularExpression(u'^' + QRegularExpression::escape(name + QStringLiteral(".incomplete-copy-"))
                              + QStringLiteral("[A-Za-z0-9]{6}$"));
}

// One way of reaching another file system: the folder targets go to, and whether renames are
// made to answer "cross-device".
struct Way {
    const char *name;
    QString targetRoot;
    bool injected;
};

class FsoCopyWhole : public ::testing::Test {
protected:
    testfiles::TempDir sourceDir;
    std::unique_ptr<testfiles::TempDir> otherDir;
    std::vector<Way> ways;

    void SetUp() override
    {
        ASSERT_TRUE(sourceDir.isValid());
        struct stat here {}, shm {};
        if (::stat("/dev/shm", &shm) == 0 && S_ISDIR(shm.st_mode)
            && ::stat(raw(sourceDir.path()).constData(), &here) == 0 && here.st_dev != shm.st_dev) {
            otherDir = std::make_unique<testfiles::TempDir>(QStringLiteral("/dev/shm/fso-whole-XXXXXX"));
            if (otherDir->isValid())
                ways.push_back({"a second file system", otherDir->path(), false});
        }
        ways.push_back({"an injected cross-device rename", sourceDir.filePath(QStringLiteral("elsewhere")), true});
    }

    // A fresh source folder and an empty target folder for one way.
    void fresh(const Way &way, QString &src, QString &to)
    {
        src = sourceDir.filePath(QStringLiteral("src"));
        to = way.targetRoot + QStringLiteral("/to");
        testfiles::removeTree(src);
        testfiles::removeTree(to);
        ASSERT_TRUE(QDir().mkpath(src));
        ASSERT_TRUE(QDir().mkpath(to));
    }

    // A 20 MB file, or a folder of 40 files (20 small, 20 of 1 MB) and a subfolder.
    static void makeItem(const QString &path, bool folder)
    {
        if (!folder) {
            makeFile(path, 20 << 20, 1);
            return;
        }
        ASSERT_TRUE(QDir().mkpath(path + QStringLiteral("/inner")));
        for (int i = 0; i < 40; ++i)
            makeFile(path + QStringLiteral("/%1.jpg").arg(i, 2, 10, QChar(u'0')), i % 2 ? 1 << 20 : 10000 + i, i);
        makeFile(path + QStringLiteral("/inner/deep.txt"), 5000, 99);
    }
};

// The state letter of a process (R, S, T for stopped, Z...), from /proc; 0 when it is gone.
char processState(qint64 pid)
{
    const QByteArray stat = testfiles::readFile(QStringLiteral("/proc/%1/stat").arg(pid));
    const qsizetype close = stat.lastIndexOf(')');
    return close < 0 || close + 2 >= stat.size() ? 0 : stat[close + 2];
}

} // namespace

// Run as a child by the test below: copies or moves as the variable says, and stops itself (at
// the file-size limit's signal) at the first write of a file past the limit, for the parent to
// kill it there.
TEST(FsoCopyWholeChild, CopiesOrMovesUntilStopped)
{
    const QStringList job = QString::fromLocal8Bit(qgetenv(ChildVariable)).split(u'\n');
    if (job.size() != 6)
        GTEST_SKIP() << "run as a child by FsoCopyWhole.KilledMidwayLeavesNoPartUnderTheFinalName";
    const bool move = job[0] == u"move", folder = job[1] == u"folder", injected = job[2] == u"1";
    const rlim_t limit = job[3].toULongLong();
    const fsotest::MoveCallsFor restore(injected);
    struct sigaction stop {};
    stop.sa_handler = [](int) { ::raise(SIGSTOP); };
    ASSERT_EQ(::sigaction(SIGXFSZ, &stop, nullptr), 0);
    rlimit limited{};
    ::getrlimit(RLIMIT_FSIZE, &limited);
    limited.rlim_cur = limit;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    const vb::Status st = copyOrMove(move, folder, job[4], job[5]);
    ADD_FAILURE() << "never stopped: " << st.description.toStdString();
}

// Killed with SIGKILL while its copy is on the way to the other file system (a 20 MB file stopped
// at 4.6 MB; a folder of 40 files stopped at its first file of 1 MB), a move or copy leaves
// nothing under the final name: only its temporary, named in plain sight for what it is and open
// to its maker alone, and the source whole. Tried again, it succeeds, the copy whole.
TEST_F(FsoCopyWhole, KilledMidwayLeavesNoPartUnderTheFinalName)
{
    constexpr rlim_t StopAt = 4600 * 1024;
    for (const Way &way : ways) {
        for (const bool move : {true, false}) {
            for (const bool folder : {false, true}) {
                SCOPED_TRACE(std::string(way.name) + (move ? ", move" : ", copy") + (folder ? " of a folder" : " of a file"));
                QString src, to;
                fresh(way, src, to);
                const QString name = folder ? QStringLiteral("album") : QStringLiteral("film.mp4");
                makeItem(src + u'/' + name, folder);
                const std::map<QString, QByteArray> original = tree(src);

                QProcess child;
                QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
                environment.insert(QString::fromLatin1(ChildVariable),
                                   QStringList{move ? "move" : "copy", folder ? "folder" : "file", way.injected ? "1" : "0",
                                               QString::number(folder ? 512 * 1024 : StopAt), src + u'/' + name,
                                               to + u'/' + name}
                                       .join(u'\n'));
                child.setProcessEnvironment(environment);
                child.start(QCoreApplication::applicationFilePath(),
                            {QStringLiteral("--gtest_filter=FsoCopyWholeChild.CopiesOrMovesUntilStopped")});
                ASSERT_TRUE(child.waitForStarted());
                const qint64 pid = child.processId();
                bool stopped = false;
                for (int waited = 0; waited < 60000 && !stopped; waited += 5)
                    stopped = processState(pid) == 'T' || child.waitForFinished(5);
                stopped = stopped && processState(pid) == 'T';
                if (!stopped)
                    child.kill();
                ASSERT_TRUE(stopped) << child.readAll().toStdString();

                // Stopped midway: the copy is on its way under its temporary name alone.
                const QStringList during = entries(to);
                ASSERT_EQ(during.size(), 1) << during.join(u' ').toStdString();
                EXPECT_TRUE(temporaryOf(name).match(during[0]).hasMatch()) << during[0].toStdString();
                EXPECT_FALSE(during[0].startsWith(u'.')) << "a leftover in plain sight, not hidden";
                const QString temporary = to + u'/' + during[0];
                struct stat made {};
                ASSERT_EQ(::lstat(raw(temporary).constData(), &made), 0);
                EXPECT_EQ(made.st_mode & 07777, folder ? 0700u : 0600u) << "for its maker's eyes only";
                if (folder) {
                    EXPECT_LT(entries(temporary).size(), 41) << "fewer entries than the source's 41";
                } else {
                    EXPECT_EQ(QFileInfo(temporary).size(), qint64(StopAt));
                }

                ::kill(pid_t(pid), SIGKILL);
                ASSERT_TRUE(child.waitForFinished(30000));
                EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);
                EXPECT_FALSE(exists(to + u'/' + name));
                EXPECT_EQ(entries(to), during) << "the leftover keeps its plain name";
                EXPECT_TRUE(tree(src) == original) << "the source is whole";

                const fsotest::MoveCallsFor restore(way.injected);
                const vb::Status again = copyOrMove(move, folder, src + u'/' + name, to + u'/' + name);
                EXPECT_TRUE(again) << again.description.toStdString();
                EXPECT_EQ(entries(to), QStringList({name, during[0]}));
                // The copy, without the leftover, is what the source was.
                std::map<QString, QByteArray> copied = tree(to);
                std::erase_if(copied, [&](const auto &item) {
                    return item.first == during[0] || item.first.startsWith(during[0] + u'/');
                });
                EXPECT_TRUE(copied == original) << "the copy is whole";
                EXPECT_EQ(exists(src + u'/' + name), !move);
            }
        }
    }
}

// A disk that fills up midway (no file may grow past 300 KB): the copy or move fails, and leaves
// neither the final name nor a temporary; the source stays whole. A folder whose copied
// subfolders are read-only (as their sources) goes all the same, for a user without root's
// permission override too.
TEST_F(FsoCopyWhole, FailingMidwayLeavesNothingBehind)
{
    for (const Way &way : ways) {
        for (const bool move : {true, false}) {
            for (const int kind : {0, 1, 2}) {  // a file, a folder, a folder of read-only folders
                const bool folder = kind != 0;
                SCOPED_TRACE(std::string(way.name) + (move ? ", move" : ", copy") + " of kind " + std::to_string(kind));
                QString src, to;
                fresh(way, src, to);
                const QString name = folder ? QStringLiteral("album") : QStringLiteral("film.mp4");
                const QString source = src + u'/' + name;
                if (kind == 2) {
                    ASSERT_TRUE(QDir().mkpath(source));
                    for (int i = 0; i < 20; ++i) {
                        const QString sub = source + QStringLiteral("/ro%1").arg(i, 2, 10, QChar(u'0'));
                        ASSERT_TRUE(QDir().mkpath(sub));
                        makeFile(sub + QStringLiteral("/a.txt"), 100, i);
                        if (i == 10)
                            makeFile(source + QStringLiteral("/big.bin"), 1 << 20, i);
                    }
                } else {
                    makeItem(source, folder);
                }
                const std::map<QString, QByteArray> original = tree(src);
                if (kind == 2) {
                    for (const QString &sub : entries(source)) {
                        if (sub.startsWith(u"ro")) {
                            ASSERT_EQ(::chmod(raw(source + u'/' + sub).constData(), 0555), 0);
                        }
                    }
                }

                const fsotest::MoveCallsFor restore(way.injected);
                vb::Status st;
                {
                    WithoutPermissionOverride asUser;
                    testfiles::FileSizeLimit full(300 * 1024);
                    st = copyOrMove(move, folder, source, to + u'/' + name);
                }
                EXPECT_FALSE(st);
                EXPECT_EQ(entries(to), QStringList()) << "neither the final name nor a temporary";
                if (kind == 2) {
                    for (const QString &sub : entries(source))
                        ::chmod(raw(source + u'/' + sub).constData(), 0755);
                }
                EXPECT_TRUE(tree(src) == original) << "the source is whole";
            }
        }
    }
}

// Names near the longest a file may have (255 bytes, in one-byte and in two-byte characters):
// the temporary's name is shortened to fit, and the copy takes the whole name.
TEST_F(FsoCopyWhole, TheLongestNamesAreCopiedAndMovedWhole)
{
    const QString names[] = {
        QString(255, u'n'),
        QString(127, QChar(0xE9)) + u'x',   // 254 bytes of "é" and one more
        QString(126, QChar(0xE9)) + QStringLiteral(".z"),
    };
    for (const Way &way : ways) {
        for (const bool move : {true, false}) {
            SCOPED_TRACE(std::string(way.name) + (move ? ", move" : ", copy"));
            QString src, to;
            fresh(way, src, to);
            const fsotest::MoveCallsFor restore(way.injected);
            for (const QString &name : names) {
                ASSERT_LE(raw(name).size(), 255);
                makeFile(src + u'/' + name, 3000, 5);
                const vb::Status st = copyOrMove(move, false, src + u'/' + name, to + u'/' + name);
                EXPECT_TRUE(st) << st.description.toStdString();
                EXPECT_EQ(contents(to + u'/' + name).size(), 3000);
            }
            EXPECT_EQ(entries(to).size(), 3) << "no temporary left";
        }
    }
}
