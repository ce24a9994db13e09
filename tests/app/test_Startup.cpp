// The start-up modes end to end: rename-drop runs of the real program as a process, and the
// review dialog in-process where the test can press its buttons.
#include "AppState.h"
#include "Clock.h"
#include "Dialogs.h"
#include "DragListBox.h"
#include "MessageService.h"
#include "RandomSource.h"
#include "RenameDropFile.h"
#include "RenameSettings.h"
#include "RenameWindowState.h"
#include "Shell.h"
#include "TestFiles.h"
#include "frmRenDrop.h"
#include "frmMain.h"
#include "frmRenamer.h"
#include "modMain.h"
#include "PreviewTable.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPointer>
#include <QPushButton>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>
#include <sys/stat.h>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <functional>
#include <gtest/gtest.h>

namespace {

struct RunResult {
    int exitCode = -1;
    QString errors;
};

class StartupTest : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    QString home() const { return tmp.filePath("home"); }
    QString files() const { return tmp.filePath("files"); }
    QString at(const QString &name) const { return files() + u'/' + name; }

    void SetUp() override
    {
        QDir().mkpath(home());
        QDir().mkpath(files());
        for (const char *name : {"a.txt", "b.txt", "c.txt"})
            testfiles::writeFile(at(QString::fromLatin1(name)), name);
    }

    /** A rename-drop file made by the program's own writer: "Prefix" with `prefix`. */
    QString writePrefixRnp(const QString &prefix)
    {
        engine::RenameSettings settings;
        settings.checkOnly({QStringLiteral("Prefix")});
        settings.PrefixSource = prefix;
        settingsfiles::RenameWindowState state;
        const QString path = tmp.filePath("prefix.rnp");
        EXPECT_TRUE(settingsfiles::WriteRenameDropFile(path, settings, state));
        return path;
    }

    /** The settings file with "Show Rename Drop dialog." on or off (line 23) and the window
     *  kept on top (line 8: 1 the main window). */
    void writeSettingsFile(bool showDialog, const char *topMostWindow = "0")
    {
        QByteArray text;
        const char *lines[] = {"blank", "blank", "blank", "blank", "Report", "", "0", topMostWindow, "False", "False",
                               "", "", "", "", "0", "0", "0", "0", "0", "0", "0", "0",
                               showDialog ? "1" : "0", "0"};
        for (const char *line : lines)
            text += QByteArray(line) + "\r\n";
        testfiles::writeFile(home() + QStringLiteral("/Trevalle.ini"), text);
    }

    RunResult runVexlo(const QStringList &arguments, const QString &workingFolder = QString())
    {
        QProcess p;
        if (!workingFolder.isEmpty())
            p.setWorkingDirectory(workingFolder);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("VEXLO_HOME"), home());
        env.insert(QStringLiteral("VEXLO_MESSAGES"), QStringLiteral("stderr"));
        env.insert(QStringLiteral("HOME"), tmp.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), tmp.filePath("config"));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(VEXLO_BINARY), arguments);
        EXPECT_TRUE(p.waitForFinished(120000)) << "vexlo did not finish";
        RunResult r;
        r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.errors = QString::fromLocal8Bit(p.readAllStandardError());
        return r;
    }

    bool exists(const QString &name) const { return QFileInfo::exists(at(name)); }
};

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
        EXPECT_EQ(r.exitCode, app::modMain::SettingsRefused);
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

/** Runs the event loop until `done` answers true (asked once per turn: a condition read from
 *  another program may hold once and not at the next look) or `ms` have passed. */
