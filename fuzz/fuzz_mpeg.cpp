// Any bytes as the audio part of a file: the frame search and the VBR header reader must finish
// without a fault, and every figure must be a finite number.
#include "MemoryByteSource.h"
#include "MpegAudioInfo.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    metadata::MemoryByteSource source(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    metadata::MpegAudioInfo info;
    info.scan(source, 0, source.size());
    if (!std::isfinite(info.BitRate()) || !std::isfinite(info.length()) || !std::isfinite(info.FrameSize()))
        std::abort();
    return 0;
}
