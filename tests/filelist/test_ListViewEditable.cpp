#include "FileListFixtures.h"
#include "ListViewEditable.h"

#include "Dialogs.h"
#include "PathCodec.h"
#include "VbError.h"

#include <QItemSelectionModel>
#include <functional>
#include <unistd.h>
#include <gtest/gtest.h>

using namespace filelist;

namespace {

class ListViewEditableTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int i = 1; i <= 5; ++i)
            list.ListItems().Add(QStringLiteral("row%1").arg(i));
    }
    ListViewEditable list;
};

} // namespace

TEST_F(ListViewEditableTest, CheckMarks)
{
    std::vector<int32_t> checkedRows = {99};
    EXPECT_EQ(list.GetCheckedItems(checkedRows), 0);
    EXPECT_EQ(checkedRows, std::vector<int32_t>({99})) << "left as it was when nothing is checked";

    list.setChecked(2, true);
    list.setChecked(5, true);
    list.setChecked(6, true);
    list.setChecked(0, true);
    EXPECT_FALSE(list.checked(6));
    EXPECT_FALSE(list.checked(0));
    EXPECT_EQ(list.GetCheckedItems(checkedRows), 2);
    EXPECT_EQ(checkedRows, std::vector<int32_t>({2, 5}));

    list.InvertAllChecks();
    EXPECT_EQ(list.GetCheckedItems(checkedRows), 3);
    EXPECT_EQ(checkedRows, std::vector<int32_t>({1, 3, 4}));
    list.setCheckedAll(true);
    EXPECT_EQ(list.GetCheckedItems(checkedRows), 5);
    list.setCheckedAll(false);
    EXPECT_EQ(list.GetCheckedItems(checkedRows), 0);
    EXPECT_EQ(checkedRows.size(), 5u);
}

TEST_F(ListViewEditableTest, CheckBoxesOfTheModel)
{
    ListItemsModel &model = list.ListItems();
    const QModelIndex first = model.index(0, 0);
    EXPECT_FALSE(model.data(first, Qt::CheckStateRole).isValid()) << "no check boxes until switched on";
    EXPECT_FALSE(model.flags(first) & Qt::ItemIsUserCheckable);
    list.setCheckboxes(true);
    EXPECT_TRUE(model.flags(first) & Qt::ItemIsUserCheckable);
    EXPECT_FALSE(model.flags(model.index(0, 1)) & Qt::ItemIsUserCheckable);

    QList<int32_t> userChecks;
    QObject::connect(&list, &ListViewEditable::ItemCheck, [&](int32_t item) { userChecks << item; });
    EXPECT_TRUE(model.setData(model.index(2, 0), Qt::Checked, Qt::CheckStateRole));
    EXPECT_TRUE(list.checked(3));
    EXPECT_EQ(model.data(model.index(2, 0), Qt::CheckStateRole).toInt(), Qt::Checked);
    list.setChecked(1, true);
    EXPECT_EQ(userChecks, QList<int32_t>({3})) << "only the user's checks raise ItemCheck";
    EXPECT_FALSE(model.setData(model.index(2, 1), Qt::Checked, Qt::CheckStateRole));

    const std::vector<FileRow> rows = list.CheckedFileRows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].Index, 1);
    EXPECT_EQ(rows[1].Name, "row3");
    EXPECT_TRUE(rows[1].Checked);
}

TEST_F(ListViewEditableTest, Selection)
{
    std::vector<int32_t> selected = {7};
    EXPECT_EQ(list.GetSelectedItems(selected), 0);
    EXPECT_EQ(selected, std::vector<int32_t>({7}));
    EXPECT_EQ(list.SelectedItem(), 0);

    list.setSelectedItem(3);
    EXPECT_EQ(list.SelectedItem(), 3);
    EXPECT_EQ(list.SelectedCount(), 1);
    list.InvertSelections();
    EXPECT_EQ(list.GetSelectedItems(selected), 4);
    EXPECT_EQ(selected, std::vector<int32_t>({1, 2, 4, 5}));
    EXPECT_EQ(list.NextItem(-1, 2), 0);
    EXPECT_EQ(list.NextItem(1, 2), 3);
    EXPECT_EQ(list.NextItem(4, 2), -1);
    EXPECT_EQ(list.NextItem(-1, 0), 0);
    EXPECT_EQ(list.NextItem(3, 0), 4);
    EXPECT_EQ(list.NextItem(4, 0), -1);
    EXPECT_EQ(list.NextItem(-1, 1), 2) << "the current row";

    list.setSelectedAll(true);
    EXPECT_EQ(list.SelectedCount(), 5);
    list.setSelectedAll(false);
    EXPECT_EQ(list.SelectedCount(), 0);
    list.setSelectedItem(2);
    list.setSelectedItem(0);
    EXPECT_EQ(list.SelectedItem(), 0);
    EXPECT_EQ(list.SelectedCount(), 0);
}

