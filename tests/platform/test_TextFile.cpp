#include "ProcessLimits.h"
#include "TestFiles.h"
#include "WithoutPermissionOverride.h"
#include "TextFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
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
