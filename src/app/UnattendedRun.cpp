#include "UnattendedRun.h"

#include "AppState.h"
#include "Clock.h"
#include "DirectoryListing.h"
#include "EngineHost.h"
#include "FileItemBuilder.h"
#include "MediaMetadataSource.h"
#include "MessageService.h"
#include "Pacer.h"
#include "PathCodec.h"
#include "Preview.h"
#include "PreviewRowFill.h"
#include "RandomSource.h"
#include "RenameDropFile.h"
#include "RenameEngine.h"
#include "SettingsFile.h"
#include "StartupCommandLine.h"
#include "modMain.h"

#include <QCoreApplication>
#include <memory>

namespace app {

namespace {

/** The engine's host when no window shows: no caption or bar to paint, the message loop turned
 *  about once a frame, messages through the program's message service. */
class UnattendedHost : public engine::EngineHost {
public:
    explicit UnattendedHost(AppState &state) : m_state(state) {}

    void setStatus(const QString &) override {}
    void setProgressMax(float max) override
    {
        if (max >= 0)
            m_max = max;
    }
    void setProgressValue(float value) override
    {
        if (value >= 0 && value <= m_max)
            m_value = value;
    }
    float progressValue() const override { return m_value; }
    void yield() override
    {
        if (m_pacer.due())
            QCoreApplication::processEvents();
    }
    bool stopRequested() const override { return m_state.StopFlag; }
    void setStopRequested(bool on) override { m_state.StopFlag = on; }
    int MsgBox(const QString &prompt, int buttons, const QString &title) override
    {
        return m_state.services.messages ? m_state.services.messages->MsgBox(prompt, buttons, title) : int(msg::OK);
    }

private:
    AppState &m_state;
    common::Pacer m_pacer;
    float m_max = 100;
    float m_value = 0;
};

const QString FolderType = QStringLiteral("File Folder");

} // namespace

engine::PreviewTable RenameDropRows(const QStringList &arguments, qsizetype first,
                                    engine::MetadataSource &metadata, engine::EngineHost &host)
{
    std::vector<engine::PreviewRow> rows;
    rows.reserve(size_t(std::max<qsizetype>(0, arguments.size() - first)));
    mainwin::DroppedItemPaths paths;
    filelist::FileItemBuilder builder;
    std::unique_ptr<filelist::FolderHandle> folderHandle;
    QString handleFolder;
    QString handleFolderName;
    builder.RefreshLocale();
    metadata.beginRun();
    for (qsizetype i = first; i < arguments.size(); ++i) {
        const QString path = paths.path(arguments[i]);
        filelist::FileItemInfo info;
        info.Name = mainwin::GetPathPart(path, false);
        // Items of one folder come together: they share its texts and are looked up in it by name.
        const QStringView folderPart = QStringView(path).left(path.size() - info.Name.size());
        if (!folderHandle || folderPart != handleFolder) {
            handleFolder = folderPart.toString();
            handleFolderName = renamewin::folderNameOf(handleFolder);
            folderHandle = std::make_unique<filelist::FolderHandle>(handleFolder);
        }
        info.Folder = handleFolder;
        builder.FillFileItem(info, info.Name.isEmpty() ? filelist::FileStat::Read(info.FullPath())
                                                       : folderHandle->stat(pathcodec::encode(info.Name).constData()));
        const bool folder = info.TypeName == FolderType;
        renamewin::MainListItem item{info.Name, info.Folder, info.TypeName, true, folder ? -1 : info.SizeBytes,
                                     info.LastWriteSecs == filelist::ListItem::NoTime ? renamewin::MainListItem::NoTime
                                                                                      : info.LastWriteSecs};
        engine::PreviewRow row = renamewin::previewRowOf(item, handleFolderName);
        if (renamewin::isPictureType(row.Type))
            row.PictureTakenDate = renamewin::pictureDateLine(metadata.exifLines(row.Path + row.Original));
        rows.push_back(std::move(row));
        host.yield();
    }
    metadata.endRun();
    engine::PreviewTable grid;
    grid.setRows(std::move(rows));
    return grid;
}

void ReportRefusedRenameDrop(MessageService *messages, const QString &rnp, const settingsfiles::LoadResult &loaded)
{
    const QString why = QStringLiteral("%1: %2").arg(pathcodec::printable(rnp), loaded.message);
    const QString detail = loaded.reason.isEmpty() ? why : why + QStringLiteral(" (") + loaded.reason + u')';
    const QString text = detail + QStringLiteral("\nNothing was renamed.");
    // Told once: on standard error, and in a box unless the boxes go there already.
    if (!messages || !messages->writesToStandardError())
        printToStandardError(text);
    if (messages)
        messages->MsgBox(text, msg::OKOnly | msg::Critical, QStringLiteral("Morvane"));
}

int RenameAtOnce(AppState &state, engine::RenameEngine &engine, engine::PreviewTable &grid)
{
    // A preview that did not run (no action checked, ...) has said why; nothing is renamed.
    if (!engine.Previewed) {
        printToStandardError(QStringLiteral("%1: the preview did not run. Nothing was renamed.")
                                 .arg(pathcodec::printable(state.CmdArgs.value(0))));
        return modMain::SettingsRefused;
    }
    const std::vector<mainwin::FailedRename> failed = mainwin::RenameAllRows(grid, engine.run.FailedRows);
    for (const mainwin::FailedRename &f : failed)
        printToStandardError(QStringLiteral("Row %1: %2").arg(f.row).arg(mainwin::FailedRenameText(f)));
    return failed.empty() ? modMain::AllRenamed : modMain::SomeFailed;
}

int RunRenameDropWithoutWindows(AppState &state, const QStringList &arguments)
{
    UnattendedHost host(state);
    metadata::MediaMetadataSource metadata;
    Clock ownClock;
    VbRandom ownRandom;
    if (!state.services.random)
        ownRandom.randomize();
    engine::RenameEngine engine(state, host, metadata, state.services.clock ? *state.services.clock : ownClock,
                                state.services.random ? *state.services.random : ownRandom);
    engine::PreviewTable grid = RenameDropRows(arguments, 1, metadata, host);
    state.SelFileCount = int32_t(grid.Rows());

    const auto finish = [&state](int code) {
        const QString path = mainwin::SettingsFilePath();
        mainwin::ReportSavedFile(state, path, mainwin::SaveSettingsFileUnchanged(path, state));
        return code;
    };

    engine::RenameSettings settings;
    settingsfiles::RenameWindowState windowState;
    const settingsfiles::LoadResult loaded = settingsfiles::LoadRnp(arguments.value(0), settings, windowState);
    if (!loaded.loaded) {
        ReportRefusedRenameDrop(state.services.messages, arguments.value(0), loaded);
        return finish(modMain::SettingsRefused);
    }
    engine::cmdPreview_Click(engine, settings, grid);
    return finish(RenameAtOnce(state, engine, grid));
}

} // namespace app
