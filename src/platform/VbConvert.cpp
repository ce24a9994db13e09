#include "VbConvert.h"

#include <QLocale>
#include <QTimeZone>
#include <cmath>
#include <limits>

namespace vb {

double roundHalfEven(double v)
{
    // The default floating-point rounding mode rounds to nearest, ties to even.
    return std::nearbyint(v);
}

namespace {

std::optional<double> parseRadix(const QString &digits, int base)
{
    if (digits.isEmpty())
        return std::nullopt;
    bool ok = false;
    qulonglong v = digits.toULongLong(&ok, base);
    if (!ok)
        return std::nullopt;
    // &H and &O literals are 16-bit when they fit, else 32-bit, and sign-wrap like the runtime.
    if (v <= 0xFFFF)
        return double(int16_t(uint16_t(v)));
    if (v <= 0xFFFFFFFFull)
        return double(int32_t(uint32_t(v)));
    return std::nullopt;
}

template <class T>
Converted<T> wholeNumber(double v)
{
    if (std::isnan(v))
        return Converted<T>::failure(Overflow);
    double r = roundHalfEven(v);
    if (r < double(std::numeric_limits<T>::min()) || r > double(std::numeric_limits<T>::max()))
        return Converted<T>::failure(Overflow);
    return T(r);
}

} // namespace

std::optional<double> parseNumber(const QString &text)
{
    QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    if (t.size() > 2 && t[0] == u'&') {
        QChar kind = t[1].toUpper();
        if (kind == u'H')
            return parseRadix(t.mid(2), 16);
        if (kind == u'O')
            return parseRadix(t.mid(2), 8);
    }
    bool ok = false;
    double v = QLocale().toDouble(t, &ok);
    if (ok)
        return v;
    // The runtime also takes numbers written with "." when the locale uses another separator.
    v = QLocale::c().toDouble(t, &ok);
    if (ok)
        return v;
    return std::nullopt;
}

Converted<int16_t> CInt(double v) { return wholeNumber<int16_t>(v); }
Converted<int32_t> CLng(double v) { return wholeNumber<int32_t>(v); }

Converted<int16_t> CInt(const QString &text)
{
    auto n = parseNumber(text);
    if (!n)
        return Converted<int16_t>::failure(TypeMismatch);
    return CInt(*n);
}

Converted<int32_t> CLng(const QString &text)
{
    auto n = parseNumber(text);
    if (!n)
        return Converted<int32_t>::failure(TypeMismatch);
    return CLng(*n);
}

Converted<float> CSng(const QString &text)
{
    auto n = parseNumber(text);
    if (!n)
        return Converted<float>::failure(TypeMismatch);
    if (std::fabs(*n) > double(std::numeric_limits<float>::max()))
        return Converted<float>::failure(Overflow);
    return float(*n);
}

Converted<double> CDbl(const QString &text)
{
    auto n = parseNumber(text);
    if (!n)
        return Converted<double>::failure(TypeMismatch);
    return *n;
}

Converted<bool> CBool(const QString &text)
{
    QString t = text.trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    auto n = parseNumber(t);
    if (!n)
        return Converted<bool>::failure(TypeMismatch);
    return *n != 0.0;
}

namespace {

// Reads `text` by `format` (in `locale`'s names, or the C names without one) as a wall-clock
// time: the parser is told the time is UTC, so no local time zone can refuse or move it. A
// format that names a zone itself ("t") is read as written.
QDateTime wallClock(const QString &text, const QString &format, const QLocale *locale)
{
    if (format.contains(u't'))
        return locale ? locale->toDateTime(text, format) : QDateTime::fromString(text, format);
    const QString zoned = text + QLatin1String(" UTC");
    const QString zonedFormat = format + QLatin1String(" t");
    return locale ? locale->toDateTime(zoned, zonedFormat) : QDateTime::fromString(zoned, zonedFormat);
}

} // namespace

QDateTime WallClockFromString(const QString &text, const QString &format)
{
    return wallClock(text, format, nullptr);
}

Converted<QDateTime> CDate(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return Converted<QDateTime>::failure(TypeMismatch);
    const QLocale loc;
    for (auto fmt : {QLocale::ShortFormat, QLocale::LongFormat, QLocale::NarrowFormat}) {
        QDateTime dt = wallClock(t, loc.dateTimeFormat(fmt), &loc);
        if (dt.isValid())
            return dt;
    }
    static const char *const patterns[] = {
        "yyyy-MM-dd HH:mm:ss", "yyyy-MM-ddTHH:mm:ss", "yyyy/MM/dd HH:mm:ss", "yyyy:MM:dd HH:mm:ss",
        "yyyy/M/d H:mm:ss", "yyyy/M/d H:mm", "M/d/yyyy h:mm:ss AP", "M/d/yyyy h:mm AP",
        "M/d/yyyy H:mm:ss", "M/d/yyyy H:mm", "d.M.yyyy H:mm:ss", "d.M.yyyy H:mm"};
    for (const char *p : patterns) {
        QDateTime dt = wallClock(t, QLatin1String(p), nullptr);
        if (dt.isValid())
            return dt;
    }
    static const char *const datePatterns[] = {"yyyy-MM-dd", "yyyy/MM/dd", "yyyy/M/d", "yyyy:MM:dd",
                                               "M/d/yyyy", "d.M.yyyy"};
    for (auto fmt : {QLocale::ShortFormat, QLocale::LongFormat}) {
        QDate d = loc.toDate(t, fmt);
        if (d.isValid())
            return QDateTime(d, QTime(0, 0), QTimeZone::utc());
    }
    for (const char *p : datePatterns) {
        QDate d = QDate::fromString(t, QLatin1String(p));
        if (d.isValid())
            return QDateTime(d, QTime(0, 0), QTimeZone::utc());
    }
    static const char *const timePatterns[] = {"H:mm:ss", "H:mm", "h:mm:ss AP", "h:mm AP"};
    for (const char *p : timePatterns) {
        QTime tm = QTime::fromString(t, QLatin1String(p));
        if (tm.isValid())
            return QDateTime(QDate(1899, 12, 30), tm, QTimeZone::utc());
    }
    return Converted<QDateTime>::failure(TypeMismatch);
}

double Val(const QString &text)
{
    QString t;
    t.reserve(text.size());
    for (QChar c : text)
        if (c != u' ' && c != u'\t' && c != u'\n' && c != u'\r')
            t += c;
    if (t.size() > 2 && t[0] == u'&') {
        QChar kind = t[1].toUpper();
        int base = kind == u'H' ? 16 : kind == u'O' ? 8 : 0;
        if (base) {
            int end = 2;
            while (end < t.size() && (base == 16 ? isxdigit(t[end].toLatin1()) : (t[end] >= u'0' && t[end] <= u'7')))
                ++end;
            return parseRadix(t.mid(2, end - 2), base).value_or(0.0);
        }
    }
    int i = 0;
    QByteArray num;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-'))
        num += char(t[i++].unicode());
    bool digits = false;
    while (i < t.size() && t[i].isDigit() && t[i].unicode() < 128) {
        num += char(t[i++].unicode());
        digits = true;
    }
    if (i < t.size() && t[i] == u'.') {
        num += '.';
        ++i;
        while (i < t.size() && t[i].unicode() < 128 && t[i].isDigit()) {
            num += char(t[i++].unicode());
            digits = true;
        }
    }
    if (!digits)
        return 0.0;
    if (i < t.size() && (t[i] == u'e' || t[i] == u'E' || t[i] == u'd' || t[i] == u'D')) {
        QByteArray exp = "e";
        int j = i + 1;
        if (j < t.size() && (t[j] == u'+' || t[j] == u'-'))
            exp += char(t[j++].unicode());
        bool expDigits = false;
        while (j < t.size() && t[j].unicode() < 128 && t[j].isDigit()) {
            exp += char(t[j++].unicode());
            expDigits = true;
        }
        if (expDigits)
            num += exp;
    }
    return num.toDouble();
}

double Int(double v) { return std::floor(v); }
double Fix(double v) { return std::trunc(v); }

} // namespace vb
