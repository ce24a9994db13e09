#include "MessageService.h"
#include "PreviewTable.h"
#include "TestFiles.h"
#include "frmRenDrop.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace mainwin;

class RenDropTest : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    engine::PreviewTable grid;
    RecordingMessageService messages;

    void add(const QString &from, const QString &to, const QString &type = QStringLiteral("Text Document"))
    {
        if (type == QLatin1String("File Folder"))
            QDir().mkpath(tmp.filePath(from));
        else
            testfiles::writeFile(tmp.filePath(from), from.toUtf8());
        engine::PreviewRow r;
        r.Path = tmp.path() + u'/';
        r.Original = from;
        r.Preview = to;
        r.Type = type;
        grid.addRow(r);
    }
    bool exists(const QString &name) const { return QFileInfo::exists(tmp.filePath(name)); }
};

TEST_F(RenDropTest, ShowsTheFirstRow)
{
    add("a.txt", "x_a.txt");
    frmRenDrop dlg(grid, messages);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Morvane - Rename Drop"));
    EXPECT_EQ(dlg.txtOrig->text(), tmp.filePath("a.txt"));
    EXPECT_EQ(dlg.txtCalc->text(), tmp.filePath("x_a.txt"));
    EXPECT_EQ(dlg.txtModPath->text(), tmp.path() + u'/');
    EXPECT_EQ(dlg.txtModName->text(), QStringLiteral("x_a.txt"));
    EXPECT_EQ(dlg.txtModName->selectedText(), QStringLiteral("x_a.txt"));
    EXPECT_EQ(dlg.CurrentRow, 1u);
}

TEST_F(RenDropTest, RenameWithAnEditedNameThenTheLastRowCloses)
{
    add("a.txt", "x_a.txt");
    add("d", "x_d", "File Folder");
    frmRenDrop dlg(grid, messages);
    int unloaded = 0;
    QObject::connect(&dlg, &frmRenDrop::unloaded, [&] { ++unloaded; });
    dlg.show();
    dlg.txtModName->setText(QStringLiteral("edited.txt"));
    dlg.Command3_Click();
    EXPECT_TRUE(exists("edited.txt"));
    EXPECT_EQ(dlg.CurrentRow, 2u);
    dlg.Command3_Click();
    EXPECT_TRUE(QDir(tmp.filePath("x_d")).exists());
    EXPECT_EQ(messages.prompts(), QStringList{"All Files Renamed"});
    EXPECT_EQ(unloaded, 1);
}

TEST_F(RenDropTest, FailedRenameKeepsTheRowAndSaysWhy)
{
    add("a.txt", "b.txt");
    add("b.txt", "c.txt");
    frmRenDrop dlg(grid, messages);
    dlg.Command3_Click();
    EXPECT_EQ(messages.prompts(), QStringList{"File already exists"});
    EXPECT_EQ(dlg.CurrentRow, 1u);
    EXPECT_EQ(testfiles::readFile(tmp.filePath("b.txt")), "b.txt");
    dlg.txtModName->setText(QStringLiteral("sub/x.txt"));
    dlg.Command3_Click();
    EXPECT_EQ(messages.prompts().last(), QStringLiteral("Bad file name or number"));
    EXPECT_TRUE(exists("a.txt"));
}

TEST_F(RenDropTest, SkipThenRenameAllAndSkipAll)
{
    add("a.txt", "x_a.txt");
    add("b.txt", "x_b.txt");
    {
        frmRenDrop dlg(grid, messages);
        dlg.Command2_Click();
        EXPECT_EQ(dlg.txtOrig->text(), tmp.filePath("b.txt"));
        dlg.Command4_Click();
        EXPECT_TRUE(exists("a.txt"));
        EXPECT_TRUE(exists("x_b.txt"));
        EXPECT_EQ(messages.prompts(), QStringList{"Files Renamed"});
    }
    messages.shown.clear();
    add("c.txt", "x_c.txt");
    frmRenDrop dlg(grid, messages);
    int unloaded = 0;
    QObject::connect(&dlg, &frmRenDrop::unloaded, [&] { ++unloaded; });
    dlg.Command1_Click();
    EXPECT_EQ(unloaded, 1);
    EXPECT_TRUE(exists("c.txt"));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(RenDropTest, RenameAllReportsFailuresInsteadOfSuccess)
{
    add("a.txt", "x_a.txt");
    add("b.txt", "a.txt");  // free again once row 1 has moved a.txt away
    add("c.txt", "x_a.txt"); // taken by row 1
    frmRenDrop dlg(grid, messages);
    dlg.Command4_Click();
    EXPECT_TRUE(exists("x_a.txt"));
    EXPECT_TRUE(exists("a.txt"));
    EXPECT_TRUE(exists("c.txt"));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].prompt.startsWith(QStringLiteral("1 of the files could not be renamed:")));
    EXPECT_TRUE(messages.shown[0].prompt.contains(QStringLiteral("c.txt: File already exists")));
    EXPECT_EQ(dlg.FailedMoves, 1);
}

