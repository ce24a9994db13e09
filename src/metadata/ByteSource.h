#pragma once
/**
 * Random access to the bytes of one file (or of a buffer standing in for it). The readers fetch
 * everything through this interface, so every read is bounded by the source's size and positions
 * are 64-bit throughout.
 */
#include <QByteArray>
#include <QtGlobal>

namespace metadata {

class ByteSource {
public:
    virtual ~ByteSource() = default;

    /** Number of bytes in the source. */
    virtual qint64 size() const = 0;

    /** Up to `length` bytes from the 0-based `position`: fewer near the end, none when the
     *  position lies outside the source or the length is not positive. Never allocates more
     *  than the source holds. */
    virtual QByteArray read(qint64 position, qint64 length) = 0;

protected:
    /** The part of [position, position + length) that lies inside a source of `total` bytes,
     *  as a length (0 when nothing does). */
    static qint64 clampLength(qint64 total, qint64 position, qint64 length)
    {
        if (position < 0 || length <= 0 || position >= total)
            return 0;
        return qMin(length, total - position);
    }
};

} // namespace metadata
