// The program under the usual desktop limit of 1,024 open files, with thousands of folders of one
// file each: every operation completes, and none holds more than a handful of descriptors at any
// time, however many folders or rows it goes through.
//
// The window operations run in this test program started again as a child with the lowered
// limit (a process that runs out of descriptors may be ended by the toolkit), naming one of the
// UnderTheUsualLimit tests, which skip unless they are run that way. The run without windows is
// the built program itself, watched from outside.
#include "AppState.h"
#include "Clock.h"
#include "ComboInput.h"
#include "DragListBox.h"
#include "Dialogs.h"
#include "FolderTree.h"
#include "Grid.h"
#include "ListViewEditable.h"
#include "MessageService.h"
#include "OpenDescriptors.h"
#include "RandomSource.h"
#include "RenamerWiring.h"
#include "Shell.h"
#include "StartupFixture.h"
#include "TestInChild.h"
#include "frmMain.h"
#include "frmRenDrop.h"
#include "frmRenamer.h"
#include "modMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <sys/resource.h>

namespace {

using namespace startuptest;

/** Set in the child's environment: the UnderTheUsualLimit tests run only there. */
constexpr char kChildVariable[] = "MORVANE_DESCRIPTOR_CHILD";
/** The usual soft limit of open files on a desktop. */
constexpr rlim_t kUsualLimit = 1024;
/** Folders of one file each: several times what the limit allows open at once. */
constexpr int kFolders = 5000;
/** Descriptors an operation may open beside those open before it: its worker threads' folders,
 *  the file it writes, a listing, the folder it renames in. */
constexpr int kHandful = 8;
/** A bound for a busy machine, not a timing. */
constexpr int kLimitMs = 120000;

QString folderName(int i)
{
    return QStringLiteral("d%1").arg(i, 4, 10, QLatin1Char('0'));
}
QString fileName(int i)
{
    return QStringLiteral("f%1.txt").arg(i, 4, 10, QLatin1Char('0'));
}

/** `count` folders "dNNNN" under `root`, each holding its one file "fNNNN.txt". */
void makeFolders(const QString &root, int count)
{
    for (int i = 0; i < count; ++i)
        testfiles::writeFile(root + u'/' + folderName(i) + u'/' + fileName(i), "x");
}

/** The arguments of a run over those folders, each folder given before the file inside it. */
QStringList nestedArguments(const QString &root, int count)
{
    QStringList arguments;
    for (int i = 0; i < count; ++i) {
        const QString folder = root.isEmpty() ? folderName(i) : root + u'/' + folderName(i);
        arguments << folder << folder + u'/' + fileName(i);
    }
    return arguments;
}

/** How many of the folders "<prefix>dNNNN" under `root` hold their file as "<prefix>fNNNN.txt". */
int renamedPairs(const QString &root, int count, const QString &prefix)
{
    int found = 0;
    for (int i = 0; i < count; ++i)
        found += QFileInfo::exists(root + u'/' + prefix + folderName(i) + u'/' + prefix + fileName(i)) ? 1 : 0;
    return found;
}

/** Sets the usual limit of open files in the started process, before it runs anything. */
void lowerLimit(QProcess &process)
{
    process.setChildProcessModifier([] {
        rlimit limit{};
        ::getrlimit(RLIMIT_NOFILE, &limit);
        limit.rlim_cur = std::min(limit.rlim_max, kUsualLimit);
        ::setrlimit(RLIMIT_NOFILE, &limit);
    });
}

/** The operations of the windows, in the child under the lowered limit. */
class UnderTheUsualLimit : public StartupTest {
protected:
    RecordingMessageService messages;
    RecordingDialogs dialogs;
    RecordingShell shell;
    FixedClock clock{QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7))};
    FixedRandom random{{0.5f}};
    AppState state;

    void SetUp() override
    {
        rlimit limit{};
        ::getrlimit(RLIMIT_NOFILE, &limit);
        if (qgetenv(kChildVariable).isEmpty() || limit.rlim_cur > kUsualLimit)
            GTEST_SKIP() << "runs as the child of a FewDescriptors test, under the lowered limit";
        StartupTest::SetUp();
        qputenv("VEXLO_HOME", home().toUtf8());
        state.services = {&messages, &dialogs, &shell, &clock, &random};
    }
    void TearDown() override { qunsetenv("VEXLO_HOME"); }

    /** Does `action`, which must bring about `done`, and checks that it held no more than a
     *  handful of descriptors beside those open before. */
    void step(const char *what, const std::function<void()> &action, const std::function<bool()> &done)
    {
        SCOPED_TRACE(what);
        const int before = testfiles::openDescriptors();
        testfiles::DescriptorWatch watch;
        action();
        EXPECT_TRUE(waitUntil(done, kLimitMs)) << what << " completes";
        watch.stop();
        EXPECT_LE(watch.peak() - before, kHandful) << what << ": " << watch.peak() << " open, " << before << " before";
    }
};

