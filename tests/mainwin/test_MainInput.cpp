// The main window driven as a user drives it: mouse clicks at the real rectangles of the tree's
// check boxes and of the list's items, keys, and the view buttons of the command bar.
#include "ComboInput.h"
#include "CommandBars.h"
#include "FolderTree.h"
#include "ListViewEditable.h"
#include "ListViewEditableWidget.h"
#include "MainCommands.h"
#include "WindowFixture.h"
#include "NamedFileLists.h"
#include "frmListMan.h"
#include "frmMain.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QFileSystemModel>
#include <QDir>
#include <QCheckBox>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QListView>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>
#include <functional>
#include <cmath>
#include <memory>
#include <vector>

using namespace mainwin;

namespace {

QStringList sortedNames(const filelist::ListViewEditable &list)
{
    QStringList names;
    for (int32_t i = 1; i <= list.ListItems().Count(); ++i)
        names << list.ListItems().Item(i).Text;
    names.sort();
    return names;
}

// The rectangle of an item's check box in a view, as the view's style lays the item out.
QRect checkBoxRect(const QAbstractItemView &view, const QModelIndex &index)
{
    QStyleOptionViewItem option;
    option.initFrom(&view);
    option.rect = view.visualRect(index);
    option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay
                      | QStyleOptionViewItem::HasDecoration;
    option.decorationSize = view.iconSize().isValid() ? view.iconSize() : QSize(16, 16);
    option.text = index.data().toString();
    option.checkState = Qt::CheckState(index.data(Qt::CheckStateRole).toInt());
    option.widget = &view;
    if (const auto *list = qobject_cast<const QListView *>(&view); list && list->viewMode() == QListView::IconMode) {
        option.decorationPosition = QStyleOptionViewItem::Top;
        option.displayAlignment = Qt::AlignHCenter | Qt::AlignBottom;
    }
    return view.style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, &view);
}

class MainInputTest : public WindowFixture {
public:
    /** The window as the start-up shows it: loaded first, then shown at the size it takes by
     *  itself. */
    std::unique_ptr<frmMain> openShown()
    {
        auto w = std::make_unique<frmMain>(state);
        w->Load();
        w->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
        return w;
    }

    /** A settings file that makes the window start in `folder`, in the report view. */
    void startIn(const QString &folder)
    {
        QStringList lines(24);
        lines[0] = folder;
        lines[4] = QStringLiteral("Report");
        writeSettings(lines);
    }

    /** The tree's item of a folder once the tree has read it from disk, in view. */
    QModelIndex treeItem(frmMain &w, const QString &path)
    {
        QModelIndex found;
        waitFor([&] {
            found = findIndex(*w.ftv, path);
            return found.isValid() && w.ftv->visualRect(found).isValid();
        });
        if (found.isValid())
            w.ftv->scrollTo(found);
        return found;
    }

    static QModelIndex findIndex(const FolderTree &tree, const QString &path)
    {
        // Walk down from the top along the path's folders.
        QModelIndex parent;
        const QAbstractItemModel *model = tree.model();
        QModelIndex at;
        for (int r = 0; r < model->rowCount(parent); ++r) {
            const QModelIndex i = model->index(r, 0, parent);
            if (path.startsWith(i.data(Qt::UserRole + 1).toString()))
                at = i;
        }
        while (at.isValid() && at.data(Qt::UserRole + 1).toString() != path) {
            QModelIndex next;
            const_cast<FolderTree &>(tree).expand(at);
            for (int r = 0; r < model->rowCount(at); ++r) {
                const QModelIndex i = model->index(r, 0, at);
                const QString p = i.data(Qt::UserRole + 1).toString();
                if (path == p || path.startsWith(p + u'/'))
                    next = i;
            }
            at = next;
        }
        return at;
    }

    /** Clicks the command bar's button of a command. */
    static void pressCommand(frmMain &w, int32_t id)
    {
        QAction *action = w.CommandBars1->FindControl(id);
        QWidget *button = nullptr;
        for (QToolBar *bar : w.findChildren<QToolBar *>())
            if (QWidget *b = bar->widgetForAction(action); b && b->isVisible())
                button = b;
        ASSERT_NE(button, nullptr) << id;
        QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    }

