#include "Id3TagWriter.h"

#include "Id3FrameTable.h"
#include "Id3Text.h"
#include "Id3v2Tag.h"
#include "VbConvert.h"
#include "clsID3.h"

#include <QUrl>

#include <array>
#include <string_view>
#include <vector>

namespace metadata {

namespace {

// The frames the writer fills, in the order missing ones are appended.
constexpr std::array<std::string_view, 38> FrameIds34{
    "APIC", "COMM", "TALB", "TBPM", "TCOM", "TCON", "TCOP", "TENC", "TEXT", "TIT2",
    "TKEY", "TLAN", "TOAL", "TOFN", "TOLY", "TOPE", "TORY", "TOWN", "TPE1", "TPE2",
    "TPE3", "TPE4", "TPOS", "TPUB", "TRCK", "TRSN", "TRSO", "TSRC", "TYER", "USLT",
    "WCOM", "WCOP", "WOAF", "WOAR", "WOAS", "WORS", "WPAY", "WPUB"};
constexpr std::array<std::string_view, 33> FrameIds22{
    "COM", "PIC", "TAL", "TBP", "TCM", "TCO", "TCR", "TEN", "TXT", "TT2", "TKE",
    "TLA", "TOT", "TOF", "TOL", "TOA", "TOR", "TP1", "TP2", "TP3", "TP4", "TPA",
    "TPB", "TRK", "TRC", "TYE", "ULT", "WCM", "WCP", "WAF", "WAR", "WAS", "WPB"};
constexpr std::array<std::string_view, 5> LyricsFieldIds{"LYR", "AUT", "EAL", "EAR", "ETT"};

constexpr qint64 LyricsFieldLimit = 250;
constexpr qint64 Synchsafe28 = qint64(1) << 28;

QByteArray bigEndianBytes(qint64 v, int length)
{
    QByteArray out(length, '\0');
    for (int i = length - 1; i >= 0; --i, v >>= 8)
        out[i] = char(v & 0xFF);
    return out;
}

QByteArray synchsafeBytes(qint64 v)
{
    QByteArray out(4, '\0');
    for (int i = 3; i >= 0; --i, v >>= 7)
        out[i] = char(v & 0x7F);
    return out;
}

bool isDigits(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return false;
    for (char c : bytes)
        if (c < '0' || c > '9')
            return false;
    return true;
}

/** An ordered set of ids still to be written; ids compare without regard to letter case. */
class PendingIds {
public:
    template <std::size_t N>
    explicit PendingIds(const std::array<std::string_view, N> &ids)
    {
        for (std::string_view id : ids)
            m_ids.push_back(QByteArray(id.data(), qsizetype(id.size())));
    }
    /** The id as listed, or "" when it is not pending. */
    QByteArray find(const QByteArray &id) const
    {
        for (const QByteArray &p : m_ids)
            if (p.compare(id, Qt::CaseInsensitive) == 0)
                return p;
        return {};
    }
    void take(const QByteArray &id)
    {
        std::erase_if(m_ids, [&](const QByteArray &p) {
            return p.compare(id, Qt::CaseInsensitive) == 0;
        });
    }
    void replace(std::string_view from, std::string_view to)
    {
        for (QByteArray &p : m_ids)
            if (p == QByteArrayView(from.data(), qsizetype(from.size())))
                p = QByteArray(to.data(), qsizetype(to.size()));
    }
    const std::vector<QByteArray> &ids() const { return m_ids; }

private:
    std::vector<QByteArray> m_ids;
};

bool fitsLatin1(const QString &text)
{
    for (QChar c : text)
        if (c.unicode() > 0xFF)
            return false;
    return true;
}

QByteArray utf16WithMark(const QString &text)
{
    QByteArray out("\xFF\xFE", 2);
    for (QChar c : text) {
        out += char(c.unicode() & 0xFF);
        out += char(c.unicode() >> 8);
    }
    return out;
}

QByteArray textBody(const QString &value)
{
    if (fitsLatin1(value))
        return QByteArray(1, '\0') + value.toLatin1();
    return QByteArray(1, '\1') + utf16WithMark(value);
}

QByteArray commentBody(const QString &value)
{
    if (fitsLatin1(value))
        return QByteArray("\0eng\0", 5) + value.toLatin1();
    return QByteArray("\1eng", 4) + utf16WithMark(QString()) + QByteArray(2, '\0')
        + utf16WithMark(value);
}

/** URLs are ISO-8859-1 without an encoding byte; other characters go as UTF-8 escapes. */
QByteArray urlBody(const QString &value)
{
    QByteArray out;
    for (QChar c : value) {
        if (c.unicode() <= 0xFF)
            out += char(c.unicode());
        else
            out += QUrl::toPercentEncoding(QString(c));
    }
    return out;
}

/** "number" or "number/total" of a track or disc pair. */
QString numberPair(const QString &number, const QString &total)
{
    if (number.isEmpty())
        return {};
    return total.isEmpty() ? number : number + u'/' + total;
}

QString genreFrameText(const clsID3 &tags)
{
    const std::int32_t id = tags.GenreID();
    const QString number = id == -2 ? QStringLiteral("CR")
        : id == -1                  ? QStringLiteral("RX")
        : id < 0 || id > 255        ? QStringLiteral("255")
                                    : QString::number(id);
    const QString genre = tags.Genre();
    const QString lower = genre.trimmed().toLower();
    if (!lower.isEmpty() && (id == 12 || id == 255))
        return genre;
    if (!lower.isEmpty() && lower != u"other" && lower != u"unknown")
        return u'(' + number + u')' + genre;
    return u'(' + number + u')';
}

const MultiFrameData *collectionOf(const clsID3 &tags, Id3Collection c)
{
    switch (c) {
    case Id3Collection::CommercialInfo: return &tags.CommercialInfo();
    case Id3Collection::ArtistURL: return &tags.ArtistURL();
    case Id3Collection::AttachedPictures: return &tags.AttachedPictures();
    default: return nullptr;
    }
}

/** Builds the frames of one tag. */
class FrameBuilder {
public:
    FrameBuilder(const clsID3 &tags, int revision) : m_tags(tags), m_revision(revision) {}

