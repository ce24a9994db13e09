#include "UserSettings.h"

#include "AppFolder.h"
#include "AtomicFile.h"
#include "MessageService.h"
#include "PathCodec.h"

#include <QSet>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

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

std::unique_ptr<QSettings> OpenStoreFile(const QString &path)
{
    // Checked before the store is made: making it reads the file, and a FIFO would never answer.
    QString target;
    const vb::Status st = textfile::resolveWriteTarget(path, target);
    if (st)
        return std::make_unique<QSettings>(path, QSettings::IniFormat);
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
    const QString home = qEnvironmentVariable("VEXLO_HOME");
    const QString folder =
        home.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) : home;
    return OpenStoreFile(folder + u'/' + organization + u'/' + application + QStringLiteral(".ini"));
}

std::unique_ptr<QSettings> OpenUserSettings(const QString &application)
{
    if (!qEnvironmentVariableIsEmpty("VEXLO_HOME"))
        return OpenStoreFile(AppFile(application + QStringLiteral(".ini")));
    return OpenUserStore(QStringLiteral("Morvane"), application);
}
