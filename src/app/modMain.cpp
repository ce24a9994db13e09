#include "modMain.h"

#include "AppFolder.h"
#include "AppState.h"
#include "ListViewEditable.h"
#include "MessageService.h"
#include "PathCodec.h"
#include "ProgramTitle.h"
#include "RenListManInstance.h"
#include "RenameDropRun.h"
#include "ReplaceListDialogs.h"
#include "RenamerWiring.h"
#include "SettingsFile.h"
#include "StartupDisplay.h"
#include "StartupCommandLine.h"
#include "UnattendedRun.h"
#include "TokenPickers.h"
#include "WindowHelpers.h"
#include "frmMain.h"
#include "frmRenDrop.h"
#include "frmRenamer.h"
#include "frmSplash.h"

#include <QApplication>
#include <QCheckBox>
#include <QDeadlineTimer>
#include <QLabel>
#include <QTimer>
#include <QWindow>

namespace app {

namespace {

// The windows that came up behind the splash are on the screen and painted before the splash
// goes, so it never stands over empty frames. A display that does not show them within a
// moment is not waited for any longer.
void PaintBeforeSplashCloses(const QList<QWidget *> &windows)
{
    auto exposed = [&windows] {
        for (QWidget *w : windows)
            if (w->isVisible() && (!w->windowHandle() || !w->windowHandle()->isExposed()))
                return false;
        return true;
    };
    QTimer tick;
    tick.start(20);
    QDeadlineTimer deadline(2000);
    while (!exposed() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
    for (QWidget *w : windows)
        if (w->isVisible())
            w->repaint();
}

// A program folder that cannot hold the program's files is said once, plainly, before any of
// them is missed: on standard error in a rename-drop run, as the settings file's own troubles are.
void TellProgramFolderProblem(const AppState &state, bool renameDrop)
{
    const QString problem = AppFolderProblem();
    if (problem.isEmpty())
        return;
    if (renameDrop || !state.services.messages)
        printToStandardError(problem);
    else
        state.services.messages->MsgBox(problem, msg::OKOnly | msg::Critical, mainwin::kProgramTitle);
}

} // namespace

modMain::modMain(AppState &state) : m_state(state) {}

void modMain::BuildWindows()
{
    if (m_main)
        return;
    common::KeepOpenedWindowsAboveOnTop();
    m_main = std::make_unique<mainwin::frmMain>(m_state);
    m_pickers = std::make_unique<renamewin::TokenPickers>(m_state);
    m_renamer = std::make_unique<renamewin::frmRenamer>(m_state);
    m_renamer->setTokenPickers(m_pickers.get());
    m_wiring = renamewin::connectRenamer(*m_main, *m_renamer);
    auto *configs = new settingsfiles::RenListManInstance(*m_renamer);
    connect(m_main.get(), &mainwin::frmMain::unloading, configs, &settingsfiles::RenListManInstance::Unload);
    new replacelists::ReplaceListDialogs(m_state, *m_renamer, m_main.get(), m_pickers.get());
    // The main window's unloading closes the date and time pickers; the random and MP3 pickers
    // stay until the user closes them or the program ends.
    connect(m_main.get(), &mainwin::frmMain::unloading, m_pickers.get(), [this] {
        using renamewin::PickerKind;
        m_pickers->close({PickerKind::Time, PickerKind::Date, PickerKind::PictureDate});
    });
    connect(m_main.get(), &mainwin::frmMain::unloaded, this, &modMain::finished);
}

mainwin::frmMain &modMain::main()
{
    BuildWindows();
    return *m_main;
}

renamewin::frmRenamer &modMain::renamer()
{
    BuildWindows();
    return *m_renamer;
}

renamewin::TokenPickers &modMain::pickers()
{
    BuildWindows();
    return *m_pickers;
}

modMain::~modMain()
{
    delete m_renDrop;
    m_wiring.reset();
    m_renamer.reset();
    m_pickers.reset();
    m_main.reset();
}

int modMain::Main(const QStringList &arguments)
{
    const mainwin::StartMode mode = mainwin::startModeOf(arguments);
    TellProgramFolderProblem(m_state, mode == mainwin::StartMode::RenameDrop);
    switch (mode) {
    case mainwin::StartMode::Normal:
        NormalStart();
        return RunOn;
    case mainwin::StartMode::RenameDrop:
        m_state.CmdArgs = arguments;
        m_state.CmdArgCount = int(arguments.size());
        return RenameDropRun();
    case mainwin::StartMode::OpenFiles:
        m_state.CommandLine = arguments.first();
        OpenFilesRun();
        return RunOn;
    }
    return RunOn;
}

void modMain::NormalStart()
{
    mainwin::SetAsideUnreadableSettingsFile(m_state, mainwin::SettingsFilePath());
    ShowCentredWithSplash();
}

void modMain::ShowCentredWithSplash()
{
    BuildWindows();
    mainwin::frmSplash splash;
    splash.show();
    QApplication::processEvents();
    m_main->Load();
    common::CenterForm(m_main.get());
    common::CenterForm(m_renamer.get());
    // The rename window was built before the settings were read: the On Top it was left with
    // comes now, once both windows are on the screen, so that the main window is not lent it.
    // The window kept on top is then the one in front, with the keyboard.
    const bool renamerOnTop = m_state.TopMostWindow == renamewin::frmRenamer::OnTopCode;
    if (renamerOnTop)
        m_renamer->chkOnTop->setChecked(true);
    PaintBeforeSplashCloses({m_main.get(), m_renamer.get()});
    splash.close();
    common::BringToFront(renamerOnTop ? static_cast<QWidget *>(m_renamer.get()) : m_main.get());
}

void modMain::AddArgumentsToList(qsizetype first)
{
    mainwin::DroppedItemPaths paths;
    for (qsizetype i = first; i < m_state.CmdArgs.size(); ++i) {
        const QString &argument = m_state.CmdArgs[i];
        // "." and ".." stay what they are, a row the rename refuses, not the folder they lead to.
        if (mainwin::NamesDotItem(argument)) {
            m_main->lvw2->AddFile(paths.dotItemFolder(argument), mainwin::DotItemName(argument));
            continue;
        }
        const QString path = paths.path(argument);
        m_main->lvw2->AddFile(mainwin::GetPathPart(path, true), mainwin::GetPathPart(path, false));
    }
}

int modMain::RenameDropRun()
{
    m_state.RenameDropRun = 1;
    mainwin::SetAsideUnreadableSettingsFile(m_state, mainwin::SettingsFilePath());
    mainwin::SettingsFileControls unused;
    mainwin::ReadSettingsFile(mainwin::SettingsFilePath(), m_state, false, unused);
    if (m_state.ShowRenameDropDialog != 1)
        return RunRenameDropWithoutWindows(m_state, m_state.CmdArgs);
    // Started where no window is seen (the preference was off a moment ago): the review the
    // user now asks for cannot show, and nothing is renamed unreviewed.
    if (!WindowsCanShow()) {
        printToStandardError(QStringLiteral("Vexlo needs a display to show the rename-drop review dialog; it was "
                                            "started without one. Nothing was renamed."));
        return NothingRan;
    }

    // The review dialog shows the rows of the rename window's grid.
    BuildWindows();
    m_main->Load();
    m_main->lvw2->ClearItems();
    AddArgumentsToList(1);
    m_main->lvw2->setCheckedAll(true);
    m_main->GetSelected();
    m_main->cmdRename_Click();

    const QString rnp = m_state.CmdArgs.value(0);
    const settingsfiles::LoadResult loaded = m_renamer->LoadRnp(rnp);
    if (!loaded.loaded) {
        // Renaming with settings that did not load would rename with whatever the window holds.
        ReportRefusedRenameDrop(m_state.services.messages, rnp, loaded);
        m_main->cmdQuit_Click();
        return NothingRan;
    }
    m_renamer->cmdPreview_Click();

    m_renDrop = new mainwin::frmRenDrop(m_renamer->previewRows(), *m_state.services.messages);
    m_renDrop->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_renDrop, &mainwin::frmRenDrop::unloaded, m_main.get(), [this] { m_main->cmdQuit_Click(); });
    common::BringToFront(m_renDrop);
    return RunOn;
}

void modMain::OpenFilesRun()
{
    m_state.OpenFilesRun = 1;
    mainwin::SetAsideUnreadableSettingsFile(m_state, mainwin::SettingsFilePath());
    BuildWindows();
    m_state.CmdArgs = mainwin::SplitCommandLine(m_state.CommandLine);
    m_state.CmdArgCount = int(m_state.CmdArgs.size());
    ShowCentredWithSplash();

    m_main->lvw2->ClearItems();
    AddArgumentsToList(0);
    m_main->lvw2->setCheckedAll(true);
    m_main->GetSelected();
    m_renamer->setVisible(true);
    m_main->cmdRename_Click();
}

} // namespace app
