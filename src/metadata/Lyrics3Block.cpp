#include "Lyrics3Block.h"

#include <QRegularExpression>

namespace metadata {

namespace {

const QByteArray Begin("LYRICSBEGIN");

bool allDigits(const QByteArray &bytes, qsizetype length)
{
    if (bytes.size() != length)
        return false;
    for (char c : bytes)
        if (c < '0' || c > '9')
            return false;
    return true;
}

QString unescape(QString data)
{
    data.replace(QLatin1String("[CR][LF]"), QLatin1String("\r\n"));
    data.replace(QLatin1String("[CR]"), QLatin1String("\r"));
    data.replace(QLatin1String("[LF]"), QLatin1String("\n"));
    return data;
}

} // namespace

Lyrics3Block Lyrics3Block::read(ByteSource &source, qint64 end)
{
    Lyrics3Block block;
    if (end < 9)
        return block;
    const QByteArray trailer = source.read(end - 9, 9);
    if (trailer == "LYRICSEND") {
        block.version = 1;
        const qint64 stop = end - 9;
        const qint64 start = qMax<qint64>(0, stop - Version1Window);
        const QByteArray window = source.read(start, stop - start);
        const qsizetype at = window.lastIndexOf(Begin);
        if (at >= 0)
            block.lyrics = QString::fromLatin1(window.mid(at + Begin.size()));
        return block;
    }
    if (trailer != "LYRICS200")
        return block;
    block.version = 2;
    if (end < 15)
        return block;
    const QByteArray digits = source.read(end - 15, 6);
    if (!allDigits(digits, 6))
        return block;
    const qint64 size = digits.toLongLong();
    const qint64 start = end - 15 - size;
    if (start < 0)
        return block;
    const QByteArray data = source.read(start, size);
    if (!data.startsWith(Begin))
        return block;
    block.blockBytes = size + 15;
    qsizetype pos = Begin.size();
    while (pos + 8 <= data.size()) {
        const QByteArray id = data.mid(pos, 3);
        const QByteArray length = data.mid(pos + 3, 5);
        if (!allDigits(length, 5))
            break;
        const qint64 n = length.toLongLong();
        block.fields.emplace_back(id, unescape(QString::fromLatin1(data.mid(pos + 8, n))));
        pos += 8 + n;
    }
    return block;
}

QString Lyrics3Block::removeTimestamps(const QString &lyrics)
{
    static const QRegularExpression stamp(QStringLiteral("\\[[0-9]+:[0-9]+\\]"));
    return QString(lyrics).remove(stamp);
}

} // namespace metadata
