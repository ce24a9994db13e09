#pragma once
/**
 * Looks listed items up again by their folder text and name, as AddFile does (the two joined),
 * for a list that is made afresh from the rows of another. Items of one folder that come together
 * are looked up through an open handle of it, each thread holding one folder open at a time
 * (an item alone in its folder is looked up by its path), in batches on a few threads when there
 * are many; the next batch is looked up while the caller works on the rows of one. However many
 * folders the items lie in, only a few are open at any time.
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
    FileStat lookUp(size_t i, OpenFolder &open) const;
    std::unique_ptr<EntryStats::Batch> startBatch(size_t first);

    EntryStats &m_stats;
    std::vector<Item> m_items;
    /** Per item: looked up through its open folder (it shares the folder with an item beside
     *  it), else by its joined path. */
    std::vector<char> m_inOpenFolder;
    // Declared last: the batches stop before what they read goes.
    size_t m_batchFirst = 0;
    const std::vector<FileStat> *m_results = nullptr;
    std::unique_ptr<EntryStats::Batch> m_batch;
    std::unique_ptr<EntryStats::Batch> m_ahead;
};

} // namespace filelist
