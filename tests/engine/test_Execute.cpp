#include "AppState.h"
#include "Clock.h"
#include "Execute.h"
#include "MessageService.h"
#include "MetadataSource.h"
#include "Preview.h"
#include "RenameSettings.h"
#include "RandomSource.h"
#include "RecordingEngineHost.h"
#include "RenameRunFixture.h"
#include "RenameEngine.h"
#include "Preview.h"
#include "ProcessLimits.h"
#include "RenameLog.h"
#include "TestFiles.h"
#include "WithoutPermissionOverride.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

using namespace engine;
using namespace renamerun;

TEST_F(RenameRun, WithoutPreviewNothingHappens)
{
    engine.Previewed = false;
    file("a.txt");
    addRow("a.txt", "b.txt");
    app.ShowRenameConfirmation = app.AutoRefreshMainList = app.ShowLogAfterRename = 1;
    const RenameRunResult result = cmdExecute_Click(engine, grid);
    EXPECT_FALSE(result.started);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].prompt, QStringLiteral("Please Preview first,then Execute"));
    EXPECT_EQ(host.messages[0].title, QStringLiteral("Renamer"));
    EXPECT_EQ(host.messages[0].buttons, msg::OKOnly | msg::Information);
    EXPECT_TRUE(exists("a.txt"));
    EXPECT_FALSE(QFileInfo::exists(homeFile("templog.log")));
    EXPECT_TRUE(host.refreshed.isEmpty());
    EXPECT_EQ(host.logsShown, 0);
}

TEST_F(RenameRun, LogBytesOfASmallRun)
{
    file("a.txt", "A");
    file("b.txt", "B");
    file("c.txt", "C");
    folder("d");
    addRow("a.txt", "b.txt");              // the target exists
    const QString accented = QString::fromUtf8("\xc3\xa9t\xc3\xa9 1.txt");
    addRow("c.txt", accented);
    addRow("d", "e", FileFolder);
    file("same.txt");
    addRow("same.txt", "same.txt");        // unchanged: not attempted, no line
    addRow("gone.txt", "");                // no new name: not attempted, no line
    const RenameRunResult result = cmdExecute_Click(engine, grid);

    const QByteArray p = QFile::encodeName(dir());
    EXPECT_EQ(logBytes(), p + " : a.txt : b.txt : File already exists\r\n"
                          + p + " : c.txt : \xc3\xa9t\xc3\xa9 1.txt : Rename Successful\r\n"
                          + p + " : d : e : Rename Successful\r\n");
    EXPECT_EQ(testfiles::readFile(dir() + "b.txt"), QByteArray("B"));
    EXPECT_EQ(testfiles::readFile(dir() + "a.txt"), QByteArray("A"));
    EXPECT_EQ(testfiles::readFile(dir() + accented), QByteArray("C"));
    EXPECT_TRUE(exists("e"));
    EXPECT_EQ(result.renamed, 2u);
    EXPECT_EQ(result.failed, 1u);
    EXPECT_EQ(result.unchanged, 2u);
    // Only the rows that carry their new names take them into "Original".
    EXPECT_EQ(originals(), (QStringList{"a.txt", accented, "e", "same.txt", "gone.txt"}));
    EXPECT_EQ(previews(), (QStringList{"b.txt", "", "", "", ""}));
    // One failure: no "Files Renamed", but the number of failures, even without confirmations,
    // naming the run's own file, kept with the same lines.
    EXPECT_EQ(prompts(), QStringList{"1 of 3 items could not be renamed. The rename log \""
                                     + RenameLog::datedFileName(clock.now()) + "\" shows why."});
    EXPECT_EQ(testfiles::readFile(RenameLog::datedFileName(clock.now())), logBytes());
    EXPECT_EQ(host.captions.constLast(), QStringLiteral("Ready"));
    EXPECT_EQ(host.progressValue(), 0.0f);
}

