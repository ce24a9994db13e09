#include "FolderFollower.h"

#include "PreviewTable.h"

#include <QStringView>

namespace engine {

void FolderFollower::folderMoved(const QString &oldPath, const QString &newPath)
{
    if (!m_built)
        build();
    // Every path that starts with oldPath sorts at or after it and before any path that does
    // not: one run of entries. They are all taken out before any is put back under its new
    // path, so none is moved twice.
    using Entry = decltype(m_rowsByPath)::node_type;
    std::vector<Entry> moved;
    for (auto it = m_rowsByPath.lower_bound(oldPath); it != m_rowsByPath.end();) {
        ++m_pathsLookedAt;
        if (!it->first.startsWith(oldPath))
            break;
        moved.push_back(m_rowsByPath.extract(it++));
    }
    for (Entry &entry : moved) {
        QString renamed = newPath;
        renamed += QStringView(entry.key()).mid(oldPath.size());
        for (const size_t row : entry.mapped())
            m_grid.row(row).Path = renamed;
        // Rows that already named the new path (an item not there yet) join them.
        if (const auto there = m_rowsByPath.find(renamed); there != m_rowsByPath.end()) {
            there->second.insert(there->second.end(), entry.mapped().begin(), entry.mapped().end());
        } else {
            entry.key() = renamed;
            m_rowsByPath.insert(std::move(entry));
        }
    }
}

void FolderFollower::build()
{
    for (size_t row = 1; row <= m_grid.Rows(); ++row)
        m_rowsByPath[m_grid.row(row).Path].push_back(row);
    m_built = true;
}

} // namespace engine
