#include "PathText.h"

#include <gtest/gtest.h>

using namespace filelist;

TEST(PathText, PathParts)
{
    struct Case {
        const char *path;
        int part;
        const char *expected;
    };
    const Case cases[] = {
        {"C:\\dir\\file.tar.gz", 0, "file.tar"},
        {"C:\\dir\\file.tar.gz", 1, "gz"},
        {"C:\\dir\\file.tar.gz", 2, "C:\\dir\\"},
        {"C:\\dir\\file.tar.gz", 3, "C:\\dir"},
        {"C:\\dir\\file.tar.gz", 4, "file.tar.gz"},
        {"C:\\dir\\file.tar.gz", 5, "C:\\dir\\file.tar"},
        {"C:\\dir\\file.tar.gz", 6, "dir"},
        {"C:\\dir.old\\readme", 1, ""},
        {"C:\\dir.old\\readme", 4, "readme"},
        {"C:\\dir.old\\readme", 6, "dir"},
        {"notes.txt", 2, ""},
        {"notes.txt", 0, "notes"},
        {"notes.txt", 3, ""},
        {"notes.txt", 6, ""},
        {"/home/ann/Photos/a\\b.jpg", 2, "/home/ann/Photos/"},
        {"/home/ann/Photos/a\\b.jpg", 4, "a\\b.jpg"},
        {"/home/ann/Photos/a\\b.jpg", 6, "Photos"},
        {"/home/ann/.bashrc", 0, ""},
        {"/home/ann/.bashrc", 1, "bashrc"},
        {"C:\\x", 7, "C"},
        {"C:\\x", 8, "C:"},
        {"no colon", 7, ""},
        {"file:///C:/dir/x.txt", 9, "C:\\dir\\x.txt"},
        {"\\\\server\\share", 9, "server\\share"},
        {"same", 10, "same"},
        {"same", 11, "same"},
        {"same", 12, ""},
        {"same", -1, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.path) + " part " + std::to_string(c.part));
        EXPECT_EQ(PathPart(QString::fromUtf8(c.path), c.part), QString::fromUtf8(c.expected));
    }
}

TEST(PathText, TextAfterLast)
{
    int32_t position = -1;
    EXPECT_EQ(TextAfterLast("*.MP3", ".", 1, position, false), "MP3");
    EXPECT_EQ(position, 2);
    EXPECT_EQ(TextAfterLast("*", ".", 1, position, false), "");
    EXPECT_EQ(position, 0);
    EXPECT_EQ(TextAfterLast("*", ".", 1, position, true), "*");
    EXPECT_EQ(TextAfterLast("aXbxc", "x", 0, position, false), "c");
    EXPECT_EQ(position, 4);
    EXPECT_EQ(TextAfterLast("aXbxc", "X", 0, position, false), "bxc");
    EXPECT_EQ(TextAfterLast("axbXc", "x", 1, position, false), "c");
    EXPECT_EQ(TextAfterLast("a--b--c", "--", 0, position, false), "c");
    EXPECT_EQ(position, 5);
}

TEST(PathText, SeparatorsAndNulls)
{
    EXPECT_EQ(AddBackslash(""), "/");
    EXPECT_EQ(AddBackslash("/tmp"), "/tmp/");
    EXPECT_EQ(AddBackslash("/tmp/"), "/tmp/");
    EXPECT_EQ(TrimAtNull(QString("abc") + QChar(0) + "junk"), "abc");
    EXPECT_EQ(TrimAtNull(QString(QChar(0)) + "junk"), "");
    EXPECT_EQ(TrimAtNull("  padded  "), "padded");
}
