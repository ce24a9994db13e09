#pragma once
// Byte builders for the reader tests: JPEG pictures with an EXIF block in either byte order,
// ID3v2 / ID3v1 tags, Lyrics3 blocks and MPEG audio frames, each field written as the formats
// lay it out.
#include <QByteArray>
#include <QString>

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace bytes {

inline QByteArray u8(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out += char(v & 0xFF);
    return out;
}

inline QByteArray bigEndian(std::uint64_t v, int width)
{
    QByteArray out(width, '\0');
    for (int i = width - 1; i >= 0; --i, v >>= 8)
        out[i] = char(v & 0xFF);
    return out;
}

inline QByteArray synchsafe(std::uint32_t v)
{
    return u8({int((v >> 21) & 0x7F), int((v >> 14) & 0x7F), int((v >> 7) & 0x7F), int(v & 0x7F)});
}

// ---------------------------------------------------------------- EXIF

enum class Ifd { Zero, Exif, Gps, Interop };

/** A TIFF block with IFD0 and, when they have entries, an Exif IFD, a GPS IFD (pointed to from
 *  IFD0) and an Interoperability IFD (pointed to from the Exif IFD), laid out header, IFD0, Exif,
 *  GPS and Interoperability IFDs, value data; values over four bytes go to the data area. */
class ExifBuilder {
public:
    explicit ExifBuilder(bool intel)
        : m_intel(intel)
    {
    }

    QByteArray n16(std::uint32_t v) const
    {
        QByteArray b = bigEndian(v, 2);
        if (m_intel)
            std::reverse(b.begin(), b.end());
        return b;
    }
    QByteArray n32(std::uint32_t v) const
    {
        QByteArray b = bigEndian(v, 4);
        if (m_intel)
            std::reverse(b.begin(), b.end());
        return b;
    }

    /** An entry with its value bytes as stored (already in the block's byte order). */
    ExifBuilder &entry(Ifd ifd, int tag, int type, std::uint32_t count, const QByteArray &value)
    {
        list(ifd).push_back({tag, type, count, value, false});
        return *this;
    }
    /** An entry whose 4-byte value field is given literally (bogus offsets, odd counts). */
    ExifBuilder &rawEntry(Ifd ifd, int tag, int type, std::uint32_t count, std::uint32_t field)
    {
        list(ifd).push_back({tag, type, count, n32(field), true});
        return *this;
    }
    ExifBuilder &ascii(Ifd ifd, int tag, const QByteArray &text)
    {
        QByteArray v = text;
        v += '\0';
        return entry(ifd, tag, 2, std::uint32_t(v.size()), v);
    }
    ExifBuilder &shortValue(Ifd ifd, int tag, std::uint32_t v)
    {
        return entry(ifd, tag, 3, 1, n16(v));
    }
    ExifBuilder &longValue(Ifd ifd, int tag, std::uint32_t v)
    {
        return entry(ifd, tag, 4, 1, n32(v));
    }
    ExifBuilder &rational(
        Ifd ifd, int tag, std::vector<std::pair<std::uint32_t, std::uint32_t>> values, int type = 5)
    {
        QByteArray v;
        for (auto [n, d] : values)
            v += n32(n) + n32(d);
        return entry(ifd, tag, type, std::uint32_t(values.size()), v);
    }
    ExifBuilder &undefined(Ifd ifd, int tag, const QByteArray &v)
    {
        return entry(ifd, tag, 7, std::uint32_t(v.size()), v);
    }
    /** Leaves out the ExifOffset entry even when the Exif IFD has entries. */
    ExifBuilder &withoutExifPointer()
    {
        m_pointer = false;
        return *this;
    }

    /** The TIFF block. */
    QByteArray tiff() const
    {
        const bool hasExif = (!m_exif.empty() || !m_interop.empty()) && m_pointer;
        const bool hasGps = !m_gps.empty();
        const bool hasInterop = hasExif && !m_interop.empty();
        auto ifdSize = [](std::size_t entries) { return 2 + 12 * std::uint32_t(entries) + 4; };
        const std::uint32_t ifd0Size = ifdSize(m_ifd0.size() + (hasExif ? 1 : 0) + (hasGps ? 1 : 0));
        const std::uint32_t exifAt = 8 + ifd0Size;
        const std::uint32_t exifSize = hasExif ? ifdSize(m_exif.size() + (hasInterop ? 1 : 0)) : 0;
        const std::uint32_t gpsAt = exifAt + exifSize;
        const std::uint32_t gpsSize = hasGps ? ifdSize(m_gps.size()) : 0;
        const std::uint32_t interopAt = gpsAt + gpsSize;
        const std::uint32_t interopSize = hasInterop ? ifdSize(m_interop.size()) : 0;
        std::uint32_t dataAt = interopAt + interopSize;
        QByteArray data;
        auto writeIfd = [&](std::vector<Item> all) {
            QByteArray out = n16(std::uint32_t(all.size()));
            for (const Item &it : all) {
                out += n16(std::uint32_t(it.tag)) + n16(std::uint32_t(it.type)) + n32(it.count);
                if (it.literal || it.value.size() <= 4) {
                    QByteArray v = it.value;
                    v.append(4 - qMin<qsizetype>(4, v.size()), '\0');
                    out += v.left(4);
                } else {
                    out += n32(dataAt + std::uint32_t(data.size()));
                    data += it.value;
                    if (data.size() % 2)
                        data += '\0';
                }
            }
            return out + n32(0);
        };
        QByteArray out = m_intel ? QByteArray("II") + n16(42) : QByteArray("MM") + n16(42);
        out += n32(8);
        std::vector<Item> ifd0 = m_ifd0;
        if (hasExif)
            ifd0.push_back({34665, 4, 1, n32(exifAt), true});
        if (hasGps)
            ifd0.push_back({34853, 4, 1, n32(gpsAt), true});
        out += writeIfd(ifd0);
        if (hasExif) {
            std::vector<Item> exif = m_exif;
            if (hasInterop)
                exif.push_back({40965, 4, 1, n32(interopAt), true});
            out += writeIfd(exif);
        }
        if (hasGps)
            out += writeIfd(m_gps);
        if (hasInterop)
            out += writeIfd(m_interop);
        return out + data;
    }

    /** A JPEG: start of image, the APP1 segment with the block, end of image. */
    QByteArray jpeg() const { return jpegAround(tiff()); }

    static QByteArray jpegAround(const QByteArray &tiff)
    {
        QByteArray app1 = QByteArray("Exif\0\0", 6) + tiff;
        return u8({0xFF, 0xD8, 0xFF, 0xE1}) + bigEndian(std::uint64_t(app1.size() + 2), 2) + app1
            + u8({0xFF, 0xD9});
    }

private:
    struct Item {
        int tag;
        int type;
        std::uint32_t count;
        QByteArray value;
        bool literal;
    };
    std::vector<Item> &list(Ifd ifd)
    {
        switch (ifd) {
        case Ifd::Zero: return m_ifd0;
        case Ifd::Exif: return m_exif;
        case Ifd::Gps: return m_gps;
        default: return m_interop;
        }
    }

    bool m_intel;
    bool m_pointer = true;
    std::vector<Item> m_ifd0;
    std::vector<Item> m_exif;
    std::vector<Item> m_gps;
    std::vector<Item> m_interop;
};

// ---------------------------------------------------------------- ID3v2

/** Text in an ID3 encoding, with the encoding byte in front. */
inline QByteArray encodedText(int encoding, const QString &text, bool bigEndianMark = false)
{
    QByteArray out(1, char(encoding));
    switch (encoding) {
    case 0: return out + text.toLatin1();
    case 1: {
        QByteArray units;
        for (QChar c : text) {
            const int u = c.unicode();
            units += bigEndianMark ? u8({u >> 8, u}) : u8({u, u >> 8});
        }
        return out + (bigEndianMark ? u8({0xFE, 0xFF}) : u8({0xFF, 0xFE})) + units;
    }
    case 2: {
        for (QChar c : text)
            out += u8({c.unicode() >> 8, c.unicode()});
        return out;
    }
    default: return out + text.toUtf8();
    }
}

/** One frame: revision 2 has a 3-byte id and size, revision 3 a 4-byte big-endian size,
 *  revision 4 a synchsafe size; `format` is the second flags byte. */
inline QByteArray frame(
    int revision, const QByteArray &id, const QByteArray &content, int format = 0)
{
    if (revision == 2)
        return id + bigEndian(std::uint64_t(content.size()), 3) + content;
    const QByteArray size = revision == 3 ? bigEndian(std::uint64_t(content.size()), 4)
                                          : synchsafe(std::uint32_t(content.size()));
    return id + size + u8({0, format}) + content;
}

/** A tag: header (flags byte as given, synchsafe body size) and body. */
inline QByteArray tag(int revision, const QByteArray &body, int flags = 0)
{
    return QByteArray("ID3") + u8({revision, 0, flags}) + synchsafe(std::uint32_t(body.size()))
        + body;
}

/** Unsynchronisation: a zero byte after every 0xFF. */
inline QByteArray unsynchronise(const QByteArray &in)
{
    QByteArray out;
    for (char c : in) {
        out += c;
        if (static_cast<unsigned char>(c) == 0xFF)
            out += '\0';
    }
    return out;
}

// ---------------------------------------------------------------- ID3v1, Lyrics3

inline QByteArray padded(const QByteArray &text, int width)
{
    QByteArray out = text.left(width);
    out.append(width - out.size(), '\0');
    return out;
}

inline QByteArray id3v1(const QByteArray &title, const QByteArray &artist, const QByteArray &album,
    const QByteArray &year, const QByteArray &comment, int track, int genre)
{
    QByteArray out = QByteArray("TAG") + padded(title, 30) + padded(artist, 30) + padded(album, 30)
        + padded(year, 4);
    if (track > 0)
        out += padded(comment, 28) + u8({0, track});
    else
        out += padded(comment, 30);
    return out + u8({genre});
}

inline QByteArray lyrics3v1(const QByteArray &lyrics)
{
    return "LYRICSBEGIN" + lyrics + "LYRICSEND";
}

inline QByteArray lyrics3v2(const std::vector<std::pair<QByteArray, QByteArray>> &fields)
{
    QByteArray block = "LYRICSBEGIN";
    for (const auto &[id, data] : fields)
        block += id + QByteArray::number(data.size()).rightJustified(5, '0') + data;
    return block + QByteArray::number(block.size()).rightJustified(6, '0') + "LYRICS200";
}

// ---------------------------------------------------------------- MPEG

/** A frame: the sync byte, three header bytes, then `size` - 4 zero bytes. */
inline QByteArray mpegFrame(int b1, int b2, int b3, int size = 417)
{
    QByteArray out = u8({0xFF, b1, b2, b3});
    out.append(size - 4, '\0');
    return out;
}

/** MPEG 1 Layer III, 128 kbit/s, 44100 Hz, joint stereo (side information 32 bytes). */
inline QByteArray mpeg1Layer3Frame(int size = 417)
{
    return mpegFrame(0xFB, 0x90, 0x40, size);
}

/** The first frame of a VBR stream with a "Xing" / "Info" header (MPEG 1, stereo). */
inline QByteArray xingFrame(const QByteArray &tag, int flags, std::uint32_t frames,
    std::uint32_t bytes, std::uint32_t quality)
{
    QByteArray out = u8({0xFF, 0xFB, 0x90, 0x40});
    out.append(32, '\0');
    out += tag + bigEndian(std::uint32_t(flags), 4);
    if (flags & 1)
        out += bigEndian(frames, 4);
    if (flags & 2)
        out += bigEndian(bytes, 4);
    if (flags & 4)
        out += QByteArray(100, 'T');
    if (flags & 8)
        out += bigEndian(quality, 4);
    out.append(417 - out.size(), '\0');
    return out;
}

/** The first frame of a VBR stream with a "VBRI" header at offset 36. */
inline QByteArray vbriFrame(
    std::uint32_t frames, std::uint32_t bytes, int quality, int entries, int entrySize)
{
    QByteArray out = u8({0xFF, 0xFB, 0x90, 0x40});
    out.append(32, '\0');
    out += QByteArray("VBRI") + bigEndian(1, 2) + bigEndian(0, 2)
        + bigEndian(std::uint32_t(quality), 2) + bigEndian(bytes, 4) + bigEndian(frames, 4)
        + bigEndian(std::uint32_t(entries), 2) + bigEndian(1, 2)
        + bigEndian(std::uint32_t(entrySize), 2) + bigEndian(1, 2);
    out.append(417 - out.size(), '\0');
    return out;
}

} // namespace bytes
