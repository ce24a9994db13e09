#include "ExecutableType.h"
#include "FileItemBuilder.h"
#include "FileListFixtures.h"
#include "ListViewEditable.h"

#include <gtest/gtest.h>

#include <map>
#include <sys/stat.h>
#include <unistd.h>

using namespace filelist;

namespace {

void put16(QByteArray &b, int at, uint16_t v)
{
    b[at] = char(v & 0xFF);
    b[at + 1] = char(v >> 8);
}

void put32(QByteArray &b, int at, uint32_t v)
{
    put16(b, at, uint16_t(v & 0xFFFF));
    put16(b, at + 2, uint16_t(v >> 16));
}

// An MS-DOS header whose new-header offset (0x3C) points at 0x80.
QByteArray dosStub(int size = 0x200)
{
    QByteArray b(size, '\0');
    b[0] = 'M';
    b[1] = 'Z';
    put32(b, 0x3C, 0x80);
    return b;
}

// A PE image: signature at 0x80, 20-byte file header, optional header at 0x98 with the
// subsystem version at +48/+50 and the subsystem at +68.
QByteArray peImage(uint16_t subsystem, uint16_t major, uint16_t minor)
{
    QByteArray b = dosStub();
    b.replace(0x80, 4, QByteArray("PE\0\0", 4));
    put16(b, 0x98, 0x10B);
    put16(b, 0x98 + 48, major);
    put16(b, 0x98 + 50, minor);
    put16(b, 0x98 + 68, subsystem);
    return b;
}

// A 16-bit Windows image: "NE" at 0x80, expected Windows version at +0x3E.
QByteArray neImage(uint16_t version)
{
    QByteArray b = dosStub();
    b[0x80] = 'N';
    b[0x81] = 'E';
    put16(b, 0x80 + 0x3E, version);
    return b;
}

} // namespace

TEST(FileItemBuilder, SizeTextsAreTrueRoundedUpKilobytes)
{
    const std::pair<qint64, const char *> cases[] = {
        {0, "0KB"},       {1, "1KB"},           {1023, "1KB"},           {1024, "1KB"},
        {1025, "2KB"},    {1048576, "1,024KB"}, {1048577, "1,025KB"},    {5368709120LL, "5,242,880KB"},
    };
    for (const auto &[bytes, text] : cases) {
        SCOPED_TRACE(bytes);
        EXPECT_EQ(FileItemBuilder::SizeText(bytes), QString::fromUtf8(text));
    }
}

