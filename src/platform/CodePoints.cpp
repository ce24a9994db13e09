#include "CodePoints.h"

#include "VbError.h"

namespace chars {

namespace {

void requireArgument(bool valid)
{
    if (!valid)
        throw vb::Error(vb::InvalidProcedureCall);
}

bool isHigh(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool isLow(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// True when the units at i - 1 and i form one character, so that i is inside it.
bool insidePair(QStringView text, qsizetype i)
{
    return i > 0 && i < text.size() && isHigh(text[i - 1].unicode()) && isLow(text[i].unicode());
}

// The number of UTF-16 units of the last `count` characters of `text`.
qsizetype unitsFromEnd(QStringView text, int count)
{
    qsizetype i = text.size();
    for (int n = 0; n < count && i > 0; ++n) {
        --i;
        if (insidePair(text, i))
            --i;
    }
    return text.size() - i;
}

} // namespace

int Len(QStringView text)
{
    qsizetype n = text.size();
    for (qsizetype i = 1; i < text.size(); ++i) {
        if (insidePair(text, i))
            --n;
    }
    return int(n);
}

qsizetype UnitsOf(QStringView text, int count)
{
    qsizetype i = 0;
    for (int n = 0; n < count && i < text.size(); ++n) {
        ++i;
        if (insidePair(text, i))
            ++i;
    }
    return i;
}

QString Left(const QString &text, int length)
{
    requireArgument(length >= 0);
    return text.left(UnitsOf(text, length));
}

QString Right(const QString &text, int length)
{
    requireArgument(length >= 0);
    return text.right(unitsFromEnd(text, length));
}

QString Mid(const QString &text, int start)
{
    requireArgument(start >= 1);
    return text.mid(UnitsOf(text, start - 1));
}

QString Mid(const QString &text, int start, int length)
{
    requireArgument(start >= 1 && length >= 0);
    const QStringView rest = QStringView(text).mid(UnitsOf(text, start - 1));
    return rest.left(UnitsOf(rest, length)).toString();
}

int InStr(const QString &text, const QString &find, vb::Compare cmp)
{
    if (text.isEmpty())
        return 0;
    if (find.isEmpty())
        return 1;
    const Qt::CaseSensitivity cs = cmp == vb::Compare::Text ? Qt::CaseInsensitive : Qt::CaseSensitive;
    for (qsizetype from = 0;;) {
        const qsizetype hit = text.indexOf(find, from, cs);
        if (hit < 0)
            return 0;
        if (!insidePair(text, hit) && !insidePair(text, hit + find.size()))
            return Len(QStringView(text).left(hit)) + 1;
        from = hit + 1;
    }
}

QString First(const QString &text)
{
    return text.left(UnitsOf(text, 1));
}

QString String(int count, const QString &character)
{
    if (count < 1)
        return {};
    return character.repeated(count);
}

std::u32string ToChars(QStringView text)
{
    std::u32string out;
    out.reserve(size_t(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (insidePair(text, i + 1)) {
            out.push_back(QChar::surrogateToUcs4(u, text[i + 1].unicode()));
            ++i;
        } else {
            out.push_back(u);
        }
    }
    return out;
}

QString FromChar(char32_t c)
{
    if (QChar::requiresSurrogates(c)) {
        const QChar pair[2] = {QChar(QChar::highSurrogate(c)), QChar(QChar::lowSurrogate(c))};
        return QString(pair, 2);
    }
    return QString(QChar(char16_t(c)));
}

} // namespace chars
