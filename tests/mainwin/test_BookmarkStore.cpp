#include "BookmarkStore.h"

#include "TestFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace mainwin;

namespace {

class BookmarkStoreTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString path() const { return dir.filePath(QStringLiteral("bookmarks.bks")); }

    QTemporaryDir dir;
};

} // namespace

TEST_F(BookmarkStoreTest, ReadingPairsLinesAndDropsBookmarksWithoutFolder)
{
    struct Case {
        const char *what;
        QByteArray bytes;
        std::vector<Bookmark> expected;
    };
    const Case cases[] = {
        {"three, no final line end", "One\r\n/a\r\nTwo\r\n/b\r\nThree\r\n/c",
         {{"One", "/a"}, {"Two", "/b"}, {"Three", "/c"}}},
        {"empty folder line dropped", "One\r\n\r\nTwo\r\n/b\r\n", {{"Two", "/b"}}},
        {"every folder empty", "One\r\n\r\nTwo\r\n\r\n", {}},
        {"odd count: the last name has no folder", "One\r\n/a\r\nTwo\r\n", {{"One", "/a"}}},
        {"empty name kept", "\r\n/a\r\n", {{"", "/a"}}},
        {"folders differing in case", "x\r\n/Data\r\ny\r\n/data\r\n", {{"x", "/Data"}, {"y", "/data"}}},
        {"empty file", "", {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        testfiles::writeFile(path(), c.bytes);
        EXPECT_EQ(BookmarkStore::read(path()), c.expected);
    }
    EXPECT_TRUE(BookmarkStore::read(dir.filePath(QStringLiteral("missing.bks"))).empty());
}

TEST_F(BookmarkStoreTest, AddingKeepsOneBookmarkPerFolderWithDefaultNames)
{
    BookmarkStore store;
    EXPECT_EQ(store.DefaultName(), QStringLiteral("Bookmark 0"));
    ASSERT_TRUE(store.Add(store.DefaultName(), QStringLiteral("/a")));
    EXPECT_EQ(store.DefaultName(), QStringLiteral("Bookmark 1"));
    ASSERT_TRUE(store.Add(QStringLiteral("again"), QStringLiteral("/a")));
    ASSERT_TRUE(store.Add(store.DefaultName(), QStringLiteral("/A")));
    EXPECT_EQ(store.Items(), (std::vector<Bookmark>{{"Bookmark 0", "/a"}, {"Bookmark 1", "/A"}}));

    store.RemoveAt(0);
    store.RemoveAt(5);
    EXPECT_EQ(store.Items(), (std::vector<Bookmark>{{"Bookmark 1", "/A"}}));
}

TEST_F(BookmarkStoreTest, WritingGivesANameLineAndAFolderLineEach)
{
    BookmarkStore store;
    ASSERT_TRUE(store.Add(QStringLiteral("Photos | 2024"), QStringLiteral("/home/u/-photos")));
    ASSERT_TRUE(store.Add(QString(), QStringLiteral("/")));
    ASSERT_TRUE(store.Save(path()));
    EXPECT_EQ(testfiles::readFile(path()), QByteArray("Photos | 2024\r\n/home/u/-photos\r\n\r\n/\r\n"));
    BookmarkStore again;
    again.Load(path());
    EXPECT_EQ(again.Items(), store.Items());

    store.Clear();
    ASSERT_TRUE(store.Save(path()));
    EXPECT_EQ(testfiles::readFile(path()), QByteArray());
}

TEST_F(BookmarkStoreTest, LineBreaksAreRefusedWithAMessage)
{
    BookmarkStore store;
    const vb::Status folder = store.Add(QStringLiteral("x"), QStringLiteral("/data/two\nlines"));
    EXPECT_FALSE(folder);
    EXPECT_TRUE(folder.description.contains(QStringLiteral("/data/two\\nlines"))) << folder.description.toStdString();
    const vb::Status name = store.Add(QStringLiteral("a\r\nb"), QStringLiteral("/data"));
    EXPECT_FALSE(name);
    EXPECT_TRUE(name.description.contains(QStringLiteral("a\\r\\nb")));
    EXPECT_EQ(store.Count(), 0u);
}
