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

#include "VbError.h"

#include <cstddef>
#include <functional>
#include <vector>

namespace engine {

/** What a rename run did. */
struct RenameRunResult {
    bool started = false;     ///< false: no preview yet, or the log could not be written
    bool stopped = false;     ///< the stop request ended the run before the rows were all done
    bool logStopped = false;  ///< a row's log line could not be written, which ended the run there
    size_t notReached = 0;    ///< rows the run did not come to (after either stop)
    size_t renamed = 0;       ///< rows moved on disk
    size_t failed = 0;        ///< rows whose move failed or whose name was refused
    size_t unchanged = 0;     ///< rows left alone: an empty "Preview", or one equal to "Original"
};

/** How one row of a rename loop ended. */
enum class RowOutcome : uint8_t { NotReached, Unchanged, Renamed, Failed };

/** What a rename loop asks of the run it serves; every hook may be left empty. */
struct RenameLoopHooks {
    /** Asked before each row: true ends the loop there. */
    std::function<bool()> stop;
    /** A row that must not be attempted gets its reason here (a failed preview); ok for the
     *  others. A refused row counts as failed. */
    std::function<vb::Status(size_t row)> refuse;
    /** Just before a row's item is moved (its names have passed their checks): the row as it
     *  is then, so that a record of the attempt can reach the disk ahead of the move. False
     *  ends the loop there: the row is not moved and counts as not reached. */
    std::function<bool(size_t rowNumber, const PreviewRow &row)> attempt;
    /** After each row that was attempted or refused: the row with the names it had then, and
     *  the result. */
    std::function<void(size_t rowNumber, const PreviewRow &row, const vb::Status &result)> done;
    /** After each row, whatever became of it. */
    std::function<void()> advance;
    /** Moves a row's item once both names passed their checks (Path + Original to Path +
     *  Preview, never over an existing item). Unset: MoveFile, or MoveFolder for the type
     *  "File Folder", which look at the item first; a caller whose rows were just looked up
     *  may rename without. */
    std::function<vb::Status(const PreviewRow &row)> move;
};

/** Refuses "." and "..", which are a folder's own entries, never items to rename ("'.' and '..'
 *  cannot be renamed"). */
vb::Status CheckNotDotItem(const QString &name);

/** The checks of a row before it is renamed: "." and ".." are never items; an item that is not
 *  there fails ("File not found") even when its name stays; a name is never cut down to its bare
 *  extension ("empty name"). */
vb::Status CheckRenameRow(const PreviewRow &row);

/**
 * The one rename loop of the program, for the window's run and the unattended rename-drop run:
 * every row in grid order renamed from Path + Original to Path + Preview, never over an
 * existing item. A row whose Preview equals its Original is left alone, but fails ("File not
 * found") when its item is not there; a row whose Preview is empty is left alone. A row whose
 * item is "." or "..", or whose new base name is empty while its old one was not ("empty
 * name"), fails without being attempted. When a folder row is renamed, the later rows inside
 * it (at any depth) follow it to its new name. A row that names an item an earlier row renamed
 * (the same item given twice, also as "d/./f" beside "d/f") fails as a duplicate of that row,
 * not as a missing file.
 * Afterwards the renamed and unchanged rows take their Preview into Original; a failed row
 * keeps both names. Returns the outcome of each row (index 0 for row 1).
 */
std::vector<RowOutcome> RenameRows(PreviewTable &grid, const RenameLoopHooks &hooks);

/**
 * The rename window's "&Rename Now!" button. Without a preview it shows "Please Preview
 * first,then Execute" and does nothing else. If the log cannot be written it says so and
 * renames nothing. Otherwise, in this order: attributes normalised (preference
 * `AutoNormalizeAttributes`); every row renamed in grid order (rows inside a folder renamed
 * earlier in the run follow it to its new name); "templog.log" written and, with `SaveLogFile`,
 * its dated copy; "Ready"; "Files Renamed" (with `ShowRenameConfirmation`) when no row failed,
 * else a message with the number of failures; the main list refreshed (`AutoRefreshMainList`)
 * and the log viewer shown (`ShowLogAfterRename`, or any failure) through the host, on the
 * file that holds the run's record. Renamed and unchanged rows lose their validation colour;
 * failed rows show their Preview cell in the duplicate colour.
 *
 * A stop request already set when the run reaches a row clears the request and ends the rows
 * there; the rows done so far keep their results, and no confirmation is shown.
 *
 * Every rename is on record: when a row's names cannot be written to the log before its move,
 * that row and the rest are not renamed; when a row's result cannot be written after its move
 * (the rename happened), the rows after it are not renamed. A message then tells how many items
 * were renamed, that the rest were not, and which file holds the record. A run that did not go
 * as asked (a failed row, or such a stop) keeps its own dated log file, and its message and the
 * log viewer name that file, whatever "templog.log" holds by then.
 */
RenameRunResult cmdExecute_Click(RenameEngine &engine, PreviewTable &grid);

/** Sets the item of every row (Path + Original) to normal attributes, as far as the file
 *  system has them (a name starting with "." stays hidden). Failures are skipped. */
void ClearAttributes(RenameEngine &engine, const PreviewTable &grid);

/** Hands the host the rows whose Path + Original is an existing file, to become the main
 *  window's file list, all checked. */
void RefreshMainView(RenameEngine &engine, const PreviewTable &grid);

} // namespace engine
