#pragma once
/**
 * What the rename window reads of the main window's file list when it fills its preview grid:
 * the item count and, per item in display order, the name, the folder, the type name and the
 * check mark. The main window hands the rename window an implementation over its list.
 */
#include <QString>
#include <cstdint>
#include <limits>

namespace renamewin {

/** One item of the main list as the preview grid reads it. */
struct MainListItem {
    QString Text;     ///< the file or folder name
    QString Folder;   ///< SubItems(1): the item's folder, ending in "/"
    QString Type;     ///< SubItems(3): the type name ("File Folder" for folders)
    bool Checked = false;
    /** The size and last-write time (seconds since the epoch) of a status the caller has just
     *  read from the item itself (a windowless run that looked every item up); -1 and NoTime
     *  otherwise, and always from the main list, whose scan may be old: the fill reads them. */
    qint64 SizeBytes = -1;
    qint64 LastWriteSecs = NoTime;

    static constexpr qint64 NoTime = std::numeric_limits<qint64>::min();
};

class MainFileList {
public:
    virtual ~MainFileList() = default;
    /** The number of items. */
    virtual int32_t Count() const = 0;
    /** Item `index` (1 to Count()). */
    virtual MainListItem Item(int32_t index) const = 0;
};

} // namespace renamewin
