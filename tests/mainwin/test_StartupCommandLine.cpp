#include "StartupCommandLine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <unistd.h>

using namespace mainwin;

TEST(StartupCommandLine, ParseCommandLine)
{
    struct Case {
        const char *name;
        QString line;
        QStringList args;
    } cases[] = {
        {"three quoted paths", QStringLiteral("\"/d/set.rnp\" \"/p/a.jpg\" \"/p/my pics/b.jpg\""),
         {"/d/set.rnp", "/p/a.jpg", "/p/my pics/b.jpg"}},
        {"two blanks are one separator", QStringLiteral("a  b"), {"a", "b"}},
        {"leading blank gives an empty argument 0", QStringLiteral(" a"), {"", "a"}},
        {"trailing blank gives an empty last argument", QStringLiteral("a "), {"a", ""}},
        {"backslash quote is a literal quote", QStringLiteral("\"say \\\"hi\\\"\""), {"say \"hi\""}},
        {"two backslashes then a closing quote", QStringLiteral("\"x\\\\\" y"), {"x\\", "y"}},
        {"a quoted argument ending in one backslash swallows the next",
         QStringLiteral("\"C:\\\" \"b\""), {"C:\" b"}},
        {"backslash not before a quote stays", QStringLiteral("a\\b c"), {"a\\b", "c"}},
        {"only the settings file", QStringLiteral("\"/d/set.rnp\""), {"/d/set.rnp"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ParseCommandLine(c.line), c.args);
    }
    EXPECT_TRUE(ParseCommandLine(QString()).isEmpty());
}

TEST(StartupCommandLine, SplitCommandLineAndModes)
{
    EXPECT_EQ(SplitCommandLine(QStringLiteral("/a/x.txt|/b/y z.txt")), (QStringList{"/a/x.txt", "/b/y z.txt"}));
    EXPECT_EQ(SplitCommandLine(QStringLiteral("/a/x.txt|")), (QStringList{"/a/x.txt", ""}));
    EXPECT_EQ(SplitCommandLine(QStringLiteral(" a |b")), (QStringList{" a ", "b"}));
    EXPECT_TRUE(SplitCommandLine(QString()).isEmpty());

    EXPECT_EQ(startModeOf({}), StartMode::Normal);
    EXPECT_EQ(startModeOf({"/d/set.rnp", "/p/a.jpg"}), StartMode::RenameDrop);
    EXPECT_EQ(startModeOf({"/d/set.rnp"}), StartMode::RenameDrop);
    EXPECT_EQ(startModeOf({"/a/x.txt|/b/y.txt"}), StartMode::OpenFiles);
    // "|" is a legal character in a dropped name.
    EXPECT_EQ(startModeOf({"/d/set.rnp", "/p/a|b.jpg"}), StartMode::RenameDrop);
    EXPECT_EQ(startModeOf({"/d/a|b.txt", "/d/c.txt"}), StartMode::RenameDrop);
    EXPECT_EQ(startModeOf({"/a/x.txt|/b/y.txt", "/p/c.jpg"}), StartMode::RenameDrop);
}

TEST(StartupCommandLine, DroppedItemPathsOfManyItemsAreEachItemsOwn)
{
    // The working folder asked once and a folder resolved once for the items after it must give
    // every item the path it gets alone, links resolved as the kernel would, whatever the order.
    QTemporaryDir tmp;
    ASSERT_TRUE(QDir().mkpath(tmp.filePath("sub/deeper")));
    ASSERT_TRUE(QFile::link(tmp.filePath("sub/deeper"), tmp.filePath("sub/link")));
    const QString kept = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(tmp.filePath("sub")));
    DroppedItemPaths shared;
    for (const char *argument : {"a.txt", "b.txt", "./a.txt", "link/../a.txt", "link/x", "link/y", "deeper/x",
                                 "link", "link/", "deeper//", ".", "..", "a.txt", "/abs/x.txt", "/abs/dir/", "/",
                                 "//abs//x/./y", "/..", "-reverse", "a|b.txt", " spaced .txt", "link/../a.txt"}) {
        SCOPED_TRACE(argument);
        const QString given = QString::fromUtf8(argument);
        EXPECT_EQ(shared.path(given), DroppedItemPaths().path(given));
    }
    const QString real = QFileInfo(tmp.path()).canonicalFilePath();
    EXPECT_EQ(shared.path(QStringLiteral("link/../a.txt")), real + QStringLiteral("/sub/a.txt"));
    EXPECT_EQ(shared.path(QStringLiteral("link")), real + QStringLiteral("/sub/link"));
    EXPECT_EQ(shared.path(QString()), QString());
    // Bare names in the root folder as the working folder: one slash before the name.
    ASSERT_TRUE(QDir::setCurrent(QStringLiteral("/")));
    DroppedItemPaths atRoot;
    for (const char *argument : {"x.txt", "y.txt", ".", "x.txt", "..", "y.txt"}) {
        SCOPED_TRACE(argument);
        const QString given = QString::fromUtf8(argument);
        EXPECT_EQ(atRoot.path(given), DroppedItemPaths().path(given));
    }
    EXPECT_EQ(atRoot.path(QStringLiteral("x.txt")), QStringLiteral("/x.txt"));
    QDir::setCurrent(kept);
}

