#include "ListViewEditable.h"
#include "PropertyBag.h"
#include "SettingsPropertyBag.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace filelist;

TEST(ListProperties, AnEmptyBagGivesEveryDefault)
{
    MemoryPropertyBag bag;
    ListViewEditable list;
    list.setCheckboxes(true);
    list.setPath("/elsewhere/");
    list.UserControl_ReadProperties(bag);
    EXPECT_EQ(bag.reads.size(), 41);
    const ListProperties &p = list.Properties();
    EXPECT_EQ(p, ListProperties());

    struct Expected {
        const char *key;
        QVariant value;
    };
    const Expected table[] = {
        {"Appearance", 1}, {"AllowColumnReorder", true}, {"Arrange", 0}, {"BorderStyle", 1}, {"Checkboxes", false},
        {"Enabled", true}, {"FlatScrollBar", false}, {"FullRowSelect", false}, {"GridLines", false},
        {"HideColumnHeaders", false}, {"HideSelection", false}, {"HotTracking", false}, {"HoverSelection", false},
        {"MousePointer", 0}, {"MultiSelect", true}, {"SortKey", 0}, {"SortOrder", 0}, {"Sorted", false},
        {"TextBackground", 0}, {"View", 3}, {"Visible", true}, {"AutoDeselect", true}, {"FileSpec", "*.*"},
        {"IncludeFolder", false}, {"Path", "/"}, {"Recursive", false}, {"SubitemSelect", true},
        {"UpdateFrequency", 100}, {"HighlightColumn", false}, {"CurrrentHighlightColumn", 1}, {"SizingType", 2},
        {"HighlightColor", 0xE1E1FF}, {"DefaultColor", 0xFFFFFF}, {"FlatHeader", false}, {"AutoTooltip", true},
        {"AutoPopupMenu", false}, {"AllowFileDragDrop", true}, {"AllowItemEdit", false}, {"ClearOnDragDrop", false},
        {"ShowFolders", 2},
    };
    MemoryPropertyBag written;
    list.UserControl_WriteProperties(written);
    for (const Expected &e : table) {
        SCOPED_TRACE(e.key);
        EXPECT_EQ(written.values.value(QLatin1String(e.key)), e.value);
    }
    EXPECT_EQ(written.values.value("ColumnHeadersText").toString(), DefaultColumnHeadersText());

    QStringList captions;
    for (const ColumnHeader &h : list.ColumnHeaders())
        captions << h.Text.trimmed();
    EXPECT_EQ(captions, QStringList({"Name", "Path", "Size", "Type", "Created Date"}));
    EXPECT_FALSE(list.ListItems().Checkboxes());
}

TEST(ListProperties, ReadAndWriteOrders)
{
    const QStringList read = ListProperties::ReadOrder();
    const QStringList write = ListProperties::WriteOrder();
    ASSERT_EQ(read.size(), 41);
    ASSERT_EQ(write.size(), 41);
    EXPECT_EQ(QSet<QString>(read.begin(), read.end()), QSet<QString>(write.begin(), write.end()));
    EXPECT_EQ(read.mid(0, 5), QStringList({"Appearance", "AllowColumnReorder", "Arrange", "BorderStyle", "Checkboxes"}));
    EXPECT_EQ(read.mid(29, 5), QStringList({"HighlightColumn", "CurrrentHighlightColumn", "SizingType", "HighlightColor",
                                            "DefaultColor"}));
    EXPECT_EQ(write.mid(0, 4), QStringList({"Appearance", "Arrange", "AllowColumnReorder", "Checkboxes"}));
    EXPECT_EQ(write[20], "BorderStyle");
    EXPECT_EQ(write.mid(29, 5), QStringList({"HighlightColor", "DefaultColor", "SizingType", "CurrrentHighlightColumn",
                                             "HighlightColumn"}));
    EXPECT_EQ(write.mid(37, 4), QStringList({"AllowItemEdit", "AllowFileDragDrop", "ClearOnDragDrop", "ShowFolders"}));

    MemoryPropertyBag bag;
    ListViewEditable list;
    list.UserControl_ReadProperties(bag);
    list.UserControl_WriteProperties(bag);
    EXPECT_EQ(bag.reads, read);
    EXPECT_EQ(bag.writes, write);
}

