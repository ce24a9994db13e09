#include "VbFormat.h"

#include <QLocale>
#include <cmath>

namespace vb {

int Weekday(const QDate &date) { return date.dayOfWeek() % 7 + 1; }

// ---------------------------------------------------------------------------------------------
// Dates

namespace {

QString twoDigits(int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); }

bool startsWithCI(const QString &s, qsizetype pos, QLatin1String word)
{
    return QStringView(s).mid(pos, word.size()).compare(word, Qt::CaseInsensitive) == 0;
}

QString localeLongTime(const QLocale &loc, const QTime &t)
{
    QString f = loc.timeFormat(QLocale::LongFormat);
    f.remove(QLatin1String(" t")).remove(QLatin1Char('t'));
    return loc.toString(t, f.trimmed());
}

QString localeShortDate(const QLocale &loc, const QDate &d)
{
    QString f = loc.dateFormat(QLocale::ShortFormat);
    if (!f.contains(QLatin1String("yyyy")))
        f.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return loc.toString(d, f);
}

std::optional<QString> namedFormat(const QDateTime &v, const QString &pattern)
{
    const QLocale loc;
    const QString p = pattern.trimmed().toLower();
    if (p == QLatin1String("long date"))
        return loc.toString(v.date(), QLocale::LongFormat);
    if (p == QLatin1String("medium date"))
        return loc.toString(v.date(), QStringLiteral("dd-MMM-yy"));
    if (p == QLatin1String("short date"))
        return localeShortDate(loc, v.date());
    if (p == QLatin1String("long time"))
        return localeLongTime(loc, v.time());
    if (p == QLatin1String("medium time"))
        return loc.toString(v.time(), QStringLiteral("hh:mm AP"));
    if (p == QLatin1String("short time"))
        return loc.toString(v.time(), QStringLiteral("HH:mm"));
    if (p == QLatin1String("general date")) {
        QString out = localeShortDate(loc, v.date());
        if (v.time() != QTime(0, 0))
            out += u' ' + localeLongTime(loc, v.time());
        return out;
    }
    return std::nullopt;
}

bool hasAmPm(const QString &pattern)
{
    return pattern.contains(QLatin1String("AM/PM"), Qt::CaseInsensitive)
        || pattern.contains(QLatin1String("A/P"), Qt::CaseInsensitive)
        || pattern.contains(QLatin1String("AMPM"), Qt::CaseInsensitive);
}

} // namespace

