#include "PathCodec.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

// Every byte string comes back as it went in; valid UTF-8 decodes as such, and a byte that does
// not decode is a lone surrogate that cannot be mistaken for U+FFFD or for a valid character.
TEST(PathCodec, BytesRoundTripAndOnlyInvalidBytesAreRaw)
{
    const struct {
        QByteArray bytes;
        QString decoded;
        bool raw;
    } cases[] = {
        {"plain.txt", QStringLiteral("plain.txt"), false},
        {"\xC3\xA9t\xC3\xA9", QStringLiteral("\u00E9t\u00E9"), false},
        {"\xF0\x9F\x98\x80", QString::fromUtf8("\xF0\x9F\x98\x80"), false},
        {"\xEF\xBF\xBD", QStringLiteral("\uFFFD"), false},
        {"n\xFF.txt", QStringLiteral("n") + QChar(char16_t(0xDCFF)) + QStringLiteral(".txt"), true},
        // An over-long "/" and an encoded surrogate are not UTF-8: each byte stays a byte.
        {"\xC0\xAF", QString(QChar(char16_t(0xDCC0))) + QChar(char16_t(0xDCAF)), true},
        {"\xED\xB3\xBF", QString(QChar(char16_t(0xDCED))) + QChar(char16_t(0xDCB3)) + QChar(char16_t(0xDCBF)), true},
        {"a\xE2\x82", QStringLiteral("a") + QChar(char16_t(0xDCE2)) + QChar(char16_t(0xDC82)), true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.bytes.toHex().toStdString());
        const QString text = pathcodec::decode(c.bytes);
        EXPECT_EQ(text, c.decoded);
        EXPECT_EQ(pathcodec::hasRawBytes(text), c.raw);
        EXPECT_EQ(pathcodec::encode(text), c.bytes);
        EXPECT_EQ(QByteArray(pathcodec::NativePath(text).c_str()), c.bytes);
    }
    // Names around the length kept on the stack, plain and not.
    for (const QByteArray &bytes : {QByteArray(255, 'a'), QByteArray(256, 'b'), QByteArray(300, 'c'),
                                    QByteArray(254, 'd') + "\xC3\xA9", QByteArray(200, 'e') + "\xFF"}) {
        SCOPED_TRACE(bytes.size());
        const QString text = pathcodec::decode(bytes);
        EXPECT_EQ(pathcodec::encode(text), bytes);
        EXPECT_EQ(QByteArray(pathcodec::NativePath(text).c_str()), bytes);
    }
    for (int b = 0; b < 256; ++b) {
        const QByteArray one(1, char(b));
        EXPECT_EQ(pathcodec::encode(pathcodec::decode(one)), one) << b;
    }
}

// The same through the file system: a folder's raw names decode and encode back to files that
// open, and the U+FFFD file next to the 0xFF one stays apart.
TEST(PathCodec, NamesFromAFolderOpenTheSameFile)
{
    QTemporaryDir tmp;
    for (const char *name : {"n\xFF", "n\xEF\xBF\xBD"}) {
        const int fd = ::open((QFile::encodeName(tmp.path()) + '/' + name).constData(), O_WRONLY | O_CREAT, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::write(fd, name, std::strlen(name)), ssize_t(std::strlen(name)));
        ::close(fd);
    }
    DIR *dir = ::opendir(QFile::encodeName(tmp.path()).constData());
    ASSERT_NE(dir, nullptr);
    int seen = 0;
    while (const dirent *d = ::readdir(dir)) {
        if (d->d_name[0] == '.')
            continue;
        const QString name = pathcodec::decode(d->d_name);
        const QByteArray path = pathcodec::encode(tmp.path() + u'/' + name);
        const int fd = ::open(path.constData(), O_RDONLY);
        ASSERT_GE(fd, 0);
        char buf[16] = {};
        const ssize_t n = ::read(fd, buf, sizeof buf);
        ::close(fd);
        EXPECT_EQ(QByteArray(buf, n), QByteArray(d->d_name));
        ++seen;
    }
    ::closedir(dir);
    EXPECT_EQ(seen, 2);
    for (const char *name : {"n\xFF", "n\xEF\xBF\xBD"})
        ::unlink((QFile::encodeName(tmp.path()) + '/' + name).constData());
}

TEST(PathCodec, PrintableEscapesWhatWouldBreakALine)
{
    const struct {
        QString text;
        QString shown;
    } cases[] = {
        {QStringLiteral("a\nRow 2: b"), QStringLiteral("a\\nRow 2: b")},
        {QStringLiteral("t\tr\r"), QStringLiteral("t\\tr\\r")},
        {QString(QStringLiteral("nul")) + QChar(0) + QStringLiteral("end"), QStringLiteral("nul\\0end")},
        {QStringLiteral("esc\x1B[31m"), QStringLiteral("esc\\x1b[31m")},
        {QStringLiteral("next\u0085line\u2028"), QStringLiteral("next\\x85line\\u2028")},
        {QStringLiteral("n") + QChar(char16_t(0xDCFF)), QStringLiteral("n\\xff")},
        {QStringLiteral("caf\u00E9 \\ ok"), QStringLiteral("caf\u00E9 \\ ok")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.shown.toStdString());
        EXPECT_EQ(pathcodec::printable(c.text), c.shown);
    }
}

// A leading U+FEFF (EF BB BF) is part of a name, never dropped as a byte-order mark: "\uFEFFa"
// and "a" are two names, both as given and as listed.
TEST(PathCodec, ALeadingZeroWidthNoBreakSpaceIsKept)
{
    for (const QByteArray &bytes : {QByteArray("\xEF\xBB\xBF" "a"), QByteArray("\xEF\xBB\xBF"),
                                    QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF" "b"), QByteArray("\xEF\xBB\xBF" "c\xFF")}) {
        SCOPED_TRACE(bytes.toHex().toStdString());
        const QString text = pathcodec::decode(bytes);
        EXPECT_TRUE(text.startsWith(QChar(0xFEFF)));
        EXPECT_EQ(pathcodec::encode(text), bytes);
    }
    EXPECT_NE(pathcodec::decode("\xEF\xBB\xBF" "a"), pathcodec::decode("a"));
}