namespace {

void clickButton(QPushButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
}

} // namespace

// Rows inside a folder renamed earlier in the dialog follow it, whether it was renamed with its
// proposed name by "Rename All", or one row at a time with an edited name by "Rename".
TEST_F(RenDropTest, RowsInsideARenamedFolderFollowIt)
{
    for (const bool oneByOne : {false, true}) {
        SCOPED_TRACE(oneByOne ? "Rename, edited" : "Rename All");
        QDir(tmp.path()).removeRecursively();
        QDir().mkpath(tmp.path());
        grid.clear();
        messages.shown.clear();
        add("d", "x_d", "File Folder");
        add("d/sub", "x_sub", "File Folder");
        add("d/sub/f.txt", "x_f.txt");
        grid.row(2).Path = tmp.path() + QStringLiteral("/d/");
        grid.row(2).Original = QStringLiteral("sub");
        grid.row(3).Path = tmp.path() + QStringLiteral("/d/sub/");
        grid.row(3).Original = QStringLiteral("f.txt");
        frmRenDrop dlg(grid, messages);
        dlg.show();
        if (oneByOne) {
            dlg.txtModName->setText(QStringLiteral("edited"));
            clickButton(dlg.Command3);
            EXPECT_EQ(dlg.txtOrig->text(), tmp.filePath("edited/sub"));
            clickButton(dlg.Command3);
            EXPECT_EQ(dlg.txtOrig->text(), tmp.filePath("edited/x_sub/f.txt"));
            clickButton(dlg.Command3);
            EXPECT_EQ(testfiles::readFile(tmp.filePath("edited/x_sub/x_f.txt")), "d/sub/f.txt");
            EXPECT_EQ(messages.prompts(), QStringList{"All Files Renamed"});
        } else {
            clickButton(dlg.Command4);
            EXPECT_EQ(testfiles::readFile(tmp.filePath("x_d/x_sub/x_f.txt")), "d/sub/f.txt");
            EXPECT_EQ(messages.prompts(), QStringList{"Files Renamed"});
        }
        EXPECT_EQ(dlg.FailedMoves, 0);
        EXPECT_FALSE(exists("d"));
    }
}

// The same item given twice, also as "d/./f" beside "d/f", is renamed once; the later row is
// told as a duplicate, not as a missing file.
TEST_F(RenDropTest, ADuplicateItemIsRenamedOnceAndToldAsSuch)
{
    QDir().mkpath(tmp.filePath("d"));
    add("d/f.txt", "x_f.txt");
    add("d/f.txt", "x_f.txt");
    add("d/f.txt", "y_f.txt");
    grid.row(1).Path = tmp.path() + QStringLiteral("/d/");
    grid.row(2).Path = tmp.path() + QStringLiteral("/d/./");
    grid.row(3).Path = tmp.path() + QStringLiteral("/d/");
    for (size_t row = 1; row <= 3; ++row)
        grid.row(row).Original = QStringLiteral("f.txt");
    frmRenDrop dlg(grid, messages);
    dlg.show();
    clickButton(dlg.Command3);
    EXPECT_TRUE(exists("d/x_f.txt"));
    // "Rename" on the duplicate: told, and the row stays.
    EXPECT_TRUE(messages.prompts().isEmpty());
    clickButton(dlg.Command3);
    ASSERT_EQ(messages.prompts().size(), 1);
    EXPECT_TRUE(messages.prompts()[0].contains(QStringLiteral("Duplicate"))) << messages.prompts()[0].toStdString();
    EXPECT_TRUE(messages.prompts()[0].contains(QStringLiteral("row 1"))) << messages.prompts()[0].toStdString();
    EXPECT_EQ(dlg.CurrentRow, 2u);
    clickButton(dlg.Command4);
    ASSERT_EQ(messages.prompts().size(), 2);
    EXPECT_TRUE(messages.prompts()[1].startsWith(QStringLiteral("2 of the files could not be renamed"))) << messages.prompts()[1].toStdString();
    EXPECT_EQ(messages.prompts()[1].count(QStringLiteral("Duplicate")), 2) << messages.prompts()[1].toStdString();
    EXPECT_FALSE(messages.prompts()[1].contains(QStringLiteral("File not found"))) << messages.prompts()[1].toStdString();
    EXPECT_TRUE(exists("d/x_f.txt"));
    EXPECT_FALSE(exists("d/y_f.txt"));
}

