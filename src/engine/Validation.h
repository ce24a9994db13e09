#pragma once
/**
 * Name validation: colours the "Preview" cells of changed, unchanged and duplicate new names.
 * It changes no text and blocks nothing; the rename run does not look at the colours.
 */
#include "PreviewTable.h"
#include "RenameEngine.h"

namespace engine {

/** Colours every "Preview" cell: changed, unchanged, or duplicate (same Path + Preview as
 *  another row, compared exactly). Called by cmdPreview_Click and the "&Validate" button.
 *  Shows "Validating New Names", advances the progress bar and yields once per row, and stops
 *  (clearing the request) when the stop request is set; ends with "Ready" and progress 0. */
void ValidateNewNames(RenameEngine &engine, PreviewTable &grid);

/** The rename window's "&Validate" button: ValidateNewNames and nothing else. */
void cmdValidate_Click(RenameEngine &engine, PreviewTable &grid);

/** Colours every "Preview" cell as changed (it differs from "Original") or unchanged, with
 *  the grid's redrawing off meanwhile. */
void ColorChangedNames(PreviewTable &grid);

} // namespace engine
