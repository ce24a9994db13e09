#pragma once
/**
 * Filling a preview row from an item of the main list: the cells the grid fill takes from the
 * item and from the item's own file.
 */
#include "MainFileList.h"
#include "PreviewTable.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace renamewin {

/**
 * The row of a checked item: "Original" the name, "Path" the folder, "Type" the type name,
 * "Folder" the folder's own name, "Size" and "Modified" those of a status the caller has just
 * read (the item's SizeBytes and LastWriteSecs), or else read from the item itself with one
 * look-up. A folder has size 0 and no modified date; a file that cannot be read or is gone has
 * neither size (NoSize: an empty "Size" cell) nor modified date.
 */
engine::PreviewRow previewRowOf(const MainListItem &item);
/** The same with the "Folder" cell given (folderNameOf(item.Folder), shared by a folder's rows). */
engine::PreviewRow previewRowOf(const MainListItem &item, const QString &folderName);

/** The last folder name of a path ending in "/" ("/a/Photos/" gives "Photos"); empty for the
 *  root and for a path without a parent. */
QString folderNameOf(const QString &path);

/** A modified date as the "Modified" cell holds it ("yyyy-MM-dd hh:mm:ss", which the date
 *  conversions read back in every locale). */
QString modifiedText(const QDateTime &date);
/** The same text for a time in seconds since the epoch, shown in local time; the time zone is
 *  not read again for every call. */
QString modifiedText(qint64 secsSinceEpoch);

/** A JPEG picture's type, under either type name the system may give it: a fill after a
 *  command-line start reads its picture-taken date. */
bool isPictureType(const QString &type);

/** The line of a picture's listing that gives the date it was taken: "DateTimeOriginal",
 *  else "DateTime"; empty when the picture has neither. */
QString pictureDateLine(const QStringList &exifLines);

} // namespace renamewin
