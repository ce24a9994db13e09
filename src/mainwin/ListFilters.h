#pragma once
/**
 * The rules behind the main window's two filters and its folder merge: which entries the
 * file-type box offers, which rows each filter keeps, and which rows belong to a folder.
 */
#include <QString>
#include <QStringList>

namespace mainwin {

/** The type filter that keeps every row with a type name. */
inline const QString AllTypesSpec = QStringLiteral("*.*");
/** The type filter that keeps every row except folders. */
inline const QString AllFilesSpec = QStringLiteral("All Files");

/**
 * The entries of the file-type box for rows with these type names, in row order: "*.*",
 * "All Files", then each type name that is not empty and does not occur anywhere inside the
 * names offered before it (a case-sensitive substring test, so a type name that is part of one
 * met earlier is not offered again).
 */
QStringList FileTypeEntries(const QStringList &typeNames);

/** True when the type filter `spec` keeps a row of type `typeName`: "*.*" any non-empty type,
 *  "All Files" any non-empty type but "File Folder", any other text that exact type. */
bool TypeFilterAccepts(const QString &spec, const QString &typeName);

/** True when the name filter keeps `name`: the filter occurs in it, case ignored; an empty
 *  filter keeps every name. */
bool NameFilterAccepts(const QString &filter, const QString &name);

/** True when a row's folder text names `folder`: both compared with exactly one trailing "/",
 *  so the root folder's rows are found too. */
bool RowInFolder(const QString &rowFolder, const QString &folder);

} // namespace mainwin
