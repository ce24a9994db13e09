// The program as a process on a display with a window manager: which window is in front and has
// the keyboard, how the windows stack, where the pickers open, and clicks at the real places of
// controls.
#include "DesktopFixture.h"
#include "PreviewTable.h"
#include "frmMain.h"
#include "frmRenDrop.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <string_view>

using namespace startuptest;

namespace {

class DesktopStartup : public DesktopTest {
protected:
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

// A start brings up the window that was kept On Top in front, and only that window is kept
// above other programs' windows: the other one stays an ordinary window, also after a click on it
// and when another program's window comes up.
TEST_F(DesktopStartup, AtStartOnlyTheWindowSavedOnTopIsKeptAboveAndTheFrontOneHasTheKeyboard)
{
    if (QStandardPaths::findExecutable(QStringLiteral("xmessage")).isEmpty())
        GTEST_SKIP() << "xmessage (x11-utils) is missing";
    struct Case {
        const char *name;
        const char *topMostWindow;  // the settings file's TopMostWindow
        bool mainAbove;
        bool renamerAbove;
    };
    const Case cases[] = {
        {"nothing on top", "0", false, false},
        {"main window on top", "1", true, false},
        {"rename window on top", "7", false, true},
    };
    const int limit = DesktopSession::StartLimitMs;
    const QString mainTitle = QStringLiteral("Morvane");
    const QString renamerTitle = QStringLiteral("Morvane - Renamer");
    const QString otherTitle = QStringLiteral("Another Program");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        writeSettingsFile(false, c.topMostWindow);
        startVexlo({});
        ASSERT_FALSE(session.window(mainTitle).isEmpty());
        ASSERT_FALSE(session.window(renamerTitle).isEmpty());
        // The window manager's states, each window looked up again: a window that takes On Top
        // gets a new window system window.
        const auto above = [&](const QString &title) { return session.keptAbove(session.window(title)); };
        const auto states = [&] { return above(mainTitle) == c.mainAbove && above(renamerTitle) == c.renamerAbove; };
        const auto stackText = [&] { return session.stackingTitles().join(u',').toStdString(); };
        const auto higher = [&](const QString &upper, const QString &lower) {
            const QStringList order = session.stackingTitles();
            return order.contains(lower) && order.indexOf(upper) > order.indexOf(lower);
        };

        // In front with the keyboard: the rename window when it is the one kept On Top, else the
        // main window.
        const QString front = c.renamerAbove ? renamerTitle : mainTitle;
        const QString back = c.renamerAbove ? mainTitle : renamerTitle;
        EXPECT_TRUE(waitUntil([&] { return session.activeTitle() == front; }, limit)) << session.activeTitle().toStdString();
        EXPECT_TRUE(waitUntil([&] { return higher(front, back); }, limit)) << stackText();
        EXPECT_TRUE(waitUntil(states, limit)) << "main above " << above(mainTitle) << ", renamer above " << above(renamerTitle);

        // A click on the main window's title bar, past its icon, where the rename window leaves
        // it free: it takes the keyboard, and a rename window kept On Top stays over it.
        const QRect mainFrame = session.frameRect(session.window(mainTitle));
        ASSERT_FALSE(mainFrame.isEmpty());
        const QRect renamerFrame = session.frameRect(session.window(renamerTitle));
        const QPoint titleBar(mainFrame.left() + 60, mainFrame.top() + 8);
        ASSERT_LT(titleBar.x() + 20, renamerFrame.left()) << "the main window's title bar shows left of the rename window";
        session.tool({QStringLiteral("mousemove"), QString::number(titleBar.x()), QString::number(titleBar.y()),
                      QStringLiteral("click"), QStringLiteral("1")});
        EXPECT_TRUE(waitUntil([&] { return session.activeTitle() == mainTitle; }, limit)) << session.activeTitle().toStdString();
        EXPECT_TRUE(waitUntil([&] { return higher(front, back); }, limit)) << stackText();
        EXPECT_TRUE(states()) << "main above " << above(mainTitle) << ", renamer above " << above(renamerTitle);

        // Another program's window comes over every window of the program that is not kept on top.
        QProcess other;
        other.setProcessEnvironment(session.environment());
        other.start(QStringLiteral("xmessage"), {QStringLiteral("-title"), otherTitle, QStringLiteral("another program")});
        ASSERT_TRUE(other.waitForStarted());
        ASSERT_FALSE(session.window(otherTitle).isEmpty());
        const auto otherPlaced = [&] {
            return higher(otherTitle, mainTitle) != c.mainAbove && higher(otherTitle, renamerTitle) != c.renamerAbove;
        };
        EXPECT_TRUE(waitUntil(otherPlaced, limit)) << stackText();
        other.kill();
        other.waitForFinished(5000);

        QFile::remove(home() + QStringLiteral("/Trevalle.ini"));
        quitWithKeyboard();
    }
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

/** Where the controls lie in a rename window whose client area is `size`, which the same window
 *  laid out here takes. */
RenamerPlaces renamerPlaces(const QSize &size, const QString &programFolder)
{
    const RenamerPlaces places = layOutRenamer(size, programFolder);
    EXPECT_EQ(places.size, size);
    return places;
}

/** Where the main window's "On Top" box lies in a main window whose client area is `size`: the
 *  same window laid out here. */
QRect mainOnTopPlace(const QSize &size, const QString &programFolder)
{
    MirrorApp mirrorApp(programFolder);
    mainwin::frmMain mirror(mirrorApp.app);
    mirror.show();
    mirror.resize(size);
    mirror.layout()->activate();
    EXPECT_EQ(mirror.size(), size);
    const QRect onTop(mirror.chkOnTop->mapTo(&mirror, QPoint(0, 0)), mirror.chkOnTop->size());
    mirror.hide();
    return onTop;
}

} // namespace

// With the rename window On Top, "&File Selection" brings the main window in front of it with
// the keyboard. The main window is above the rename window only while the user needs it there:
// once the user leaves it for another program's window, it is an ordinary window again, which
// that window comes over while the rename window stays above both. Its own "On Top", ticked,
// keeps it above (and takes the rename window's).
TEST_F(DesktopStartup, TheMainWindowBroughtInFrontOfTheRenameWindowOnTopIsOrdinaryOnceLeft)
{
    if (QStandardPaths::findExecutable(QStringLiteral("xmessage")).isEmpty())
        GTEST_SKIP() << "xmessage (x11-utils) is missing";
    struct Case {
        const char *name;
        bool mainOnTopTicked;  // the main window's own "On Top" box clicked while it is in front
    };
    const Case cases[] = {
        {"main window left as it is", false},
        {"main window's own On Top ticked", true},
    };
    const int limit = DesktopSession::StartLimitMs;
    const QString mainTitle = QStringLiteral("Morvane");
    const QString renamerTitle = QStringLiteral("Morvane - Renamer");
    const QString otherTitle = QStringLiteral("Another Program");
    const auto above = [&](const QString &title) { return session.keptAbove(session.window(title)); };
    const auto stackText = [&] { return session.stackingTitles().join(u',').toStdString(); };
    const auto higher = [&](const QString &upper, const QString &lower) {
        const QStringList order = session.stackingTitles();
        return order.contains(lower) && order.indexOf(upper) > order.indexOf(lower);
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        writeSettingsFile(false, "7");
        startVexlo({});
        ASSERT_TRUE(waitUntil([&] { return session.activeTitle() == renamerTitle; }, limit))
            << session.activeTitle().toStdString();
        ASSERT_TRUE(waitUntil([&] { return above(renamerTitle) && !above(mainTitle); }, limit));

        const QString renamer = session.window(renamerTitle);
        const RenamerPlaces places = renamerPlaces(session.clientRect(renamer).size(), home());
        click(renamer, places.fileSelection.center());
        EXPECT_TRUE(waitUntil([&] { return session.activeTitle() == mainTitle; }, limit)) << session.activeTitle().toStdString();
        EXPECT_TRUE(waitUntil([&] { return higher(mainTitle, renamerTitle); }, limit)) << stackText();

        // While the user works from it, the main window stays in front: its "About" window
        // (Help, About) comes above both, and once it is closed with its default "OK" the main
        // window is still above the rename window, with the keyboard.
        const QString aboutTitle = QStringLiteral("About");
        session.tool({QStringLiteral("key"), QStringLiteral("--clearmodifiers"), QStringLiteral("alt+h"), QStringLiteral("a")});
        EXPECT_TRUE(waitUntil([&] { return session.activeTitle() == aboutTitle; }, limit)) << session.activeTitle().toStdString();
        EXPECT_TRUE(waitUntil([&] { return higher(aboutTitle, renamerTitle); }, limit)) << stackText();
        EXPECT_TRUE(higher(mainTitle, renamerTitle)) << stackText();
        session.tool({QStringLiteral("key"), QStringLiteral("--clearmodifiers"), QStringLiteral("Return")});
        EXPECT_TRUE(waitUntil([&] { return session.activeTitle() == mainTitle; }, limit)) << session.activeTitle().toStdString();
        EXPECT_TRUE(higher(mainTitle, renamerTitle)) << stackText();

        if (c.mainOnTopTicked) {
            const QString main = session.window(mainTitle);
            const QRect box = mainOnTopPlace(session.clientRect(main).size(), home());
            ASSERT_FALSE(box.isEmpty());
            click(main, box.topLeft() + QPoint(6, box.height() / 2));
            ASSERT_TRUE(waitUntil([&] { return above(mainTitle) && !above(renamerTitle); }, limit))
                << "main above " << above(mainTitle) << ", renamer above " << above(renamerTitle);
        }

        // The user goes to another program's window, which lies across both windows.
        QProcess other;
        other.setProcessEnvironment(session.environment());
        other.start(QStringLiteral("xmessage"), {QStringLiteral("-title"), otherTitle, QStringLiteral("-geometry"),
                                                 QStringLiteral("400x200+100+300"), QStringLiteral("another program")});
        ASSERT_TRUE(other.waitForStarted());
        ASSERT_TRUE(activate(otherTitle)) << session.activeTitle().toStdString();
        const bool mainAbove = c.mainOnTopTicked;
        const bool renamerAbove = !c.mainOnTopTicked;
        const auto placed = [&] {
            return higher(otherTitle, mainTitle) != mainAbove && higher(otherTitle, renamerTitle) != renamerAbove
                && above(mainTitle) == mainAbove && above(renamerTitle) == renamerAbove;
        };
        EXPECT_TRUE(waitUntil(placed, limit)) << stackText() << "; main above " << above(mainTitle) << ", renamer above "
                                              << above(renamerTitle);
        // The screen as the user sees it, saved for a reviewer to look at.
        const QString shot = QStandardPaths::findExecutable(QStringLiteral("import"));
        if (!shot.isEmpty())
            QProcess::execute(shot, {QStringLiteral("-display"), session.display, QStringLiteral("-window"), QStringLiteral("root"),
                                     QDir(testfiles::artifactFolder())
                                         .filePath(QStringLiteral("desktop_main_left_%1.png").arg(c.mainOnTopTicked ? 2 : 1))});
        other.kill();
        other.waitForFinished(5000);

        QFile::remove(home() + QStringLiteral("/Trevalle.ini"));
        quitWithKeyboard();
    }
}

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
            click(renamer, box);
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
        click(renamer, firstRow);
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
        click(renamer, inField);
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

// On a netbook's 1024x600 screen the rename window, larger by design, opens centred and wholly on
// the screen with its frame, its bottom row in sight and working; the user can make it smaller
// still. Opened at the start and again with "&Rename" after "E&xit" hid it.
TEST_F(DesktopStartup, OnASmallScreenTheRenameWindowOpensWhollyOnItAndCanBeMadeSmaller)
{
    session.stop();
    session.screenSize = QSize(1024, 600);
    if (!session.start())
        GTEST_SKIP() << "the virtual display with its window manager did not come up";
    const QRect screen(QPoint(0, 0), session.screenSize);
    const int limit = DesktopSession::StartLimitMs;
    const QString renamerTitle = QStringLiteral("Morvane - Renamer");
    const auto text = [](const QRect &r) {
        return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()).toStdString();
    };
    // "E&xit", clicked at its place in the window as it now is: the window goes.
    const auto clickExit = [&](const QString &renamer) {
        const QRect client = session.clientRect(renamer);
        const RenamerPlaces places = renamerPlaces(client.size(), home());
        const QPoint exit = places.exit.center();
        click(renamer, exit);
        EXPECT_TRUE(waitUntil([&] { return !session.shows(renamerTitle); }, limit)) << "E&xit hides the window";
    };
    startVexlo({});