QString Format(const QDateTime &value, const QString &pattern)
{
    if (auto named = namedFormat(value, pattern))
        return *named;
    if (pattern.isEmpty())
        return *namedFormat(value, QStringLiteral("general date"));

    const QLocale loc;
    const QDate d = value.date();
    const QTime t = value.time();
    const bool twelve = hasAmPm(pattern);
    int hour12 = t.hour() % 12;
    if (hour12 == 0)
        hour12 = 12;
    const int hour = twelve ? hour12 : t.hour();

    QString out;
    bool afterHour = false;
    qsizetype i = 0;
    auto run = [&](QChar c) {
        qsizetype n = 0;
        while (i + n < pattern.size() && pattern[i + n].toLower() == c)
            ++n;
        return n;
    };
    while (i < pattern.size()) {
        const QChar c = pattern[i];
        const QChar lc = c.toLower();
        if (c == u'\\' && i + 1 < pattern.size()) {
            out += pattern[i + 1];
            i += 2;
            continue;
        }
        if (c == u'"') {
            qsizetype end = pattern.indexOf(u'"', i + 1);
            if (end < 0)
                end = pattern.size();
            out += pattern.mid(i + 1, end - i - 1);
            i = end + 1;
            continue;
        }
        if (startsWithCI(pattern, i, QLatin1String("AM/PM"))) {
            QString ap = t.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
            out += pattern[i].isLower() ? ap.toLower() : ap;
            i += 5;
            continue;
        }
        if (startsWithCI(pattern, i, QLatin1String("A/P"))) {
            QString ap = t.hour() < 12 ? QStringLiteral("A") : QStringLiteral("P");
            out += pattern[i].isLower() ? ap.toLower() : ap;
            i += 3;
            continue;
        }
        if (startsWithCI(pattern, i, QLatin1String("AMPM"))) {
            out += t.hour() < 12 ? loc.amText() : loc.pmText();
            i += 4;
            continue;
        }
        if (lc == u'd') {
            qsizetype n = run(u'd');
            if (n >= 6)
                out += loc.toString(d, QLocale::LongFormat);
            else if (n == 5)
                out += localeShortDate(loc, d);
            else if (n == 4)
                out += loc.dayName(d.dayOfWeek(), QLocale::LongFormat);
            else if (n == 3)
                out += loc.dayName(d.dayOfWeek(), QLocale::ShortFormat);
            else if (n == 2)
                out += twoDigits(d.day());
            else
                out += QString::number(d.day());
            i += n;
            afterHour = false;
            continue;
        }
        if (lc == u'm') {
            qsizetype n = run(u'm');
            if (afterHour && n <= 2) {
                out += n == 2 ? twoDigits(t.minute()) : QString::number(t.minute());
            } else if (n >= 4) {
                out += loc.monthName(d.month(), QLocale::LongFormat);
            } else if (n == 3) {
                out += loc.monthName(d.month(), QLocale::ShortFormat);
            } else {
                out += n == 2 ? twoDigits(d.month()) : QString::number(d.month());
            }
            i += n;
            afterHour = false;
            continue;
        }
        if (lc == u'y') {
            qsizetype n = run(u'y');
            if (n >= 3)
                out += QStringLiteral("%1").arg(d.year(), 4, 10, QLatin1Char('0'));
            else if (n == 2)
                out += twoDigits(d.year() % 100);
            else
                out += QString::number(d.dayOfYear());
            i += n;
            afterHour = false;
            continue;
        }
        if (lc == u'h' || lc == u'n' || lc == u's') {
            qsizetype n = std::min<qsizetype>(run(lc), 2);
            int v = lc == u'h' ? hour : lc == u'n' ? t.minute() : t.second();
            out += n == 2 ? twoDigits(v) : QString::number(v);
            i += n;
            afterHour = lc == u'h';
            continue;
        }
        if (lc == u'w') {
            qsizetype n = run(u'w');
            out += n >= 2 ? QString::number(d.weekNumber()) : QString::number(Weekday(d));
            i += n;
            afterHour = false;
            continue;
        }
        if (lc == u'q') {
            out += QString::number((d.month() - 1) / 3 + 1);
            ++i;
            afterHour = false;
            continue;
        }
        if (lc == u't' && startsWithCI(pattern, i, QLatin1String("ttttt"))) {
            out += localeLongTime(loc, t);
            i += 5;
            continue;
        }
        out += c;
        ++i;
    }
    return out;
}

// ---------------------------------------------------------------------------------------------
// Numbers

