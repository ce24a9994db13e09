// Any bytes as a dropped-file block from another process: the list is read without touching a
// byte outside the block (AddressSanitizer sees the exact block), and no path is empty.
#include "DropFileList.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // A copy of exactly `size` bytes, so a read past the end is caught.
    const std::unique_ptr<std::uint8_t[]> block(new std::uint8_t[size ? size : 1]);
    if (size)
        std::memcpy(block.get(), data, size);
    for (const std::string &path : drophandler::DropFileList::parse(block.get(), size))
        if (path.empty())
            std::abort();
    return 0;
}
