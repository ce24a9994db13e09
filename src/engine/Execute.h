#pragma once
/**
 * The rename run: every row of the preview grid renamed on disk from its "Original" to its
 * "Preview" name in its folder, one log line per attempted row, the new names moved into
 * "Original", and the after-rename steps the preferences switch on.
 *
 * A move never replaces an existing file or folder, and a name no file can have is refused;
 * either is that row's error in the log, and the run goes on. Only a renamed row takes its new
 * name into "Original"; a failed row keeps both its names.
 */
#include "PreviewTable.h"
#include "RenameEngine.h"

#include <cstddef>

namespace engine {

/** What a rename run did. */
struct RenameRunResult {
    bool started = false;  ///< false: no preview yet, or the log could not be written
    bool stopped = false;  ///< the stop request ended the run before the rows were all done
    size_t renamed = 0;    ///< rows moved on disk
    size_t failed = 0;     ///< rows whose move failed or whose name was refused
    size_t unchanged = 0;  ///< rows left alone: an empty "Preview", or one equal to "Original"
};

/**
 * The rename window's "&Rename Now!" button. Without a preview it shows "Please Preview
 * first,then Execute" and does nothing else. If the log cannot be written it says so and
 * renames nothing. Otherwise, in this order: attributes normalised (preference
 * `AutoNormalizeAttributes`); every row renamed in grid order (rows inside a folder renamed
 * earlier in the run follow it to its new name); "templog.log" written and, with `SaveLogFile`,
 * its dated copy; "Ready"; "Files Renamed" (with `ShowRenameConfirmation`) when no row failed,
 * else a message with the number of failures; the main list refreshed (`AutoRefreshMainList`)
 * and the log viewer shown (`ShowLogAfterRename`, or any failure) through the host. Renamed
 * and unchanged rows lose their validation colour; failed rows show their Preview cell in the
 * duplicate colour.
 *
 * A stop request already set when the run reaches a row clears the request and ends the rows
 * there; the rows done so far keep their results, and no confirmation is shown.
 */
RenameRunResult cmdExecute_Click(RenameEngine &engine, PreviewTable &grid);

/** Sets the item of every row (Path + Original) to normal attributes, as far as the file
 *  system has them (a name starting with "." stays hidden). Failures are skipped. */
void ClearAttributes(RenameEngine &engine, const PreviewTable &grid);

/** Hands the host the rows whose Path + Original is an existing file, to become the main
 *  window's file list, all checked. */
void RefreshMainView(RenameEngine &engine, const PreviewTable &grid);

} // namespace engine
