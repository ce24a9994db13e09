#include "Id3Text.h"

#include "UTF8Decode.h"

namespace metadata::id3text {

namespace {

bool isMark(const QByteArray &bytes, qsizetype i)
{
    if (i + 1 >= bytes.size())
        return false;
    const unsigned a = byteAt(bytes, i);
    const unsigned b = byteAt(bytes, i + 1);
    return (a == 0xFF && b == 0xFE) || (a == 0xFE && b == 0xFF);
}

} // namespace

QByteArray resynchronise(const QByteArray &bytes)
{
    QByteArray out;
    out.reserve(bytes.size());
    bool afterFF = false;
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (!(afterFF && b == 0x00))
            out += c;
        afterFF = b == 0xFF;
    }
    return out;
}

QString decodeUtf16WithMarks(const QByteArray &bytes)
{
    qsizetype pos = 0;
    while (pos < bytes.size() && !isMark(bytes, pos))
        ++pos;
    QString out = QString::fromLatin1(bytes.left(pos));
    bool littleEndian = true;
    while (pos + 1 < bytes.size()) {
        if (isMark(bytes, pos)) {
            littleEndian = byteAt(bytes, pos) == 0xFF;
            pos += 2;
            continue;
        }
        const unsigned a = byteAt(bytes, pos);
        const unsigned b = byteAt(bytes, pos + 1);
        out.append(QChar(char16_t(littleEndian ? a | (b << 8) : (a << 8) | b)));
        pos += 2;
    }
    return out;
}

QString decodeUtf16BigEndian(const QByteArray &bytes)
{
    QString out;
    out.reserve(bytes.size() / 2);
    for (qsizetype pos = 0; pos + 1 < bytes.size(); pos += 2)
        out.append(QChar(char16_t((byteAt(bytes, pos) << 8) | byteAt(bytes, pos + 1))));
    return out;
}

bool hasEncodingByte(const QByteArray &content, int revision)
{
    if (content.isEmpty())
        return false;
    const unsigned e = byteAt(content, 0);
    return e == 0 || e == 1 || (revision >= 4 && (e == 2 || e == 3));
}

QString decode(const QByteArray &bytes, int encoding)
{
    switch (encoding) {
    case 1:
        return decodeUtf16WithMarks(bytes);
    case 2:
        return decodeUtf16BigEndian(bytes);
    case 3:
        return UTF8Decode(bytes);
    default:
        return QString::fromLatin1(bytes);
    }
}

QString decodeFrameText(const QByteArray &content, int revision)
{
    if (!hasEncodingByte(content, revision))
        return QString::fromLatin1(content);
    return decode(content.mid(1), int(byteAt(content, 0)));
}

DescribedText decodeDescribedText(const QByteArray &content, int revision)
{
    DescribedText result;
    if (!hasEncodingByte(content, revision)) {
        // No known encoding: the bytes stand for themselves after the language code.
        QString rest = QString::fromLatin1(content).mid(3);
        result.hasDescription = !rest.startsWith(QChar(0));
        result.text = cutAtNul(result.hasDescription ? rest : rest.mid(1));
        return result;
    }
    const int encoding = int(byteAt(content, 0));
    const QByteArray rest = content.mid(4); // encoding byte and language code
    const bool wide = encoding == 1 || encoding == 2;
    qsizetype end = -1;
    if (wide) {
        for (qsizetype i = 0; i + 1 < rest.size(); i += 2)
            if (rest[i] == 0 && rest[i + 1] == 0) {
                end = i;
                break;
            }
    } else {
        end = rest.indexOf('\0');
    }
    const QByteArray description = end < 0 ? rest : rest.left(end);
    const QByteArray text = end < 0 ? QByteArray() : rest.mid(end + (wide ? 2 : 1));
    result.hasDescription = !cutAtNul(decode(description, encoding)).isEmpty();
    result.text = cutAtNul(decode(text, encoding));
    return result;
}

} // namespace metadata::id3text
