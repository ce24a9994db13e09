#include "ColHeader.h"

#include "VbConvert.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace filelist {

QString WidthText(float width)
{
    QString text = QString::number(double(width), 'g', 7);
    text.replace(QLatin1String("e+"), QLatin1String("E+")).replace(QLatin1String("e-"), QLatin1String("E-"));
    return text;
}

double LeadingDecimal(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    QByteArray number;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        number += char(text[i++].unicode());
    bool digits = false;
    auto takeDigits = [&] {
        while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
            number += char(text[i++].unicode());
            digits = true;
        }
    };
    takeDigits();
    if (i < text.size() && text[i] == u'.') {
        number += '.';
        ++i;
        takeDigits();
    }
    if (!digits)
        return 0;
    bool ok = false;
    const double v = number.toDouble(&ok);
    return ok ? v : 0;
}

namespace {

// The value of the first "<delimiter><name>=" pair in a line, up to the next delimiter.
QString pairValue(const QString &line, const QString &delimiter, const QString &name)
{
    const QString intro = delimiter + name + u'=';
    const qsizetype at = line.indexOf(intro, 0, Qt::CaseInsensitive);
    if (at < 0)
        return QString();
    const qsizetype start = at + intro.size();
    const qsizetype end = delimiter.isEmpty() ? -1 : line.indexOf(delimiter, start);
    if (end < 0)
        return QString();
    return line.mid(start, end - start);
}

int32_t wholeNumber(const QString &value)
{
    const double r = vb::roundHalfEven(LeadingDecimal(value));
    if (r <= double(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    if (r >= double(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    return int32_t(r);
}

float singleNumber(const QString &value)
{
    const double v = LeadingDecimal(value);
    const double limit = double(std::numeric_limits<float>::max());
    return float(std::clamp(v, -limit, limit));
}

} // namespace

QString ColHeader::GetTagText(const QString &Delimiter) const
{
    return Delimiter + QLatin1String("Text=") + Text + Delimiter + QLatin1String("Key=") + Key
        + Delimiter + QLatin1String("Width=") + WidthText(Width) + Delimiter
        + QLatin1String("Alignment=") + QString::number(Alignment) + Delimiter
        + QLatin1String("DataType=") + QString::number(DataType) + Delimiter;
}

void ColHeader::SetPropsFromTagText(const QString &TagText, const QString &Delimiter)
{
    Text = pairValue(TagText, Delimiter, QStringLiteral("Text"));
    Key = pairValue(TagText, Delimiter, QStringLiteral("Key"));
    Width = singleNumber(pairValue(TagText, Delimiter, QStringLiteral("Width")));
    Alignment = wholeNumber(pairValue(TagText, Delimiter, QStringLiteral("Alignment")));
    DataType = wholeNumber(pairValue(TagText, Delimiter, QStringLiteral("DataType")));
}

} // namespace filelist
