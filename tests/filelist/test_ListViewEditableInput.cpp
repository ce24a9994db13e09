#include "ListInputFixture.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QListView>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QTreeView>
#include <QWindow>
#include <QUrl>
#include <functional>
#include <gtest/gtest.h>

using namespace filelist;
using namespace listinput;

namespace {

QSet<QString> nameSet(const ListViewEditable &c)
{
    const QStringList all = names(c);
    return QSet<QString>(all.begin(), all.end());
}

void sendMove(QWidget *w, const QPoint &at, Qt::MouseButtons buttons)
{
    QMouseEvent move(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

} // namespace

TEST_F(ListInput, HeaderClicksSortAndReverse)
{
    QList<int32_t> clicked;
    QObject::connect(&list(), &ListViewEditable::ColumnClick, [&](int32_t c) { clicked << c; });
    ASSERT_EQ(list().SortOrder(), lvwAscending);

    // The list was left ascending, so the first click sorts descending.
    clickHeader(header(), 2);
    EXPECT_EQ(names(list()), QStringList({"c.txt", "b.txt", "a.txt", "d"})) << "sizes read as numbers";
    clickHeader(header(), 2);
    EXPECT_EQ(names(list()), QStringList({"d", "a.txt", "b.txt", "c.txt"}));
    clickHeader(header(), 0);
    EXPECT_EQ(names(list()), QStringList({"d", "c.txt", "b.txt", "a.txt"})) << "another column reverses too";
    EXPECT_EQ(clicked, QList<int32_t>({3, 3, 1}));
    EXPECT_EQ(list().CurrentSortColumn(), 0);
    EXPECT_EQ(list().SortKey(), 0);

    // A flat header sorts the same way.
    list().setFlatHeader(true);
    EXPECT_TRUE(widget.IsFlatHeader());
    clickHeader(header(), 0);
    EXPECT_EQ(names(list()), QStringList({"a.txt", "b.txt", "c.txt", "d"}));
    list().setFlatHeader(false);
    EXPECT_FALSE(widget.IsFlatHeader());
    header()->setSectionsClickable(false);
    EXPECT_TRUE(widget.IsFlatHeader()) << "read from the header itself";
}

TEST_F(ListInput, DraggingADividerOrASectionDoesNotSort)
{
    QList<int32_t> clicked;
    int changing = 0;
    QObject::connect(&list(), &ListViewEditable::ColumnClick, [&](int32_t c) { clicked << c; });
    QObject::connect(&list(), &ListViewEditable::HeaderItemChanging, [&] { ++changing; });
    const QStringList before = names(list());
    const int width = header()->sectionSize(0);

    // The divider at the right edge of the first column, dragged 40 pixels to the right.
    const QPoint divider(sectionRect(header(), 0).right(), header()->height() / 2);
    QTest::mousePress(header()->viewport(), Qt::LeftButton, {}, divider);
    for (int dx = 10; dx <= 40; dx += 10)
        sendMove(header()->viewport(), divider + QPoint(dx, 0), Qt::LeftButton);
    QTest::mouseRelease(header()->viewport(), Qt::LeftButton, {}, divider + QPoint(40, 0));
    EXPECT_EQ(header()->sectionSize(0), width + 40);
    EXPECT_GT(changing, 0);

    // A press on one section dragged onto another (a column move) is no click either.
    list().setAllowColumnReorder(false);
    const QPoint inPath = sectionRect(header(), 1).center();
    QTest::mousePress(header()->viewport(), Qt::LeftButton, {}, inPath);
    sendMove(header()->viewport(), inPath + QPoint(30, 0), Qt::LeftButton);
    sendMove(header()->viewport(), inPath, Qt::LeftButton);
    QTest::mouseRelease(header()->viewport(), Qt::LeftButton, {}, inPath);

    EXPECT_TRUE(clicked.isEmpty());
    EXPECT_EQ(names(list()), before);
}

TEST_F(ListInput, TheSortedColumnBandIsPaintedBehindItsColumn)
{
    const QColor band(0xFF, 0xE1, 0xE1);
    const QColor white(Qt::white);
    list().setHighlightColumn(true);
    QApplication::processEvents();
    auto pixelBelowRows = [&](int column) {
        const QRect s = sectionRect(header(), column);
        const QPoint inViewport(s.center().x(), viewport()->height() - 5);
        return widget.grab().toImage().pixelColor(viewport()->mapTo(&widget, inViewport));
    };
    EXPECT_EQ(pixelBelowRows(0), band);
    EXPECT_EQ(pixelBelowRows(1), white);

    clickHeader(header(), 3);
    QApplication::processEvents();
    EXPECT_EQ(list().CurrrentHighlightColumn(), 4);
    EXPECT_EQ(pixelBelowRows(3), band);
    EXPECT_EQ(pixelBelowRows(0), white);
    widget.grab().save(testfiles::artifactFolder() + "/filelist_band.png");

    // The band follows a column resize.
    header()->resizeSection(0, header()->sectionSize(0) + 60);
    QApplication::processEvents();
    EXPECT_EQ(pixelBelowRows(3), band);

    list().setHighlightColumn(false);
    QApplication::processEvents();
    EXPECT_EQ(pixelBelowRows(3), white);

    // A column that does not exist leaves the list without a band; so does another view.
    list().DoHighlightColumn(0x00FF00, 0xFFFFFF, 9, 0);
    EXPECT_FALSE(list().Stripe().present);
    list().DoHighlightColumn(0x00FF00, 0xFFFFFF, 0, 0);
    EXPECT_EQ(list().CurrrentHighlightColumn(), 1);
    EXPECT_EQ(list().SizingType(), 0);
    list().DoHighlightColumn(0x00FF00, 0xFFFFFF, 1, 0);
    EXPECT_EQ(list().SizingType(), 2);
    QApplication::processEvents();
    EXPECT_EQ(pixelBelowRows(0), QColor(0, 0xFF, 0));
}

TEST_F(ListInput, TooltipOfANameIsTheFullPath)
{
    QTest::mouseMove(viewport(), cellCenter(rowOf("b.txt"), 0));
    EXPECT_EQ(list().ToolTipText(), folder + "b.txt");
    QTest::mouseMove(viewport(), cellCenter(rowOf("b.txt"), 3));
    EXPECT_EQ(list().ToolTipText(), "Text Document");
    QTest::mouseMove(viewport(), QPoint(5, viewport()->height() - 5));
    EXPECT_EQ(list().ToolTipText(), "Text Document") << "nothing hit keeps the last tip";

    QTest::mouseMove(viewport(), cellCenter(rowOf("c.txt"), 0));
    const QPoint at = cellCenter(rowOf("c.txt"), 0);
    QHelpEvent help(QEvent::ToolTip, at, viewport()->mapToGlobal(at));
    QApplication::sendEvent(viewport(), &help);
    EXPECT_EQ(QToolTip::text(), folder + "c.txt");
    QToolTip::hideText();
}

TEST_F(ListInput, DroppedFilesAndFoldersAreAddedOnceAndSortedByFolder)
{
    QTemporaryDir other;
    fixtures::makeFile(other.path(), "x.TXT", 10);
    fixtures::makeFile(other.path(), "x.text", 10);
    fixtures::makeFile(other.path(), "x.txt2", 10);
    fixtures::makeFile(other.path(), "noext", 10);
    fixtures::makeFile(other.path(), "in/inner.txt", 10);
    fixtures::makeFile(other.path(), "in/inner.jpg", 10);

    list().setFileSpec("*.txt");
    QList<QList<int32_t>> finished;
    QObject::connect(&list(), &ListViewEditable::FileDragDropFinish,
                     [&](int32_t &count, int32_t &files, int32_t &folders) { finished << QList<int32_t>{count, files, folders}; });

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(other.path() + "/x.TXT"), QUrl::fromLocalFile(other.path() + "/x.text"),
                  QUrl::fromLocalFile(other.path() + "/x.txt2"), QUrl::fromLocalFile(other.path() + "/noext"),
                  QUrl::fromLocalFile(other.path() + "/in"), QUrl::fromLocalFile(folder + "a.txt")});
    const QPoint at = viewport()->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport(), &drop);
    EXPECT_TRUE(drop.isAccepted());

    ASSERT_EQ(finished.size(), 1);
    EXPECT_EQ(finished[0], QList<int32_t>({6, 5, 1}));
    // The filter takes x.TXT and x.txt2 but not x.text or noext; a.txt was listed already.
    QStringList rows;
    for (int32_t i = 1; i <= list().FileItemCount(); ++i)
        rows << list().ListItems().Item(i).SubItems(1) + list().ListItems().Item(i).Text;
    QStringList expected = {folder + "a.txt", folder + "b.txt", folder + "c.txt", folder + "d",
                            other.path() + "/x.TXT", other.path() + "/x.txt2", other.path() + "/in/inner.txt"};
    std::sort(expected.begin(), expected.end(), [&](const QString &l, const QString &r) {
        return QString::compare(l.left(l.lastIndexOf(u'/') + 1), r.left(r.lastIndexOf(u'/') + 1), Qt::CaseInsensitive) < 0;
    });
    EXPECT_EQ(QSet<QString>(rows.begin(), rows.end()), QSet<QString>(expected.begin(), expected.end()));
    for (int32_t i = 2; i <= list().FileItemCount(); ++i)
        EXPECT_LE(QString::compare(list().Cell(i - 1, 2), list().Cell(i, 2), Qt::CaseInsensitive), 0) << "sorted by folder";

    // Refused while drops are not allowed.
    list().setAllowFileDragDrop(false);
    QDragEnterEvent refused(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport(), &refused);
    EXPECT_FALSE(refused.isAccepted());
}

