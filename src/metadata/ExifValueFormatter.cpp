#include "ExifValueFormatter.h"

#include "ExifTagTable.h"
#include "TextFile.h"
#include "VbConvert.h"
#include "VbFormat.h"

#include <cmath>
#include <limits>

namespace metadata {

namespace {

const QString Mask0 = QStringLiteral("0");
const QString Mask1 = QStringLiteral("0.0");
const QString Mask3 = QStringLiteral("0.000");

/** The mask form of a quantity, or the text of `rational` when there is no finite quantity to
 *  show. */
QString masked(std::optional<double> value, const QString &mask, const ExifRational &rational)
{
    if (!value || !std::isfinite(*value))
        return rational.text();
    return vb::Format(*value, mask);
}

bool isOneOf(std::int32_t tag, std::initializer_list<std::int32_t> tags)
{
    for (std::int32_t t : tags)
        if (t == tag)
            return true;
    return false;
}

/** The bytes of a text value as characters. */
QString bytesAsText(QByteArrayView bytes)
{
    return textfile::decode(bytes);
}

} // namespace

ExifValueFormatter::ExifValueFormatter(QByteArrayView block, qint64 tiffStart, bool intel)
    : m_block(block), m_tiffStart(tiffStart), m_intel(intel)
{
}

std::optional<double> ExifValueFormatter::ReadNumber(QByteArrayView data, qint64 position, int length) const
{
    if (length <= 0 || length > 8 || position < 0 || position + length > data.size())
        return std::nullopt;
    double value = 0;
    double weight = 1;
    for (int rank = 0; rank < length; ++rank) {
        const qint64 at = m_intel ? position + rank : position + length - 1 - rank;
        value += double(static_cast<unsigned char>(data[at])) * weight;
        weight *= 256;
    }
    return value;
}

std::optional<double> ExifValueFormatter::ReadSignedNumber(QByteArrayView data, qint64 position, int length) const
{
    if (length <= 0 || length > 8 || position < 0 || position + length > data.size())
        return std::nullopt;
    std::uint64_t bits = 0;
    for (int rank = 0; rank < length; ++rank) {
        const qint64 at = m_intel ? position + rank : position + length - 1 - rank;
        bits |= std::uint64_t(static_cast<unsigned char>(data[at])) << (8 * rank);
    }
    if (length < 8 && (bits >> (8 * length - 1)) & 1U)
        bits |= ~std::uint64_t(0) << (8 * length);
    return double(static_cast<std::int64_t>(bits));
}

namespace {

// A rational, with its quotient when the denominator is not 0.
std::optional<ExifRational> RationalOf(std::optional<double> num, std::optional<double> den)
{
    if (!num || !den)
        return std::nullopt;
    ExifRational r{*num, *den, std::nullopt};
    if (*den != 0)
        r.quotient = *num / *den;
    return r;
}

} // namespace

QString ExifRational::text() const
{
    return vb::NumberText(numerator) + u'/' + vb::NumberText(denominator);
}

std::optional<ExifRational> ExifValueFormatter::ReadRational(QByteArrayView data, qint64 position) const
{
    return RationalOf(ReadNumber(data, position, 4), ReadNumber(data, position + 4, 4));
}

std::optional<ExifRational> ExifValueFormatter::ReadSignedRational(QByteArrayView data, qint64 position) const
{
    return RationalOf(ReadSignedNumber(data, position, 4), ReadSignedNumber(data, position + 4, 4));
}

bool ExifValueFormatter::FormatExifValue(ExifEntry &entry, qint64 entryPos, qint64 &valueBytesLeft) const
{
    if (entry.DataType < 0 || entry.DataType >= int(TypeSizes.size()))
        return false;
    const auto field = ReadNumber(m_block, entryPos + 8, 4);
    if (!field)
        return false;
    entry.Value = *field;

    // The value's bytes are read where they lie: many entries may point at the same long run of
    // bytes, and none of them copies it.
    const qint64 size = qint64(TypeSizes[entry.DataType]) * entry.Count;
    QByteArrayView raw;
    QByteArrayView textRaw;
    if (size > 4) {
        const qint64 start = m_tiffStart + qint64(*field);
        if (start < m_block.size())
            raw = m_block.sliced(start, qMin(size, m_block.size() - start));
        if (raw.size() > valueBytesLeft)
            return false;
        valueBytesLeft -= raw.size();
        textRaw = raw;
    } else {
        // The four bytes of the value field; a text value uses only the bytes its count covers
        // (the rest is padding that may hold anything).
        raw = m_block.sliced(entryPos + 8, 4);
        textRaw = raw.first(size);
    }

    auto text = formatText(entry, raw, textRaw);
    if (!text)
        return false;
    text->remove(QChar(0));
    entry.ValueText = *text;
    return true;
}

std::optional<QString> ExifValueFormatter::formatText(ExifEntry &entry, QByteArrayView raw,
                                                      QByteArrayView textRaw) const
{
    const int width = TypeSizes[entry.DataType];
    switch (entry.DataType) {
    case 2: {
        // A text ends at its first NUL; what follows it (padding, or a writer's leftovers) is
        // no part of it. A text without a NUL keeps all its bytes, trailing blanks included.
        const qsizetype nul = textRaw.indexOf('\0');
        return bytesAsText(nul < 0 ? textRaw : textRaw.first(nul));
    }
    case 0:
        return QString();
    case 1:
    case 3:
    case 4:
    case 11:
    case 12: {
        const auto n = ReadNumber(raw, 0, width);
        if (!n)
            return std::nullopt;
        return vb::NumberText(*n);
    }
    case 6:
    case 8:
    case 9: {
        const auto n = ReadSignedNumber(raw, 0, width);
        if (!n)
            return std::nullopt;
        return vb::NumberText(*n);
    }
    case 5:
        return formatRational(entry, raw, false);
    case 10:
        return formatRational(entry, raw, true);
    case 7:
        return formatUndefined(entry, raw, textRaw);
    default:
        return std::nullopt;
    }
}

std::optional<QString> ExifValueFormatter::formatRational(ExifEntry &entry, QByteArrayView raw,
                                                          bool isSigned) const
{
    auto read = [&](qint64 position) {
        return isSigned ? ReadSignedRational(raw, position) : ReadRational(raw, position);
    };
    const auto first = read(0);
    if (!first)
        return std::nullopt;
    if (first->quotient)
        entry.Value = *first->quotient;
    const std::optional<double> q = first->quotient;
    using namespace exiftag;

    if (!isSigned) {
        if (entry.Tag == ExposureTime)
            return masked(q && *q != 0 ? std::optional<double>(1 / *q) : std::nullopt, Mask0, *first);
        if (isOneOf(entry.Tag, {ApertureValue, MaxApertureValue}))
            return masked(q ? std::optional<double>(std::pow(std::sqrt(2.0), *q)) : std::nullopt, Mask1,
                          *first);
        if (isOneOf(entry.Tag, {XResolution, YResolution, FNumber, SubjectDistance, FocalLength,
                                FocalPlaneXResolution, FocalPlaneYResolution}))
            return masked(q, Mask1, *first);
    } else {
        if (entry.Tag == ShutterSpeedValue)
            return masked(q ? std::optional<double>(std::pow(2.0, *q)) : std::nullopt, Mask0, *first);
        if (entry.Tag == ExposureBiasValue)
            return masked(q, Mask1, *first);
    }
    if (entry.Count < 2)
        return first->text();

    // A list that runs out of bytes fails the entry: known before any value is formatted, so
    // that every value of the list is there to read.
    if (raw.size() / 8 < entry.Count)
        return std::nullopt;
    QString text;
    for (qint64 i = 0; i < entry.Count; ++i) {
        if (i > 0)
            text += u'/';
        const ExifRational r = *read(i * 8);
        text += masked(r.quotient, Mask3, r);
    }
    return text;
}

std::optional<QString> ExifValueFormatter::formatUndefined(const ExifEntry &entry, QByteArrayView raw,
                                                           QByteArrayView textRaw) const
{
    using namespace exiftag;
    switch (entry.Tag) {
    case ExifVersion:
    case FlashPixVersion: {
        // The first two characters and the last two; a long value is not read in between.
        const qsizetype ends = qMin<qsizetype>(2, textRaw.size());
        return vb::NumberText(vb::Val(QString::fromLatin1(textRaw.first(ends)))) + u'.'
            + QString::fromLatin1(textRaw.last(ends));
    }
    case ComponentsConfiguration: {
        static const char *const names[] = {"", "Y", "Cb", "Cr", "R", "G", "B"};
        if (raw.size() < 4)
            return std::nullopt;
        QString text;
        for (int i = 0; i < 4; ++i) {
            const auto b = static_cast<unsigned char>(raw[i]);
            if (b > 6)
                return std::nullopt;
            text += QString::fromLatin1(names[b]);
        }
        return text;
    }
    case MakerNote: {
        QString kept(textRaw.size(), Qt::Uninitialized);
        QChar *out = kept.data();
        for (char c : textRaw) {
            const auto b = static_cast<unsigned char>(c);
            if (b >= 32 && b <= 127)
                *out++ = QLatin1Char(c);
        }
        kept.truncate(out - kept.constData());
        return kept;
    }
    case FileSource:
    case SceneType:
        if (raw.isEmpty())
            return std::nullopt;
        return QString::number(static_cast<unsigned char>(raw[0]));
    default:
        return bytesAsText(textRaw);
    }
}

} // namespace metadata
