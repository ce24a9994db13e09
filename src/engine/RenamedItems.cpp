#include "RenamedItems.h"

#include "PathCodec.h"

#include <sys/stat.h>

namespace engine {

bool RenamedItems::keyOf(const QString &folder, const QString &name, Key &key)
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
    key = {m_lastDevice, m_lastInode, name};
    return true;
}

void RenamedItems::renamed(const QString &folder, const QString &name, size_t row, bool isFolder)
{
    if (Key key; keyOf(folder, name, key))
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
    if (!keyOf(folder, name, key))
        return 0;
    return m_rows.value(key, 0);
}

QString RenamedItems::duplicateText(size_t first)
{
    return QStringLiteral("Duplicate: the same item as row %1, which renamed it already").arg(first);
}

} // namespace engine
