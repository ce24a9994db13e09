#include "EntryStats.h"

#include <QThread>
#include <QThreadPool>
#include <algorithm>
#include <utility>

namespace filelist {

namespace {

// Below this many entries the threads cost more than they save.
constexpr size_t ParallelFrom = 64;
// Entries one thread takes at a time.
constexpr size_t Chunk = 16;
constexpr int MaxHelpers = 3;

} // namespace

EntryStats::Batch::Batch(EntryStats &owner, const FolderHandle &folder, const DirEntry *const *entries, size_t count)
    : Batch(owner, [&folder, entries](size_t i, OpenFolder &) { return folder.stat(entries[i]->rawName); }, count)
{
}

EntryStats::Batch::Batch(EntryStats &owner, Lookup lookup, size_t count)
    : m_lookup(std::move(lookup)), m_count(count), m_stats(count)
{
    if (count < ParallelFrom || QThread::idealThreadCount() < 2)
        return;
    QThreadPool *pool = owner.pool();
    m_helpers = pool->maxThreadCount();
    m_done = std::make_unique<std::latch>(m_helpers);
    for (int h = 0; h < m_helpers; ++h)
        pool->start([this] {
            work();
            m_done->count_down();
        });
}

EntryStats::Batch::~Batch()
{
    if (m_done) {
        m_next = m_count;
        m_done->wait();
    }
}

void EntryStats::Batch::work()
{
    // The folder this thread opens for its share, closed as the share ends.
    OpenFolder open;
    for (size_t begin = m_next.fetch_add(Chunk); begin < m_count; begin = m_next.fetch_add(Chunk))
        for (size_t i = begin; i < std::min(begin + Chunk, m_count); ++i)
            m_stats[i] = m_lookup(i, open);
}

const std::vector<FileStat> &EntryStats::Batch::Results()
{
    if (!m_finished) {
        work();
        if (m_done)
            m_done->wait();
        m_finished = true;
    }
    return m_stats;
}

EntryStats::EntryStats() = default;
EntryStats::~EntryStats() = default;

QThreadPool *EntryStats::pool()
{
    if (!m_pool) {
        m_pool = std::make_unique<QThreadPool>();
        m_pool->setMaxThreadCount(std::clamp(QThread::idealThreadCount() - 1, 1, MaxHelpers));
    }
    return m_pool.get();
}

void EntryStats::Read(const FolderHandle &folder, const DirEntry *const *entries, size_t count,
                      std::vector<FileStat> &stats)
{
    Batch batch(*this, folder, entries, count);
    stats = batch.Results();
}

} // namespace filelist