bool waitUntil(const std::function<bool()> &done, int ms = 5000)
{
    QDeadlineTimer deadline(ms);
    for (;;) {
        if (done())
            return true;
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}

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

TEST_F(InProcessStartup, OpenFilesRunShowsTheRenameWindowInFront)
{
    writeSettingsFile(false);
    app::modMain start(state);
    ASSERT_EQ(start.Main({at("a.txt") + u'|' + at("b.txt")}), app::modMain::RunOn);
    EXPECT_TRUE(waitUntil([&] { return QApplication::activeWindow() == &start.renamer(); }));
    EXPECT_TRUE(fullyOnScreen(start.renamer()));
    start.main().close();
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

// ---- The program as a process on a display with a window manager ----

namespace {

/** A virtual display with a window manager, and xdotool to look at it and type into it. */
class DesktopSession {
public:
    bool available() const
    {
        for (const char *tool : {"Xvfb", "openbox", "xdotool"})
            if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
                return false;
        return true;
    }

    bool start()
    {
        for (int attempt = 0; attempt < 2; ++attempt) {
            if (startOnce())
                return true;
            stop();
        }
        return false;
    }

    bool startOnce()
    {
        m_x.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                                           QStringLiteral("0"), QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"),
                                           QStringLiteral("tcp")});
        if (!m_x.waitForStarted())
            return false;
        QByteArray number;
        QDeadlineTimer deadline(StartLimitMs);
        while (!number.contains('\n') && !deadline.hasExpired() && m_x.waitForReadyRead(int(deadline.remainingTime())))
            number += m_x.readAllStandardOutput();
        if (!number.contains('\n'))
            return false;
        display = u':' + QString::fromLatin1(number.trimmed());
        m_wm.setProcessEnvironment(environment());
        m_wm.start(QStringLiteral("openbox"), {});
        if (!m_wm.waitForStarted())
            return false;
        // The window manager is ready once it announces the desktops.
        return waitUntil([this] { return !tool({QStringLiteral("get_desktop")}).isNull(); }, StartLimitMs);
    }

    ~DesktopSession() { stop(); }

    void stop()
    {
        for (QProcess *p : {&m_wm, &m_x}) {
            if (p->state() != QProcess::NotRunning) {
                p->terminate();
                if (!p->waitForFinished(5000))
                    p->kill();
                p->waitForFinished(5000);
            }
        }
    }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display);
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        return env;
    }

    /** Runs xdotool; its output trimmed, or a null string when it failed or did not end within
     *  `limitMs`. */
    QString tool(const QStringList &arguments, int limitMs = StartLimitMs) const
    {
        QProcess p;
        p.setProcessEnvironment(environment());
        p.start(QStringLiteral("xdotool"), arguments);
        if (!p.waitForFinished(limitMs)) {
            p.kill();
            p.waitForFinished();
            return {};
        }
        if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
            return {};
        return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
    }

    /** The title of the active window, or "" while there is none. */
    QString activeTitle() const
    {
        const QString title = tool({QStringLiteral("getactivewindow"), QStringLiteral("getwindowname")});
        return title.isNull() ? QString() : title;
    }

    /** The visible window whose title is exactly `title`, waiting for it to appear. Each look is
     *  a search of its own: one search gives up when a window it walks past goes away meanwhile
     *  (the splash screen does), and a program starting on a machine busy with many tests at
     *  once may take long to show its window, hence the wide limit. */
    QString window(const QString &title) const
    {
        QString found;
        waitUntil([&] {
            found = tool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                          u'^' + QRegularExpression::escape(title) + u'$'})
                        .section(u'\n', 0, 0);
            return !found.isEmpty();
        }, WindowLimitMs);
        return found;
    }

    /** The program's windows with a title, bottom to top, as the window manager stacks them. */
    QStringList stackingTitles() const
    {
        QProcess p;
        p.setProcessEnvironment(environment());
        p.start(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST_STACKING")});
        if (!p.waitForFinished(StartLimitMs))
            return {};
        const QString text = QString::fromLocal8Bit(p.readAllStandardOutput());
        QStringList titles;
        static const QRegularExpression id(QStringLiteral("0x[0-9a-fA-F]+"));
        for (const QRegularExpressionMatch &m : id.globalMatch(text)) {
            bool ok = false;
            const qulonglong window = m.captured().toULongLong(&ok, 16);
            const QString title = tool({QStringLiteral("getwindowname"), QString::number(window)});
            if (ok && !title.isEmpty())
                titles << title;
        }
        return titles;
    }

    /** The window's client area on the screen, or an empty rectangle when it cannot be read. */
    QRect clientRect(const QString &window) const
    {
        const QString info = run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), window});
        static const QRegularExpression x(QStringLiteral("Absolute upper-left X:\\s+(-?\\d+)"));
        static const QRegularExpression y(QStringLiteral("Absolute upper-left Y:\\s+(-?\\d+)"));
        static const QRegularExpression w(QStringLiteral("Width:\\s+(\\d+)"));
        static const QRegularExpression h(QStringLiteral("Height:\\s+(\\d+)"));
        const QRegularExpressionMatch mx = x.match(info), my = y.match(info), mw = w.match(info), mh = h.match(info);
        if (!mx.hasMatch() || !my.hasMatch() || !mw.hasMatch() || !mh.hasMatch())
            return {};
        return {mx.captured(1).toInt(), my.captured(1).toInt(), mw.captured(1).toInt(), mh.captured(1).toInt()};
    }

    /** The window's rectangle on the screen with the frame the window manager drew around it, or
     *  an empty rectangle while the window is not framed. */
    QRect frameRect(const QString &window) const
    {
        const QString extents = run(QStringLiteral("xprop"), {QStringLiteral("-id"), window, QStringLiteral("_NET_FRAME_EXTENTS")});
        static const QRegularExpression ltrb(QStringLiteral("=\\s*(\\d+),\\s*(\\d+),\\s*(\\d+),\\s*(\\d+)"));
        const QRegularExpressionMatch m = ltrb.match(extents);
        const QRect client = clientRect(window);
        if (!m.hasMatch() || client.isEmpty())
            return {};
        return client.adjusted(-m.captured(1).toInt(), -m.captured(3).toInt(), m.captured(2).toInt(), m.captured(4).toInt());
    }

    /** True when the window manager keeps the window in its layer above the others (On Top). */
    bool keptAbove(const QString &window) const
    {
        return run(QStringLiteral("xprop"), {QStringLiteral("-id"), window, QStringLiteral("_NET_WM_STATE")})
            .contains(QStringLiteral("_NET_WM_STATE_ABOVE"));
    }

    /** How long the display, the window manager or a program may take to come up on a busy
     *  machine before the test gives up: bounds for waits on a condition, not timings. */
    static constexpr int StartLimitMs = 60000;
    static constexpr int WindowLimitMs = 120000;

    QString display;

