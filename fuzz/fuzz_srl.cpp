// Any bytes as a string replace-list file: loaded or refused, never a fault.
#include "MemoryFile.h"
#include "StringsReplaceListFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    MemoryFile file(data, size);
    (void)replacelists::StringsReplaceListFile::load(file.path());
    return 0;
}
