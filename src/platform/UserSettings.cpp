#include "UserSettings.h"

#include "AppFolder.h"

#include <QSettings>

std::unique_ptr<QSettings> OpenUserSettings(const QString &application)
{
    if (!qEnvironmentVariableIsEmpty("VEXLO_HOME"))
        return std::make_unique<QSettings>(AppFile(application + QStringLiteral(".ini")), QSettings::IniFormat);
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Morvane"),
                                       application);
}
