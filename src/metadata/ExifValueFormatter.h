#pragma once
/**
 * Reads the numbers of an EXIF block in its byte order and formats entry values as text: by TIFF
 * type, and for some tags by a tag-specific rule (shutter times, f-numbers, versions, component
 * order). Every read is checked against the end of the block; a read that does not fit makes
 * the entry fail, which ends the walk of its directory.
 */
#include "ExifEntry.h"

#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <optional>

namespace metadata {

/** A rational read from 8 bytes: its numerator and denominator and, when the denominator is
 *  not 0, its quotient. */
struct ExifRational {
    double numerator = 0;
    double denominator = 0;
    std::optional<double> quotient;

    /** "numerator/denominator", in decimal. */
    QString text() const;
};

class ExifValueFormatter {
public:
    /** `block` holds the bytes the offsets may reach (it must outlive the formatter);
     *  `tiffStart` is the 0-based index of the TIFF header in it; `intel` selects little-endian
     *  numbers. A value is read where it lies in the block, never copied out whole. */
    ExifValueFormatter(QByteArrayView block, qint64 tiffStart, bool intel);

    /** Unsigned number of `length` bytes at `position` of `data`; nullopt when it does not fit. */
    std::optional<double> ReadNumber(QByteArrayView data, qint64 position, int length) const;
    /** The same bytes as a two's complement number. */
    std::optional<double> ReadSignedNumber(QByteArrayView data, qint64 position, int length) const;
    /** Unsigned numerator and denominator from 8 bytes at `position`. */
    std::optional<ExifRational> ReadRational(QByteArrayView data, qint64 position) const;
    /** Signed numerator and denominator from 8 bytes at `position`. */
    std::optional<ExifRational> ReadSignedRational(QByteArrayView data, qint64 position) const;

    /** Sets `Value` and `ValueText` (before the "exif.ini" step, NUL characters removed) of an
     *  entry whose Tag, DataType and Count are set and whose 12 bytes start at `entryPos`.
     *  `valueBytesLeft` is what the values may still take outside their entries (cut at the end
     *  of the block): the entry's value takes its bytes from it, before it is formatted. False
     *  when the entry fails, or its value would take more than is left. */
    bool FormatExifValue(ExifEntry &entry, qint64 entryPos, qint64 &valueBytesLeft) const;

private:
    std::optional<QString> formatText(ExifEntry &entry, QByteArrayView raw, QByteArrayView textRaw) const;
    std::optional<QString> formatRational(ExifEntry &entry, QByteArrayView raw, bool isSigned) const;
    std::optional<QString> formatUndefined(const ExifEntry &entry, QByteArrayView raw, QByteArrayView textRaw) const;

    QByteArrayView m_block;
    qint64 m_tiffStart;
    bool m_intel;
};

} // namespace metadata
