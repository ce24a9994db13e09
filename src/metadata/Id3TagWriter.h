#pragma once
/**
 * The byte side of the MP3 tag writer: where the audio of a file lies between its tags, and the
 * new ID3v2 tag, Lyrics3 version 2 block and ID3v1 tag built from the values a clsID3 holds.
 *
 * The ID3v2 tag keeps the revision of the tag it replaces (revision 3 for a file without one)
 * and edits its frames in place: a frame the reader fills is replaced by the held value (or
 * removed when the value is ""), frames of other kinds are kept as they are, and the values
 * with no frame yet are appended. The padding after the last frame is kept (2048 bytes when
 * there was none). Text that ISO-8859-1 cannot hold is written as UTF-16 with a byte-order mark;
 * URL frames carry no encoding byte; picture frames are written with the bytes they were read
 * with.
 */
#include "ByteSource.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace metadata {

class clsID3;

/** What a file holds around its audio. Positions are 0-based, the end exclusive. */
struct Id3FileLayout {
    QString error;             ///< why the file cannot be rewritten ("" when it can)
    int revision = 3;          ///< revision of the tag to write
    QByteArray frames;         ///< the old tag's frame data, ready to walk
    bool unsynchronised = false; ///< revision 4: every old frame is unsynchronised
    qint64 audioStart = 0;
    qint64 audioEnd = 0;
    /** The old Lyrics3 version 2 block ("LYRICSBEGIN" up to its last field), when present. */
    std::optional<QByteArray> lyrics3Block;
};

class Id3TagWriter {
public:
    /** Padding written after the frames when the old tag had none. */
    static constexpr qint64 DefaultPadding = 2048;

    /** Finds the old ID3v2 tag, the audio range and the old Lyrics3 version 2 block. A tag whose
     *  declared size runs past the end of the file is an error. */
    static Id3FileLayout inspect(ByteSource &source);

    /** The ID3v2 tag (header and body) that replaces the old one; nullopt when a frame or the
     *  tag is too large for its size field. */
    static std::optional<QByteArray> buildId3v2(const clsID3 &tags, const Id3FileLayout &layout);

    /** The Lyrics3 version 2 block, or "" when Title, Artist and Album all fit ID3v1. */
    static QByteArray buildLyrics3(const clsID3 &tags, const Id3FileLayout &layout);

    /** The 128-byte ID3v1 tag, or "" when it would hold nothing. */
    static QByteArray buildId3v1(const clsID3 &tags);

    /** The ID3v1 genre byte of the held genre values. */
    static int id3v1Genre(const clsID3 &tags);
};

} // namespace metadata