TEST_F(ListInput, ClearOnDragDropEmptiesTheListOncePerDrop)
{
    QTemporaryDir one, two;
    fixtures::makeFile(one.path(), "one.txt", 1);
    fixtures::makeFile(two.path(), "two.txt", 1);
    list().setClearOnDragDrop(true);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(folder + "a.txt"), QUrl::fromLocalFile(one.path()), QUrl::fromLocalFile(two.path())});
    int32_t effect = 1;
    int16_t button = 1, shift = 0;
    float x = 0, y = 0;
    list().ListView1_OLEDragDrop(&data, effect, button, shift, x, y);
    EXPECT_EQ(QSet<QString>({"a.txt", "one.txt", "two.txt"}), nameSet(list())) << "every dropped item, nothing else";

    // A drop of files alone never empties the list.
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(folder + "b.txt")});
    list().ListView1_OLEDragDrop(&files, effect, button, shift, x, y);
    EXPECT_EQ(list().FileItemCount(), 4);
}

TEST_F(ListInput, ACellClickOffersTheCellForEditing)
{
    list().setAllowItemEdit(true);
    QList<QList<int32_t>> subitemClicks;
    QObject::connect(&list(), &ListViewEditable::SubitemClick,
                     [&](int32_t &row, int32_t &column, int16_t &, int16_t &) { subitemClicks << QList<int32_t>{row, column}; });
    const int row = rowOf("b.txt");
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, cellCenter(row, 3));
    QLineEdit *box = widget.EditBox();
    ASSERT_TRUE(box->isVisible());
    EXPECT_EQ(box->text(), "Text Document");
    EXPECT_EQ(list().EditTag(), QStringLiteral("%1:3").arg(row));
    EXPECT_EQ(subitemClicks, QList<QList<int32_t>>({{row, 3}}));
    const QRect cell = view()->visualRect(list().ListItems().index(row - 1, 3));
    EXPECT_TRUE(box->geometry().intersects(QRect(viewport()->mapTo(&widget, cell.topLeft()), cell.size())));

    // Typed, then Enter: written into the cell with the edit events around it.
    QStringList events;
    QObject::connect(&list(), &ListViewEditable::BeforeItemEdit,
                     [&](bool &, int32_t &i, int32_t &s, QString &o, QString &n) { events << QStringLiteral("before %1:%2 %3>%4").arg(i).arg(s).arg(o, n); });
    QObject::connect(&list(), &ListViewEditable::AfterItemEdit,
                     [&](bool &, int32_t &i, int32_t &s, QString &o, QString &n) { events << QStringLiteral("after %1:%2 %3>%4").arg(i).arg(s).arg(o, n); });
    QTest::mouseClick(box, Qt::LeftButton);
    box->selectAll();
    QTest::keyClicks(box, "Notes");
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(list().Cell(row, 4), "Notes");
    EXPECT_FALSE(box->isVisible());
    EXPECT_EQ(events, QStringList({QStringLiteral("before %1:3 Text Document>Notes").arg(row),
                                   QStringLiteral("after %1:3 Text Document>Notes").arg(row)}));
}

