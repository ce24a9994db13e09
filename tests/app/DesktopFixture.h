#pragma once
// What the tests of the program on a display share: the program started on a virtual display
// with a window manager, a window brought to the front and clicked as a user does, and where the
// controls of a rename window lie, found by laying out the same window here.
#include "AppState.h"
#include "Clock.h"
#include "DesktopSession.h"
#include "Dialogs.h"
#include "DragListBox.h"
#include "MessageService.h"
#include "RandomSource.h"
#include "Shell.h"
#include "StartupFixture.h"
#include "frmRenamer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPoint>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRect>
#include <QSize>
#include <gtest/gtest.h>

namespace startuptest {

/** Sets the program folder before the state below is made (the state reads it then). */
struct ProgramFolderSet {
    explicit ProgramFolderSet(const QString &programFolder) { qputenv("VEXLO_HOME", programFolder.toUtf8()); }
};

/** The program's state with recording services and a fixed clock, its program folder set while
 *  it lives: for laying out one of the program's windows here as the program lays it out. */
class MirrorApp : private ProgramFolderSet {
public:
    explicit MirrorApp(const QString &programFolder) : ProgramFolderSet(programFolder)
    {
        app.services = {&messages, &dialogs, &shell, &clock, &random};
    }
    /** The folder is unset before the state goes, as once the windows laid out with it are gone. */
    ~MirrorApp() { qunsetenv("VEXLO_HOME"); }
    MirrorApp(const MirrorApp &) = delete;
    MirrorApp &operator=(const MirrorApp &) = delete;

    AppState app;
    RecordingMessageService messages;
    RecordingDialogs dialogs;
    RecordingShell shell;
    FixedClock clock{QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5))};
    FixedRandom random{{0.5f}};
};

/** Where controls lie in a rename window, in the window's pixels. */
struct RenamerPlaces {
    QSize size;  // the size the window laid out here took
    QRect onTop;
    QRect actions;  // the action list's rows
    QRect suffixField;
    QRect refresh, clear, exit, status, progress;  // the bottom row
    QRect fileSelection;                           // "&File Selection"
};

/** Where the controls lie in a rename window whose client area is `size`: the same window laid
 *  out here (its controls are placed by the window's size alone). */
inline RenamerPlaces layOutRenamer(const QSize &size, const QString &programFolder)
{
    MirrorApp mirrorApp(programFolder);
    renamewin::frmRenamer mirror(mirrorApp.app);
    mirror.show();
    mirror.resize(size);
    const auto place = [&mirror](const QWidget *control) {
        return QRect(control->mapTo(&mirror, QPoint(0, 0)), control->size());
    };
    RenamerPlaces places;
    places.size = mirror.size();
    places.onTop = place(mirror.chkOnTop);
    places.actions = place(mirror.List3->viewport());
    places.suffixField = place(mirror.tokenControls(engine::TokenAction::Suffix).combo);
    places.refresh = place(mirror.cmdRefresh);
    places.clear = place(mirror.cmdClear);
    places.exit = place(mirror.cmdClose);
    places.status = place(mirror.lblStatus);
    places.progress = place(mirror.ProgBar);
    places.fileSelection = place(mirror.Command14);
    return places;
}

/** The program on a virtual display with a window manager; a test is skipped when the display
 *  cannot be had. */
class DesktopTest : public StartupTest {
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
        QProcessEnvironment env = vexloEnvironment(QStringLiteral("xcb"), session.environment());
        if (showMessageBoxes)
            env.remove(QStringLiteral("VEXLO_MESSAGES"));
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

    /** A click with the first button at `at` in the window `window`'s pixels. */
    void click(const QString &window, const QPoint &at)
    {
        session.tool({QStringLiteral("mousemove"), QStringLiteral("--window"), window, QString::number(at.x()),
                      QString::number(at.y()), QStringLiteral("click"), QStringLiteral("1")});
    }
};

} // namespace startuptest
