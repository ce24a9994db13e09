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
     * Reads a bookmarks file: pairs of lines until the end. A missing or unreadable file gives
     * no bookmarks; a bookmark whose folder line is empty or missing is dropped.
     */
    static std::vector<Bookmark> read(const QString &path);
    /** Writes the bookmarks, replacing the file only when everything was written. */
    static vb::Status write(const QString &path, const std::vector<Bookmark> &bookmarks);

    /** Replaces the store with the file's bookmarks. */
    void Load(const QString &path) { m_items = read(path); }
    vb::Status Save(const QString &path) const { return write(path, m_items); }

    const std::vector<Bookmark> &Items() const { return m_items; }
    size_t Count() const { return m_items.size(); }
    const Bookmark &At(size_t index) const { return m_items.at(index); }

    /** True when a bookmark has exactly this folder (case counts). */
    bool Contains(const QString &folder) const;
    /** "Bookmark " followed by the number of bookmarks held now. */
    QString DefaultName() const;
    /**
     * Appends a bookmark unless its folder is already bookmarked. A folder or name holding a
     * line break, which the file cannot keep, is refused with a text saying so; a folder already
     * there is no failure and adds nothing.
     */
    vb::Status Add(const QString &name, const QString &folder);
    /** Removes the bookmark at `index`; an index past the end does nothing. */
    void RemoveAt(size_t index);
    void Clear() { m_items.clear(); }

private:
    std::vector<Bookmark> m_items;
};

} // namespace mainwin