    static void clickAt(QAbstractItemView &view, const QPoint &point)
    {
        QTest::mousePress(view.viewport(), Qt::LeftButton, {}, point);
        QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, point);
    }
};

TEST_F(MainInputTest, ATickedFolderIsListedAndAnUntickedOneRemoved)
{
    makeFile(QStringLiteral("A/one.txt"));
    makeFile(QStringLiteral("A/two.txt"));
    makeFile(QStringLiteral("B/three.jpg"));
    auto w = openShown();
    // The user's folder is B; the boxes are ticked on other folders.
    w->ftv->SetSelectedFolder(dataPath(QStringLiteral("B")));
    QTest::mouseClick(w->Check6, Qt::LeftButton, {}, w->Check6->rect().center());
    ASSERT_TRUE(w->Check6->isChecked());

    const QModelIndex a = treeItem(*w, dataPath(QStringLiteral("A")));
    ASSERT_TRUE(a.isValid());
    clickAt(*w->ftv, checkBoxRect(*w->ftv, a).center());
    EXPECT_TRUE(w->ftv->IsChecked(dataPath(QStringLiteral("A"))));
    EXPECT_EQ(sortedNames(*w->lvw2), (QStringList{"one.txt", "two.txt"}));
    EXPECT_EQ(w->ftv->SelectedFolder(), dataPath(QStringLiteral("A")));

    const QModelIndex b = treeItem(*w, dataPath(QStringLiteral("B")));
    clickAt(*w->ftv, checkBoxRect(*w->ftv, b).center());
    EXPECT_EQ(sortedNames(*w->lvw2), (QStringList{"one.txt", "three.jpg", "two.txt"}));

    // Unticking A by mouse takes exactly its rows away.
    clickAt(*w->ftv, checkBoxRect(*w->ftv, treeItem(*w, dataPath(QStringLiteral("A")))).center());
    EXPECT_FALSE(w->ftv->IsChecked(dataPath(QStringLiteral("A"))));
    EXPECT_EQ(sortedNames(*w->lvw2), QStringList{"three.jpg"});

    // A click on a folder's name beside its box lists nothing.
    clickAt(*w->ftv, w->ftv->visualRect(treeItem(*w, dataPath(QStringLiteral("A")))).center());
    EXPECT_EQ(sortedNames(*w->lvw2), QStringList{"three.jpg"});
    w->close();
}

TEST_F(MainInputTest, TheTreeKeepsTheKeyboardThroughAScan)
{
    makeFile(QStringLiteral("A/one.txt"));
    makeFile(QStringLiteral("B/three.jpg"));
    auto w = openShown();
    w->ftv->SetSelectedFolder(dataPath());
    // Both folders are in the tree before the keys go through it (it reads folders in the
    // background, and other programs' folders come and go beside the data folder).
    const QPersistentModelIndex b = treeItem(*w, dataPath(QStringLiteral("B")));
    ASSERT_TRUE(b.isValid());
    const QPersistentModelIndex sortedA = treeItem(*w, dataPath(QStringLiteral("A")));
    ASSERT_TRUE(sortedA.isValid());
    // Entries arrive in the order the disk gives them and are sorted a moment later.
    ASSERT_TRUE(waitFor([&] { return sortedA.row() + 1 == b.row(); }));
    // The tree may have moved meanwhile: A is brought into view and clicked with nothing between.
    const QModelIndex a = treeItem(*w, dataPath(QStringLiteral("A")));
    clickAt(*w->ftv, w->ftv->visualRect(a).center());
    EXPECT_EQ(sortedNames(*w->lvw2), QStringList{"one.txt"});
    EXPECT_TRUE(w->ftv->hasFocus());
    EXPECT_EQ(QApplication::focusWidget(), w->ftv);

    // Down arrow goes on to B; Enter lists it.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(w->ftv->SelectedFolder(), dataPath(QStringLiteral("B")));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(sortedNames(*w->lvw2), QStringList{"three.jpg"});
    EXPECT_EQ(QApplication::focusWidget(), w->ftv);
    w->close();
}

