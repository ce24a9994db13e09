#include "AppFolder.h"

#include "Fso.h"
#include "PathCodec.h"
#include "VbError.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <sys/stat.h>

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

QString AppFolderProblem()
{
    const QString folder = AppFolder();
    const QByteArray bytes = pathcodec::encode(folder);
    struct stat st {};
    if (::stat(bytes.constData(), &st) == 0 && S_ISDIR(st.st_mode))
        return {};
    const QString named = EnvironmentPath("VEXLO_HOME").isEmpty() ? QString() : QStringLiteral(" (VEXLO_HOME)");
    const QString start = QStringLiteral("The program folder \"%1\"%2").arg(pathcodec::printable(folder), named);
    const QString end = QStringLiteral("; nothing is read from it or saved in it, and the default settings are used.");
    if (::stat(bytes.constData(), &st) == 0)
        return start + QStringLiteral(" is not a folder") + end;
    // A part of the path on the way that is there but is not a folder.
    for (qsizetype slash = bytes.indexOf('/', 1); slash > 0; slash = bytes.indexOf('/', slash + 1)) {
        const QByteArray part = bytes.left(slash);
        if (::stat(part.constData(), &st) == 0 && !S_ISDIR(st.st_mode))
            return start + QStringLiteral(" cannot be made: \"%1\" on its way is not a folder")
                               .arg(pathcodec::printable(pathcodec::decode(part)))
                + end;
    }
    // Anything else: why the folder could not be made.
    const int made = ::mkdir(bytes.constData(), 0777) == 0 ? 0 : errno;
    if (made == 0)
        return {};
    return start + QStringLiteral(" cannot be made: %1").arg(vb::errorText(fso::errorNumberFromErrno(made))) + end;
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
