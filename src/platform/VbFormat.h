#pragma once
/**
 * Format with the runtime's date and number patterns: "mm_dd_yyyy", "hh_mm_ss AM/PM",
 * "hhmmss_AM/PM", "long date", "Long Time", "#,###,###", "0.0", "00". Month and day names come
 * from QLocale() (the default locale), so tests can pin en_US.
 */
#include <QDateTime>
#include <QString>

namespace vb {

/** Formats a date/time: d dd ddd dddd m mm mmm mmmm (mm after an hour code is the minute),
 *  yy yyyy h hh n nn s ss, AM/PM am/pm A/P a/p, "/" ":" literal, "\x" and "..." literals,
 *  and the named formats "General Date", "Long Date", "Medium Date", "Short Date",
 *  "Long Time", "Medium Time", "Short Time" (any case). */
QString Format(const QDateTime &value, const QString &pattern);

/** Formats a number with the placeholders "0" and "#", "." (decimal point), "," (thousands),
 *  "%" and literal characters; rounds half away from zero. An empty pattern gives the plain
 *  number text. */
QString Format(double value, const QString &pattern);

/** The plain text of a number as the runtime writes it (Str without the leading blank,
 *  locale decimal separator): 1.5, -2, 0.25. */
QString NumberText(double value);

/** Weekday number with Sunday = 1 (the runtime's default). */
int Weekday(const QDate &date);

} // namespace vb