private:
    /** Runs an X tool on the display; its standard output, or "" when it failed. */
    QString run(const QString &program, const QStringList &arguments) const
    {
        QProcess p;
        p.setProcessEnvironment(environment());
        p.start(program, arguments);
        if (!p.waitForFinished(StartLimitMs)) {
            p.kill();
            p.waitForFinished();
            return {};
        }
        return p.exitCode() == 0 ? QString::fromLocal8Bit(p.readAllStandardOutput()) : QString();
    }

    QProcess m_x;
    QProcess m_wm;
};

class DesktopStartup : public StartupTest {
protected:
    DesktopSession session;
    QProcess vexlo;

    void SetUp() override
    {
        StartupTest::SetUp();
        if (!session.available())
            GTEST_SKIP() << "Xvfb, openbox or xdotool is missing";
        // The display is the test's surroundings, not the program: one that will not come up
        // (a loaded machine) skips the test rather than failing it.
        if (!session.start())
            GTEST_SKIP() << "the virtual display with its window manager did not come up";
        writeSettingsFile(false);
    }

    void TearDown() override
    {
        if (vexlo.state() != QProcess::NotRunning) {
            vexlo.kill();
            vexlo.waitForFinished(5000);
        }
    }

    /** Starts the program; its message boxes go to standard error unless `showMessageBoxes`. */
    void startVexlo(const QStringList &arguments, bool showMessageBoxes = false)
    {
        QProcessEnvironment env = session.environment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("VEXLO_HOME"), home());
        if (!showMessageBoxes)
            env.insert(QStringLiteral("VEXLO_MESSAGES"), QStringLiteral("stderr"));
        env.insert(QStringLiteral("HOME"), tmp.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), tmp.filePath("config"));
        vexlo.setProcessEnvironment(env);
        vexlo.start(QStringLiteral(VEXLO_BINARY), arguments);
        ASSERT_TRUE(vexlo.waitForStarted());
    }

    /** Makes the window titled `title` the active one, as a click on its frame would, for the
     *  keys that follow. A busy window manager may hand the focus over late or lose the request:
     *  the request is made again until the window is active or the start limit has passed. */
    bool activate(const QString &title)
    {
        const QString id = session.window(title);
        if (id.isEmpty())
            return false;
        return waitUntil([&] {
            if (session.activeTitle() == title)
                return true;
            session.tool({QStringLiteral("windowactivate"), id});
            return waitUntil([&] { return session.activeTitle() == title; }, RetryMs);
        }, DesktopSession::StartLimitMs);
    }

    /** How long an activation is waited for before it is asked for again. */
    static constexpr int RetryMs = 3000;

    /** Quits with the main window's "&Quit" key, as a user would, and waits for the end. */
    void quitWithKeyboard()
    {
        ASSERT_TRUE(activate(QStringLiteral("Morvane"))) << session.activeTitle().toStdString();
        session.tool({QStringLiteral("key"), QStringLiteral("--clearmodifiers"), QStringLiteral("alt+q")});
        EXPECT_TRUE(vexlo.waitForFinished(DesktopSession::WindowLimitMs)) << "vexlo did not end";
        EXPECT_EQ(vexlo.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(vexlo.exitCode(), 0) << vexlo.readAllStandardError().toStdString();
        EXPECT_TRUE(QFileInfo::exists(home() + QStringLiteral("/Trevalle.ini")));
    }
};

} // namespace

