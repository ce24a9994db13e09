#include "UnattendedRun.h"
#include "ShellTypeName.h"

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
#include <QHash>
#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

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


// The items of a rename-drop run, by folder: where each one is and what its look-up found.
struct DroppedItems {
    struct Folder {
        QString path;  ///< ends in "/"
        QString name;  ///< the text of the rows' "Folder" cell
    };
    struct Item {
        QString name;       ///< empty: the item is its folder itself
        size_t folder = 0;  ///< index into folders
        filelist::FileStat stat;
    };
    std::vector<Folder> folders;
    std::vector<Item> items;

    // Whether item `i` shares its folder with an item beside it: such items are looked up by
    // name in the folder, which the looking thread opens once for them; an item alone in its
    // folder is looked up by its path, without opening anything.
    bool besideAnother(size_t i) const
    {
        const auto inFolder = [this](size_t k) { return !items[k].name.isEmpty(); };
        const size_t folder = items[i].folder;
        return inFolder(i)
               && ((i > 0 && items[i - 1].folder == folder && inFolder(i - 1))
                   || (i + 1 < items.size() && items[i + 1].folder == folder && inFolder(i + 1)));
    }

    void lookUp(size_t i, filelist::OpenFolder &open)
    {
        Item &item = items[i];
        const Folder &folder = folders[item.folder];
        if (item.name.isEmpty())
            item.stat = filelist::FileStat::Read(folder.path);
        else if (besideAnother(i))
            item.stat = open.handle(folder.path).stat(pathcodec::NativePath(item.name).c_str());
        else
            item.stat = filelist::FileStat::Read(folder.path + item.name);
    }
};

// Where each argument names an item. Each distinct folder is made once, however often the
// arguments come back to it (a folder given before the files inside it comes back to the folder
// above after each of them); its items are looked up in it by name.
DroppedItems placeArguments(const QStringList &arguments, qsizetype first)
{
    DroppedItems dropped;
    dropped.items.reserve(size_t(std::max<qsizetype>(0, arguments.size() - first)));
    mainwin::DroppedItemPaths paths;
    QHash<QString, size_t> folderIndex;
    size_t current = 0;
    bool workingFolderCurrent = false;
    const auto useFolder = [&](QStringView folder, bool working) {
        if (dropped.folders.empty() || working != workingFolderCurrent || folder != dropped.folders[current].path) {
            const QString path = folder.toString();
            auto known = folderIndex.constFind(path);
            if (known == folderIndex.constEnd()) {
                known = folderIndex.insert(path, dropped.folders.size());
                dropped.folders.push_back({path, renamewin::folderNameOf(path)});
            }
            current = known.value();
            workingFolderCurrent = working;
        }
    };
    for (qsizetype i = first; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        DroppedItems::Item item;
        if (mainwin::NamesDotItem(argument)) {
            // A folder's own entry: a row of its own that the rename refuses.
            item.name = mainwin::DotItemName(argument);
            useFolder(paths.dotItemFolder(argument), false);
        } else if (paths.isBareName(argument)) {
            // The usual run inside a folder: the argument is the name, the folder is known.
            item.name = argument;
            if (!workingFolderCurrent || dropped.folders.empty())
                useFolder(paths.resolvedFolder(), true);
        } else {
            const QString path = paths.path(argument);
            item.name = mainwin::GetPathPart(path, false);
            useFolder(QStringView(path).left(path.size() - item.name.size()), false);
        }
        item.folder = current;
        dropped.items.push_back(std::move(item));
    }
    return dropped;
}

// Looks every item up. A long list is shared with a few worker threads (look-ups of one folder
// run side by side in the kernel); this thread takes its share too and keeps the event loop
// turning between its blocks. Each thread holds at most one folder open at a time.
void lookUpAll(DroppedItems &dropped, engine::EngineHost &host)
{
    constexpr size_t Block = 256;
    constexpr size_t ItemsPerWorker = 4096;
    const size_t count = dropped.items.size();
    std::atomic<size_t> next{0};
    const auto work = [&dropped, &next, count](engine::EngineHost *yieldTo) {
        filelist::OpenFolder open;
        for (;;) {
            const size_t begin = next.fetch_add(Block, std::memory_order_relaxed);
            if (begin >= count)
                return;
            const size_t end = std::min(count, begin + Block);
            for (size_t i = begin; i < end; ++i)
                dropped.lookUp(i, open);
            if (yieldTo)
                yieldTo->yield();
        }
    };
    const size_t cores = std::max(1u, std::thread::hardware_concurrency());
    const size_t wanted = std::min<size_t>({count / ItemsPerWorker, 3, cores - 1});
    std::vector<std::thread> workers;
    workers.reserve(wanted);
    for (size_t w = 0; w < wanted; ++w)
        workers.emplace_back(work, nullptr);
    work(&host);
    for (std::thread &worker : workers)
        worker.join();
}

} // namespace

engine::PreviewTable RenameDropRows(const QStringList &arguments, qsizetype first,
                                    engine::MetadataSource &metadata, engine::EngineHost &host)
{
    DroppedItems dropped = placeArguments(arguments, first);
    lookUpAll(dropped, host);

    std::vector<engine::PreviewRow> rows;
    rows.reserve(dropped.items.size());
    filelist::FileItemBuilder builder;
    builder.RefreshLocale();
    metadata.beginRun();
    for (DroppedItems::Item &dropItem : dropped.items) {
        const DroppedItems::Folder &folder = dropped.folders[dropItem.folder];
        filelist::FileItemInfo info;
        info.Name = std::move(dropItem.name);
        info.Folder = folder.path;
        builder.FillFileItem(info, dropItem.stat);
        const bool isFolder = info.TypeName == ShellFolderTypeName;
        renamewin::MainListItem item{info.Name, info.Folder, info.TypeName, true, isFolder ? -1 : info.SizeBytes,
                                     info.LastWriteSecs == filelist::ListItem::NoTime ? renamewin::MainListItem::NoTime
                                                                                      : info.LastWriteSecs};
        engine::PreviewRow row = renamewin::previewRowOf(item, folder.name);
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
        return modMain::NothingRan;
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
        return finish(modMain::NothingRan);
    }
    engine::cmdPreview_Click(engine, settings, grid);
    return finish(RenameAtOnce(state, engine, grid));
}

} // namespace app
