#include "FolderFollower.h"

#include "PreviewTable.h"

#include <QStringList>

namespace engine {

void FolderFollower::folderMoved(const QString &oldPath, const QString &newPath)
{
    if (!m_built)
        build();
    QStringList moved;
    for (auto it = m_rowsByPath.cbegin(); it != m_rowsByPath.cend(); ++it) {
        if (it.key().startsWith(oldPath))
            moved.append(it.key());
    }
    for (const QString &path : std::as_const(moved)) {
        const std::vector<size_t> rows = m_rowsByPath.take(path);
        const QString renamed = newPath + path.mid(oldPath.size());
        std::vector<size_t> &target = m_rowsByPath[renamed];
        for (const size_t row : rows) {
            m_grid.row(row).Path = renamed;
            target.push_back(row);
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
