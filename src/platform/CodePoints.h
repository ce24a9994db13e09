#pragma once
/**
 * The string functions of the name operations, counted in whole characters (code points), so a
 * character outside the basic plane is never cut in half: a surrogate pair is one character, and
 * so is a lone surrogate (a byte of a name that is not UTF-8, see PathCodec.h). Combining marks
 * are characters of their own. Positions are 1-based and the functions take and refuse the
 * arguments their UTF-16 namesakes in VbString.h do (an invalid start or length throws
 * Error(InvalidProcedureCall)).
 */
#include "VbString.h"

#include <QString>
#include <QStringView>

#include <string>

namespace chars {

/** The number of characters of `text`. */
int Len(QStringView text);

QString Left(const QString &text, int length);
QString Right(const QString &text, int length);
/** The rest of `text` from character `start`. */
QString Mid(const QString &text, int start);
QString Mid(const QString &text, int start, int length);

/** Position (in characters, 1-based) of `find` in `text`, 0 when absent; a match that would
 *  begin or end inside a pair is not one. */
int InStr(const QString &text, const QString &find, vb::Compare cmp = vb::Compare::Binary);

/** The first character of `text` (two UTF-16 units for a pair), empty for an empty text. */
QString First(const QString &text);
/** `count` copies of `character` (none when count < 1). */
QString String(int count, const QString &character);

/** The characters of `text` one by one; a lone surrogate keeps its own value. */
std::u32string ToChars(QStringView text);
/** One character as text. */
QString FromChar(char32_t c);

/** The number of UTF-16 units of the first `count` characters of `text` (all when it has
 *  fewer). */
qsizetype UnitsOf(QStringView text, int count);

} // namespace chars
