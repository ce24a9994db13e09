#include "VbFormat.h"

#include <QLocale>
#include <QStringTokenizer>
#include <QVarLengthArray>
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

// A non-negative number as decimal digits (15 significant, as the runtime keeps them). The
// digits are held in short buffers on the stack: formatting a number allocates little more than
// its result.
using Digits = QVarLengthArray<char16_t, 40>;
struct Decimal {
    Digits intDigits;  // no leading zeros; empty for 0
    Digits fracDigits; // no trailing zeros
};

void trim(Decimal &d)
{
    qsizetype zeros = 0;
    while (zeros < d.intDigits.size() && d.intDigits[zeros] == u'0')
        ++zeros;
    d.intDigits.remove(0, zeros);
    while (!d.fracDigits.isEmpty() && d.fracDigits.back() == u'0')
        d.fracDigits.removeLast();
}

Decimal toDecimal(double a)
{
    const QString e = QString::number(a, 'e', 14); // d.dddddddddddddde+XX
    const qsizetype ePos = e.indexOf(u'e');
    Digits digits;
    for (QChar c : QStringView(e).left(ePos))
        if (c != u'.')
            digits.append(c.unicode());
    const int exp = QStringView(e).mid(ePos + 1).toInt();
    const qsizetype point = qsizetype(exp) + 1; // digits before the decimal point
    Decimal out;
    if (point <= 0) {
        out.fracDigits.resize(-point, u'0');
        out.fracDigits.append(digits.constData(), digits.size());
    } else if (point >= digits.size()) {
        out.intDigits = digits;
        out.intDigits.resize(point, u'0');
    } else {
        out.intDigits.append(digits.constData(), point);
        out.fracDigits.append(digits.constData() + point, digits.size() - point);
    }
    trim(out);
    return out;
}

// Adds one to the number the digits spell; true when the carry runs out past the first digit
// (every digit was 9 and is now 0).
bool increment(Digits &digits)
{
    for (qsizetype k = digits.size() - 1; k >= 0; --k) {
        if (digits[k] != u'9') {
            ++digits[k];
            return false;
        }
        digits[k] = u'0';
    }
    return true;
}

// Rounds half away from zero to `places` fraction digits.
void roundTo(Decimal &d, int places)
{
    if (d.fracDigits.size() <= places)
        return;
    const bool up = d.fracDigits[places] >= u'5';
    d.fracDigits.resize(places);
    if (up && increment(d.fracDigits) && increment(d.intDigits))
        d.intDigits.insert(d.intDigits.cbegin(), u'1');
    trim(d);
}

bool isPlaceholder(QChar c) { return c == u'0' || c == u'#'; }

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
    // The sections "positive;negative;zero": a negative or zero value takes its own section
    // when the pattern has a non-empty one.
    QStringView sections[3];
    qsizetype sectionCount = 0;
    for (QStringView piece : qTokenize(pattern, u';')) {
        sections[sectionCount++] = piece;
        if (sectionCount == 3)
            break;
    }
    const bool explicitNegative = value < 0 && sectionCount >= 2 && !sections[1].isEmpty();
    const QStringView sec = explicitNegative                                                   ? sections[1]
                            : value == 0 && sectionCount >= 3 && !sections[2].isEmpty() ? sections[2]
                                                                                        : sections[0];

    qsizetype first = -1, last = -1;
    for (qsizetype i = 0; i < sec.size(); ++i)
        if (isPlaceholder(sec[i]) || sec[i] == u'.' || sec[i] == u',') {
            if (first < 0)
                first = i;
            last = i;
        }
    if (first < 0)
        return sec.toString(); // no placeholders: the pattern is the text
    const QStringView prefix = sec.left(first);
    const QStringView suffix = sec.mid(last + 1);
    const QStringView body = sec.mid(first, last - first + 1);

    const qsizetype dot = body.indexOf(u'.');
    const QStringView intPart = dot < 0 ? body : body.left(dot);
    const QStringView fracPart = dot < 0 ? QStringView() : body.mid(dot + 1);
    const bool group = intPart.contains(u',') && intPart.indexOf(u',') < intPart.size() - 1;
    const qsizetype minInt = intPart.count(u'0');
    qsizetype minFrac = 0;
    for (QChar c : fracPart) {
        if (c != u'0')
            break;
        ++minFrac;
    }
    const int maxFrac = int(fracPart.count(u'0') + fracPart.count(u'#'));

    double a = std::fabs(value);
    if (sec.contains(u'%'))
        a *= 100;
    Decimal dec = toDecimal(a);
    roundTo(dec, maxFrac);
    const bool nonZero = !dec.intDigits.isEmpty() || !dec.fracDigits.isEmpty();

    QString out;
    out.reserve(1 + prefix.size() + qMax(minInt, dec.intDigits.size()) * 2 + 1 + qMax(minFrac, dec.fracDigits.size())
                + suffix.size());
    if (value < 0 && nonZero && !explicitNegative)
        out += u'-';
    out += prefix;
    // The whole part, padded with zeros to its placeholders, with a group separator before each
    // group of three digits from the right when the pattern asks for them.
    const qsizetype pad = qMax<qsizetype>(0, minInt - dec.intDigits.size());
    const qsizetype intSize = pad + dec.intDigits.size();
    const QString separator = group && intSize > 3 ? QLocale().groupSeparator() : QString();
    for (qsizetype i = 0; i < intSize; ++i) {
        if (i > 0 && !separator.isEmpty() && (intSize - i) % 3 == 0)
            out += separator;
        out += i < pad ? QChar(u'0') : QChar(dec.intDigits[i - pad]);
    }
    if (dot >= 0) {
        out += QLocale().decimalPoint();
        out.append(reinterpret_cast<const QChar *>(dec.fracDigits.constData()), dec.fracDigits.size());
        for (qsizetype i = dec.fracDigits.size(); i < minFrac; ++i)
            out += u'0';
    }
    out += suffix;
    return out;
}

} // namespace vb
