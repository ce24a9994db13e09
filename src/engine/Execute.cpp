#include "Execute.h"

#include "AppState.h"
#include "Clock.h"
#include "EngineHost.h"
#include "FileAttributes.h"
#include "FolderFollower.h"
#include "Fso.h"
#include "MessageService.h"
#include "PathCodec.h"
#include "Preview.h"
#include "RenameLog.h"
#include "RenamedItems.h"
#include "ShellTypeName.h"

#include <QHash>
#include <sys/stat.h>
#include <chrono>
#include <future>
#include <vector>

namespace engine {

namespace {

// Committing the log waits for the disk (a long log takes a while): it is done on another thread
// while the host goes on yielding, so that a window keeps answering.
vb::Status closeLogYielding(RenameLog &log, EngineHost &host, bool keepDated)
{
    std::future<vb::Status> closing =
        std::async(std::launch::async, [&log, keepDated] { return log.close(keepDated); });
    // The window gets its first turn at once: the rows before did not yield.
    do {
        host.yield();
    } while (closing.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready);
    return closing.get();
}

// The checks both names of a row pass before its item is moved.
vb::Status checkNames(const PreviewRow &row)
{
    if (vb::Status st = fso::CheckItemName(row.Original); !st)
        return st;
    return fso::CheckItemName(row.Preview);
}

// Moves one row's item from its Original to its Preview name, never over an existing item.
vb::Status moveRow(const PreviewRow &row, const RenameLoopHooks &hooks)
{
    if (hooks.move)
        return hooks.move(row);
    const QString from = row.Path + row.Original;
    const QString to = row.Path + row.Preview;
    // Only the exact type name marks a folder; any other text is moved as a file.
    return row.Type == ShellFolderTypeName ? fso::MoveFolder(from, to) : fso::MoveFile(from, to);
}

void advance(EngineHost &host)
{
    host.setProgressValue(host.progressValue() + 1);
}

// The row at which a run's log stopped taking lines, with its cells as they were then.
struct LogStop {
    size_t row = 0;  ///< 0: the log took every line
    PreviewRow cells;
    bool attempted = false;  ///< the row's move was tried before its result could not be written
    bool renamed = false;    ///< ... and it succeeded
};

// What the user is told when the log stopped taking lines: why, where the run stopped, how many
// items were renamed, and where their record is.
QString logStopMessage(const RenameLog &log, const LogStop &stop, const RenameRunResult &result, size_t rows)
{
    const QString item = pathcodec::printable(stop.cells.Path + stop.cells.Original);
    QString text = QStringLiteral("The rename log \"%1\" could not be written: %2. ")
                       .arg(pathcodec::printable(log.runFile()), log.runFailure().description);
    if (!stop.attempted)
        text += QStringLiteral("The run stopped before row %1, \"%2\": ").arg(stop.row).arg(item);
    else if (stop.renamed)
        text += QStringLiteral("The run stopped after row %1, \"%2\", which was renamed to \"%3\": ")
                    .arg(stop.row)
                    .arg(item, pathcodec::printable(stop.cells.Preview));
    else
        text += QStringLiteral("The run stopped after row %1, \"%2\", which could not be renamed: ")
                    .arg(stop.row)
                    .arg(item);
    text += QStringLiteral("%1 of %2 items were renamed; the other %3 were not renamed.")
                .arg(result.renamed)
                .arg(rows)
                .arg(rows - result.renamed);
    if (result.failed > 0)
        text += QStringLiteral(" %1 of them failed.").arg(result.failed);
    if (log.recordFile().isEmpty())
        text += QStringLiteral(" No file holds the record of this run.");
    else if (log.recordWhole())
        text += QStringLiteral(" The record of this run is in \"%1\".").arg(pathcodec::printable(log.recordFile()));
    else
        text += QStringLiteral(" The record of this run, as far as it reached the disk, is in \"%1\".")
                    .arg(pathcodec::printable(log.recordFile()));
    return text;
}

QString failureMessage(size_t failed, size_t attempted, const QString &logFile)
{
    return QStringLiteral("%1 of %2 items could not be renamed. The rename log \"%3\" shows why.")
        .arg(failed)
        .arg(attempted)
        .arg(pathcodec::printable(logFile));
}

} // namespace

vb::Status CheckRenameRow(const PreviewRow &row)
{
    if (vb::Status st = CheckNotDotItem(row.Original); !st)
        return st;
    if (!row.Preview.isEmpty() && row.Preview == row.Original) {
        struct stat info;
        if (::lstat(pathcodec::NativePath(row.Path + row.Original).c_str(), &info) != 0)
            return vb::Status::fail(vb::FileNotFound);
    }
    // (A new name no item can have, "." or "..", is refused as such when the row is moved.)
    if (!row.Preview.isEmpty() && BaseNameLength(row.Preview, row.Type) == 0
        && BaseNameLength(row.Original, row.Type) > 0 && fso::CheckItemName(row.Preview))
        return vb::Status::fail(vb::BadFileNameOrNumber, QStringLiteral("empty name"));
    return vb::Status::ok();
}

vb::Status CheckNotDotItem(const QString &name)
{
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return vb::Status::fail(vb::BadFileNameOrNumber, QStringLiteral("'.' and '..' cannot be renamed"));
    return vb::Status::ok();
}

std::vector<RowOutcome> RenameRows(PreviewTable &grid, const RenameLoopHooks &hooks)
{
    const size_t rows = grid.Rows();
    std::vector<RowOutcome> outcomes(rows, RowOutcome::NotReached);
    FolderFollower follower(grid);
    RenamedItems renamed;
    for (size_t i = 1; i <= rows; ++i) {
        if (hooks.stop && hooks.stop())
            break;
        const PreviewRow &row = grid.row(i);
        RowOutcome &outcome = outcomes[i - 1];
        vb::Status st = hooks.refuse ? hooks.refuse(i) : vb::Status::ok();
        const bool refused = !st;
        if (st)
            st = CheckRenameRow(row);
        if (st && (row.Preview.isEmpty() || row.Preview == row.Original)) {
            outcome = RowOutcome::Unchanged;
        } else {
            if (st)
                st = checkNames(row);
            // A row whose attempt cannot be recorded is not moved, and the loop ends before it.
            if (st && hooks.attempt && !hooks.attempt(i, row))
                break;
            if (st)
                st = moveRow(row, hooks);
            // An item that a row before renamed is not missing: this row names it again.
            if (!st && !refused) {
                if (const size_t first = renamed.renamedBy(row.Path, row.Original))
                    st = vb::Status::fail(vb::FileNotFound, RenamedItems::duplicateText(first));
            }
            if (hooks.done)
                hooks.done(i, row, st);
            if (st) {
                outcome = RowOutcome::Renamed;
                const bool isFolder = row.Type == ShellFolderTypeName;
                renamed.renamed(row.Path, row.Original, i, isFolder);
                if (isFolder)
                    follower.folderMoved(row.Path + row.Original + u'/', row.Path + row.Preview + u'/');
            } else {
                outcome = RowOutcome::Failed;
            }
        }
        if (hooks.advance)
            hooks.advance();
    }

    // The rows that now carry their new names take them into "Original"; a failed row keeps
    // both names, and an empty Preview stays empty.
    for (size_t i = 1; i <= rows; ++i) {
        PreviewRow &row = grid.row(i);
        const RowOutcome outcome = outcomes[i - 1];
        if ((outcome == RowOutcome::Renamed || outcome == RowOutcome::Unchanged) && !row.Preview.isEmpty()) {
            row.Original = row.Preview;
            row.Preview.clear();
        }
    }
    return outcomes;
}

void ClearAttributes(RenameEngine &engine, const PreviewTable &grid)
{
    EngineHost &host = engine.host;
    host.setProgressMax(float(grid.Rows()));
    host.setProgressValue(0);
    host.setStatus(QStringLiteral("Changing Attributes..."));
    for (size_t row = 1; row <= grid.Rows(); ++row) {
        const QString path = grid.row(row).Path + grid.row(row).Original;
        const int attributes = fileattr::GetAttr(path);
        if (attributes >= 0)
            (void)fileattr::SetAttr(path, attributes & fileattr::Hidden);
        advance(host);
    }
    host.setStatus(QStringLiteral("Ready"));
    host.setProgressValue(0);
}

void RefreshMainView(RenameEngine &engine, const PreviewTable &grid)
{
    EngineHost &host = engine.host;
    host.setStatus(QStringLiteral("Refreshing Main File View..."));
    host.setProgressMax(float(grid.Rows()));
    host.setProgressValue(0);
    std::vector<MainListFile> files;
    for (size_t row = 1; row <= grid.Rows(); ++row) {
        const PreviewRow &cells = grid.row(row);
        if (fso::FileExists(cells.Path + cells.Original))
            files.push_back({cells.Path, cells.Original});
        advance(host);
    }
    host.refreshMainList(files);
    host.setProgressValue(0);
    host.setStatus(QStringLiteral("Ready"));
}

RenameRunResult cmdExecute_Click(RenameEngine &engine, PreviewTable &grid)
{
    EngineHost &host = engine.host;
    const AppState &app = engine.app;
    RenameRunResult result;

    if (!engine.Previewed) {
        host.MsgBox(QStringLiteral("Please Preview first,then Execute"),
                    msg::OKOnly | msg::Information, QStringLiteral("Renamer"));
        return result;
    }

    // The log is opened before anything changes on disk, so a run that could not be logged
    // never starts. Its lines go to the run's dated file as the rows are done.
    RenameLog log(engine.clock.now());
    if (const vb::Status st = log.open(); !st) {
        host.MsgBox(QStringLiteral("The rename log \"%1\" cannot be written: %2. Nothing was "
                                   "renamed.")
                        .arg(pathcodec::printable(log.failedPath()), st.description),
                    msg::OKOnly | msg::Critical, QStringLiteral("Renamer"));
        return result;
    }
    result.started = true;

    if (app.AutoNormalizeAttributes == 1)
        ClearAttributes(engine, grid);

    const size_t rows = grid.Rows();
    host.setProgressMax(float(rows));
    host.setProgressValue(0);
    const bool redraw = grid.Redraw();
    grid.setRedraw(false);

    // Where the log stopped taking lines: the row, as it was then.
    LogStop logStop;
    RenameLoopHooks hooks;
    hooks.stop = [&] {
        if (logStop.row > 0)
            return true;
        if (!host.stopRequested())
            return false;
        host.setStopRequested(false);
        result.stopped = true;
        return true;
    };
    // Each row's names reach the log file before its move, its result right after it, so a run
    // killed at any moment leaves every rename it made on record. A row whose names cannot
    // reach it is not renamed; a row whose result cannot is the last one renamed.
    hooks.attempt = [&](size_t i, const PreviewRow &row) {
        if (log.begin(row.Path, row.Original, row.Preview))
            return true;
        logStop = {i, row, false, false};
        return false;
    };
    hooks.done = [&](size_t i, const PreviewRow &row, const vb::Status &st) {
        if (!log.write(row.Path, row.Original, row.Preview, st ? RenameLog::successText() : st.description))
            logStop = {i, row, true, bool(st)};
    };
    hooks.advance = [&] { advance(host); };
    const std::vector<RowOutcome> outcomes = RenameRows(grid, hooks);
    result.logStopped = logStop.row > 0;
    // A failed row shows its Preview cell in the duplicate colour, so the user sees which rows
    // the log explains; the others lose their validation colour.
    for (size_t i = 1; i <= outcomes.size(); ++i) {
        const RowOutcome outcome = outcomes[i - 1];
        result.renamed += outcome == RowOutcome::Renamed;
        result.failed += outcome == RowOutcome::Failed;
        result.unchanged += outcome == RowOutcome::Unchanged;
        result.notReached += outcome == RowOutcome::NotReached;
        if (outcome == RowOutcome::Failed)
            grid.setCellBackColor(i, ColPreview, cellcolor::Duplicate);
        else if (outcome != RowOutcome::NotReached)
            grid.setCellBackColor(i, ColPreview, cellcolor::White);
        if (outcome != RowOutcome::NotReached)
            grid.row(i).RenameFailed = outcome == RowOutcome::Failed;
    }
    grid.setRedraw(redraw);

    // A run that did not go as asked keeps its own file: "templog.log" may hold another
    // window's run by the time the user reads it. A log that could not be written (or copied)
    // keeps the old file, is reported, and the run is not confirmed as a success.
    const bool keepRunFile = app.SaveLogFile == 1 || result.failed > 0 || result.logStopped;
    const vb::Status written = closeLogYielding(log, host, keepRunFile);
    host.setStatus(QStringLiteral("Ready"));
    host.setProgressValue(0);
    const QString &record = log.recordFile();

    if (result.logStopped) {
        host.MsgBox(logStopMessage(log, logStop, result, rows), msg::OKOnly | msg::Critical,
                    QStringLiteral("Renamer"));
    } else {
        if (!written) {
            QString text = QStringLiteral("The rename log \"%1\" could not be written: %2.")
                               .arg(pathcodec::printable(log.failedPath()), written.description);
            if (log.failedPath() != log.runFile())
                text += QStringLiteral(" What reached the disk of this run's log is in \"%1\".")
                            .arg(pathcodec::printable(log.runFile()));
            host.MsgBox(text, msg::OKOnly | msg::Critical, QStringLiteral("Renamer"));
        }
        if (result.failed > 0) {
            host.MsgBox(failureMessage(result.failed, result.renamed + result.failed,
                                       record.isEmpty() ? log.runFile() : record),
                        msg::OKOnly | msg::Exclamation, QStringLiteral("Morvane"));
        } else if (written && !result.stopped && app.ShowRenameConfirmation == 1) {
            host.MsgBox(QStringLiteral("Files Renamed"), msg::OKOnly | msg::Information,
                        QStringLiteral("Morvane"));
        }
    }

    if (app.AutoRefreshMainList == 1)
        RefreshMainView(engine, grid);
    // After failures or a stop the log viewer opens whatever the preference says: the message
    // points to it.
    if (!record.isEmpty() && (app.ShowLogAfterRename == 1 || result.failed > 0 || result.logStopped))
        host.showRenameLog(record);
    return result;
}

} // namespace engine
