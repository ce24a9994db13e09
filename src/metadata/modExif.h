#pragma once
/**
 * The EXIF dump: every entry of the IFD0, Exif, GPS and Interoperability directories of a JPEG
 * picture's EXIF segment as a line "description = value", with the codes of many tags put into
 * words. Independent of the EXIF reader clsEXIF.
 *
 * Every read is bounded by the segment; each directory offset is walked once, so a hostile
 * picture always finishes.
 */
#include "ByteSource.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

namespace metadata {

/** One line of the dump and the tag number it carries as its item data. */
struct ExifDumpLine {
    QString text;
    int tag = 0;
};

class modExif {
public:
    /** Most values of one entry that are shown; longer arrays end in "...". */
    static constexpr int MaxValues = 128;
    /** Most characters of one value text. */
    static constexpr int MaxValueText = 1024;

    /** Clears `list` and dumps the picture at `path` into it: true when every directory was
     *  walked, false after a stop message ("Not a JPeg file", "File information not found",
     *  "Not 'Exif' data, Panic", "Unknown/Error Header Format"). */
    static bool DumpExif(const QString &path, std::vector<ExifDumpLine> &list);
    /** The same for bytes held as a source. */
    static bool DumpExif(ByteSource &source, std::vector<ExifDumpLine> &list);

    /** A value's text by its TIFF type: numbers in decimal (several joined by ", "), text as
     *  its bytes; `numbers` receives the numeric values. */
    static QString DecodeTypedValue(int typeCode, const QByteArray &bytes, bool intel,
                                    std::vector<double> *numbers = nullptr);

    /** Bytes per value of a TIFF type (0 for an unknown type). */
    static int TypeSize(int typeCode);

    /** The description of a tag in a directory of the kind (0 IFD0 or Exif, 1 GPS, 2
     *  Interoperability), and whether its values have meanings. */
    static QString TagDescription(int kind, int tag, bool *hasMeanings);

    /** The words for a value: by its leading number, or by the tag's own rule. */
    static QString TagValueMeaning(int tag, const QString &valueText,
                                   const std::vector<double> &numbers, const QByteArray &bytes);
};

} // namespace metadata