TEST_F(MainInputTest, ColumnsShareTheListsWidthFromTheFirstShow)
{
    makeFile(QStringLiteral("a.txt"));
    startIn(dataPath());
    auto w = openShown();
    QTreeView *view = w->lvw2Widget->ListView();
    const int width = view->viewport()->width();
    ASSERT_GT(width, 300);
    const double shares[] = {0.25, 0.25, 0.1, 0.2, 0.2};
    int sum = 0;
    for (int c = 0; c < 5; ++c) {
        SCOPED_TRACE(c);
        const int section = view->header()->sectionSize(c);
        EXPECT_NEAR(section, width * shares[c], 2.0);
        // Every header caption fits its column.
        const QString caption = view->model()->headerData(c, Qt::Horizontal).toString();
        EXPECT_GT(section, view->fontMetrics().horizontalAdvance(caption));
        sum += section;
    }
    EXPECT_LE(sum, width);
    w->close();
}

TEST_F(MainInputTest, TheViewButtonsShowIconsAListAndTheReport)
{
    makeFile(QStringLiteral("a.txt"));
    makeFile(QStringLiteral("b.txt"));
    makeFile(QStringLiteral("c.txt"));
    startIn(dataPath());
    auto w = openShown();
    ASSERT_EQ(w->lvw2->FileItemCount(), 3);
    filelist::ListViewEditableWidget &face = *w->lvw2Widget;
    // The second row is selected and the first row's box clicked in the report.
    clickAt(*face.ListView(), face.ListView()->visualRect(face.ListView()->model()->index(1, 1)).center());
    const bool firstBefore = w->lvw2->checked(1);
    clickAt(*face.ListView(), checkBoxRect(*face.ListView(), face.ListView()->model()->index(0, 0)).center());
    const bool firstChecked = w->lvw2->checked(1);
    ASSERT_NE(firstChecked, firstBefore);
    ASSERT_TRUE(face.ListView()->selectionModel()->isRowSelected(1, {}));
    std::vector<bool> selected;
    for (int r = 0; r < 3; ++r)
        selected.push_back(face.ListView()->selectionModel()->isRowSelected(r, {}));

    struct Case {
        int32_t id;
        bool icons;
        QListView::Flow flow;
    };
    const Case cases[] = {{ID_VIEW_ICONS, true, QListView::LeftToRight},
                          {ID_VIEW_LIST, true, QListView::TopToBottom},
                          {ID_VIEW_REPORT, false, QListView::LeftToRight}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.id);
        pressCommand(*w, c.id);
        EXPECT_EQ(face.IconView()->isVisible(), c.icons);
        EXPECT_EQ(face.ListView()->isVisible(), !c.icons);
        EXPECT_EQ(face.ShownView(), c.icons ? static_cast<QAbstractItemView *>(face.IconView()) : face.ListView());
        if (!c.icons)
            continue;
        QListView &icons = *face.IconView();
        EXPECT_EQ(icons.flow(), c.flow);
        ASSERT_EQ(icons.model()->rowCount(), 3);
        for (int r = 0; r < 3; ++r)
            EXPECT_EQ(icons.selectionModel()->isRowSelected(r, {}), selected[size_t(r)]) << r;
        EXPECT_EQ(icons.model()->index(0, 0).data(Qt::CheckStateRole).toInt() == Qt::Checked, firstChecked);
        // The rows stand apart, and a click on the third row's box checks it.
        EXPECT_FALSE(icons.visualRect(icons.model()->index(0, 0)).intersects(icons.visualRect(icons.model()->index(1, 0))));
        const bool before = w->lvw2->checked(3);
        clickAt(icons, checkBoxRect(icons, icons.model()->index(2, 0)).center());
        EXPECT_NE(w->lvw2->checked(3), before);
        // The click is a click on that row, as in the report: the row is selected too.
        EXPECT_TRUE(icons.selectionModel()->isRowSelected(2, {}));
        for (int r = 0; r < 3; ++r)
            selected[size_t(r)] = icons.selectionModel()->isRowSelected(r, {});
    }
    w->close();
}

