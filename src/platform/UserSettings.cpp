#include "UserSettings.h"

#include "AppFolder.h"
#include "AtomicFile.h"
#include "MessageService.h"
#include "PathCodec.h"

#include <QSet>
#include <QSettings>
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

std::unique_ptr<QSettings> WritableStoreOrDetached(std::unique_ptr<QSettings> store)
{
    QString target;
    const vb::Status st = textfile::resolveWriteTarget(store->fileName(), target);
    if (st)
        return store;
    static QSet<QString> told;
    if (!told.contains(store->fileName())) {
        told.insert(store->fileName());
        printToStandardError(QStringLiteral("The settings file \"%1\" cannot be saved: %2.")
                                 .arg(pathcodec::printable(store->fileName()), st.description));
    }
    return std::make_unique<DetachedSettings>();
}

std::unique_ptr<QSettings> OpenUserSettings(const QString &application)
{
    if (!qEnvironmentVariableIsEmpty("VEXLO_HOME"))
        return WritableStoreOrDetached(
            std::make_unique<QSettings>(AppFile(application + QStringLiteral(".ini")), QSettings::IniFormat));
    return WritableStoreOrDetached(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                                               QStringLiteral("Morvane"), application));
}
