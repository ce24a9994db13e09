#pragma once
/**
 * A Lyrics3 block (version 1 ending in "LYRICSEND", version 2 ending in a six-digit size and
 * "LYRICS200") standing just before the ID3v1 tag.
 */
#include "ByteSource.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

namespace metadata {

struct Lyrics3Block {
    static constexpr qint64 Version1Window = 5111; ///< "LYRICSBEGIN" and up to 5100 lyrics bytes

    int version = 0; ///< 0 none, 1 or 2
    /** Version 1: the text after the last "LYRICSBEGIN" of its window. */
    std::optional<QString> lyrics;
    /** Version 2: the fields in block order, id and data with the line-break escapes replaced. */
    std::vector<std::pair<QByteArray, QString>> fields;
    /** Version 2: bytes the block takes before the ID3v1 tag (size digits and "LYRICS200"
     *  included); 0 when the block could not be read. */
    qint64 blockBytes = 0;

    /** Reads the block that ends at `end` (0-based, exclusive). */
    static Lyrics3Block read(ByteSource &source, qint64 end);

    /** Removes "[m:s]" time stamps whose two parts are whole non-negative numbers. */
    static QString removeTimestamps(const QString &lyrics);
};

} // namespace metadata
