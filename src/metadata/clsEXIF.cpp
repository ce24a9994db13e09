#include "clsEXIF.h"

#include "AppFolder.h"
#include "ExifTagTable.h"
#include "ExifValueFormatter.h"
#include "FileByteSource.h"
#include "VbConvert.h"
#include "VbError.h"

#include <QStringBuilder>

#include <limits>
#include <utility>

namespace metadata {

namespace {

const QByteArray MarkerBytes("Exif\0", 5);

/** The index of the marker within the head of the file, or -1. */
qsizetype findMarker(const QByteArray &bytes)
{
    return QByteArrayView(bytes).first(qMin<qsizetype>(bytes.size(), clsEXIF::HeadSize))
        .indexOf(QByteArrayView(MarkerBytes));
}

/** The end of the APP1 segment whose header ends just before the marker, or -1 when the
 *  marker does not follow an APP1 header. */
qint64 app1SegmentEnd(const QByteArray &bytes, qsizetype marker)
{
    if (marker < 4 || static_cast<unsigned char>(bytes[marker - 4]) != 0xFF
        || static_cast<unsigned char>(bytes[marker - 3]) != 0xE1)
        return -1;
    const qint64 length = (qint64(static_cast<unsigned char>(bytes[marker - 2])) << 8)
        | static_cast<unsigned char>(bytes[marker - 1]);
    return marker - 2 + length;
}

/** The number that the leading digits of a text spell; 0 when it starts with none. */
qint64 leadingNumber(const QString &text)
{
    qint64 n = 0;
    for (QChar c : text) {
        if (!c.isDigit() || c.unicode() > u'9')
            break;
        n = n * 10 + (c.unicode() - u'0');
        if (n > (qint64(1) << 40))
            break;
    }
    return n;
}

} // namespace

clsEXIF::clsEXIF() : clsEXIF(FindAsset(QStringLiteral("exif.ini"))) {}

clsEXIF::clsEXIF(QString iniFile) : m_iniFile(std::move(iniFile)) {}

QByteArray clsEXIF::read(const QString &path)
{
    FileByteSource source(path);
    if (!source.open())
        return {};
    return read(source);
}

QByteArray clsEXIF::read(ByteSource &source)
{
    const QByteArray head = source.read(0, HeadSize);
    const qsizetype marker = findMarker(head);
    if (marker < 0)
        return head;
    // A segment that reaches past the head is read again from the start in one piece, rather
    // than appended to the head (which would copy the whole segment twice).
    const qint64 end = app1SegmentEnd(head, marker);
    if (end <= head.size())
        return head;
    QByteArray segment = source.read(0, end);
    return segment.size() > head.size() ? segment : head;
}

void clsEXIF::setImageFile(const QString &path)
{
    m_imageFile = path;
    parse(read(path));
}

void clsEXIF::parse(const QByteArray &bytes)
{
    m_entries.clear();
    m_intel = false;
    try {
        m_ini = IniReader(m_iniFile);
        parseBlock(bytes);
    } catch (...) {
        m_entries.clear();
        m_status = Unreadable;
    }
}

void clsEXIF::parseBlock(const QByteArray &bytes)
{
    if (bytes.isEmpty()) {
        m_status = Unreadable;
        return;
    }
    const qsizetype marker = findMarker(bytes);
    if (marker < 0) {
        m_status = NotExif;
        return;
    }
    // The block reaches to the end of its APP1 segment; a marker outside a segment header
    // gets the head of the file.
    const qint64 segmentEnd = app1SegmentEnd(bytes, marker);
    const qint64 blockEnd = segmentEnd >= 0 ? qMin<qint64>(segmentEnd, bytes.size())
                                            : qMin<qint64>(bytes.size(), HeadSize);
    const QByteArrayView block = QByteArrayView(bytes).first(blockEnd);
    const qint64 tiffStart = marker + 6;
    m_intel = tiffStart + 2 <= block.size() && block[tiffStart] == 'I' && block[tiffStart + 1] == 'I';
    m_status = Parsed;
    m_valueBytesLeft = ValueBytesPerPicture;

    const ExifValueFormatter numbers(block, tiffStart, m_intel);
    const auto ifd0 = numbers.ReadNumber(block, tiffStart + 4, 4);
    if (!ifd0)
        return;
    const qint64 exifIfd = ReadExifIfd(block, tiffStart, qint64(*ifd0), exiftag::ExifOffset);
    // The Exif IFD is walked once, and never when it is IFD0 itself.
    if (exifIfd >= 0 && exifIfd != qint64(*ifd0))
        ReadExifIfd(block, tiffStart, exifIfd, exiftag::ExifInteroperabilityOffset);
}

qint64 clsEXIF::ReadExifIfd(QByteArrayView block, qint64 tiffStart, qint64 offset,
                            std::int32_t wanted)
{
    const ExifValueFormatter numbers(block, tiffStart, m_intel);
    qint64 found = -1;
    qint64 p = tiffStart + offset;
    const auto count = numbers.ReadNumber(block, p, 2);
    if (!count)
        return found;
    p += 2;
    // Room for the entries the block can hold, so the list is not grown entry by entry.
    m_entries.reserve(m_entries.size() + size_t(qMin<qint64>(qint64(*count), (block.size() - p) / 12)));
    for (int i = 0; i < int(*count); ++i, p += 12) {
        const auto tag = numbers.ReadNumber(block, p, 2);
        const auto type = numbers.ReadNumber(block, p + 2, 2);
        const auto n = numbers.ReadNumber(block, p + 4, 4);
        if (!tag || !type || !n || *n > double(std::numeric_limits<std::int32_t>::max()))
            break;
        ExifEntry entry;
        entry.Tag = std::int32_t(*tag);
        entry.TagName = GetTagName(entry.Tag);
        entry.DataType = std::int32_t(*type);
        entry.Count = std::int32_t(*n);
        if (!numbers.FormatExifValue(entry, p, m_valueBytesLeft))
            break;
        applyIni(entry);
        if (entry.Tag == wanted)
            found = leadingNumber(entry.ValueText);
        m_entries.push_back(std::move(entry));
    }
    return found;
}

void clsEXIF::applyIni(ExifEntry &entry) const
{
    if (m_ini.isEmpty())
        return;
    const QString replaced = m_ini.GetIniValue(entry.TagName, entry.ValueText);
    if (!replaced.isEmpty())
        entry.ValueText = replaced;
    const QString pattern = m_ini.GetIniValue(entry.TagName, QStringLiteral("Format"));
    if (!pattern.isEmpty())
        entry.ValueText = QString(pattern).replace(QStringLiteral("@X"), entry.ValueText);
}

QString clsEXIF::GetTagName(std::int32_t lID)
{
    return metadata::GetTagName(lID);
}

QString clsEXIF::ListInfo(QStringList &list) const
{
    list.clear();
    switch (m_status) {
    case NotExif:
        return QStringLiteral("File is not in EXIF format.");
    case Unreadable:
        return QStringLiteral("Could not open the file.");
    default:
        break;
    }
    list.reserve(list.size() + qsizetype(m_entries.size()));
    // Each line is put together in one allocation.
    for (const ExifEntry &e : m_entries)
        list << QString(e.TagName % QLatin1String(": ") % e.ValueText);
    return {};
}

std::int32_t clsEXIF::MetaInfo(std::int32_t l_ID, QString &StringData) const
{
    if (m_status == NotExif)
        throw vb::Error(10, QStringLiteral("File is not in EXIF format."),
                        QStringLiteral("MetaInfo"));
    if (m_status == Unreadable)
        throw vb::Error(11, QStringLiteral("Error parsing the file."), QStringLiteral("MetaInfo"));
    for (const ExifEntry &e : m_entries) {
        if (e.Tag != l_ID)
            continue;
        StringData = e.ValueText;
        return vb::CLng(e.Value).value();
    }
    StringData = QStringLiteral("Tag ") + QString::number(l_ID) + QStringLiteral(" not found.");
    return 0;
}

} // namespace metadata