TEST_F(ListViewEditableTest, SelectionFollowsItsRowsThroughASort)
{
    list.setSelectedItem(1);
    list.SortCustom(1, false, ldtString);
    EXPECT_EQ(list.SelectedItem(), 5);
    std::vector<int32_t> selected;
    EXPECT_EQ(list.GetSelectedItems(selected), 1);
    EXPECT_EQ(list.Cell(selected[0], 1), "row1");
}

TEST_F(ListViewEditableTest, ReorderMovesEveryRowOnceAndRefusesWhatIsNoNewOrder)
{
    // Several cycles and a row that stays; the selection goes with its row. An order that
    // names a row twice, one that is not there or has the wrong length moves nothing and
    // announces nothing.
    ListItemsModel &model = list.ListItems();
    for (int32_t r = 1; r <= 5; ++r)
        model.SetTag(r, QStringLiteral("tag%1").arg(r));
    list.setSelectedItem(4);
    int layouts = 0;
    QObject::connect(&model, &QAbstractItemModel::layoutChanged, [&] { ++layouts; });
    model.Reorder({3, 0, 2, 4, 1});
    EXPECT_EQ(list.Col(1, ","), "row4,row1,row3,row5,row2");
    EXPECT_EQ(model.Item(4).Tag, "tag5");
    EXPECT_EQ(list.SelectedItem(), 1);
    EXPECT_EQ(layouts, 1);

    const std::vector<std::vector<int32_t>> refused = {{0, 0, 1, 2, 3}, {0, 1, 2, 3, 5}, {0, -1, 2, 3, 4}, {1, 0}};
    for (const auto &order : refused) {
        model.Reorder(order);
        EXPECT_EQ(list.Col(1, ","), "row4,row1,row3,row5,row2");
    }
    EXPECT_EQ(layouts, 1);
}

TEST_F(ListViewEditableTest, AssignedRowsAreTheListsOwnWhateverTheOtherDoes)
{
    // Rows taken from another list (all of them, or those a test keeps) come unchecked; marks,
    // edits, removals, new rows and a new order in either list leave the other as it was, and
    // a mark goes with its row through a new order.
    ListItemsModel &source = list.ListItems();
    list.setChecked(2, true);
    ListViewEditable all;
    ListViewEditable some;
    all.ListItems().AssignRows(source);
    some.ListItems().AssignRows(source, [](const ListItem &row) { return row.Text != "row2"; });
    EXPECT_EQ(all.Col(1, ","), "row1,row2,row3,row4,row5");
    EXPECT_EQ(all.ListItems().rowCount(), 5);
    EXPECT_EQ(some.Col(1, ","), "row1,row3,row4,row5");
    std::vector<int32_t> checkedRows;
    EXPECT_EQ(all.GetCheckedItems(checkedRows), 0);

    all.setChecked(4, true);
    EXPECT_FALSE(list.checked(4));
    source.SetCellText(1, 0, "first");
    source.Reorder({4, 3, 2, 1, 0});
    EXPECT_EQ(list.Col(1, ","), "row5,row4,row3,row2,first");
    EXPECT_EQ(list.GetCheckedItems(checkedRows), 1);
    EXPECT_EQ(checkedRows, std::vector<int32_t>({4}));
    source.Remove(1);
    source.Add("row6");
    EXPECT_EQ(all.Col(1, ","), "row1,row2,row3,row4,row5");
    EXPECT_EQ(all.GetCheckedItems(checkedRows), 1);
    EXPECT_EQ(checkedRows, std::vector<int32_t>({4}));

    all.ListItems().SetCellText(2, 0, "second");
    all.ListItems().SetTag(3, "tag");
    EXPECT_EQ(list.Col(1, ","), "row4,row3,row2,first,row6");
    EXPECT_EQ(list.ListItems().Item(2).Tag, "");
    EXPECT_EQ(some.Col(1, ","), "row1,row3,row4,row5");
}