TEST_F(ListInput, EditVetoAndUndo)
{
    list().setAllowItemEdit(true);
    enum Handler { Veto, Undo, Redirect };
    struct Case {
        Handler handler;
        QString expectedType;
        QString during;
    };
    const Case cases[] = {
        {Veto, "Text Document", QString()},
        {Undo, "Text Document", "Notes"},
        {Redirect, "Text Document", "Other"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(int(c.handler));
        const int row = rowOf("a.txt");
        QString during;
        QMetaObject::Connection before = QObject::connect(&list(), &ListViewEditable::BeforeItemEdit,
            [&](bool &cancel, int32_t &index, int32_t &, QString &, QString &newString) {
                if (c.handler == Veto)
                    cancel = true;
                if (c.handler == Redirect) {
                    newString = "Other";
                    index = rowOf("b.txt");
                }
            });
        QMetaObject::Connection after = QObject::connect(&list(), &ListViewEditable::AfterItemEdit,
            [&](bool &cancel, int32_t &index, int32_t &, QString &, QString &) {
                during = list().Cell(index, 4);
                if (c.handler == Undo)
                    cancel = true;
            });
        QTest::mouseClick(viewport(), Qt::LeftButton, {}, cellCenter(row, 3));
        QLineEdit *box = widget.EditBox();
        ASSERT_TRUE(box->isVisible());
        QTest::mouseClick(box, Qt::LeftButton);
        box->selectAll();
        QTest::keyClicks(box, "Notes");
        QTest::keyClick(box, Qt::Key_Return);
        EXPECT_FALSE(box->isVisible());
        EXPECT_EQ(list().Cell(row, 4), c.expectedType);
        EXPECT_EQ(during, c.during);
        if (c.handler == Redirect) {
            EXPECT_EQ(list().Cell(rowOf("b.txt"), 4), "Other") << "written into the row the handler chose";
        }
        QObject::disconnect(before);
        QObject::disconnect(after);
    }
}

TEST_F(ListInput, NameAndFolderCellsRefuseTyping)
{
    list().setAllowItemEdit(true);
    int events = 0;
    QObject::connect(&list(), &ListViewEditable::BeforeItemEdit, [&](bool &, int32_t &, int32_t &, QString &, QString &) { ++events; });
    const QStringList before = names(list());
    for (int column : {0, 1}) {
        SCOPED_TRACE(column);
        const int row = rowOf("c.txt");
        const QString old = list().Cell(row, column + 1);
        QTest::mouseClick(viewport(), Qt::LeftButton, {}, cellCenter(row, column));
        EXPECT_FALSE(widget.EditBox()->isVisible()) << "no box opens over a cell that takes no typing";
        EXPECT_EQ(QApplication::focusWidget(), view());
        QTest::keyClicks(QApplication::focusWidget(), "a.txt");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(list().Cell(row, column + 1), old);
    }
    EXPECT_EQ(names(list()), before);
    EXPECT_EQ(events, 0);

    // A handler cannot send a type edit into a folder either.
    QObject::connect(&list(), &ListViewEditable::BeforeItemEdit,
                     [&](bool &, int32_t &, int32_t &subitem, QString &, QString &) { subitem = 1; });
    const int row = rowOf("b.txt");
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, cellCenter(row, 3));
    QLineEdit *box = widget.EditBox();
    EXPECT_FALSE(box->isReadOnly());
    QTest::mouseClick(box, Qt::LeftButton);
    box->selectAll();
    QTest::keyClicks(box, "/elsewhere/");
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(list().Cell(row, 2), folder);
    EXPECT_EQ(list().Cell(row, 4), "Text Document");
}

