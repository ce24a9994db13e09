// The wheel hook over the folder tree: one line per notch, exactly once.
#include "Mousewheel.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QListWidget>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTreeView>
#include <QWheelEvent>
#include <gtest/gtest.h>

using namespace common;

namespace {

struct Window {
    QWidget main;
    QTreeView *tree = new QTreeView;
    QListWidget *list = new QListWidget;
    QStandardItemModel model;

    Window()
    {
        main.setObjectName(QStringLiteral("frmMain"));
        for (int i = 0; i < 200; ++i) {
            model.appendRow(new QStandardItem(QStringLiteral("folder %1").arg(i)));
            list->addItem(QStringLiteral("file %1").arg(i));
        }
        tree->setModel(&model);
        auto *layout = new QHBoxLayout(&main);
        layout->addWidget(tree);
        layout->addWidget(list);
        main.resize(500, 300);
        main.show();
        QApplication::processEvents();
        tree->verticalScrollBar()->setValue(50);
        list->verticalScrollBar()->setValue(50);
    }
    ~Window()
    {
        UnhookMouseWheel();
        ResetTreeViewHwnd();
    }

    // One wheel notch delivered where the user's pointer is.
    void wheel(QWidget *over, int delta)
    {
        QWidget *target = over;
        if (auto *view = qobject_cast<QAbstractScrollArea *>(over))
            target = view->viewport();
        const QPointF local = target->rect().center();
        QWheelEvent ev(local, target->mapToGlobal(local), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                       Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &ev);
    }
    int treeTop() const { return tree->verticalScrollBar()->value(); }
};

} // namespace

TEST(Mousewheel, ANotchOverTheTreeScrollsOneLine)
{
    Window w;
    FindTreeView(&w.main);
    ASSERT_EQ(TreeViewHwnd(), w.tree);
    HookMouseWheel(&w.main);
    HookMouseWheel(&w.main); // a second hook changes nothing
    struct Case {
        int delta;
        int change;
    } cases[] = {{120, -1}, {-120, 1}, {30, -1}, {0, 1}, {480, -1}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.delta);
        const int before = w.treeTop();
        w.wheel(w.tree, c.delta);
        EXPECT_EQ(w.treeTop(), before + c.change);
    }
}

TEST(Mousewheel, OtherWindowsAndAMissingTreeAreLeftAlone)
{
    Window w;
    // Without the hook the tree scrolls by itself, more than one line a notch.
    const int start = w.treeTop();
    w.wheel(w.tree, -120);
    const int ownStep = w.treeTop() - start;
    EXPECT_GT(ownStep, 1);

    FindTreeView(&w.main);
    HookMouseWheel(&w.main);
    const int listBefore = w.list->verticalScrollBar()->value();
    const int treeBefore = w.treeTop();
    w.wheel(w.list, -120);
    EXPECT_EQ(w.treeTop(), treeBefore);
    EXPECT_GT(w.list->verticalScrollBar()->value(), listBefore);

    // Before the tree has been found, the notch goes on unchanged.
    ResetTreeViewHwnd();
    w.wheel(w.tree, -120);
    EXPECT_EQ(w.treeTop(), treeBefore + ownStep);

    UnhookMouseWheel();
    EXPECT_FALSE(MouseWheelHooked());
}

TEST(Mousewheel, TiltsGoSidewaysAndTheTreesScrollBarTakesOneLine)
{
    Window w;
    // A long name gives the tree something to scroll sideways.
    w.model.item(60)->setText(QString(400, u'w'));
    w.tree->header()->setStretchLastSection(false);
    w.tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    QApplication::processEvents();
    ASSERT_GT(w.tree->horizontalScrollBar()->maximum(), 0);
    FindTreeView(&w.main);
    HookMouseWheel(&w.main);

    // Tilt right, tilt left (the window system's buttons 7 and 6 arrive as sideways turns).
    struct Tilt {
        int dx;
        int direction;
    } tilts[] = {{-120, 1}, {120, -1}};
    for (const Tilt &t : tilts) {
        SCOPED_TRACE(t.dx);
        const int top = w.treeTop();
        const int side = w.tree->horizontalScrollBar()->value();
        QWidget *target = w.tree->viewport();
        const QPointF local = target->rect().center();
        QWheelEvent tilt(local, target->mapToGlobal(local), QPoint(), QPoint(t.dx, 0), Qt::NoButton, Qt::NoModifier,
                         Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &tilt);
        EXPECT_EQ(w.treeTop(), top) << "a tilt never scrolls the tree up or down";
        EXPECT_EQ(w.tree->horizontalScrollBar()->value() - side > 0 ? 1 : -1, t.direction);
    }

    // A notch over the tree's own scroll bar is one line too.
    QScrollBar *bar = w.tree->verticalScrollBar();
    ASSERT_TRUE(bar->isVisible());
    for (int delta : {-120, 120}) {
        SCOPED_TRACE(delta);
        const int before = w.treeTop();
        const QPointF local = bar->rect().center();
        QWheelEvent notch(local, bar->mapToGlobal(local), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(bar, &notch);
        EXPECT_EQ(w.treeTop(), before + (delta > 0 ? -1 : 1));
    }
}
