#include "StartupCommandLine.h"

#include <QDir>
#include <QFileInfo>

namespace mainwin {

StartMode startModeOf(const QStringList &arguments)
{
    if (arguments.isEmpty())
        return StartMode::Normal;
    // Only the drop handler's open-files line comes as one argument holding "|"; a rename-drop
    // run's names may hold it too.
    if (arguments.size() == 1 && arguments.first().contains(u'|'))
        return StartMode::OpenFiles;
    return StartMode::RenameDrop;
}

QStringList ParseCommandLine(const QString &line)
{
    if (line.isEmpty())
        return {};
    // "|" in the buffer marks the end of an argument.
    QString b;
    bool inQuotes = false;
    bool escaped = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == u'\\') {
            if (i + 1 < line.size() && line[i + 1] == u'"') {
                if (b.endsWith(u'\\')) {
                    escaped = true;
                } else {
                    b += c;
                    escaped = false;
                }
            } else {
                b += c;
            }
        } else if (c == u'"') {
            if (!escaped && b.endsWith(u'\\'))
                b[b.size() - 1] = u'"';
            else
                inQuotes = !inQuotes;
            escaped = false;
        } else if (c == u' ') {
            if (inQuotes)
                b += c;
            else if (!b.endsWith(u'|'))
                b += u'|';
            escaped = false;
        } else {
            b += c;
            escaped = false;
        }
    }
    return b.split(u'|');
}

QStringList SplitCommandLine(const QString &line)
{
    if (line.isEmpty())
        return {};
    return line.split(u'|');
}

QString DroppedItemPath(const QString &argument, const QString &workingFolder)
{
    if (argument.isEmpty())
        return argument;
    QString path;
    if (workingFolder.isEmpty())
        path = QFileInfo(argument).absoluteFilePath();
    else if (argument.startsWith(u'/'))
        path = QDir::cleanPath(argument);
    else
        path = QDir::cleanPath(workingFolder + u'/' + argument);
    while (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    return path;
}

QString GetPathPart(const QString &path, bool folder)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    if (folder)
        return slash < 0 ? QString() : path.left(slash + 1);
    return path.mid(slash + 1);
}

} // namespace mainwin
