#pragma once
#include <QString>

/** The type name of every folder. */
inline constexpr QLatin1String ShellFolderTypeName("File Folder");

/** The type name the file list shows for a path: "File Folder" for a folder, "JPEG Image" for
 *  JPEG pictures, Windows-style names for common types, else the upper-case extension followed
 *  by " File", else "File". */
QString ShellTypeName(const QString &path);

/** The same from a name alone, for callers that already know whether it is a folder. */
QString ShellTypeNameFor(const QString &fileName, bool isFolder);