TEST(StartupCommandLine, DroppedItemPathsResolveEachFolderAsTheKernelDoes)
{
    // Folders come back again and again (each given before the items inside it) through links at
    // every depth, relative links, ".." after a link and folders that are not there: each item's
    // folder is what realpath makes of it (its text when it cannot), the name the item itself.
    QTemporaryDir tmp;
    for (const char *folder : {"real/a/b", "real/c"})
        ASSERT_TRUE(QDir().mkpath(tmp.filePath(QString::fromLatin1(folder))));
    const struct {
        const char *link;
        const char *target;
    } links[] = {{"top", "real"}, {"real/a/up", ".."}, {"real/c/toB", "../a/b"}, {"real/a/b/self", "."}};
    for (const auto &l : links)
        ASSERT_EQ(::symlink(l.target, QFile::encodeName(tmp.filePath(QString::fromLatin1(l.link))).constData()), 0);
    const auto expected = [](const QString &path) {
        const qsizetype slash = path.lastIndexOf(u'/');
        const QString folder = path.left(slash);
        QString resolved = folder;
        if (char *real = ::realpath(QFile::encodeName(folder).constData(), nullptr)) {
            resolved = QFile::decodeName(real);
            std::free(real);
        }
        return resolved + path.mid(slash);
    };
    const QString base = QFileInfo(tmp.path()).canonicalFilePath();
    const QString kept = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(base));
    DroppedItemPaths shared;
    for (int round = 0; round < 2; ++round) {
        for (const char *argument :
             {"top/a", "top/a/b/f", "top/a/b", "top/a/b/self/f", "real/a/up/a/b/f", "real/a/up/c/x", "real/c/toB/f",
              "real/c/toB/../f", "top/a/up/up/x", "real/a/b/../../c/x", "missing/x", "missing/deeper/x", "real/a",
              "real/a/b/f", "top/c/x", "real/c/toB/self/self/f"}) {
            SCOPED_TRACE(argument);
            const QString given = QString::fromLatin1(argument);
            EXPECT_EQ(shared.path(given), expected(base + u'/' + given));
        }
    }
    QDir::setCurrent(kept);
}

TEST(StartupCommandLine, GetPathPart)
{
    struct Case {
        const char *path;
        bool folder;
        const char *expected;
    } cases[] = {
        {"/photos/photos", true, "/photos/"}, {"/photos/photos", false, "photos"},
        {"name.txt", true, ""},               {"name.txt", false, "name.txt"},
        {"/a/b/", true, "/a/b/"},             {"/a/b/", false, ""},
        {"", true, ""},                       {"", false, ""},
        {"/my pics/b c.jpg", true, "/my pics/"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.path) + (c.folder ? " folder" : " name"));
        EXPECT_EQ(GetPathPart(QString::fromUtf8(c.path), c.folder), QString::fromUtf8(c.expected));
    }
}

TEST(StartupCommandLine, DotAndDotDotArgumentsNameNoItem)
{
    struct Case {
        const char *argument;
        bool dotItem;
        const char *name;
    } cases[] = {
        {".", true, "."},          {"..", true, ".."},        {"dir/..", true, ".."},
        {"dir/.", true, "."},      {"/a/b/..", true, ".."},   {"dir/../", true, ".."},
        {"/.", true, "."},         {"...", false, "..."},     {".hidden", false, ".hidden"},
        {"a..", false, "a.."},     {"../a.txt", false, "a.txt"}, {"dir/.x", false, ".x"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.argument);
        const QString argument = QString::fromUtf8(c.argument);
        EXPECT_EQ(NamesDotItem(argument), c.dotItem);
        EXPECT_EQ(DotItemName(argument), QString::fromUtf8(c.name));
    }

    // The folder whose entry it is: resolved up to it, never beyond.
    QTemporaryDir tmp;
    ASSERT_TRUE(QDir().mkpath(tmp.filePath("sub/deeper")));
    const QString kept = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(tmp.filePath("sub")));
    const QString real = QFileInfo(tmp.path()).canonicalFilePath();
    DroppedItemPaths paths;
    EXPECT_EQ(paths.dotItemFolder(QStringLiteral(".")), real + QStringLiteral("/sub/"));
    EXPECT_EQ(paths.dotItemFolder(QStringLiteral("..")), real + QStringLiteral("/sub/"));
    EXPECT_EQ(paths.dotItemFolder(QStringLiteral("deeper/..")), real + QStringLiteral("/sub/deeper/"));
    EXPECT_EQ(paths.dotItemFolder(QStringLiteral("/.")), QStringLiteral("/"));
    QDir::setCurrent(kept);
}