TEST_F(DesktopStartup, NormalStartShowsTheMainWindowInFrontAndRenameRaisesTheRenameWindow)
{
    startVexlo({});
    const QString main = session.window(QStringLiteral("Morvane"));
    ASSERT_FALSE(main.isEmpty());
    EXPECT_TRUE(waitUntil([&] { return session.activeTitle() == QStringLiteral("Morvane"); }, DesktopSession::StartLimitMs))
        << session.activeTitle().toStdString();

    // Alt+R is the "&Rename" button.
    session.tool({QStringLiteral("key"), QStringLiteral("--clearmodifiers"), QStringLiteral("alt+r")});
    EXPECT_TRUE(waitUntil([&] { return session.activeTitle() == QStringLiteral("Morvane - Renamer"); }, DesktopSession::StartLimitMs))
        << session.activeTitle().toStdString();
    QFile::remove(home() + QStringLiteral("/Trevalle.ini"));
    quitWithKeyboard();
}

TEST_F(DesktopStartup, RenameComesAboveTheMainWindowKeptOnTop)
{
    writeSettingsFile(false, "1");
    startVexlo({}, true);
    const int limit = DesktopSession::StartLimitMs;
    // A search may miss while windows come and go (the splash): it is asked again.
    ASSERT_TRUE(waitUntil([&] { return !session.window(QStringLiteral("Morvane")).isEmpty(); }, limit));
    ASSERT_TRUE(waitUntil([&] { return session.activeTitle() == QStringLiteral("Morvane"); }, limit))
        << session.activeTitle().toStdString();

    // Alt+R is the "&Rename" button: the rename window comes above the on-top main window and
    // takes the keyboard there, in sight.
    session.tool({QStringLiteral("key"), QStringLiteral("--clearmodifiers"), QStringLiteral("alt+r")});
    const auto renamerOnTop = [&] {
        const QStringList order = session.stackingTitles();
        return order.indexOf(QStringLiteral("Morvane - Renamer")) > order.indexOf(QStringLiteral("Morvane"))
            && order.contains(QStringLiteral("Morvane"));
    };
    EXPECT_TRUE(waitUntil([&] { return session.activeTitle() == QStringLiteral("Morvane - Renamer"); }, limit))
        << session.activeTitle().toStdString();
    EXPECT_TRUE(waitUntil(renamerOnTop, limit)) << session.stackingTitles().join(u',').toStdString();

    // A message box of the rename window comes above both: "&Rename Now!" before a preview.
    session.tool({QStringLiteral("key"), QStringLiteral("--clearmodifiers"), QStringLiteral("alt+r")});
    const auto boxOnTop = [&] {
        const QStringList order = session.stackingTitles();
        return !order.isEmpty() && order.last() == QStringLiteral("Renamer");
    };
    EXPECT_TRUE(waitUntil(boxOnTop, limit)) << session.stackingTitles().join(u',').toStdString();
    EXPECT_TRUE(waitUntil([&] { return session.activeTitle() == QStringLiteral("Renamer"); }, limit))
        << session.activeTitle().toStdString();
    session.tool({QStringLiteral("key"), QStringLiteral("--clearmodifiers"), QStringLiteral("Return")});
    EXPECT_TRUE(waitUntil([&] { return session.activeTitle() == QStringLiteral("Morvane - Renamer"); }, limit))
        << session.activeTitle().toStdString();
    for (const char *name : {"a.txt", "b.txt", "c.txt"})
        EXPECT_TRUE(exists(QString::fromLatin1(name))) << name;
    QFile::remove(home() + QStringLiteral("/Trevalle.ini"));
    quitWithKeyboard();
}

