#pragma once
/**
 * The rename-drop file (".rnp"): the rename settings body alone, 221 lines with CR LF ends,
 * no header. The rename window's "Create Rename &drop" writes one; a rename-drop run loads one
 * with `LoadRnp` before it previews and renames the dropped items.
 */
#include "LoadResult.h"
#include "RenameSettings.h"
#include "RenameWindowState.h"
#include "VbError.h"

#include <QString>

namespace settingsfiles {

/**
 * Writes the body of `settings` and `state` to `path`, replacing a file of that name only when
 * the whole body was written. On failure the old file is untouched and the status carries the
 * error's description (to show in a box titled with the product name).
 */
vb::Status WriteRenameDropFile(const QString &path, const engine::RenameSettings &settings,
                               const RenameWindowState &state);

/**
 * Loads the rename-drop file at `path` (taken as given, whatever its extension) into
 * `settings` and `state`. A file that is missing or unreadable, shorter than the body, or not
 * a valid body is refused with "Invalid File" and changes nothing: the caller must then not
 * rename. Lines after the body are ignored.
 */
LoadResult LoadRnp(const QString &path, engine::RenameSettings &settings,
                   RenameWindowState &state);

} // namespace settingsfiles
