#include "FileAttributes.h"
#include "TestFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

TEST(FileAttributes, ReadOnlyHiddenAndDirectory)
{
    QTemporaryDir tmp;
    const QString file = tmp.filePath("a.txt");
    const QString hidden = tmp.filePath(".h");
    testfiles::writeFile(file, "x");
    testfiles::writeFile(hidden, "x");
    EXPECT_EQ(fileattr::GetAttr(file), fileattr::Normal);
    EXPECT_EQ(fileattr::GetAttr(hidden), fileattr::Hidden);
    EXPECT_EQ(fileattr::GetAttr(tmp.path()), fileattr::Directory);
    EXPECT_EQ(fileattr::GetAttr(tmp.filePath("missing")), -1);

    ASSERT_TRUE(fileattr::SetAttr(file, fileattr::ReadOnly));
    EXPECT_EQ(fileattr::GetAttr(file), fileattr::ReadOnly);
    ASSERT_TRUE(fileattr::SetAttr(file, fileattr::Normal));
    EXPECT_EQ(fileattr::GetAttr(file), fileattr::Normal);
    // Attributes this system has no place for are reported, not pretended.
    EXPECT_EQ(fileattr::SetAttr(file, fileattr::System).number, vb::PermissionDenied);
    EXPECT_EQ(fileattr::SetAttr(file, fileattr::Hidden).number, vb::PermissionDenied);
    EXPECT_TRUE(fileattr::SetAttr(hidden, fileattr::Hidden));
}

// A symbolic link's attributes are its own: never its target's, read or set.
TEST(FileAttributes, ALinkIsNeverFollowed)
{
    QTemporaryDir tmp;
    const QString target = tmp.filePath("target.txt");
    const QString link = tmp.filePath("link");
    const QString folderLink = tmp.filePath("folder-link");
    const QString dangling = tmp.filePath("dangling");
    testfiles::writeFile(target, "x");
    ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0444), 0);
    ASSERT_EQ(::symlink("target.txt", QFile::encodeName(link).constData()), 0);
    ASSERT_EQ(::symlink(".", QFile::encodeName(folderLink).constData()), 0);
    ASSERT_EQ(::symlink("nowhere", QFile::encodeName(dangling).constData()), 0);

    EXPECT_EQ(fileattr::GetAttr(link), fileattr::Normal);
    EXPECT_EQ(fileattr::GetAttr(folderLink), fileattr::Normal);
    EXPECT_EQ(fileattr::GetAttr(dangling), fileattr::Normal);

    // Nothing to change is no failure; a change is refused, and the target keeps its mode.
    EXPECT_TRUE(fileattr::SetAttr(link, fileattr::Normal));
    const vb::Status readOnly = fileattr::SetAttr(link, fileattr::ReadOnly);
    EXPECT_EQ(readOnly.number, vb::PermissionDenied);
    EXPECT_EQ(readOnly.description, fileattr::LinkRefusal());
    EXPECT_EQ(fileattr::SetAttr(dangling, fileattr::ReadOnly).description, fileattr::LinkRefusal());
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, mode_t(0444));
}