TEST_F(ListViewEditableTest, RowsAndCollection)
{
    EXPECT_EQ(list.FileItemCount(), 5);
    EXPECT_EQ(list.ListItems().Item(2).Text, "row2");
    EXPECT_THROW(list.ListItems().Item(6), vb::Error);
    list.ListItems().Remove(2);
    EXPECT_EQ(list.Cell(2, 1), "row3");
    list.ListItems().RemoveRows({4, 1, 4, 9});
    EXPECT_EQ(list.Col(1, ","), "row3,row4");
    EXPECT_TRUE(list.ListItems().SetCellText(1, 4, "type"));
    EXPECT_FALSE(list.ListItems().SetCellText(1, 5, "beyond the columns"));
    EXPECT_EQ(list.ListItems().Item(1).SubItems(4), "type");
    list.ClearItems();
    EXPECT_EQ(list.FileItemCount(), 0);
    EXPECT_EQ(list.ListItems().rowCount(), 0);
    EXPECT_EQ(list.DisplayName(), "/*.*");
}

TEST(ListViewEditableDialogs, SelectDirectoryAsksWithTheMask)
{
    RecordingDialogs dialogs;
    ListViewEditable list;
    EXPECT_EQ(list.SelectDirectory("Select the search directory for "), "") << "no picker, no folder";
    list.setDialogs(&dialogs);
    dialogs.answers << "/home/ann/Music";
    EXPECT_EQ(list.SelectDirectory("Select the search directory for "), "/home/ann/Music/");
    EXPECT_EQ(list.SelectDirectory("Pick "), "") << "a cancelled picker gives an empty text";
    EXPECT_EQ(dialogs.asked, QStringList({"Select the search directory for *.*.", "Pick *.*."}));
}

// A list made afresh from another list's rows shows each item as AddFile shows it now: gone,
// grown, a folder, an item of another folder, a name that is not UTF-8, a dangling link, a folder
// text without its "/" and an empty name, among enough rows for several batches of lookups.
TEST(ListViewEditableRelist, RowsAreTheRowsAddFileMakesForTheItemsAsTheyAreNow)
{
    // Removed whole, the name that is not UTF-8 included.
    testfiles::TempDir dir;
    const QString root = dir.path();
    const QString folder = root + u'/';
    QStringList names;
    for (int i = 0; i < 1100; ++i) {
        names << QStringLiteral("f%1.%2").arg(i, 4, 10, QChar(u'0')).arg(i % 3 ? QStringLiteral("txt") : QStringLiteral("jpg"));
        fixtures::makeFile(root, names.back(), i * 7);
    }
    fixtures::makeFile(root, QStringLiteral("gone.txt"), 10);
    const QString grown = fixtures::makeFile(root, QStringLiteral("grown.txt"), 10);
    fixtures::makeFolder(root, QStringLiteral("Sub"));
    fixtures::makeFile(root, QStringLiteral("other/x.mp3"), 3000);
    fixtures::makeFile(root, QStringLiteral("subx.txt"), 2000);
    const QByteArray rawName("caf\xe9.txt");
    testfiles::writeRawFile(QFile::encodeName(folder) + rawName, "raw");
    ASSERT_EQ(::symlink("nowhere", QFile::encodeName(root + QStringLiteral("/dangling")).constData()), 0);

    struct Item {
        QString folder;
        QString name;
    };
    std::vector<Item> items;
    for (const QString &name : names)
        items.push_back({folder, name});
    items.insert(items.begin() + 3, {folder, QStringLiteral("gone.txt")});
    items.insert(items.begin() + 700, {folder, QStringLiteral("grown.txt")});
    items.push_back({folder, QStringLiteral("Sub")});
    items.push_back({root + QStringLiteral("/other/"), QStringLiteral("x.mp3")});
    items.push_back({folder, pathcodec::decode(rawName)});
    items.push_back({folder, QStringLiteral("dangling")});
    items.push_back({root + QStringLiteral("/sub"), QStringLiteral("x.txt")});
    items.push_back({root + QStringLiteral("/Sub/"), QString()});
    items.push_back({folder, QStringLiteral("never-there.txt")});

    ListViewEditable source;
    for (const Item &item : items)
        source.AddFile(item.folder, item.name);

    // The listing is older than the disk now.
    ASSERT_TRUE(QFile::remove(root + QStringLiteral("/gone.txt")));
    testfiles::writeFile(grown, QByteArray(5000, 'y'));
    fixtures::setModified(grown, QDateTime(QDate(2021, 6, 7), QTime(15, 4, 5)));

    ListViewEditable expected;
    for (const Item &item : items)
        expected.AddFile(item.folder, item.name);
    ListViewEditable relisted;
    relisted.ListItems().Add(QStringLiteral("an old row"));
    relisted.setChecked(1, true);
    relisted.RelistFrom(source.ListItems(), {}, {});

    ASSERT_EQ(relisted.FileItemCount(), expected.FileItemCount());
    for (int32_t i = 1; i <= expected.FileItemCount(); ++i) {
        const ListItem &want = expected.ListItems().Item(i);
        const ListItem &got = relisted.ListItems().Item(i);
        SCOPED_TRACE(want.Text.toStdString());
        EXPECT_EQ(got.Text, want.Text);
        EXPECT_EQ(got.SubItemTexts, want.SubItemTexts);
        EXPECT_EQ(got.SizeBytes, want.SizeBytes);
        EXPECT_EQ(got.LastWriteSecs, want.LastWriteSecs);
        EXPECT_EQ(relisted.ImageList1().Key(got.SmallIcon), expected.ImageList1().Key(want.SmallIcon));
        EXPECT_FALSE(relisted.checked(i));
    }
    const auto rowNamed = [&](const QString &name) {
        for (int32_t i = 1; i <= relisted.FileItemCount(); ++i)
            if (relisted.ListItems().Item(i).Text == name)
                return relisted.ListItems().Item(i);
        ADD_FAILURE() << name.toStdString();
        return ListItem();
    };
    EXPECT_EQ(rowNamed(QStringLiteral("gone.txt")).SubItemTexts, QStringList({folder, "", "", ""}));
    EXPECT_EQ(rowNamed(QStringLiteral("grown.txt")).SubItemTexts,
              QStringList({folder, "5KB", "Text Document", "2021/6/7 3:04:05 PM"}));
    EXPECT_EQ(rowNamed(QStringLiteral("x.txt")).SubItems(2), "2KB");
    EXPECT_EQ(rowNamed(QString()).SubItems(3), "File Folder");
    EXPECT_EQ(rowNamed(pathcodec::decode(rawName)).SubItems(2), "1KB");

    // The names are picked before the lookups, the rows made are kept after them.
    relisted.RelistFrom(
        source.ListItems(), [](const ListItem &row) { return row.Text.startsWith(u'g'); },
        [](const ListItem &row) { return !row.SubItems(3).isEmpty(); });
    ASSERT_EQ(relisted.FileItemCount(), 1);
    EXPECT_EQ(relisted.ListItems().Item(1).Text, "grown.txt");
    EXPECT_EQ(relisted.ListItems().Item(1).SizeBytes, 5000);
}

