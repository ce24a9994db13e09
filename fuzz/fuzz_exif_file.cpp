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
    // The input is not copied: the source hands out exactly the parts the reader asks for (the
    // whole input itself when it asks for all of it), and libFuzzer's buffer is exactly as long
    // as the input, so a read past either is still caught.
    metadata::MemoryByteSource source(QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
    metadata::clsEXIF exif{QString()};
    exif.parse(metadata::clsEXIF::read(source));
    QStringList lines;
    exif.ListInfo(lines);
    return 0;
}
