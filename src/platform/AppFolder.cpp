#include "AppFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString AppFolder()
{
    QString folder = qEnvironmentVariable("VEXLO_HOME");
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (folder.isEmpty())
        folder = QDir::homePath() + QStringLiteral("/.local/share/vexlo");
    while (folder.size() > 1 && folder.endsWith(u'/'))
        folder.chop(1);
    QDir().mkpath(folder);
    return folder;
}

QString AppFile(const QString &name)
{
    QString folder = AppFolder();
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

QString FindAsset(const QString &name)
{
    const QString candidates[] = {
        AppFile(name),
        QCoreApplication::instance() ? QCoreApplication::applicationDirPath() + u'/' + name : QString(),
        QStringLiteral(":/assets/") + name,
    };
    for (const QString &c : candidates)
        if (!c.isEmpty() && QFileInfo(c).isFile())
            return c;
    return {};
}
