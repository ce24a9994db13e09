#include "frmMain.h"
#include "ListViewEditableWidget.h"
#include "WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QUrl>

using namespace mainwin;

namespace {

class MainFileList : public WindowFixture {
protected:
    /** Right-clicks the list at `at` and picks the entry named `entry` from the popup. */
    static void pickFromPopup(QTreeView *view, const QPoint &at, const QString &entry)
    {
        QTimer::singleShot(0, [entry] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            for (QAction *a : menu->actions())
                if (a->objectName() == entry) {
                    EXPECT_TRUE(a->isEnabled()) << entry.toStdString();
                    a->trigger();
                }
            menu->close();
        });
        QTest::mouseClick(view->viewport(), Qt::RightButton, {}, at);
    }
};

} // namespace

TEST_F(MainFileList, DropHeaderClickAndCopyOnTheMainList)
{
    makeFile("a.txt", "alpha");
    makeFile("b.txt", "beta");
    makeFile("sub/c.txt", QByteArray(3000, 'g'));
    QTemporaryDir target;
    frmMain w(state);
    w.Load();
    w.resize(1100, 700);
    w.show();
    QTreeView *view = w.lvw2Widget->ListView();
    filelist::ListViewEditable &list = *w.lvw2;

    // Files and a folder dropped on the list.
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(dataPath("a.txt")), QUrl::fromLocalFile(dataPath("sub"))});
    const QPoint middle = view->viewport()->rect().center();
    QDragEnterEvent enter(middle, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &enter);
    QDropEvent drop(middle, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &drop);
    ASSERT_EQ(list.FileItemCount(), 2);
    EXPECT_EQ(list.Cell(1, 1), "a.txt");
    EXPECT_EQ(list.Cell(2, 1), "c.txt");

    // The sorted-column band follows a header click.
    EXPECT_TRUE(list.Stripe().present);
    QHeaderView *header = view->header();
    const QRect size(header->sectionViewportPosition(2), 0, header->sectionSize(2), header->height());
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, size.center());
    EXPECT_EQ(list.Stripe().column, 3);
    EXPECT_EQ(list.Cell(1, 1), "c.txt") << "the larger file first: the list was left ascending";

    // Check All, then Copy Checked To with the folder the dialog answers.
    const QPoint onRow = view->visualRect(list.ListItems().index(0, 1)).center();
    pickFromPopup(view, onRow, "mnuSelectall");
    w.GetSelected();
    EXPECT_EQ(state.SelFileCount, 2);
    dialogs.answers << target.path();
    pickFromPopup(view, onRow, "mnuCopy");
    EXPECT_EQ(testfiles::readFile(target.filePath("a.txt")), "alpha");
    EXPECT_EQ(testfiles::readFile(target.filePath("c.txt")), QByteArray(3000, 'g'));
    EXPECT_EQ(state.LastCopyFolder, target.path());
    EXPECT_EQ(w.Label10->text(), "Ready");
    EXPECT_TRUE(messages.shown.empty());
}
