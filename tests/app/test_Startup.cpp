// The start-up modes end to end: rename-drop runs of the real program as a process, and the
// review dialog in-process where the test can press its buttons.
#include "AppState.h"
#include "Clock.h"
#include "Dialogs.h"
#include "MessageService.h"
#include "RandomSource.h"
#include "RenameDropFile.h"
#include "RenameSettings.h"
#include "RenameWindowState.h"
#include "Shell.h"
#include "TestFiles.h"
#include "frmRenDrop.h"
#include "FolderTree.h"
#include "ListViewEditable.h"
#include "frmMain.h"
#include "frmRenamer.h"
#include "modMain.h"
#include "StartupFixture.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QDirIterator>
#include <QFile>
#include <QScreen>
#include <sys/stat.h>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace {

using namespace startuptest;

TEST_F(StartupTest, RenameDropRunRenamesAtOnceAndExitsZero)
{
    const QString rnp = writePrefixRnp(QStringLiteral("x_"));
    RunResult r = runVexlo({rnp, at("a.txt"), at("b.txt"), at("c.txt")});
    EXPECT_EQ(r.exitCode, 0) << r.errors.toStdString();
    for (const char *name : {"a.txt", "b.txt", "c.txt"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(testfiles::readFile(at(QStringLiteral("x_") + QString::fromLatin1(name))), QByteArray(name));
        EXPECT_FALSE(exists(QString::fromLatin1(name)));
    }
    EXPECT_TRUE(QFileInfo::exists(home() + QStringLiteral("/Trevalle.ini")));
}

TEST_F(StartupTest, ExistingTargetIsKeptAndTheRunFails)
{
    testfiles::writeFile(at("x_b.txt"), "already here");
    const QString rnp = writePrefixRnp(QStringLiteral("x_"));
    RunResult r = runVexlo({rnp, at("a.txt"), at("b.txt"), at("c.txt")});
    EXPECT_NE(r.exitCode, 0);
    EXPECT_EQ(testfiles::readFile(at("x_b.txt")), "already here");
    EXPECT_TRUE(exists("b.txt"));
    EXPECT_TRUE(exists("x_a.txt"));
    EXPECT_TRUE(exists("x_c.txt"));
    EXPECT_TRUE(r.errors.contains(QStringLiteral("Row 2: ") + at("b.txt"))) << r.errors.toStdString();
    EXPECT_TRUE(r.errors.contains(QStringLiteral("File already exists"))) << r.errors.toStdString();
}

TEST_F(StartupTest, InvalidRenameDropFileRenamesNothing)
{
    const QString bad = tmp.filePath("bad.rnp");
    testfiles::writeFile(bad, "not a rename-drop file\r\n");
    for (const QString &rnp : {bad, tmp.filePath("missing.rnp")}) {
        SCOPED_TRACE(rnp.toStdString());
        RunResult r = runVexlo({rnp, at("a.txt"), at("b.txt")});
        EXPECT_EQ(r.exitCode, app::modMain::NothingRan);
        EXPECT_TRUE(r.errors.contains(QStringLiteral("Invalid File"))) << r.errors.toStdString();
        EXPECT_TRUE(exists("a.txt"));
        EXPECT_TRUE(exists("b.txt"));
        EXPECT_EQ(QDir(files()).entryList(QDir::Files).size(), 3);
    }
}

/** A rename-drop file made by the program's own writer with `set` applied to the settings. */
QString writeRnp(const QString &path, const std::function<void(engine::RenameSettings &)> &set)
{
    engine::RenameSettings settings;
    set(settings);
    EXPECT_TRUE(settingsfiles::WriteRenameDropFile(path, settings, settingsfiles::RenameWindowState()));
    return path;
}

/** Every item under `root` as "relative path: contents" (folders as "relative path/"). */
QStringList treeOf(const QString &root)
{
    QStringList out;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString rel = QDir(root).relativeFilePath(path);
        out << (it.fileInfo().isDir() ? rel + u'/' : rel + QStringLiteral(": ") + QString::fromUtf8(testfiles::readFile(path)));
    }
    out.sort();
    return out;
}

