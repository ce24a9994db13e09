#include "RenamedItems.h"

#include "PathCodec.h"

#include <sys/stat.h>

namespace engine {

bool RenamedItems::folderId(const QString &folder, uint64_t &device, uint64_t &inode)
{
    if (!m_lastKnown || folder != m_lastFolder) {
        struct stat st {};
        if (::stat(pathcodec::NativePath(folder).c_str(), &st) != 0)
            return false;
        m_lastFolder = folder;
        m_lastDevice = uint64_t(st.st_dev);
        m_lastInode = uint64_t(st.st_ino);
        m_lastKnown = true;
    }
    device = m_lastDevice;
    inode = m_lastInode;
    return true;
}

void RenamedItems::renamed(const QString &folder, const QString &name, size_t row, bool isFolder)
{
    Key key;
    key.name = name;
    if (folderId(folder, key.device, key.inode))
        m_rows.insert(key, row);
    // A folder path read before may name another folder now.
    if (isFolder)
        m_lastKnown = false;
}

size_t RenamedItems::renamedBy(const QString &folder, const QString &name)
{
    if (m_rows.isEmpty())
        return 0;
    struct stat st {};
    const QString path = folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
    if (::lstat(pathcodec::NativePath(path).c_str(), &st) == 0)
        return 0;
    Key key;
    key.name = name;
    if (!folderId(folder, key.device, key.inode))
        return 0;
    return m_rows.value(key, 0);
}

QString RenamedItems::duplicateText(size_t first)
{
    return QStringLiteral("Duplicate: the same item as row %1, which renamed it already").arg(first);
}

} // namespace engine
