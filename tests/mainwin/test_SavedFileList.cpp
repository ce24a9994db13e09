#include "SavedFileList.h"

#include "PathCodec.h"
#include "TestFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace mainwin;

namespace {

class SavedFileListTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString path(const QString &name = QStringLiteral("list.lst")) const { return dir.filePath(name); }

    QTemporaryDir dir;
};

} // namespace

TEST_F(SavedFileListTest, EntriesComeBackAsTheyWereSaved)
{
    const std::vector<FileListEntry> entries = {
        {"/data/a b/", "one.txt"},
        {"/data/", "x|y-z.jpg"},
        {"/data/", "-starts-with-dash"},
        {"/data/ünï/", "çödé €.mp3"},
        {"/data/", "sub"},
        {"/", "at root"},
    };
    ASSERT_TRUE(SavedFileList::save(path(), entries));
    EXPECT_EQ(testfiles::readFile(path()),
              QByteArray("Corvisk File List\r\n/data/a b/\r\none.txt\r\n/data/\r\nx|y-z.jpg\r\n/data/\r\n"
                         "-starts-with-dash\r\n/data/\xc3\xbcn\xc3\xaf/\r\n\xc3\xa7\xc3\xb6\x64\xc3\xa9 \xe2\x82\xac.mp3\r\n"
                         "/data/\r\nsub\r\n/\r\nat root\r\n"));
    const SavedFileListLoad loaded = SavedFileList::load(path());
    ASSERT_TRUE(loaded) << loaded.reason.toStdString();
    EXPECT_EQ(loaded.Entries, entries);
}

TEST_F(SavedFileListTest, NoEntriesIsAHeaderOnly)
{
    ASSERT_TRUE(SavedFileList::save(path(), {}));
    EXPECT_EQ(testfiles::readFile(path()), QByteArray("Corvisk File List\r\n"));
    const SavedFileListLoad loaded = SavedFileList::load(path());
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(loaded.Entries.empty());
}

TEST_F(SavedFileListTest, FilesThatAreNoSavedListAreRefusedWhole)
{
    struct Case {
        const char *what;
        QByteArray bytes;
        const char *message;
    };
    const Case cases[] = {
        {"empty file", "", "Invalid File"},
        {"other header", "File Rename Settings\r\n/a/\r\nb\r\n", "Invalid File"},
        {"header in other case", "corvisk file list\r\n/a/\r\nb\r\n", "Invalid File"},
        {"header with a blank", "Corvisk File List \r\n/a/\r\nb\r\n", "Invalid File"},
        {"folder without name", "Corvisk File List\r\n/a/\r\nb\r\n/c/\r\n", "Invalid File"},
        // A name line names one item of its folder, never one elsewhere.
        {"name holding a slash", "Corvisk File List\r\n/a/\r\nb\r\n/a/\r\nsub/c\r\n", "Invalid File"},
        {"name ..", "Corvisk File List\r\n/a/b/\r\n..\r\n", "Invalid File"},
        {"name .", "Corvisk File List\r\n/a/\r\n.\r\n", "Invalid File"},
        {"empty name", "Corvisk File List\r\n/a/\r\n\r\n", "Invalid File"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        testfiles::writeFile(path(), c.bytes);
        const SavedFileListLoad loaded = SavedFileList::load(path());
        EXPECT_FALSE(loaded);
        EXPECT_EQ(loaded.message, QLatin1String(c.message));
        EXPECT_TRUE(loaded.Entries.empty());
    }
    const SavedFileListLoad missing = SavedFileList::load(path(QStringLiteral("missing.lst")));
    EXPECT_FALSE(missing);
    EXPECT_EQ(missing.message, QStringLiteral("File not found"));
}

TEST_F(SavedFileListTest, LineEndsOfOtherSystemsRead)
{
    for (const QByteArray &bytes : {QByteArray("Corvisk File List\n/a/\nb.txt"), QByteArray("Corvisk File List\r/a/\rb.txt\r")}) {
        testfiles::writeFile(path(), bytes);
        const SavedFileListLoad loaded = SavedFileList::load(path());
        ASSERT_TRUE(loaded);
        EXPECT_EQ(loaded.Entries, (std::vector<FileListEntry>{{"/a/", "b.txt"}}));
    }
}

TEST_F(SavedFileListTest, NamesALineCannotCarryRefuseTheSaveAndKeepTheOldFile)
{
    testfiles::writeFile(path(), "Corvisk File List\r\n/old/\r\nkept.txt\r\n");
    struct Case {
        const char *what;
        FileListEntry entry;
        const char *shown;
    };
    const Case cases[] = {
        {"line feed in the name", {"/data/", "two\nlines.txt"}, "two\\nlines.txt"},
        {"carriage return in the folder", {"/da\rta/", "a.txt"}, "/da\\rta/a.txt"},
        // A name whose bytes were not UTF-8 reads back as replacement characters; saved, it
        // would name a different file.
        {"name that is not UTF-8", {dir.path() + u'/', QString::fromUtf8("bad\xef\xbf\xbd.txt")}, "bad"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const vb::Status st = SavedFileList::save(path(), {{"/data/", "fine.txt"}, c.entry});
        EXPECT_FALSE(st);
        EXPECT_TRUE(st.description.contains(QLatin1String(c.shown))) << st.description.toStdString();
        EXPECT_TRUE(st.description.endsWith(QStringLiteral("Nothing was saved.")));
        EXPECT_EQ(testfiles::readFile(path()), QByteArray("Corvisk File List\r\n/old/\r\nkept.txt\r\n"));
    }
}

// A folder or a name whose bytes are not UTF-8 is saved as those bytes and loads as the same
// entry, beside its look-alike holding U+FFFD; nothing is written as "?".
TEST_F(SavedFileListTest, NamesThatAreNotUtf8KeepTheirBytes)
{
    const QString folder = pathcodec::decode(QByteArray("/data/lat\xE9n/"));
    const QString name = pathcodec::decode(QByteArray("caf\xE9.txt"));
    const QString bom = pathcodec::decode(QByteArray("\xEF\xBB\xBF" "a"));
    const std::vector<FileListEntry> entries = {{folder, name}, {"/data/", "caf\uFFFD.txt"}, {"/data/", bom}};
    // The look-alike is a real file: its name is the text it shows.
    const QString lookAlike = dir.filePath(QStringLiteral("caf\uFFFD.txt"));
    testfiles::writeFile(lookAlike, "x");
    const std::vector<FileListEntry> saved = {entries[0], {dir.path() + u'/', "caf\uFFFD.txt"}, entries[2]};
    ASSERT_TRUE(SavedFileList::save(path(), saved));
    const QByteArray bytes = testfiles::readFile(path());
    EXPECT_TRUE(bytes.contains("\r\n/data/lat\xE9n/\r\ncaf\xE9.txt\r\n")) << bytes.toStdString();
    EXPECT_TRUE(bytes.contains("caf\xEF\xBF\xBD.txt\r\n")) << bytes.toStdString();
    EXPECT_TRUE(bytes.contains("\r\n\xEF\xBB\xBF" "a\r\n")) << bytes.toStdString();
    EXPECT_FALSE(bytes.contains('?'));
    const SavedFileListLoad loaded = SavedFileList::load(path());
    ASSERT_TRUE(loaded) << loaded.reason.toStdString();
    EXPECT_EQ(loaded.Entries, saved);
}
