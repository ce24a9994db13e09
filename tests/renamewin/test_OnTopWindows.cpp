// The on-top controls of the main window, the rename window and the bookmarks window exclude
// each other: whichever was ticked last holds TopMostWindow.
#include "AppState.h"
#include "Clock.h"
#include "Dialogs.h"
#include "MessageService.h"
#include "RandomSource.h"
#include "RenamerWiring.h"
#include "Shell.h"
#include "frmBookmarks.h"
#include "frmMain.h"
#include "frmRenamer.h"

#include <QAction>
#include <QCheckBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(OnTopWindows, TheLastWindowPutOnTopHoldsIt)
{
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    qputenv("VEXLO_HOME", home.path().toUtf8());
    RecordingMessageService messages;
    RecordingDialogs dialogs;
    RecordingShell shell;
    FixedClock clock{QDateTime(QDate(2026, 2, 3), QTime(21, 5, 9))};
    FixedRandom random{{0.0f}};
    AppState state;
    state.services = {&messages, &dialogs, &shell, &clock, &random};

    mainwin::frmMain main(state);
    renamewin::frmRenamer renamer(state);
    const auto mainList = renamewin::connectRenamer(main, renamer);
    main.Load();
    mainwin::frmBookmarks &bookmarks = main.Bookmarks();

    renamer.chkOnTop->setChecked(true);
    ASSERT_EQ(state.TopMostWindow, 7);
    bookmarks.mnuOnTop->trigger();
    EXPECT_TRUE(bookmarks.mnuOnTop->isChecked());
    EXPECT_FALSE(renamer.chkOnTop->isChecked());
    EXPECT_EQ(state.TopMostWindow, 5);

    renamer.chkOnTop->setChecked(true);
    EXPECT_FALSE(bookmarks.mnuOnTop->isChecked());
    EXPECT_FALSE(bookmarks.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(state.TopMostWindow, 7);

    bookmarks.mnuOnTop->trigger();
    main.chkOnTop->setChecked(true);
    EXPECT_FALSE(bookmarks.mnuOnTop->isChecked());
    EXPECT_FALSE(renamer.chkOnTop->isChecked());
    EXPECT_EQ(state.TopMostWindow, 1);
    qunsetenv("VEXLO_HOME");
}