TEST_F(RenameRun, NeverOverwritesAndRefusesBadNames)
{
    struct Case {
        const char *name;
        QString preview;
        QString result;
    } cases[] = {
        {"existing file", "taken.txt", "File already exists"},
        {"existing folder", "sub", "File already exists"},
        {"slash", "sub/x.txt", "Bad file name or number"},
        {"dot", ".", "Bad file name or number"},
        {"dot dot", "..", "Bad file name or number"},
        {"NUL", QStringLiteral("a") + QChar(0) + QStringLiteral("b"), "Bad file name or number"},
        {"256 bytes", QString(256, u'n'), "Bad file name or number"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        grid.clear();
        host.messages.clear();
        file("a.txt", "A");
        file("taken.txt", "T");
        folder("sub");
        addRow("a.txt", c.preview);
        const RenameRunResult result = cmdExecute_Click(engine, grid);
        EXPECT_EQ(result.failed, 1u);
        EXPECT_EQ(logLines(), QStringList{RenameLog::line(dir(), "a.txt", c.preview, c.result)});
        EXPECT_EQ(testfiles::readFile(dir() + "a.txt"), QByteArray("A"));
        EXPECT_EQ(testfiles::readFile(dir() + "taken.txt"), QByteArray("T"));
        EXPECT_TRUE(QDir(dir() + "sub").isEmpty());
        EXPECT_EQ(grid.row(1).Original, QStringLiteral("a.txt"));
    }
    // 255 bytes is still a name.
    grid.clear();
    addRow("a.txt", QString(255, u'n'));
    EXPECT_EQ(cmdExecute_Click(engine, grid).renamed, 1u);
    EXPECT_TRUE(exists(QString(255, u'n')));
}

TEST_F(RenameRun, Chains)
{
    struct Case {
        const char *name;
        std::vector<std::pair<const char *, const char *>> rows;  // original -> preview
        QStringList results;
        QStringList onDisk;  // name=content
    } cases[] = {
        {"a->b with b there", {{"a", "b"}}, {"File already exists"}, {"a=a", "b=b"}},
        {"swap", {{"a", "b"}, {"b", "a"}}, {"File already exists", "File already exists"},
         {"a=a", "b=b"}},
        {"b moves away first", {{"b", "c"}, {"a", "b"}}, {"Rename Successful", "Rename Successful"},
         {"b=a", "c=b"}},
        {"two rows, one new name", {{"a", "n"}, {"b", "n"}},
         {"Rename Successful", "File already exists"}, {"b=b", "n=a"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QDir(dir()).removeRecursively();
        QDir().mkpath(dir());
        grid.clear();
        file("a", "a");
        file("b", "b");
        for (const auto &[from, to] : c.rows)
            addRow(from, to);
        cmdExecute_Click(engine, grid);
        QStringList results;
        for (const QString &line : logLines())
            results.append(line.section(QStringLiteral(" : "), 3));
        EXPECT_EQ(results, c.results);
        QStringList onDisk;
        for (const QString &name : QDir(dir()).entryList(QDir::Files, QDir::Name))
            onDisk.append(name + u'=' + QString::fromUtf8(testfiles::readFile(dir() + name)));
        EXPECT_EQ(onDisk, c.onDisk);
    }
}

TEST_F(RenameRun, ThousandFiles)
{
    app.ShowRenameConfirmation = 1;
    for (int i = 0; i < 1000; ++i) {
        const QString name = QStringLiteral("f%1.txt").arg(i);
        file(name, QByteArray::number(i));
        addRow(name, QStringLiteral("renamed %1.txt").arg(i, 4, 10, QLatin1Char('0')));
    }
    const RenameRunResult result = cmdExecute_Click(engine, grid);
    EXPECT_EQ(result.renamed, 1000u);
    const QStringList lines = logLines();
    ASSERT_EQ(lines.size(), 1000);
    for (int i = 0; i < 1000; ++i) {
        const QString newName = QStringLiteral("renamed %1.txt").arg(i, 4, 10, QLatin1Char('0'));
        ASSERT_EQ(lines[i], RenameLog::line(dir(), QStringLiteral("f%1.txt").arg(i), newName,
                                            "Rename Successful"));
        ASSERT_EQ(testfiles::readFile(dir() + newName), QByteArray::number(i));
    }
    EXPECT_EQ(QDir(dir()).entryList(QDir::Files).size(), 1000);
    EXPECT_EQ(prompts(), QStringList{"Files Renamed"});
    EXPECT_EQ(host.messages[0].title, QStringLiteral("Morvane"));
    EXPECT_EQ(host.progressMax(), 1000.0f);
}

TEST_F(RenameRun, RowsInsideARenamedFolderFollowIt)
{
    struct Case {
        const char *name;
        std::vector<ItemRow> rows;
    } cases[] = {
        {"folder first", {{"dir", "dir2", true, ""}, {"f.txt", "g.txt", false, "dir/"}}},
        {"file first", {{"f.txt", "g.txt", false, "dir/"}, {"dir", "dir2", true, ""}}},
        {"nested, outer first",
         {{"dir", "dir2", true, ""}, {"sub", "sub2", true, "dir/"}, {"f.txt", "g.txt", false, "dir/sub/"}}},
        {"nested, inner first",
         {{"f.txt", "g.txt", false, "dir/sub/"}, {"sub", "sub2", true, "dir/"}, {"dir", "dir2", true, ""}}},
        {"nested, mixed",
         {{"sub", "sub2", true, "dir/"}, {"dir", "dir2", true, ""}, {"f.txt", "g.txt", false, "dir/sub/"}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QDir(dir()).removeRecursively();
        grid.clear();
        file("dir/f.txt", "F");
        file("dir/sub/f.txt", "S");
        addRows(c.rows);
        const RenameRunResult result = cmdExecute_Click(engine, grid);
        EXPECT_EQ(result.failed, 0u);
        EXPECT_EQ(result.renamed, c.rows.size());
        EXPECT_TRUE(exists("dir2"));
        EXPECT_FALSE(exists("dir"));
        // Every row's Path + Original names its item where it is now.
        for (const PreviewRow &row : grid.rows())
            EXPECT_TRUE(QFileInfo::exists(row.Path + row.Original)) << (row.Path + row.Original).toStdString();
    }
}

TEST_F(RenameRun, ReadOnlyFolderGivesPermissionDenied)
{
    file("ro/a.txt", "A");
    file("rw/b.txt", "B");
    addRow("a.txt", "a2.txt", TextFile, "ro/");
    addRow("b.txt", "b2.txt", TextFile, "rw/");
    ASSERT_EQ(::chmod(QFile::encodeName(dir() + "ro").constData(), 0555), 0);
    RenameRunResult result;
    {
        WithoutPermissionOverride restricted;
        if (!restricted.ok()) {
            ::chmod(QFile::encodeName(dir() + "ro").constData(), 0755);
            GTEST_SKIP() << "cannot give up the permission override of root";
        }
        result = cmdExecute_Click(engine, grid);
    }
    ::chmod(QFile::encodeName(dir() + "ro").constData(), 0755);
    EXPECT_EQ(result.failed, 1u);
    EXPECT_EQ(result.renamed, 1u);
    EXPECT_EQ(logLines(), (QStringList{RenameLog::line(dir() + "ro/", "a.txt", "a2.txt", "Permission denied"),
                                       RenameLog::line(dir() + "rw/", "b.txt", "b2.txt", "Rename Successful")}));
    EXPECT_TRUE(exists("ro/a.txt"));
    EXPECT_TRUE(exists("rw/b2.txt"));
}

TEST_F(RenameRun, DatedCopyOfTheLog)
{
    struct Case {
        QDateTime at;
        const char *name;
    } cases[] = {
        {QDateTime(QDate(2026, 12, 9), QTime(20, 49, 36)), "Rename_Log12_09_202608_49_36_PM.txt"},
        {QDateTime(QDate(2027, 1, 2), QTime(0, 5, 7)), "Rename_Log01_02_202712_05_07_AM.txt"},
        {QDateTime(QDate(2027, 1, 2), QTime(12, 0, 0)), "Rename_Log01_02_202712_00_00_PM.txt"},
    };
    app.SaveLogFile = 1;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        clock.set(c.at);
        grid.clear();
        file("a.txt");
        addRow("a.txt", "b.txt");
        cmdExecute_Click(engine, grid);
        QFile::remove(dir() + "b.txt");
        EXPECT_EQ(RenameLog::datedFileName(c.at), homeFile(QString::fromLatin1(c.name)));
        EXPECT_EQ(testfiles::readFile(homeFile(QString::fromLatin1(c.name))), logBytes());
        EXPECT_FALSE(logBytes().isEmpty());
    }
    // A second run in the same second leaves the first one's copy as it was and keeps its own
    // beside it, numbered.
    const QByteArray first = logBytes();
    grid.clear();
    addRow("missing.txt", "x.txt");
    cmdExecute_Click(engine, grid);
    EXPECT_EQ(testfiles::readFile(homeFile("Rename_Log01_02_202712_00_00_PM.txt")), first);
    EXPECT_EQ(RenameLog::datedFileName(cases[2].at, 2), homeFile("Rename_Log01_02_202712_00_00_PM_2.txt"));
    EXPECT_EQ(testfiles::readFile(homeFile("Rename_Log01_02_202712_00_00_PM_2.txt")), logBytes());
    EXPECT_NE(logBytes(), first);
    EXPECT_EQ(QDir(home.path()).entryList({"Rename_Log*"}).size(), 4);
}

TEST_F(RenameRun, NoDatedCopyWithoutThePreference)
{
    file("a.txt");
    addRow("a.txt", "b.txt");
    cmdExecute_Click(engine, grid);
    EXPECT_EQ(QDir(home.path()).entryList({"Rename_Log*"}).size(), 0);
}

TEST_F(RenameRun, EmptyGridAndStopRequest)
{
    app.ShowRenameConfirmation = app.AutoRefreshMainList = app.ShowLogAfterRename = 1;
    testfiles::writeFile(homeFile("templog.log"), "old run\r\n");

    RenameRunResult result = cmdExecute_Click(engine, grid);
    EXPECT_TRUE(result.started);
    EXPECT_TRUE(QFileInfo::exists(homeFile("templog.log")));
    EXPECT_TRUE(logBytes().isEmpty());
    EXPECT_EQ(prompts(), QStringList{"Files Renamed"});
    EXPECT_EQ(host.refreshed, QStringList{QString()});
    EXPECT_EQ(host.logsShown, 1);

    host.messages.clear();
    file("a.txt");
    addRow("a.txt", "b.txt");
    app.StopFlag = true;
    result = cmdExecute_Click(engine, grid);
    EXPECT_TRUE(result.stopped);
    EXPECT_FALSE(app.StopFlag);
    EXPECT_TRUE(exists("a.txt"));
    EXPECT_EQ(grid.row(1).Original, QStringLiteral("a.txt"));
    EXPECT_EQ(grid.row(1).Preview, QStringLiteral("b.txt"));
    EXPECT_TRUE(logBytes().isEmpty());
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(host.refreshed.size(), 2);
    EXPECT_EQ(host.logsShown, 2);
    EXPECT_EQ(host.captions.constLast(), QStringLiteral("Ready"));
}

TEST_F(RenameRun, SecondRunWithoutPreviewRenamesNothing)
{
    app.ShowRenameConfirmation = 1;
    file("a.txt");
    addRow("a.txt", "b.txt");
    cmdExecute_Click(engine, grid);
    EXPECT_TRUE(engine.Previewed);
    const RenameRunResult again = cmdExecute_Click(engine, grid);
    EXPECT_EQ(again.renamed + again.failed, 0u);
    EXPECT_TRUE(logBytes().isEmpty());
    EXPECT_TRUE(exists("b.txt"));
    EXPECT_EQ(grid.row(1).Original, QStringLiteral("b.txt"));
}

TEST_F(RenameRun, LogThatCannotBeWrittenStopsTheRun)
{
    file("a.txt");
    addRow("a.txt", "b.txt");
    testfiles::writeFile(homeFile("blocker"), "not a folder");
    qputenv("VEXLO_HOME", QFile::encodeName(homeFile("blocker/home")));
    const RenameRunResult result = cmdExecute_Click(engine, grid);
    EXPECT_FALSE(result.started);
    EXPECT_TRUE(exists("a.txt"));
    EXPECT_EQ(grid.row(1).Preview, QStringLiteral("b.txt"));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_TRUE(host.messages[0].prompt.contains(QStringLiteral("templog.log")));
    EXPECT_TRUE(host.messages[0].prompt.contains(QStringLiteral("Path not found")));
    EXPECT_TRUE(host.messages[0].prompt.contains(QStringLiteral("Nothing was renamed")));
}

// The disk fills up while the log is written (a file-size limit): the run stops at the row whose
// line cannot be written whole. Cut in its names, that row and the rest are not renamed; cut in
// its result, that row is renamed (it was before the result was due) and the rest are not. The
// files on disk, the grid and the message say so; "Files Renamed" is not shown; "templog.log" is
// replaced only by a whole log.
TEST_F(RenameRun, FullDiskStopsTheRunAtTheRowItCannotRecord)
{
    const QByteArray names1 = RenameLog::line(dir(), "file0.txt", "renamed_file0.txt", "").toUtf8();
    const QByteArray line1 = RenameLog::line(dir(), "file0.txt", "renamed_file0.txt", "Rename Successful").toUtf8() + "\r\n";
    const QByteArray oldLog = "the log of the run before\r\n";
    struct Case {
        const char *what;
        rlim_t limit;
        size_t renamed;
        QString stop;        // how the message tells where the run stopped
        QByteArray dated;    // the run's own file afterwards
        QByteArray templog;  // "templog.log" afterwards
        QString record;      // how the message tells where the record is
    } cases[] = {
        {"names of row 2 cut", rlim_t(line1.size() + 5), 1,
         "The run stopped before row 2, \"" + dir() + "file1.txt\": 1 of 50 items were renamed; the other 49 were not renamed.",
         line1, line1, " The record of this run is in \"%1\"."},
        {"result of row 1 cut", rlim_t(names1.size() + 3), 1,
         "The run stopped after row 1, \"" + dir() + "file0.txt\", which was renamed to \"renamed_file0.txt\": 1 of 50 "
         "items were renamed; the other 49 were not renamed.",
         names1, oldLog, " The record of this run, as far as it reached the disk, is in \"%1\"."},
        {"names of row 1 cut", rlim_t(10), 0,
         "The run stopped before row 1, \"" + dir() + "file0.txt\": 0 of 50 items were renamed; the other 50 were not renamed.",
         "", "", " The record of this run is in \"%1\"."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        grid = PreviewTable();
        host.messages.clear();
        QDir(data.path()).removeRecursively();
        QDir(home.path()).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(data.path()) && QDir().mkpath(home.path()));
        app.ShowRenameConfirmation = 1;
        testfiles::writeFile(homeFile("templog.log"), oldLog);
        for (int i = 0; i < 50; ++i) {
            const QString name = QStringLiteral("file%1.txt").arg(i);
            file(name);
            addRow(name, QStringLiteral("renamed_") + name);
        }
        RenameRunResult result;
        {
            testfiles::FileSizeLimit full(c.limit);
            result = cmdExecute_Click(engine, grid);
        }
        EXPECT_TRUE(result.logStopped);
        EXPECT_EQ(result.renamed, c.renamed);
        for (int i = 0; i < 50; ++i) {
            SCOPED_TRACE(i);
            const QString name = QStringLiteral("file%1.txt").arg(i);
            const bool renamed = size_t(i) < c.renamed;
            ASSERT_EQ(exists(name), !renamed);
            ASSERT_EQ(exists("renamed_" + name), renamed);
            ASSERT_EQ(grid.row(size_t(i) + 1).Original, renamed ? "renamed_" + name : name);
        }
        const QString dated = RenameLog::datedFileName(clock.now());
        EXPECT_EQ(testfiles::readFile(dated), c.dated);
        EXPECT_EQ(logBytes(), c.templog);
        ASSERT_EQ(host.messages.size(), 1u) << prompts().join(u'|').toStdString();
        EXPECT_EQ(prompts()[0], "The rename log \"" + dated + "\" could not be written: Disk full (file size limit). "
                                    + c.stop + c.record.arg(dated));
        EXPECT_EQ(host.messages[0].buttons, msg::OKOnly | msg::Critical);
        EXPECT_EQ(host.logShown, dated);
    }
}

// The message about failed rows and the log viewer name the run's own file, kept with or without
// "Save Log File", while "templog.log" gets the same lines as after every run; when the dated name
// of the second is taken, the run's file is the numbered one it created.
TEST_F(RenameRun, FailureMessageNamesTheRunsOwnFile)
{
    struct Case {
        const char *what;
        int saveLogFile;
        bool nameTaken;
    } cases[] = {
        {"no dated copy", 0, false},
        {"dated copy kept", 1, false},
        {"dated name taken", 0, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        grid = PreviewTable();
        host.messages.clear();
        QDir(data.path()).removeRecursively();
        QDir(home.path()).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(data.path()) && QDir().mkpath(home.path()));
        app.SaveLogFile = c.saveLogFile;
        app.ShowLogAfterRename = 0;
        const QByteArray other = "another run's log\r\n";
        if (c.nameTaken)
            testfiles::writeFile(RenameLog::datedFileName(clock.now()), other);
        file("a.txt");
        file("taken.txt");
        addRow("a.txt", "taken.txt");
        addRow("gone.txt", "b.txt");
        file("c.txt");
        addRow("c.txt", "d.txt");
        const RenameRunResult result = cmdExecute_Click(engine, grid);
        EXPECT_EQ(result.failed, 2u);
        const QString named = RenameLog::datedFileName(clock.now(), c.nameTaken ? 2 : 1);
        ASSERT_EQ(prompts().size(), 1);
        EXPECT_EQ(prompts().constLast(),
                  "2 of 3 items could not be renamed. The rename log \"" + named + "\" shows why.");
        EXPECT_EQ(host.logShown, named);
        // The file named holds this run's lines, the rows that failed with their reasons.
        const QByteArray lines = testfiles::readFile(named);
        EXPECT_EQ(lines, logBytes());
        EXPECT_TRUE(lines.startsWith(QFile::encodeName(dir()) + " : a.txt : taken.txt : File already exists\r\n"))
            << lines.toStdString();
        if (c.nameTaken) {
            EXPECT_EQ(testfiles::readFile(RenameLog::datedFileName(clock.now())), other);
        }
    }
}

// A name that is not UTF-8 (its byte kept as U+DCFF) is renamed byte for byte, and the file
// named with U+FFFD beside it is left alone.
TEST_F(RenameRun, NamesThatAreNotUtf8AreRenamedByteForByte)
{
    const QByteArray folder = QFile::encodeName(dir());
    for (const char *name : {"n\xFF.txt", "n\xEF\xBF\xBD.txt"}) {
        testfiles::writeRawFile(folder + name, name);
    }
    addRow(QStringLiteral("n") + QChar(char16_t(0xDCFF)) + QStringLiteral(".txt"), QStringLiteral("renamed.txt"));
    const RenameRunResult result = cmdExecute_Click(engine, grid);
    EXPECT_EQ(result.renamed, 1u);
    EXPECT_EQ(testfiles::readFile(dir() + "renamed.txt"), QByteArray("n\xFF.txt"));
    EXPECT_EQ(testfiles::readFile(dir() + QStringLiteral("n\uFFFD.txt")), QByteArray("n\xEF\xBF\xBD.txt"));
    struct stat st;
    EXPECT_NE(::lstat((folder + "n\xFF.txt").constData(), &st), 0);
}

TEST_F(RenameRun, TypeTextDecidesFileOrFolder)
{
    folder("d1");
    folder("d2");
    addRow("d1", "e1", QStringLiteral("file folder"));
    addRow("d2", "e2", FileFolder);
    cmdExecute_Click(engine, grid);
    EXPECT_EQ(logLines(), (QStringList{RenameLog::line(dir(), "d1", "e1", "File not found"),
                                       RenameLog::line(dir(), "d2", "e2", "Rename Successful")}));
}

TEST_F(RenameRun, NormalisesAttributesFirst)
{
    app.AutoNormalizeAttributes = 1;
    file("a.txt");
    file("keep.txt");
    const QByteArray a = QFile::encodeName(dir() + "a.txt");
    const QByteArray keep = QFile::encodeName(dir() + "keep.txt");
    ASSERT_EQ(::chmod(a.constData(), 0444), 0);
    ASSERT_EQ(::chmod(keep.constData(), 0444), 0);
    addRow("a.txt", "b.txt");
    cmdExecute_Click(engine, grid);
    struct stat st{};
    ASSERT_EQ(::stat(QFile::encodeName(dir() + "b.txt").constData(), &st), 0);
    EXPECT_TRUE(st.st_mode & S_IWUSR);
    ASSERT_EQ(::stat(keep.constData(), &st), 0);
    EXPECT_FALSE(st.st_mode & S_IWUSR);
    EXPECT_TRUE(host.captions.contains(QStringLiteral("Changing Attributes...")));
}

// A link's row leaves its target as it was: the link is the item, not what it points to.
TEST_F(RenameRun, NormalisingAttributesNeverFollowsALink)
{
    app.AutoNormalizeAttributes = 1;
    file("target.txt");
    const QByteArray target = QFile::encodeName(dir() + "target.txt");
    ASSERT_EQ(::chmod(target.constData(), 0444), 0);
    ASSERT_EQ(::symlink("target.txt", QFile::encodeName(dir() + "link.txt").constData()), 0);
    addRow("link.txt", "renamed.txt");
    cmdExecute_Click(engine, grid);
    struct stat st{};
    ASSERT_EQ(::lstat(QFile::encodeName(dir() + "renamed.txt").constData(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    ASSERT_EQ(::stat(target.constData(), &st), 0);
    EXPECT_FALSE(st.st_mode & S_IWUSR) << "the target stays read-only";
}

TEST_F(RenameRun, RefreshGetsTheFilesThatExist)
{
    app.AutoRefreshMainList = 1;
    file("a.txt");
    file("c.txt");
    folder("d");
    addRow("a.txt", "b.txt");
    addRow("missing.txt", "m.txt");  // fails: comes back under its old name only if it exists
    addRow("c.txt", "");              // not renamed: comes back as it is
    addRow("d", "e", FileFolder);     // folders are not files
    cmdExecute_Click(engine, grid);
    EXPECT_EQ(host.refreshed, QStringList{dir() + "b.txt|" + dir() + "c.txt"});
    EXPECT_TRUE(host.captions.contains(QStringLiteral("Refreshing Main File View...")));
    EXPECT_EQ(host.captions.constLast(), QStringLiteral("Ready"));
}

// "." and ".." are a folder's own entries, never items; an item that is not there fails even
// when its name would stay; no name is cut down to its bare extension. Each is that row's error
// in the log, the row keeps its names, and the other rows go on.
TEST_F(RenameRun, RowsThatAreNoItemsFailForThemselves)
{
    struct Case {
        const char *name;
        QString original;
        QString preview;
        QString type;
        QString result;
    } cases[] = {
        {"dot", ".", "x", FileFolder, "'.' and '..' cannot be renamed"},
        {"dot dot", "..", "x", FileFolder, "'.' and '..' cannot be renamed"},
        {"dot with its name unchanged", ".", ".", FileFolder, "'.' and '..' cannot be renamed"},
        {"dot with no new name", "..", "", FileFolder, "'.' and '..' cannot be renamed"},
        {"missing, name unchanged", "gone.txt", "gone.txt", TextFile, "File not found"},
        {"missing, new name", "gone.txt", "new.txt", TextFile, "File not found"},
        {"bare extension", "abc.txt", ".txt", TextFile, "empty name"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        grid.clear();
        host.messages.clear();
        QDir(dir()).removeRecursively();
        folder("");
        file("abc.txt", "A");
        file("b.txt", "B");
        addRow(c.original, c.preview, c.type);
        addRow("b.txt", "c.txt");
        const RenameRunResult result = cmdExecute_Click(engine, grid);
        EXPECT_EQ(result.failed, 1u);
        EXPECT_EQ(result.renamed, 1u);
        EXPECT_EQ(logLines(), (QStringList{RenameLog::line(dir(), c.original, c.preview, c.result),
                                           RenameLog::line(dir(), "b.txt", "c.txt", RenameLog::successText())}));
        EXPECT_EQ(grid.row(1).Original, c.original);
        EXPECT_EQ(grid.row(1).Preview, c.preview);
        EXPECT_EQ(grid.CellBackColor(1, ColPreview), cellcolor::Duplicate);
        EXPECT_EQ(testfiles::readFile(dir() + "abc.txt"), QByteArray("A"));
        EXPECT_EQ(testfiles::readFile(dir() + "c.txt"), QByteArray("B"));
        EXPECT_EQ(QDir(dir()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                  (QStringList{"abc.txt", "c.txt"}));
        EXPECT_TRUE(QDir(data.path()).exists());
    }

    // A name that had no base name before may keep it so: a hidden file's new extension.
    grid.clear();
    file(".hidden", "H");
    addRow(".hidden", ".hidden2");
    EXPECT_EQ(cmdExecute_Click(engine, grid).renamed, 1u);
    EXPECT_EQ(testfiles::readFile(dir() + ".hidden2"), QByteArray("H"));
}

// An item given again by a later row (the same path, "dir/./" for "dir/", or under its folder's
// new name) is renamed once; the later row is logged as a duplicate of the row that renamed it.
// An item that no row renamed stays "File not found".
TEST_F(RenameRun, ADuplicateItemIsRenamedOnceAndLoggedAsSuch)
{
    const char *duplicate = "Duplicate: the same item as row 1, which renamed it already";
    struct Case {
        const char *name;
        std::vector<ItemRow> rows;
        QStringList left;  // what "dir" holds afterwards
    } cases[] = {
        {"the same path", {{"f.txt", "g.txt", false, "dir/", nullptr}, {"f.txt", "h.txt", false, "dir/", duplicate}},
         {"g.txt"}},
        {"through dir/./", {{"f.txt", "g.txt", false, "dir/", nullptr}, {"f.txt", "f.txt", false, "dir/./", duplicate}},
         {"g.txt"}},
        {"its folder renamed between",
         {{"f.txt", "g.txt", false, "dir/", nullptr}, {"dir", "dir2", true, "", nullptr},
          {"f.txt", "h.txt", false, "dir/./", duplicate}, {"gone.txt", "x.txt", false, "dir/", "File not found"}},
         {"g.txt"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QDir(dir()).removeRecursively();
        grid.clear();
        file("dir/f.txt", "F");
        addRows(c.rows);
        const RenameRunResult result = cmdExecute_Click(engine, grid);
        for (size_t i = 0; i < c.rows.size(); ++i) {
            const ItemRow &r = c.rows[i];
            EXPECT_EQ(grid.CellBackColor(i + 1, ColPreview) == cellcolor::Duplicate, r.result != nullptr) << i + 1;
        }
        const QStringList lines = logLines();
        ASSERT_EQ(lines.size(), qsizetype(c.rows.size()));
        for (size_t i = 0; i < c.rows.size(); ++i) {
            const ItemRow &r = c.rows[i];
            const QString tail = r.result ? QString::fromUtf8(r.result) : RenameLog::successText();
            EXPECT_TRUE(lines[qsizetype(i)].endsWith(tail)) << lines[qsizetype(i)].toStdString();
        }
        const QString folderNow = exists("dir2") ? QStringLiteral("dir2") : QStringLiteral("dir");
        EXPECT_EQ(QDir(dir() + folderNow).entryList(QDir::Files), c.left);
        EXPECT_EQ(testfiles::readFile(dir() + folderNow + "/g.txt"), QByteArray("F"));
        EXPECT_GE(result.failed, 1u);
    }
}

// Characters outside the basic plane through the whole way: preview, rename on disk, log. The
// names on disk are the characters' own four UTF-8 bytes, never "?".
TEST_F(RenameRun, WholeCharactersFromPreviewToDiskAndLog)
{
    const QString smile = QString::fromUcs4(U"\U0001F600");
    const QByteArray smileBytes("\xF0\x9F\x98\x80");
    file(smile + "b.txt", "1");
    file("a" + smile + smile + "c.txt", "2");
    addRow(smile + "b.txt", QString());
    addRow("a" + smile + smile + "c.txt", QString());
    RenameSettings settings;
    settings.checkOnly({QStringLiteral("Insert"), QStringLiteral("Length")});
    settings.InsertMode = 0;
    settings.InsertPosition = QStringLiteral("2");
    settings.InsertSource = QStringLiteral("X");
    settings.LengthTarget = QStringLiteral("3");
    settings.LengthTakeMode = LengthTakeOption::Beginning;
    settings.LengthPadMode = LengthPadOption::End;
    settings.LengthPadEndChar = smile;
    GeneratePreview(engine, settings, grid);
    ASSERT_TRUE(engine.Previewed);
    EXPECT_EQ(previews(), (QStringList{smile + "Xb.txt", "aX" + smile + ".txt"}));

    const RenameRunResult result = cmdExecute_Click(engine, grid);
    EXPECT_EQ(result.renamed, 2u);
    EXPECT_EQ(result.failed, 0u);
    QStringList onDisk = QDir(dir()).entryList(QDir::Files);
    onDisk.sort();
    EXPECT_EQ(onDisk, (QStringList{"aX" + smile + ".txt", smile + "Xb.txt"}));
    EXPECT_EQ(testfiles::readFile(dir() + smile + "Xb.txt"), QByteArray("1"));
    const QByteArray p = QFile::encodeName(dir());
    EXPECT_EQ(logBytes(), p + " : " + smileBytes + "b.txt : " + smileBytes + "Xb.txt : Rename Successful\r\n" + p
                              + " : a" + smileBytes + smileBytes + "c.txt : aX" + smileBytes
                              + ".txt : Rename Successful\r\n");
    EXPECT_FALSE(logBytes().contains('?'));
}

// The colour "&Rename Now!" gives a failed row belongs to the names that failed: the next
// preview takes it away (validation off, so nothing else repaints the cell).
TEST_F(RenameRun, TheFailureColourLastsUntilTheNextPreview)
{
    app.AutoValidateNames = 0;
    file("a.txt", "A");
    file("taken.txt", "T");
    file("b.txt", "B");
    addRow("a.txt", "taken.txt");
    addRow("b.txt", "x_b.txt");
    const RenameRunResult result = cmdExecute_Click(engine, grid);
    ASSERT_EQ(result.failed, 1u);
    EXPECT_EQ(grid.CellBackColor(1, ColPreview), cellcolor::Duplicate);
    EXPECT_EQ(grid.CellBackColor(2, ColPreview), cellcolor::White);

    RenameSettings settings;
    settings.checkOnly({QStringLiteral("Prefix")});
    settings.PrefixSource = QStringLiteral("y_");
    cmdPreview_Click(engine, settings, grid);
    ASSERT_TRUE(engine.Previewed);
    EXPECT_EQ(grid.row(1).Preview, QStringLiteral("y_a.txt"));
    EXPECT_EQ(grid.CellBackColor(1, ColPreview), cellcolor::White);
    EXPECT_EQ(grid.CellBackColor(2, ColPreview), cellcolor::White);
}

TEST_F(RenameRun, ANameThatOnlyChangesLetterCaseIsRenamed)
{
    file("a.txt", "A");
    file("Readme.TXT", "R");
    folder("photos");
    file("photos/inside.jpg", "I");
    // Two names that differ in case only are two files here: neither replaces the other.
    file("b.txt", "b");
    file("B.txt", "B");
    addRow("a.txt", "A.txt");
    addRow("Readme.TXT", "README.txt");
    addRow("photos", "Photos", FileFolder);
    addRow("b.txt", "B.txt");
    const RenameRunResult result = cmdExecute_Click(engine, grid);

    EXPECT_EQ(result.renamed, 3u);
    EXPECT_EQ(result.failed, 1u);
    EXPECT_EQ(logLines(), (QStringList{RenameLog::line(dir(), "a.txt", "A.txt", "Rename Successful"),
                                       RenameLog::line(dir(), "Readme.TXT", "README.txt", "Rename Successful"),
                                       RenameLog::line(dir(), "photos", "Photos", "Rename Successful"),
                                       RenameLog::line(dir(), "b.txt", "B.txt", "File already exists")}));
    EXPECT_EQ(QDir(dir()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name),
              (QStringList{"A.txt", "B.txt", "Photos", "README.txt", "b.txt"}));
    EXPECT_EQ(testfiles::readFile(dir() + "A.txt"), QByteArray("A"));
    EXPECT_EQ(testfiles::readFile(dir() + "README.txt"), QByteArray("R"));
    EXPECT_EQ(testfiles::readFile(dir() + "Photos/inside.jpg"), QByteArray("I"));
    EXPECT_EQ(testfiles::readFile(dir() + "b.txt"), QByteArray("b"));
    EXPECT_EQ(testfiles::readFile(dir() + "B.txt"), QByteArray("B"));
    EXPECT_EQ(originals(), (QStringList{"A.txt", "README.txt", "Photos", "b.txt"}));
}