TEST_F(UnderTheUsualLimit, TheWindowsWorkThroughThousandsOfFolders)
{
    const QString root = tmp.filePath("tree");
    makeFolders(root, kFolders);
    state.AutoValidateNames = 0;
    state.ShowLogAfterRename = 0;
    mainwin::frmMain main(state);
    renamewin::frmRenamer renamer(state);
    const std::unique_ptr<renamewin::MainFileList> mainList = renamewin::connectRenamer(main, renamer);
    main.Load();
    main.show();
    filelist::ListViewEditable &list = *main.lvw2;
    const auto rowsAre = [&](int32_t rows) {
        return [&list, &main, rows] { return list.ListItems().Count() == rows && main.ListingSettled(); };
    };

    // A small folder listed first: what the toolkit opens once for good (the file types, the
    // icons) is open before the steps are counted.
    const QString small = tmp.filePath("small");
    makeFolders(small, 3);
    main.ftv->ClickFolder(small);
    ASSERT_TRUE(waitUntil(rowsAre(3), kLimitMs));

    step("the folder listed", [&] { main.ftv->ClickFolder(root); }, rowsAre(kFolders));
    step("the listing with subfolders", [&] { main.Check2->setChecked(true); }, rowsAre(2 * kFolders));
    step("a letter typed into the name filter", [&] { QTest::keyClicks(main.txtFilter, QStringLiteral("f")); },
         rowsAre(kFolders));
    step("the name filter emptied", [&] { main.txtFilter->clear(); }, rowsAre(2 * kFolders));
    step("the type filter", [&] { comboinput::chooseItem(main.cmbFileType, QStringLiteral("Text Document")); },
         rowsAre(kFolders));
    ASSERT_FALSE(HasFatalFailure());
    step("Check All", [&] { main.Check1->setChecked(true); }, [&] { return state.SelFileCount == kFolders; });

    step("the rename window and its preview", [&] {
        main.cmdRename->click();
        const int suffix = 6;
        renamer.List3->setCurrentRow(suffix);
        renamer.List3->item(suffix)->setCheckState(Qt::Checked);
        renamer.cmbSuffix->setEditText(QStringLiteral("_r"));
        renamer.cmdPreview->click();
    }, [&] { return renamer.GridPre->Rows() == size_t(kFolders) && renamer.Previewed(); });
    step("Validate", [&] { renamer.cmdValidate->click(); }, [] { return true; });
    const auto renamedFiles = [&] {
        int found = 0;
        for (int i = 0; i < kFolders; ++i)
            found += QFileInfo::exists(root + u'/' + folderName(i) + u'/'
                                       + fileName(i).replace(QStringLiteral(".txt"), QStringLiteral("_r.txt")))
                         ? 1
                         : 0;
        return found;
    };
    step("Rename Now! with its log", [&] { renamer.cmdExecute->click(); }, [&] { return renamedFiles() == kFolders; });
    EXPECT_TRUE(messages.shown.empty()) << messages.prompts().join(u'|').toStdString();
    EXPECT_GT(QFileInfo(home() + QStringLiteral("/templog.log")).size(), 0);

    // The renamed files listed again and checked, then copied and moved elsewhere.
    step("the tree listed again", [&] { main.ftv->ClickFolder(root); }, rowsAre(2 * kFolders));
    comboinput::chooseItem(main.cmbFileType, QStringLiteral("Text Document"));
    ASSERT_TRUE(waitUntil(rowsAre(kFolders), kLimitMs));
    main.Check1->setChecked(false);
    main.Check1->setChecked(true);
    ASSERT_EQ(state.SelFileCount, kFolders);
    const QString copies = tmp.filePath("copies");
    const QString moved = tmp.filePath("moved");
    ASSERT_TRUE(QDir().mkpath(copies) && QDir().mkpath(moved));
    const auto filesIn = [](const QString &folder) { return int(QDir(folder).entryList(QDir::Files).size()); };
    step("Copy Checked To", [&] {
        dialogs.answers << copies;
        list.mnuCopy_Click();
    }, [&] { return filesIn(copies) == kFolders; });
    step("Move Checked To", [&] {
        dialogs.answers << moved;
        list.mnuMove_Click();
    }, [&] { return filesIn(moved) == kFolders; });
    EXPECT_EQ(renamedFiles(), 0) << "every file moved away";
    main.hide();
    renamer.hide();
}

