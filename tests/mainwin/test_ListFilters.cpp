#include "ListFilters.h"
#include "MainCommands.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace mainwin;

TEST(ListFilters, FileTypeEntriesSkipNamesSeenInsideEarlierOnes)
{
    const QStringList types{"File Folder", "Text Document", "", "File", "Text Document", "JPEG Image",
                            "Text", "PNG Image", "Image"};
    EXPECT_EQ(FileTypeEntries(types),
              (QStringList{"*.*", "All Files", "File Folder", "Text Document", "JPEG Image", "PNG Image"}));
    EXPECT_EQ(FileTypeEntries({}), (QStringList{"*.*", "All Files"}));
}

TEST(ListFilters, TypeFilterTable)
{
    struct Case {
        const char *spec;
        const char *type;
        bool kept;
    };
    const Case cases[] = {
        {"*.*", "File Folder", true},     {"*.*", "Text Document", true},  {"*.*", "", false},
        {"All Files", "File Folder", false}, {"All Files", "JPEG Image", true}, {"All Files", "", false},
        {"JPEG Image", "JPEG Image", true}, {"JPEG Image", "jpeg image", false}, {"JPEG Image", "JPEG", false},
        {"", "", false},                  {"", "Text Document", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.spec) + " / " + c.type);
        EXPECT_EQ(TypeFilterAccepts(QLatin1String(c.spec), QLatin1String(c.type)), c.kept);
    }
}

TEST(ListFilters, NameFilterIgnoresCaseAndMatchesAnywhere)
{
    struct Case {
        const char *filter;
        const char *name;
        bool kept;
    };
    const Case cases[] = {
        {"abc", "xxABCyy.txt", true}, {"ABC", "abc", true}, {"", "anything", true}, {"", "", true},
        {"abd", "abc.txt", false},    {".TXT", "a.txt", true}, {"é", "CAFÉ.jpg", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.filter) + " / " + c.name);
        EXPECT_EQ(NameFilterAccepts(QString::fromUtf8(c.filter), QString::fromUtf8(c.name)), c.kept);
    }
}

TEST(ListFilters, RowInFolderComparesWithOneTrailingSlash)
{
    EXPECT_TRUE(RowInFolder(QStringLiteral("/a/b/"), QStringLiteral("/a/b")));
    EXPECT_TRUE(RowInFolder(QStringLiteral("/a/b/"), QStringLiteral("/a/b/")));
    EXPECT_TRUE(RowInFolder(QStringLiteral("/"), QStringLiteral("/")));
    EXPECT_FALSE(RowInFolder(QStringLiteral("/a/b/c/"), QStringLiteral("/a/b")));
    EXPECT_FALSE(RowInFolder(QStringLiteral("/a/bc/"), QStringLiteral("/a/b")));
    EXPECT_FALSE(RowInFolder(QString(), QStringLiteral("/")));
}

TEST(MainCommands, IdsAreUniqueAndViewsResolve)
{
    QSet<int32_t> ids;
    for (const MainCommand &c : MainCommands()) {
        EXPECT_FALSE(ids.contains(c.id)) << c.id;
        ids.insert(c.id);
        EXPECT_GE(c.id - FirstCommandId, 0);
        EXPECT_LT(c.id - FirstCommandId, CommandIdSpan);
        EXPECT_EQ(FindCommand(c.id), &c);
    }
    EXPECT_EQ(FindCommand(1034), nullptr);

    struct Case {
        const char *name;
        int32_t code;
        int32_t command;
    };
    const Case cases[] = {{"Report", 3, ID_VIEW_REPORT}, {"Icons", 1, ID_VIEW_ICONS}, {"List", 2, ID_VIEW_LIST},
                          {"", 3, ID_VIEW_REPORT},       {"icons", 3, ID_VIEW_REPORT}, {"Tiles", 3, ID_VIEW_REPORT}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const FileView &v = FileViewForName(QLatin1String(c.name));
        EXPECT_EQ(v.viewCode, c.code);
        EXPECT_EQ(v.commandId, c.command);
    }
    EXPECT_EQ(FileViewForCommand(ID_ABOUT), nullptr);
}
