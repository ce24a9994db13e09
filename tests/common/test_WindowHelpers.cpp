#include "FramedPlacement.h"
#include "WindowHelpers.h"

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QWindow>
#include <gtest/gtest.h>

using namespace common;

TEST(WindowHelpers, ListHScrollOnlyForAWiderItem)
{
    QListWidget list;
    list.resize(120, 100);
    list.addItems({QStringLiteral("a"), QStringLiteral("b")});
    SetListHScroll(&list);
    EXPECT_EQ(ListHScrollExtent(&list), 0);
    list.addItem(QString(200, u'W'));
    SetListHScroll(&list);
    EXPECT_EQ(ListHScrollExtent(&list), 2 * list.width() + 1);
}

TEST(WindowHelpers, TopMostAndComboWidth)
{
    QWidget w;
    EXPECT_EQ(SetWindowTopMost(&w, true), 1);
    EXPECT_TRUE(w.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(SetWindowTopMost(&w, false), 0);
    EXPECT_FALSE(w.windowFlags() & Qt::WindowStaysOnTopHint);

    QComboBox empty;
    AutoSizeCombo(&empty);
    EXPECT_EQ(empty.view()->minimumWidth(), 30);
    QComboBox combo;
    combo.addItems({QStringLiteral("short"), QString(40, u'M')});
    AutoSizeCombo(&combo);
    EXPECT_EQ(combo.view()->minimumWidth(), QFontMetrics(combo.font()).horizontalAdvance(QString(40, u'M')) + 30);
}

// A 200 x 100 frame opened under a 100 x 20 field on a 1000 x 800 area that starts at (0, 30)
// (a panel above it).
TEST(WindowHelpers, AWindowOpensUnderItsFieldWhollyInsideTheArea)
{
    const QRect area(0, 30, 1000, 800);
    const QSize frame(200, 100);
    struct Case {
        const char *name;
        QRect field;
        QPoint topLeft;
    };
    const Case cases[] = {
        {"room below: centred, its top at the field's bottom", {400, 300, 100, 20}, {350, 320}},
        {"at the left edge: moved right", {0, 300, 100, 20}, {0, 320}},
        {"at the right edge: moved left", {950, 300, 100, 20}, {800, 320}},
        {"no room below: above the field", {400, 720, 100, 20}, {350, 620}},
        {"the frame's last row on the area's last row", {400, 710, 100, 20}, {350, 730}},
        {"no room below nor above: as low as fits", {400, 110, 100, 700}, {350, 730}},
        {"bottom-right corner: above and moved left", {980, 800, 100, 20}, {800, 700}},
        {"field above the area: on its first row", {400, -50, 100, 20}, {350, 30}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QPoint at = PlaceUnder(c.field, frame, area);
        EXPECT_EQ(at, c.topLeft);
        EXPECT_TRUE(area.contains(QRect(at, frame)));
    }
    // A frame larger than the area keeps its top-left corner in sight.
    EXPECT_EQ(PlaceUnder({400, 300, 100, 20}, QSize(1200, 900), area), QPoint(0, 30));
}

// A frame fitted into a 1000 x 800 area that starts at (0, 30) (a panel above it).
TEST(WindowHelpers, AFrameIsFittedWhollyInsideTheAreaMovedInAsLittleAsNeeded)
{
    const QRect area(0, 30, 1000, 800);
    struct Case {
        const char *name;
        QRect frame;
        QRect fitted;
    };
    const Case cases[] = {
        {"inside: stays", {100, 100, 200, 100}, {100, 100, 200, 100}},
        {"filling the area: stays", area, area},
        {"out on the right: moved left", {900, 100, 200, 100}, {800, 100, 200, 100}},
        {"out at the bottom: moved up", {100, 780, 200, 100}, {100, 730, 200, 100}},
        {"out at the top left: moved down and right", {-50, 0, 200, 100}, {0, 30, 200, 100}},
        {"wider: as wide as the area, its height kept", {300, 100, 1200, 100}, {0, 100, 1000, 100}},
        {"taller, centred on a larger screen: shrunk, its left edge kept", {400, -20, 200, 900}, {400, 30, 200, 800}},
        {"larger both ways: the whole area", {-10, -10, 1300, 1000}, area},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QRect fitted = FitInside(c.frame, area);
        EXPECT_EQ(fitted, c.fitted);
        EXPECT_TRUE(area.contains(fitted));
    }
}

// A window larger than its screen, shown, is made to lie wholly on the screen's free area with its
// frame; a window on it already keeps its place and size.
TEST(WindowHelpers, AWindowShownIsFittedOnItsScreen)
{
    QWidget large;
    const QRect area = large.screen()->availableGeometry();
    large.resize(area.size() + QSize(300, 200));
    large.move(area.topLeft() + QPoint(40, 30));
    large.show();
    FitOnScreen(&large);
    EXPECT_TRUE(area.contains(large.frameGeometry())) << large.frameGeometry().x() << "," << large.frameGeometry().y()
                                                      << " " << large.frameGeometry().width() << "x"
                                                      << large.frameGeometry().height();
    EXPECT_EQ(large.frameGeometry().size(), area.size());

    QWidget small;
    small.resize(200, 100);
    small.move(area.topLeft() + QPoint(40, 30));
    small.show();
    const QRect before = small.geometry();
    FitOnScreen(&small);
    EXPECT_EQ(small.geometry(), before);
}

TEST(WindowHelpers, AWindowKeptAboveItsOwnerFollowsTheOwnerItIsGiven)
{
    QWidget first;
    QWidget second;
    QComboBox field(&second);
    first.show();
    second.show();
    QWidget picker(nullptr, Qt::Dialog);
    KeepAboveOwner(&picker, &first);
    ASSERT_NE(picker.windowHandle(), nullptr);
    EXPECT_EQ(picker.windowHandle()->transientParent(), first.windowHandle());
    EXPECT_EQ(picker.parentWidget(), nullptr) << "the owner does not own it: it is not deleted with it";
    picker.show();
    // Opened again from a field of another window: it stays on the screen, above that window now.
    KeepAboveOwner(&picker, &field);
    EXPECT_EQ(picker.windowHandle()->transientParent(), second.windowHandle());
    EXPECT_TRUE(picker.isVisible());
}

TEST(WindowHelpers, WindowsOpenedWhileOneIsKeptOnTopComeAboveIt)
{
    KeepOpenedWindowsAboveOnTop();
    const auto onTop = [](const QWidget &w) { return w.windowFlags().testFlag(Qt::WindowStaysOnTopHint); };
    QWidget main;
    main.setWindowTitle(QStringLiteral("main"));
    QWidget opened;
    QWidget dialog(&main, Qt::Dialog);

    // Nothing kept on top: what opens stays an ordinary window.
    opened.show();
    EXPECT_FALSE(onTop(opened));
    opened.hide();

    main.show();
    SetWindowTopMost(&main, true);
    for (QWidget *w : {&opened, &dialog}) {
        w->show();
        EXPECT_TRUE(onTop(*w)) << "a window opened over an on-top one is lent its state";
        EXPECT_TRUE(HasLentOnTop(w));
        w->hide();
        EXPECT_FALSE(onTop(*w)) << "hidden, it gives the state back";
        EXPECT_FALSE(HasLentOnTop(w));
    }
    // A window already open is lent the state when it is asked to the front.
    opened.show();
    opened.lower();
    BringToFront(&opened);
    EXPECT_TRUE(HasLentOnTop(&opened));
    // Its own "On Top" replaces the lent state; taking it away again makes it ordinary.
    SetWindowTopMost(&opened, true);
    EXPECT_FALSE(HasLentOnTop(&opened));
    EXPECT_TRUE(onTop(opened));
    SetWindowTopMost(&opened, false);
    EXPECT_FALSE(onTop(opened));

    // Once no window is kept on top any more, the lent states go back.
    dialog.show();
    ASSERT_TRUE(HasLentOnTop(&dialog));
    SetWindowTopMost(&main, false);
    EXPECT_FALSE(HasLentOnTop(&dialog));
    EXPECT_FALSE(onTop(dialog));
    EXPECT_FALSE(onTop(main));
}

// The main window is kept on top; `front` is brought up over it and is lent its state. The loan
// lasts while the keyboard is in `front`, in a window opened from it or in another lent window,
// and ends once the user, having been in `front`, goes to the window kept on top or to an
// ordinary window of the program.
TEST(WindowHelpers, ALentOnTopStateEndsWhenTheUserLeavesTheWindow)
{
    KeepOpenedWindowsAboveOnTop();
    const auto onTop = [](const QWidget &w) { return w.windowFlags().testFlag(Qt::WindowStaysOnTopHint); };
    const auto activate = [](QWidget &w) {
        w.activateWindow();
        for (int i = 0; i < 100 && QApplication::activeWindow() != &w; ++i)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        return QApplication::activeWindow() == &w;
    };
    QWidget ordinary;
    ordinary.setWindowTitle(QStringLiteral("ordinary"));
    ordinary.show();
    QWidget main;
    main.setWindowTitle(QStringLiteral("main"));
    main.show();
    SetWindowTopMost(&main, true);

    struct Case {
        const char *name;
        QWidget *leftFor;  // the window the user goes to from `front`
        bool frontKeepsItsLoan;
    };
    QWidget front;
    front.setWindowTitle(QStringLiteral("front"));
    QWidget box(&front, Qt::Dialog);  // a message box opened from it
    box.setWindowTitle(QStringLiteral("box"));
    QWidget another;  // another window brought up over the main window
    another.setWindowTitle(QStringLiteral("another"));
    const Case cases[] = {
        {"a window opened from it", &box, true},
        {"another lent window", &another, true},
        {"the window kept on top", &main, false},
        {"an ordinary window of the program", &ordinary, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(activate(main));
        BringToFront(&front);
        ASSERT_TRUE(activate(front));
        ASSERT_TRUE(HasLentOnTop(&front));
        if (c.leftFor == &box || c.leftFor == &another)
            c.leftFor->show();
        ASSERT_TRUE(activate(*c.leftFor));
        EXPECT_EQ(HasLentOnTop(&front), c.frontKeepsItsLoan);
        EXPECT_EQ(onTop(front), c.frontKeepsItsLoan);
        EXPECT_TRUE(onTop(main)) << "the window kept on top keeps its own state";
        if (c.frontKeepsItsLoan) {
            EXPECT_TRUE(HasLentOnTop(c.leftFor));
            // Back in `front`, and then to the window kept on top: both loans end.
            ASSERT_TRUE(activate(front));
            EXPECT_TRUE(HasLentOnTop(&front));
            ASSERT_TRUE(activate(main));
            EXPECT_FALSE(HasLentOnTop(&front));
            EXPECT_FALSE(HasLentOnTop(c.leftFor));
            c.leftFor->hide();
        }
        front.hide();
        EXPECT_FALSE(onTop(front));
    }

    // A modal window left gives the state back too, and takes it again when the keyboard comes
    // back to it: the keys go to a window the user sees. The window it blocks stays ordinary.
    QWidget question(&front, Qt::Dialog);
    question.setWindowTitle(QStringLiteral("question"));
    question.setWindowModality(Qt::WindowModal);
    ASSERT_TRUE(activate(main));
    BringToFront(&front);
    ASSERT_TRUE(activate(front));
    question.show();
    ASSERT_TRUE(activate(question));
    EXPECT_TRUE(HasLentOnTop(&question));
    EXPECT_TRUE(HasLentOnTop(&front)) << "the window a modal one was opened from stays in front";
    ASSERT_TRUE(activate(main));
    EXPECT_FALSE(HasLentOnTop(&question));
    EXPECT_FALSE(HasLentOnTop(&front));
    ASSERT_TRUE(activate(question));
    EXPECT_TRUE(HasLentOnTop(&question));
    EXPECT_TRUE(onTop(question));
    EXPECT_FALSE(HasLentOnTop(&front));
    question.hide();
    EXPECT_FALSE(onTop(question));
}
