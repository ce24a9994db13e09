// The rename log on disk while "Rename Now!" runs: each row is on record in the run's dated file
// as soon as it is done, a run killed part-way leaves every rename it made on record, and the log
// is written only as a regular file.
#include "AppState.h"
#include "Clock.h"
#include "Execute.h"
#include "MetadataSource.h"
#include "PathCodec.h"
#include "RandomSource.h"
#include "RecordingEngineHost.h"
#include "RenameEngine.h"
#include "RenameLog.h"
#include "TestFiles.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <functional>
#include <cstdlib>
#include <memory>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <vector>

using namespace engine;

namespace {

const QDateTime RunStart(QDate(2026, 12, 9), QTime(20, 49, 36));
const QString ChildVariable = QStringLiteral("MORVANE_RENAME_RUN_FOLDER");
// For a child run: the program folder when not the folder's "home", "1" to keep the dated file,
// and a file whose appearance starts the run (so two children start together).
const QString ChildHomeVariable = QStringLiteral("MORVANE_RENAME_RUN_HOME");
const QString ChildKeepVariable = QStringLiteral("MORVANE_RENAME_RUN_KEEP");
const QString ChildGoVariable = QStringLiteral("MORVANE_RENAME_RUN_GO");

QString oldName(int i) { return QStringLiteral("f%1.txt").arg(i, 5, 10, QChar(u'0')); }
QString newName(int i) { return QStringLiteral("g%1.txt").arg(i, 5, 10, QChar(u'0')); }

// Reads the dated file after every row: what the run had done by then must be on disk.
class WatchingHost : public RecordingEngineHost {
public:
    using RecordingEngineHost::RecordingEngineHost;
    void setProgressValue(float value) override
    {
        RecordingEngineHost::setProgressValue(value);
        if (value > 0 && !watched.isEmpty())
            onDisk.append(testfiles::readFile(watched));
        if (progressed)
            progressed(value);
    }
    QString watched;
    QList<QByteArray> onDisk;  ///< the dated file's bytes after each row
    std::function<void(float)> progressed;
};

// Turns the descriptor the run writes its dated file through into one of "/dev/full": every
// write from then on fails as on a full disk, while the file keeps what it took.
bool fillTheDiskUnder(const QString &file)
{
    const QByteArray target = QFile::encodeName(QFileInfo(file).canonicalFilePath());
    const QStringList fds = QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &fd : fds) {
        if (QFile::encodeName(QFile::symLinkTarget(QStringLiteral("/proc/self/fd/") + fd)) != target)
            continue;
        const QByteArray info = testfiles::readFile(QStringLiteral("/proc/self/fdinfo/") + fd);
        const qsizetype at = info.indexOf("flags:");
        const int flags = at < 0 ? 0 : int(info.mid(at + 6, info.indexOf('\n', at) - at - 6).trimmed().toInt(nullptr, 8));
        if ((flags & O_ACCMODE) != O_WRONLY)
            continue;
        const int full = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
        const bool replaced = full >= 0 && ::dup2(full, fd.toInt()) >= 0;
        if (full >= 0)
            ::close(full);
        return replaced;
    }
    return false;
}

// A "Rename Now!" run over the files of a folder, in a process of its own when the variable
// names that folder.
struct RenameNow {
    explicit RenameNow(const QString &home) { qputenv("VEXLO_HOME", QFile::encodeName(home)); }
    ~RenameNow() { qunsetenv("VEXLO_HOME"); }

    void addRow(const QString &folder, const QString &original, const QString &preview)
    {
        PreviewRow row;
        row.Path = folder + u'/';
        row.Original = original;
        row.Preview = preview;
        row.Type = QStringLiteral("TXT File");
        grid.addRow(row);
    }
    RenameRunResult run()
    {
        engine.Previewed = true;
        return cmdExecute_Click(engine, grid);
    }

    AppState app;
    WatchingHost host{&app};
    NoMetadata metadata;
    FixedClock clock{RunStart};
    FixedRandom random{{0.0f}};
    RenameEngine engine{app, host, metadata, clock, random};
    PreviewTable grid;
};

