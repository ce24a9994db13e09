#include "IniReader.h"

#include "TextFile.h"


namespace metadata {

namespace {

constexpr qsizetype MaxValueLength = 1023;

QString stripQuotes(const QString &value)
{
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == u'"' || first == u'\'') && value.back() == first)
            return value.mid(1, value.size() - 2);
    }
    return value;
}

} // namespace

IniReader::IniReader(const QString &path)
{
    if (path.isEmpty())
        return;
    QString text;
    if (textfile::readText(path, text))
        parse(text);
}

IniReader IniReader::fromText(const QString &text)
{
    IniReader r;
    r.parse(text);
    return r;
}

void IniReader::parse(const QString &text)
{
    QString section;
    bool inSection = false;
    for (const QString &raw : textfile::splitLines(text)) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        if (line.startsWith(u'[')) {
            const qsizetype close = line.indexOf(u']');
            section = (close < 0 ? line.mid(1) : line.mid(1, close - 1)).trimmed();
            inSection = true;
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (!inSection || eq < 0)
            continue;
        m_entries.push_back({section, line.left(eq).trimmed(), line.mid(eq + 1).trimmed()});
    }
}

QString IniReader::GetIniValue(const QString &section, const QString &key,
                               const QString &defaultValue) const
{
    const QString wantedKey = key.trimmed();
    if (wantedKey.isEmpty())
        return defaultValue;
    const QString wantedSection = section.trimmed();
    for (const Entry &e : m_entries) {
        if (e.section.compare(wantedSection, Qt::CaseInsensitive) != 0
            || e.key.compare(wantedKey, Qt::CaseInsensitive) != 0)
            continue;
        const QString value = stripQuotes(e.value).left(MaxValueLength).trimmed();
        return value.isEmpty() ? defaultValue : value;
    }
    return defaultValue;
}

} // namespace metadata