TEST_F(MainInputTest, TheListViewShowsWholeNames)
{
    // Names of very different lengths, the shortest first in sorted order: in the list view,
    // whose columns are as wide as the longest name, every name fits its item.
    const QStringList names = {QStringLiteral("a.txt"), QStringLiteral("b holiday pictures of the whole summer.jpg"),
                               QStringLiteral("c\U0001F600 party.txt"), QStringLiteral("d|e-f.txt")};
    for (const QString &name : names)
        makeFile(name);
    startIn(dataPath());
    auto w = openShown();
    ASSERT_EQ(w->lvw2->FileItemCount(), int32_t(names.size()));
    filelist::ListViewEditableWidget &face = *w->lvw2Widget;
    for (const int32_t id : {ID_VIEW_LIST, ID_VIEW_ICONS, ID_VIEW_LIST}) {
        if (id == ID_VIEW_ICONS) {
            // Another view in between leaves the list view as wide as before.
            pressCommand(*w, id);
            continue;
        }
        SCOPED_TRACE(id);
        pressCommand(*w, id);
        QListView &icons = *face.IconView();
        ASSERT_TRUE(icons.isVisible());
        // Each item is as wide as its name, check box and icon together (the view lays its items
        // out after a turn of the event loop).
        const int boxAndIcon = icons.style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, &icons) + icons.iconSize().width();
        auto wholeName = [&](int r) {
            const QModelIndex index = icons.model()->index(r, 0);
            return icons.visualRect(index).width()
                   >= icons.fontMetrics().horizontalAdvance(index.data().toString()) + boxAndIcon;
        };
        EXPECT_TRUE(waitFor([&] {
            for (int r = 0; r < icons.model()->rowCount(); ++r)
                if (!wholeName(r))
                    return false;
            return true;
        }));
        for (int r = 0; r < icons.model()->rowCount(); ++r)
            EXPECT_TRUE(wholeName(r)) << icons.model()->index(r, 0).data().toString().toStdString();
        // The long name is found at the far end of its text, where a cut name would have ended.
        const QModelIndex longName = icons.model()->index(1, 0);
        ASSERT_EQ(longName.data().toString().toStdString(), names[1].toStdString());
        const QRect rect = icons.visualRect(longName) & icons.viewport()->rect();
        ASSERT_FALSE(rect.isEmpty());
        EXPECT_EQ(icons.indexAt(QPoint(rect.right() - 4, rect.center().y())), longName);
    }
    w->close();
}

class RefusingShell : public Shell {
public:
    bool open(const QString &target) override
    {
        asked << target;
        return false;
    }
    QStringList asked;
};