bool waitUntil(const std::function<bool()> &condition, int milliseconds)
{
    QDeadlineTimer deadline(milliseconds);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(2);
    }
    return true;
}

} // namespace

// The run that KilledRunLeavesEveryRenameOnRecord kills: this test program started again with
// the folder in its environment renames the folder's files and ends before any test runs.
namespace {

class RenameNowOverAFolder : public ::testing::Environment {
public:
    void SetUp() override
    {
        const QString folder = qEnvironmentVariable(ChildVariable.toLatin1().constData());
        if (folder.isEmpty())
            return;
        const QString home = qEnvironmentVariable(ChildHomeVariable.toLatin1().constData(), folder + QStringLiteral("/home"));
        RenameNow now(home);
        now.app.SaveLogFile = qEnvironmentVariable(ChildKeepVariable.toLatin1().constData()) == QLatin1String("1");
        const QStringList names = QDir(folder + QStringLiteral("/files")).entryList(QDir::Files, QDir::Name);
        for (const QString &name : names)
            now.addRow(folder + QStringLiteral("/files"), name, u'g' + name.mid(1));
        const QString go = qEnvironmentVariable(ChildGoVariable.toLatin1().constData());
        if (!go.isEmpty() && !waitUntil([&] { return QFileInfo::exists(go); }, 60000))
            std::_Exit(3);
        now.run();
        std::_Exit(0);
    }
};
const ::testing::Environment *const renameNowOverAFolder =
    ::testing::AddGlobalTestEnvironment(new RenameNowOverAFolder);

} // namespace

TEST(RenameLogOnDisk, EveryRowIsOnDiskWhenItIsDone)
{
    QTemporaryDir tmp;
    const QString files = tmp.filePath("files");
    ASSERT_TRUE(QDir().mkpath(files));
    RenameNow now(tmp.filePath("home"));
    now.host.watched = RenameLog::datedFileName(RunStart);
    constexpr int Rows = 40;
    for (int i = 0; i < Rows; ++i) {
        if (i != 7)
            testfiles::writeFile(files + u'/' + oldName(i), "x");
        now.addRow(files, oldName(i), newName(i));
    }
    const RenameRunResult result = now.run();
    EXPECT_EQ(result.renamed, size_t(Rows - 1));
    ASSERT_EQ(now.host.onDisk.size(), Rows);
    for (int i = 0; i < Rows; ++i) {
        SCOPED_TRACE(i);
        const QString expected = RenameLog::line(files + u'/', oldName(i), newName(i),
                                                 i == 7 ? QStringLiteral("File not found") : RenameLog::successText());
        EXPECT_TRUE(QString::fromUtf8(now.host.onDisk[i]).endsWith(expected + QStringLiteral("\r\n")));
    }
    // "templog.log" holds the whole log; the run's file stays even without the preference, as
    // the record of the row that failed.
    EXPECT_EQ(testfiles::readFile(RenameLog::fileName()), now.host.onDisk.last());
    EXPECT_EQ(testfiles::readFile(RenameLog::datedFileName(RunStart)), now.host.onDisk.last());
}

