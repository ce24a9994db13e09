#include "FolderScan.h"

#include "PathText.h"
#include "ScanProgressSink.h"
#include "WildcardMask.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace filelist {

namespace {

// Entries looked up together (the next batch while the rows of one are added; one yield per
// row still follows).
constexpr size_t StatBatch = 512;

const QString &loadingText()
{
    static const QString text = QStringLiteral("Loading Files...");
    return text;
}

const QString &readyText()
{
    static const QString text = QStringLiteral("Ready");
    return text;
}

} // namespace

FolderScan::Result FolderScan::ScanFolder(const QString &path, const QString &fileSpec, bool recursive, bool clear)
{
    if (clear) {
        ++m_generation;
        m_totalCount = 0;
        m_sinceRedraw = 0;
        m_host.clearRows();
        m_stopFlag = false;
    }
    const quint64 generation = m_generation;
    ++m_depth;
    if (clear)
        m_host.yield();
    const WildcardMask mask(fileSpec);
    if (generation == m_generation)
        walk(path, mask, recursive, generation);
    --m_depth;
    return {m_totalCount, generation != m_generation};
}

void FolderScan::stepProgress() const
{
    ScanProgressSink *sink = m_host.progressSink();
    if (sink && !sink->isUnloading() && sink->progressMax() > sink->progressValue())
        sink->setProgressValue(sink->progressValue() + 1);
}

void FolderScan::walk(QString directory, const WildcardMask &mask, bool recursive, quint64 generation)
{
    m_host.searchDirChange(directory);
    if (generation != m_generation)
        return;
    const QString folder = AddBackslash(directory);

    DirectoryListing listing;
    const bool listed = listing.Read(folder, [this] { m_host.yield(); });
    const std::vector<DirEntry> &entries = listing.entries();
    ScanProgressSink *sink = m_host.progressSink();
    const auto showing = [&] { return sink && !sink->isUnloading() && generation == m_generation; };
    if (showing()) {
        if (listed) {
            int32_t files = 0;
            for (const DirEntry &e : entries)
                files += e.isDir ? 0 : 1;
            sink->setProgressMax(files);
        }
        sink->setProgressValue(0);
        sink->setStatusText(loadingText());
    }

    if (recursive) {
        for (const DirEntry &e : entries) {
            m_host.yield();
            if (interrupted(generation))
                break;
            if (e.isDir)
                walk(folder + e.name + u'/', mask, recursive, generation);
            if (generation != m_generation)
                break;
            stepProgress();
        }
        if (showing())
            sink->setProgressValue(0);
    }

    m_host.yield();
    if (!interrupted(generation)) {
        std::vector<const DirEntry *> matching;
        for (const DirEntry &e : entries)
            if (mask.matches(e.name))
                matching.push_back(&e);
        m_host.expectRows(matching.size());
        const FolderHandle handle(folder);
        const int32_t frequency = m_host.updateFrequency();
        const auto startBatch = [&](size_t first) {
            return std::make_unique<EntryStats::Batch>(m_stats, handle, matching.data() + first,
                                                       std::min(StatBatch, matching.size() - first));
        };
        // The batch whose rows are being added, and the next one, looked up meanwhile.
        std::unique_ptr<EntryStats::Batch> batch;
        std::unique_ptr<EntryStats::Batch> ahead;
        const std::vector<FileStat> *stats = nullptr;
        for (size_t i = 0; i < matching.size(); ++i) {
            if (i % StatBatch == 0) {
                batch = ahead ? std::move(ahead) : startBatch(i);
                stats = &batch->Results();
                if (i + StatBatch < matching.size())
                    ahead = startBatch(i + StatBatch);
            }
            m_host.yield();
            if (interrupted(generation))
                break;
            ++m_totalCount;
            m_host.addEntryRow(folder, *matching[i], (*stats)[i % StatBatch]);
            if (++m_sinceRedraw == frequency) {
                m_host.repaintNow();
                m_sinceRedraw = 0;
            }
            stepProgress();
        }
    }

    if (showing()) {
        sink->setProgressValue(0);
        sink->setStatusText(readyText());
    }
}

} // namespace filelist