// A re-list yields as a scan does; whatever changes the rows meanwhile takes over from it.
TEST(ListViewEditableRelist, WhatComesDuringItsYieldsTakesOver)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + u'/';
    ListViewEditable source;
    for (const char *name : {"a.txt", "b.txt", "c.txt"}) {
        fixtures::makeFile(dir.path(), QString::fromLatin1(name));
        source.AddFile(folder, QString::fromLatin1(name));
    }
    const auto texts = [](const ListViewEditable &list) {
        QStringList out;
        for (int32_t i = 1; i <= list.FileItemCount(); ++i)
            out << list.ListItems().Item(i).Text;
        return out;
    };
    struct Case {
        const char *what;
        std::function<void(ListViewEditable &)> interrupt;
        QStringList rows;
    };
    const Case cases[] = {
        {"a newer re-list",
         [&](ListViewEditable &list) {
             list.RelistFrom(source.ListItems(), [](const ListItem &row) { return row.Text == "b.txt"; }, {});
         },
         {"b.txt"}},
        {"the list emptied", [](ListViewEditable &list) { list.ClearItems(); }, {}},
        {"a file added", [&](ListViewEditable &list) { list.AddFile(folder, QStringLiteral("c.txt")); }, {"old", "c.txt"}},
        {"a stop", [](ListViewEditable &list) { list.StopScan(); }, {"old"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ListViewEditable list;
        list.ListItems().Add(QStringLiteral("old"));
        int yields = 0;
        list.setYieldHandler([&] {
            if (yields++ == 1)
                c.interrupt(list);
        });
        EXPECT_FALSE(list.RelistFrom(source.ListItems(), {}, {}));
        EXPECT_EQ(texts(list), c.rows);
    }

    ListViewEditable undisturbed;
    undisturbed.setYieldHandler([] {});
    EXPECT_TRUE(undisturbed.RelistFrom(source.ListItems(), {}, {}));
    EXPECT_EQ(texts(undisturbed), (QStringList{"a.txt", "b.txt", "c.txt"}));
}
