#pragma once
/**
 * The classic string functions on QString (UTF-16, like the original runtime): positions are
 * 1-based; an invalid start or length throws Error(InvalidProcedureCall).
 */
#include <QString>

namespace vb {

enum class Compare { Binary, Text };

/** Position of `find` in `text` from `start` (1-based), 0 when absent. An empty `find` gives
 *  `start` while `start` <= Len(text) + 1... except for an empty `text`, which gives 0. */
int InStr(int start, const QString &text, const QString &find, Compare cmp = Compare::Binary);
inline int InStr(const QString &text, const QString &find, Compare cmp = Compare::Binary)
{
    return InStr(1, text, find, cmp);
}
/** Last position of `find` that ends at or before `start` (-1: the end of the text). */
int InStrRev(const QString &text, const QString &find, int start = -1, Compare cmp = Compare::Binary);

QString Left(const QString &text, int length);
QString Right(const QString &text, int length);
/** `length` < 0 in the three-argument form is an error; the two-argument form takes the rest. */
QString Mid(const QString &text, int start);
QString Mid(const QString &text, int start, int length);
/** The statement form `Mid(text, start, length) = replacement`: overwrites in place without
 *  changing the length of `text`. */
void MidAssign(QString &text, int start, int length, const QString &replacement);

/** Replaces up to `count` (-1: all) occurrences, searching from `start`; like the runtime the
 *  result begins at `start`. An empty `find` leaves the text as it is. */
QString Replace(const QString &text, const QString &find, const QString &with, int start = 1,
                int count = -1, Compare cmp = Compare::Binary);

QString UCase(const QString &text);
QString LCase(const QString &text);
/** First letter of every word upper case, the rest lower; words are separated by blanks,
 *  tabs, line and form feeds, carriage returns and NUL. */
QString ProperCase(const QString &text);

QString Trim(const QString &text);
QString LTrim(const QString &text);
QString RTrim(const QString &text);
inline int Len(const QString &text) { return int(text.size()); }
QString Space(int count);
QString String(int count, QChar ch);

/** Compares two texts: -1, 0 or 1. */
int StrComp(const QString &a, const QString &b, Compare cmp = Compare::Binary);

/** The `Like` operator of the runtime for file masks: "*", "?", "#", "[...]" and "[!...]". */
bool Like(const QString &text, const QString &pattern, Compare cmp = Compare::Binary);

} // namespace vb