// The run's own file stops taking lines (the disk fills up under it) before the first row or part
// of the way: the run stops there, renaming nothing more; every row done is in "templog.log" and
// in the run's own file (kept, with "Save Log File" on or off, and written whole again), and the
// message says how far the run came and where its record is.
TEST(RenameLogOnDisk, RunsFileThatStopsTakingLinesStopsTheRun)
{
    constexpr int Rows = 6;
    struct Case {
        int fullAfter;  // rows done before the disk fills up
        int saveLogFile;
        size_t renamed;
        const char *failed;  // the end of the message when a row before failed
    } cases[] = {
        {0, 1, 0, ""},
        {1, 0, 1, ""},
        {4, 1, 3, " 1 of them failed."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.fullAfter);
        QTemporaryDir tmp;
        const QString files = tmp.filePath("files");
        ASSERT_TRUE(QDir().mkpath(files));
        RenameNow now(tmp.filePath("home"));
        now.app.SaveLogFile = c.saveLogFile;
        now.app.ShowRenameConfirmation = 1;
        QByteArray expected;
        for (int i = 0; i < Rows; ++i) {
            if (i != 2)
                testfiles::writeFile(files + u'/' + oldName(i), "x");
            now.addRow(files, oldName(i), newName(i));
            if (i < c.fullAfter)
                expected += (RenameLog::line(files + u'/', oldName(i), newName(i),
                                             i == 2 ? QStringLiteral("File not found") : RenameLog::successText())
                             + QStringLiteral("\r\n"))
                                .toUtf8();
        }
        const QString dated = RenameLog::datedFileName(RunStart);
        bool filled = false;
        now.host.progressed = [&](float value) {
            if (!filled && int(value) == c.fullAfter)
                filled = fillTheDiskUnder(dated);
        };

        const RenameRunResult result = now.run();

        ASSERT_TRUE(filled);
        EXPECT_TRUE(result.logStopped);
        EXPECT_EQ(result.renamed, c.renamed);
        EXPECT_EQ(result.notReached, size_t(Rows - c.fullAfter));
        for (int i = 0; i < Rows; ++i) {
            SCOPED_TRACE(i);
            if (i == 2)
                continue;
            EXPECT_EQ(QFileInfo::exists(files + u'/' + oldName(i)), i >= c.fullAfter);
            EXPECT_EQ(QFileInfo::exists(files + u'/' + newName(i)), i < c.fullAfter);
            EXPECT_EQ(now.grid.row(size_t(i) + 1).Original, i < c.fullAfter ? newName(i) : oldName(i));
        }
        EXPECT_EQ(testfiles::readFile(RenameLog::fileName()), expected);
        EXPECT_EQ(testfiles::readFile(dated), expected);
        // One message, no "Files Renamed".
        ASSERT_EQ(now.host.messages.size(), 1u);
        EXPECT_EQ(now.host.messages[0].prompt,
                  QStringLiteral("The rename log \"%1\" could not be written: Disk full. The run stopped before "
                                 "row %2, \"%3\": %4 of 6 items were renamed; the other %5 were not renamed.%6 "
                                 "The record of this run is in \"%1\".")
                      .arg(dated)
                      .arg(c.fullAfter + 1)
                      .arg(files + u'/' + oldName(c.fullAfter))
                      .arg(c.renamed)
                      .arg(Rows - c.renamed)
                      .arg(QString::fromLatin1(c.failed)));
    }
}

// The run is killed at several points: whatever it renamed by then is named in the log on disk,
// and every rename the log calls successful was made.
TEST(RenameLogOnDisk, KilledRunLeavesEveryRenameOnRecord)
{
    constexpr int Files = 12000;
    int killedPartWay = 0;
    for (const qint64 killAfterBytes : {200, 60000, 300000}) {
        SCOPED_TRACE(killAfterBytes);
        QTemporaryDir tmp;
        const QString files = tmp.filePath("files");
        ASSERT_TRUE(QDir().mkpath(files));
        ASSERT_TRUE(QDir().mkpath(tmp.filePath("home")));
        for (int i = 0; i < Files; ++i)
            testfiles::writeFile(files + u'/' + oldName(i), QByteArray());
        testfiles::writeFile(tmp.filePath("home/templog.log"), "the last finished run\r\n");

        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(ChildVariable, tmp.path());
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_filter=RenameLogOnDisk.EveryRowIsOnDiskWhenItIsDone")});
        ASSERT_TRUE(child.waitForStarted());
        const QString dated = tmp.filePath("home/Rename_Log12_09_202608_49_36_PM.txt");
        const bool reached = waitUntil(
            [&] { return QFileInfo(dated).size() >= killAfterBytes || child.state() == QProcess::NotRunning; }, 60000);
        ::kill(pid_t(child.processId()), SIGKILL);
        ASSERT_TRUE(child.waitForFinished(30000));
        ASSERT_TRUE(reached);

        const QStringList lines = QString::fromUtf8(testfiles::readFile(dated)).split(QStringLiteral("\r\n"));
        QSet<QString> named;
        QSet<QString> successful;
        for (const QString &line : lines) {
            const QStringList fields = line.split(QStringLiteral(" : "));
            if (fields.size() < 3)
                continue;
            named.insert(fields[1]);
            if (fields.size() == 4 && fields[3] == RenameLog::successText())
                successful.insert(fields[1]);
        }
        int renamed = 0;
        for (int i = 0; i < Files; ++i) {
            const bool moved = QFileInfo::exists(files + u'/' + newName(i));
            renamed += moved;
            if (moved) {
                EXPECT_TRUE(named.contains(oldName(i))) << oldName(i).toStdString() << " renamed but not in the log";
            }
            if (successful.contains(oldName(i))) {
                EXPECT_TRUE(moved) << oldName(i).toStdString() << " logged as renamed but not renamed";
            }
        }
        EXPECT_GT(renamed, 0);
        if (renamed < Files) {
            ++killedPartWay;
            // The last finished run's log is still there.
            EXPECT_EQ(testfiles::readFile(tmp.filePath("home/templog.log")), "the last finished run\r\n");
        }
    }
    EXPECT_GT(killedPartWay, 0) << "every run ended before it was killed";
}