    for (const char *opening : {"at the start", "with Rename"}) {
        SCOPED_TRACE(opening);
        if (std::string_view(opening) == "with Rename") {
            ASSERT_TRUE(activate(QStringLiteral("Morvane")));
            session.tool({QStringLiteral("key"), QStringLiteral("--clearmodifiers"), QStringLiteral("alt+r")});
        }
        const QString renamer = session.window(renamerTitle);
        ASSERT_FALSE(renamer.isEmpty());
        const auto centredOnScreen = [&] {
            const QRect frame = session.frameRect(renamer);
            return screen.contains(frame) && std::abs(frame.center().x() - screen.center().x()) <= 1
                && std::abs(frame.center().y() - screen.center().y()) <= 1;
        };
        EXPECT_TRUE(waitUntil(centredOnScreen, limit)) << text(session.frameRect(renamer));
        const QRect client = session.clientRect(renamer);
        const RenamerPlaces places = renamerPlaces(client.size(), home());
        for (const QRect &control : {places.refresh, places.clear, places.exit, places.status, places.progress}) {
            const QRect onScreen = control.translated(client.topLeft());
            EXPECT_TRUE(!control.isEmpty() && client.contains(onScreen) && screen.contains(onScreen)) << text(onScreen);
        }
        ASSERT_TRUE(activate(renamerTitle));
        // The screen as the user sees it, saved for a reviewer to look at.
        const QString shot = QStandardPaths::findExecutable(QStringLiteral("import"));
        if (!shot.isEmpty() && std::string_view(opening) == "at the start")
            QProcess::execute(shot, {QStringLiteral("-display"), session.display, QStringLiteral("-window"), QStringLiteral("root"),
                                     QDir(testfiles::artifactFolder()).filePath(QStringLiteral("desktop_renamer_1024x600.png"))});
        clickExit(renamer);
    }

