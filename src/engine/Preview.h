#pragma once
/**
 * The preview run: every checked action, in list order, applied to the "Original" name of every
 * row, the result written into the row's "Preview" cell. No file changes its name here.
 */
#include "PreviewTable.h"
#include "RenameEngine.h"
#include "RenameSettings.h"

#include <QString>

namespace engine {

/** The rename window's "&Preview" button (and the rename-drop start): runs GeneratePreview,
 *  validates when the preference `AutoValidateNames` is 1 and an action is checked, and ends
 *  with the caption "Ready". */
void cmdPreview_Click(RenameEngine &engine, const RenameSettings &settings, PreviewTable &grid);

/** One preview run over every row of `grid`. Shows "Please Select Actions" when no action is
 *  checked; stops before the next row when the stop request is set, and clears the request.
 *  Sets `Previewed` only when it has run to its end. */
void GeneratePreview(RenameEngine &engine, const RenameSettings &settings, PreviewTable &grid);

/** The base name (EXT false: before the last ".") or the extension (EXT true: from the last "."
 *  on) of `FileName`. A name without "." or of type "File Folder" has no extension. */
QString GetFName(const QString &FileName, const QString &ftype, bool EXT);

/** Where GetFName() cuts `FileName`: the length of its base name. */
qsizetype BaseNameLength(QStringView FileName, QStringView ftype);

/** The longest and shortest base-name length of `column` (1 or 2) over every row. Throws
 *  vb::Error on a grid without rows. */
int GetMaxNameLength(const PreviewTable &grid, int column);
int GetMinNameLength(const PreviewTable &grid, int column);

/** Builds `CleanRemoveSet` and `CleanKeepSet` from the Clean settings. */
void buildCleanSets(const RenameSettings &settings, RunState &run);

} // namespace engine
