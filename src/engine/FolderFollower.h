#pragma once
/**
 * Rows that follow a renamed folder: once a folder row is renamed on disk, every row inside it
 * (at any depth) names its item under the folder's new name. Used by every rename loop, so that
 * a later row inside a renamed folder is found.
 */
#include <QString>
#include <cstddef>
#include <map>
#include <vector>

namespace engine {

class PreviewTable;

class FolderFollower {
public:
    explicit FolderFollower(PreviewTable &grid) : m_grid(grid) {}

    /** The folder `oldPath` is now `newPath` (both ending in "/"): every row in it, or in a
     *  folder below it, gets the new folder path. Costs the rows moved, not the folders. */
    void folderMoved(const QString &oldPath, const QString &newPath);

    /** The folder paths looked at by every folderMoved() so far: those moved, and the one after
     *  them that ends each search. What a run of renames costs, told without a clock. */
    size_t pathsLookedAt() const { return m_pathsLookedAt; }

private:
    // The rows of each folder path, built on the first folder that is renamed.
    void build();

    PreviewTable &m_grid;
    // Sorted, so that the folder paths inside a folder (those that start with its path) lie
    // together from the folder's own path on.
    std::map<QString, std::vector<size_t>> m_rowsByPath;
    bool m_built = false;
    size_t m_pathsLookedAt = 0;
};

} // namespace engine
