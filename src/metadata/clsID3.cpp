#include "clsID3.h"

#include "FileByteSource.h"
#include "Id3Text.h"
#include "Id3v1Tag.h"
#include "Lyrics3Block.h"
#include "MemoryByteSource.h"
#include "VbConvert.h"

namespace metadata {

namespace {

// The last number of the genre list; 255 ("Unknown") names no genre.
constexpr int LastListedGenre = 147;

/** A track or disc part as stored: empty stays empty, a number as written, anything else "0". */
QString numberPart(const QString &part)
{
    if (part.isEmpty() || vb::parseNumber(part))
        return part;
    return QStringLiteral("0");
}

} // namespace

clsID3::clsID3() = default;

void clsID3::clearTagFields()
{
    for (QString &t : m_text)
        t.clear();
    m_genreId = 255;
    m_commercialInfo.Clear();
    m_artistUrl.Clear();
    m_attachedPictures.Clear();
    m_pictureContent.clear();
}

void clsID3::reset()
{
    clearTagFields();
    m_id3v1Exists = m_id3v2Exists = m_lyrics3v1Exists = m_lyrics3v2Exists = false;
    m_revision = 0;
    m_tagHeader = Id3v2Header();
    m_audio.reset();
    m_lyricsTimestampFlag = false;
    m_genreText.clear();
    m_hasGenreText = false;
    m_trackParts.clear();
    m_discParts.clear();
}

void clsID3::setFileName(const QString &path)
{
    m_fileName = path;
    RefreshID3Tags();
}

void clsID3::RefreshID3Tags()
{
    FileByteSource source(m_fileName);
    if (!source.open()) {
        reset();
        m_revision = 3;
        return;
    }
    parse(source);
}

void clsID3::parse(const QByteArray &bytes)
{
    MemoryByteSource source(bytes);
    parse(source);
}

void clsID3::parse(ByteSource &source)
{
    try {
        ReadID3Tags(source);
    } catch (...) {
        reset();
        m_revision = 3;
    }
}

void clsID3::ReadID3Tags(ByteSource &source)
{
    reset();
    const qint64 audioStart = readId3v2(source);
    qint64 end = source.size();
    readFileEnd(source, end);
    m_audio.scan(source, audioStart, end);
}

qint64 clsID3::readId3v2(ByteSource &source)
{
    const auto header = Id3v2Tag::parseHeader(source.read(0, Id3v2Tag::HeaderSize));
    if (!header) {
        m_revision = 3;
        return 0;
    }
    m_id3v2Exists = true;
    m_revision = std::uint8_t(header->revision);
    m_tagHeader = *header;
    if (header->compression)
        return Id3v2Tag::HeaderSize;
    const int revision = header->revision;
    Id3v2Tag::walkFrames(
        *header, source.read(Id3v2Tag::HeaderSize, header->size),
        [revision](QByteArrayView id) {
            return findId3Frame(std::string_view(id.data(), size_t(id.size())), revision) != nullptr;
        },
        [this, revision](const Id3v2Frame &frame) { storeFrame(frame, revision); });
    resolveHeldValues();
    return Id3v2Tag::HeaderSize + header->size + (header->footer ? Id3v2Tag::HeaderSize : 0);
}

void clsID3::storeFrame(const Id3v2Frame &frame, int revision)
{
    const Id3FrameKind *kind =
        findId3Frame(std::string_view(frame.id.constData(), size_t(frame.id.size())), revision);
    if (!kind)
        return;
    if (kind->rule == Id3FrameRule::Described) {
        if (frame.opaque)
            return; // an unreadable value counts as described
        const id3text::DescribedText d = id3text::decodeDescribedText(frame.content, revision);
        if (!d.hasDescription)
            setText(kind->field, d.text);
        return;
    }
    QString value = id3text::decodeFrameText(frame.content, revision);
    if (value.startsWith(QChar(0)))
        value.remove(0, 1);
    if (kind->rule == Id3FrameRule::CollectBinary) {
        m_attachedPictures.Add(value, std::nullopt, std::nullopt, true);
        if (!m_pictureContent.contains(value))
            m_pictureContent.insert(value, frame.content);
        return;
    }
    value = cutAtNul(value);
    switch (kind->rule) {
    case Id3FrameRule::Text:
        setText(kind->field, value);
        break;
    case Id3FrameRule::GenreText:
        m_genreText = value;
        m_hasGenreText = true;
        break;
    case Id3FrameRule::YearPart: {
        const qsizetype dash = value.indexOf(u'-');
        setText(kind->field, dash < 0 ? value : value.left(dash));
        break;
    }
    case Id3FrameRule::TrackParts:
        m_trackParts = value.split(u'/');
        break;
    case Id3FrameRule::DiscParts:
        m_discParts = value.split(u'/');
        break;
    case Id3FrameRule::CollectText:
        (kind->collection == Id3Collection::CommercialInfo ? m_commercialInfo : m_artistUrl)
            .Add(value);
        break;
    default:
        break;
    }
}

QString clsID3::NamedGenre() const
{
    const QString genre = Genre();
    if (!m_hasGenreText)
        return genre;
    // The number of the frame: "(n)" with no text after it (the older form), or the whole
    // frame (the newer form, a bare number).
    QString number;
    if (genre.isEmpty() && m_genreText.startsWith(u'('))
        number = m_genreText.mid(1, m_genreText.indexOf(u')') - 1);
    else if (genre == m_genreText)
        number = genre;
    if (number.isEmpty() || number.size() > 3)
        return genre;
    for (QChar c : number) {
        if (c < u'0' || c > u'9')
            return genre;
    }
    const int id = number.toInt();
    return id <= LastListedGenre ? GenreName(id) : genre;
}

void clsID3::resolveHeldValues()
{
    if (m_hasGenreText) {
        const qsizetype close = m_genreText.indexOf(u')');
        if (m_genreText.startsWith(u'(') && close > 0) {
            const QString inside = m_genreText.mid(1, close - 1);
            setGenre(m_genreText.mid(close + 1));
            if (const auto number = vb::parseNumber(inside)) {
                const auto id = vb::CLng(*number);
                if (id.ok())
                    m_genreId = id.value();
            } else if (inside == QLatin1String("CR")) {
                m_genreId = -2;
            } else if (inside == QLatin1String("RX")) {
                m_genreId = -1;
            } else {
                m_genreId = 255;
            }
        } else {
            setGenre(m_genreText);
        }
    }
    if (!m_trackParts.isEmpty()) {
        setTrackNumber(numberPart(m_trackParts[0]));
        if (m_trackParts.size() == 2)
            setTracksTotal(numberPart(m_trackParts[1]));
    }
    if (!m_discParts.isEmpty()) {
        setDiscNumber(numberPart(m_discParts[0]));
        if (m_discParts.size() == 2)
            setDiscsTotal(numberPart(m_discParts[1]));
    }
}

void clsID3::setIfEmpty(Id3Field field, const QString &value)
{
    if (!value.isEmpty() && text(field).isEmpty())
        setText(field, value);
}

void clsID3::readFileEnd(ByteSource &source, qint64 &end)
{
    std::optional<Id3v1Tag> v1;
    if (source.size() >= Id3v1Tag::Size)
        v1 = Id3v1Tag::parse(source.read(source.size() - Id3v1Tag::Size, Id3v1Tag::Size));
    if (v1) {
        m_id3v1Exists = true;
        end -= Id3v1Tag::Size;
    }

    const Lyrics3Block lyrics = Lyrics3Block::read(source, end);
    if (lyrics.version == 1) {
        m_lyrics3v1Exists = true;
        if (lyrics.lyrics)
            setIfEmpty(Id3Field::Lyrics, *lyrics.lyrics);
    } else if (lyrics.version == 2) {
        m_lyrics3v2Exists = true;
        end -= lyrics.blockBytes;
        for (const auto &[id, data] : lyrics.fields) {
            if (id == "IND")
                m_lyricsTimestampFlag = data.size() >= 2 && data[1] == u'1';
            else if (id == "LYR")
                setIfEmpty(Id3Field::Lyrics,
                           m_lyricsTimestampFlag ? Lyrics3Block::removeTimestamps(data) : data);
            else if (id == "AUT")
                setIfEmpty(Id3Field::Lyricist, data);
            else if (id == "EAL")
                setIfEmpty(Id3Field::Album, data);
            else if (id == "EAR")
                setIfEmpty(Id3Field::Artist, data);
            else if (id == "ETT")
                setIfEmpty(Id3Field::Title, data);
        }
    }

    if (!v1)
        return;
    setIfEmpty(Id3Field::Title, v1->Title);
    setIfEmpty(Id3Field::Artist, v1->Artist);
    setIfEmpty(Id3Field::Album, v1->Album);
    setIfEmpty(Id3Field::Year, v1->Year);
    setIfEmpty(Id3Field::Comments, v1->Comments);
    if (v1->track)
        setIfEmpty(Id3Field::TrackNumber, QString::number(*v1->track));
    if (m_genreId == 12 || m_genreId == 255)
        m_genreId = v1->genre;
}

} // namespace metadata
