// Any bytes as a string replace-list file, decoded and split as the file reader does: loaded or
// refused, never a fault.
#include "StringsReplaceListFile.h"
#include "TextFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    (void)replacelists::StringsReplaceListFile::parse(textfile::splitLines(textfile::decode(bytes)));
    return 0;
}