// "templog.log" in the place of something that is not a regular file: the run refuses to start,
// names the path and the reason, and nothing is renamed or written. (A dated name that is taken
// is not the run's: see TakenDatedNameIsLeftAsItWas.)
TEST(RenameLogOnDisk, LogFilesAreWrittenOnlyAsRegularFiles)
{
    const struct Case {
        const char *what;
        const char *reason;
    } cases[] = {
        {"templog.log: a link to a FIFO", "a FIFO"},
        {"templog.log: a dangling link", "does not exist"},
        {"templog.log: a folder", "a folder"},
        {"templog.log: a link to a device", "a character device"},
    };
    bool deviceMade = true;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir tmp;
        const QString home = tmp.filePath("home");
        const QString files = tmp.filePath("files");
        ASSERT_TRUE(QDir().mkpath(home) && QDir().mkpath(files));
        RenameNow now(home);
        const QString log = RenameLog::fileName();
        const QString target = tmp.filePath("target");
        const QByteArray what(c.what);
        if (what.contains("FIFO")) {
            ASSERT_EQ(::mkfifo(QFile::encodeName(target).constData(), 0600), 0);
        }
        if (what.contains("device") && ::mknod(QFile::encodeName(target).constData(), S_IFCHR | 0666, makedev(1, 3)) != 0) {
            deviceMade = false;
            continue;
        }
        if (what.contains("folder")) {
            ASSERT_TRUE(QDir().mkdir(log));
        } else {
            ASSERT_EQ(::symlink(QFile::encodeName(target).constData(), QFile::encodeName(log).constData()), 0);
        }
        testfiles::writeFile(files + QStringLiteral("/a.txt"), "x");
        now.addRow(files, QStringLiteral("a.txt"), QStringLiteral("b.txt"));

        const RenameRunResult result = now.run();

        EXPECT_FALSE(result.started);
        EXPECT_TRUE(QFileInfo::exists(files + QStringLiteral("/a.txt")));
        ASSERT_EQ(now.host.messages.size(), 1u);
        const QString prompt = now.host.messages[0].prompt;
        EXPECT_TRUE(prompt.contains(QFileInfo(log).fileName())) << prompt.toStdString();
        EXPECT_TRUE(prompt.contains(QLatin1String(c.reason))) << prompt.toStdString();
        EXPECT_FALSE(QFileInfo::exists(target) && QFileInfo(target).isFile());
        if (what.contains("device")) {
            struct stat st {};
            ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &st), 0);
            EXPECT_TRUE(S_ISCHR(st.st_mode));
        }
        EXPECT_EQ(QDir(home).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot),
                  QStringList{QFileInfo(log).fileName()});
    }
    if (!deviceMade)
        GTEST_SKIP() << "this process may not make device nodes; the other cases ran";
}