/** The items of the comparison runs: plain and picture files, a folder, a name taken already. */
void makeTree(const QString &root)
{
    QDir().mkpath(root + QStringLiteral("/dir"));
    for (const char *name : {"a.txt", "B.txt", "c d.jpg", "dir/inner.txt", "x_B.txt", "-reverse"})
        testfiles::writeFile(root + u'/' + QString::fromUtf8(name), name);
}

const QStringList TreeArguments = {QStringLiteral("a.txt"), QStringLiteral("./B.txt"), QStringLiteral("c d.jpg"),
                                   QStringLiteral("dir/"), QStringLiteral("missing.txt"), QStringLiteral("./-reverse")};

class InProcessStartup : public StartupTest {
protected:
    RecordingMessageService messages;
    RecordingDialogs dialogs;
    RecordingShell shell;
    FixedClock clock{QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5))};
    FixedRandom random{{0.5f}};
    AppState state;

    void SetUp() override
    {
        StartupTest::SetUp();
        qputenv("VEXLO_HOME", home().toUtf8());
        state.services = {&messages, &dialogs, &shell, &clock, &random};
    }
    void TearDown() override { qunsetenv("VEXLO_HOME"); }
};

TEST_F(InProcessStartup, ReviewDialogAppearsAndRenameAllRenames)
{
    writeSettingsFile(true);
    const QString rnp = writePrefixRnp(QStringLiteral("x_"));
    app::modMain start(state);
    int finished = 0;
    QObject::connect(&start, &app::modMain::finished, [&] { ++finished; });
    ASSERT_EQ(start.Main({rnp, at("a.txt"), at("b.txt"), at("c.txt")}), app::modMain::RunOn);
    ASSERT_NE(start.renDrop(), nullptr);
    EXPECT_TRUE(start.renDrop()->isVisible());
    EXPECT_EQ(start.renDrop()->txtOrig->text(), at("a.txt"));
    EXPECT_EQ(start.renDrop()->txtModName->text(), QStringLiteral("x_a.txt"));
    EXPECT_FALSE(start.main().isVisible());
    EXPECT_TRUE(exists("a.txt"));

    start.renDrop()->Command4_Click();
    for (const char *name : {"x_a.txt", "x_b.txt", "x_c.txt"})
        EXPECT_TRUE(exists(QString::fromLatin1(name))) << name;
    EXPECT_EQ(messages.prompts(), QStringList{QStringLiteral("Files Renamed")});
    EXPECT_EQ(finished, 1);
}

// "." and ".." given to the windows stay rows of their own, which the rename refuses: the folder
// they lead to is never renamed.
TEST_F(InProcessStartup, ReviewDialogRefusesDotAndDotDot)
{
    writeSettingsFile(true);
    ASSERT_TRUE(QDir().mkpath(at("dir")));
    const QString rnp = writePrefixRnp(QStringLiteral("x_"));
    app::modMain start(state);
    ASSERT_EQ(start.Main({rnp, at("."), at("a.txt"), at("dir/..")}), app::modMain::RunOn);
    ASSERT_NE(start.renDrop(), nullptr);
    EXPECT_EQ(start.renDrop()->txtOrig->text(), files() + QStringLiteral("/."));

    start.renDrop()->Command4_Click();
    EXPECT_TRUE(exists("x_a.txt"));
    EXPECT_TRUE(exists("dir"));
    EXPECT_TRUE(QFileInfo(files()).isDir());
    ASSERT_EQ(messages.prompts().size(), 1);
    EXPECT_EQ(messages.prompts().constFirst().count(QStringLiteral("'.' and '..' cannot be renamed")), 2)
        << messages.prompts().constFirst().toStdString();
}

