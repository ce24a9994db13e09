#pragma once
/**
 * Looks up the entries of one folder in batches, on a few threads when a batch is large: on
 * most systems the lookups, not the list, are the cost of a scan. The caller takes part, so a
 * batch is done when Read returns.
 */
#include "DirectoryListing.h"

#include <memory>
#include <vector>

class QThreadPool;

namespace filelist {

class EntryStats {
public:
    EntryStats();
    ~EntryStats();
    EntryStats(const EntryStats &) = delete;
    EntryStats &operator=(const EntryStats &) = delete;

    /** `stats[i]` = `folder.stat(entries[i]->rawName)` for i < count. */
    void Read(const FolderHandle &folder, const DirEntry *const *entries, size_t count, std::vector<FileStat> &stats);

private:
    std::unique_ptr<QThreadPool> m_pool;
};

} // namespace filelist