TEST(ListProperties, SettingsStoreRoundTripPerForm)
{
    QTemporaryDir dir;
    QSettings store(dir.path() + "/controls.ini", QSettings::IniFormat);
    const QString columns = QStringLiteral("|Text=  One|Key=k|Width=1234.5|Alignment=1|DataType=1|\r\n|Text=Two|Key=|Width=99|Alignment=0|DataType=2|");

    ListViewEditable a;
    a.UserControl_InitProperties();
    a.setCheckboxes(true);
    a.setPath("/home/ann/Pictures/");
    a.setFileSpec("*.jpg");
    a.setRecursive(true);
    a.setUpdateFrequency(-1);
    a.setSortKey(4);
    a.setSortOrder(lvwDescending);
    a.setHighlightColor(0x123456);
    a.setShowFolders(-3);
    a.setClearOnDragDrop(true);
    a.setColumnHeadersText(columns);
    a.setView(1);
    {
        SettingsPropertyBag bag(store, "frmMain", "lvw2");
        a.UserControl_WriteProperties(bag);
        SettingsPropertyBag otherForm(store, "frmOther", "lvw2");
        ListViewEditable untouched;
        untouched.UserControl_InitProperties();
        untouched.UserControl_WriteProperties(otherForm);
    }
    store.sync();

    QSettings reopened(dir.path() + "/controls.ini", QSettings::IniFormat);
    ListViewEditable b;
    SettingsPropertyBag bag(reopened, "frmMain", "lvw2");
    b.UserControl_ReadProperties(bag);
    EXPECT_EQ(b.Properties(), a.Properties());
    EXPECT_EQ(b.ColumnHeaders().size(), 2u);
    EXPECT_EQ(b.ColumnHeaders()[0].Text, "  One");
    EXPECT_FLOAT_EQ(b.ColumnHeaders()[0].Width, 1234.5f);
    EXPECT_TRUE(b.ListItems().Checkboxes());

    ListViewEditable c;
    SettingsPropertyBag otherBag(reopened, "frmOther", "lvw2");
    c.UserControl_ReadProperties(otherBag);
    EXPECT_EQ(c.ShowFolders(), 0) << "a newly placed control stores ShowFolders 0";
    EXPECT_EQ(c.Path(), "/");
}

TEST(ListProperties, DesignValuesBadValuesAndTheStoredColumnText)
{
    QTemporaryDir dir;
    QSettings store(dir.path() + "/controls.ini", QSettings::IniFormat);
    store.setValue("frmMain/lvw2/UpdateFrequency", "lots");
    store.setValue("frmMain/lvw2/SortKey", 70000);
    store.setValue("frmMain/lvw2/GridLines", "True");
    store.setValue("frmMain/lvw2/Recursive", "maybe");
    store.setValue("frmMain/lvw2/Arrange", "2");
    store.setValue("frmMain/lvw2/MousePointer", "nan");
    store.setValue("frmMain/lvw2/SizingType", "inf");

    ListViewEditable list;
    SettingsPropertyBag bag(store, "frmMain", "lvw2", {{"Checkboxes", true}, {"GridLines", false}});
    list.UserControl_ReadProperties(bag);
    EXPECT_TRUE(list.Checkboxes()) << "a design value stands in for a value not stored";
    EXPECT_TRUE(list.GridLines()) << "a stored value wins over the design value";
    EXPECT_EQ(list.UpdateFrequency(), 100);
    EXPECT_EQ(list.SortKey(), 0);
    EXPECT_FALSE(list.Recursive());
    EXPECT_EQ(list.Arrange(), 2);
    EXPECT_EQ(list.MousePointer(), 0);
    EXPECT_EQ(list.SizingType(), 2);

    list.setColumnHeadersText("|Text=Only|");
    EXPECT_EQ(list.ColumnHeaders().size(), 5u) << "the text takes effect when read again";
    MemoryPropertyBag written;
    list.UserControl_WriteProperties(written);
    EXPECT_EQ(written.values.value("ColumnHeadersText").toString(), "|Text=Only|");
    list.UserControl_ReadProperties(written);
    EXPECT_EQ(list.ColumnHeaders().size(), 1u);
}

TEST(ListProperties, SettersReportThemselves)
{
    ListViewEditable list;
    QStringList changed;
    QObject::connect(&list, &ListViewEditable::PropertyChanged, [&](const QString &name) { changed << name; });
    list.setGridLines(true);
    list.setPath("/x/");
    list.setClearOnDragDrop(true);
    list.setShowFolders(1);
    list.setPictureAlignment(5);
    list.setHighlightColor(1);
    list.setHighlightColumn(true);
    list.setSizingType(0);
    list.setColumnHeadersText("|Text=A|");
    EXPECT_EQ(changed, QStringList({"GridLines", "Path", "HighlightColor", "HighlightColumn", "HighlightColumn",
                                    "SizingType", "ColumnHeadersText"}));
}
