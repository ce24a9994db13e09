#include "MessageService.h"
#include "PreviewTable.h"
#include "TestFiles.h"
#include "frmRenDrop.h"

#include <QDir>
#include <QLineEdit>
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
