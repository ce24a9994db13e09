#include "PreviewTable.h"
#include "RenameDropRun.h"
#include "TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace mainwin;

namespace {
engine::PreviewRow row(const QString &folder, const QString &from, const QString &to, const QString &type)
{
    engine::PreviewRow r;
    r.Path = folder + u'/';
    r.Original = from;
    r.Preview = to;
    r.Type = type;
    return r;
}
} // namespace

TEST(RenameDropRun, RenamesFilesAndFoldersAndNeverOverwrites)
{
    QTemporaryDir tmp;
    testfiles::writeFile(tmp.filePath("a.txt"), "a");
    testfiles::writeFile(tmp.filePath("b.txt"), "b");
    testfiles::writeFile(tmp.filePath("taken.txt"), "keep");
    testfiles::writeFile(tmp.filePath("same.txt"), "s");
    QDir().mkpath(tmp.filePath("dir"));
    engine::PreviewTable grid;
    grid.addRow(row(tmp.path(), "a.txt", "x_a.txt", "Text Document"));
    grid.addRow(row(tmp.path(), "b.txt", "taken.txt", "Text Document"));
    grid.addRow(row(tmp.path(), "dir", "x_dir", "File Folder"));
    grid.addRow(row(tmp.path(), "same.txt", "same.txt", "Text Document"));
    grid.addRow(row(tmp.path(), "gone.txt", "x_gone.txt", "Text Document"));

    const std::vector<FailedRename> failed = RenameAllRows(grid);
    ASSERT_EQ(failed.size(), 2u);
    EXPECT_EQ(failed[0].row, 2u);
    EXPECT_EQ(failed[0].description, QStringLiteral("File already exists"));
    EXPECT_EQ(failed[1].row, 5u);
    EXPECT_EQ(failed[1].description, QStringLiteral("File not found"));
    EXPECT_TRUE(FailedRenameText(failed[0]).endsWith(QStringLiteral("/taken.txt: File already exists")));

    EXPECT_EQ(testfiles::readFile(tmp.filePath("x_a.txt")), "a");
    EXPECT_EQ(testfiles::readFile(tmp.filePath("b.txt")), "b");
    EXPECT_EQ(testfiles::readFile(tmp.filePath("taken.txt")), "keep");
    EXPECT_TRUE(QDir(tmp.filePath("x_dir")).exists());
    EXPECT_EQ(testfiles::readFile(tmp.filePath("same.txt")), "s");
}

// A row whose preview failed is told with that reason, also when it names the item an earlier
// row renamed (then the item is gone under its old name, but the row was never attempted).
TEST(RenameDropRun, ARowWhosePreviewFailedKeepsThatReason)
{
    QTemporaryDir tmp;
    testfiles::writeFile(tmp.filePath("a.txt"), "a");
    engine::PreviewTable grid;
    grid.addRow(row(tmp.path(), "a.txt", "x_a.txt", "Text Document"));
    grid.addRow(row(tmp.path(), "a.txt", "y_a.txt", "Text Document"));

    const std::vector<FailedRename> failed = RenameAllRows(grid, {{2, QStringLiteral("Overflow")}});
    ASSERT_EQ(failed.size(), 1u);
    EXPECT_EQ(failed[0].row, 2u);
    EXPECT_EQ(failed[0].description, QStringLiteral("The preview failed: Overflow"));
    EXPECT_EQ(testfiles::readFile(tmp.filePath("x_a.txt")), "a");
    EXPECT_FALSE(QFileInfo::exists(tmp.filePath("y_a.txt")));
}
