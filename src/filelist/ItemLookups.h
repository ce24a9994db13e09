#pragma once
/**
 * Looks listed items up again by their folder text and name, as AddFile does (the two joined),
 * for a list that is made afresh from the rows of another. Items of one folder are looked up
 * through one open handle of it, in batches on a few threads when there are many; the next
 * batch is looked up while the caller works on the rows of one.
 */
#include "EntryStats.h"

#include <QString>
#include <memory>
#include <vector>

namespace filelist {

class ItemLookups {
public:
    /** An item: its folder text (ending in "/" as a listing writes it) and its name. */
    struct Item {
        QString folder;
        QString name;
    };

    ItemLookups(EntryStats &stats, std::vector<Item> items);
    ~ItemLookups();
    ItemLookups(const ItemLookups &) = delete;
    ItemLookups &operator=(const ItemLookups &) = delete;

    size_t size() const { return m_items.size(); }
    const Item &item(size_t i) const { return m_items[i]; }
    /** What the lookup of item `i` found; items are asked for in order. */
    const FileStat &stat(size_t i);

private:
    FileStat lookUp(size_t i) const;
    std::unique_ptr<EntryStats::Batch> startBatch(size_t first);

    EntryStats &m_stats;
    std::vector<Item> m_items;
    /** The open folder of each item; null where the item is looked up by its joined path. */
    std::vector<const FolderHandle *> m_folderOf;
    std::vector<std::unique_ptr<FolderHandle>> m_folders;
    // Declared last: the batches stop before what they read goes.
    size_t m_batchFirst = 0;
    const std::vector<FileStat> *m_results = nullptr;
    std::unique_ptr<EntryStats::Batch> m_batch;
    std::unique_ptr<EntryStats::Batch> m_ahead;
};

} // namespace filelist
