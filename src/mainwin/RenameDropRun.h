#pragma once
/**
 * Renaming the rows of the preview grid in a rename-drop run: each row is moved from its
 * folder's old name to its new name, as a folder move for "File Folder" rows. Moves never
 * overwrite; a row whose new name is its old name has nothing to do.
 */
#include "VbError.h"

#include <QString>
#include <vector>

namespace engine {
class PreviewTable;
}
namespace fso {
class ItemRenamer;
}

namespace mainwin {

/** A row that could not be renamed. */
struct FailedRename {
    size_t row = 0;
    QString source;
    QString target;
    QString description;
};

/** Moves `source` to `target`, as a folder for the type "File Folder" (a type the item was just
 *  looked up with: the move itself looks at the item only when it fails). */
vb::Status MoveItem(const QString &source, const QString &target, const QString &type);

/** Renames row `row` of the grid from Path + Original to Path + Preview. An unchanged name is
 *  no failure and moves nothing. */
vb::Status RenameGridRow(const engine::PreviewTable &grid, size_t row);
/** The same, renaming through `renamer` (which keeps the folder of one row for the next). */
vb::Status RenameGridRow(const engine::PreviewTable &grid, size_t row, fso::ItemRenamer &renamer);

/** Renames every row in grid order and returns the ones that failed. */
std::vector<FailedRename> RenameAllRows(const engine::PreviewTable &grid);

/** The text a failed row is reported with: "<source> -> <target>: <description>". */
QString FailedRenameText(const FailedRename &failure);

} // namespace mainwin
