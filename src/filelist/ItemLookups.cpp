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
    : m_stats(stats), m_items(std::move(items)), m_folderOf(m_items.size(), nullptr)
{
    const QString *openFolder = nullptr;
    for (size_t i = 0; i < m_items.size(); ++i) {
        const Item &item = m_items[i];
        // A folder text without its "/" joins the name to its last part, and an empty name
        // names the folder itself: such items are looked up by the joined path, as AddFile does.
        if (!item.folder.endsWith(u'/') || item.name.isEmpty())
            continue;
        if (!openFolder || !sameText(*openFolder, item.folder)) {
            m_folders.push_back(std::make_unique<FolderHandle>(item.folder));
            openFolder = &item.folder;
        }
        m_folderOf[i] = m_folders.back().get();
    }
}

ItemLookups::~ItemLookups()
{
    m_ahead.reset();
    m_batch.reset();
}

FileStat ItemLookups::lookUp(size_t i) const
{
    const Item &item = m_items[i];
    if (const FolderHandle *folder = m_folderOf[i])
        return folder->stat(pathcodec::NativePath(item.name).c_str());
    return FileStat::Read(item.folder + item.name);
}

std::unique_ptr<EntryStats::Batch> ItemLookups::startBatch(size_t first)
{
    return std::make_unique<EntryStats::Batch>(
        m_stats, [this, first](size_t i) { return lookUp(first + i); }, std::min(BatchSize, m_items.size() - first));
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
