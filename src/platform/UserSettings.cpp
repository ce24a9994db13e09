#include "UserSettings.h"

#include "AppFolder.h"
#include "AtomicFile.h"
#include "MessageService.h"
#include "PathCodec.h"

#include "Fso.h"

#include <QHash>
#include <QMutex>
#include <QSet>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A folder of its own for a store that is never kept; it goes when the store has gone.
struct PrivateFolder {
    QTemporaryDir folder;
};

class DetachedSettings : private PrivateFolder, public QSettings {
public:
    DetachedSettings() : QSettings(folder.filePath(QStringLiteral("detached.ini")), QSettings::IniFormat) {}
};

} // namespace

QString QtOpenablePath(const QString &path)
{
    const qsizetype end = path.lastIndexOf(u'/');
    if (!pathcodec::hasRawBytes(path) || end <= 0 || pathcodec::hasRawBytes(QStringView(path).mid(end)))
        return path;
    // The file's folder is opened once by its bytes and kept open; the file's own name, plain
    // text, is reached through the descriptor's name.
    static QMutex mutex;
    static QHash<QByteArray, int> opened;
    const QMutexLocker lock(&mutex);
    const QString folder = path.left(end);
    const QByteArray bytes = pathcodec::encode(folder);
    int fd = opened.value(bytes, -1);
    struct stat held, named;
    if (fd >= 0 && (::fstat(fd, &held) != 0 || ::stat(bytes.constData(), &named) != 0
                    || held.st_dev != named.st_dev || held.st_ino != named.st_ino)) {
        // The folder of that name was replaced since: the new one is opened.
        ::close(fd);
        opened.remove(bytes);
        fd = -1;
    }
    if (fd < 0) {
        fso::MakeFolders(folder);
        fd = ::open(bytes.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            return path;
        opened.insert(bytes, fd);
    }
    const QString name = QStringLiteral("/proc/self/fd/%1").arg(fd);
    if (::access(name.toLatin1().constData(), F_OK) != 0)
        return path;
    return name + path.mid(end);
}

std::unique_ptr<QSettings> OpenStoreFile(const QString &path)
{
    // Checked before the store is made: making it reads the file, and a FIFO would never answer.
    QString target;
    const vb::Status st = textfile::resolveWriteTarget(path, target);
    if (st)
        return std::make_unique<QSettings>(QtOpenablePath(path), QSettings::IniFormat);
    static QSet<QString> told;
    if (!told.contains(path)) {
        told.insert(path);
        printToStandardError(QStringLiteral("The settings file \"%1\" cannot be saved: %2.")
                                 .arg(pathcodec::printable(path), st.description));
    }
    return std::make_unique<DetachedSettings>();
}

std::unique_ptr<QSettings> OpenUserStore(const QString &organization, const QString &application)
{
    const QString home = EnvironmentPath("VEXLO_HOME");
    const QString folder = home.isEmpty() ? UserFolder(QStandardPaths::GenericConfigLocation) : home;
    return OpenStoreFile(folder + u'/' + organization + u'/' + application + QStringLiteral(".ini"));
}

std::unique_ptr<QSettings> OpenUserSettings(const QString &application)
{
    if (!qEnvironmentVariableIsEmpty("VEXLO_HOME"))
        return OpenStoreFile(AppFile(application + QStringLiteral(".ini")));
    return OpenUserStore(QStringLiteral("Morvane"), application);
}
