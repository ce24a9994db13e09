#include "AppFolder.h"
#include "FileAttributes.h"
#include "PathCodec.h"
#include "RenameConfigFolder.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

using settingsfiles::RenameConfigFolder;

namespace {

class RenameConfigFolderTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString path() const { return dir.path() + QStringLiteral("/RenConfigs/"); }
    void file(const QString &name, const QByteArray &bytes = "x") { testfiles::writeFile(path() + name, bytes); }

    testfiles::TempDir dir;  // may hold a file whose name is not UTF-8
};

} // namespace

TEST_F(RenameConfigFolderTest, ListsOnlyFilesEndingInLowerCaseRfgInNameOrder)
{
    file("b.RFG");
    file("notes.txt");
    file("Zed.rfg");
    file("a.rfg");
    file("m.rfg.bak");
    file("m.rfg");
    ASSERT_TRUE(QDir().mkpath(path() + "c.rfg"));
    ASSERT_TRUE(QDir().mkpath(path() + "sub"));
    testfiles::writeFile(path() + "sub/inner.rfg", "x");
    // A name that is not UTF-8 cannot be named back and is left out.
    const int odd = ::creat(QByteArray(QFile::encodeName(path()) + "caf\xe9.rfg").constData(), 0644);
    ASSERT_GE(odd, 0);
    ::close(odd);
    ASSERT_TRUE(QFile::link(path() + "a.rfg", path() + "link.rfg"));
    ASSERT_TRUE(QFile::link(path() + "c.rfg", path() + "folderlink.rfg"));

    const RenameConfigFolder folder(dir.path() + "/RenConfigs");
    EXPECT_EQ(folder.path(), path());
    EXPECT_EQ(folder.names(), (QStringList{"a", "link", "m", "Zed"}));
}

TEST_F(RenameConfigFolderTest, TheProgramFolderHoldsRenConfigs)
{
    qputenv("VEXLO_HOME", dir.path().toLocal8Bit());
    const RenameConfigFolder folder;
    qunsetenv("VEXLO_HOME");
    EXPECT_EQ(folder.path(), path());
    EXPECT_FALSE(folder.exists());
    EXPECT_TRUE(folder.create().isOk());
    EXPECT_TRUE(QFileInfo(path()).isDir());
    EXPECT_TRUE(folder.names().isEmpty());
}

// A folder whose name is not UTF-8 is made, listed and searched by its own bytes.
TEST_F(RenameConfigFolderTest, AFolderNamedByBytesThatAreNotUtf8IsThatFolder)
{
    const QByteArray bytes = QFile::encodeName(dir.path()) + "/h\xE9/RenConfigs";
    const RenameConfigFolder folder(pathcodec::decode(bytes));
    EXPECT_FALSE(folder.exists());
    EXPECT_TRUE(folder.create().isOk());
    EXPECT_TRUE(folder.exists());
    testfiles::writeRawFile(bytes + "/Trip.rfg", "x");
    EXPECT_EQ(folder.names(), QStringList{QStringLiteral("Trip")});
    EXPECT_EQ(pathcodec::encode(folder.fileOf(QStringLiteral("trip"))), bytes + "/Trip.rfg");
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("h\uFFFD"))));
    // QTemporaryDir cannot remove a name that is not UTF-8.
    ::unlink((bytes + "/Trip.rfg").constData());
    ::rmdir(bytes.constData());
    ::rmdir(bytes.chopped(11).constData());
}

TEST_F(RenameConfigFolderTest, AFolderThatCannotBeCreatedIsReported)
{
    testfiles::writeFile(dir.path() + "/RenConfigs", "a file in the way");
    const RenameConfigFolder folder(path());
    EXPECT_FALSE(folder.exists());
    EXPECT_FALSE(folder.create().isOk());
    EXPECT_TRUE(folder.names().isEmpty());
}

TEST(RenameConfigFolderNames, OnlyNamesThatStayInTheFolderAreAccepted)
{
    struct Case {
        QString name;
        bool accepted;
    };
    const Case cases[] = {
        {"Holiday", true},
        {" ", true},
        {" spaced ", true},
        {"a\\b", true},
        {"a|b-c", true},
        {QString::fromUtf8("\xc3\xbc" "ber"), true},
        {".hidden", true},
        {QString(251, u'x'), true},
        {"", false},
        {".", false},
        {"..", false},
        {"../x", false},
        {"a/b", false},
        {"/", false},
        {QString("x") + QChar(0) + "y", false},
        {QString(252, u'x'), false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        const vb::Status st = RenameConfigFolder::checkName(c.name);
        EXPECT_EQ(st.isOk(), c.accepted);
        if (!c.accepted) {
            EXPECT_EQ(st.description, "Bad file name or number");
        }
    }
}

TEST_F(RenameConfigFolderTest, ANameFindsItsFileWhateverItsCase)
{
    file("Holiday.rfg");
    file("trip.RFG");
    const RenameConfigFolder folder(path());
    EXPECT_EQ(folder.fileOf("Holiday"), path() + "Holiday.rfg");
    EXPECT_EQ(folder.fileOf("HOLIDAY"), path() + "Holiday.rfg");
    EXPECT_EQ(folder.fileOf("holiday"), path() + "Holiday.rfg");
    EXPECT_EQ(folder.fileOf("trip"), path() + "trip.rfg");
    EXPECT_EQ(folder.fileOf("New"), path() + "New.rfg");

    file("HOLIDAY.rfg");
    EXPECT_EQ(folder.fileOf("HOLIDAY"), path() + "HOLIDAY.rfg");
    EXPECT_EQ(folder.fileOf("Holiday"), path() + "Holiday.rfg");

    // An item of exactly the name is the configuration's, even a link whose target is gone.
    ASSERT_EQ(::symlink("nowhere", QFile::encodeName(path() + "holiday.rfg").constData()), 0);
    EXPECT_EQ(folder.fileOf("holiday"), path() + "holiday.rfg");
    EXPECT_TRUE(RenameConfigFolder::sameName("Holiday", "hOLIDAY"));
    EXPECT_FALSE(RenameConfigFolder::sameName("Holiday", "Holiday "));
}

TEST_F(RenameConfigFolderTest, RemoveDeletesTheFileButNotAReadOnlyOne)
{
    file("Holiday.rfg");
    file("Kept.rfg");
    ASSERT_TRUE(fileattr::SetAttr(path() + "Kept.rfg", fileattr::ReadOnly).isOk());
    const RenameConfigFolder folder(path());

    EXPECT_TRUE(folder.remove("HOLIDAY").isOk());
    EXPECT_FALSE(QFile::exists(path() + "Holiday.rfg"));

    const vb::Status readOnly = folder.remove("Kept");
    EXPECT_EQ(readOnly.number, vb::PermissionDenied);
    EXPECT_EQ(readOnly.description, "Permission denied");
    EXPECT_TRUE(QFile::exists(path() + "Kept.rfg"));

    EXPECT_EQ(folder.remove("Holiday").number, vb::FileNotFound);
}
