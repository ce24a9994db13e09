// Any bytes as a whole picture file, held in memory: the EXIF reader's search for its segment
// (the head it reads, the APP1 segment it extends to) and the parse of what it found finish
// without a fault.
#include "MemoryByteSource.h"
#include "clsEXIF.h"

#include <QStringList>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    metadata::MemoryByteSource source(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    metadata::clsEXIF exif{QString()};
    exif.parse(metadata::clsEXIF::read(source));
    QStringList lines;
    exif.ListInfo(lines);
    return 0;
}
