#include "AppFolder.h"

#include "Fso.h"
#include "PathCodec.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace {

// A path with any "/" at its end taken off (the root stays "/").
QString withoutTrailingSlash(QString path)
{
    while (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    return path;
}

} // namespace

QString EnvironmentPath(const char *name)
{
    return pathcodec::decode(qgetenv(name));
}

QString UserFolder(QStandardPaths::StandardLocation location)
{
    QString folder = QStandardPaths::writableLocation(location);
    // The toolkit reads $HOME and the XDG folders as UTF-8 text, each byte that is not UTF-8
    // becoming U+FFFD, and names a look-alike of the user's folder; the variable's own bytes
    // are put back in its place.
    for (const char *name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "HOME"}) {
        const QByteArray bytes = qgetenv(name);
        const QString kept = withoutTrailingSlash(pathcodec::decode(bytes));
        if (!pathcodec::hasRawBytes(kept))
            continue;
        const QString lossy = withoutTrailingSlash(QFile::decodeName(bytes));
        if (folder.startsWith(lossy) && (folder.size() == lossy.size() || folder.at(lossy.size()) == u'/'))
            return kept + folder.mid(lossy.size());
    }
    return folder;
}

QString AppFolder()
{
    QString folder = EnvironmentPath("VEXLO_HOME");
    if (folder.isEmpty())
        folder = UserFolder(QStandardPaths::AppDataLocation);
    if (folder.isEmpty())
        folder = EnvironmentPath("HOME") + QStringLiteral("/.local/share/vexlo");
    folder = withoutTrailingSlash(folder);
    fso::MakeFolders(folder);
    return folder;
}

QString AppFile(const QString &name)
{
    QString folder = AppFolder();
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

QString FindAsset(const QString &name)
{
    // The program folder's copy by its own bytes; the one beside the executable and the built-in
    // one as the toolkit names them.
    if (const QString own = AppFile(name); fso::FileExists(own))
        return own;
    const QString candidates[] = {
        QCoreApplication::instance() ? QCoreApplication::applicationDirPath() + u'/' + name : QString(),
        QStringLiteral(":/assets/") + name,
    };
    for (const QString &c : candidates)
        if (!c.isEmpty() && QFileInfo(c).isFile())
            return c;
    return {};
}
