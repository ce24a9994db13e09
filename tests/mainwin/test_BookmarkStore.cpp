#include "BookmarkStore.h"

#include "PathCodec.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace mainwin;

namespace {

class BookmarkStoreTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString path() const { return dir.filePath(QStringLiteral("bookmarks.bks")); }

    testfiles::TempDir dir;  // may hold a folder whose name is not UTF-8
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

// A folder whose name was not UTF-8 reads back with replacement characters: bookmarked, it would
// lead to a different folder. A folder really named with that character is kept.
TEST_F(BookmarkStoreTest, FoldersWhoseNamesWereNotUtf8AreRefused)
{
    const QString real = dir.filePath(QStringLiteral("real\uFFFD"));
    ASSERT_TRUE(QDir().mkpath(real));
    struct Case {
        const char *what;
        QString folder;
        bool kept;
    } cases[] = {
        {"bytes that were not UTF-8", dir.filePath(QStringLiteral("caf\uFFFD")), false},
        {"a folder named with the replacement character", real, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        BookmarkStore store;
        const vb::Status added = store.Add(QStringLiteral("x"), c.folder);
        EXPECT_EQ(bool(added), c.kept) << added.description.toStdString();
        EXPECT_EQ(store.Count(), c.kept ? 1u : 0u);
        if (!c.kept) {
            EXPECT_TRUE(added.description.contains(QStringLiteral("not UTF-8"))) << added.description.toStdString();
        }
    }
}

// A file that is there but cannot be read starts an empty store that never replaces it.
TEST_F(BookmarkStoreTest, AFileThatCannotBeReadIsNotWrittenOver)
{
    ASSERT_EQ(::mkfifo(QFile::encodeName(path()).constData(), 0644), 0);
    BookmarkStore store;
    const vb::Status read = store.Load(path());
    EXPECT_FALSE(read);
    EXPECT_TRUE(store.ReadFailed());
    ASSERT_TRUE(store.Add(QStringLiteral("x"), QStringLiteral("/")));
    EXPECT_FALSE(store.Save(path()));
    struct stat st {};
    ASSERT_EQ(::lstat(QFile::encodeName(path()).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode)) << "the FIFO is left as it was";

    // A missing file is no failure: the store is saved.
    BookmarkStore fresh;
    const QString missing = dir.filePath(QStringLiteral("new.bks"));
    EXPECT_TRUE(fresh.Load(missing));
    EXPECT_FALSE(fresh.ReadFailed());
    ASSERT_TRUE(fresh.Add(QStringLiteral("x"), QStringLiteral("/")));
    EXPECT_TRUE(fresh.Save(missing));
    EXPECT_EQ(testfiles::readFile(missing), QByteArray("x\r\n/\r\n"));
}

// A bookmark whose folder is not UTF-8 ("lat\xE9n") is read as those bytes and written back as
// them, never as another folder ("lat\xC3\xA9n"); the names stay text, a Windows-1252 one
// included.
TEST_F(BookmarkStoreTest, FoldersThatAreNotUtf8KeepTheirBytes)
{
    const QByteArray folder = QFile::encodeName(dir.path()) + "/lat\xE9n";
    ASSERT_EQ(::mkdir(folder.constData(), 0755), 0);
    testfiles::writeFile(path(), "Caf\xE9\r\n" + folder + "\r\nPlain\r\n/data/\xC3\xA9t\xC3\xA9\r\n");
    BookmarkStore store;
    ASSERT_TRUE(store.Load(path()));
    ASSERT_EQ(store.Count(), 2u);
    EXPECT_EQ(store.At(0).Name, QStringLiteral("Caf\u00E9"));
    EXPECT_EQ(store.At(0).Folder, pathcodec::decode(folder));
    EXPECT_EQ(store.At(1).Folder, QStringLiteral("/data/\u00E9t\u00E9"));
    ASSERT_TRUE(store.Save(path()));
    EXPECT_EQ(testfiles::readFile(path()), "Caf\xC3\xA9\r\n" + folder + "\r\nPlain\r\n/data/\xC3\xA9t\xC3\xA9\r\n");

    // Added from the folder itself, such a folder is kept the same way.
    BookmarkStore added;
    ASSERT_TRUE(added.Add(QStringLiteral("x"), pathcodec::decode(folder)));
    ASSERT_TRUE(added.Save(path()));
    EXPECT_EQ(testfiles::readFile(path()), "x\r\n" + folder + "\r\n");
}