TEST_F(DesktopStartup, APickerOpenedFromTheRenameWindowComesAboveTheMainWindowKeptOnTop)
{
    writeSettingsFile(false, "1");
    startVexlo({}, true);
    const int limit = DesktopSession::StartLimitMs;
    ASSERT_TRUE(waitUntil([&] { return !session.window(QStringLiteral("Morvane")).isEmpty(); }, limit));
    ASSERT_TRUE(waitUntil([&] { return session.activeTitle() == QStringLiteral("Morvane"); }, limit))
        << session.activeTitle().toStdString();
    session.tool({QStringLiteral("key"), QStringLiteral("--clearmodifiers"), QStringLiteral("alt+r")});
    ASSERT_TRUE(waitUntil([&] { return session.activeTitle() == QStringLiteral("Morvane - Renamer"); }, limit))
        << session.activeTitle().toStdString();

    // The action list has the keyboard: down to "Suffix", Tab past "Move Up" and "Move Down" to
    // its field, whose list opens with Alt+Down; "$current_date$" is chosen with the arrow keys.
    QStringList keys{QStringLiteral("key"), QStringLiteral("--clearmodifiers")};
    for (int row = 0; row < 6; ++row)
        keys << QStringLiteral("Down");
    keys << QStringLiteral("Tab") << QStringLiteral("Tab") << QStringLiteral("Tab") << QStringLiteral("alt+Down")
         << QStringLiteral("Down") << QStringLiteral("Down") << QStringLiteral("Return");
    session.tool(keys);
    const QString picker = QStringLiteral("Select Date Format");
    const auto pickerAbove = [&] {
        const QStringList order = session.stackingTitles();
        return order.contains(QStringLiteral("Morvane"))
            && order.indexOf(picker) > order.indexOf(QStringLiteral("Morvane"))
            && order.indexOf(picker) > order.indexOf(QStringLiteral("Morvane - Renamer"));
    };
    EXPECT_TRUE(waitUntil(pickerAbove, limit)) << session.stackingTitles().join(u',').toStdString();
    QFile::remove(home() + QStringLiteral("/Trevalle.ini"));
    quitWithKeyboard();
}

namespace {

/** Where the rename window's "On Top" box, the action "Suffix" and its token field lie in a rename window
 *  whose client area is `size`, in the window's pixels: the same window laid out here (its
 *  controls are placed by the window's size alone). */
struct RenamerPlaces {
    QRect onTop;
    QRect actions;    // the action list's rows
    QRect suffixField;
};

RenamerPlaces renamerPlaces(const QSize &size, const QString &programFolder)
{
    qputenv("VEXLO_HOME", programFolder.toUtf8());
    AppState app;
    RecordingMessageService messages;
    RecordingDialogs dialogs;
    RecordingShell shell;
    FixedClock clock{QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5))};
    FixedRandom random{{0.5f}};
    app.services = {&messages, &dialogs, &shell, &clock, &random};
    RenamerPlaces places;
    {
        renamewin::frmRenamer mirror(app);
        mirror.resize(size);
        mirror.show();
        const auto place = [&mirror](const QWidget *control) {
            return QRect(control->mapTo(&mirror, QPoint(0, 0)), control->size());
        };
        places.onTop = place(mirror.chkOnTop);
        places.actions = place(mirror.List3->viewport());
        places.suffixField = place(mirror.tokenControls(engine::TokenAction::Suffix).combo);
    }
    qunsetenv("VEXLO_HOME");
    return places;
}

} // namespace