TEST(FileItemBuilder, DateTextsUseACorrectTwelveHourClock)
{
    struct Case {
        QTime time;
        const char *text;
    };
    const Case cases[] = {
        {QTime(15, 7, 5), "2024/5/9 3:07:05 PM"},
        {QTime(12, 0, 0), "2024/5/9 12:00:00 PM"},
        {QTime(12, 0, 1), "2024/5/9 12:00:01 PM"},
        {QTime(0, 30, 0), "2024/5/9 12:30:00 AM"},
        {QTime(0, 0, 0), "2024/5/9 12:00:00 AM"},
        {QTime(11, 59, 59), "2024/5/9 11:59:59 AM"},
        {QTime(23, 5, 9), "2024/5/9 11:05:09 PM"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(FileItemBuilder::DateText(QDate(2024, 5, 9), c.time), QString::fromUtf8(c.text));
    }
    EXPECT_EQ(FileItemBuilder::DateText(QDate(2024, 12, 25), QTime(10, 0)), "2024/12/25 10:00:00 AM");
}

TEST(FileItemBuilder, AddFileWritesTheFiveCells)
{
    QTemporaryDir dir;
    const QString root = dir.path();
    fixtures::setModified(fixtures::makeFile(root, "notes.txt", 1025), QDateTime(QDate(2024, 5, 9), QTime(12, 0, 0)));
    fixtures::setModified(fixtures::makeFolder(root, "Sub.d"), QDateTime(QDate(2023, 1, 2), QTime(0, 30, 0)));
    fixtures::makeFile(root, "empty", 0);

    ListViewEditable list;
    const QString folder = root + u'/';
    list.AddFile(folder, "notes.txt");
    list.AddFile(folder, "Sub.d");
    list.AddFile(folder, "empty");
    list.AddFile(folder, "missing.txt");
    ASSERT_EQ(list.FileItemCount(), 4);

    const ListItem &file = list.ListItems().Item(1);
    EXPECT_EQ(file.Text, "notes.txt");
    EXPECT_EQ(file.SubItemTexts, QStringList({folder, "2KB", "Text Document", "2024/5/9 12:00:00 PM"}));
    EXPECT_EQ(file.SizeBytes, 1025);

    const ListItem &sub = list.ListItems().Item(2);
    EXPECT_EQ(sub.SubItemTexts, QStringList({folder, "", "File Folder", "2023/1/2 12:30:00 AM"}));
    EXPECT_EQ(sub.SizeBytes, -1);
    EXPECT_TRUE(list.ListItems().FileRowAt(2).isFolder());

    EXPECT_EQ(list.ListItems().Item(3).SubItems(2), "0KB");
    EXPECT_EQ(list.ListItems().Item(3).SubItems(3), "File");

    const ListItem &missing = list.ListItems().Item(4);
    EXPECT_EQ(missing.Text, "missing.txt");
    EXPECT_EQ(missing.SubItemTexts, QStringList({folder, "", "", ""}));
    EXPECT_EQ(missing.SmallIcon, -1);
    EXPECT_FALSE(missing.LastWrite().isValid());

    const FileRow row = list.ListItems().FileRowAt(1);
    EXPECT_EQ(row.FullPath(), root + "/notes.txt");
    EXPECT_EQ(row.LastWrite, QDateTime(QDate(2024, 5, 9), QTime(12, 0, 0)));
}

TEST(FileItemBuilder, IconKeysAreSharedByType)
{
    QTemporaryDir dir;
    const QString root = dir.path();
    testfiles::writeFile(root + "/one/tool.exe", peImage(2, 4, 0));
    testfiles::writeFile(root + "/two/tool.exe", peImage(2, 5, 1));
    testfiles::writeFile(root + "/other.exe", peImage(2, 4, 0));
    testfiles::writeFile(root + "/console.exe", peImage(3, 6, 0));
    testfiles::writeFile(root + "/dos.exe", dosStub(0x40));
    fixtures::makeFile(root, "a.txt");
    fixtures::makeFile(root, "b.TXT");

    ListViewEditable list;
    EXPECT_EQ(list.ImageListCount(), 0) << "a fresh control holds the placeholder only";
    list.AddFile(root + "/one/", "tool.exe");
    list.AddFile(root + "/two/", "tool.exe");
    list.AddFile(root + "/", "other.exe");
    list.AddFile(root + "/", "console.exe");
    list.AddFile(root + "/", "dos.exe");
    list.AddFile(root + "/", "a.txt");
    list.AddFile(root + "/", "b.TXT");

    const ListItemsModel &rows = list.ListItems();
    const ImageList &images = list.ImageList1();
    auto keyOf = [&](int row) { return images.Key(rows.Item(row).SmallIcon); };
    EXPECT_EQ(images.Key(0), "dummy");
    EXPECT_EQ(keyOf(1), "tool.exe");
    EXPECT_EQ(rows.Item(2).SmallIcon, rows.Item(1).SmallIcon) << "same program name, same icon";
    EXPECT_EQ(keyOf(3), "other.exe");
    EXPECT_EQ(keyOf(4), "DOSExeIcon");
    EXPECT_EQ(rows.Item(5).SmallIcon, rows.Item(4).SmallIcon);
    EXPECT_EQ(keyOf(6), "Text Document");
    EXPECT_EQ(rows.Item(7).SmallIcon, rows.Item(6).SmallIcon);
    EXPECT_EQ(list.ImageListCount(), 4);
}

TEST(FileItemBuilder, ExecutableHeadersAreReadWithinTheFile)
{
    QTemporaryDir dir;
    struct Case {
        const char *name;
        QByteArray bytes;
        uint16_t version;
    };
    QByteArray pointsOutside = dosStub(0x40);
    put32(pointsOutside, 0x3C, 0x7FFFFFF0);
    QByteArray cutPe = peImage(2, 4, 0).left(0xA0);
    const Case cases[] = {
        {"gui", peImage(2, 4, 0), 0x0400},
        {"gui51", peImage(2, 5, 1), 0x0501},
        {"console", peImage(3, 6, 0), 0},
        {"win16", neImage(0x030A), 0x030A},
        {"dos", dosStub(0x40), 0},
        {"outside", pointsOutside, 0},
        {"cut", cutPe, 0},
        {"text", QByteArray("MZ"), 0},
        {"notexe", QByteArray("hello world"), 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.path() + u'/' + QLatin1String(c.name);
        testfiles::writeFile(path, c.bytes);
        EXPECT_EQ(ExecutableWindowsVersion(path), c.version);
    }
    EXPECT_EQ(ExecutableWindowsVersion(dir.path() + "/absent"), 0);
}

// A scanned folder with a FIFO named like a program and a program whose name is not UTF-8
// beside its U+FFFD look-alike: the scan returns (the FIFO is never waited on) and each row's
// icon comes from its own file.
TEST(FileItemBuilder, ProgramIconsReadEachItemsOwnFileAndNeverWaitOnAFifo)
{
    QTemporaryDir dir;
    const QByteArray root = QFile::encodeName(dir.path()) + '/';
    ASSERT_EQ(::mkfifo((root + "x.exe").constData(), 0600), 0);
    testfiles::writeRawFile(root + "\xFF.exe", peImage(2, 4, 0));
    testfiles::writeRawFile(root + "\xEF\xBF\xBD.exe", dosStub(0x40));
    testfiles::writeRawFile(root + "\xEF\xBF\xBDg.exe", peImage(2, 5, 0));
    testfiles::writeRawFile(root + "\xFFg.exe", dosStub(0x40));

    ListViewEditable list;
    list.setPath(dir.path());
    list.setFileSpec("*.*");
    list.Scan();
    ASSERT_EQ(list.FileItemCount(), 5);
    const QString ff = QString(QChar(char16_t(0xDCFF)));
    const std::map<QString, QString> expected{
        {QStringLiteral("x.exe"), QStringLiteral("DOSExeIcon")},
        {ff + ".exe", ff + ".exe"},
        {QStringLiteral("\uFFFD.exe"), QStringLiteral("DOSExeIcon")},
        {QStringLiteral("\uFFFDg.exe"), QStringLiteral("\uFFFDg.exe")},
        {ff + "g.exe", QStringLiteral("DOSExeIcon")},
    };
    std::map<QString, QString> keys;
    for (int32_t i = 1; i <= list.FileItemCount(); ++i) {
        const ListItem &item = list.ListItems().Item(i);
        EXPECT_EQ(item.SubItems(3), list.ListItems().Item(1).SubItems(3)) << "one type for all";
        keys[item.Text] = list.ImageList1().Key(item.SmallIcon);
    }
    EXPECT_EQ(keys, expected);
    for (const char *name : {"\xFF.exe", "\xEF\xBF\xBD.exe", "\xEF\xBF\xBDg.exe", "\xFFg.exe", "x.exe"})
        ::unlink((root + name).constData());
}
