// The property pages' combo fillers and change records.
#include "FormControls.h"
#include "modMSComctLib.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <gtest/gtest.h>

using namespace filelist;

TEST(PropertyFillers, NumberedListsSelectTheEntryWithTheValue)
{
    struct Case {
        const char *name;
        PropertyList list;
        int32_t value;
        int count;
        int selected;
        const char *selectedText;
    } cases[] = {
        {"view report", PropertyList::View, 3, 4, 3, "3 - lvwReport"},
        {"custom pointer", PropertyList::MousePointer, 99, 17, 16, "99 - ccCustom"},
        {"no pointer 16", PropertyList::MousePointer, 16, 17, -1, ""},
        {"pure white", PropertyList::LedgerColor, 0xFFFFFF, 8, 7, "&HFFFFFF - vbLedgerPureWhite"},
        {"ledger red", PropertyList::LedgerColor, 0xE1E1FF, 8, 3, "&HE1E1FF - vbLedgerRed"},
        {"silver", PropertyList::LedgerColor, 0xC0C0C0, 8, -1, ""},
        {"centre", PropertyList::ColumnAlignment, 2, 3, 2, "2 - lvwColumnCenter"},
        {"date", PropertyList::DataType, 2, 3, 2, "2 - ldtDateTime"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QComboBox combo;
        common::SetControlTag(&combo, QStringLiteral("old"));
        FillCombo(&combo, c.list, c.value);
        EXPECT_EQ(combo.count(), c.count);
        EXPECT_EQ(combo.currentIndex(), c.selected);
        EXPECT_EQ(combo.currentText(), QString::fromUtf8(c.selectedText));
        EXPECT_EQ(common::ControlTag(&combo), QString());
    }
    QComboBox view;
    FillViewCombo(&view, 3);
    EXPECT_EQ(view.itemText(0), QStringLiteral("0 - lvwIcon"));
    EXPECT_EQ(view.itemText(1), QStringLiteral("1 - lvwSmallIcon"));
    EXPECT_EQ(view.itemData(2).toInt(), 2);
}

TEST(PropertyFillers, FileTypesMatchTheirPatternExactly)
{
    struct Case {
        const char *spec;
        const char *selected;
    } cases[] = {
        {"*.*", "All Files and Folders (*.*)"},
        {"*.htm", "Htm Documents (*.htm)"},
        {"*.htm*", "Html Documents (*.htm*)"},
        {"*.JPG", ""},
        {"*.jpg;*.gif", ""},
        {"", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.spec);
        QComboBox combo;
        const QString spec = QString::fromUtf8(c.spec);
        EXPECT_EQ(FillFileSpecCombo(&combo, spec), spec);
        EXPECT_EQ(combo.count(), 24);
        EXPECT_EQ(combo.currentText(), QString::fromUtf8(c.selected));
    }
    EXPECT_EQ(FileSpecPattern(QStringLiteral("Jpg Files (*.jpg)")), QStringLiteral("*.jpg"));
}

TEST(ChangeTag, RecordsValuesAgainstTheLoadedOne)
{
    QCheckBox box;
    InitCheckBoxTag(&box, 1);
    EXPECT_EQ(common::ControlTag(&box), QStringLiteral("|InitialValue=1|Changed=0|NewValue=|"));
    EXPECT_TRUE(box.isChecked());
    InitCheckBoxTag(&box, 0);
    EXPECT_FALSE(box.isChecked());

    QLineEdit text;
    common::SetControlTag(&text, QStringLiteral("|InitialValue=3|Changed=0|NewValue=|"));
    EXPECT_TRUE(SetTagNewValue(&text, QStringLiteral("5")));
    EXPECT_EQ(common::ControlTag(&text), QStringLiteral("|InitialValue=3|Changed=1|NewValue=5|"));
    EXPECT_TRUE(IsTagChanged(&text));
    EXPECT_TRUE(SetTagNewValue(&text, QStringLiteral("3")));
    EXPECT_EQ(common::ControlTag(&text), QStringLiteral("|InitialValue=3|Changed=0|NewValue=3|"));
    EXPECT_FALSE(IsTagChanged(&text));
    EXPECT_EQ(GetTagNewValue(&text), QStringLiteral("3"));

    QLineEdit fresh;
    EXPECT_FALSE(SetTagNewValue(&fresh, QStringLiteral("7")));
    EXPECT_EQ(common::ControlTag(&fresh), QStringLiteral("|InitialValue=7|Changed=0|NewValue=|"));

    QLineEdit folder;
    InitTextBoxTag(&folder, QStringLiteral("/x/"));
    for (int i = 0; i < 3; ++i)
        SetTagNewValue(&folder, QStringLiteral("/tmp/a=b/"));
    EXPECT_EQ(GetTagNewValue(&folder), QStringLiteral("/tmp/a=b/"));
    EXPECT_TRUE(IsTagChanged(&folder));
}
