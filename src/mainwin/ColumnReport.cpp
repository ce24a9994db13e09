#include "ColumnReport.h"

#include "AppFolder.h"
#include "CodePoints.h"

namespace mainwin {

namespace {

// Widths count whole characters: a character outside the basic plane counts once.
QString padded(const QString &text)
{
    return text + QString(ColumnReportWidth - chars::Len(text), u' ');
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
        if (chars::Len(a) > ColumnReportWidth || chars::Len(b) > ColumnReportWidth)
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
