#include "modMain.h"

#include "AppState.h"
#include "ListViewEditable.h"
#include "MessageService.h"
#include "RenListManInstance.h"
#include "RenameDropRun.h"
#include "RenamerWiring.h"
#include "StartupCommandLine.h"
#include "WindowHelpers.h"
#include "frmMain.h"
#include "frmRenDrop.h"
#include "frmRenamer.h"
#include "frmSplash.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <cstdio>

namespace app {

namespace {

void printError(const QString &text)
{
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    std::fflush(stderr);
}

// A dropped item as a full path without a trailing "/", so that its folder and name split apart.
QString droppedItemPath(const QString &argument)
{
    if (argument.isEmpty())
        return argument;
    QString path = QFileInfo(argument).absoluteFilePath();
    while (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    return path;
}

} // namespace

modMain::modMain(AppState &state)
    : m_state(state),
      m_main(std::make_unique<mainwin::frmMain>(state)),
      m_renamer(std::make_unique<renamewin::frmRenamer>(state))
{
    m_wiring = renamewin::connectRenamer(*m_main, *m_renamer);
    auto *configs = new settingsfiles::RenListManInstance(*m_renamer);
    connect(m_main.get(), &mainwin::frmMain::unloading, configs, &settingsfiles::RenListManInstance::Unload);
    connect(m_main.get(), &mainwin::frmMain::unloaded, this, &modMain::finished);
}

modMain::~modMain()
{
    delete m_renDrop;
    m_wiring.reset();
    m_renamer.reset();
    m_main.reset();
}

int modMain::Main(const QStringList &arguments)
{
    switch (mainwin::startModeOf(arguments)) {
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
    ShowCentredWithSplash();
}

void modMain::ShowCentredWithSplash()
{
    mainwin::frmSplash splash;
    splash.show();
    QApplication::processEvents();
    m_main->Load();
    common::CenterForm(m_main.get());
    common::CenterForm(m_renamer.get());
    splash.close();
}

void modMain::AddArgumentsToList(qsizetype first)
{
    for (qsizetype i = first; i < m_state.CmdArgs.size(); ++i) {
        const QString path = droppedItemPath(m_state.CmdArgs[i]);
        m_main->lvw2->AddFile(mainwin::GetPathPart(path, true), mainwin::GetPathPart(path, false));
    }
}

int modMain::RenameDropRun()
{
    m_state.RenameDropRun = 1;
    m_main->Load();
    m_main->lvw2->ClearItems();
    AddArgumentsToList(1);
    m_main->lvw2->setCheckedAll(true);
    m_main->GetSelected();
    m_main->cmdRename_Click();

    MessageService &messages = *m_state.services.messages;
    const settingsfiles::LoadResult loaded = m_renamer->LoadRnp(m_state.CmdArgs.value(0));
    if (!loaded.loaded) {
        // Renaming with settings that did not load would rename with whatever the window holds.
        const QString why = QStringLiteral("%1: %2").arg(m_state.CmdArgs.value(0), loaded.message);
        const QString detail = loaded.reason.isEmpty() ? why : why + QStringLiteral(" (") + loaded.reason + u')';
        printError(detail + QStringLiteral("\nNothing was renamed."));
        messages.MsgBox(detail + QStringLiteral("\nNothing was renamed."), msg::OKOnly | msg::Critical,
                        QStringLiteral("Morvane"));
        m_main->cmdQuit_Click();
        return SettingsRefused;
    }
    m_renamer->cmdPreview_Click();

    if (m_state.ShowRenameDropDialog == 1) {
        m_renDrop = new mainwin::frmRenDrop(m_renamer->previewRows(), messages);
        m_renDrop->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_renDrop, &mainwin::frmRenDrop::unloaded, m_main.get(), [this] { m_main->cmdQuit_Click(); });
        m_renDrop->show();
        return RunOn;
    }

    const std::vector<mainwin::FailedRename> failed = mainwin::RenameAllRows(m_renamer->previewRows());
    for (const mainwin::FailedRename &f : failed)
        printError(QStringLiteral("Row %1: %2").arg(f.row).arg(mainwin::FailedRenameText(f)));
    m_main->cmdQuit_Click();
    return failed.empty() ? AllRenamed : SomeFailed;
}

void modMain::OpenFilesRun()
{
    m_state.OpenFilesRun = 1;
    m_state.CmdArgs = mainwin::SplitCommandLine(m_state.CommandLine);
    m_state.CmdArgCount = int(m_state.CmdArgs.size());
    ShowCentredWithSplash();

    m_main->lvw2->ClearItems();
    AddArgumentsToList(0);
    m_main->lblPlot->setText(QString::number(m_main->lvw2->ListItems().Count()));
    m_main->lvw2->setCheckedAll(true);
    m_main->GetSelected();
    m_renamer->setVisible(true);
    m_main->cmdRename_Click();
}

} // namespace app
