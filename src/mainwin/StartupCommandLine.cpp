#include "StartupCommandLine.h"

#include "Fso.h"
#include "PathCodec.h"

#include <QDir>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace mainwin {

StartMode startModeOf(const QStringList &arguments)
{
    if (arguments.isEmpty())
        return StartMode::Normal;
    // "|" is a legal character in a name: only a line that is one single argument opens files.
    return arguments.size() == 1 && arguments.front().contains(u'|') ? StartMode::OpenFiles
                                                                      : StartMode::RenameDrop;
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

QString DroppedItemPaths::path(const QString &argument)
{
    if (argument.isEmpty())
        return argument;
    // A bare name in the working folder once that folder is resolved (the usual run inside a
    // folder): joined to the resolved folder without building the full path first.
    if (isBareName(argument))
        return resolvedFolder() + argument;
    QString path = argument;
    if (!path.startsWith(u'/')) {
        if (m_workingFolder.isNull()) {
            char *cwd = ::getcwd(nullptr, 0);
            m_workingFolder = cwd ? pathcodec::decode(cwd) : QDir::currentPath();
            std::free(cwd);
        }
        path = m_workingFolder + u'/' + argument;
    }
    while (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    const qsizetype slash = path.lastIndexOf(u'/');
    QString folder = slash <= 0 ? QStringLiteral("/") : path.left(slash);
    QString name = path.mid(slash + 1);
    if (name == QLatin1String(".") || name == QLatin1String("..")) {
        folder = path;  // the item is the folder the whole path leads to
        name.clear();
    }
    if (folder != m_folder || m_folder.isNull()) {
        m_folder = folder;
        m_resolved = resolve(folder).text;
    }
    if (name.isEmpty())
        return m_resolved;
    return m_resolved == QLatin1String("/") ? m_resolved + name : m_resolved + u'/' + name;
}

DroppedItemPaths::Resolved DroppedItemPaths::resolve(const QString &folder)
{
    if (const auto known = m_resolvedFolders.constFind(folder); known != m_resolvedFolders.constEnd())
        return *known;
    Resolved resolved;
    // A folder whose parent is resolved needs a look at its own name only: a real folder there
    // (not a link) is the parent's resolution and the name. Anything else ("." or "..", a link,
    // an empty part, nothing there) is resolved whole, as the kernel resolves it.
    const qsizetype slash = folder.lastIndexOf(u'/');
    const QStringView name = QStringView(folder).mid(slash + 1);
    if (slash >= 0 && !name.isEmpty() && name != u"." && name != u"..") {
        const Resolved parent = resolve(slash == 0 ? QStringLiteral("/") : folder.left(slash));
        if (parent.real) {
            QString candidate = parent.text == u"/" ? parent.text : parent.text + u'/';
            candidate += name;
            struct stat st {};
            if (::lstat(pathcodec::encode(candidate).constData(), &st) == 0 && S_ISDIR(st.st_mode))
                resolved = {candidate, true};
        }
    }
    if (!resolved.real) {
        resolved.text = folder;
        if (char *real = ::realpath(pathcodec::encode(folder).constData(), nullptr)) {
            resolved = {pathcodec::decode(real), true};
            std::free(real);
        }
    }
    m_resolvedFolders.insert(folder, resolved);
    return resolved;
}

bool DroppedItemPaths::isBareName(const QString &argument) const
{
    return !argument.isEmpty() && !m_workingFolder.isNull() && !m_folder.isNull() && m_folder == m_workingFolder
           && !argument.contains(u'/') && argument != QLatin1String(".") && argument != QLatin1String("..");
}

QString DroppedItemPaths::resolvedFolder() const
{
    return m_resolved == QLatin1String("/") ? m_resolved : m_resolved + u'/';
}

namespace {

// The argument without the "/" it may end in ("/" itself stays).
QStringView withoutTrailingSlashes(const QString &argument)
{
    QStringView text(argument);
    while (text.size() > 1 && text.endsWith(u'/'))
        text.chop(1);
    return text;
}

} // namespace

QString DotItemName(const QString &argument)
{
    return fso::ItemName(argument);
}

bool NamesDotItem(const QString &argument)
{
    const QString name = DotItemName(argument);
    return name == QLatin1String(".") || name == QLatin1String("..");
}

QString DroppedItemPaths::dotItemFolder(const QString &argument)
{
    const QStringView text = withoutTrailingSlashes(argument);
    const QStringView folder = text.left(text.lastIndexOf(u'/') + 1);
    const QString path = this->path(folder.isEmpty() ? QStringLiteral(".") : folder.toString());
    return path.endsWith(u'/') ? path : path + u'/';
}

QString GetPathPart(const QString &path, bool folder)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    if (folder)
        return slash < 0 ? QString() : path.left(slash + 1);
    return path.mid(slash + 1);
}

} // namespace mainwin