// Whichever window is kept on top, a click into the rename window leaves the picker its field
// opened in front of it; the picker lies against its field, wholly on the screen, also when the
// rename window stands low on the screen and there is no room below the field.
TEST_F(DesktopStartup, AnOpenPickerStaysInFrontOfTheRenameWindowClickedAndLiesAgainstItsField)
{
    struct Case {
        const char *name;
        const char *topMostWindow;  // kept on top from the settings file: 0 none, 1 the main window
        bool renamerOnTop;          // its "On Top" box clicked
        bool renamerLow;            // the rename window moved down until its field nears the bottom
    };
    const Case cases[] = {
        {"nothing on top", "0", false, false},
        {"main window on top", "1", false, false},
        {"rename window on top, low on the screen", "0", true, true},
    };
    const int limit = DesktopSession::StartLimitMs;
    const QString renamerTitle = QStringLiteral("Morvane - Renamer");
    const QString pickerTitle = QStringLiteral("Select Date Format");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        writeSettingsFile(false, c.topMostWindow);
        startVexlo({}, true);
        ASSERT_TRUE(activate(QStringLiteral("Morvane"))) << session.activeTitle().toStdString();
        session.tool({QStringLiteral("key"), QStringLiteral("--clearmodifiers"), QStringLiteral("alt+r")});
        ASSERT_TRUE(waitUntil([&] { return session.activeTitle() == renamerTitle; }, limit))
            << session.activeTitle().toStdString();
        QString renamer = session.window(renamerTitle);
        ASSERT_FALSE(renamer.isEmpty());
        const QRect client = session.clientRect(renamer);
        ASSERT_FALSE(client.isEmpty());
        const RenamerPlaces places = renamerPlaces(client.size(), home());

        if (c.renamerOnTop) {
            const QPoint box = places.onTop.topLeft() + QPoint(6, places.onTop.height() / 2);
            session.tool({QStringLiteral("mousemove"), QStringLiteral("--window"), renamer, QString::number(box.x()),
                          QString::number(box.y()), QStringLiteral("click"), QStringLiteral("1")});
            // The window system's window of the rename window is made anew with its new state.
            ASSERT_TRUE(waitUntil([&] { return session.keptAbove(session.window(renamerTitle)); }, limit));
            renamer = session.window(renamerTitle);
        }
        if (c.renamerLow) {
            // The field's bottom 60 pixels above the screen's: no room below it for the picker.
            const int y = 1024 - 60 - places.suffixField.bottom() - 1;
            session.tool({QStringLiteral("windowmove"), renamer, QString::number(client.x()), QString::number(y)});
            ASSERT_TRUE(waitUntil([&] { return session.clientRect(renamer).y() > client.y(); }, limit));
        }
        ASSERT_TRUE(activate(renamerTitle));
        const QRect field = places.suffixField.translated(session.clientRect(renamer).topLeft());

        // A click on the first action, down to "Suffix", Tab past "Move Up" and "Move Down" to its
        // field, whose list opens with Alt+Down; "$current_date$" is chosen.
        const QPoint firstRow(places.actions.center().x(), places.actions.top() + 6);
        session.tool({QStringLiteral("mousemove"), QStringLiteral("--window"), renamer, QString::number(firstRow.x()),
                      QString::number(firstRow.y()), QStringLiteral("click"), QStringLiteral("1")});
        QStringList keys{QStringLiteral("key"), QStringLiteral("--clearmodifiers")};
        for (int row = 0; row < 6; ++row)
            keys << QStringLiteral("Down");
        keys << QStringLiteral("Tab") << QStringLiteral("Tab") << QStringLiteral("Tab") << QStringLiteral("alt+Down")
             << QStringLiteral("Down") << QStringLiteral("Down") << QStringLiteral("Return");
        session.tool(keys);
        const QString picker = session.window(pickerTitle);
        ASSERT_FALSE(picker.isEmpty());
        ASSERT_TRUE(waitUntil([&] { return session.activeTitle() == pickerTitle; }, limit))
            << session.activeTitle().toStdString();

        // A click into the field: the rename window takes the focus, the picker stays in front.
        const QPoint inField = places.suffixField.center();
        session.tool({QStringLiteral("mousemove"), QStringLiteral("--window"), renamer, QString::number(inField.x()),
                      QString::number(inField.y()), QStringLiteral("click"), QStringLiteral("1")});
        EXPECT_TRUE(waitUntil([&] { return session.activeTitle() == renamerTitle; }, limit))
            << session.activeTitle().toStdString();
        const QStringList order = session.stackingTitles();
        EXPECT_TRUE(order.contains(renamerTitle) && !order.isEmpty() && order.last() == pickerTitle)
            << order.join(u',').toStdString();

        const QRect screen(0, 0, 1280, 1024);
        const auto placed = [&] {
            const QRect frame = session.frameRect(picker);
            const bool against = frame.top() == field.bottom() + 1 || frame.bottom() + 1 == field.top();
            return screen.contains(frame) && !frame.intersects(field) && against
                && std::abs(frame.center().x() - field.center().x()) <= 1;
        };
        const auto text = [](const QRect &r) {
            return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()).toStdString();
        };
        EXPECT_TRUE(waitUntil(placed, limit)) << "field " << text(field) << ", picker " << text(session.frameRect(picker));
        EXPECT_EQ(session.frameRect(picker).bottom() < field.top(), c.renamerLow) << "above the field only without room below";
        QFile::remove(home() + QStringLiteral("/Trevalle.ini"));
        quitWithKeyboard();
    }
}

