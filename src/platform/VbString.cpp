#include "VbString.h"

#include "VbError.h"

namespace vb {

namespace {

Qt::CaseSensitivity sensitivity(Compare cmp)
{
    return cmp == Compare::Text ? Qt::CaseInsensitive : Qt::CaseSensitive;
}

void requireArgument(bool valid)
{
    if (!valid)
        throw Error(InvalidProcedureCall);
}

bool isWordBreak(QChar c)
{
    ushort u = c.unicode();
    return u == 0 || u == ' ' || (u >= 9 && u <= 13);
}

} // namespace

int InStr(int start, const QString &text, const QString &find, Compare cmp)
{
    requireArgument(start >= 1);
    if (text.isEmpty() || start > text.size())
        return 0;
    if (find.isEmpty())
        return start;
    return int(text.indexOf(find, start - 1, sensitivity(cmp))) + 1;
}

int InStrRev(const QString &text, const QString &find, int start, Compare cmp)
{
    requireArgument(start == -1 || start >= 1);
    if (start == -1)
        start = int(text.size());
    if (text.isEmpty() || start > text.size())
        return 0;
    if (find.isEmpty())
        return start;
    qsizetype from = start - find.size();
    if (from < 0)
        return 0;
    return int(text.lastIndexOf(find, from, sensitivity(cmp))) + 1;
}

QString Left(const QString &text, int length)
{
    requireArgument(length >= 0);
    return text.left(length);
}

QString Right(const QString &text, int length)
{
    requireArgument(length >= 0);
    return text.right(length);
}

QString Mid(const QString &text, int start)
{
    requireArgument(start >= 1);
    return start > text.size() ? QString() : text.mid(start - 1);
}

QString Mid(const QString &text, int start, int length)
{
    requireArgument(start >= 1 && length >= 0);
    return start > text.size() ? QString() : text.mid(start - 1, length);
}

void MidAssign(QString &text, int start, int length, const QString &replacement)
{
    requireArgument(start >= 1 && start <= text.size() && length >= 0);
    qsizetype n = std::min<qsizetype>({qsizetype(length), replacement.size(), text.size() - start + 1});
    text.replace(start - 1, n, replacement.left(n));
}

QString Replace(const QString &text, const QString &find, const QString &with, int start, int count,
                Compare cmp)
{
    requireArgument(start >= 1 && count >= -1);
    if (start > text.size())
        return QString();
    QString rest = text.mid(start - 1);
    if (find.isEmpty() || count == 0)
        return rest;
    QString out;
    out.reserve(rest.size());
    qsizetype pos = 0;
    int done = 0;
    const auto cs = sensitivity(cmp);
    while (count == -1 || done < count) {
        qsizetype hit = rest.indexOf(find, pos, cs);
        if (hit < 0)
            break;
        out += QStringView(rest).mid(pos, hit - pos);
        out += with;
        pos = hit + find.size();
        ++done;
    }
    out += QStringView(rest).mid(pos);
    return out;
}

namespace {

// `convert` applied to the text between lone surrogates, which stay as they are: the case
// mapping would make each of them U+FFFD, and in a name such a unit is a byte that is not UTF-8.
template <class Convert>
QString keepingLoneSurrogates(const QString &text, Convert convert)
{
    QString out;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode())) {
            ++i;
        } else if (QChar::isSurrogate(u)) {
            out += convert(text.mid(start, i - start));
            out += text[i];
            start = i + 1;
        }
    }
    if (start == 0)
        return convert(text);
    return out + convert(text.mid(start));
}

} // namespace

QString UCase(const QString &text)
{
    return keepingLoneSurrogates(text, [](const QString &part) { return part.toUpper(); });
}

QString LCase(const QString &text)
{
    return keepingLoneSurrogates(text, [](const QString &part) { return part.toLower(); });
}

QString ProperCase(const QString &text)
{
    QString out = text.toLower();
    bool startOfWord = true;
    for (QChar &c : out) {
        if (startOfWord)
            c = c.toUpper();
        startOfWord = isWordBreak(c);
    }
    return out;
}

QString Trim(const QString &text) { return LTrim(RTrim(text)); }

QString LTrim(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    return text.mid(i);
}

QString RTrim(const QString &text)
{
    qsizetype n = text.size();
    while (n > 0 && text[n - 1] == u' ')
        --n;
    return text.left(n);
}

QString Space(int count)
{
    requireArgument(count >= 0);
    return QString(count, u' ');
}

QString String(int count, QChar ch)
{
    requireArgument(count >= 0);
    return QString(count, ch);
}

int StrComp(const QString &a, const QString &b, Compare cmp)
{
    int r = a.compare(b, sensitivity(cmp));
    return r < 0 ? -1 : r > 0 ? 1 : 0;
}

namespace {

bool sameChar(QChar a, QChar b, Compare cmp)
{
    return cmp == Compare::Text ? a.toCaseFolded() == b.toCaseFolded() : a == b;
}

// Matches one "[...]" class at pattern[p] (just after "["); sets p past the "]".
bool matchClass(QChar c, const QString &pattern, qsizetype &p, Compare cmp, bool &valid)
{
    bool negate = p < pattern.size() && pattern[p] == u'!';
    if (negate)
        ++p;
    bool hit = false;
    bool first = true;
    while (p < pattern.size() && (pattern[p] != u']' || first)) {
        first = false;
        QChar lo = pattern[p];
        if (p + 2 < pattern.size() && pattern[p + 1] == u'-' && pattern[p + 2] != u']') {
            QChar hi = pattern[p + 2];
            QChar cc = cmp == Compare::Text ? c.toCaseFolded() : c;
            QChar l = cmp == Compare::Text ? lo.toCaseFolded() : lo;
            QChar h = cmp == Compare::Text ? hi.toCaseFolded() : hi;
            if (cc >= l && cc <= h)
                hit = true;
            p += 3;
        } else {
            if (sameChar(c, lo, cmp))
                hit = true;
            ++p;
        }
    }
    valid = p < pattern.size();
    ++p;
    return hit != negate;
}

} // namespace

bool Like(const QString &text, const QString &pattern, Compare cmp)
{
    // Iterative matcher with back-tracking to the last "*".
    qsizetype t = 0, p = 0, starP = -1, starT = 0;
    while (t < text.size()) {
        if (p < pattern.size()) {
            QChar pc = pattern[p];
            if (pc == u'*') {
                starP = ++p;
                starT = t;
                continue;
            }
            qsizetype next = p + 1;
            bool ok;
            if (pc == u'?') {
                ok = true;
            } else if (pc == u'#') {
                ok = text[t].isDigit();
            } else if (pc == u'[') {
                bool valid = true;
                next = p + 1;
                ok = matchClass(text[t], pattern, next, cmp, valid);
                if (!valid)
                    throw Error(93, QStringLiteral("Invalid pattern string"));
            } else {
                ok = sameChar(text[t], pc, cmp);
            }
            if (ok) {
                p = next;
                ++t;
                continue;
            }
        }
        if (starP < 0)
            return false;
        p = starP;
        t = ++starT;
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

} // namespace vb