TEST_F(UnderTheUsualLimit, TheRenameDropRunsFollowThousandsOfFolders)
{
    const QString rnp = writePrefixRnp(QStringLiteral("x_"));

    // The review dialog, "Rename All" clicked.
    const QString reviewed = tmp.filePath("reviewed");
    makeFolders(reviewed, kFolders);
    writeSettingsFile(true);
    app::modMain start(state);
    step("the review dialog opened and Rename All", [&] {
        ASSERT_EQ(start.Main(QStringList{rnp} + nestedArguments(reviewed, kFolders)), app::modMain::RunOn);
        ASSERT_NE(start.renDrop(), nullptr);
        start.renDrop()->Command4_Click();
    }, [&] { return renamedPairs(reviewed, kFolders, QStringLiteral("x_")) == kFolders; });
    EXPECT_EQ(messages.prompts(), QStringList{QStringLiteral("Files Renamed")});

    // The run without windows, started in this process as a new start.
    const QString unattended = tmp.filePath("unattended");
    makeFolders(unattended, kFolders);
    writeSettingsFile(false);
    AppState fresh;
    fresh.services = state.services;
    int code = -1;
    step("the run without windows", [&] {
        app::modMain again(fresh);
        code = again.Main(QStringList{rnp} + nestedArguments(unattended, kFolders));
    }, [&] { return renamedPairs(unattended, kFolders, QStringLiteral("x_")) == kFolders; });
    EXPECT_EQ(code, app::modMain::AllRenamed);
}

/** Runs one UnderTheUsualLimit test as a child with the usual limit of open files. */
class FewDescriptors : public StartupTest {
protected:
    void runChild(const char *test)
    {
        if (!qgetenv(kChildVariable).isEmpty())
            GTEST_SKIP() << "the child runs only its own test";
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QString::fromLatin1(kChildVariable), QStringLiteral("1"));
        QProcess child;
        child.setProcessEnvironment(env);
        lowerLimit(child);
        testfiles::runTestInChild(child, QStringLiteral("UnderTheUsualLimit.") + QString::fromLatin1(test), 4 * kLimitMs);
    }

    /** Runs the built program on `arguments` in `folder` under the usual limit, watching its
     *  descriptors from outside; its exit code and the highest count of its descriptors seen. */
    std::pair<int, int> runWatched(const QString &folder, const QStringList &arguments)
    {
        QProcess p;
        p.setWorkingDirectory(folder);
        p.setProcessEnvironment(vexloEnvironment());
        lowerLimit(p);
        p.start(QStringLiteral(VEXLO_BINARY), arguments);
        if (!p.waitForStarted())
            return {-1, 0};
        int peak = 0;
        {
            testfiles::DescriptorWatch watch(pid_t(p.processId()));
            EXPECT_TRUE(p.waitForFinished(kLimitMs)) << "vexlo did not finish";
            watch.stop();
            peak = watch.peak();
        }
        EXPECT_EQ(QString::fromLocal8Bit(p.readAllStandardError()), QString());
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, peak};
    }
};

} // namespace

TEST_F(FewDescriptors, TheWindowsWorkThroughThousandsOfFolders)
{
    runChild("TheWindowsWorkThroughThousandsOfFolders");
}

TEST_F(FewDescriptors, TheRenameDropRunsFollowThousandsOfFolders)
{
    runChild("TheRenameDropRunsFollowThousandsOfFolders");
}

// The program started as a user starts it, each folder given before the file inside it: a run
// over thousands of folders holds no more descriptors than a run over three.
TEST_F(FewDescriptors, TheRunWithoutWindowsHoldsAsFewForThousandsOfFoldersAsForThree)
{
    writeSettingsFile(false);
    const QString rnp = writePrefixRnp(QStringLiteral("x_"));
    int peaks[2] = {0, 0};
    const int counts[2] = {3, kFolders};
    for (int k = 0; k < 2; ++k) {
        SCOPED_TRACE(counts[k]);
        const QString root = tmp.filePath(QStringLiteral("run%1").arg(k));
        makeFolders(root, counts[k]);
        const auto [code, peak] = runWatched(root, QStringList{rnp} + nestedArguments(QString(), counts[k]));
        EXPECT_EQ(code, 0);
        EXPECT_EQ(renamedPairs(root, counts[k], QStringLiteral("x_")), counts[k]);
        peaks[k] = peak;
    }
    EXPECT_GT(peaks[0], 0) << "the descriptors were watched";
    EXPECT_LE(peaks[1], peaks[0] + kHandful / 2) << "3 folders: " << peaks[0] << ", " << kFolders << ": " << peaks[1];
}
