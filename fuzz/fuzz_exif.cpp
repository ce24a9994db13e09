// Any bytes as the head of a picture file: the EXIF reader must finish without a fault.
#include "VbError.h"
#include "clsEXIF.h"

#include <QStringList>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    metadata::clsEXIF exif{QString()};
    exif.parse(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    QStringList lines;
    exif.ListInfo(lines);
    QString text;
    for (const metadata::ExifEntry &e : exif.Entries()) {
        try {
            exif.MetaInfo(e.Tag, text);
        } catch (const vb::Error &) {
            // A value beyond 32 bits is reported as an overflow.
        }
    }
    return 0;
}
