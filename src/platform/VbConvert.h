#pragma once
/**
 * Conversions with the classic BASIC rules: texts are read as numbers in the current locale,
 * whole-number conversions round half to even and fail with Overflow outside their range, and a
 * text that is no number fails with Type mismatch. A failure is a value the caller must look at.
 */
#include "VbError.h"

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <optional>

namespace vb {

/** A converted value or the error that stopped the conversion. */
template <class T>
class [[nodiscard]] Converted {
public:
    Converted(T value) : m_value(value) {}
    static Converted failure(int number) { Converted c{T{}}; c.m_error = number; return c; }

    bool ok() const { return m_error == NoError; }
    int error() const { return m_error; }
    /** The value; throws the conversion's Error when it failed. */
    T value() const
    {
        if (!ok())
            throw Error(m_error);
        return m_value;
    }
    T valueOr(T fallback) const { return ok() ? m_value : fallback; }

private:
    T m_value;
    int m_error = NoError;
};

/** Rounds to the nearest whole number, a half to the even neighbour. */
double roundHalfEven(double v);

/** Reads a text as a number the way the runtime coerces strings (blanks trimmed, locale
 *  decimal and group separators, exponent, "&H"/"&O" prefixes); nullopt when it is no number. */
std::optional<double> parseNumber(const QString &text);

Converted<int16_t> CInt(double v);
Converted<int16_t> CInt(const QString &text);
Converted<int32_t> CLng(double v);
Converted<int32_t> CLng(const QString &text);
Converted<float> CSng(const QString &text);
Converted<double> CDbl(const QString &text);
/** "True"/"False" (any case) or a number (non-zero is true). */
Converted<bool> CBool(const QString &text);
/** A date and/or time text in the current locale's or ISO order. The text is a wall-clock
 *  time with no time zone: the result is held in UTC, so its date and time are those written
 *  (an hour that a daylight-saving change skips locally reads as well as any other). */
Converted<QDateTime> CDate(const QString &text);
/** A date and time text of the given QDateTime format, read as CDate reads it: a wall-clock
 *  time held in UTC. Invalid when the text does not fit the format. */
QDateTime WallClockFromString(const QString &text, const QString &format);

/** The leading number of a text, never failing: blanks are skipped, reading stops at the first
 *  character that cannot continue a number, "." is always the decimal point. "" gives 0. */
double Val(const QString &text);

/** Largest whole number not above v. */
double Int(double v);
/** v without its fraction (towards zero). */
double Fix(double v);

/** True as the runtime writes it. */
inline QString boolText(bool b) { return b ? QStringLiteral("True") : QStringLiteral("False"); }

} // namespace vb
