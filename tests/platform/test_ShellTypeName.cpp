#include "ShellTypeName.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(ShellTypeName, NamesByExtension)
{
    struct Case {
        const char *name;
        bool folder;
        const char *expected;
    } cases[] = {
        {"a.jpg", false, "JPEG Image"}, {"a.JPEG", false, "JPEG Image"}, {"a.jfif", false, "JPEG Image"},
        {"a.jpe", false, "JPEG Image"}, {"song.mp3", false, "MP3 Format Sound"},
        {"a.txt", false, "Text Document"}, {"a.xyz", false, "XYZ File"}, {"Makefile", false, "File"},
        {"trailing.", false, "File"},   {"photos.jpg", true, "File Folder"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ShellTypeNameFor(QString::fromLatin1(c.name), c.folder), QString::fromLatin1(c.expected));
    }
    QTemporaryDir tmp;
    EXPECT_EQ(ShellTypeName(tmp.path()), QStringLiteral("File Folder"));
}