    // Smaller than the screen by the user's hand: the window takes the size, and its bottom row
    // still works.
    ASSERT_TRUE(activate(QStringLiteral("Morvane")));
    session.tool({QStringLiteral("key"), QStringLiteral("--clearmodifiers"), QStringLiteral("alt+r")});
    const QString renamer = session.window(renamerTitle);
    ASSERT_FALSE(renamer.isEmpty());
    ASSERT_TRUE(waitUntil([&] { return screen.contains(session.frameRect(renamer)); }, limit));
    const QSize smaller(560, 420);
    session.tool({QStringLiteral("windowsize"), renamer, QString::number(smaller.width()), QString::number(smaller.height())});
    EXPECT_TRUE(waitUntil([&] { return session.clientRect(renamer).size() == smaller; }, limit))
        << text(session.clientRect(renamer));
    ASSERT_TRUE(activate(renamerTitle));
    clickExit(renamer);

    QFile::remove(home() + QStringLiteral("/Trevalle.ini"));
    quitWithKeyboard();
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

    click(dialog, centre);
    ASSERT_TRUE(vexlo.waitForFinished(DesktopSession::WindowLimitMs)) << "the run did not end";
    const QString errors = QString::fromLocal8Bit(vexlo.readAllStandardError());
    EXPECT_EQ(vexlo.exitCode(), 0) << errors.toStdString();
    EXPECT_TRUE(errors.contains(QStringLiteral("Files Renamed"))) << errors.toStdString();
    EXPECT_EQ(testfiles::readFile(at("x_d/x_f.txt")), "inside");
    EXPECT_FALSE(exists("d"));
}
