#include "RenameDropRun.h"
#include "ShellTypeName.h"

#include "Execute.h"
#include "Fso.h"
#include "PathCodec.h"
#include "PreviewTable.h"

#include <QHash>

namespace mainwin {

vb::Status MoveItem(const QString &source, const QString &target, const QString &type)
{
    if (vb::Status st = engine::CheckNotDotItem(fso::ItemName(source)); !st)
        return st;
    return type == ShellFolderTypeName ? fso::MoveFolder(source, target) : fso::MoveFile(source, target);
}

std::vector<FailedRename> RenameAllRows(engine::PreviewTable &grid,
                                        const std::vector<std::pair<size_t, QString>> &previewFailures)
{
    QHash<size_t, QString> refused;
    for (const auto &[row, why] : previewFailures)
        refused.insert(row, QStringLiteral("The preview failed: ") + why);

    std::vector<FailedRename> failed;
    engine::RenameLoopHooks hooks;
    hooks.refuse = [&](size_t row) {
        if (const auto it = refused.constFind(row); it != refused.constEnd())
            return vb::Status::fail(vb::InvalidProcedureCall, *it);
        if (grid.row(row).Preview.isEmpty())
            return vb::Status::fail(vb::BadFileNameOrNumber);
        return vb::Status::ok();
    };
    hooks.done = [&](size_t row, const engine::PreviewRow &r, const vb::Status &st) {
        if (!st)
            failed.push_back({row, r.Path + r.Original, r.Path + r.Preview, st.description});
    };
    // The rows were looked up when they were made: each one is renamed by name inside its
    // folder, without a look-up of its own.
    fso::ItemRenamer renamer;
    hooks.move = [&renamer](const engine::PreviewRow &r) {
        return renamer.rename(r.Path, r.Original, r.Preview, r.Type == ShellFolderTypeName);
    };
    engine::RenameRows(grid, hooks);
    return failed;
}

QString FailedRenameText(const FailedRename &failure)
{
    return QStringLiteral("%1 -> %2: %3")
        .arg(pathcodec::printable(failure.source), pathcodec::printable(failure.target),
             pathcodec::printable(failure.description));
}

} // namespace mainwin
