#pragma once
/**
 * Looks up the entries of one folder in batches, on a few threads when a batch is large: on
 * most systems the lookups, not the list, are the cost of a scan. A batch may be started ahead,
 * so the helpers look it up while the caller still adds the rows of the one before; the caller
 * takes part once it needs the results.
 */
#include "DirectoryListing.h"

#include <atomic>
#include <functional>
#include <latch>
#include <memory>
#include <vector>

class QThreadPool;

namespace filelist {

class EntryStats {
public:
    /** The lookups of `count` entries, started when made. The folder and the entries must
     *  outlive it; destroying it stops the lookups not yet begun and waits for the others. */
    class Batch {
    public:
        Batch(EntryStats &owner, const FolderHandle &folder, const DirEntry *const *entries, size_t count);
        /** A lookup of entry `i` on one thread; the folder it is given is that thread's own
         *  while it takes part in the batch (closed when its share is done). */
        using Lookup = std::function<FileStat(size_t i, OpenFolder &open)>;

        /** The lookups `lookup(0, ...)` .. `lookup(count - 1, ...)`, started when made; `lookup`
         *  is called on any thread and must outlive the batch. A batch holds at most one open
         *  folder per thread taking part. */
        Batch(EntryStats &owner, Lookup lookup, size_t count);
        ~Batch();
        Batch(const Batch &) = delete;
        Batch &operator=(const Batch &) = delete;

        /** Finishes the lookups: `Results()[i]` = `folder.stat(entries[i]->rawName)`, or
         *  `lookup(i, ...)`. */
        const std::vector<FileStat> &Results();

    private:
        void work();

        Lookup m_lookup;
        size_t m_count;
        std::vector<FileStat> m_stats;
        std::atomic<size_t> m_next{0};
        int m_helpers = 0;
        std::unique_ptr<std::latch> m_done;
        bool m_finished = false;
    };

    EntryStats();
    ~EntryStats();
    EntryStats(const EntryStats &) = delete;
    EntryStats &operator=(const EntryStats &) = delete;

    /** `stats[i]` = `folder.stat(entries[i]->rawName)` for i < count. */
    void Read(const FolderHandle &folder, const DirEntry *const *entries, size_t count, std::vector<FileStat> &stats);

private:
    QThreadPool *pool();

    std::unique_ptr<QThreadPool> m_pool;
};

} // namespace filelist
