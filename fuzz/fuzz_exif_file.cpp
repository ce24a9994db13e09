// Any bytes as a whole picture file: the EXIF reader's search for its segment (the head it
// reads, the APP1 segment it extends to) and the parse of what it found finish without a fault.
#include "MemoryFile.h"
#include "clsEXIF.h"

#include <QStringList>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    MemoryFile file(data, size);
    metadata::clsEXIF exif{QString()};
    exif.setImageFile(file.path());
    QStringList lines;
    exif.ListInfo(lines);
    return 0;
}