// A link to a regular file elsewhere: the file it leads to gets the log, the link stays.
TEST(RenameLogOnDisk, LinkToARegularFileIsWrittenThrough)
{
    QTemporaryDir tmp;
    const QString home = tmp.filePath("home");
    const QString files = tmp.filePath("files");
    ASSERT_TRUE(QDir().mkpath(home) && QDir().mkpath(files) && QDir().mkpath(tmp.filePath("logs")));
    testfiles::writeFile(tmp.filePath("logs/real.log"), "old\r\n");
    RenameNow now(home);
    ASSERT_EQ(::symlink("../logs/real.log", QFile::encodeName(RenameLog::fileName()).constData()), 0);
    testfiles::writeFile(files + QStringLiteral("/a.txt"), "x");
    now.addRow(files, QStringLiteral("a.txt"), QStringLiteral("b.txt"));
    EXPECT_EQ(now.run().renamed, 1u);
    EXPECT_TRUE(QFileInfo(RenameLog::fileName()).isSymLink());
    EXPECT_EQ(testfiles::readFile(tmp.filePath("logs/real.log")),
              (RenameLog::line(files + u'/', "a.txt", "b.txt", RenameLog::successText()) + "\r\n").toUtf8());
}

// Names that are not UTF-8 reach the run's file as their bytes while the run goes, and the kept
// dated file and "templog.log" hold the same bytes.
TEST(RenameLogOnDisk, NamesThatAreNotUtf8KeepTheirBytesInTheRunsFile)
{
    QTemporaryDir tmp;
    const QString files = tmp.filePath("files");
    ASSERT_TRUE(QDir().mkpath(files));
    RenameNow now(tmp.filePath("home"));
    now.app.SaveLogFile = 1;
    now.host.watched = RenameLog::datedFileName(RunStart);
    const QString original = pathcodec::decode("lat\xe9n.txt");
    const QString preview = pathcodec::decode("new\xff|.txt");
    ASSERT_TRUE(pathcodec::hasRawBytes(original) && pathcodec::hasRawBytes(preview));
    testfiles::writeRawFile(pathcodec::encode(files + u'/' + original), "x");
    now.addRow(files, original, preview);

    EXPECT_EQ(now.run().renamed, 1u);
    // Removed here: the temporary folder's own clean-up reads names in the toolkit's encoding.
    EXPECT_EQ(::unlink(pathcodec::encode(files + u'/' + preview).constData()), 0);
    ::unlink(pathcodec::encode(files + u'/' + original).constData());
    const QByteArray expected =
        QFile::encodeName(files) + "/ : lat\xe9n.txt : new\xff|.txt : " + RenameLog::successText().toUtf8() + "\r\n";
    ASSERT_EQ(now.host.onDisk.size(), 1);
    EXPECT_EQ(now.host.onDisk.first(), expected);
    EXPECT_EQ(testfiles::readFile(RenameLog::datedFileName(RunStart)), expected);
    EXPECT_EQ(testfiles::readFile(RenameLog::fileName()), expected);
}