TEST_F(ListInput, EmptyingOrReloadingTheRowsEndsTheEdit)
{
    list().setAllowItemEdit(true);
    QTemporaryDir other;
    fixtures::makeFile(other.path(), "x.txt", 10);
    fixtures::makeFile(other.path(), "y.txt", 10);
    fixtures::makeFile(other.path(), "z.txt", 10);
    struct Case {
        const char *what;
        std::function<void()> change;
    };
    const Case cases[] = {
        {"a scan of the same folder", [&] { list().Scan(); }},
        {"another folder", [&] { list().setPath(other.path() + u'/'); list().Scan(); }},
        {"a list loaded", [&] { list().ClearItems(); for (const char *n : {"x.txt", "y.txt", "z.txt", "w.txt"}) list().AddFile(other.path() + u'/', n); }},
        {"a sort", [&] { list().setSortOrder(0); clickHeader(header(), 0); }},
        {"a row removed above", [&] { list().ListItems().Remove(1); }},
        {"another view", [&] { list().setView(0); list().setView(3); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        list().setPath(folder);
        list().Scan();
        list().SortCustom(1, true, 0);
        QApplication::processEvents();
        QTest::mouseClick(viewport(), Qt::LeftButton, {}, cellCenter(2, 3));
        const QString openedOver = list().Cell(2, 2) + list().Cell(2, 1);
        QLineEdit *box = widget.EditBox();
        ASSERT_TRUE(box->isVisible());
        QTest::mouseClick(box, Qt::LeftButton);
        box->selectAll();
        QTest::keyClicks(box, "Typed");
        c.change();
        QApplication::processEvents();
        EXPECT_FALSE(box->isVisible());
        QStringList rows;
        for (int32_t i = 1; i <= list().FileItemCount(); ++i)
            rows << list().Row(i);
        // Whatever the user does next, the typing reaches no row.
        QTest::keyClick(box, Qt::Key_Return);
        view()->setFocus();
        QTest::mouseClick(viewport(), Qt::LeftButton, {}, QPoint(5, viewport()->height() - 5));
        QApplication::processEvents();
        QStringList after;
        for (int32_t i = 1; i <= list().FileItemCount(); ++i)
            after << list().Row(i);
        EXPECT_EQ(after, rows);
        // Typing reaches the row it was typed over (a press that took the focus first) or none.
        for (int32_t i = 1; i <= list().FileItemCount(); ++i) {
            if (list().Row(i).contains("Typed")) {
                EXPECT_EQ(list().Cell(i, 2) + list().Cell(i, 1), openedOver) << after.join(u'\n').toStdString();
            }
        }
        EXPECT_TRUE(list().EditTag().isEmpty());
    }
}

TEST_F(ListInput, TypingOverACellStaysWithItsRowUntilCommitted)
{
    list().setAllowItemEdit(true);
    const int row = rowOf("c.txt");
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, cellCenter(row, 3));
    QLineEdit *box = widget.EditBox();
    ASSERT_TRUE(box->isVisible());
    QTest::mouseClick(box, Qt::LeftButton);
    box->selectAll();
    QTest::keyClicks(box, "Big");
    // Rows added below do not move it: the commit still lands on c.txt.
    list().AddFile(folder, "zz.txt");
    list().ListItems().FlushPending();
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(list().Cell(rowOf("c.txt"), 4), "Big");
}

TEST_F(ListInput, RightClickOpensThePopupMenu)
{
    list().setAutoPopupMenu(true);
    list().setCheckboxes(true);
    struct Seen {
        QStringList captions;
        QStringList enabled;
    };
    auto rightClickAt = [&](const QPoint &at, const QString &trigger = {}) {
        Seen seen;
        QTimer::singleShot(0, [&] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            for (QAction *a : menu->actions()) {
                if (a->isSeparator())
                    continue;
                seen.captions << a->text();
                if (a->isEnabled())
                    seen.enabled << a->objectName();
                if (a->objectName() == trigger)
                    a->trigger();
            }
            menu->close();
        });
        QTest::mouseClick(viewport(), Qt::RightButton, {}, at);
        return seen;
    };

    // Beside every row nothing is selected: the entries that need a row are off.
    Seen empty = rightClickAt(QPoint(5, viewport()->height() - 5));
    EXPECT_EQ(empty.captions, QStringList({"&Open", "&Explore", "Check Date", "Uncheck Date", "Check Directory",
                                           "Uncheck Directory", "Check All", "Uncheck All", "Invert Checks",
                                           "Copy Checked To", "Move Checked To", "&Properties..."}));
    EXPECT_EQ(empty.enabled, QStringList({"mnuSelectall", "mnuDeselectall", "mnuCheck", "mnuProperties"}));

    Seen onRow = rightClickAt(cellCenter(rowOf("b.txt"), 1), "mnuSelectDir");
    EXPECT_TRUE(onRow.enabled.contains("mnuOpen"));
    EXPECT_FALSE(onRow.enabled.contains("mnuCopy")) << "nothing checked yet";
    EXPECT_EQ(list().SelectedItem(), rowOf("b.txt"));
    std::vector<int32_t> checked;
    EXPECT_EQ(list().GetCheckedItems(checked), 4) << "Check Directory checked every row of the folder";

    rightClickAt(cellCenter(rowOf("b.txt"), 1), "mnuOpen");
    EXPECT_EQ(shell.opened, QStringList({folder + "b.txt"}));
}