namespace {

// A non-negative number as decimal digits (15 significant, as the runtime keeps them).
struct Decimal {
    QString intDigits;  // no leading zeros; empty for 0
    QString fracDigits; // no trailing zeros
};

Decimal toDecimal(double a)
{
    QString e = QString::number(a, 'e', 14); // d.dddddddddddddde+XX
    qsizetype ePos = e.indexOf(u'e');
    QString digits = e.left(ePos).remove(u'.');
    int exp = e.mid(ePos + 1).toInt();
    int point = exp + 1; // digits before the decimal point
    Decimal out;
    if (point <= 0) {
        out.fracDigits = QString(-point, u'0') + digits;
    } else if (point >= digits.size()) {
        out.intDigits = digits + QString(point - digits.size(), u'0');
    } else {
        out.intDigits = digits.left(point);
        out.fracDigits = digits.mid(point);
    }
    while (out.intDigits.startsWith(u'0'))
        out.intDigits.remove(0, 1);
    while (out.fracDigits.endsWith(u'0'))
        out.fracDigits.chop(1);
    return out;
}

// Rounds half away from zero to `places` fraction digits.
void roundTo(Decimal &d, int places)
{
    if (d.fracDigits.size() <= places)
        return;
    bool up = d.fracDigits[places] >= u'5';
    QString all = d.intDigits + d.fracDigits.left(places);
    if (up) {
        qsizetype k = all.size() - 1;
        while (k >= 0 && all[k] == u'9') {
            all[k] = u'0';
            --k;
        }
        if (k < 0)
            all.prepend(u'1');
        else
            all[k] = QChar(all[k].unicode() + 1);
    }
    qsizetype intLen = all.size() - places;
    d.intDigits = all.left(intLen);
    d.fracDigits = all.mid(intLen);
    while (d.intDigits.startsWith(u'0'))
        d.intDigits.remove(0, 1);
    while (d.fracDigits.endsWith(u'0'))
        d.fracDigits.chop(1);
}

bool isPlaceholder(QChar c) { return c == u'0' || c == u'#'; }

QString section(const QString &pattern, double value)
{
    QStringList parts = pattern.split(u';');
    if (value < 0 && parts.size() >= 2 && !parts[1].isEmpty())
        return parts[1];
    if (value == 0 && parts.size() >= 3 && !parts[2].isEmpty())
        return parts[2];
    return parts[0];
}

} // namespace

QString NumberText(double value)
{
    if (value == 0)
        return QStringLiteral("0");
    QString s = QString::number(value, 'g', 15);
    s.replace(u'.', QLocale().decimalPoint());
    s.replace(QLatin1String("e+"), QLatin1String("E+")).replace(QLatin1String("e-"), QLatin1String("E-"));
    return s;
}

QString Format(double value, const QString &pattern)
{
    if (pattern.isEmpty())
        return NumberText(value);
    const QString sec = section(pattern, value);
    const bool explicitNegative = value < 0 && pattern.split(u';').size() >= 2 && !pattern.split(u';')[1].isEmpty();

    qsizetype first = -1, last = -1;
    for (qsizetype i = 0; i < sec.size(); ++i)
        if (isPlaceholder(sec[i]) || sec[i] == u'.' || sec[i] == u',') {
            if (first < 0)
                first = i;
            last = i;
        }
    if (first < 0)
        return sec; // no placeholders: the pattern is the text
    QString prefix = sec.left(first);
    QString suffix = sec.mid(last + 1);
    QString body = sec.mid(first, last - first + 1);

    qsizetype dot = body.indexOf(u'.');
    QString intPart = dot < 0 ? body : body.left(dot);
    QString fracPart = dot < 0 ? QString() : body.mid(dot + 1);
    const bool group = intPart.contains(u',') && intPart.indexOf(u',') < intPart.size() - 1;
    int minInt = int(intPart.count(u'0'));
    int minFrac = 0;
    for (QChar c : fracPart) {
        if (c != u'0')
            break;
        ++minFrac;
    }
    int maxFrac = int(fracPart.count(u'0') + fracPart.count(u'#'));

    double a = std::fabs(value);
    if (sec.contains(u'%'))
        a *= 100;
    Decimal dec = toDecimal(a);
    roundTo(dec, maxFrac);

    QString intText = dec.intDigits;
    if (intText.size() < minInt)
        intText.prepend(QString(minInt - intText.size(), u'0'));
    if (group && intText.size() > 3) {
        const QString sep = QLocale().groupSeparator();
        for (qsizetype k = intText.size() - 3; k > 0; k -= 3)
            intText.insert(k, sep);
    }
    QString fracText = dec.fracDigits;
    if (fracText.size() < minFrac)
        fracText += QString(minFrac - fracText.size(), u'0');

    QString out = prefix + intText;
    if (dot >= 0)
        out += QLocale().decimalPoint() + fracText;
    out += suffix;
    const bool nonZero = !dec.intDigits.isEmpty() || !dec.fracDigits.isEmpty();
    if (value < 0 && nonZero && !explicitNegative)
        out.prepend(u'-');
    return out;
}

} // namespace vb