TEST_F(InProcessStartup, OpenFilesRunKeepsDotAsARowOfItsOwn)
{
    writeSettingsFile(false);
    app::modMain start(state);
    ASSERT_EQ(start.Main({at(".") + u'|' + at("a.txt")}), app::modMain::RunOn);
    ASSERT_EQ(start.renamer().previewRows().Rows(), 2u);
    EXPECT_EQ(start.renamer().previewRows().CellText(1, 1), QStringLiteral("."));
    EXPECT_EQ(start.renamer().previewRows().CellText(1, 3), files() + u'/');
    EXPECT_EQ(start.renamer().previewRows().CellText(2, 1), QStringLiteral("a.txt"));
}

// The review dialog of a run given a folder and a file inside it (`vexlo p.rnp d d/f`): "Rename
// All", clicked, renames the folder and then the file under the folder's new name.
TEST_F(InProcessStartup, ReviewDialogRenamesAFolderAndTheFileInsideIt)
{
    writeSettingsFile(true);
    testfiles::writeFile(at("d/f.txt"), "inside");
    const QString rnp = writePrefixRnp(QStringLiteral("x_"));
    app::modMain start(state);
    ASSERT_EQ(start.Main({rnp, at("d"), at("d/f.txt")}), app::modMain::RunOn);
    ASSERT_NE(start.renDrop(), nullptr);
    EXPECT_EQ(start.renDrop()->txtOrig->text(), at("d"));
    QPushButton *renameAll = start.renDrop()->Command4;
    QTest::mouseClick(renameAll, Qt::LeftButton, {}, renameAll->rect().center());
    EXPECT_EQ(testfiles::readFile(at("x_d/x_f.txt")), "inside");
    EXPECT_FALSE(exists("d"));
    EXPECT_EQ(messages.prompts(), QStringList{QStringLiteral("Files Renamed")});
}

TEST_F(InProcessStartup, TheReviewDialogIsTheOnlyWindowOfTheRun)
{
    // Whichever window was kept on top last time, only the review dialog shows.
    for (const char *topMost : {"0", "1", "7"}) {
        SCOPED_TRACE(topMost);
        writeSettingsFile(true, topMost);
        const QString rnp = writePrefixRnp(QStringLiteral("x_"));
        app::modMain start(state);
        ASSERT_EQ(start.Main({rnp, at("a.txt"), at("b.txt")}), app::modMain::RunOn);
        ASSERT_NE(start.renDrop(), nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(start.renDrop()));
        QApplication::processEvents();
        QStringList shown;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->isVisible() && w->isWindow() && w->windowType() != Qt::ToolTip)
                shown << w->windowTitle();
        EXPECT_EQ(shown, QStringList{QStringLiteral("Morvane - Rename Drop")});
        EXPECT_TRUE(exists("a.txt"));
        start.main().cmdQuit_Click();
    }
}

TEST_F(InProcessStartup, OpenFilesRunListsAndChecksEveryPath)
{
    writeSettingsFile(false);
    app::modMain start(state);
    ASSERT_EQ(start.Main({at("a.txt") + u'|' + at("c.txt")}), app::modMain::RunOn);
    EXPECT_EQ(state.OpenFilesRun, 1);
    EXPECT_EQ(state.CmdArgs, (QStringList{at("a.txt"), at("c.txt")}));
    EXPECT_EQ(state.SelFileCount, 2);
    EXPECT_TRUE(start.main().isVisible());
    EXPECT_TRUE(start.renamer().isVisible());
    ASSERT_EQ(start.renamer().previewRows().Rows(), 2u);
    EXPECT_EQ(start.renamer().previewRows().CellText(1, 1), QStringLiteral("a.txt"));
    EXPECT_EQ(start.renamer().previewRows().CellText(2, 3), files() + u'/');
}

// ---- The windows a start brings up, and how the user gets from one to the other ----

namespace {


bool fullyOnScreen(const QWidget &window)
{
    const QScreen *screen = window.screen();
    return screen && screen->availableGeometry().contains(window.frameGeometry());
}

} // namespace