TEST_F(ListInput, DoubleClickOpensTheSelectedFile)
{
    int doubleClicks = 0;
    QObject::connect(&list(), &ListViewEditable::DblClick, [&] { ++doubleClicks; });
    // As the window system delivers it: press, release, then the second press as a double click.
    const QPoint at = cellCenter(rowOf("c.txt"), 2);
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_EQ(shell.opened, QStringList({folder + "c.txt"}));
}

TEST_F(ListInput, ScrollingRaisesItsEventsAndMovesTheEditBox)
{
    for (int i = 0; i < 60; ++i)
        list().AddFile(folder, QStringLiteral("missing%1").arg(i));
    QApplication::processEvents();
    list().setAllowItemEdit(true);
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, cellCenter(1, 3));
    ASSERT_TRUE(widget.EditBox()->isVisible());
    int vscroll = 0, wheel = 0;
    QObject::connect(&list(), &ListViewEditable::VScroll, [&] { ++vscroll; });
    QObject::connect(&list(), &ListViewEditable::WheelScroll, [&] { ++wheel; });

    view()->verticalScrollBar()->setValue(view()->verticalScrollBar()->maximum());
    EXPECT_EQ(vscroll, 1);
    EXPECT_FALSE(widget.EditBox()->isVisible()) << "the cell scrolled out of view";
    view()->verticalScrollBar()->setValue(0);
    EXPECT_TRUE(widget.EditBox()->isVisible());

    const QPoint at = viewport()->rect().center();
    QWheelEvent turn(at, viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport(), &turn);
    EXPECT_EQ(wheel, 1);
}

