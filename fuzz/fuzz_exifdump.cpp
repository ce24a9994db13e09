// Any bytes as a whole picture file: the EXIF dump must finish without a fault.
#include "MemoryByteSource.h"
#include "modExif.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    metadata::MemoryByteSource source(
        QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    std::vector<metadata::ExifDumpLine> lines;
    metadata::modExif::DumpExif(source, lines);
    return 0;
}
