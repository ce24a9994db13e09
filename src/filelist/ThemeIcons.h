#pragma once
/** Icons of the file list from the desktop's icon theme, with the style's icons as fallback. */
#include <QString>
#include <QVariant>

namespace filelist {

/**
 * The icon (as a QVariant holding a QIcon) for an icon key of the list: a blank placeholder for
 * "dummy", the folder icon for "File Folder", the program icon for programs ("DOSExeIcon" and
 * the program keys), else the icon of the file's MIME type found from its name.
 */
QVariant ThemeIcon(const QString &key, const QString &samplePath, const QString &typeName);

} // namespace filelist
