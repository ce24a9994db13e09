#include "ItemLookups.h"

#include "PathCodec.h"

#include <algorithm>
#include <utility>

namespace filelist {

namespace {

// Items looked up together, as a scan looks up the entries of a folder.
constexpr size_t BatchSize = 512;

bool sameText(const QString &a, const QString &b)
{
    // Rows of one listing hold the very same folder text: comparing where it lives is enough.
    return (a.constData() == b.constData() && a.size() == b.size()) || a == b;
}

} // namespace

ItemLookups::ItemLookups(EntryStats &stats, std::vector<Item> items)
    : m_stats(stats), m_items(std::move(items)), m_inOpenFolder(m_items.size(), 0)
{
    // A folder text without its "/" joins the name to its last part, and an empty name names
    // the folder itself: such items are looked up by the joined path, as AddFile does. So is an
    // item alone in its folder, where opening the folder would cost more than the walk it saves.
    const auto byName = [this](size_t i) { return m_items[i].folder.endsWith(u'/') && !m_items[i].name.isEmpty(); };
    for (size_t i = 0; i + 1 < m_items.size(); ++i) {
        if (byName(i) && byName(i + 1) && sameText(m_items[i].folder, m_items[i + 1].folder))
            m_inOpenFolder[i] = m_inOpenFolder[i + 1] = 1;
    }
}

ItemLookups::~ItemLookups()
{
    m_ahead.reset();
    m_batch.reset();
}

FileStat ItemLookups::lookUp(size_t i, OpenFolder &open) const
{
    const Item &item = m_items[i];
    if (m_inOpenFolder[i])
        return open.handle(item.folder).stat(pathcodec::NativePath(item.name).c_str());
    return FileStat::Read(item.folder + item.name);
}

std::unique_ptr<EntryStats::Batch> ItemLookups::startBatch(size_t first)
{
    return std::make_unique<EntryStats::Batch>(
        m_stats, [this, first](size_t i, OpenFolder &open) { return lookUp(first + i, open); },
        std::min(BatchSize, m_items.size() - first));
}

const FileStat &ItemLookups::stat(size_t i)
{
    const size_t first = i - i % BatchSize;
    if (!m_results || first != m_batchFirst) {
        m_batch = m_ahead && first == m_batchFirst + BatchSize ? std::move(m_ahead) : startBatch(first);
        m_ahead.reset();
        m_batchFirst = first;
        m_results = &m_batch->Results();
        if (first + BatchSize < m_items.size())
            m_ahead = startBatch(first + BatchSize);
    }
    return (*m_results)[i - first];
}

} // namespace filelist
