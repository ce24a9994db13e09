#include "RenameDropRun.h"

#include "Fso.h"
#include "PreviewTable.h"

namespace mainwin {

vb::Status MoveItem(const QString &source, const QString &target, const QString &type)
{
    // The type comes from a look-up made for the row just before: the rename needs none of its own.
    return fso::RenameItem(source, target, type == QLatin1String("File Folder"));
}

vb::Status RenameGridRow(const engine::PreviewTable &grid, size_t row)
{
    fso::ItemRenamer renamer;
    return RenameGridRow(grid, row, renamer);
}

vb::Status RenameGridRow(const engine::PreviewTable &grid, size_t row, fso::ItemRenamer &renamer)
{
    const engine::PreviewRow &r = grid.row(row);
    if (r.Preview == r.Original)
        return vb::Status::ok();
    if (vb::Status st = fso::CheckItemName(r.Preview); !st)
        return st;
    // The type comes from a look-up made for the row just before: the rename needs none of its own.
    return renamer.rename(r.Path, r.Original, r.Preview, r.Type == QLatin1String("File Folder"));
}

std::vector<FailedRename> RenameAllRows(const engine::PreviewTable &grid)
{
    std::vector<FailedRename> failed;
    fso::ItemRenamer renamer;
    for (size_t row = 1; row <= grid.Rows(); ++row) {
        vb::Status st = RenameGridRow(grid, row, renamer);
        if (!st) {
            const engine::PreviewRow &r = grid.row(row);
            failed.push_back({row, r.Path + r.Original, r.Path + r.Preview, st.description});
        }
    }
    return failed;
}

QString FailedRenameText(const FailedRename &failure)
{
    return QStringLiteral("%1 -> %2: %3").arg(failure.source, failure.target, failure.description);
}

} // namespace mainwin
