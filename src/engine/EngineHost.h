#pragma once
/**
 * What the engine asks of the window it runs for: the status caption (`lblStatus`), the progress
 * bar (`ProgBar`), a turn of the message loop, the program-wide stop request and message boxes.
 * The rename window implements it; tests use RecordingEngineHost.
 */
#include <QString>
#include <vector>

namespace engine {

/** A file for the main window's file list: its folder (ending in "/") and its name. */
struct MainListFile {
    QString Path;
    QString Name;
};

class EngineHost {
public:
    virtual ~EngineHost() = default;

    /** Sets the caption of the status label. */
    virtual void setStatus(const QString &caption) = 0;

    /** The progress bar. Like the control, a value above the maximum is refused and the bar
     *  keeps its value. */
    virtual void setProgressMax(float max) = 0;
    virtual void setProgressValue(float value) = 0;
    virtual float progressValue() const = 0;

    /** Lets the message loop run once, so the windows stay live (and the stop button works). */
    virtual void yield() = 0;

    /** The program-wide `StopFlag`. */
    virtual bool stopRequested() const = 0;
    virtual void setStopRequested(bool on) = 0;

    /** Shows a message box (`buttons` as in MessageService); returns the answer. */
    virtual int MsgBox(const QString &prompt, int buttons, const QString &title) = 0;

    /** After a rename run ("Automatically Refresh Main File View after Renaming."): the main
     *  window's file list is emptied (its folder left at a placeholder that lists nothing, the
     *  folder tree disabled meanwhile), gets one row for each of `files`, in order, and every
     *  row is checked. */
    virtual void refreshMainList(const std::vector<MainListFile> &files) { (void)files; }

    /** After a rename run ("Show Rename Log After Each Renaming."): opens the log viewer
     *  without blocking on `logFile`, the file that holds that run's lines ("templog.log", or
     *  the run's own dated file when it kept one). */
    virtual void showRenameLog(const QString &logFile) { (void)logFile; }
};

} // namespace engine