namespace {

// What a user could tell of an item: its kind, permissions, identity and link text, its bytes,
// and a folder's entries with theirs.
QByteArray stateOf(const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat st {};
    if (::lstat(native.constData(), &st) != 0)
        return "missing";
    QByteArray state = QByteArray::number(st.st_mode, 8) + ' ' + QByteArray::number(qulonglong(st.st_ino)) + ' '
                       + QByteArray::number(qlonglong(st.st_mtim.tv_sec)) + '.'
                       + QByteArray::number(qlonglong(st.st_mtim.tv_nsec));
    if (S_ISLNK(st.st_mode))
        state += " -> " + QFile::encodeName(QFile::symLinkTarget(path));
    else if (S_ISREG(st.st_mode))
        state += ": " + testfiles::readFile(path);
    else if (S_ISDIR(st.st_mode))
        for (const QString &name : QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
            state += '\n' + name.toUtf8() + ' ' + stateOf(path + u'/' + name);
    return state;
}

QByteArray successLines(const QString &folder, const QStringList &names)
{
    QByteArray lines;
    for (const QString &name : names)
        lines += (RenameLog::line(folder + u'/', name, u'g' + name.mid(1), RenameLog::successText()) + QStringLiteral("\r\n"))
                     .toUtf8();
    return lines;
}

} // namespace

// Whatever bears the dated name of the second the run starts (the log of another run that started
// then, a link, a folder) is not the run's: it stays exactly as it was, whether the dated file is
// kept or not, and the run's lines, all of them, go to the next free name and to "templog.log".
TEST(RenameLogOnDisk, TakenDatedNameIsLeftAsItWas)
{
    const QByteArray otherRun = "/elsewhere/ : x.txt : y.txt : Rename Successful\r\n";
    const auto writePrivate = [&](const QString &path) {
        testfiles::writeFile(path, otherRun);
        return ::chmod(QFile::encodeName(path).constData(), 0600) == 0;
    };
    const auto linkTo = [](const QString &target, const QString &link) {
        return ::symlink(QFile::encodeName(target).constData(), QFile::encodeName(link).constData()) == 0;
    };
    const struct Case {
        const char *what;
        std::function<bool(const QString &dated, const QString &other)> make;
        int number;  ///< the number of the run's own file
    } cases[] = {
        {"another run's log", [&](const QString &dated, const QString &) { return writePrivate(dated); }, 2},
        {"a link to another run's log",
         [&](const QString &dated, const QString &other) { return writePrivate(other + "/log.txt") && linkTo(other + "/log.txt", dated); },
         2},
        {"a link to a FIFO",
         [&](const QString &dated, const QString &other) {
             return ::mkfifo(QFile::encodeName(other + "/fifo").constData(), 0600) == 0 && linkTo(other + "/fifo", dated);
         },
         2},
        {"a dangling link", [&](const QString &dated, const QString &other) { return linkTo(other + "/missing.txt", dated); }, 2},
        {"a folder", [&](const QString &dated, const QString &) { return QDir().mkdir(dated) && writePrivate(dated + "/inside.txt"); }, 2},
        {"the name and the next one",
         [&](const QString &dated, const QString &) {
             return writePrivate(dated) && writePrivate(RenameLog::datedFileName(RunStart, 2));
         },
         3},
    };
    for (const Case &c : cases) {
        for (const bool keep : {false, true}) {
            SCOPED_TRACE(testing::Message() << c.what << (keep ? ", dated file kept" : ", dated file not kept"));
            QTemporaryDir tmp;
            const QString files = tmp.filePath("files");
            const QString other = tmp.filePath("other");
            ASSERT_TRUE(QDir().mkpath(files) && QDir().mkpath(other));
            RenameNow now(tmp.filePath("home"));
            now.app.SaveLogFile = keep ? 1 : 0;
            const QString dated = RenameLog::datedFileName(RunStart);
            ASSERT_TRUE(c.make(dated, other));
            const QStringList taken = QDir(tmp.filePath("home")).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
            QByteArray before;
            for (const QString &name : taken)
                before += name.toUtf8() + ' ' + stateOf(tmp.filePath("home/" + name)) + '\n';
            before += stateOf(other);
            const QString own = RenameLog::datedFileName(RunStart, c.number);
            now.host.watched = own;
            const QStringList names = {oldName(0), oldName(1), oldName(2)};
            for (const QString &name : names) {
                testfiles::writeFile(files + u'/' + name, "x");
                now.addRow(files, name, u'g' + name.mid(1));
            }

            const RenameRunResult result = now.run();

            EXPECT_TRUE(result.started);
            EXPECT_EQ(result.renamed, 3u);
            QByteArray after;
            for (const QString &name : taken)
                after += name.toUtf8() + ' ' + stateOf(tmp.filePath("home/" + name)) + '\n';
            after += stateOf(other);
            EXPECT_EQ(after, before);
            const QByteArray expected = successLines(files, names);
            ASSERT_EQ(now.host.onDisk.size(), 3);
            EXPECT_EQ(now.host.onDisk.last(), expected) << "the run's own file as the run went";
            EXPECT_EQ(testfiles::readFile(RenameLog::fileName()), expected);
            if (keep) {
                EXPECT_EQ(testfiles::readFile(own), expected);
            } else {
                EXPECT_FALSE(QFileInfo::exists(own));
            }
            QStringList left = taken + QStringList{QStringLiteral("templog.log")};
            if (keep)
                left << QFileInfo(own).fileName();
            left.sort();
            EXPECT_EQ(QDir(tmp.filePath("home")).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot), left);
        }
    }
}

