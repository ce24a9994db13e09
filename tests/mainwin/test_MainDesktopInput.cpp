// The main window on a virtual display with a window manager, driven with real X input: xdotool
// moves the pointer onto a control's rectangle and clicks, and types keys, so the events come
// through the X server, the window manager's focus handling and the toolkit's X platform as a
// user's do.
//
// Each test here runs this test program again as a child on the display (platform xcb), naming
// one of the MainOnTheDesktop tests: the child builds and shows the window, acts with xdotool and
// checks the window's state. The child tests skip unless they are run that way.
#include "../app/DesktopSession.h"
#include "ListViewEditable.h"
#include "ListViewEditableWidget.h"
#include "TestInChild.h"
#include "WindowFixture.h"
#include "frmMain.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QProcess>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTreeView>
#include <memory>

using namespace mainwin;

namespace {

/** Set in the child's environment: the MainOnTheDesktop tests run only there. */
constexpr char kChildVariable[] = "MORVANE_DESKTOP_CHILD";

/** How long the child waits for an effect of its input: a bound for a busy machine, no timing. */
constexpr int kEffectLimitMs = DesktopSession::StartLimitMs;

/** The window built in the process, on the X display of the session that started the process. */
class MainOnTheDesktop : public WindowFixture {
public:
    void SetUp() override
    {
        if (qgetenv(kChildVariable).isEmpty() || QGuiApplication::platformName() != QStringLiteral("xcb"))
            GTEST_SKIP() << "runs as the child of a MainDesktopInput test, on a display with a window manager";
        WindowFixture::SetUp();
    }

    /** Loads the window on a settings file that lists `folder` in the report view, shows it and
     *  waits until the window manager gave it the keyboard and the listing is done. */
    std::unique_ptr<frmMain> openOn(const QString &folder, int files)
    {
        QStringList lines(24);
        lines[0] = folder;
        lines[4] = QStringLiteral("Report");
        writeSettings(lines);
        auto w = std::make_unique<frmMain>(state);
        w->Load();
        w->show();
        w->activateWindow();
        EXPECT_TRUE(waitUntil([&] { return QApplication::activeWindow() == w.get(); }, kEffectLimitMs))
            << "the window manager gave the window the keyboard";
        EXPECT_TRUE(waitUntil([&] { return w->lvw2->FileItemCount() == files && w->ListingSettled(); }, kEffectLimitMs));
        return w;
    }

    /** A real click of the left button at `at` in `widget`, through the X server: the pointer
     *  moves there relative to the top-level X window, so no guess of the frame is made. */
    void click(QWidget *widget, QPoint at)
    {
        QWidget *top = widget->window();
        const QPoint inTop = widget->mapTo(top, at);
        ASSERT_TRUE(top->rect().contains(inTop));
        ASSERT_TRUE(widget->screen()->geometry().contains(widget->mapToGlobal(at))) << "the place is on the screen";
        ASSERT_TRUE(xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), QString::number(top->winId()),
                             QString::number(inTop.x()), QString::number(inTop.y()), QStringLiteral("click"),
                             QStringLiteral("1")}));
    }

    /** A real key press and release (an X key name: Down, space, Return...). */
    void key(const QString &name)
    {
        ASSERT_TRUE(xdotool({QStringLiteral("key"), QStringLiteral("--clearmodifiers"), name}));
    }

    static bool xdotool(const QStringList &arguments)
    {
        QProcess p;
        p.start(QStringLiteral("xdotool"), arguments);
        return p.waitForFinished(kEffectLimitMs) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    }

    /** Picks `text` in a combo as a user does: a click on its arrow opens the drop-down list, the
     *  arrow keys move onto the entry and Enter takes it. */
    void choose(QComboBox *combo, const QString &text)
    {
        const int index = combo->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = combo->isEditable();
        click(combo, combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, combo).center());
        QAbstractItemView *list = combo->view();
        ASSERT_TRUE(waitUntil([&] { return list->isVisible(); }, kEffectLimitMs)) << "the drop-down list opens";
        for (int guard = 0; list->currentIndex().row() != index && guard < 2 * combo->count(); ++guard) {
            const int from = list->currentIndex().row();
            key(from < index ? QStringLiteral("Down") : QStringLiteral("Up"));
            ASSERT_TRUE(waitUntil([&] { return list->currentIndex().row() != from; }, kEffectLimitMs));
        }
        ASSERT_EQ(list->currentIndex().row(), index);
        key(QStringLiteral("Return"));
        ASSERT_TRUE(waitUntil([&] { return !list->isVisible(); }, kEffectLimitMs)) << "the drop-down list closes";
        EXPECT_EQ(combo->currentText(), text);
    }

    static QStringList sortedNames(const filelist::ListViewEditable &list)
    {
        QStringList names;
        for (int32_t i = 1; i <= list.ListItems().Count(); ++i)
            names << list.ListItems().Item(i).Text;
        names.sort();
        return names;
    }
};

