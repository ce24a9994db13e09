#include "EntryStats.h"

#include <QThread>
#include <QThreadPool>
#include <algorithm>
#include <atomic>
#include <latch>

namespace filelist {

namespace {

// Below this many entries the threads cost more than they save.
constexpr size_t ParallelFrom = 64;
// Entries one thread takes at a time.
constexpr size_t Chunk = 16;
constexpr int MaxHelpers = 3;

} // namespace

EntryStats::EntryStats() = default;
EntryStats::~EntryStats() = default;

void EntryStats::Read(const FolderHandle &folder, const DirEntry *const *entries, size_t count,
                      std::vector<FileStat> &stats)
{
    stats.assign(count, FileStat());
    if (count < ParallelFrom || QThread::idealThreadCount() < 2) {
        for (size_t i = 0; i < count; ++i)
            stats[i] = folder.stat(entries[i]->rawName);
        return;
    }
    if (!m_pool) {
        m_pool = std::make_unique<QThreadPool>();
        m_pool->setMaxThreadCount(std::clamp(QThread::idealThreadCount() - 1, 1, MaxHelpers));
    }
    std::atomic<size_t> next{0};
    auto work = [&] {
        for (size_t begin = next.fetch_add(Chunk); begin < count; begin = next.fetch_add(Chunk))
            for (size_t i = begin; i < std::min(begin + Chunk, count); ++i)
                stats[i] = folder.stat(entries[i]->rawName);
    };
    const int helpers = m_pool->maxThreadCount();
    std::latch done(helpers);
    for (int h = 0; h < helpers; ++h)
        m_pool->start([&] {
            work();
            done.count_down();
        });
    work();
    done.wait();
}

} // namespace filelist
