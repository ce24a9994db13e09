#include "ProcessLimits.h"
#include "TestFiles.h"
#include "WithoutPermissionOverride.h"
#include "TextFile.h"
#include "PathCodec.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

TEST(TextFile, WritesUtf8WithCrLf)
{
    QTemporaryDir tmp;
    const QString path = tmp.filePath("out.txt");
    ASSERT_TRUE(textfile::writeLines(path, {QStringLiteral("é one"), QString(), QStringLiteral("three")}));
    EXPECT_EQ(testfiles::readFile(path), QByteArray("\xC3\xA9 one\r\n\r\nthree\r\n"));
}

TEST(TextFile, ReadsEveryLineEndAndWindows1252)
{
    QTemporaryDir tmp;
    struct Case {
        const char *name;
        QByteArray bytes;
        QStringList lines;
    } cases[] = {
        {"crlf", "a\r\nb\r\n", {"a", "b"}},
        {"lf", "a\nb", {"a", "b"}},
        {"cr", "a\rb\r", {"a", "b"}},
        {"mixed", "a\r\n\nb\rc", {"a", "", "b", "c"}},
        {"cp1252", "caf\xE9\r\n\x80 5", {QStringLiteral("café"), QStringLiteral("€ 5")}},
        {"bom", "\xEF\xBB\xBFx\r\n", {"x"}},
        {"empty", "", {}},
        {"blank lines", "\r\n\r\n", {"", ""}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = tmp.filePath(QString::fromLatin1(c.name));
        testfiles::writeFile(path, c.bytes);
        QStringList lines;
        ASSERT_TRUE(textfile::readLines(path, lines));
        EXPECT_EQ(lines, c.lines);
    }
    QStringList none;
    EXPECT_EQ(textfile::readLines(tmp.filePath("missing"), none).number, vb::FileNotFound);
}

// What is no program file is refused at once, never waited on nor read whole: a FIFO, a device,
// a folder, a file larger than the reader's limit. A file at the limit is read.
TEST(TextFile, OnlyRegularFilesWithinTheLimitAreRead)
{
    QTemporaryDir tmp;
    const QString fifo = tmp.filePath("fifo");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    const QString atLimit = tmp.filePath("at-limit");
    testfiles::writeFile(atLimit, QByteArray(100, 'x'));
    const QString overLimit = tmp.filePath("over-limit");
    testfiles::writeFile(overLimit, QByteArray(101, 'x'));
    const QString huge = tmp.filePath("huge");
    {
        QFile f(huge);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(textfile::MaxProgramFileBytes + 1));
    }
    const struct {
        const char *what;
        QString path;
        qint64 limit;
        const char *refusal;  // nullptr: read
    } cases[] = {
        {"FIFO", fifo, 100, "The file is not a regular file."},
        {"device", QStringLiteral("/dev/zero"), 100, "The file is not a regular file."},
        {"folder", tmp.path(), 100, "The file is not a regular file."},
        {"one byte over the limit", overLimit, 100, "The file is larger (101 bytes) than the 100 bytes a file of its kind may have."},
        {"over the default limit", huge, -2, "The file is larger (1048577 bytes) than the 1 MiB a file of its kind may have."},
        {"at the limit", atLimit, 100, nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QStringList lines{QStringLiteral("kept")};
        const vb::Status st = c.limit == -2 ? textfile::readLines(c.path, lines) : textfile::readLines(c.path, lines, c.limit);
        if (!c.refusal) {
            ASSERT_TRUE(st) << st.description.toStdString();
            EXPECT_EQ(lines, QStringList{QString(100, u'x')});
            continue;
        }
        EXPECT_EQ(st.number, vb::BadFileNameOrNumber);
        EXPECT_EQ(st.description, QLatin1String(c.refusal));
        EXPECT_EQ(lines, QStringList{QStringLiteral("kept")});
    }
}

TEST(TextFile, FailedWriteKeepsTheOldFile)
{
    QTemporaryDir tmp;
    const QString path = tmp.filePath("keep/settings.ini");
    testfiles::writeFile(path, "old\r\n");
    EXPECT_FALSE(textfile::writeLines(tmp.filePath("missing/x.txt"), {QStringLiteral("x")}));

    QFile::setPermissions(tmp.filePath("keep"), QFile::ReadOwner | QFile::ExeOwner);
    vb::Status st;
    {
        WithoutPermissionOverride restricted;
        if (!restricted.ok()) {
            QFile::setPermissions(tmp.filePath("keep"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            GTEST_SKIP() << "cannot give up the permission override of root";
        }
        st = textfile::writeLines(path, {QStringLiteral("new")});
    }
    QFile::setPermissions(tmp.filePath("keep"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(st.number, vb::PermissionDenied);
    EXPECT_EQ(testfiles::readFile(path), "old\r\n");
}

// A disk that fills up while writing: the old file stays byte for byte and the failure is told,
// whether the lines fail on the way (a long file) or only at the final flush (a short one).
TEST(TextFile, FullDiskKeepsTheOldFileByteForByte)
{
    QTemporaryDir tmp;
    const QString path = tmp.filePath("Trevalle.ini");
    const QByteArray old = "every\r\npreference\r\n1\r\n";
    const struct {
        const char *what;
        int lines;
    } cases[] = {{"short file, fails at the flush", 20}, {"long file, fails while writing", 20000}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        testfiles::writeFile(path, old);
        QStringList lines;
        for (int i = 0; i < c.lines; ++i)
            lines << QStringLiteral("a line that does not fit %1").arg(i);
        vb::Status viaLines, viaWriter;
        {
            testfiles::FileSizeLimit full(64);
            viaLines = textfile::writeLines(path, lines);
            textfile::Writer w(path);
            if (w.open()) {
                for (const QString &line : lines)
                    w.writeLine(line);
                viaWriter = w.commit();
            }
        }
        EXPECT_EQ(viaLines.number, vb::DiskFull);
        EXPECT_EQ(viaWriter.number, vb::DiskFull);
        EXPECT_EQ(testfiles::readFile(path), old);
        EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files), QStringList{QStringLiteral("Trevalle.ini")});
    }
}

TEST(TextFile, WriterReplacesOnlyAtCommit)
{
    QTemporaryDir tmp;
    const QString path = tmp.filePath("log.txt");
    testfiles::writeFile(path, "old\r\n");
    {
        textfile::Writer w(path);
        ASSERT_TRUE(w.open());
        w.writeLine(QStringLiteral("never committed"));
    }
    EXPECT_EQ(testfiles::readFile(path), "old\r\n");
    textfile::Writer w(path);
    ASSERT_TRUE(w.open());
    for (int i = 0; i < 10000; ++i)
        w.writeLine(QString::number(i));
    ASSERT_TRUE(w.commit());
    QStringList lines;
    ASSERT_TRUE(textfile::readLines(path, lines));
    ASSERT_EQ(lines.size(), 10000);
    EXPECT_EQ(lines.last(), QStringLiteral("9999"));
}

// A name that is not UTF-8 goes to the file as its bytes and, read as a name line, comes back as
// the same name; text lines of the same file keep their own reading (UTF-8, else Windows-1252),
// line by line, so a Windows-written line still loads beside a name in bytes.
TEST(TextFile, NameLinesKeepTheirBytes)
{
    QTemporaryDir tmp;
    const QString path = tmp.filePath("names.lst");
    const QString rawName = pathcodec::decode(QByteArray("/photos/lat\xE9n"));
    const QString bom = pathcodec::decode(QByteArray("/x/\xEF\xBB\xBF" "a"));
    ASSERT_TRUE(textfile::writeLines(path, {QStringLiteral("Caf\u00E9"), rawName, bom}));
    EXPECT_EQ(testfiles::readFile(path), QByteArray("Caf\xC3\xA9\r\n/photos/lat\xE9n\r\n/x/\xEF\xBB\xBF" "a\r\n"));

    QStringList lines;
    ASSERT_TRUE(textfile::readLines(path, lines, textfile::MaxListFileBytes, [](qsizetype i) { return i > 0; }));
    EXPECT_EQ(lines, (QStringList{QStringLiteral("Caf\u00E9"), rawName, bom}));

    // A Windows-1252 text line beside a name line in bytes; a byte-order mark opening the file.
    testfiles::writeFile(path, "\xEF\xBB\xBF" "Caf\xE9\r\n/lat\xE9n\nplain");
    ASSERT_TRUE(textfile::readLines(path, lines, textfile::MaxListFileBytes, [](qsizetype i) { return i == 1; }));
    EXPECT_EQ(lines, (QStringList{QStringLiteral("Caf\u00E9"), pathcodec::decode("/lat\xE9n"), QStringLiteral("plain")}));
}
