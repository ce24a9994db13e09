#include "ColumnReport.h"

#include "AppFolder.h"

namespace mainwin {

namespace {

// A character is a whole code point: a character outside the basic plane counts once.
qsizetype characters(const QString &text)
{
    qsizetype n = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        ++n;
    }
    return n;
}

QString padded(const QString &text)
{
    return text + QString(ColumnReportWidth - characters(text), u' ');
}

} // namespace

QStringList ColumnReportLines(const QStringList &input)
{
    QStringList out;
    qsizetype i = 0;
    auto next = [&] { return i < input.size() ? input.at(i++) : QString(); };
    while (i < input.size()) {
        const QString a = next();
        if (a.isEmpty())
            continue;
        const QString b = next();
        const QString c = next();
        if (characters(a) > ColumnReportWidth || characters(b) > ColumnReportWidth)
            continue;
        out << padded(a) + QStringLiteral("  | ") + padded(b) + QStringLiteral("  | ") + c;
    }
    return out;
}

QString DefaultColumnReportPath()
{
    return AppFile(QStringLiteral("op.txt"));
}

} // namespace mainwin
