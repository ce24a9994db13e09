#include "modMain.h"

#include "AppState.h"
#include "ListViewEditable.h"
#include "MessageService.h"
#include "PathCodec.h"
#include "RenListManInstance.h"
#include "RenameDropRun.h"
#include "ReplaceListDialogs.h"
#include "RenamerWiring.h"
#include "StartupCommandLine.h"
#include "TokenPickers.h"
#include "WindowHelpers.h"
#include "frmMain.h"
#include "frmRenDrop.h"
#include "frmRenamer.h"
#include "frmSplash.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QLabel>
#include <QTimer>
#include <QWindow>
#include <cstdlib>
#include <unistd.h>

namespace app {

namespace {

// A dropped item as a full path without a trailing "/", so that its folder and name split apart.
// The path is never cleaned by its text: the folder part is resolved as the kernel resolves it
// ("link/.." is the folder above the link's target), and the last component stays the item
// itself, a symbolic link included.
QString droppedItemPath(const QString &argument)
{
    if (argument.isEmpty())
        return argument;
    QString path = argument;
    if (!path.startsWith(u'/')) {
        char *cwd = ::getcwd(nullptr, 0);
        path = (cwd ? pathcodec::decode(cwd) : QDir::currentPath()) + u'/' + argument;
        std::free(cwd);
    }
    while (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    const qsizetype slash = path.lastIndexOf(u'/');
    QString folder = slash <= 0 ? QStringLiteral("/") : path.left(slash);
    QString name = path.mid(slash + 1);
    if (name == QLatin1String(".") || name == QLatin1String("..")) {
        folder = path;  // the item is the folder the whole path leads to
        name.clear();
    }
    if (char *real = ::realpath(pathcodec::encode(folder).constData(), nullptr)) {
        folder = pathcodec::decode(real);
        std::free(real);
    }
    if (name.isEmpty())
        return folder;
    return folder == QLatin1String("/") ? folder + name : folder + u'/' + name;
}

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

} // namespace

modMain::modMain(AppState &state)
    : m_state(state),
      m_main(std::make_unique<mainwin::frmMain>(state)),
      m_pickers(std::make_unique<renamewin::TokenPickers>(state)),
      m_renamer(std::make_unique<renamewin::frmRenamer>(state))
{
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
    m_state.CommandLine = arguments.join(u' ');
    switch (mainwin::startModeOf(arguments)) {
    case mainwin::StartMode::Normal:
        NormalStart();
        return RunOn;
    case mainwin::StartMode::RenameDrop:
        m_state.CmdArgs = arguments;
        m_state.CmdArgCount = int(arguments.size());
        return RenameDropRun();
    case mainwin::StartMode::OpenFiles:
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
    PaintBeforeSplashCloses({m_main.get(), m_renamer.get()});
    splash.close();
    common::BringToFront(m_main.get());
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
    // Told once: on standard error, and in a box unless the boxes go there already.
    auto refuse = [&](const QString &text) {
        if (!messages.writesToStandardError())
            printToStandardError(text);
        messages.MsgBox(text, msg::OKOnly | msg::Critical, QStringLiteral("Morvane"));
        m_main->cmdQuit_Click();
        return SettingsRefused;
    };
    const QString rnp = m_state.CmdArgs.value(0);
    const settingsfiles::LoadResult loaded = m_renamer->LoadRnp(rnp);
    if (!loaded.loaded) {
        // Renaming with settings that did not load would rename with whatever the window holds.
        const QString why = QStringLiteral("%1: %2").arg(pathcodec::printable(rnp), loaded.message);
        const QString detail = loaded.reason.isEmpty() ? why : why + QStringLiteral(" (") + loaded.reason + u')';
        return refuse(detail + QStringLiteral("\nNothing was renamed."));
    }
    m_renamer->cmdPreview_Click();

    if (m_state.ShowRenameDropDialog == 1) {
        m_renDrop = new mainwin::frmRenDrop(m_renamer->previewRows(), messages);
        m_renDrop->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_renDrop, &mainwin::frmRenDrop::unloaded, m_main.get(), [this] { m_main->cmdQuit_Click(); });
        common::BringToFront(m_renDrop);
        return RunOn;
    }
    return RenameAtOnce();
}

int modMain::RenameAtOnce()
{
    // A preview that did not run (no action checked, ...) has said why; nothing is renamed.
    if (!m_renamer->Previewed()) {
        printToStandardError(QStringLiteral("%1: the preview did not run. Nothing was renamed.")
                                 .arg(pathcodec::printable(m_state.CmdArgs.value(0))));
        m_main->cmdQuit_Click();
        return SettingsRefused;
    }
    const std::vector<mainwin::FailedRename> failed =
        mainwin::RenameAllRows(m_renamer->previewRows(), m_renamer->failedPreviewRows());
    for (const mainwin::FailedRename &f : failed)
        printToStandardError(QStringLiteral("Row %1: %2").arg(f.row).arg(mainwin::FailedRenameText(f)));
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
