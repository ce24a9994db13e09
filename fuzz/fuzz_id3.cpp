// Any bytes as an MP3 file: ID3v2, Lyrics3, ID3v1 and the audio search must finish without a
// fault, and every figure must be a finite number.
#include "clsID3.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    metadata::clsID3 id3;
    id3.parse(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    for (std::size_t f = 0; f < metadata::Id3FieldCount; ++f)
        (void)id3.text(metadata::Id3Field(f)).size();
    (void)id3.AttachedPictures().items();
    if (!std::isfinite(id3.BitRate()) || !std::isfinite(id3.length()) || !std::isfinite(id3.FrameSize()))
        std::abort();
    return 0;
}