TEST_F(ListInput, HostsMayChangeOrSwallowKeys)
{
    view()->setFocus();
    list().setSelectedItem(1);
    const QStringList order = names(list());
    // Down arrow swallowed by the host: the current row stays.
    QMetaObject::Connection down = QObject::connect(&list(), &ListViewEditable::KeyDown, [](int16_t &code, int16_t &) {
        if (code == 40)
            code = 0;
    });
    QTest::keyClick(view(), Qt::Key_Down);
    EXPECT_EQ(list().SelectedItem(), 1);
    QObject::disconnect(down);
    QTest::keyClick(view(), Qt::Key_Down);
    EXPECT_EQ(list().SelectedItem(), 2);

    // A typed "c" turned into "b" by the host: the list's type-ahead finds b.txt.
    QList<int16_t> ups;
    QObject::connect(&list(), &ListViewEditable::KeyUp, [&](int16_t &code, int16_t &) { ups << code; });
    QObject::connect(&list(), &ListViewEditable::KeyPress, [](int16_t &ascii) {
        if (ascii == 'c')
            ascii = 'b';
    });
    QTest::keyClick(view(), Qt::Key_C);
    EXPECT_EQ(list().SelectedItem(), int32_t(order.indexOf("b.txt")) + 1);
    EXPECT_EQ(ups.last(), 'C');
}

TEST_F(ListInput, AClickBesideEveryRowDeselectsOnlyWithAutoDeselect)
{
    const QPoint below(5, viewport()->height() - 5);
    for (bool autoDeselect : {false, true}) {
        SCOPED_TRACE(autoDeselect);
        list().setAutoDeselect(autoDeselect);
        QTest::mouseClick(viewport(), Qt::LeftButton, {}, cellCenter(2, 1));
        ASSERT_EQ(list().SelectedCount(), 1);
        QTest::mouseClick(viewport(), Qt::LeftButton, {}, below);
        EXPECT_EQ(list().SelectedCount(), autoDeselect ? 0 : 1);
    }
}

