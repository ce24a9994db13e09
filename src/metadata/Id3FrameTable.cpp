#include "Id3FrameTable.h"

namespace metadata {

const Id3FrameKind *findId3Frame(std::string_view id, int revision)
{
    if (id.empty())
        return nullptr;
    for (const Id3FrameKind &k : Id3Frames)
        if ((revision <= 2 ? k.id22 : k.id) == id)
            return &k;
    return nullptr;
}

} // namespace metadata