TEST_F(DesktopStartup, OpenFilesStartShowsTheRenameWindowInFront)
{
    startVexlo({at("a.txt") + u'|' + at("b.txt")});
    ASSERT_FALSE(session.window(QStringLiteral("Morvane - Renamer")).isEmpty());
    EXPECT_TRUE(waitUntil([&] { return session.activeTitle() == QStringLiteral("Morvane - Renamer"); }, DesktopSession::StartLimitMs))
        << session.activeTitle().toStdString();
    QFile::remove(home() + QStringLiteral("/Trevalle.ini"));
    quitWithKeyboard();
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

// The review dialog of a run given a folder and a file inside it (`vexlo p.rnp d d/f.txt`), on a
// display: "Rename All", clicked at its place in the program's own window, renames the folder and
// then the file under the folder's new name, and the run ends.
TEST_F(DesktopStartup, ReviewDialogRenameAllClickedRenamesAFolderAndTheFileInsideIt)
{
    writeSettingsFile(true);
    testfiles::writeFile(at("d/f.txt"), "inside");
    startVexlo({writePrefixRnp(QStringLiteral("x_")), at("d"), at("d/f.txt")});
    const QString dialog = session.window(QStringLiteral("Morvane - Rename Drop"));
    ASSERT_FALSE(dialog.isEmpty());

    // Where "Rename All" lies in a window of that size: the same dialog laid out here (its layout
    // depends on the window's size and the style alone, not on the names it shows).
    const QString geometry = session.tool({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), dialog});
    static const QRegularExpression size(QStringLiteral("WIDTH=(\\d+)\\s+HEIGHT=(\\d+)"));
    const QRegularExpressionMatch m = size.match(geometry);
    ASSERT_TRUE(m.hasMatch()) << geometry.toStdString();
    engine::PreviewTable rows;
    engine::PreviewRow row;
    row.Original = QStringLiteral("d");
    row.Preview = QStringLiteral("x_d");
    row.Path = files() + u'/';
    rows.addRow(row);
    RecordingMessageService messages;
    mainwin::frmRenDrop mirror(rows, messages);
    mirror.resize(m.captured(1).toInt(), m.captured(2).toInt());
    mirror.layout()->activate();
    ASSERT_EQ(mirror.size(), QSize(m.captured(1).toInt(), m.captured(2).toInt()));
    const QPoint centre = mirror.Command4->geometry().center();

    session.tool({QStringLiteral("mousemove"), QStringLiteral("--window"), dialog, QString::number(centre.x()),
                  QString::number(centre.y()), QStringLiteral("click"), QStringLiteral("1")});
    ASSERT_TRUE(vexlo.waitForFinished(DesktopSession::WindowLimitMs)) << "the run did not end";
    const QString errors = QString::fromLocal8Bit(vexlo.readAllStandardError());
    EXPECT_EQ(vexlo.exitCode(), 0) << errors.toStdString();
    EXPECT_TRUE(errors.contains(QStringLiteral("Files Renamed"))) << errors.toStdString();
    EXPECT_EQ(testfiles::readFile(at("x_d/x_f.txt")), "inside");
    EXPECT_FALSE(exists("d"));
}