TEST_F(InProcessStartup, RenameButtonBringsTheRenameWindowToTheFront)
{
    writeSettingsFile(false);
    app::modMain start(state);
    ASSERT_EQ(start.Main({}), app::modMain::RunOn);
    // The normal start leaves the main window in front.
    ASSERT_TRUE(waitUntil([&] { return QApplication::activeWindow() == &start.main(); }));

    QPushButton *rename = start.main().cmdRename;
    QTest::mouseClick(rename, Qt::LeftButton, {}, rename->rect().center());
    EXPECT_TRUE(waitUntil([&] { return QApplication::activeWindow() == &start.renamer(); }));
    EXPECT_TRUE(start.renamer().isVisible());
    EXPECT_TRUE(fullyOnScreen(start.renamer()));

    // "&File Selection" goes back to the main window the same way.
    QPushButton *back = start.renamer().Command14;
    QTest::mouseClick(back, Qt::LeftButton, {}, back->rect().center());
    EXPECT_TRUE(waitUntil([&] { return QApplication::activeWindow() == &start.main(); }));
    start.main().close();
}

// The window kept On Top at the last quit is On Top again after a start, the rename window too
// (it is built before the settings are read).
TEST_F(InProcessStartup, TheWindowKeptOnTopIsOnTopAgainAfterAStart)
{
    struct Case {
        const char *saved;
        bool main;
        bool renamer;
    };
    for (const Case &c : {Case{"0", false, false}, Case{"1", true, false}, Case{"7", false, true}}) {
        SCOPED_TRACE(c.saved);
        writeSettingsFile(false, c.saved);
        app::modMain start(state);
        ASSERT_EQ(start.Main({}), app::modMain::RunOn);
        EXPECT_EQ(start.main().chkOnTop->isChecked(), c.main);
        EXPECT_EQ(start.renamer().chkOnTop->isChecked(), c.renamer);
        // (A window shown while another is On Top is lent the state: only the own one is asked.)
        if (c.main) {
            EXPECT_TRUE(start.main().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        }
        if (c.renamer) {
            EXPECT_TRUE(start.renamer().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        }
        start.main().close();
    }
}

TEST_F(InProcessStartup, OpenFilesRunShowsTheRenameWindowInFront)
{
    writeSettingsFile(false);
    app::modMain start(state);
    ASSERT_EQ(start.Main({at("a.txt") + u'|' + at("b.txt")}), app::modMain::RunOn);
    EXPECT_TRUE(waitUntil([&] { return QApplication::activeWindow() == &start.renamer(); }));
    EXPECT_TRUE(fullyOnScreen(start.renamer()));
    start.main().close();
}

// The count beside "items" is one number, the rows of the list shown: the files of an open-files
// start, the same after the folder event that run ignores, then the folder listed, then the rows
// a name filter keeps.
TEST_F(InProcessStartup, TheItemCountFollowsTheListShown)
{
    writeSettingsFile(false);
    app::modMain start(state);
    ASSERT_EQ(start.Main({at("a.txt") + u'|' + at("c.txt")}), app::modMain::RunOn);
    mainwin::frmMain &main = start.main();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    // The texts shown left of "items" on its line.
    const auto countTexts = [&] {
        QStringList texts;
        const QRect items = main.Label4->geometry();
        for (QWidget *w : main.Label4->parentWidget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            const QRect at = w->geometry();
            if (w == main.Label4 || !w->isVisible() || at.left() >= items.left() || at.bottom() < items.top()
                || at.top() > items.bottom())
                continue;
            if (const auto *box = qobject_cast<QLineEdit *>(w))
                texts << box->text();
            else if (const auto *label = qobject_cast<QLabel *>(w))
                texts << label->text();
        }
        return texts;
    };
    EXPECT_EQ(countTexts(), QStringList{"2"});

    main.ftv->SetSelectedFolder(files());
    QTest::keyClick(main.ftv, Qt::Key_Return);
    EXPECT_EQ(main.lvw2->FileItemCount(), 2);
    EXPECT_EQ(countTexts(), QStringList{"2"});
    QTest::keyClick(main.ftv, Qt::Key_Return);
    ASSERT_TRUE(waitUntil([&] { return main.lvw2->FileItemCount() == 3; }));
    EXPECT_EQ(countTexts(), QStringList{"3"});

    QTest::mouseClick(main.txtFilter, Qt::LeftButton);
    QTest::keyClicks(main.txtFilter, "b");
    EXPECT_EQ(main.lvw2->FileItemCount(), 1);
    EXPECT_EQ(countTexts(), QStringList{"1"});
    main.close();
}

TEST_F(InProcessStartup, ClosingTheReviewDialogEndsTheRunAndWritesTheSettings)
{
    struct Way {
        const char *name;
        std::function<void(QWidget &)> close;
    };
    const Way ways[] = {
        {"Escape", [](QWidget &dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); }},
        // What the window manager sends for the close box.
        {"close box", [](QWidget &dialog) {
             QCloseEvent event;
             QApplication::sendEvent(dialog.windowHandle(), &event);
         }},
    };
    for (const Way &way : ways) {
        SCOPED_TRACE(way.name);
        writeSettingsFile(true);
        const QString rnp = writePrefixRnp(QStringLiteral("x_"));
        app::modMain start(state);
        int finished = 0;
        QObject::connect(&start, &app::modMain::finished, [&] { ++finished; });
        ASSERT_EQ(start.Main({rnp, at("a.txt")}), app::modMain::RunOn);
        QPointer<mainwin::frmRenDrop> dialog = start.renDrop();
        ASSERT_NE(dialog, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.data()));
        EXPECT_TRUE(waitUntil([&] { return QApplication::activeWindow() == dialog.data(); }));
        QFile::remove(home() + QStringLiteral("/Trevalle.ini"));

        way.close(*dialog);
        EXPECT_TRUE(waitUntil([&] { return finished == 1; }));
        EXPECT_TRUE(dialog.isNull() || !dialog->isVisible());
        EXPECT_TRUE(QFileInfo::exists(home() + QStringLiteral("/Trevalle.ini")));
        EXPECT_TRUE(exists("a.txt"));
        EXPECT_FALSE(exists("x_a.txt"));
    }
}