// Two runs in two processes share the program folder and start in the same second: each run's
// file holds every line of its own run and nothing of the other's, neither removes the other's,
// and "templog.log" is the whole log of one of them, never a mix.
TEST(RenameLogOnDisk, TwoRunsStartingInTheSameSecondKeepTheirOwnFiles)
{
    constexpr int Files = 1500;
    for (const bool keep : {true, false}) {
        SCOPED_TRACE(keep ? "dated files kept" : "dated files not kept");
        QTemporaryDir tmp;
        const QString home = tmp.filePath("home");
        ASSERT_TRUE(QDir().mkpath(home));
        QStringList names;
        for (int i = 0; i < Files; ++i)
            names << oldName(i);
        QList<QByteArray> expected;
        std::vector<std::unique_ptr<QProcess>> children;
        for (const char *run : {"first", "second"}) {
            const QString folder = tmp.filePath(QString::fromLatin1(run));
            ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("/files")));
            for (const QString &name : names)
                testfiles::writeFile(folder + QStringLiteral("/files/") + name, QByteArray());
            expected << successLines(folder + QStringLiteral("/files"), names);

            auto child = std::make_unique<QProcess>();
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(ChildVariable, folder);
            environment.insert(ChildHomeVariable, home);
            environment.insert(ChildKeepVariable, keep ? QStringLiteral("1") : QStringLiteral("0"));
            environment.insert(ChildGoVariable, tmp.filePath("go"));
            child->setProcessEnvironment(environment);
            child->start(QCoreApplication::applicationFilePath(),
                         {QStringLiteral("--gtest_filter=RenameLogOnDisk.EveryRowIsOnDiskWhenItIsDone")});
            ASSERT_TRUE(child->waitForStarted());
            children.push_back(std::move(child));
        }
        testfiles::writeFile(tmp.filePath("go"), QByteArray());
        for (const auto &child : children) {
            ASSERT_TRUE(child->waitForFinished(120000));
            EXPECT_EQ(child->exitCode(), 0);
        }

        for (const char *run : {"first", "second"})
            EXPECT_EQ(QDir(tmp.filePath(QString::fromLatin1(run)) + QStringLiteral("/files")).entryList({"g*"}, QDir::Files).size(), Files);
        const QStringList dated = QDir(home).entryList({"Rename_Log*"}, QDir::Files);
        if (keep) {
            ASSERT_EQ(dated.size(), 2) << dated.join(u' ').toStdString();
            const QList<QByteArray> kept = {testfiles::readFile(home + u'/' + dated[0]), testfiles::readFile(home + u'/' + dated[1])};
            const bool eachWhole = kept == expected || kept == QList<QByteArray>({expected[1], expected[0]});
            EXPECT_TRUE(eachWhole)
                << "the runs' files do not each hold one whole run";
        } else {
            EXPECT_EQ(dated, QStringList{}) << "a run left its file, or one of another run";
        }
        const QByteArray log = testfiles::readFile(home + QStringLiteral("/templog.log"));
        EXPECT_TRUE(log == expected[0] || log == expected[1]) << "templog.log is not one whole run's log";
    }
}