    const Id3FrameKind *kind(const QByteArray &id) const
    {
        return findId3Frame(std::string_view(id.constData(), size_t(id.size())), m_revision);
    }

    /** The body of the frame `id` (item `k` of a collection); "" when the value is empty. */
    QByteArray body(const QByteArray &id, std::int32_t k = 0) const
    {
        const Id3FrameKind *row = kind(id);
        if (!row)
            return {};
        switch (row->rule) {
        case Id3FrameRule::Described: {
            const QString v = m_tags.text(row->field);
            return v.isEmpty() ? QByteArray() : commentBody(v);
        }
        case Id3FrameRule::GenreText:
            if (m_tags.Genre().trimmed().isEmpty() && m_tags.GenreID() == 255)
                return {}; // no genre at all: no frame rather than "(255)"
            return textBody(genreFrameText(m_tags));
        case Id3FrameRule::TrackParts:
            return bodyOf(id, numberPair(m_tags.TrackNumber(), m_tags.TracksTotal()));
        case Id3FrameRule::DiscParts:
            return bodyOf(id, numberPair(m_tags.DiscNumber(), m_tags.DiscsTotal()));
        case Id3FrameRule::CollectText:
        case Id3FrameRule::CollectBinary: {
            const MultiFrameData *items = collectionOf(m_tags, row->collection);
            if (k < 1 || k > items->Count())
                return {};
            const QString item = items->Item(k);
            if (item.isEmpty())
                return {};
            if (row->rule == Id3FrameRule::CollectText)
                return urlBody(item);
            const QByteArray read = m_tags.pictureContent(item);
            return read.isEmpty() ? QByteArray(1, '\0') + item.toLatin1() : read;
        }
        default:
            return bodyOf(id, m_tags.text(row->field));
        }
    }

    /** Header and body; sets the failure flag when the body is too large for the size field. */
    QByteArray frame(const QByteArray &id, const QByteArray &body)
    {
        const qint64 size = body.size();
        if (m_revision <= 2) {
            if (size >= (qint64(1) << 24))
                m_tooLarge = true;
            return id + bigEndianBytes(size, 3) + body;
        }
        if (m_revision >= 4 && size >= Synchsafe28)
            m_tooLarge = true;
        const QByteArray sizeBytes
            = m_revision == 3 ? bigEndianBytes(size, 4) : synchsafeBytes(size);
        return id + sizeBytes + QByteArray(2, '\0') + body;
    }

