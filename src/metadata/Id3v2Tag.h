#pragma once
/**
 * The ID3v2 tag at the front of an MP3 file (revisions 2.2, 2.3, 2.4): its header and the raw
 * frames of its body. Frame contents come out with every frame-level addition removed
 * (decompressed-size, encryption and grouping bytes, the data-length indicator) and
 * unsynchronisation undone; the caller decodes the text.
 */
#include <QByteArray>
#include <QByteArrayView>

#include <cstdint>
#include <functional>
#include <optional>

namespace metadata {

struct Id3v2Header {
    int revision = 0;
    bool unsynchronisation = false;
    bool extendedHeader = false; ///< revisions 3 and later
    bool compression = false;    ///< revision 2 only: the tag cannot be read
    bool footer = false;         ///< revisions 4 and later
    qint64 size = 0;             ///< body bytes after the 10-byte header
};

struct Id3v2Frame {
    QByteArray id;
    QByteArray content;
    /** Compressed or encrypted: the content cannot be decoded and the value is empty. */
    bool opaque = false;
};

class Id3v2Tag {
public:
    static constexpr qint64 HeaderSize = 10;

    /** The header when the 10 bytes are one: "ID3", revision and minor revision below 0xFF,
     *  four size bytes below 0x80. */
    static std::optional<Id3v2Header> parseHeader(const QByteArray &bytes);

    using FrameFilter = std::function<bool(QByteArrayView id)>;
    using FrameVisitor = std::function<void(const Id3v2Frame &frame)>;

    /** Hands the frames of a tag body whose id `wanted` accepts to `visit`, in file order, up
     *  to the first all-zero id, a foreign tagger's marker, a frame size that does not fit 32
     *  bits, or the end of the body. */
    static void walkFrames(const Id3v2Header &header, QByteArray body, const FrameFilter &wanted,
                           const FrameVisitor &visit);

    /** Whether another tagging tool's marker ("MP3ext V" ... "(unicode)") starts at `pos`. */
    static bool isForeignMarker(const QByteArray &body, qsizetype pos);

    /** A 4-byte synchsafe number (7 bits per byte, most significant first). */
    static qint64 synchsafe(const QByteArray &bytes, qsizetype pos);

    /** A big-endian number of `length` bytes (8 bits each). */
    static qint64 bigEndian(const QByteArray &bytes, qsizetype pos, int length);
};

} // namespace metadata
