#pragma once
/**
 * The folder bookmarks: one list of (name, folder) pairs, so a name never parts from its
 * folder. Kept between runs in "bookmarks.bks" in the program folder, a name line and then a
 * folder line per bookmark, CR LF line ends, no header.
 */
#include "VbError.h"

#include <QString>
#include <cstddef>
#include <vector>

namespace mainwin {

struct Bookmark {
    QString Name;
    QString Folder;

    bool operator==(const Bookmark &) const = default;
};

class BookmarkStore {
public:
    /** AppFile("bookmarks.bks"). */
    static QString FilePath();

    /**
     * Reads a bookmarks file into `out`: pairs of lines until the end; a bookmark whose folder
     * line is empty or missing is dropped. A missing file gives no bookmarks and no failure; a
     * file that cannot be read gives no bookmarks and its failure.
     */
    static vb::Status read(const QString &path, std::vector<Bookmark> &out);
    /** The bookmarks of a file, none when it cannot be read. */
    static std::vector<Bookmark> read(const QString &path);
    /** Writes the bookmarks, replacing the file only when everything was written. */
    static vb::Status write(const QString &path, const std::vector<Bookmark> &bookmarks);

    /**
     * Replaces the store with the file's bookmarks. When the file exists but cannot be read,
     * the store starts empty and remembers the failure: Save() then leaves the file alone, so
     * bookmarks that could not be read are never replaced by this run's few.
     */
    vb::Status Load(const QString &path);
    /** Writes the store to `path`; refused, with nothing written, after a failed Load(). */
    vb::Status Save(const QString &path) const;
    /** True when the last Load() found a file it could not read. */
    bool ReadFailed() const { return !m_readFailure.isOk(); }

    const std::vector<Bookmark> &Items() const { return m_items; }
    size_t Count() const { return m_items.size(); }
    const Bookmark &At(size_t index) const { return m_items.at(index); }

    /** True when a bookmark has exactly this folder (case counts). */
    bool Contains(const QString &folder) const;
    /** "Bookmark " followed by the number of bookmarks held now. */
    QString DefaultName() const;
    /**
     * Appends a bookmark unless its folder is already bookmarked. What the file cannot keep is
     * refused with a text saying so: a folder or name holding a line break, a folder whose name
     * was not UTF-8. A folder already there is no failure and adds nothing.
     */
    vb::Status Add(const QString &name, const QString &folder);
    /** Removes the bookmark at `index`; an index past the end does nothing. */
    void RemoveAt(size_t index);
    void Clear() { m_items.clear(); }

private:
    std::vector<Bookmark> m_items;
    vb::Status m_readFailure;
};

} // namespace mainwin
