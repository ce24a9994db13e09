#pragma once
/**
 * The rename configuration file (".rfg"): the header line "File Rename Settings" followed by
 * the 221 lines of the rename settings body, CR LF after every line. Apart from its header it
 * is byte for byte the rename-drop file of the same settings.
 */
#include "LoadResult.h"
#include "RenameSettings.h"
#include "RenameWindowState.h"
#include "VbError.h"

#include <QString>

namespace settingsfiles {

/** The first line of a configuration file, compared exactly (case and blanks count). */
inline const QString RenameConfigHeader = QStringLiteral("File Rename Settings");

/**
 * Writes the header and the body of `settings` and `state` to `path`. The file replaces an
 * old one only when everything was written; on failure the old file is untouched and the
 * status carries the error's description.
 */
vb::Status WriteRenameConfigFile(const QString &path, const engine::RenameSettings &settings,
                                 const RenameWindowState &state);

/**
 * Loads the configuration file at `path` into `settings` and `state`. The whole file is
 * checked first: a file that is missing or unreadable, whose first line is not the header, or
 * whose body is short or invalid is refused with "Invalid File" and changes nothing.
 */
LoadResult LoadRenameConfigFile(const QString &path, engine::RenameSettings &settings,
                                RenameWindowState &state);
/** The part of LoadRenameConfigFile() after the file was read: its lines, header and body. */
LoadResult ParseRenameConfigFile(const QStringList &lines, engine::RenameSettings &settings,
                                 RenameWindowState &state);

} // namespace settingsfiles
