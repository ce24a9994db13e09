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
