#pragma once
/**
 * Renaming the rows of the preview grid in a rename-drop run: each row is moved from its
 * folder's old name to its new name, as a folder move for "File Folder" rows. Moves never
 * overwrite; a row whose new name is its old name has nothing to do; the rows inside a folder
 * renamed earlier follow it to its new name.
 */
#include "VbError.h"

#include <QString>
#include <utility>
#include <vector>

namespace engine {
class PreviewTable;
}

namespace mainwin {

/** A row that could not be renamed. */
struct FailedRename {
    size_t row = 0;
    QString source;
    QString target;
    QString description;
};

/** Moves `source` to `target`, as a folder for the type "File Folder"; a source that is "." or
 *  ".." (a folder's own entry) is refused. */
vb::Status MoveItem(const QString &source, const QString &target, const QString &type);

/** Renames every row in grid order and returns the ones that were not renamed: a move that
 *  failed, an empty new name, an item that is not there (whatever its new name), "." and "..",
 *  a name cut down to its extension, and each of `previewFailures` (row number and reason: rows whose
 *  preview failed are not attempted). The rows' types come from a look-up just made: an item is
 *  renamed by name inside its folder and looked at only when that fails. */
std::vector<FailedRename> RenameAllRows(engine::PreviewTable &grid,
                                        const std::vector<std::pair<size_t, QString>> &previewFailures = {});

/** The text a failed row is reported with: "<source> -> <target>: <description>", control
 *  characters and bytes that are not UTF-8 escaped so that it stays one line. */
QString FailedRenameText(const FailedRename &failure);

} // namespace mainwin
