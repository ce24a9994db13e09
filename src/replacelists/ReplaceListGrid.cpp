#include "ReplaceListGrid.h"

#include <algorithm>
#include <cstddef>

namespace replacelists {

namespace {

// The rows in use as an index bound, whatever a caller left in RowsInUse.
size_t rowsInUse(const ReplaceListGrid &grid)
{
    return std::min(size_t(std::max(grid.RowsInUse, 0)), grid.Rows.size());
}

} // namespace

ReplaceListGrid::ReplaceListGrid(int rows) : Rows(size_t(std::max(rows, 0))) {}

void ReplaceListGrid::openFrom(const std::vector<ReplaceListEntry> &table)
{
    const size_t filled = std::min(table.size(), Rows.size());
    std::fill(Rows.begin(), Rows.end(), ReplaceListEntry{});
    std::copy_n(table.begin(), filled, Rows.begin());
    RowsInUse = int(filled);
}

void ReplaceListGrid::storeInto(std::vector<ReplaceListEntry> &table) const
{
    table.assign(Rows.begin(), Rows.begin() + std::ptrdiff_t(rowsInUse(*this)));
}

void ReplaceListGrid::clear()
{
    std::fill_n(Rows.begin(), rowsInUse(*this), ReplaceListEntry{});
}

vb::Status ReplaceListGrid::saveList(const QString &path) const
{
    const auto end = Rows.begin() + std::ptrdiff_t(rowsInUse(*this));
    return StringsReplaceListFile::save(path, MatchCaseAll,
                                        std::vector<ReplaceListEntry>(Rows.begin(), end));
}

ReplaceListLoad ReplaceListGrid::loadList(const QString &path)
{
    ReplaceListLoad result = StringsReplaceListFile::load(path, int(Rows.size()));
    if (!result)
        return result;
    std::fill(Rows.begin(), Rows.end(), ReplaceListEntry{});
    std::copy(result.Rows.begin(), result.Rows.end(), Rows.begin());
    RowsInUse = int(result.Rows.size());
    if (result.MatchCaseAll)
        MatchCaseAll = *result.MatchCaseAll;
    return result;
}

} // namespace replacelists