TEST_F(MainInputTest, HelpContentsSaysWhyNoHelpAppears)
{
    RefusingShell refusing;
    struct Case {
        const char *name;
        bool fileThere;
        Shell *shell;
        const char *says;  // start of the message, or null for none
    };
    const Case cases[] = {
        {"no help file", false, &shell, "The help file"},
        {"no viewer", true, &refusing, "No program is set up to show the help file"},
        {"shown", true, &shell, nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString help = home.filePath(QStringLiteral("Readme.chm"));
        QFile::remove(help);
        if (c.fileThere)
            testfiles::writeFile(help, "help");
        messages.shown.clear();
        state.services.shell = c.shell;
        auto w = openShown();
        pressCommand(*w, ID_HELP);
        if (c.says) {
            ASSERT_EQ(messages.shown.size(), 1u);
            EXPECT_TRUE(messages.shown[0].prompt.startsWith(QLatin1String(c.says))) << messages.shown[0].prompt.toStdString();
            EXPECT_TRUE(messages.shown[0].prompt.contains(QStringLiteral("Readme.chm")));
        } else {
            EXPECT_TRUE(messages.shown.empty());
            EXPECT_EQ(shell.opened.last(), help);
        }
        w->close();
    }
}

TEST_F(MainInputTest, FoldersAppearingLaterDoNotMoveTheTree)
{
    for (int i = 0; i < 60; ++i)
        QDir().mkpath(dataPath(QStringLiteral("f%1").arg(i, 2, 10, QLatin1Char('0'))));
    const QString chosen = dataPath(QStringLiteral("f45"));
    startIn(chosen);
    auto w = openShown();
    ASSERT_TRUE(treeItem(*w, chosen).isValid());
    ASSERT_EQ(w->ftv->SelectedFolder(), chosen);
    // The tree keeps the chosen folder in view with a short timer of its own while it reads.
    const QTimer *scroll = w->ftv->findChild<QTimer *>();
    ASSERT_NE(scroll, nullptr);
    const auto centred = [&] {
        const QRect row = w->ftv->visualRect(findIndex(*w->ftv, chosen));
        return row.isValid() && std::abs(row.center().y() - w->ftv->viewport()->height() / 2) <= row.height();
    };
    // Once the folder holding the chosen one has been read, the chosen folder is in the middle.
    ASSERT_TRUE(waitFor([&] {
        return w->ftv->model()->rowCount(findIndex(*w->ftv, dataPath())) == 60 && !scroll->isActive() && centred();
    }));
    const int before = w->ftv->visualRect(treeItem(*w, chosen)).top();
    // Where the chosen folder stands below the folder that holds it.
    const auto belowHolder = [&] {
        return w->ftv->visualRect(w->ftv->currentIndex()).top()
             - w->ftv->visualRect(findIndex(*w->ftv, dataPath())).top();
    };
    const int placeBelowHolder = belowHolder();

    // New folders beside the listed one: a model that follows the disk sees them, the tree keeps
    // its rows where they were.
    QFileSystemModel following;
    following.setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    const QModelIndex watched = following.setRootPath(dataPath());
    ASSERT_TRUE(waitFor([&] { return following.rowCount(watched) == 60; }));
    for (int i = 0; i < 5; ++i)
        QDir().mkpath(dataPath(QStringLiteral("a%1").arg(i)));
    ASSERT_TRUE(waitFor([&] { return following.rowCount(watched) == 65; }));
    // No scroll back to the chosen folder is on its way.
    QCoreApplication::processEvents();
    EXPECT_FALSE(scroll->isActive()) << "a scroll back to the chosen folder is on its way";
    EXPECT_EQ(w->ftv->visualRect(w->ftv->currentIndex()).top(), before) << "the tree moved";
    EXPECT_EQ(belowHolder(), placeBelowHolder) << "the rows moved";
    EXPECT_EQ(w->ftv->model()->rowCount(treeItem(*w, dataPath())), 60);
    EXPECT_EQ(w->ftv->SelectedFolder(), chosen);

    // "Re&fresh Folders" reads them.
    QTest::mouseClick(w->Command2, Qt::LeftButton, {}, w->Command2->rect().center());
    EXPECT_TRUE(waitFor([&] { return w->ftv->model()->rowCount(treeItem(*w, dataPath())) == 65; }));
    EXPECT_EQ(w->ftv->SelectedFolder(), chosen);
    w->close();
}

TEST_F(MainInputTest, AltAndAMenusLetterOpensTheMenuBeforeAButton)
{
    auto w = openShown();
    struct Letter {
        Qt::Key key;
        const char *menu;
        QPushButton *button;
    };
    const Letter letters[] = {{Qt::Key_F, "&File", w->Command2}, {Qt::Key_T, "&Tools", w->cmdStopSrch}};
    for (const Letter &l : letters) {
        SCOPED_TRACE(l.menu);
        w->txtFilter->setFocus();
        QTest::keyClick(w.get(), l.key, Qt::AltModifier);
        QMenu *open = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        ASSERT_NE(open, nullptr) << "no menu opened";
        EXPECT_EQ(open->menuAction()->text(), QString::fromLatin1(l.menu));
        EXPECT_FALSE(l.button->hasFocus());
        QTest::keyClick(open, Qt::Key_Escape);
        if (QApplication::activePopupWidget())
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
        ASSERT_EQ(QApplication::activePopupWidget(), nullptr);
        // The button with the same letter follows on the next Alt and letter.
        QTest::keyClick(w.get(), l.key, Qt::AltModifier);
        EXPECT_TRUE(l.button->hasFocus());
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    }
    // The captions stay as they are.
    EXPECT_EQ(w->Command2->text(), QStringLiteral("Re&fresh Folders"));
    EXPECT_EQ(w->cmdStopSrch->text(), QStringLiteral("S&top Search"));
    w->close();
}

TEST_F(MainInputTest, SearchSubfoldersAgreesWithTheListingAfterSeveralFolders)
{
    makeFile(QStringLiteral("top/one.txt"));
    makeFile(QStringLiteral("top/inner/two.txt"));
    startIn(dataPath(QStringLiteral("top")));
    auto w = openShown();
    ASSERT_TRUE(treeItem(*w, dataPath(QStringLiteral("top"))).isValid());
    QTest::mouseClick(w->Check2, Qt::LeftButton, {}, w->Check2->rect().center());
    ASSERT_TRUE(w->Check2->isChecked());
    EXPECT_TRUE(waitFor([&] { return sortedNames(*w->lvw2).contains(QStringLiteral("two.txt")); }));

    // Several folders are listed without their sub-folders; back in single-folder mode the
    // ticked box searches them again.
    QTest::mouseClick(w->Check6, Qt::LeftButton, {}, w->Check6->rect().center());
    EXPECT_FALSE(w->lvw2->Recursive());
    QTest::mouseClick(w->Check6, Qt::LeftButton, {}, w->Check6->rect().center());
    EXPECT_TRUE(w->Check2->isChecked());
    EXPECT_TRUE(w->lvw2->Recursive());
    clickAt(*w->ftv, w->ftv->visualRect(treeItem(*w, dataPath(QStringLiteral("top")))).center());
    EXPECT_TRUE(waitFor([&] { return sortedNames(*w->lvw2) == (QStringList{"inner", "one.txt", "two.txt"}); }))
        << sortedNames(*w->lvw2).join(u',').toStdString();
    w->close();
}

// The filters look every file up again: a file deleted since the listing leaves the type filter's
// rows (and under the name filter shows empty size, type and date), a file grown since shows its
// new size and date; the count beside "items" is the number of rows shown.
TEST_F(MainInputTest, FiltersShowTheFilesAsTheyAreNow)
{
    makeFile(QStringLiteral("keep.txt"), "k");
    makeFile(QStringLiteral("gone.txt"), QByteArray(10240, 'g'));
    makeFile(QStringLiteral("grown.txt"), "g");
    makeFile(QStringLiteral("pic.jpg"), "p");
    startIn(dataPath());
    auto w = openShown();
    ASSERT_TRUE(waitFor([&] { return w->lvw2->FileItemCount() == 4 && w->ListingSettled(); }));

    // The disk changes after the listing.
    ASSERT_TRUE(QFile::remove(dataPath(QStringLiteral("gone.txt"))));
    makeFile(QStringLiteral("grown.txt"), QByteArray(5000, 'G'));
    QFile grown(dataPath(QStringLiteral("grown.txt")));
    ASSERT_TRUE(grown.open(QIODevice::ReadWrite));
    ASSERT_TRUE(grown.setFileTime(QDateTime(QDate(2021, 6, 7), QTime(15, 4, 5)), QFileDevice::FileModificationTime));
    grown.close();

    // Size, type and date of a row by its name.
    const auto cells = [&](const QString &name) {
        const filelist::ListItemsModel &rows = w->lvw2->ListItems();
        for (int32_t i = 1; i <= rows.Count(); ++i)
            if (rows.Item(i).Text == name)
                return QStringList{rows.Item(i).SubItems(2), rows.Item(i).SubItems(3), rows.Item(i).SubItems(4)};
        return QStringList{QStringLiteral("no row")};
    };
    const QStringList grownCells{"5KB", "Text Document", "2021/6/7 3:04:05 PM"};
    struct Step {
        const char *what;
        std::function<void()> act;
        QStringList names;
    };
    const Step steps[] = {
        {"type All Files", [&] { comboinput::chooseItem(w->cmbFileType, QStringLiteral("All Files")); },
         {"grown.txt", "keep.txt", "pic.jpg"}},
        {"type Text Document", [&] { comboinput::chooseItem(w->cmbFileType, QStringLiteral("Text Document")); },
         {"grown.txt", "keep.txt"}},
        {"type *.*", [&] { comboinput::chooseItem(w->cmbFileType, QStringLiteral("*.*")); },
         {"grown.txt", "keep.txt", "pic.jpg"}},
        {"name filter typed",
         [&] {
             QTest::mouseClick(w->txtFilter, Qt::LeftButton);
             QTest::keyClicks(w->txtFilter, "o");
         },
         {"gone.txt", "grown.txt"}},
        {"name filter emptied", [&] { QTest::keyClick(w->txtFilter, Qt::Key_Backspace); },
         {"gone.txt", "grown.txt", "keep.txt", "pic.jpg"}},
    };
    for (const Step &step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        EXPECT_EQ(sortedNames(*w->lvw2), step.names);
        EXPECT_EQ(cells(QStringLiteral("grown.txt")), grownCells);
        if (step.names.contains(QStringLiteral("gone.txt"))) {
            EXPECT_EQ(cells(QStringLiteral("gone.txt")), (QStringList{"", "", ""}));
        }
        EXPECT_EQ(w->txtPlot->text(), QString::number(step.names.size()));
    }
    w->close();
}

// A filter's re-list yields as a listing does: a key typed meanwhile filters anew and wins; a
// close meanwhile waits for the re-list to stop, then finishes.
TEST_F(MainInputTest, WhatComesWhileAFilterReListsIsNotLost)
{
    for (const char *name : {"ab.txt", "ac.txt", "bc.txt"})
        makeFile(QString::fromLatin1(name));
    startIn(dataPath());
    auto w = openShown();
    ASSERT_TRUE(waitFor([&] { return w->lvw2->FileItemCount() == 3 && w->ListingSettled(); }));
    QTest::mouseClick(w->txtFilter, Qt::LeftButton);

    int yields = 0;
    w->lvw2->setYieldHandler([&] {
        if (yields++ == 0)
            QTest::keyClicks(w->txtFilter, "b");
    });
    QTest::keyClicks(w->txtFilter, "a");
    EXPECT_EQ(w->txtFilter->text(), QStringLiteral("ab"));
    EXPECT_EQ(sortedNames(*w->lvw2), QStringList{"ab.txt"});
    EXPECT_EQ(w->txtPlot->text(), QStringLiteral("1"));

    bool unloaded = false;
    QObject::connect(w.get(), &frmMain::unloaded, [&] { unloaded = true; });
    yields = 0;
    w->lvw2->setYieldHandler([&] {
        if (yields++ == 0)
            w->close();
    });
    QTest::keyClick(w->txtFilter, Qt::Key_Backspace);
    EXPECT_TRUE(waitFor([&] { return unloaded; }));
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(sortedNames(*w->lvw2), QStringList{"ab.txt"}) << "the re-list stopped";
}

} // namespace

