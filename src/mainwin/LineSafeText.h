#pragma once
/**
 * What the program's line-based files (file lists, bookmarks) can keep: one value per line, so a
 * value holding a line break cannot be stored. A name whose bytes are not UTF-8 is written as
 * its bytes and read back as them; only a text that stands for such a name without its bytes
 * (a replacement character) cannot be kept. The refusal texts show names with their control
 * characters escaped.
 */
#include <QString>

namespace mainwin {

/** True when the text holds a carriage return or a line feed. */
bool HoldsLineBreak(const QString &text);

/** The text with its control characters shown as "\n", "\r", "\t" or "\xNN". */
QString ShownName(const QString &text);

/**
 * Why the path `folder` + `name` cannot sit on a line of a file named `fileKind` (for instance
 * "a file list"): empty when it can. A line break cannot; nor can a name that holds the
 * replacement character when no item of that exact name exists (its real bytes were not UTF-8
 * and were lost on the way, so the text stands for a different name).
 */
QString LineRefusal(const QString &folder, const QString &name, const QString &fileKind);

} // namespace mainwin
