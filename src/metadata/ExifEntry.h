#pragma once
#include <QString>

#include <cstdint>

namespace metadata {

/** One directory entry of a picture's EXIF block, as read and formatted. */
struct ExifEntry {
    std::int32_t Tag = 0;      ///< the 16-bit tag number
    QString TagName;           ///< GetTagName(Tag)
    std::int32_t DataType = 0; ///< the 16-bit TIFF type code
    std::int32_t Count = 0;    ///< the value count
    /** The 4-byte value field as an unsigned number, or for a rational entry whose first value
     *  has a non-zero denominator, that value's quotient. */
    double Value = 0;
    QString ValueText; ///< the formatted value, after the "exif.ini" step
};

} // namespace metadata
