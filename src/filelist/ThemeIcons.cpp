#include "ThemeIcons.h"
#include "ShellTypeName.h"

#include <QApplication>
#include <QIcon>
#include <QMimeDatabase>
#include <QPixmap>
#include <QStyle>

namespace filelist {

namespace {

QIcon styleIcon(QStyle::StandardPixmap which)
{
    return QApplication::style() ? QApplication::style()->standardIcon(which) : QIcon();
}

QIcon placeholder()
{
    QPixmap blank(16, 16);
    blank.fill(Qt::transparent);
    return QIcon(blank);
}

} // namespace

QVariant ThemeIcon(const QString &key, const QString &samplePath, const QString &typeName)
{
    QIcon icon;
    if (key == QLatin1String("dummy") && samplePath.isEmpty()) {
        icon = placeholder();
    } else if (typeName == ShellFolderTypeName) {
        icon = QIcon::fromTheme(QStringLiteral("folder"), styleIcon(QStyle::SP_DirIcon));
    } else if (key != typeName) {
        icon = QIcon::fromTheme(QStringLiteral("application-x-executable"), styleIcon(QStyle::SP_FileIcon));
    } else {
        const QMimeType mime = QMimeDatabase().mimeTypeForFile(samplePath, QMimeDatabase::MatchExtension);
        icon = QIcon::fromTheme(mime.iconName(),
                                QIcon::fromTheme(mime.genericIconName(), styleIcon(QStyle::SP_FileIcon)));
    }
    return QVariant::fromValue(icon);
}

} // namespace filelist
