#pragma once
/**
 * The program's positional settings file "Trevalle.ini" in the program folder: 24 lines, one
 * value per line, no header and no keys. Lines 1 to 4 come from the preferences dialog's
 * file-backed controls (with the word "blank" for "option off"), lines 5 to 24 from the
 * program-wide variables.
 */
#include "VbError.h"

#include <QString>
#include <QStringList>

struct AppState;

namespace mainwin {

/** The four settings that have no variable of their own: they live in the preferences dialog's
 *  controls and in lines 1 to 4 of the file. */
struct SettingsFileControls {
    /** `Check1`, "Save Last Selected Folder" (line 1). */
    bool Check1 = false;
    /** `Check10`, "All Files in File View Checked Initially." (line 2). */
    bool Check10 = false;
    /** `OptSort(1)`, "By Magnitude (Ignoring pre-zeros)" (line 3); false is `OptSort(0)`. */
    bool OptSortMagnitude = false;
    /** `Check19`, "Save File Type Selection" (line 4). */
    bool Check19 = false;

    bool operator==(const SettingsFileControls &) const = default;
};

/** What the writer reads from the main window besides the variables. */
struct SettingsFileWindow {
    /** The folder tree's selected folder (line 1 when `Check1` is on). */
    QString SelectedFolder;
    /** The text of the file-type box (line 4 when `Check19` is on). */
    QString FileTypeText;
};

/** The number of lines the writer writes. */
constexpr int SettingsLineCount = 24;

/** FixPath(program folder) + "Trevalle.ini". */
QString SettingsFilePath();

/** The 24 lines the writer writes, in order. A text that holds a line break cannot sit on one
 *  line: a folder with one is written as "blank" (not remembered), other texts lose their line
 *  breaks. */
QStringList SettingsFileLines(const AppState &state, const SettingsFileControls &controls,
                              const SettingsFileWindow &window);

/** Writes the 24 lines atomically to `path`; on failure the old file stays as it was. */
vb::Status WriteSettingsFile(const QString &path, const AppState &state, const SettingsFileControls &controls,
                             const SettingsFileWindow &window);

/**
 * Saves the settings at the end of a run that showed no window, as closing the main window would
 * when nothing was changed: lines 1 to 4 as the file holds them, the preferences as the
 * preferences dialog keeps them (on/off). The file is written only when its lines would change
 * (or it does not exist yet).
 */
vb::Status SaveSettingsFileUnchanged(const QString &path, AppState &state);

/**
 * Reads `path` whole, then keeps line k in `state.SettingsLines[k - 1]` for k up to 25 (later
 * lines are dropped; indexes past the end of a short file keep what they held). With
 * `ToControls` false the variables are set from lines 1, 2 and 4 to 24; with `ToControls` true
 * only `controls` is set from lines 1 to 4. Each line is handled by itself: a line the file does
 * not have, or whose number or Boolean does not convert, leaves its value as it was. Returns
 * false, changing nothing, when the file cannot be read.
 */
bool ReadSettingsFile(const QString &path, AppState &state, bool ToControls, SettingsFileControls &controls);
/** The part of ReadSettingsFile() after the file was read: its lines, taken as it says. */
void ReadSettingsLines(const QStringList &lines, AppState &state, bool ToControls, SettingsFileControls &controls);

/**
 * The preference "Show Rename Drop dialog." as a rename-drop run started now would take it: read
 * from `path` without changing anything, the default when the file is missing or cannot be read
 * as one (the run sets such a file aside and uses the defaults). Lets the start know whether the
 * run opens a window before anything is built.
 */
bool RenameDropShowsDialog(const QString &path);

/**
 * Before the settings are read at start: a settings file at `path` that is there but cannot be
 * read as one (too large, binary, unreadable) is told once, with its path
 * and the reason ("Invalid File: ..."), and moved aside to "<name>.bad" (or "<name>.bad.2", ...,
 * never over an earlier one), so the defaults that take its place never replace it. Told on
 * standard error in a rename-drop run, else in a message box. Something that is not a regular
 * file (a device, a FIFO, a folder) is left where it is: it is never read, and the writers
 * refuse it. Returns false when an unreadable file was found.
 */
bool SetAsideUnreadableSettingsFile(const AppState &state, const QString &path);

/** Tells the user when a program file (the settings file, the command bars) could not be saved:
 *  "The settings file "<path>" could not be saved: <reason>." on standard error in a rename-drop
 *  run, else in a message box. The same failure of the same folder is told once until a file
 *  is saved again (`result` ok: nothing to tell). */
void ReportSavedFile(const AppState &state, const QString &path, const vb::Status &result);

} // namespace mainwin
