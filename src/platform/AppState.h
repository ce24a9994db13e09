#pragma once
/**
 * The program-wide state every window shares: preferences, run flags, the stop request, the
 * token target, the two replace tables and the parsed command line. One instance is owned by
 * main() and handed to the windows by reference. Everything starts as 0, false or empty.
 */
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <vector>

class MessageService;
class Dialogs;
class Shell;
class Clock;
class RandomSource;

/** One row of a replace table. `MatchCase` is "y"/"Y" for a case-sensitive row, else "n". */
struct ReplaceListEntry {
    QString MatchCase;
    QString FromString;
    QString ToString;

    bool operator==(const ReplaceListEntry &) const = default;
};

/** The platform services the windows and the engine call; not owned. */
struct Services {
    MessageService *messages = nullptr;
    Dialogs *dialogs = nullptr;
    Shell *shell = nullptr;
    Clock *clock = nullptr;
    RandomSource *random = nullptr;
};

struct AppState {
    Services services;

    // Command line and run mode.
    QString CommandLine;  ///< the open-files line (a rename-drop run keeps only CmdArgs)
    QStringList CmdArgs;
    int CmdArgCount = 0;
    int16_t RenameDropRun = 0;
    int16_t OpenFilesRun = 0;
    int16_t SelChanged = 0;
    int16_t RenamerLoaded = 0;
    int16_t MainLoading = 0;
    bool MainUnloading = false;

    /** The stop request of the long loops of the engine and the rename window. */
    bool StopFlag = false;

    // Main window state.
    QString CurrentFolder;
    QString SearchRootFolder;
    QString CurrentFileSpec;
    QString FileViewName;
    QString LastCopyFolder;
    int32_t SelFileCount = 0;
    /** The EXIF picker's list index when it last closed (-1: none). */
    int16_t LastListIndex = 0;
    /** The MP3 picker's own list index when it last closed (-1: none); kept for the run only. */
    int16_t LastID3ListIndex = -1;
    /** The EXIF picker's "DateTime" was chosen since the rename window loaded. */
    bool ExifDateChosen = false;
    /** Which window stays on top: 0 none, 1 main, 5 bookmarks, 7 rename window, 9 a replace list. */
    int16_t TopMostWindow = 0;

    // Preferences (1 = on, 0 = off).
    int16_t CheckAllOnLoad = 0;
    int16_t SkipBookmarkName = 0;
    int16_t ShowHiddenFolders = 0;
    bool ClearOnFolderDrop = false;
    int16_t AutoRefreshRenamer = 0;
    int16_t AutoRefreshMainList = 0;
    int16_t AutoValidateNames = 0;
    int16_t AutoNormalizeAttributes = 0;
    int16_t ShowLogAfterRename = 0;
    int16_t SaveLogFile = 0;
    int16_t ShowRenameDropDialog = 0;
    int16_t ShowRenameConfirmation = 0;

    // Texts last chosen in the token pickers.
    QString TimeFormatText;
    QString DateFormatText;
    QString RandomMaskText;

    /** The lines of the settings file as last read, line k at index k - 1. */
    std::array<QString, 25> SettingsLines;

    // Replace tables: rows 1..count are entries 0..count-1.
    std::vector<ReplaceListEntry> ReplaceList;
    std::vector<ReplaceListEntry> ExtReplaceList;
    size_t ReplaceListCount() const { return ReplaceList.size(); }
    size_t ExtReplaceListCount() const { return ExtReplaceList.size(); }
    bool ReplaceAllExt = false;
    QString ReplaceAllExtTo;

    // Token target: the field, token and optional grid cell a picker writes back to. A field or
    // grid that is gone is null and receives nothing.
    QPointer<QObject> TokenTargetCombo;
    QString TokenTargetText;
    QPointer<QObject> TokenTargetGrid;
    int TokenTargetRow = 0;
    int TokenTargetCol = 0;
    // Which pickers are open; the picture-date picker has its own flag.
    bool DatePickerOpen = false;
    bool PictureDatePickerOpen = false;
    bool TimePickerOpen = false;
    bool RandomPickerOpen = false;
    bool ExifPickerOpen = false;
    bool ID3PickerOpen = false;
};
