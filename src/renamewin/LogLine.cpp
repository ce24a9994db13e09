#include "LogLine.h"

#include <QList>
#include <cstdlib>

namespace renamewin {

namespace {
const QString Separator = QStringLiteral(" : ");
}

const QString LogLine::Successful = QStringLiteral("Rename Successful");

LogLine LogLine::parse(const QString &line)
{
    QList<qsizetype> seps;
    for (qsizetype p = line.indexOf(Separator); p >= 0; p = line.indexOf(Separator, p + Separator.size()))
        seps.append(p);

    LogLine out;
    const qsizetype n = seps.size();
    if (n <= 3) {
        qsizetype start = 0;
        for (qsizetype i = 0; i < n; ++i) {
            out.Fields[size_t(i)] = line.mid(start, seps[i] - start);
            start = seps[i] + Separator.size();
        }
        out.Fields[size_t(n)] = line.mid(start);
        out.FieldCount = int(n) + 1;
        return out;
    }

    // The folder's separator: the first one after a "/", leaving at least two for the names.
    qsizetype pathSep = 0;
    for (qsizetype i = 0; i <= n - 3; ++i) {
        if (seps[i] > 0 && line[seps[i] - 1] == u'/') {
            pathSep = i;
            break;
        }
    }
    const qsizetype last = n - 1;
    const qsizetype namesStart = seps[pathSep] + Separator.size();
    const qsizetype namesEnd = seps[last];

    // The names' separator: the one that leaves the two names closest in length.
    qsizetype best = pathSep + 1;
    qsizetype bestDiff = -1;
    for (qsizetype i = pathSep + 1; i < last; ++i) {
        const qsizetype oldLength = seps[i] - namesStart;
        const qsizetype newLength = namesEnd - (seps[i] + Separator.size());
        const qsizetype diff = std::abs(oldLength - newLength);
        if (bestDiff < 0 || diff < bestDiff) {
            best = i;
            bestDiff = diff;
        }
    }

    out.Fields[0] = line.left(seps[pathSep]);
    out.Fields[1] = line.mid(namesStart, seps[best] - namesStart);
    out.Fields[2] = line.mid(seps[best] + Separator.size(), namesEnd - seps[best] - Separator.size());
    out.Fields[3] = line.mid(namesEnd + Separator.size());
    out.FieldCount = 4;
    return out;
}

} // namespace renamewin
