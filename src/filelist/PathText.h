#pragma once
/**
 * Small text helpers of the file list: folder separators, NUL-terminated names, the parts of a
 * path and the text after the last delimiter.
 */
#include <QString>
#include <cstdint>

namespace filelist {

/** `path` followed by "/" unless it already ends with one; an empty path gives "/". */
QString AddBackslash(const QString &path);

/** The text before a NUL found at position 2 or later, an empty text when the first character
 *  is a NUL, else the text without leading and trailing blanks. */
QString TrimAtNull(const QString &text);

/**
 * One component of a path. The folder separator is the last "/" (or, in a path without one, the
 * last "\"); the extension is the text after the last "." behind that separator.
 *  0 base name, 1 extension, 2 folder with its separator, 3 folder without it, 4 name with
 *  extension, 5 the path without its extension, 6 the containing folder's base name,
 *  7 the drive letter before the last ":", 8 the same with the colon, 9 a URL-style path with
 *  "/" turned into "\", 10 and 11 the path unchanged; any other part gives an empty text.
 */
QString PathPart(const QString &path, int32_t part);

/**
 * The text after the last `delimiter` in `text`, searched from the end; `compare` 0 is an exact
 * comparison, 1 ignores case. `position` receives the 1-based position of that occurrence (0
 * when absent). Without an occurrence the result is `text` when `wholeIfMissing`, else empty.
 */
QString TextAfterLast(const QString &text, const QString &delimiter, int32_t compare,
                      int32_t &position, bool wholeIfMissing);

} // namespace filelist