TEST_F(ListInput, SwitchingEditingOnOffersTheLastClickedCell)
{
    const int row = rowOf("a.txt");
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, cellCenter(row, 3));
    EXPECT_FALSE(widget.EditBox()->isVisible());
    EXPECT_EQ(list().EditTag(), QStringLiteral("%1:3").arg(row)) << "the cell is recorded with editing off";
    list().setAllowItemEdit(true);
    ASSERT_TRUE(widget.EditBox()->isVisible());
    EXPECT_EQ(widget.EditBox()->text(), "Text Document");
    list().setAllowItemEdit(false);
    EXPECT_FALSE(widget.EditBox()->isVisible());
}

TEST_F(ListInput, ColumnsFitTheirTextsOrCaptions)
{
    list().ListItems().SetSubItem(1, 3, QString(60, u'W'));
    const int before = header()->sectionSize(3);
    widget.ResizeListViewColumn(7);
    EXPECT_EQ(header()->sectionSize(3), before) << "a column that does not exist";
    widget.ResizeListViewColumn(3);
    EXPECT_GT(header()->sectionSize(3), view()->fontMetrics().horizontalAdvance(QString(60, u'W')));
    header()->resizeSection(2, 5);
    widget.ResizeListViewHeader(2);
    EXPECT_GE(header()->sectionSize(2), header()->sectionSizeHint(2)) << "the caption fits";
    widget.ResizeListViewHeader(4);
    EXPECT_GE(header()->sectionViewportPosition(4) + header()->sectionSize(4), viewport()->width())
        << "the last column reaches the list's edge";
}

TEST_F(ListInput, WithEditingOnADoubleClickOpensTheRow)
{
    list().setAllowItemEdit(true);
    int doubleClicks = 0;
    QObject::connect(&list(), &ListViewEditable::DblClick, [&] { ++doubleClicks; });
    // Through the window, so that each press reaches whatever lies under the mouse.
    QWindow *window = widget.windowHandle();
    ASSERT_NE(window, nullptr);
    const QPoint at = viewport()->mapTo(&widget, cellCenter(rowOf("b.txt"), 3));
    QTest::mouseClick(window, Qt::LeftButton, {}, at);
    ASSERT_TRUE(widget.EditBox()->isVisible());
    ASSERT_TRUE(widget.EditBox()->geometry().contains(at)) << "the second click lands on the box";
    QTest::mouseDClick(window, Qt::LeftButton, {}, at);
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_EQ(shell.opened, QStringList({folder + "b.txt"}));
}

namespace {

/** Runs `click` and reports the popup that opened (its object name), closing it. */
QString popupDuring(const std::function<void()> &click)
{
    QString seen;
    QTimer::singleShot(0, [&] {
        if (QWidget *popup = QApplication::activePopupWidget()) {
            seen = popup->objectName();
            popup->close();
        }
    });
    click();
    return seen;
}

} // namespace

TEST_F(ListInput, TheIconAndListViewsHaveTheListsMouse)
{
    list().setAutoPopupMenu(true);
    struct Case {
        const char *what;
        int32_t view;
    } cases[] = {{"Icons", 0}, {"Small Icons", 1}, {"List", 2}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        list().setView(c.view);
        QApplication::processEvents();
        QAbstractItemView *icons = widget.ShownView();
        ASSERT_EQ(icons, static_cast<QAbstractItemView *>(widget.IconView()));
        QWidget *vp = icons->viewport();
        const int row = rowOf("b.txt");
        const QPoint at = icons->visualRect(list().ListItems().index(row - 1, 0)).center();

        // Right click on a row: the list's popup, the row selected.
        EXPECT_EQ(popupDuring([&] { QTest::mouseClick(vp, Qt::RightButton, {}, at); }), "mnuOptions");
        EXPECT_EQ(list().SelectedItem(), row);

        // The tool tip names the item's full path.
        sendMove(vp, at, Qt::NoButton);
        EXPECT_EQ(list().ToolTipText(), folder + "b.txt");

        // A click beside every item keeps the selection unless AutoDeselect is on.
        const QPoint beside(vp->width() - 3, vp->height() - 3);
        ASSERT_FALSE(icons->indexAt(beside).isValid());
        list().setAutoDeselect(false);
        QTest::mouseClick(vp, Qt::LeftButton, {}, beside);
        EXPECT_EQ(list().SelectedItem(), row);
        list().setAutoDeselect(true);
        QTest::mouseClick(vp, Qt::LeftButton, {}, beside);
        EXPECT_EQ(list().SelectedCount(), 0);

        // A double click opens the item.
        shell.opened.clear();
        QTest::mouseClick(vp, Qt::LeftButton, {}, at);
        QTest::mouseDClick(vp, Qt::LeftButton, {}, at);
        EXPECT_EQ(shell.opened, QStringList({folder + "b.txt"}));
    }
}

