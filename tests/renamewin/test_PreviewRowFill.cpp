#include "PreviewRowFill.h"
#include "ShellTypeName.h"

#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimeZone>
#include <gtest/gtest.h>

#include <cstdio>
#include <utility>

using namespace renamewin;

TEST(PreviewRowFill, FolderNameOfAPath)
{
    const struct {
        const char *path;
        const char *name;
    } cases[] = {
        {"/home/u/Photos/", "Photos"}, {"/a/", "a"}, {"/", ""}, {"", ""}, {"/x/x/", "x"},
        {"/a b/c : d/", "c : d"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(folderNameOf(QString::fromUtf8(c.path)), QString::fromUtf8(c.name));
    }
}

TEST(PreviewRowFill, RowsOfFilesFoldersAndMissingFiles)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.path() + u'/';
    testfiles::writeFile(folder + "a.txt", QByteArray(1234, 'x'));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("sub.d")));
    const QDateTime stamp(QDate(2022, 7, 8), QTime(9, 10, 11));
    {
        QFile f(folder + "a.txt");
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(stamp, QFileDevice::FileModificationTime));
    }
    const QString ownName = QFileInfo(dir.path()).fileName();

    const engine::PreviewRow file = previewRowOf({QStringLiteral("a.txt"), folder, QStringLiteral("TXT File"), true});
    EXPECT_EQ(file.Original, QStringLiteral("a.txt"));
    EXPECT_EQ(file.Preview, QString());
    EXPECT_EQ(file.Path, folder);
    EXPECT_EQ(file.Size, 1234);
    EXPECT_EQ(file.Modified, QStringLiteral("2022-07-08 09:10:11"));
    EXPECT_EQ(file.Folder, ownName);
    EXPECT_EQ(file.Type, QStringLiteral("TXT File"));

    const engine::PreviewRow sub = previewRowOf({QStringLiteral("sub.d"), folder, QStringLiteral("File Folder"), true});
    EXPECT_EQ(sub.Size, 0);
    EXPECT_EQ(sub.Modified, QString());
    EXPECT_EQ(sub.Type, QStringLiteral("File Folder"));
    EXPECT_EQ(sub.Folder, ownName);

    const engine::PreviewRow gone = previewRowOf({QStringLiteral("gone.txt"), folder, QStringLiteral("TXT File"), true});
    EXPECT_EQ(gone.Size, 0);
    EXPECT_EQ(gone.Modified, QString());

    const engine::PreviewRow root = previewRowOf({QStringLiteral("etc"), QStringLiteral("/"), QStringLiteral("File Folder"), true});
    EXPECT_EQ(root.Folder, QString());
}

TEST(PreviewRowFill, AStatusJustReadSparesTheLookUp)
{
    // A status the caller has just read (the windowless run) fills the row without a second
    // look-up; without one the file is read.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.path() + u'/';
    testfiles::writeFile(folder + "a.txt", QByteArray(10, 'x'));
    const qint64 listed = QDateTime(QDate(2021, 3, 28), QTime(1, 30, 0)).toSecsSinceEpoch();

    MainListItem item{QStringLiteral("a.txt"), folder, QStringLiteral("TXT File"), true, 77, listed};
    const engine::PreviewRow fromList = previewRowOf(item);
    EXPECT_EQ(fromList.Size, 77);
    EXPECT_EQ(fromList.Modified, QStringLiteral("2021-03-28 01:30:00"));

    item.SizeBytes = -1;
    const engine::PreviewRow read = previewRowOf(item);
    EXPECT_EQ(read.Size, 10);
    EXPECT_EQ(read.Modified, modifiedText(QFileInfo(folder + "a.txt").lastModified()));
}