    bool tooLarge() const { return m_tooLarge; }

private:
    static QByteArray bodyOf(const QByteArray &id, const QString &value)
    {
        if (value.isEmpty())
            return {};
        return id.startsWith('W') ? urlBody(value) : textBody(value);
    }

    const clsID3 &m_tags;
    int m_revision;
    bool m_tooLarge = false;
};

/** A frame kind that may repeat, written from a collection. */
bool isCollected(const Id3FrameKind &row)
{
    return row.rule == Id3FrameRule::CollectText || row.rule == Id3FrameRule::CollectBinary;
}

bool isCommentStyle(const QByteArray &id)
{
    return id == "COMM" || id == "COM" || id == "USLT" || id == "ULT";
}

/** A frame's content without the header additions of its format flags; nullopt when it is
 *  compressed or encrypted. */
std::optional<QByteArray> plainContent(const QByteArray &content, int revision, unsigned format)
{
    if (revision == 3) {
        if (format & 0xC0)
            return std::nullopt;
        return content.mid(format & 0x20 ? 1 : 0);
    }
    if (revision >= 4) {
        if (format & 0x0C)
            return std::nullopt;
        return content.mid((format & 0x40 ? 1 : 0) + (format & 0x01 ? 4 : 0));
    }
    return content;
}

/** Revision 4: resynchronises an unsynchronised frame at `pos` in place and clears its
 *  unsynchronisation flag (and its data-length indicator when the frame is readable); returns
 *  the frame's new content size. */
qint64 resynchroniseFrame(QByteArray &data, qsizetype pos, qint64 size)
{
    unsigned format = byteAt(data, pos + 9);
    QByteArray content = id3text::resynchronise(data.mid(pos + 10, size));
    format &= ~0x02u;
    if ((format & 0x01) && !(format & 0x0C)) {
        content.remove(format & 0x40 ? 1 : 0, 4);
        format &= ~0x01u;
    }
    const QByteArray rewritten = data.mid(pos, 4) + synchsafeBytes(content.size())
        + data.mid(pos + 8, 1) + QByteArray(1, char(format)) + content;
    data.replace(pos, 10 + size, rewritten);
    return content.size();
}

QString lyricsFieldValue(const clsID3 &tags, const QByteArray &id)
{
    QString value;
    if (id == "EAL")
        value = tags.Album();
    else if (id == "EAR")
        value = tags.Artist();
    else if (id == "ETT")
        value = tags.Title();
    if (value.size() <= 30)
        return {};
    value = value.left(LyricsFieldLimit);
    value.replace(QStringLiteral("\r\n"), QStringLiteral("[CR][LF]"));
    value.replace(u'\r', QStringLiteral("[CR]"));
    value.replace(u'\n', QStringLiteral("[LF]"));
    return value;
}

QByteArray lyricsField(const QByteArray &id, const QString &value)
{
    const QByteArray data = value.toLatin1();
    return id + QByteArray::number(data.size()).rightJustified(5, '0') + data;
}

QByteArray fixedField(const QString &text, int width)
{
    QByteArray out = text.toLatin1().left(width);
    out.append(width - out.size(), '\0');
    return out;
}

} // namespace

Id3FileLayout Id3TagWriter::inspect(ByteSource &source)
{
    Id3FileLayout layout;
    const qint64 fileSize = source.size();
    if (const auto header = Id3v2Tag::parseHeader(source.read(0, Id3v2Tag::HeaderSize))) {
        const qint64 tagEnd = Id3v2Tag::HeaderSize + header->size + (header->footer ? 10 : 0);
        if (tagEnd > fileSize) {
            layout.error = QStringLiteral("The ID3v2 tag claims more bytes than the file holds.");
            return layout;
        }
        layout.audioStart = tagEnd;
        const int revision = header->revision;
        if (revision >= 2 && revision <= 4 && !header->compression) {
            layout.revision = revision;
            QByteArray body = source.read(Id3v2Tag::HeaderSize, header->size);
            if (header->unsynchronisation && revision < 4)
                body = id3text::resynchronise(body);
            layout.unsynchronised = header->unsynchronisation && revision >= 4;
            if (header->extendedHeader) {
                const qint64 skip = body.size() < 4 ? body.size()
                    : revision == 3                 ? Id3v2Tag::bigEndian(body, 0, 4) + 4
                                                    : Id3v2Tag::synchsafe(body, 0);
                body = skip < body.size() ? body.mid(skip) : QByteArray();
            }
            layout.frames = body;
        } else if (revision == 2) {
            layout.revision = 2;
        }
    }

    qint64 end = fileSize;
    if (fileSize >= 128 && source.read(fileSize - 128, 3) == "TAG")
        end -= 128;
    const QByteArray marker = end >= 9 ? source.read(end - 9, 9) : QByteArray();
    if (marker == "LYRICS200" && end >= 15) {
        const QByteArray digits = source.read(end - 15, 6);
        const qint64 n = isDigits(digits) ? digits.toLongLong() : -1;
        if (n >= 11 && n <= end - 15 && source.read(end - 15 - n, 11) == "LYRICSBEGIN") {
            layout.lyrics3Block = source.read(end - 15 - n, n);
            end -= 15 + n;
        }
    } else if (marker == "LYRICSEND") {
        const qint64 start = qMax<qint64>(0, end - 9 - 5111);
        const qsizetype at = source.read(start, end - 9 - start).lastIndexOf("LYRICSBEGIN");
        if (at >= 0)
            end = start + at;
    }
    layout.audioEnd = qMax(end, layout.audioStart);
    return layout;
}

std::optional<QByteArray> Id3TagWriter::buildId3v2(const clsID3 &tags, const Id3FileLayout &layout)
{
    const int revision = layout.revision;
    FrameBuilder frames(tags, revision);
    PendingIds pending = revision <= 2 ? PendingIds(FrameIds22) : PendingIds(FrameIds34);
    if (revision >= 4) {
        pending.replace("TORY", "TDOR");
        pending.replace("TYER", "TDRC");
    }

    const qsizetype idLength = revision <= 2 ? 3 : 4;
    const qsizetype headerLength = revision <= 2 ? 6 : 10;
    QByteArray data = layout.frames;
    QByteArray out;
    std::int32_t written[4] = {1, 1, 1, 1}; // the write counter of each collection
    qsizetype pos = 0;
    while (pos + headerLength <= data.size()) {
        const QByteArray id = data.mid(pos, idLength).toUpper();
        if (id.count('\0') == idLength || Id3v2Tag::isForeignMarker(data, pos))
            break;
        qint64 size = revision <= 2 ? Id3v2Tag::bigEndian(data, pos + 3, 3)
            : revision == 3         ? Id3v2Tag::bigEndian(data, pos + 4, 4)
                                    : Id3v2Tag::synchsafe(data, pos + 4);
        if (size > data.size() - pos - headerLength)
            break; // a frame running past the tag ends the frames
        if (revision >= 4 && (byteAt(data, pos + 9) & 0x02 || layout.unsynchronised))
            size = resynchroniseFrame(data, pos, size);
        const qint64 total = headerLength + size;
        const unsigned format = revision <= 2 ? 0 : byteAt(data, pos + 9);
        const Id3FrameKind *row = frames.kind(id);

        if (isCommentStyle(id)) {
            const auto content = plainContent(data.mid(pos + headerLength, size), revision, format);
            const bool described
                = !content || id3text::decodeDescribedText(*content, revision).hasDescription;
            if (described) {
                out += data.mid(pos, total);
            } else if (const QByteArray listed = pending.find(id); !listed.isEmpty()) {
                pending.take(id);
                if (const QByteArray body = frames.body(listed); !body.isEmpty())
                    out += frames.frame(listed, body);
            }
        } else if (row && isCollected(*row)) {
            std::int32_t &k = written[int(row->collection)];
            const std::int32_t count = collectionOf(tags, row->collection)->Count();
            if (k <= count) {
                if (const QByteArray body = frames.body(id, k); !body.isEmpty())
                    out += frames.frame(id, body);
                if (k == count)
                    pending.take(id);
                ++k;
            }
        } else if (const QByteArray listed = pending.find(id); !listed.isEmpty()) {
            pending.take(id);
            if (const QByteArray body = frames.body(listed); !body.isEmpty())
                out += frames.frame(listed, body);
        } else {
            out += data.mid(pos, total);
        }
        pos += total;
    }
    qint64 padding = qMax<qint64>(0, data.size() - pos);
    if (padding == 0)
        padding = DefaultPadding;

    for (const QByteArray &id : pending.ids()) {
        const Id3FrameKind *row = frames.kind(id);
        if (row && isCollected(*row)) {
            const std::int32_t count = collectionOf(tags, row->collection)->Count();
            for (std::int32_t k = written[int(row->collection)]; k <= count; ++k)
                if (const QByteArray body = frames.body(id, k); !body.isEmpty())
                    out += frames.frame(id, body);
        } else if (const QByteArray body = frames.body(id); !body.isEmpty()) {
            out += frames.frame(id, body);
        }
    }
    out.append(padding, '\0');
    if (frames.tooLarge() || out.size() >= Synchsafe28)
        return std::nullopt;
    return QByteArray("ID3") + char(revision) + QByteArray(2, '\0') + synchsafeBytes(out.size())
        + out;
}

namespace {

/** A Lyrics3 version 2 block: IND, the fields of the old block (`oldFields`, after its
 *  "LYRICSBEGIN") edited by the pending ids, then the new fields, the length and the end mark. */
QByteArray lyricsBlock(const clsID3 &tags, const QByteArray &oldFields)
{
    QByteArray block = QByteArray("LYRICSBEGIN") + "IND0000200" + oldFields;
    PendingIds pending(LyricsFieldIds);
    qsizetype pos = 11;
    while (pos + 8 <= block.size()) {
        const QByteArray id = block.mid(pos, 3);
        const QByteArray digits = block.mid(pos + 3, 5);
        if (!isDigits(digits))
            break;
        const qint64 length = 8 + digits.toLongLong();
        if (length > block.size() - pos)
            break;
        if (id == "IND" && pos > 11) {
            block.remove(pos, length);
        } else if (const QByteArray listed = pending.find(id); !listed.isEmpty()) {
            pending.take(id);
            const QString value = lyricsFieldValue(tags, listed);
            const QByteArray field = value.isEmpty() ? QByteArray() : lyricsField(listed, value);
            block.replace(pos, length, field);
            pos += field.size();
        } else {
            pos += length;
        }
    }
    block.truncate(pos);
    for (const QByteArray &id : pending.ids())
        if (const QString value = lyricsFieldValue(tags, id); !value.isEmpty())
            block += lyricsField(id, value);
    return block;
}

} // namespace

QByteArray Id3TagWriter::buildLyrics3(const clsID3 &tags, const Id3FileLayout &layout)
{
    if (tags.Title().size() <= 30 && tags.Artist().size() <= 30 && tags.Album().size() <= 30)
        return {};
    const QByteArray oldFields = layout.lyrics3Block ? layout.lyrics3Block->mid(11) : QByteArray();
    QByteArray block = lyricsBlock(tags, oldFields);
    if (block.size() > 999999) // the old fields leave no room for the new ones in six digits
        block = lyricsBlock(tags, QByteArray());
    return block + QByteArray::number(block.size()).rightJustified(6, '0') + "LYRICS200";
}

int Id3TagWriter::id3v1Genre(const clsID3 &tags)
{
    std::int32_t genre = tags.GenreID();
    const QString lower = tags.Genre().toLower();
    if ((genre == 12 && lower != u"other") || (genre == 255 && lower != u"unknown"))
        genre = clsID3::ToGenreID(tags.Genre());
    if (genre == -1 || genre == -2)
        return 12;
    return genre < 0 || genre > 255 ? 255 : genre;
}

QByteArray Id3TagWriter::buildId3v1(const clsID3 &tags)
{
    const int genre = id3v1Genre(tags);
    const bool empty = tags.Title().isEmpty() && tags.Artist().isEmpty() && tags.Album().isEmpty()
        && tags.Year().isEmpty() && tags.Comments().isEmpty() && tags.TrackNumber().isEmpty();
    if (empty && (genre == 12 || genre == 255))
        return {};
    QByteArray out = QByteArray("TAG") + fixedField(tags.Title(), 30)
        + fixedField(tags.Artist(), 30) + fixedField(tags.Album(), 30) + fixedField(tags.Year(), 4);
    const auto track = vb::parseNumber(tags.TrackNumber());
    if (track && *track >= 1 && *track <= 255)
        out += fixedField(tags.Comments(), 28) + '\0' + char(int(vb::roundHalfEven(*track)));
    else
        out += fixedField(tags.Comments(), 30);
    return out + char(genre);
}

} // namespace metadata
