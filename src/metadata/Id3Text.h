#pragma once
/**
 * Text inside ID3v2 frames: resynchronisation and the four text encodings (0 ISO-8859-1,
 * 1 UTF-16 with byte-order marks, 2 UTF-16 big-endian, 3 UTF-8). Bytes outside a decoded
 * encoding stand for the characters of the same code (ISO-8859-1).
 */
#include <QByteArray>
#include <QString>

namespace metadata {

/** The byte at `i` as a number from 0 to 255. */
inline unsigned byteAt(const QByteArray &bytes, qsizetype i)
{
    return static_cast<unsigned char>(bytes[i]);
}

/** `text` up to its first NUL character. */
inline QString cutAtNul(const QString &text)
{
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}

} // namespace metadata

namespace metadata::id3text {

/** Removes every 0x00 byte that directly follows a 0xFF byte. */
QByteArray resynchronise(const QByteArray &bytes);

/** UTF-16 whose pieces each follow a byte-order mark (FF FE little-endian, FE FF big-endian);
 *  the marks are dropped, bytes before the first mark stand for themselves, an odd last byte
 *  is dropped. */
QString decodeUtf16WithMarks(const QByteArray &bytes);

/** UTF-16 big-endian without a mark. */
QString decodeUtf16BigEndian(const QByteArray &bytes);

/** Whether the first byte of a frame's content names an encoding the revision knows. */
bool hasEncodingByte(const QByteArray &content, int revision);

/** Decodes bytes in a known encoding (0 to 3). */
QString decode(const QByteArray &bytes, int encoding);

/** A frame's content as text: a known encoding byte is dropped and the rest decoded; any other
 *  content (URL frames among them) is taken whole, one character per byte. */
QString decodeFrameText(const QByteArray &content, int revision);

/** A comment-style frame (language, description, text). */
struct DescribedText {
    bool hasDescription = false;
    QString text; ///< the text after the description, cut before its first NUL
};
DescribedText decodeDescribedText(const QByteArray &content, int revision);

} // namespace metadata::id3text