TEST(PreviewRowFill, SizeAndTimeAreTheFilesOwnAsItIsNow)
{
    // Every fill reads the file again: a file truncated and dated anew since the last fill (or
    // since the list read it) shows its new size and time; a file gone since has neither.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.path() + u'/';
    const QString path = folder + "a.txt";
    testfiles::writeFile(path, QByteArray(10, 'x'));
    const MainListItem item{QStringLiteral("a.txt"), folder, QStringLiteral("TXT File"), true};
    EXPECT_EQ(previewRowOf(item).Size, 10);

    testfiles::writeFile(path, QByteArray());
    const QDateTime later(QDate(2035, 1, 2), QTime(3, 4, 5));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(later, QFileDevice::FileModificationTime));
    }
    const engine::PreviewRow now = previewRowOf(item);
    EXPECT_EQ(now.Size, 0);
    EXPECT_EQ(now.Modified, QStringLiteral("2035-01-02 03:04:05"));

    ASSERT_TRUE(QFile::remove(path));
    const engine::PreviewRow gone = previewRowOf(item);
    EXPECT_EQ(gone.Modified, QString());
    EXPECT_TRUE(gone.NoSize);

    // As the grid shows them: the empty file's size is "0", the gone file's none; a folder's
    // size is 0 whatever it holds.
    const QString sub = folder + "sub/";
    ASSERT_TRUE(QDir().mkpath(sub));
    testfiles::writeFile(sub + "inside.txt", QByteArray(4, 'x'));
    engine::PreviewTable table;
    table.addRow(now);
    table.addRow(gone);
    table.addRow(previewRowOf(MainListItem{QStringLiteral("sub"), folder, QString(ShellFolderTypeName), true}));
    EXPECT_EQ(table.CellText(1, engine::ColSize), QStringLiteral("0"));
    EXPECT_EQ(table.CellText(2, engine::ColSize), QString());
    EXPECT_EQ(table.CellText(3, engine::ColSize), QStringLiteral("0"));
    EXPECT_EQ(table.CellText(3, engine::ColModified), QString());
}

TEST(PreviewRowFill, ModifiedTextInLocalTimeAcrossDaylightSaving)
{
    // The text from seconds matches the one from a QDateTime in local time, in a zone with
    // daylight saving, on both sides of the change and after the zone itself changes.
    const QByteArray kept = qgetenv("TZ");
    const bool had = qEnvironmentVariableIsSet("TZ");
    for (const char *zone : {"Europe/Berlin", "America/New_York", "UTC"}) {
        SCOPED_TRACE(zone);
        qputenv("TZ", zone);
        for (const QDateTime &utc : {QDateTime(QDate(2021, 3, 28), QTime(0, 59, 59), Qt::UTC),
                                     QDateTime(QDate(2021, 3, 28), QTime(1, 0, 0), Qt::UTC),
                                     QDateTime(QDate(2021, 11, 7), QTime(6, 30, 0), Qt::UTC),
                                     QDateTime(QDate(1999, 12, 31), QTime(23, 59, 59), Qt::UTC)}) {
            const QDateTime local = QDateTime::fromSecsSinceEpoch(utc.toSecsSinceEpoch());
            EXPECT_EQ(modifiedText(utc.toSecsSinceEpoch()), modifiedText(local)) << utc.toString(Qt::ISODate).toStdString();
        }
    }
    EXPECT_EQ(modifiedText(QDateTime()), QString());
    if (had)
        qputenv("TZ", kept);
    else
        qunsetenv("TZ");
}

// A name that is not UTF-8 (its byte kept as U+DCFF) reads its own file's size, not that of the
// U+FFFD name beside it.
TEST(PreviewRowFill, NamesThatAreNotUtf8ReadTheirOwnFile)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + u'/';
    for (const auto &[name, size] : {std::pair{"n\xFF.txt", 3}, std::pair{"n\xEF\xBF\xBD.txt", 7}}) {
        testfiles::writeRawFile(QFile::encodeName(folder) + name, QByteArray("1234567", size));
    }
    const QString rawName = QStringLiteral("n") + QChar(char16_t(0xDCFF)) + QStringLiteral(".txt");
    EXPECT_EQ(previewRowOf({rawName, folder, QStringLiteral("TXT File"), true}).Size, 3);
    EXPECT_EQ(previewRowOf({QStringLiteral("n\uFFFD.txt"), folder, QStringLiteral("TXT File"), true}).Size, 7);
    std::remove((QFile::encodeName(folder) + "n\xFF.txt").constData());
}

TEST(PreviewRowFill, PictureDateLine)
{
    const QStringList both = {"Make: Cam", "DateTime: 2020:01:01 00:00:00", "DateTimeOriginal: 2019:02:03 04:05:06"};
    EXPECT_EQ(pictureDateLine(both), QStringLiteral("DateTimeOriginal: 2019:02:03 04:05:06"));
    EXPECT_EQ(pictureDateLine({"Make: Cam", "DateTime: 2020:01:01 00:00:00"}), QStringLiteral("DateTime: 2020:01:01 00:00:00"));
    EXPECT_EQ(pictureDateLine({"Make: Cam", "DateTimeDigitized: 2020:01:01 00:00:00"}), QString());
    EXPECT_EQ(pictureDateLine({}), QString());
}
