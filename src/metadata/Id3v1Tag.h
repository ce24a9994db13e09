#pragma once
/**
 * The ID3v1 / v1.1 tag in the last 128 bytes of an MP3 file.
 */
#include <QByteArray>
#include <QString>

#include <optional>

namespace metadata {

struct Id3v1Tag {
    static constexpr qint64 Size = 128;

    /** Each text cut before its first NUL, trailing blanks removed. */
    QString Title, Artist, Album, Year, Comments;
    /** The v1.1 track byte (comment byte 29 zero, byte 30 not). */
    std::optional<int> track;
    int genre = 255;

    /** The tag when the 128 bytes begin with "TAG". */
    static std::optional<Id3v1Tag> parse(const QByteArray &bytes);
};

} // namespace metadata
