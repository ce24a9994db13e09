#pragma once
/**
 * The rename-drop run that shows no window ("Show Rename Drop dialog." off): the rows come from
 * the arguments with one look-up each, the engine previews them (and validates them when that
 * preference is on), every row is renamed and the run ends with its exit code. It builds no
 * window; the windows are needed only when the review dialog opens.
 */
#include "LoadResult.h"
#include "PreviewTable.h"
#include "RenameDropRun.h"

#include <QStringList>
#include <vector>

struct AppState;
class MessageService;

namespace engine {
class EngineHost;
class MetadataSource;
struct RenameEngine;
} // namespace engine

namespace app {

/** The rows of a rename-drop run for `arguments` from index `first` on, in order, as the main
 *  list and the grid fill after a command-line start would make them (picture-taken dates
 *  included), each item looked up once. */
engine::PreviewTable RenameDropRows(const QStringList &arguments, qsizetype first,
                                    engine::MetadataSource &metadata, engine::EngineHost &host);

/** Says once that the rename-drop file `rnp` was refused: on standard error, and in a message
 *  box unless the boxes go there already. */
void ReportRefusedRenameDrop(MessageService *messages, const QString &rnp, const settingsfiles::LoadResult &loaded);

/** The unattended end of a rename-drop run after the preview: every previewed row renamed, each
 *  row that was not (its preview failed, its move failed) told on standard error; a preview that
 *  did not run renames nothing. Returns the exit code. */
int RenameAtOnce(AppState &state, engine::RenameEngine &engine, engine::PreviewTable &grid);

/** Runs the whole rename-drop run for `arguments` (the ".rnp" file, then the items; also in
 *  `state.CmdArgs`) without windows, with the preferences already read into `state`. Returns the
 *  exit code (modMain's AllRenamed, SomeFailed or NothingRan). */
int RunRenameDropWithoutWindows(AppState &state, const QStringList &arguments);

} // namespace app