/** Runs one MainOnTheDesktop test as a child on a fresh display with a window manager. */
class MainDesktopInput : public ::testing::Test {
protected:
    DesktopSession session;

    void SetUp() override
    {
        if (!qgetenv(kChildVariable).isEmpty())
            GTEST_SKIP() << "the child runs only its own test";
        if (!session.available())
            GTEST_SKIP() << "Xvfb, openbox or xdotool is missing";
        // The display is the test's surroundings, not the program: one that will not come up
        // (a loaded machine) skips the test rather than failing it.
        if (!session.start())
            GTEST_SKIP() << "the virtual display with its window manager did not come up";
    }

    void runChild(const char *test)
    {
        QProcessEnvironment env = session.environment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QString::fromLatin1(kChildVariable), QStringLiteral("1"));
        QProcess child;
        child.setProcessEnvironment(env);
        testfiles::runTestInChild(child, QStringLiteral("MainOnTheDesktop.") + QString::fromLatin1(test),
                                  4 * DesktopSession::WindowLimitMs);
    }
};

} // namespace

// A click on the Type cell of the first row opens its edit box without taking the keyboard: Down
// then moves to the second row and Space ticks that one; the box goes and leaves the keys with
// the list.
TEST_F(MainOnTheDesktop, AClickOnATypeCellLeavesTheKeysWithTheList)
{
    for (const char *name : {"a.txt", "b.txt", "c.txt"})
        makeFile(QString::fromLatin1(name));
    auto w = openOn(dataPath(), 3);
    ASSERT_FALSE(HasFatalFailure());
    QTreeView *view = w->lvw2Widget->ListView();
    QLineEdit *box = w->lvw2Widget->EditBox();
    const auto ticks = [&] {
        QList<bool> out;
        for (int32_t i = 1; i <= w->lvw2->FileItemCount(); ++i)
            out << w->lvw2->checked(i);
        return out;
    };
    w->lvw2->setCheckedAll(false);
    ASSERT_EQ(ticks(), QList<bool>({false, false, false}));

    click(view->viewport(), view->visualRect(w->lvw2->ListItems().index(0, 3)).center());
    ASSERT_TRUE(waitUntil([&] { return box->isVisible(); }, kEffectLimitMs)) << "the Type cell's box opens";
    EXPECT_EQ(QApplication::focusWidget(), view) << "the box did not take the keyboard";
    EXPECT_EQ(view->currentIndex().row(), 0);

    key(QStringLiteral("Down"));
    ASSERT_TRUE(waitUntil([&] { return view->currentIndex().row() == 1; }, kEffectLimitMs));
    key(QStringLiteral("space"));
    EXPECT_TRUE(waitUntil([&] { return ticks() != QList<bool>({false, false, false}); }, kEffectLimitMs));
    EXPECT_EQ(ticks(), QList<bool>({false, true, false}));
    EXPECT_FALSE(box->isVisible()) << "no box stays on the first row";
    EXPECT_EQ(QApplication::focusWidget(), view);
    EXPECT_EQ(state.SelFileCount, 1) << "the window counted the ticked row";
    w->close();
}

// A file deleted after the folder was listed leaves the list when another file type is chosen:
// the type filter looks every item up again, and a file that is gone has no type.
TEST_F(MainOnTheDesktop, AFileDeletedSinceTheListingLeavesWithTheTypeFilter)
{
    for (const char *name : {"keep.txt", "gone.txt", "pic.jpg"})
        makeFile(QString::fromLatin1(name));
    auto w = openOn(dataPath(), 3);
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_TRUE(QFile::remove(dataPath(QStringLiteral("gone.txt"))));
    EXPECT_EQ(sortedNames(*w->lvw2), (QStringList{"gone.txt", "keep.txt", "pic.jpg"})) << "nothing looks before a filter";

    const QStringList kept{"keep.txt", "pic.jpg"};
    for (const char *type : {"All Files", "*.*"}) {
        SCOPED_TRACE(type);
        choose(w->cmbFileType, QString::fromLatin1(type));
        ASSERT_FALSE(HasFatalFailure());
        EXPECT_TRUE(waitUntil([&] { return sortedNames(*w->lvw2) == kept && w->ListingSettled(); }, kEffectLimitMs))
            << sortedNames(*w->lvw2).join(u',').toStdString();
        EXPECT_EQ(w->txtPlot->text(), QStringLiteral("2"));
    }
    w->close();
}

TEST_F(MainDesktopInput, AClickOnATypeCellLeavesTheKeysWithTheList)
{
    runChild("AClickOnATypeCellLeavesTheKeysWithTheList");
}

TEST_F(MainDesktopInput, AFileDeletedSinceTheListingLeavesWithTheTypeFilter)
{
    runChild("AFileDeletedSinceTheListingLeavesWithTheTypeFilter");
}
