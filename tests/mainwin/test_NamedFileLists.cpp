#include "NamedFileLists.h"

#include "Fso.h"

#include "PathCodec.h"
#include "TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace mainwin;

namespace {

class NamedFileListsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid());
        qputenv("VEXLO_HOME", QFile::encodeName(home.path()));
    }
    void TearDown() override { qunsetenv("VEXLO_HOME"); }

    QTemporaryDir home;
};

} // namespace

TEST_F(NamedFileListsTest, ListsLiveInTheirFolderOnePathALine)
{
    EXPECT_EQ(NamedFileLists::Folder(), home.path() + QStringLiteral("/FileLists/"));
    const QStringList paths{"/data/a.txt", "/data/sub folder/b|c.jpg", "/-x"};
    ASSERT_TRUE(NamedFileLists::Save(QStringLiteral("My List"), paths));
    EXPECT_EQ(testfiles::readFile(home.filePath(QStringLiteral("FileLists/My List.lst"))),
              QByteArray("/data/a.txt\r\n/data/sub folder/b|c.jpg\r\n/-x\r\n"));
    QStringList read;
    ASSERT_TRUE(NamedFileLists::Read(QStringLiteral("My List"), read));
    EXPECT_EQ(read, paths);
    ASSERT_TRUE(NamedFileLists::Remove(QStringLiteral("My List")));
    EXPECT_FALSE(QFileInfo::exists(NamedFileLists::PathOf(QStringLiteral("My List"))));
}

TEST_F(NamedFileListsTest, OnlyFilesEndingInLowerCaseLstAreListed)
{
    const QString folder = home.filePath(QStringLiteral("FileLists/"));
    for (const char *name : {"a.lst", "b.LST", "c.txt", ".lst", "d.lst.bak", "e.f.lst"})
        testfiles::writeFile(folder + QLatin1String(name), "x\r\n");
    ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("folder.lst")));
    QStringList names = NamedFileLists::Names();
    names.sort();
    EXPECT_EQ(names, (QStringList{"a", "e.f"}));
}

TEST_F(NamedFileListsTest, AMissingFolderIsCreatedWhenListed)
{
    EXPECT_EQ(NamedFileLists::Names(), QStringList());
    EXPECT_TRUE(QFileInfo(home.filePath(QStringLiteral("FileLists"))).isDir());
}

TEST_F(NamedFileListsTest, NamesNeverLeaveTheFolder)
{
    struct Case {
        QString name;
        bool accepted;
    };
    const Case cases[] = {
        {"list", true},         {"a.b", true},        {"-dash", true}, {"pipe|name", true},
        {"..list", true},       {".", false},         {"..", false},   {"a/b", false},
        {"../escape", false},   {"/etc/passwd", false}, {"two\nlines", false},
        {QString(251, u'x'), true}, {QString(252, u'x'), false}, {QStringLiteral("nul") + QChar(0), false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        EXPECT_EQ(NamedFileLists::NameRefusal(c.name).isEmpty(), c.accepted);
        const vb::Status saved = NamedFileLists::Save(c.name, {QStringLiteral("/a.txt")});
        EXPECT_EQ(saved.isOk(), c.accepted);
    }
    // Nothing was written beside the program folder's list folder.
    EXPECT_EQ(QDir(home.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"FileLists"});
    EXPECT_FALSE(QFileInfo::exists(home.filePath(QStringLiteral("escape.lst"))));
}

TEST_F(NamedFileListsTest, APathALineCannotCarryRefusesTheSave)
{
    const vb::Status saved = NamedFileLists::Save(QStringLiteral("x"), {QStringLiteral("/a.txt"), QStringLiteral("/b\nc.txt")});
    EXPECT_FALSE(saved);
    EXPECT_TRUE(saved.description.contains(QStringLiteral("/b\\nc.txt"))) << saved.description.toStdString();
    EXPECT_FALSE(QFileInfo::exists(NamedFileLists::PathOf(QStringLiteral("x"))));
}

// A path whose bytes are not UTF-8 is kept byte for byte and reads back as the same path.
TEST_F(NamedFileListsTest, PathsThatAreNotUtf8KeepTheirBytes)
{
    const QStringList paths{pathcodec::decode(QByteArray("/data/lat\xE9n/caf\xE9.txt")),
                            pathcodec::decode(QByteArray("/data/\xEF\xBB\xBF" "a")), QStringLiteral("/data/\u00E9t\u00E9.txt")};
    ASSERT_TRUE(NamedFileLists::Save(QStringLiteral("raw"), paths));
    EXPECT_EQ(testfiles::readFile(home.filePath(QStringLiteral("FileLists/raw.lst"))),
              QByteArray("/data/lat\xE9n/caf\xE9.txt\r\n/data/\xEF\xBB\xBF" "a\r\n/data/\xC3\xA9t\xC3\xA9.txt\r\n"));
    QStringList read;
    ASSERT_TRUE(NamedFileLists::Read(QStringLiteral("raw"), read));
    EXPECT_EQ(read, paths);
}

// A program folder whose name is not UTF-8 holds the lists itself: the list folder is made in it,
// lists are saved, listed and read there, and no look-alike folder is made beside it.
TEST_F(NamedFileListsTest, AProgramFolderNamedByBytesThatAreNotUtf8HoldsTheLists)
{
    const QByteArray folder = QFile::encodeName(home.path()) + "/h\xE9";
    qputenv("VEXLO_HOME", folder);
    const QStringList paths{QStringLiteral("/data/a.txt")};
    ASSERT_TRUE(NamedFileLists::Save(QStringLiteral("trip"), paths));
    const QString kept = pathcodec::decode(folder + "/FileLists/trip.lst");
    EXPECT_TRUE(fso::FileExists(kept));
    EXPECT_EQ(NamedFileLists::Names(), QStringList{QStringLiteral("trip")});
    QStringList read;
    ASSERT_TRUE(NamedFileLists::Read(QStringLiteral("trip"), read));
    EXPECT_EQ(read, paths);
    EXPECT_FALSE(QFileInfo::exists(home.filePath(QStringLiteral("h\uFFFD"))));
    // QTemporaryDir cannot remove a name that is not UTF-8.
    ::unlink((folder + "/FileLists/trip.lst").constData());
    ::rmdir((folder + "/FileLists").constData());
    ::rmdir(folder.constData());
}
