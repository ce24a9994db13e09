#include "WindowHelpers.h"

#include <QComboBox>
#include <QListWidget>
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
