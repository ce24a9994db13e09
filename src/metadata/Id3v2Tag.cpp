#include "Id3v2Tag.h"

#include "Id3Text.h"

#include <limits>

namespace metadata {

namespace {

/** Removes the frame-header additions and undoes unsynchronisation; false when the content
 *  is compressed or encrypted. */
bool unwrapContent(Id3v2Frame &frame, int revision, unsigned format, bool tagUnsynchronised)
{
    qsizetype extra = 0;
    if (revision == 3) {
        if (format & 0x80 || format & 0x40) // compressed, encrypted
            return false;
        if (format & 0x20) // grouping identity
            extra += 1;
    } else {
        if (format & 0x08 || format & 0x04) // compressed, encrypted
            return false;
        if (format & 0x40) // grouping identity
            extra += 1;
        if (format & 0x01) // data-length indicator
            extra += 4;
    }
    frame.content = frame.content.mid(extra);
    if (revision >= 4 && (format & 0x02 || tagUnsynchronised))
        frame.content = id3text::resynchronise(frame.content);
    return true;
}

} // namespace

std::optional<Id3v2Header> Id3v2Tag::parseHeader(const QByteArray &bytes)
{
    if (bytes.size() < HeaderSize || !bytes.startsWith("ID3") || byteAt(bytes, 3) == 0xFF
        || byteAt(bytes, 4) == 0xFF)
        return std::nullopt;
    for (int i = 6; i < 10; ++i)
        if (byteAt(bytes, i) >= 0x80)
            return std::nullopt;
    Id3v2Header h;
    h.revision = int(byteAt(bytes, 3));
    const unsigned flags = byteAt(bytes, 5);
    h.unsynchronisation = flags & 0x80;
    if (h.revision <= 2)
        h.compression = flags & 0x40;
    else
        h.extendedHeader = flags & 0x40;
    h.footer = h.revision >= 4 && (flags & 0x10);
    h.size = synchsafe(bytes, 6);
    return h;
}

qint64 Id3v2Tag::bigEndian(const QByteArray &bytes, qsizetype pos, int length)
{
    qint64 v = 0;
    for (int i = 0; i < length; ++i)
        v = (v << 8) | byteAt(bytes, pos + i);
    return v;
}

qint64 Id3v2Tag::synchsafe(const QByteArray &bytes, qsizetype pos)
{
    qint64 v = 0;
    for (int i = 0; i < 4; ++i)
        v = (v << 7) | (byteAt(bytes, pos + i) & 0x7F);
    return v;
}

bool Id3v2Tag::isForeignMarker(const QByteArray &body, qsizetype pos)
{
    static constexpr QByteArrayView mark("MP3ext V\0\0\0", 11);
    static constexpr QByteArrayView unicode("(unicode)");
    static constexpr QByteArrayView tail("unicode)");
    const QByteArrayView rest = QByteArrayView(body).sliced(qMin(pos, body.size()));
    qsizetype k = 0;
    for (qsizetype len = mark.size(); len >= 1; --len)
        if (rest.startsWith(mark.last(len))) {
            k = len;
            break;
        }
    qsizetype q = k;
    while (q < rest.size() && ((rest[q] >= '0' && rest[q] <= '9') || rest[q] == '.'))
        ++q;
    if (rest.sliced(q).startsWith(unicode))
        return true;
    for (qsizetype len = tail.size(); len >= 1; --len)
        if (rest.first(qMin(len, rest.size())) == tail.last(len))
            return true;
    return false;
}

void Id3v2Tag::walkFrames(const Id3v2Header &header, QByteArray body, const FrameFilter &wanted,
                          const FrameVisitor &visit)
{
    if (header.compression)
        return;
    const int revision = header.revision;
    if (header.unsynchronisation && revision < 4)
        body = id3text::resynchronise(body);
    if (header.extendedHeader && body.size() >= 4) {
        const qint64 size = revision == 3 ? bigEndian(body, 0, 4) + 4 : synchsafe(body, 0);
        body = size < body.size() ? body.mid(size) : QByteArray();
    } else if (header.extendedHeader) {
        body.clear();
    }

    const qsizetype idLength = revision <= 2 ? 3 : 4;
    const qsizetype headerLength = revision <= 2 ? 6 : 10;
    qsizetype pos = 0;
    while (pos + headerLength <= body.size()) {
        const QByteArrayView id = QByteArrayView(body).sliced(pos, idLength);
        if (id.count('\0') == idLength || isForeignMarker(body, pos))
            break;
        qint64 size = 0;
        if (revision <= 2)
            size = bigEndian(body, pos + 3, 3);
        else if (revision == 3)
            size = bigEndian(body, pos + 4, 4);
        else
            size = synchsafe(body, pos + 4);
        const qint64 total = headerLength + size;
        if (total > std::numeric_limits<std::int32_t>::max())
            break;
        if (wanted(id)) {
            const qint64 available = body.size() - pos - headerLength;
            Id3v2Frame frame{id.toByteArray(), body.mid(pos + headerLength, qMin(size, available)),
                             false};
            if (revision >= 3)
                frame.opaque = !unwrapContent(frame, revision, byteAt(body, pos + 9),
                                              header.unsynchronisation);
            if (frame.opaque)
                frame.content.clear();
            visit(frame);
        }
        pos += total;
    }
}

} // namespace metadata
