#include "FileListFixtures.h"
#include "ListViewEditableWidget.h"

#include <QApplication>
#include <QHeaderView>
#include <QIcon>
#include <QMouseEvent>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <gtest/gtest.h>

using namespace filelist;

namespace {

// Exposes the delegate's option set-up, to find where a row's check box is drawn.
struct OptionProbe : QStyledItemDelegate {
    using QStyledItemDelegate::initStyleOption;
};

void clickCheckBox(QTreeView *view, int row)
{
    const QModelIndex index = view->model()->index(row, 0);
    QStyleOptionViewItem option;
    option.initFrom(view);
    option.rect = view->visualRect(index);
    option.widget = view;
    OptionProbe().initStyleOption(&option, index);
    const QRect box = view->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, view);
    ASSERT_TRUE(box.isValid());
    const QPointF at = box.center();
    QWidget *viewport = view->viewport();
    QMouseEvent press(QEvent::MouseButtonPress, at, viewport->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, viewport->mapToGlobal(at), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &release);
}

std::vector<int32_t> checkedRows(const ListViewEditable &c)
{
    std::vector<int32_t> rows;
    c.GetCheckedItems(rows);
    return c.GetCheckedItems(rows) ? rows : std::vector<int32_t>();
}

} // namespace

TEST(ListViewEditableWidget, ShowsAScannedFolderWithCheckBoxes)
{
    QTemporaryDir dir;
    for (const char *name : {"alpha.txt", "beta.jpg", "gamma.doc"})
        fixtures::makeFile(dir.path(), QString::fromUtf8(name), 3000);
    fixtures::makeFolder(dir.path(), "delta");

    ListViewEditableWidget widget;
    widget.setObjectName("lvw2");
    ListViewEditable &list = widget.control();
    list.setCheckboxes(true);
    list.setPath(dir.path());
    widget.resize(760, 300);
    widget.show();
    list.Scan();
    QApplication::processEvents();

    QTreeView *view = widget.ListView();
    EXPECT_EQ(view->objectName(), "ListView1");
    EXPECT_TRUE(view->updatesEnabled()) << "painting resumes after the scan";
    ASSERT_EQ(view->model()->rowCount(), 4);
    ASSERT_EQ(view->header()->count(), 5);
    QStringList captions;
    for (int c = 0; c < 5; ++c)
        captions << view->model()->headerData(c, Qt::Horizontal).toString().trimmed();
    EXPECT_EQ(captions, QStringList({"Name", "Path", "Size", "Type", "Created Date"}));
    EXPECT_EQ(view->header()->sectionSize(0), 140) << "2100 twips";
    EXPECT_EQ(view->model()->index(0, 0).data().toString(), "alpha.txt");
    EXPECT_EQ(view->model()->index(0, 2).data().toString(), "3KB");
    EXPECT_EQ(view->model()->index(2, 3).data().toString(), "File Folder");
    EXPECT_TRUE(view->model()->index(0, 0).data(Qt::DecorationRole).canConvert<QIcon>());
    EXPECT_EQ(view->model()->index(0, 0).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);

    QList<int32_t> itemChecks;
    QObject::connect(&list, &ListViewEditable::ItemCheck, [&](int32_t item) { itemChecks << item; });
    clickCheckBox(view, 1);
    EXPECT_EQ(checkedRows(list), std::vector<int32_t>({2}));
    clickCheckBox(view, 3);
    EXPECT_EQ(checkedRows(list), std::vector<int32_t>({2, 4}));
    clickCheckBox(view, 1);
    EXPECT_EQ(checkedRows(list), std::vector<int32_t>({4}));
    EXPECT_EQ(itemChecks, QList<int32_t>({2, 4, 2}));

    list.setCheckedAll(true);
    for (int row = 0; row < 4; ++row)
        EXPECT_EQ(view->model()->index(row, 0).data(Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_EQ(checkedRows(list).size(), 4u);
    list.setCheckedAll(false);
    clickCheckBox(view, 0);
    EXPECT_EQ(checkedRows(list), std::vector<int32_t>({1}));
    ASSERT_EQ(list.CheckedFileRows().size(), 1u);
    EXPECT_EQ(list.CheckedFileRows()[0].FullPath(), dir.path() + "/alpha.txt");

    widget.grab().save(testfiles::artifactFolder() + "/filelist_widget.png");
}

TEST(ListViewEditableWidget, ViewSettingsAndTopIndex)
{
    ListViewEditableWidget widget;
    ListViewEditable &list = widget.control();
    for (int i = 1; i <= 200; ++i)
        list.ListItems().Add(QStringLiteral("row%1").arg(i));
    widget.resize(400, 200);
    widget.show();
    QApplication::processEvents();
    QTreeView *view = widget.ListView();

    list.setHideColumnHeaders(true);
    EXPECT_FALSE(view->header()->isVisible());
    list.setMultiSelect(false);
    EXPECT_EQ(view->selectionMode(), QAbstractItemView::SingleSelection);
    list.setMousePointer(11);
    EXPECT_EQ(view->cursor().shape(), Qt::WaitCursor);
    list.setFlatScrollBar(true);
    EXPECT_EQ(view->width(), 400 - 33);
    list.setEnabled(false);
    EXPECT_FALSE(view->isEnabled());

    EXPECT_EQ(widget.TopIndex(), 1);
    const int32_t perPage = widget.VisibleCount();
    ASSERT_GT(perPage, 2);
    widget.setTopIndex(2);
    EXPECT_EQ(widget.TopIndex(), 1) << "a visible row does not scroll";
    widget.setTopIndex(50);
    EXPECT_EQ(widget.TopIndex(), 50);
    widget.setTopIndex(10);
    EXPECT_EQ(widget.TopIndex(), 10);
    widget.setTopIndex(199);
    EXPECT_EQ(widget.TopIndex(), 200 - perPage + 1);
    widget.setTopIndex(1);
    EXPECT_EQ(widget.TopIndex(), 1);
    widget.setTopIndex(5000);
    EXPECT_EQ(widget.TopIndex(), 200 - perPage + 1) << "a row beyond the last scrolls to the end";
    widget.setTopIndex(0);
    EXPECT_EQ(widget.TopIndex(), 200 - perPage + 1);
}