// Another file takes the name of the run's own file while the run goes (moved over it): it is not
// the run's, so the end of the run neither removes it (the run's file is not kept) nor writes the
// run's lines over it (the run's file is kept but missed lines: the disk filled up under it). It
// stays as it was, and "templog.log" holds the run's record.
TEST(RenameLogOnDisk, AFileThatTakesTheRunsNameMeanwhileIsLeftAlone)
{
    const struct Case {
        const char *what;
        int saveLogFile;
        bool fill;           // the disk fills up under the run's file when the name is taken
        size_t renamed;      // rows renamed: the run stops at a full disk
    } cases[] = {
        {"run's file not kept", 0, false, 3},
        {"run's file kept, missing lines", 1, true, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir tmp;
        const QString files = tmp.filePath("files");
        ASSERT_TRUE(QDir().mkpath(files));
        RenameNow now(tmp.filePath("home"));
        now.app.SaveLogFile = c.saveLogFile;
        const QStringList names = {oldName(0), oldName(1), oldName(2)};
        for (const QString &name : names) {
            testfiles::writeFile(files + u'/' + name, "x");
            now.addRow(files, name, u'g' + name.mid(1));
        }
        const QString dated = RenameLog::datedFileName(RunStart);
        const QString other = tmp.filePath("other.txt");
        testfiles::writeFile(other, "someone else's file\n");
        QByteArray taken;
        now.host.progressed = [&](float value) {
            if (int(value) != 1 || !taken.isEmpty())
                return;
            if (c.fill && !fillTheDiskUnder(dated))
                return;
            if (::rename(QFile::encodeName(other).constData(), QFile::encodeName(dated).constData()) == 0)
                taken = stateOf(dated);
        };

        const RenameRunResult result = now.run();

        ASSERT_FALSE(taken.isEmpty());
        EXPECT_EQ(result.renamed, c.renamed);
        EXPECT_EQ(stateOf(dated), taken);
        EXPECT_EQ(testfiles::readFile(RenameLog::fileName()), successLines(files, names.mid(0, qsizetype(c.renamed))));
        if (c.fill) {
            ASSERT_EQ(now.host.messages.size(), 1u);
            EXPECT_TRUE(now.host.messages[0].prompt.endsWith(" The record of this run is in \"" + RenameLog::fileName() + "\"."))
                << now.host.messages[0].prompt.toStdString();
        }
    }
}

// The dated names of a second run out only when all of them are taken: with 999 taken the run
// takes the last one; with all 1000 taken it renames nothing, leaves them all as they were, and
// its message names the first, the next and the last name and says that all are taken.
TEST(RenameLogOnDisk, EveryDatedNameOfTheSecondTakenIsToldAsSuch)
{
    for (const int taken : {RenameLog::MostRunFiles - 1, RenameLog::MostRunFiles}) {
        SCOPED_TRACE(taken);
        QTemporaryDir tmp;
        const QString files = tmp.filePath("files");
        ASSERT_TRUE(QDir().mkpath(files) && QDir().mkpath(tmp.filePath("home")));
        RenameNow now(tmp.filePath("home"));
        now.app.SaveLogFile = 1;
        for (int n = 1; n <= taken; ++n)
            testfiles::writeFile(RenameLog::datedFileName(RunStart, n), QByteArray::number(n));
        testfiles::writeFile(files + u'/' + oldName(0), "x");
        now.addRow(files, oldName(0), newName(0));

        const RenameRunResult result = now.run();

        for (int n = 1; n <= taken; ++n)
            ASSERT_EQ(testfiles::readFile(RenameLog::datedFileName(RunStart, n)), QByteArray::number(n)) << n;
        const QString last = RenameLog::datedFileName(RunStart, RenameLog::MostRunFiles);
        if (taken < RenameLog::MostRunFiles) {
            EXPECT_EQ(result.renamed, 1u);
            EXPECT_EQ(testfiles::readFile(last), successLines(files, {oldName(0)}));
            continue;
        }
        EXPECT_FALSE(result.started);
        EXPECT_TRUE(QFileInfo::exists(files + u'/' + oldName(0)));
        EXPECT_FALSE(QFileInfo::exists(RenameLog::fileName()));
        ASSERT_EQ(now.host.messages.size(), 1u);
        EXPECT_EQ(now.host.messages[0].prompt,
                  "The rename log \"" + RenameLog::datedFileName(RunStart) + "\" cannot be written: File exists, "
                  "and so do \"Rename_Log12_09_202608_49_36_PM_2.txt\" to \"Rename_Log12_09_202608_49_36_PM_1000.txt\": "
                  "all 1000 names for a log of this second are taken. Nothing was renamed.");
    }
}