TEST_F(MainInputTest, AnOpenEditBoxEndsWithEveryReloadOfTheList)
{
    for (const char *name : {"a.txt", "b.txt", "c.txt", "other/x.txt", "other/y.txt", "other/z.txt"})
        makeFile(QString::fromUtf8(name));
    const QString saved = dataPath("saved.lst");
    const QString other = dataPath("other") + u'/';
    QFile list(saved);
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write(("Corvisk File List\r\n" + other + "\r\nz.txt\r\n" + other + "\r\ny.txt\r\n" + other + "\r\nx.txt\r\n").toUtf8());
    list.close();
    ASSERT_TRUE(NamedFileLists::Save(QStringLiteral("named"), {other + "y.txt", other + "z.txt"}));

    auto w = openShown();
    ASSERT_TRUE(w->lvw2->AllowItemEdit());
    QTreeView *view = w->lvw2Widget->ListView();
    QLineEdit *box = w->lvw2Widget->EditBox();
    auto rows = [&] {
        QStringList out;
        for (int32_t i = 1; i <= w->lvw2->FileItemCount(); ++i)
            out << w->lvw2->Row(i);
        return out;
    };
    struct Case {
        const char *what;
        std::function<void()> reload;
    };
    const Case cases[] = {
        {"Load File List", [&] { dialogs.answers << saved; w->mnuFLoad->trigger(); }},
        {"a scan of the folder", [&] { w->ftv->ClickFolder(dataPath()); }},
        {"another folder", [&] { w->ftv->ClickFolder(dataPath("other")); }},
        {"a named list loaded from \"File Lists\"",
         [&] {
             QTest::mouseClick(w->Command8, Qt::LeftButton);
             frmListMan &manager = w->ListMan();
             const QList<QListWidgetItem *> named = manager.list1->findItems(QStringLiteral("named"), Qt::MatchExactly);
             ASSERT_EQ(named.size(), 1);
             QTest::mouseClick(manager.list1->viewport(), Qt::LeftButton, {},
                               manager.list1->visualItemRect(named.front()).center());
             QTest::mouseClick(manager.Command2, Qt::LeftButton);
             manager.close();
             ASSERT_EQ(w->lvw2->FileItemCount(), 2);
         }},
        // Last, as the filter stays for the cases after it.
        {"a name filter typed",
         [&] {
             QTest::mouseClick(w->txtFilter, Qt::LeftButton);
             QTest::keyClicks(w->txtFilter, "b");
             waitFor([&] { return w->lvw2->FileItemCount() == 1; });
             ASSERT_EQ(w->lvw2->FileItemCount(), 1);
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        w->ftv->ClickFolder(dataPath());
        waitFor([&] { return w->lvw2->FileItemCount() >= 3; });
        ASSERT_GE(w->lvw2->FileItemCount(), 3);
        // The type cell of the second row, then typing into its box.
        const QRect cell = view->visualRect(w->lvw2->ListItems().index(1, 3));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
        ASSERT_TRUE(box->isVisible());
        QTest::mouseClick(box, Qt::LeftButton, {}, box->rect().center());
        box->selectAll();
        QTest::keyClicks(box, "Typed");

        c.reload();
        QApplication::processEvents();
        EXPECT_FALSE(box->isVisible());
        const QStringList listed = rows();
        EXPECT_FALSE(listed.join(u'\n').contains("Typed"));
        // Enter in the box and a click into the list: the typing reaches no row.
        QTest::keyClick(box, Qt::Key_Return);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(3, view->viewport()->height() - 3));
        QApplication::processEvents();
        EXPECT_EQ(rows(), listed);
    }
}

TEST_F(MainInputTest, AClickOnACellLeavesTheKeysWithTheList)
{
    for (const char *name : {"a.txt", "b.txt", "c.txt"})
        makeFile(QString::fromUtf8(name));
    startIn(dataPath());
    auto w = openShown();
    ASSERT_EQ(w->lvw2->FileItemCount(), 3);
    QTreeView *view = w->lvw2Widget->ListView();
    QLineEdit *box = w->lvw2Widget->EditBox();
    auto cell = [&](int row, int column) { return view->visualRect(w->lvw2->ListItems().index(row - 1, column)).center(); };
    auto key = [](int k) { QTest::keyClick(QApplication::focusWidget(), Qt::Key(k)); };
    auto ticks = [&] {
        QList<bool> out;
        for (int32_t i = 1; i <= w->lvw2->FileItemCount(); ++i)
            out << w->lvw2->checked(i);
        return out;
    };
    struct Case {
        const char *what;
        int column;
        bool boxOpens;
    };
    const Case cases[] = {{"Name", 0, false}, {"Path", 1, false}, {"Type", 3, true}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        w->lvw2->setCheckedAll(false);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell(1, c.column));
        EXPECT_EQ(box->isVisible(), c.boxOpens);
        EXPECT_EQ(QApplication::focusWidget(), view);
        key(Qt::Key_Down);
        key(Qt::Key_Space);
        EXPECT_EQ(ticks(), QList<bool>({false, true, false}));
        EXPECT_FALSE(box->isVisible()) << "no box stays on the first row";
        EXPECT_EQ(state.SelFileCount, 1) << "the window counted the ticked row";
    }

    // Into the box, typed, Enter: the cell holds the text and the list has the keys again.
    w->lvw2->setCheckedAll(false);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell(1, 3));
    ASSERT_TRUE(box->isVisible());
    QTest::mouseClick(box, Qt::LeftButton, {}, box->rect().center());
    ASSERT_EQ(QApplication::focusWidget(), box);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, "Notes");
    key(Qt::Key_Return);
    EXPECT_EQ(w->lvw2->Cell(1, 4), "Notes");
    EXPECT_FALSE(box->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), view);
    key(Qt::Key_Space);
    EXPECT_EQ(ticks(), QList<bool>({true, false, false}));
    w->close();
}
