// Any bytes as a file name: decoding keeps them byte for byte (encoding gives the very bytes
// back), and the printable form of the name holds no control character.
#include "PathCodec.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString name = pathcodec::decode(bytes);
    if (pathcodec::encode(name) != bytes)
        std::abort();
    for (const QChar c : pathcodec::printable(name))
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || (c.unicode() >= 0x80 && c.unicode() < 0xA0))
            std::abort();
    // Any text (lone surrogates included) encodes without a fault.
    const QString text = QString::fromUtf16(reinterpret_cast<const char16_t *>(data), qsizetype(size / 2));
    (void)pathcodec::encode(text);
    (void)pathcodec::printable(text);
    return 0;
}