TEST_F(ListInput, ARightClickOnTheEditBoxIsTheLists)
{
    list().setAutoPopupMenu(true);
    list().setAllowItemEdit(true);
    const int row = rowOf("c.txt");
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, cellCenter(row, 3));
    QLineEdit *box = widget.EditBox();
    ASSERT_TRUE(box->isVisible());
    EXPECT_EQ(popupDuring([&] { QTest::mouseClick(box, Qt::RightButton, {}, box->rect().center()); }), "mnuOptions");
    EXPECT_EQ(list().SelectedItem(), row);
}

TEST_F(ListInput, GridLinesKeepTheSelectionReadableAndTheBoxOnItsCell)
{
    list().setGridLines(true);
    list().setAllowItemEdit(true);
    const int row = rowOf("b.txt");
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, cellCenter(row, 3));
    ASSERT_EQ(list().SelectedItem(), row);
    // The box sits on the clicked cell, not a row above or below.
    const QRect cell = view()->visualRect(list().ListItems().index(row - 1, 3));
    const QRect cellInWidget(viewport()->mapTo(&widget, cell.topLeft()), cell.size());
    const QRect box = widget.EditBox()->geometry();
    EXPECT_LE(std::abs(box.center().y() - cellInWidget.center().y()), cell.height() / 4)
        << "box " << box.y() << " cell " << cellInWidget.y();

    // Painted: the selected row carries the highlight, and its text stands out from it.
    view()->setFocus();
    widget.EditBox()->hide();
    QApplication::processEvents();
    const QImage shot = viewport()->grab().toImage();
    shot.save(testfiles::artifactFolder() + "/filelist_gridlines.png");
    const QColor highlight = view()->palette().color(QPalette::Active, QPalette::Highlight);
    const QRect size = view()->visualRect(list().ListItems().index(row - 1, 2)).intersected(shot.rect());
    int highlighted = 0;
    int contrasting = 0;
    for (int y = size.top() + 1; y < size.bottom() - 1; ++y)
        for (int x = size.left() + 1; x < size.right() - 1; ++x) {
            const QColor p = shot.pixelColor(x, y);
            const int distance = std::abs(p.red() - highlight.red()) + std::abs(p.green() - highlight.green())
                + std::abs(p.blue() - highlight.blue());
            if (distance < 30)
                ++highlighted;
            else if (std::abs(p.lightness() - highlight.lightness()) > 60)
                ++contrasting;
        }
    const int area = (size.width() - 3) * (size.height() - 3);
    EXPECT_GT(highlighted, area / 2) << "the selected row is painted in the selection colour";
    EXPECT_GT(contrasting, 5) << "its text is drawn in a colour that stands out";
    // Grid lines are drawn between the cells of a row that is not selected.
    const int other = rowOf("a.txt");
    const QRect plain = view()->visualRect(list().ListItems().index(other - 1, 1));
    const QColor base = view()->palette().color(QPalette::Base);
    EXPECT_NE(shot.pixelColor(plain.right(), plain.center().y()), base);
}

TEST_F(ListInput, AFlatHeaderLooksFlat)
{
    QApplication::processEvents();
    const QImage buttons = header()->grab().toImage();
    list().setFlatHeader(true);
    QApplication::processEvents();
    EXPECT_TRUE(widget.IsFlatHeader());
    const QImage flat = header()->grab().toImage();
    EXPECT_NE(flat, buttons);
    // Flat: the face of a section is one plain colour, without the raised button's shading.
    const QRect first = sectionRect(header(), 1).adjusted(2, 2, -2, -2);
    const QColor face = flat.pixelColor(first.left() + 1, first.bottom() - 1);
    EXPECT_EQ(flat.pixelColor(first.right() - 1, first.top() + 1), face);
    list().setFlatHeader(false);
    QApplication::processEvents();
    EXPECT_FALSE(widget.IsFlatHeader());
    EXPECT_EQ(header()->grab().toImage(), buttons);
    clickHeader(header(), 0);
}
