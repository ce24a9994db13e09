#pragma once
/**
 * The items a rename run has renamed, so that the same item given again by a later row (also
 * as "d/./f" beside "d/f") is told as a duplicate instead of as a missing file. An item is known
 * by its folder as the system identifies it (device and inode) and its name. Used by every
 * rename loop. Folder paths may end in "/" or not.
 */
#include <QHash>
#include <QString>
#include <cstddef>
#include <cstdint>

namespace engine {

class RenamedItems {
public:
    /** Row `row` has just renamed the item `name` in `folder`; `isFolder`: the item is a folder
     *  (its renaming may change what a folder path names later). */
    void renamed(const QString &folder, const QString &name, size_t row, bool isFolder);

    /** The row that renamed the item `name` in `folder` earlier in this run, when that item is
     *  no longer there under this name; 0 otherwise (also when nothing has been renamed yet,
     *  without a look at the disk). */
    size_t renamedBy(const QString &folder, const QString &name);

    /** Forgets the folder identity kept from the last row: a run that waits for the user
     *  between rows calls it first, since folders may have been renamed or made again outside
     *  the program meanwhile. */
    void forgetFolder() { m_lastKnown = false; }

    /** How a row that names an item renamed by row `first` is told. */
    static QString duplicateText(size_t first);

private:
    struct Key {
        uint64_t device = 0;
        uint64_t inode = 0;
        QString name;
        bool operator==(const Key &other) const = default;
    };
    friend size_t qHash(const Key &key, size_t seed) noexcept
    {
        return qHashMulti(seed, key.device, key.inode, key.name);
    }

    // The key of `name` in `folder`; false when the folder is not there. The last folder's
    // identity is kept until a folder is renamed (rows of one folder come together).
    bool keyOf(const QString &folder, const QString &name, Key &key);

    QHash<Key, size_t> m_rows;
    QString m_lastFolder;
    uint64_t m_lastDevice = 0;
    uint64_t m_lastInode = 0;
    bool m_lastKnown = false;
};

} // namespace engine
