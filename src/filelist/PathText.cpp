#include "PathText.h"

namespace filelist {

QString AddBackslash(const QString &path)
{
    if (path.endsWith(u'/'))
        return path;
    return path + u'/';
}

QString TrimAtNull(const QString &text)
{
    const qsizetype nul = text.indexOf(QChar(0));
    if (nul == 0)
        return QString();
    if (nul > 0)
        return text.left(nul);
    return text.trimmed();
}

namespace {

struct SplitPath {
    QString folder;
    QString base;
    QString extension;
};

// On this system "/" separates folders and "\" is an ordinary name character, so "/" is looked
// for first; "\" only counts in a path without any "/".
SplitPath splitPath(const QString &path)
{
    const qsizetype dot = path.lastIndexOf(u'.') + 1;
    qsizetype sep = path.lastIndexOf(u'/') + 1;
    if (sep == 0)
        sep = path.lastIndexOf(u'\\') + 1;
    SplitPath s;
    if (sep > 0)
        s.folder = path.left(sep);
    if (dot > 0 && dot > sep) {
        s.extension = path.mid(dot);
        s.base = path.mid(sep, dot - sep - 1);
    } else {
        s.base = path.mid(sep);
    }
    return s;
}

// The text before the last ":", cut to what follows its last "/" (or "\").
QString driveBeforeColon(const QString &path, qsizetype colon)
{
    QString before = path.left(colon);
    qsizetype cut = before.lastIndexOf(u'/');
    if (cut < 0)
        cut = before.lastIndexOf(u'\\');
    return cut >= 0 ? before.mid(cut + 1) : before;
}

} // namespace

QString PathPart(const QString &path, int32_t part)
{
    if (part >= 0 && part <= 6) {
        const SplitPath s = splitPath(path);
        switch (part) {
        case 0:
            return s.base;
        case 1:
            return s.extension;
        case 2:
            return s.folder;
        case 3:
            return s.folder.isEmpty() ? QString() : s.folder.chopped(1);
        case 4:
            return s.extension.isEmpty() ? s.base : s.base + u'.' + s.extension;
        case 5:
            return s.folder + s.base;
        case 6:
            return s.folder.isEmpty() ? QString() : splitPath(s.folder.chopped(1)).base;
        }
    }
    if (part == 7 || part == 8) {
        const qsizetype colon = path.lastIndexOf(u':');
        if (colon < 0)
            return QString();
        const QString drive = driveBeforeColon(path, colon);
        return part == 8 ? drive + u':' : drive;
    }
    if (part == 9) {
        QString result = path;
        const qsizetype colon = path.lastIndexOf(u':');
        if (colon >= 0)
            result = driveBeforeColon(path, colon) + path.mid(colon);
        result.replace(u'/', u'\\');
        const qsizetype unc = result.indexOf(QLatin1String("\\\\"));
        if (unc >= 0)
            result = result.mid(unc + 2);
        return result;
    }
    if (part == 10 || part == 11)
        return path;
    return QString();
}

QString TextAfterLast(const QString &text, const QString &delimiter, int32_t compare,
                      int32_t &position, bool wholeIfMissing)
{
    const Qt::CaseSensitivity cs = compare == 1 ? Qt::CaseInsensitive : Qt::CaseSensitive;
    const qsizetype at = delimiter.isEmpty() ? -1 : text.lastIndexOf(delimiter, -1, cs);
    position = int32_t(at + 1);
    if (at < 0)
        return wholeIfMissing ? text : QString();
    return text.mid(at + delimiter.size());
}

} // namespace filelist
