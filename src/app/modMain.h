#pragma once
/**
 * The start procedure: looks once at the program's arguments and starts normally, as a
 * rename-drop run (a ".rnp" file followed by the dropped files and folders) or as an
 * open-files run (paths joined by "|").
 */
#include <QObject>
#include "frmRenDrop.h"

#include <QPointer>
#include <QStringList>
#include <memory>

struct AppState;

namespace mainwin {
class frmMain;
class frmSplash;
} // namespace mainwin

namespace renamewin {
class frmRenamer;
class MainFileList;
class TokenPickers;
} // namespace renamewin

namespace app {

/** The program's windows and the start procedure that sets them going. */
class modMain : public QObject {
    Q_OBJECT
public:
    /** Exit codes of a run that ends without the event loop: SomeFailed when a row was not
     *  renamed; NothingRan when nothing could run: the settings were refused, there was no
     *  preview, or the run needs a window and finds no display to show it. */
    enum ExitCode : int { RunOn = -1, AllRenamed = 0, SomeFailed = 1, NothingRan = 2 };

    explicit modMain(AppState &state);
    ~modMain() override;

    /** Runs the start procedure for `arguments` (without the program name). Returns RunOn when
     *  the windows carry on in the event loop, else the exit code of a finished run. */
    int Main(const QStringList &arguments);

    /** The windows, built on first use (a rename-drop run without the review dialog builds
     *  none). */
    mainwin::frmMain &main();
    renamewin::frmRenamer &renamer();
    renamewin::TokenPickers &pickers();
    /** True once the windows were built. */
    bool windowsBuilt() const { return m_main != nullptr; }
    /** The rename-drop review dialog, while one is open. */
    mainwin::frmRenDrop *renDrop() const { return m_renDrop; }

signals:
    /** The last window closed: the program ends. */
    void finished();

private:
    void BuildWindows();
    void NormalStart();
    /** Shows the splash, loads the main window, centres both windows, closes the splash. */
    void ShowCentredWithSplash();
    int RenameDropRun();
    void OpenFilesRun();
    void AddArgumentsToList(qsizetype first);

    AppState &m_state;
    std::unique_ptr<mainwin::frmMain> m_main;
    // The pickers outlive the rename window, whose unloading closes some of them.
    std::unique_ptr<renamewin::TokenPickers> m_pickers;
    std::unique_ptr<renamewin::frmRenamer> m_renamer;
    std::unique_ptr<renamewin::MainFileList> m_wiring;
    QPointer<mainwin::frmRenDrop> m_renDrop;
};

} // namespace app