TEST_F(InProcessStartup, ManageOpensTheConfigurationsManagerAndQuittingClosesIt)
{
    writeSettingsFile(false);
    app::modMain start(state);
    ASSERT_EQ(start.Main({at("a.txt") + u'|' + at("c.txt")}), app::modMain::RunOn);
    QPushButton *manage = start.renamer().Command1;
    QTest::mouseClick(manage, Qt::LeftButton, {}, manage->rect().center());

    QPointer<QWidget> manager;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QStringLiteral("frmRenListMan"))
            manager = w;
    ASSERT_TRUE(manager);
    EXPECT_TRUE(manager->isVisible());
    auto *name = manager->findChild<QLineEdit *>(QStringLiteral("Text1"));
    auto *save = manager->findChild<QPushButton *>(QStringLiteral("Command1"));
    ASSERT_TRUE(name && save);
    QTest::keyClicks(name, QStringLiteral("Trip"));
    QTest::mouseClick(save, Qt::LeftButton, {}, save->rect().center());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(testfiles::readFile(home() + QStringLiteral("/RenConfigs/Trip.rfg"))
                    .startsWith("File Rename Settings\r\nReplace\r\n"));

    start.main().cmdQuit_Click();
    EXPECT_TRUE(manager.isNull());
}

TEST_F(InProcessStartup, WithoutTheReviewDialogNoWindowIsBuiltAndTheSettingsAreNotRewritten)
{
    writeSettingsFile(false);
    const QString settings = home() + QStringLiteral("/Trevalle.ini");
    const QByteArray before = testfiles::readFile(settings);
    const auto inode = [&settings] {
        struct stat st {};
        ::stat(QFile::encodeName(settings).constData(), &st);
        return st.st_ino;
    };
    const ino_t kept = inode();
    const QString rnp = writePrefixRnp(QStringLiteral("x_"));
    const qsizetype windows = QApplication::topLevelWidgets().size();

    app::modMain start(state);
    EXPECT_EQ(start.Main({rnp, at("a.txt"), at("b.txt")}), app::modMain::AllRenamed);
    EXPECT_EQ(QApplication::topLevelWidgets().size(), windows) << "a window was built";
    EXPECT_TRUE(exists("x_a.txt"));
    EXPECT_TRUE(exists("x_b.txt"));
    EXPECT_TRUE(exists("c.txt"));
    EXPECT_EQ(testfiles::readFile(settings), before);
    EXPECT_EQ(inode(), kept) << "the unchanged settings file was written again";
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(InProcessStartup, TheRunWithoutWindowsRenamesAsTheReviewDialogsRenameAll)
{
    // The same rename-drop file and arguments (relative ones among them) on two copies of a tree:
    // the review dialog's "Rename All" in the windows, and the run without windows as a process.
    struct Case {
        const char *name;
        std::function<void(engine::RenameSettings &)> set;
        int exitCode;
        QStringList failedRows;
    };
    const Case cases[] = {
        {"prefix", [](engine::RenameSettings &s) {
             s.checkOnly({QStringLiteral("Prefix")});
             s.PrefixSource = QStringLiteral("x_");
         }, app::modMain::SomeFailed, {QStringLiteral("Row 2: "), QStringLiteral("Row 5: ")}},
        {"counter suffix and upper case", [](engine::RenameSettings &s) {
             s.checkOnly({QStringLiteral("Suffix"), QStringLiteral("Change Case")});
             s.SuffixSource = QStringLiteral("_$Counter$");
             s.CaseMode = engine::CaseOption::Upper;
         }, app::modMain::SomeFailed, {QStringLiteral("Row 5: ")}},
        {"lower case", [](engine::RenameSettings &s) {
             s.checkOnly({QStringLiteral("Change Case")});
             s.CaseMode = engine::CaseOption::Lower;
         }, app::modMain::SomeFailed, {QStringLiteral("Row 5: ")}},  // the missing file fails, name unchanged or not
    };
    const QString kept = QDir::currentPath();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString windowed = tmp.filePath(QStringLiteral("windowed-") + QString::fromLatin1(c.name));
        const QString windowless = tmp.filePath(QStringLiteral("windowless-") + QString::fromLatin1(c.name));
        makeTree(windowed);
        makeTree(windowless);
        const QString rnp = writeRnp(tmp.filePath(QString::fromLatin1(c.name) + QStringLiteral(".rnp")), c.set);

        writeSettingsFile(true);
        ASSERT_TRUE(QDir::setCurrent(windowed));
        {
            app::modMain start(state);
            ASSERT_EQ(start.Main(QStringList{rnp} + TreeArguments), app::modMain::RunOn);
            ASSERT_NE(start.renDrop(), nullptr);
            start.renDrop()->Command4_Click();
        }
        QDir::setCurrent(kept);

        writeSettingsFile(false);
        const RunResult r = runVexlo(QStringList{rnp} + TreeArguments, windowless);
        EXPECT_EQ(treeOf(windowless), treeOf(windowed));
        EXPECT_NE(treeOf(windowless), treeOf(windowed + QStringLiteral("/dir"))) << "something was renamed";
        EXPECT_EQ(r.exitCode, c.exitCode) << r.errors.toStdString();
        EXPECT_EQ(r.errors.count(QStringLiteral("Row ")), c.failedRows.size()) << r.errors.toStdString();
        for (const QString &row : c.failedRows)
            EXPECT_TRUE(r.errors.contains(row + windowless + u'/')) << r.errors.toStdString();
    }
}

} // namespace