// A name that an earlier row renamed away and another row then gave to another item names that
// item: given again onto an existing name, the row fails as that move does, not as a duplicate.
// Both "Rename" and "Rename All" tell it so.
TEST_F(RenDropTest, ANameTakenAgainByAnotherItemIsNoDuplicate)
{
    for (const bool oneByOne : {true, false}) {
        SCOPED_TRACE(oneByOne ? "Rename" : "Rename All");
        QDir(tmp.path()).removeRecursively();
        QDir().mkpath(tmp.path());
        grid.clear();
        messages.shown.clear();
        add("a", "b");
        add("c", "a");
        add("d", "d");
        grid.row(3).Original = QStringLiteral("a");
        frmRenDrop dlg(grid, messages);
        dlg.show();
        clickButton(dlg.Command3);
        clickButton(dlg.Command3);
        ASSERT_EQ(dlg.CurrentRow, 3u);
        clickButton(oneByOne ? dlg.Command3 : dlg.Command4);
        ASSERT_EQ(messages.prompts().size(), 1);
        const QString told = messages.prompts()[0];
        EXPECT_TRUE(told.contains(QStringLiteral("File already exists"))) << told.toStdString();
        EXPECT_FALSE(told.contains(QStringLiteral("Duplicate"))) << told.toStdString();
        EXPECT_EQ(dlg.FailedMoves, 1);
        EXPECT_EQ(testfiles::readFile(tmp.filePath("a")), "c");
        EXPECT_EQ(testfiles::readFile(tmp.filePath("b")), "a");
        EXPECT_EQ(testfiles::readFile(tmp.filePath("d")), "d");
    }
}

// Between two rows the user may take a while; a folder made again outside the program meanwhile
// is another folder, and its missing item is missing, not a duplicate of the first row's.
TEST_F(RenDropTest, AFolderMadeAgainWhileTheUserWaitsIsAnotherFolder)
{
    QDir().mkpath(tmp.filePath("d"));
    add("d/f.txt", "x_f.txt");
    add("d/f.txt", "y_f.txt");
    for (size_t row = 1; row <= 2; ++row) {
        grid.row(row).Path = tmp.path() + QStringLiteral("/d/");
        grid.row(row).Original = QStringLiteral("f.txt");
    }
    frmRenDrop dlg(grid, messages);
    dlg.show();
    clickButton(dlg.Command3);
    ASSERT_TRUE(exists("d/x_f.txt"));
    ASSERT_TRUE(QDir(tmp.path()).rename(QStringLiteral("d"), QStringLiteral("old")));
    ASSERT_TRUE(QDir().mkpath(tmp.filePath("d")));
    clickButton(dlg.Command3);
    ASSERT_EQ(messages.prompts().size(), 1);
    EXPECT_TRUE(messages.prompts()[0].contains(QStringLiteral("File not found"))) << messages.prompts()[0].toStdString();
}

// The review dialog makes the rename's own checks of every row: a missing item fails even when
// its name stays, "." is never an item, and no name is cut down to its bare extension. The real
// file among them is renamed.
TEST_F(RenDropTest, RowsThatAreNoItemsFailEvenWithTheirNamesUnchanged)
{
    add("gone.txt", "gone.txt");
    QFile::remove(tmp.filePath("gone.txt"));
    add("abc.txt", ".txt");
    add("real.txt", "x_real.txt");
    engine::PreviewRow dot;
    dot.Path = tmp.path() + u'/';
    dot.Original = dot.Preview = QStringLiteral(".");
    dot.Type = QStringLiteral("File Folder");
    grid.addRow(dot);
    frmRenDrop dlg(grid, messages);
    dlg.show();
    clickButton(dlg.Command4);
    ASSERT_EQ(messages.prompts().size(), 1);
    const QString told = messages.prompts()[0];
    EXPECT_TRUE(told.startsWith(QStringLiteral("3 of the files could not be renamed"))) << told.toStdString();
    EXPECT_TRUE(told.contains(tmp.filePath("gone.txt") + QStringLiteral(": File not found"))) << told.toStdString();
    EXPECT_TRUE(told.contains(QStringLiteral("empty name"))) << told.toStdString();
    EXPECT_TRUE(told.contains(QStringLiteral("'.' and '..' cannot be renamed"))) << told.toStdString();
    EXPECT_TRUE(exists("abc.txt"));
    EXPECT_FALSE(exists(".txt"));
    EXPECT_TRUE(exists("x_real.txt"));
}
