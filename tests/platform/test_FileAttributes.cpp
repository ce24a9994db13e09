#include "FileAttributes.h"
#include "TestFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

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
